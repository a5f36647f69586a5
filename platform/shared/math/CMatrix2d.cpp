#include "platform/shared/math/CMatrix2d.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/MatrixSupport.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CMatrix2d";
constexpr const char* kHeaderPath = "..\\..\\platform\\shared\\math\\inc\\CMatrix2d";

}  // namespace

CMatrix2d::CMatrix2d(const CMatrix2d* image) {
    DebugAssert(image != nullptr, kSourcePath, 20);
    *this = *image;
    DebugAssert(!renormalize || renormalizeInterval != 0, kSourcePath, 25);
}

CMatrix2d::CMatrix2d(std::int32_t m0, std::int32_t m1, std::int32_t m2, std::int32_t m3, std::uint16_t interval)
    : rows{{m0, m1}, {m2, m3}}, renormalize(interval != 0), renormalizeInterval(interval) {}

CMatrix2d::CMatrix2d(const std::int32_t* elements, std::uint16_t interval)
    : CMatrix2d(elements[0], elements[1], elements[2], elements[3], interval) {}

CMatrix2d::CMatrix2d(const CVector2d& row0, const CVector2d& row1, std::uint16_t interval)
    : rows{row0, row1}, renormalize(interval != 0), renormalizeInterval(interval) {}

std::int32_t& CMatrix2d::operator[](std::uint32_t index) {
    DebugAssert(index < 4, kHeaderPath, 113);
    CVector2d& row = rows[(index >> 1) & 1];
    return (index & 1) != 0 ? row.y : row.x;
}

const std::int32_t& CMatrix2d::operator[](std::uint32_t index) const {
    return const_cast<CMatrix2d&>(*this)[index];
}

void CMatrix2d::SetIdentity() {
    rows[0].Set(CMathFixed::kOne, 0);
    rows[1].Set(0, CMathFixed::kOne);
    opCount = 0;
}

void CMatrix2d::SetZero() {
    rows[0].SetZero();
    rows[1].SetZero();
    opCount = 0;
}

void CMatrix2d::Orthonormalize() {
    CVector2d column0(rows[0].x, rows[1].x);
    CVector2d column1(rows[0].y, rows[1].y);
    column0.Normalize();
    const std::int32_t d = CVector2d::Dot(column0, column1);
    if (d != 0) {
        column1 -= column0 * d;
    }
    column1.Normalize();
    rows[0].Set(column0.x, column1.x);
    rows[1].Set(column0.y, column1.y);
    opCount = 0;
}

void CMatrix2d::SetProduct(const CMatrix2d& a, const CMatrix2d& b) {
    // Row i of the result combines a's rows with the weights of b's row i.
    const CVector2d a0 = a.rows[0];
    const CVector2d a1 = a.rows[1];
    const CVector2d b0 = b.rows[0];
    const CVector2d b1 = b.rows[1];
    rows[0] = a0 * b0.x + a1 * b0.y;
    rows[1] = a0 * b1.x + a1 * b1.y;
}

void CMatrix2d::CountOperation() { matrix_support::CountOperation(*this); }

CMatrix2d& CMatrix2d::operator*=(const CMatrix2d& other) {
    SetProduct(*this, other);
    CountOperation();
    return *this;
}

void CMatrix2d::Rotate(std::int32_t angle) {
    const std::int32_t c = CMathFixed::Cos(angle);
    const std::int32_t s = CMathFixed::Sin(angle);
    SetProduct(*this, CMatrix2d(c, s, -s, c, 0));
    CountOperation();
}

void CMatrix2d::Scale(std::int32_t sx, std::int32_t sy) {
    rows[0] *= sx;
    rows[1] *= sy;
    renormalize = false;
}

CMatrix2d operator*(const CMatrix2d& a, const CMatrix2d& b) {
    CMatrix2d product(0, 0, 0, 0, a.renormalizeInterval);
    product.SetProduct(a, b);
    return product;
}
