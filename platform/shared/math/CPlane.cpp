#include "platform/shared/math/CPlane.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/MatrixSupport.h"

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CPlane";

using M = CMathFixed;
using matrix_support::Crossed;

}  // namespace

CPlane::CPlane(const std::int32_t* values) {
    DebugAssert(values != nullptr, kSourcePath, 8);
    normal.Set(values[0], values[1], values[2]);
    d = values[3];
}

void CPlane::Set(const std::int32_t* values) {
    DebugAssert(values != nullptr, kSourcePath, 153);
    normal.Set(values[0], values[1], values[2]);
    d = values[3];
}

void CPlane::Set(const CVector3d& a, const CVector3d& b, const CVector3d& c) {
    normal = Crossed(b - a, c - a).Normalize();
    d = CVector3d::Dot(a, normal);
}

std::int32_t CPlane::DominantAxis() const {
    DebugAssert(normal.x != 0 || normal.y != 0 || normal.z != 0, kSourcePath, 41);
    const std::int32_t ax = M::Abs(normal.x);
    const std::int32_t ay = M::Abs(normal.y);
    const std::int32_t az = M::Abs(normal.z);
    if (az >= ax && az >= ay) {
        return 0;
    }
    return ax < ay ? 2 : 1;
}

void CPlane::Normalize() {
    const std::int32_t length = normal.Length();
    if (length != 0) {
        normal /= length;
        d = M::Div(d, length);
    }
}

CPlane& CPlane::operator+=(std::int32_t s) {
    normal += s;
    d = WrapAdd32(d, s);
    return *this;
}

CPlane& CPlane::operator-=(std::int32_t s) {
    normal -= s;
    d = WrapSub32(d, s);
    return *this;
}

CPlane& CPlane::operator*=(std::int32_t s) {
    normal *= s;
    d = M::Mul(d, s);
    return *this;
}

CPlane& CPlane::operator/=(std::int32_t s) {
    normal /= s;
    d = M::Div(d, s);
    return *this;
}

bool CPlane::IntersectSegment(const CVector3d& p0, const CVector3d& p1, CVector3d& point, std::int32_t& t) const {
    const CVector3d direction = p1 - p0;
    const std::int32_t den = CVector3d::Dot(normal, direction);
    if (M::Abs(den) < 2) {
        return false;
    }
    t = M::Div(WrapNeg32(Distance(p0)), den);
    if (t < 0 || t > M::kOne) {
        return false;
    }
    point = p0 + direction * t;
    return true;
}

bool CPlane::IntersectionDirection(const CPlane& other, CVector3d& direction) const {
    direction = Crossed(normal, other.normal);
    return CVector3d::Dot(direction, direction) > 0;
}

bool CPlane::IntersectPlane(const CPlane& other, CVector3d& direction, CVector3d& point) const {
    if (!IntersectionDirection(other, direction)) {
        return false;
    }
    // ((dA nB - dB nA) x dir) / |dir|^2 lies on both planes.
    point = Crossed(other.normal * d - normal * other.d, direction);
    point /= CVector3d::Dot(direction, direction);
    return true;
}

bool CPlane::IntersectPlanes(const CPlane& a, const CPlane& b, const CPlane& c, CVector3d& point) {
    const CVector3d u = Crossed(b.normal, c.normal);
    const std::int32_t den = CVector3d::Dot(a.normal, u);
    if (M::Abs(den) < 1) {
        return false;
    }
    point = Crossed(a.normal, b.normal * c.d - c.normal * b.d) + u * a.d;
    point /= den;
    return true;
}
