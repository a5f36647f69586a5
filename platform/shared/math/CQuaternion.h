// Rotation quaternion in 22.10 fixed point: the vector part x, y, z, then
// the scalar part w. A rotation quaternion has length 1024. Angles are
// degrees x 1024.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector3d.h"

class CMatrix3d;

class CQuaternion {
public:
    // Leaves the components unset.
    CQuaternion() = default;
    // Copies x, y, z, w; `values` must not be null.
    explicit CQuaternion(const std::int32_t* values);
    constexpr CQuaternion(std::int32_t x_, std::int32_t y_, std::int32_t z_, std::int32_t w_)
        : x(x_), y(y_), z(z_), w(w_) {}
    CQuaternion(std::int32_t w_, const CVector3d& v) : x(v.x), y(v.y), z(v.z), w(w_) {}
    void Set(std::int32_t x_, std::int32_t y_, std::int32_t z_, std::int32_t w_) { *this = CQuaternion(x_, y_, z_, w_); }

    static std::int32_t Dot(const CQuaternion& a, const CQuaternion& b);
    std::int32_t Length() const { return CMathFixed::Sqrt(Dot(*this, *this)); }
    // Scales to length 1024; a quaternion of length 0 stays unchanged.
    CQuaternion& Normalize();
    // This quaternion normalised into `out`, which it returns.
    CQuaternion& GetNormalized(CQuaternion& out) const;

    // s must not be 0.
    CQuaternion& operator/=(std::int32_t s);
    CQuaternion operator/(std::int32_t s) const;
    CQuaternion operator*(std::int32_t s) const;
    CQuaternion operator+(const CQuaternion& q) const;
    CQuaternion operator-() const;

    // this = this q2.
    CQuaternion& Multiply(const CQuaternion& q2);
    // Interpolation from q1 (t = 0) to q2 (t = 1024), spherical while the
    // two are more than about 18 degrees apart, else normalised linear.
    // Slerp and Nlerp take the shorter arc (q2 negated when the dot product
    // is negative); SlerpNoFlip keeps q2 as it is.
    static void Slerp(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t t);
    static void SlerpNoFlip(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t t);
    static void Nlerp(CQuaternion& out, const CQuaternion& q1, const CQuaternion& q2, std::int32_t t);

    // The rotation matrix that turns column vectors by this quaternion (with
    // the library's row vectors it turns them the opposite way); interval 0.
    void ToMatrix3d(CMatrix3d& out) const;
    // The unit axis and the angle in [0, 368640]; no turn at all (w = +-1)
    // gives the axis (1024, 0, 0).
    void ToAxisAngle(CVector3d& axis, std::int32_t& angle) const;
    // Angles about z (index 0), y (1) and x (2), the two arc tangents within
    // +-92160.
    void ToEuler(CVector3d& angles) const;
    // The vector part scaled by the half angle (in degrees x 1024, not
    // radians) over its sine, w 0; and back.
    void Log(CQuaternion& out) const;
    void Exp(CQuaternion& out) const;

    std::int32_t x;
    std::int32_t y;
    std::int32_t z;
    std::int32_t w;
};
