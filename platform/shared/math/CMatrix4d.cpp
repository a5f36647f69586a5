#include "platform/shared/math/CMatrix4d.h"

#include <utility>

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/MatrixSupport.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CMatrix4d";

using M = CMathFixed;

// b x a over all sixteen elements: row r is a's rows weighted by b's row r.
void Product(const CMatrix4d& a, const CMatrix4d& b, CMatrix4d& out) {
    std::int32_t e[16];
    for (std::uint32_t r = 0; r < 4; ++r) {
        for (std::uint32_t c = 0; c < 4; ++c) {
            std::int32_t sum = 0;
            for (std::uint32_t k = 0; k < 4; ++k) {
                sum = WrapAdd32(sum, M::Mul(a[4 * k + c], b[4 * r + k]));
            }
            e[4 * r + c] = sum;
        }
    }
    for (std::uint32_t i = 0; i < 16; ++i) {
        out[i] = e[i];
    }
}

}  // namespace

CMatrix4d::CMatrix4d(const CMatrix4d* image) {
    DebugAssert(image != nullptr, kSourcePath, 21);
    *this = *image;
    DebugAssert(!renormalize || renormalizeInterval != 0, kSourcePath, 26);
}

CMatrix4d::CMatrix4d(const std::int32_t* elements, std::uint16_t interval)
    : CMatrix4d(elements, elements + 4, elements + 8, elements + 12, interval) {}

CMatrix4d::CMatrix4d(const std::int32_t* row0, const std::int32_t* row1, const std::int32_t* row2,
                     const std::int32_t* row3, std::uint16_t interval)
    : rows{CVector4d(row0[0], row0[1], row0[2], row0[3]), CVector4d(row1[0], row1[1], row1[2], row1[3]),
           CVector4d(row2[0], row2[1], row2[2], row2[3]), CVector4d(row3[0], row3[1], row3[2], row3[3])},
      renormalize(interval != 0),
      renormalizeInterval(interval) {}

std::int32_t& CMatrix4d::operator[](std::uint32_t index) {
    DebugAssert(index < 16, "..\\..\\platform\\shared\\math\\inc\\CMatrix4d", 255);
    CVector4d& row = rows[(index >> 2) & 3];
    const std::uint32_t column = index & 3;
    return column == 3 ? row.w : matrix_support::Element(row, static_cast<int>(column));
}

const std::int32_t& CMatrix4d::operator[](std::uint32_t index) const {
    return const_cast<CMatrix4d&>(*this)[index];
}

void CMatrix4d::Transpose() {
    for (std::uint32_t r = 0; r < 4; ++r) {
        for (std::uint32_t c = r + 1; c < 4; ++c) {
            std::swap((*this)[4 * r + c], (*this)[4 * c + r]);
        }
    }
}

void CMatrix4d::Orthonormalize() {
    matrix_support::Orthonormalize(rows);
    opCount = 0;
}

CMatrix4d& CMatrix4d::operator*=(const CMatrix4d& other) {
    Product(*this, other, *this);
    matrix_support::CountOperation(*this);
    return *this;
}

CMatrix4d operator*(const CMatrix4d& a, const CMatrix4d& b) {
    CMatrix4d product;
    product.renormalize = a.renormalizeInterval != 0;
    product.renormalizeInterval = a.renormalizeInterval;
    Product(a, b, product);
    return product;
}
