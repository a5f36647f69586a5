// Homogeneous 4x4 fixed-point matrix holding an affine transform: a 3x3
// rotation part (elements 0-2, 4-6, 8-10) and a translation (row 3,
// elements 12-14). Vectors are rows (v' = v x M); the product of A and B is
// B x A (B acts first). Column 3 is never read by the products, rotations
// or vector transforms. It carries the drift control of the other matrices.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector4d.h"

class CMatrix4dh {
public:
    // Elements unset, no renormalisation.
    CMatrix4dh() = default;
    // Copies a whole record of this layout, counters and flag included.
    explicit CMatrix4dh(const CMatrix4dh* image);
    // The rotation rows, then the translation; column 3 is (0, 0, 0, 1024).
    CMatrix4dh(std::int32_t m0, std::int32_t m1, std::int32_t m2, std::int32_t m4, std::int32_t m5, std::int32_t m6,
               std::int32_t m8, std::int32_t m9, std::int32_t m10, std::int32_t m12, std::int32_t m13,
               std::int32_t m14, std::uint16_t interval);
    // Sixteen elements in index order.
    CMatrix4dh(const std::int32_t* elements, std::uint16_t interval);
    CMatrix4dh(const std::int32_t* row0, const std::int32_t* row1, const std::int32_t* row2,
               const std::int32_t* row3, std::uint16_t interval);

    // Element in index order; index must be below 16.
    std::int32_t& operator[](std::uint32_t index);
    const std::int32_t& operator[](std::uint32_t index) const;

    // All sixteen elements (SetIdentity) or the rotation rows only; the
    // count restarts, the flag and interval stay.
    void SetIdentity();
    void SetRotationIdentity();
    void Orthonormalize();
    // Rotations about an axis applied on the left, each counted; the
    // translation row stays.
    void RotateX(std::int32_t angle);
    void RotateY(std::int32_t angle);
    void RotateZ(std::int32_t angle);
    // Rotation about the unit axis (x, y, z), which the caller normalises;
    // counts two operations.
    void RotateAxis(std::int32_t angle, std::int32_t x, std::int32_t y, std::int32_t z);
    // Moves the translation; the matrix no longer renormalises itself.
    void Translate(std::int32_t x, std::int32_t y, std::int32_t z);
    // A right-handed orthonormal rotation part whose column 2 (or column 1)
    // is the normalised direction; the translation stays.
    void PointZAxis(std::int32_t x, std::int32_t y, std::int32_t z);
    void PointYAxis(std::int32_t x, std::int32_t y, std::int32_t z);
    // The rotation rows (all four columns), counter, flag and interval of
    // other; the translation row stays.
    void CopyRotation(const CMatrix4dh& other);
    // this = other x this (affine), then one operation counted.
    CMatrix4dh& operator*=(const CMatrix4dh& other);

    std::int16_t GetRenormalizeInterval() const { return static_cast<std::int16_t>(renormalizeInterval); }

    CVector4dh rows[4];
    bool renormalize = false;
    std::uint16_t opCount = 0;
    std::uint16_t renormalizeInterval = 0;

private:
    // this = the rotation rows r applied on the left, then one operation
    // counted.
    void Apply(const CVector3d* r);
};

// b x a (affine), with a's interval, a count of 0 and column 3 (0, 0, 0, 1024).
CMatrix4dh operator*(const CMatrix4dh& a, const CMatrix4dh& b);
