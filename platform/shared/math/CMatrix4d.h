// General 4x4 fixed-point matrix. Vectors are rows (v' = v x M); element
// 4r + c is row r, column c. The product of A and B is B x A (B acts first).
// It carries the drift control of the other matrices, which
// re-orthonormalises its rotation part (the upper-left 3x3).
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector4d.h"

class CMatrix4d {
public:
    // Elements unset, no renormalisation.
    CMatrix4d() = default;
    // Copies a whole record of this layout, counters and flag included.
    explicit CMatrix4d(const CMatrix4d* image);
    // Sixteen elements in index order.
    CMatrix4d(const std::int32_t* elements, std::uint16_t interval);
    CMatrix4d(const std::int32_t* row0, const std::int32_t* row1, const std::int32_t* row2, const std::int32_t* row3,
              std::uint16_t interval);

    // Element in index order; index must be below 16.
    std::int32_t& operator[](std::uint32_t index);
    const std::int32_t& operator[](std::uint32_t index) const;

    void Transpose();
    void Orthonormalize();
    // this = other x this over all 16 elements, then one operation counted.
    CMatrix4d& operator*=(const CMatrix4d& other);

    std::int16_t GetRenormalizeInterval() const { return static_cast<std::int16_t>(renormalizeInterval); }

    CVector4d rows[4];
    bool renormalize = false;
    std::uint16_t opCount = 0;
    std::uint16_t renormalizeInterval = 0;
};

// b x a, with a's interval and a count of 0.
CMatrix4d operator*(const CMatrix4d& a, const CMatrix4d& b);
