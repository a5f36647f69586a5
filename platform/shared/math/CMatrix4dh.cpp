#include "platform/shared/math/CMatrix4dh.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/MatrixSupport.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CMatrix4dh";

using M = CMathFixed;

// The affine product b x a into the first three columns of out: rotation
// rows combine a's rotation rows with the weights of b's, and the
// translation adds a's translation to b's carried through a's rotation.
void Product(const CMatrix4dh& a, const CMatrix4dh& b, CMatrix4dh& out) {
    CVector3d e[4];
    const CVector3d a0(a.rows[0].x, a.rows[0].y, a.rows[0].z);
    const CVector3d a1(a.rows[1].x, a.rows[1].y, a.rows[1].z);
    const CVector3d a2(a.rows[2].x, a.rows[2].y, a.rows[2].z);
    for (int r = 0; r < 4; ++r) {
        const CVector4dh& w = b.rows[r];
        e[r] = a0 * w.x + a1 * w.y + a2 * w.z;
    }
    e[3] += CVector3d(a.rows[3].x, a.rows[3].y, a.rows[3].z);
    for (int r = 0; r < 4; ++r) {
        out.rows[r] = e[r];
    }
}

}  // namespace

CMatrix4dh::CMatrix4dh(const CMatrix4dh* image) {
    DebugAssert(image != nullptr, kSourcePath, 23);
    *this = *image;
    DebugAssert(!renormalize || renormalizeInterval != 0, kSourcePath, 28);
}

CMatrix4dh::CMatrix4dh(std::int32_t m0, std::int32_t m1, std::int32_t m2, std::int32_t m4, std::int32_t m5,
                       std::int32_t m6, std::int32_t m8, std::int32_t m9, std::int32_t m10, std::int32_t m12,
                       std::int32_t m13, std::int32_t m14, std::uint16_t interval)
    : rows{{m0, m1, m2, true}, {m4, m5, m6, true}, {m8, m9, m10, true}, {m12, m13, m14, false}},
      renormalize(interval != 0),
      renormalizeInterval(interval) {}

CMatrix4dh::CMatrix4dh(const std::int32_t* elements, std::uint16_t interval)
    : CMatrix4dh(elements, elements + 4, elements + 8, elements + 12, interval) {}

CMatrix4dh::CMatrix4dh(const std::int32_t* row0, const std::int32_t* row1, const std::int32_t* row2,
                       const std::int32_t* row3, std::uint16_t interval)
    : renormalize(interval != 0), renormalizeInterval(interval) {
    const std::int32_t* const source[] = {row0, row1, row2, row3};
    for (int r = 0; r < 4; ++r) {
        rows[r] = CVector3d(source[r]);
        rows[r].w = source[r][3];
    }
}

std::int32_t& CMatrix4dh::operator[](std::uint32_t index) {
    DebugAssert(index < 16, "..\\..\\platform\\shared\\math\\inc\\CMatrix4dh", 318);
    CVector4dh& row = rows[(index >> 2) & 3];
    const std::uint32_t column = index & 3;
    return column == 3 ? row.w : matrix_support::Element(row, static_cast<int>(column));
}

const std::int32_t& CMatrix4dh::operator[](std::uint32_t index) const {
    return const_cast<CMatrix4dh&>(*this)[index];
}

void CMatrix4dh::SetIdentity() {
    rows[3] = CVector4dh(0, 0, 0, false);
    SetRotationIdentity();
}

void CMatrix4dh::SetRotationIdentity() {
    rows[0] = CVector4dh(M::kOne, 0, 0, true);
    rows[1] = CVector4dh(0, M::kOne, 0, true);
    rows[2] = CVector4dh(0, 0, M::kOne, true);
    opCount = 0;
}

void CMatrix4dh::Orthonormalize() {
    matrix_support::Orthonormalize(rows);
    opCount = 0;
}

void CMatrix4dh::Apply(const CVector3d* r) {
    *this *= CMatrix4dh(r[0].x, r[0].y, r[0].z, r[1].x, r[1].y, r[1].z, r[2].x, r[2].y, r[2].z, 0, 0, 0, 0);
}

void CMatrix4dh::RotateX(std::int32_t angle) {
    const std::int32_t c = M::Cos(angle), s = M::Sin(angle);
    const CVector3d r[] = {{M::kOne, 0, 0}, {0, c, s}, {0, WrapNeg32(s), c}};
    Apply(r);
}

void CMatrix4dh::RotateY(std::int32_t angle) {
    const std::int32_t c = M::Cos(angle), s = M::Sin(angle);
    const CVector3d r[] = {{c, 0, WrapNeg32(s)}, {0, M::kOne, 0}, {s, 0, c}};
    Apply(r);
}

void CMatrix4dh::RotateZ(std::int32_t angle) {
    const std::int32_t c = M::Cos(angle), s = M::Sin(angle);
    const CVector3d r[] = {{c, s, 0}, {WrapNeg32(s), c, 0}, {0, 0, M::kOne}};
    Apply(r);
}

void CMatrix4dh::RotateAxis(std::int32_t angle, std::int32_t x, std::int32_t y, std::int32_t z) {
    CVector3d r[3];
    matrix_support::AxisRotation(angle, x, y, z, r);
    Apply(r);
    matrix_support::CountOperation(*this);
}

void CMatrix4dh::Translate(std::int32_t x, std::int32_t y, std::int32_t z) {
    rows[3] = CVector3d(rows[3].x, rows[3].y, rows[3].z) + CVector3d(x, y, z);
    renormalize = false;
}

void CMatrix4dh::PointZAxis(std::int32_t x, std::int32_t y, std::int32_t z) {
    matrix_support::SetFrameZ(rows, x, y, z);
    rows[0].w = rows[1].w = rows[2].w = 0;
    rows[3].w = M::kOne;
    opCount = 0;
}

void CMatrix4dh::PointYAxis(std::int32_t x, std::int32_t y, std::int32_t z) {
    matrix_support::SetFrameY(rows, x, y, z);
    rows[0].w = rows[1].w = rows[2].w = 0;
    rows[3].w = M::kOne;
    opCount = 0;
}

void CMatrix4dh::CopyRotation(const CMatrix4dh& other) {
    for (int r = 0; r < 3; ++r) {
        rows[r] = other.rows[r];
    }
    renormalize = other.renormalize;
    opCount = other.opCount;
    renormalizeInterval = other.renormalizeInterval;
}

CMatrix4dh& CMatrix4dh::operator*=(const CMatrix4dh& other) {
    Product(*this, other, *this);
    matrix_support::CountOperation(*this);
    return *this;
}

CMatrix4dh operator*(const CMatrix4dh& a, const CMatrix4dh& b) {
    CMatrix4dh product(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, a.renormalizeInterval);
    Product(a, b, product);
    return product;
}
