// 3x3 fixed-point matrix for rotations in space. Vectors are rows
// (v' = v x M); elements m0..m8 are stored row by row. Rotations and
// products count themselves, and a matrix built with a renormalisation
// interval re-orthonormalises after that many (see CMatrix2d).
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector3d.h"

class CMatrix4d;

class CMatrix3d {
public:
    // Elements unset, no renormalisation.
    CMatrix3d() = default;
    // Copies a whole record of this layout, counters and flag included.
    explicit CMatrix3d(const CMatrix3d* image);
    CMatrix3d(std::int32_t m0, std::int32_t m1, std::int32_t m2, std::int32_t m3, std::int32_t m4, std::int32_t m5,
              std::int32_t m6, std::int32_t m7, std::int32_t m8, std::uint16_t interval);
    CMatrix3d(const std::int32_t* elements, std::uint16_t interval);
    CMatrix3d(const CVector3d& row0, const CVector3d& row1, const CVector3d& row2, std::uint16_t interval);
    // The upper-left 3x3 elements of m, with its counter, flag and interval.
    explicit CMatrix3d(const CMatrix4d& m);

    // Element in storage order; index must be below 9.
    std::int32_t& operator[](std::uint32_t index);
    const std::int32_t& operator[](std::uint32_t index) const;

    void SetIdentity();
    // Normalises column 0, makes column 1 orthogonal to it and normalises
    // it, and sets column 2 to their cross product.
    void Orthonormalize();

    // this = other applied on the left of this, then one operation counted.
    CMatrix3d& operator*=(const CMatrix3d& other);
    // Rotations about an axis applied on the left, each counted.
    void RotateX(std::int32_t angle);
    void RotateY(std::int32_t angle);
    void RotateZ(std::int32_t angle);
    // Rotation about the unit axis (x, y, z), which the caller normalises.
    void RotateAxis(std::int32_t angle, std::int32_t x, std::int32_t y, std::int32_t z);
    // An orthonormal, right-handed basis whose column 2 (or column 1) is
    // the normalised direction.
    void SetDirectionZ(std::int32_t x, std::int32_t y, std::int32_t z);
    void SetDirectionY(std::int32_t x, std::int32_t y, std::int32_t z);
    void Transpose();

    std::int16_t GetRenormalizeInterval() const { return static_cast<std::int16_t>(renormalizeInterval); }

    CVector3d rows[3];
    bool renormalize = false;
    std::uint16_t opCount = 0;
    std::uint16_t renormalizeInterval = 0;

private:
    friend CMatrix3d operator*(const CMatrix3d& a, const CMatrix3d& b);

    void SetProduct(const CMatrix3d& a, const CMatrix3d& b);
    // this = r applied on the left of this, then one operation counted.
    void Apply(const CVector3d& r0, const CVector3d& r1, const CVector3d& r2);
};

// Product of a and b (b applied on the left of a). The result takes a's
// interval and a count of 0.
CMatrix3d operator*(const CMatrix3d& a, const CMatrix3d& b);
