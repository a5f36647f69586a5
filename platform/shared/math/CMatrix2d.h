// 2x2 fixed-point matrix for rotations and scales in the plane. Vectors are
// rows (v' = v x M); elements m0, m1 (row 0) and m2, m3 (row 1) are stored
// row by row. Rotations and products count themselves, and a matrix built
// with a renormalisation interval re-orthonormalises after that many, so
// that a rotation accumulated over many frames stays a rotation.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector2d.h"

class CMatrix2d {
public:
    // Elements unset, no renormalisation.
    CMatrix2d() = default;
    // Copies a whole record of this layout, counters and flag included.
    explicit CMatrix2d(const CMatrix2d* image);
    CMatrix2d(std::int32_t m0, std::int32_t m1, std::int32_t m2, std::int32_t m3, std::uint16_t interval);
    CMatrix2d(const std::int32_t* elements, std::uint16_t interval);
    CMatrix2d(const CVector2d& row0, const CVector2d& row1, std::uint16_t interval);

    // Element in storage order; index must be below 4.
    std::int32_t& operator[](std::uint32_t index);
    const std::int32_t& operator[](std::uint32_t index) const;

    void SetIdentity();
    void SetZero();
    void Orthonormalize();

    // this = other applied on the left of this, then one operation counted.
    CMatrix2d& operator*=(const CMatrix2d& other);
    // Rotation by an angle applied on the left, then one operation counted.
    void Rotate(std::int32_t angle);
    // Scales row 0 by sx and row 1 by sy; the result is no longer kept
    // orthonormal.
    void Scale(std::int32_t sx, std::int32_t sy);
    void Scale(const CVector2d& s) { Scale(s.x, s.y); }

    std::int16_t GetRenormalizeInterval() const { return static_cast<std::int16_t>(renormalizeInterval); }

    CVector2d rows[2];
    bool renormalize = false;
    std::uint16_t opCount = 0;
    std::uint16_t renormalizeInterval = 0;

private:
    friend CMatrix2d operator*(const CMatrix2d& a, const CMatrix2d& b);

    void SetProduct(const CMatrix2d& a, const CMatrix2d& b);
    void CountOperation();
};

// Product of a and b (b applied on the left of a). The result takes a's
// interval and a count of 0.
CMatrix2d operator*(const CMatrix2d& a, const CMatrix2d& b);
