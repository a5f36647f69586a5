#include "platform/shared/math/CVector3d.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CMatrix3d.h"
#include "platform/shared/math/CMatrix4dh.h"
#include "platform/shared/math/SegmentMath.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CVector3d";
constexpr const char* kHeaderPath = "platform\\shared\\math\\inc\\CVector3d";

using M = CMathFixed;

std::int32_t Sum(std::int32_t a, std::int32_t b, std::int32_t c) { return WrapAdd32(WrapAdd32(a, b), c); }

// The rotation of one coordinate pair by (c, s): (u c + v s, -u s + v c).
void Turn(std::int32_t& u, std::int32_t& v, std::int32_t angle) {
    const std::int32_t c = M::Cos(angle);
    const std::int32_t s = M::Sin(angle);
    const std::int32_t oldU = u;
    u = WrapAdd32(M::Mul(oldU, c), M::Mul(v, s));
    v = WrapAdd32(M::Mul(oldU, WrapNeg32(s)), M::Mul(v, c));
}

// The first three components of rows r0, r1, r2 combined with the weights
// x, y, z, plus t.
template <typename Row>
CVector3d Combine(const Row& r0, const Row& r1, const Row& r2, const CVector3d& v, const CVector3d& t) {
    return {Sum(M::Mul(r0.x, v.x), M::Mul(r1.x, v.y), WrapAdd32(M::Mul(r2.x, v.z), t.x)),
            Sum(M::Mul(r0.y, v.x), M::Mul(r1.y, v.y), WrapAdd32(M::Mul(r2.y, v.z), t.y)),
            Sum(M::Mul(r0.z, v.x), M::Mul(r1.z, v.y), WrapAdd32(M::Mul(r2.z, v.z), t.z))};
}

}  // namespace

CVector3d::CVector3d(const std::int32_t* values) {
    DebugAssert(values != nullptr, kSourcePath, 18);
    Set(values[0], values[1], values[2]);
}

CVector3d& CVector3d::operator=(const std::int32_t* values) {
    DebugAssert(values != nullptr, kHeaderPath, 185);
    Set(values[0], values[1], values[2]);
    return *this;
}

std::int32_t& CVector3d::operator[](std::uint32_t index) {
    DebugAssert(index < 3, kHeaderPath, 264);
    return index == 0 ? x : (index == 1 ? y : z);
}

CVector3d& CVector3d::Cross(const CVector3d& b) {
    Set(WrapSub32(M::Mul(y, b.z), M::Mul(z, b.y)), WrapSub32(M::Mul(z, b.x), M::Mul(x, b.z)),
        WrapSub32(M::Mul(x, b.y), M::Mul(y, b.x)));
    return *this;
}

void CVector3d::Lerp(const CVector3d& b, std::int32_t t) {
    Set(WrapAdd32(x, M::Mul(t, WrapSub32(b.x, x))), WrapAdd32(y, M::Mul(t, WrapSub32(b.y, y))),
        WrapAdd32(z, M::Mul(t, WrapSub32(b.z, z))));
}

void CVector3d::RotateX(std::int32_t angle) { Turn(y, z, angle); }

void CVector3d::RotateY(std::int32_t angle) {
    // z' = x s + z c, x' = x c - z s: the pair (z, x) turned.
    Turn(z, x, angle);
}

void CVector3d::RotateZ(std::int32_t angle) { Turn(x, y, angle); }

std::int32_t CVector3d::AngleBetween(const CVector3d& a, const CVector3d& b) {
    const std::int32_t lengths = M::Mul(a.Length(), b.Length());
    if (lengths == 0) {
        return 0;
    }
    return M::ACos(M::Div(Dot(a, b), lengths));
}

std::int32_t CVector3d::ClosestPointOnSegment(const CVector3d& p, const CVector3d& a, const CVector3d& b,
                                              CVector3d& closest) {
    segment_math::ClosestPoint(a, b, p, closest);
    return (p - closest).Length();
}

std::int32_t CVector3d::ClosestPointOnSegment(const CVector3d& p, const CLineSegment3d& segment, CVector3d& closest) {
    return ClosestPointOnSegment(p, segment.start, segment.end, closest);
}

std::int32_t CVector3d::MaxComponent() const {
    const std::int32_t larger = x > y ? x : y;
    return larger > z ? larger : z;
}

CVector3d& CVector3d::Transform(const CMatrix3d& m) { return *this = m * *this; }

CVector3d& CVector3d::TransformPoint(const CMatrix4dh& m) { return *this = m * *this; }

CVector3d operator*(const CMatrix3d& m, const CVector3d& v) {
    return Combine(m.rows[0], m.rows[1], m.rows[2], v, CVector3d(0, 0, 0));
}

CVector3d operator*(const CMatrix4dh& m, const CVector3d& v) {
    const CVector4dh& t = m.rows[3];
    return Combine(m.rows[0], m.rows[1], m.rows[2], v, CVector3d(t.x, t.y, t.z));
}
