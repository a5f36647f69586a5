#include "platform/shared/math/CQuaternion.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/math/CMatrix3d.h"

namespace {

using M = CMathFixed;

// Nearly equal rotations (dot product 0.949 and above) interpolate linearly.
constexpr std::int32_t kLinearBelow = 972;

std::int32_t Sum(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
    return WrapAdd32(WrapAdd32(a, b), WrapAdd32(c, d));
}

std::int32_t Twice(std::int32_t v) { return WrapMul32(2, v); }

// ATan of num / den; a zero denominator gives the right angle of the
// numerator's sign.
std::int32_t ATanOfQuotient(std::int32_t num, std::int32_t den) {
    if (den == 0) {
        return num > 0 ? M::kAngle90 : (num < 0 ? -M::kAngle90 : 0);
    }
    return M::ATan(M::Div(num, den));
}

// Whether the dot product is far enough from +-1 for the spherical form.
// Its magnitude is taken in 64 bits: the lowest int32 has none in 32, and
// its arc's sine, 0, would be divided by.
bool InSphericalRange(std::int32_t k) { return (k < 0 ? -std::int64_t{k} : k) < kLinearBelow; }

// q1 sin((1 - t) theta) / sin theta + q2 sin(t theta) / sin theta for
// theta = ACos(k), k below the linear range.
void Spherical(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t k, std::int32_t t) {
    const std::int32_t theta = M::ACos(k);
    const std::int32_t s = M::Sin(theta);
    out = q1 * M::Sin(M::Mul(theta, WrapSub32(M::kOne, t))) / s + q2 * M::Sin(M::Mul(theta, t)) / s;
}

}  // namespace

CQuaternion::CQuaternion(const std::int32_t* values) {
    DebugAssert(values != nullptr, "..\\..\\platform\\shared\\math\\src\\CQuaternion", 12);
    Set(values[0], values[1], values[2], values[3]);
}

std::int32_t CQuaternion::Dot(const CQuaternion& a, const CQuaternion& b) {
    return Sum(M::Mul(a.w, b.w), M::Mul(a.x, b.x), M::Mul(a.y, b.y), M::Mul(a.z, b.z));
}

CQuaternion& CQuaternion::Normalize() { return GetNormalized(*this); }

CQuaternion& CQuaternion::GetNormalized(CQuaternion& out) const {
    const std::int32_t length = Length();
    out = length != 0 ? *this / length : *this;
    return out;
}

CQuaternion& CQuaternion::operator/=(std::int32_t s) { return *this = *this / s; }

CQuaternion CQuaternion::operator/(std::int32_t s) const {
    return {M::Div(x, s), M::Div(y, s), M::Div(z, s), M::Div(w, s)};
}

CQuaternion CQuaternion::operator*(std::int32_t s) const {
    return {M::Mul(x, s), M::Mul(y, s), M::Mul(z, s), M::Mul(w, s)};
}

CQuaternion CQuaternion::operator+(const CQuaternion& q) const {
    return {WrapAdd32(x, q.x), WrapAdd32(y, q.y), WrapAdd32(z, q.z), WrapAdd32(w, q.w)};
}

CQuaternion CQuaternion::operator-() const { return {WrapNeg32(x), WrapNeg32(y), WrapNeg32(z), WrapNeg32(w)}; }

CQuaternion& CQuaternion::Multiply(const CQuaternion& other) {
    // From the values before the product, also when other is this.
    const CQuaternion q1 = *this;
    const CQuaternion q2 = other;
    w = Sum(M::Mul(q1.w, q2.w), WrapNeg32(M::Mul(q1.x, q2.x)), WrapNeg32(M::Mul(q1.y, q2.y)),
            WrapNeg32(M::Mul(q1.z, q2.z)));
    x = Sum(M::Mul(q1.y, q2.z), WrapNeg32(M::Mul(q1.z, q2.y)), M::Mul(q1.w, q2.x), M::Mul(q1.x, q2.w));
    y = Sum(M::Mul(q1.z, q2.x), WrapNeg32(M::Mul(q1.x, q2.z)), M::Mul(q1.w, q2.y), M::Mul(q1.y, q2.w));
    z = Sum(M::Mul(q1.x, q2.y), WrapNeg32(M::Mul(q1.y, q2.x)), M::Mul(q1.w, q2.z), M::Mul(q1.z, q2.w));
    return *this;
}

