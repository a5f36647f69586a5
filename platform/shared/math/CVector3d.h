// Three-component 22.10 fixed-point vector: a point or direction in space.
// A value type with no base class; every product or quotient of components
// goes through CMathFixed::Mul and Div, and sums wrap at 32 bits. Vectors
// are rows: a matrix transforms v as v x M.
#pragma once

#include <cstdint>

#include "platform/shared/core/Wrap.h"
#include "platform/shared/math/CMathFixed.h"

class CLineSegment3d;
class CMatrix3d;
class CMatrix4dh;

class CVector3d {
public:
    // Leaves the components unset.
    CVector3d() = default;
    constexpr CVector3d(std::int32_t x_, std::int32_t y_, std::int32_t z_) : x(x_), y(y_), z(z_) {}
    // Copies three words; `values` must not be null.
    explicit CVector3d(const std::int32_t* values);
    CVector3d& operator=(const std::int32_t* values);

    void Set(std::int32_t x_, std::int32_t y_, std::int32_t z_) {
        x = x_;
        y = y_;
        z = z_;
    }

    // Component 0, 1 or 2.
    std::int32_t& operator[](std::uint32_t index);
    const std::int32_t& operator[](std::uint32_t index) const {
        return const_cast<CVector3d&>(*this)[index];
    }

    CVector3d& operator+=(const CVector3d& v) { return *this = *this + v; }
    CVector3d& operator-=(const CVector3d& v) { return *this = *this - v; }
    // The scalar added to (taken from) every component.
    CVector3d& operator+=(std::int32_t s) { return *this = *this + CVector3d(s, s, s); }
    CVector3d& operator-=(std::int32_t s) { return *this = *this - CVector3d(s, s, s); }
    CVector3d& operator*=(std::int32_t s) { return *this = *this * s; }
    // s must not be 0.
    CVector3d& operator/=(std::int32_t s) {
        Set(CMathFixed::Div(x, s), CMathFixed::Div(y, s), CMathFixed::Div(z, s));
        return *this;
    }
    CVector3d operator+(const CVector3d& v) const { return {WrapAdd32(x, v.x), WrapAdd32(y, v.y), WrapAdd32(z, v.z)}; }
    CVector3d operator-(const CVector3d& v) const { return {WrapSub32(x, v.x), WrapSub32(y, v.y), WrapSub32(z, v.z)}; }
    CVector3d operator*(std::int32_t s) const {
        return {CMathFixed::Mul(s, x), CMathFixed::Mul(s, y), CMathFixed::Mul(s, z)};
    }
    friend CVector3d operator*(std::int32_t s, const CVector3d& v) { return v * s; }

    static std::int32_t Dot(const CVector3d& a, const CVector3d& b) {
        return WrapAdd32(WrapAdd32(CMathFixed::Mul(a.x, b.x), CMathFixed::Mul(a.y, b.y)), CMathFixed::Mul(a.z, b.z));
    }
    std::int32_t Length() const { return CMathFixed::Sqrt(Dot(*this, *this)); }
    // Scales to length 1024; a vector of length 0 stays unchanged.
    CVector3d& Normalize() {
        const std::int32_t length = Length();
        if (length != 0) {
            *this /= length;
        }
        return *this;
    }
    // this = this x b (right-handed: x cross y is z).
    CVector3d& Cross(const CVector3d& b);
    // Moves toward b by the fraction t.
    void Lerp(const CVector3d& b, std::int32_t t);
    // Turns about an axis by an angle: RotateZ by 92160 takes (1024, 0, 0)
    // to (0, -1024, 0).
    void RotateX(std::int32_t angle);
    void RotateY(std::int32_t angle);
    void RotateZ(std::int32_t angle);
    // Unsigned angle in [0, 184320]; 0 when either vector has length 0.
    static std::int32_t AngleBetween(const CVector3d& a, const CVector3d& b);
    // Writes the point of the segment a-b nearest to p and returns its
    // distance from p.
    static std::int32_t ClosestPointOnSegment(const CVector3d& p, const CVector3d& a, const CVector3d& b,
                                              CVector3d& closest);
    static std::int32_t ClosestPointOnSegment(const CVector3d& p, const CLineSegment3d& segment, CVector3d& closest);
    std::int32_t MaxComponent() const;

    // v = v x m.
    CVector3d& Transform(const CMatrix3d& m);
    // v = v x m plus m's translation row.
    CVector3d& TransformPoint(const CMatrix4dh& m);
    CVector3d& operator*=(const CMatrix4dh& m) { return TransformPoint(m); }

    std::int32_t x;
    std::int32_t y;
    std::int32_t z;
};

// v x m as a new vector.
CVector3d operator*(const CMatrix3d& m, const CVector3d& v);
// v x m plus m's translation row, as a new vector.
CVector3d operator*(const CMatrix4dh& m, const CVector3d& v);
