#include "platform/shared/math/CMatrix3d.h"

#include <utility>

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/CMatrix4d.h"
#include "platform/shared/math/MatrixSupport.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CMatrix3d";
constexpr const char* kHeaderPath = "..\\..\\platform\\shared\\math\\inc\\CMatrix3d";

using M = CMathFixed;

}  // namespace

CMatrix3d::CMatrix3d(const CMatrix3d* image) {
    DebugAssert(image != nullptr, kSourcePath, 23);
    *this = *image;
    DebugAssert(!renormalize || renormalizeInterval != 0, kSourcePath, 28);
}

CMatrix3d::CMatrix3d(std::int32_t m0, std::int32_t m1, std::int32_t m2, std::int32_t m3, std::int32_t m4,
                     std::int32_t m5, std::int32_t m6, std::int32_t m7, std::int32_t m8, std::uint16_t interval)
    : CMatrix3d(CVector3d(m0, m1, m2), CVector3d(m3, m4, m5), CVector3d(m6, m7, m8), interval) {}

CMatrix3d::CMatrix3d(const std::int32_t* elements, std::uint16_t interval)
    : CMatrix3d(CVector3d(elements[0], elements[1], elements[2]), CVector3d(elements[3], elements[4], elements[5]),
                CVector3d(elements[6], elements[7], elements[8]), interval) {}

CMatrix3d::CMatrix3d(const CVector3d& row0, const CVector3d& row1, const CVector3d& row2, std::uint16_t interval)
    : rows{row0, row1, row2}, renormalize(interval != 0), renormalizeInterval(interval) {}

CMatrix3d::CMatrix3d(const CMatrix4d& m)
    : rows{{m.rows[0].x, m.rows[0].y, m.rows[0].z},
           {m.rows[1].x, m.rows[1].y, m.rows[1].z},
           {m.rows[2].x, m.rows[2].y, m.rows[2].z}},
      renormalize(m.renormalize),
      opCount(m.opCount),
      renormalizeInterval(m.renormalizeInterval) {}

std::int32_t& CMatrix3d::operator[](std::uint32_t index) {
    DebugAssert(index < 9, kHeaderPath, 200);
    return rows[index / 3][index % 3];
}

const std::int32_t& CMatrix3d::operator[](std::uint32_t index) const {
    return const_cast<CMatrix3d&>(*this)[index];
}

void CMatrix3d::SetIdentity() {
    rows[0].Set(M::kOne, 0, 0);
    rows[1].Set(0, M::kOne, 0);
    rows[2].Set(0, 0, M::kOne);
    opCount = 0;
}

void CMatrix3d::Orthonormalize() {
    matrix_support::Orthonormalize(rows);
    opCount = 0;
}

void CMatrix3d::SetProduct(const CMatrix3d& a, const CMatrix3d& b) {
    // Row i of the result combines a's rows with the weights of b's row i.
    const CVector3d a0 = a.rows[0], a1 = a.rows[1], a2 = a.rows[2];
    for (int i = 0; i < 3; ++i) {
        const CVector3d w = b.rows[i];
        rows[i] = a0 * w.x + a1 * w.y + a2 * w.z;
    }
}

void CMatrix3d::Apply(const CVector3d& r0, const CVector3d& r1, const CVector3d& r2) {
    SetProduct(*this, CMatrix3d(r0, r1, r2, 0));
    matrix_support::CountOperation(*this);
}

CMatrix3d& CMatrix3d::operator*=(const CMatrix3d& other) {
    SetProduct(*this, other);
    matrix_support::CountOperation(*this);
    return *this;
}

void CMatrix3d::RotateX(std::int32_t angle) {
    const std::int32_t c = M::Cos(angle), s = M::Sin(angle);
    Apply({M::kOne, 0, 0}, {0, c, s}, {0, WrapNeg32(s), c});
}

void CMatrix3d::RotateY(std::int32_t angle) {
    const std::int32_t c = M::Cos(angle), s = M::Sin(angle);
    Apply({c, 0, WrapNeg32(s)}, {0, M::kOne, 0}, {s, 0, c});
}

void CMatrix3d::RotateZ(std::int32_t angle) {
    const std::int32_t c = M::Cos(angle), s = M::Sin(angle);
    Apply({c, s, 0}, {WrapNeg32(s), c, 0}, {0, 0, M::kOne});
}

void CMatrix3d::RotateAxis(std::int32_t angle, std::int32_t x, std::int32_t y, std::int32_t z) {
    CVector3d r[3];
    matrix_support::AxisRotation(angle, x, y, z, r);
    Apply(r[0], r[1], r[2]);
}

void CMatrix3d::SetDirectionZ(std::int32_t x, std::int32_t y, std::int32_t z) {
    matrix_support::SetFrameZ(rows, x, y, z);
    opCount = 0;
}

void CMatrix3d::SetDirectionY(std::int32_t x, std::int32_t y, std::int32_t z) {
    matrix_support::SetFrameY(rows, x, y, z);
    opCount = 0;
}

void CMatrix3d::Transpose() {
    std::swap(rows[0].y, rows[1].x);
    std::swap(rows[0].z, rows[2].x);
    std::swap(rows[1].z, rows[2].y);
}

CMatrix3d operator*(const CMatrix3d& a, const CMatrix3d& b) {
    CMatrix3d product(CVector3d(0, 0, 0), CVector3d(0, 0, 0), CVector3d(0, 0, 0), a.renormalizeInterval);
    product.SetProduct(a, b);
    return product;
}