void CQuaternion::Slerp(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t t) {
    const std::int32_t k = Dot(q1, q2);
    const CQuaternion near = k < 0 ? -q2 : q2;
    if (InSphericalRange(k)) {
        Spherical(out, q1, near, M::Abs(k), t);
    } else {
        Nlerp(out, q1, near, t);
    }
}

void CQuaternion::SlerpNoFlip(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t t) {
    const std::int32_t k = Dot(q1, q2);
    if (InSphericalRange(k)) {
        Spherical(out, q1, q2, k, t);
    } else {
        Nlerp(out, q1, q2, t);
    }
}

void CQuaternion::Nlerp(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t t) {
    const CQuaternion near = Dot(q1, q2) < 0 ? -q2 : q2;
    (q1 * WrapSub32(M::kOne, t) + near * t).GetNormalized(out);
}

void CQuaternion::ToMatrix3d(CMatrix3d& out) const {
    const std::int32_t xx = M::Mul(x, x), yy = M::Mul(y, y), zz = M::Mul(z, z);
    const std::int32_t xy = M::Mul(x, y), xz = M::Mul(x, z), yz = M::Mul(y, z);
    const std::int32_t wx = M::Mul(w, x), wy = M::Mul(w, y), wz = M::Mul(w, z);
    const auto diagonal = [](std::int32_t a, std::int32_t b) { return WrapSub32(M::kOne, Twice(WrapAdd32(a, b))); };
    out = CMatrix3d(diagonal(yy, zz), Twice(WrapSub32(xy, wz)), Twice(WrapAdd32(xz, wy)),  //
                    Twice(WrapAdd32(xy, wz)), diagonal(xx, zz), Twice(WrapSub32(yz, wx)),  //
                    Twice(WrapSub32(xz, wy)), Twice(WrapAdd32(yz, wx)), diagonal(xx, yy), 0);
}

void CQuaternion::ToAxisAngle(CVector3d& axis, std::int32_t& angle) const {
    const std::int32_t half = M::ACos(w);
    const std::int32_t s = M::Sin(half);
    if (s == 0) {
        axis.Set(M::kOne, 0, 0);
    } else {
        const std::int32_t r = M::Reciprocal(s);
        axis.Set(M::Mul(x, r), M::Mul(y, r), M::Mul(z, r));
    }
    angle = Twice(half);
}

void CQuaternion::ToEuler(CVector3d& angles) const {
    const std::int32_t xx = M::Mul(x, x), yy = M::Mul(y, y), zz = M::Mul(z, z), ww = M::Mul(w, w);
    angles.x = ATanOfQuotient(Twice(WrapAdd32(M::Mul(x, y), M::Mul(z, w))),
                              Sum(xx, WrapNeg32(yy), WrapNeg32(zz), ww));
    angles.y = M::ASin(WrapMul32(-2, WrapSub32(M::Mul(x, z), M::Mul(y, w))));
    angles.z = ATanOfQuotient(Twice(WrapAdd32(M::Mul(y, z), M::Mul(x, w))),
                              Sum(ww, zz, WrapNeg32(xx), WrapNeg32(yy)));
}

void CQuaternion::Log(CQuaternion& out) const {
    const std::int32_t theta = M::ACos(w);
    const std::int32_t s = M::Sin(theta);
    if (s >= 1) {
        const std::int32_t k = M::Div(theta, s);
        out.Set(M::Mul(x, k), M::Mul(y, k), M::Mul(z, k), 0);
    } else {
        out.Set(0, 0, 0, 0);
    }
}

void CQuaternion::Exp(CQuaternion& out) const {
    const std::int32_t theta = CVector3d(x, y, z).Length();
    const std::int32_t s = M::Sin(theta);
    const std::int32_t c = M::Cos(theta);
    if (theta >= 1) {
        const std::int32_t k = M::Div(s, theta);
        out.Set(M::Mul(x, k), M::Mul(y, k), M::Mul(z, k), c);
    } else {
        out.Set(0, 0, 0, c);
    }
}
