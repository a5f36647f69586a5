// Two-component 22.10 fixed-point vector: positions, directions and steps in
// the plane. A value type with no base class; every product or quotient of
// components goes through CMathFixed::Mul and CMathFixed::Div, and sums wrap
// at 32 bits.
#pragma once

#include <cstdint>

#include "platform/shared/core/Wrap.h"
#include "platform/shared/math/CMathFixed.h"

class CLineSegment2d;
class CMatrix2d;

class CVector2d {
public:
    // Leaves both components unset.
    CVector2d() = default;
    constexpr CVector2d(std::int32_t x_, std::int32_t y_) : x(x_), y(y_) {}

    void SetZero() { x = y = 0; }
    void Set(std::int32_t x_, std::int32_t y_) {
        x = x_;
        y = y_;
    }

    CVector2d& operator+=(const CVector2d& v) {
        x = WrapAdd32(x, v.x);
        y = WrapAdd32(y, v.y);
        return *this;
    }
    CVector2d& operator-=(const CVector2d& v) {
        x = WrapSub32(x, v.x);
        y = WrapSub32(y, v.y);
        return *this;
    }
    CVector2d operator+(const CVector2d& v) const { return {WrapAdd32(x, v.x), WrapAdd32(y, v.y)}; }
    CVector2d operator-(const CVector2d& v) const { return {WrapSub32(x, v.x), WrapSub32(y, v.y)}; }

    CVector2d& operator*=(std::int32_t s) {
        x = CMathFixed::Mul(x, s);
        y = CMathFixed::Mul(y, s);
        return *this;
    }
    CVector2d operator*(std::int32_t s) const { return {CMathFixed::Mul(x, s), CMathFixed::Mul(y, s)}; }
    friend CVector2d operator*(std::int32_t s, const CVector2d& v) {
        return {CMathFixed::Mul(s, v.x), CMathFixed::Mul(s, v.y)};
    }
    // s must not be 0.
    CVector2d& operator/=(std::int32_t s) {
        x = CMathFixed::Div(x, s);
        y = CMathFixed::Div(y, s);
        return *this;
    }
    CVector2d operator/(std::int32_t s) const { return {CMathFixed::Div(x, s), CMathFixed::Div(y, s)}; }

    // v = v x m (row vector times matrix).
    CVector2d& operator*=(const CMatrix2d& m);

    static std::int32_t Dot(const CVector2d& a, const CVector2d& b) {
        return WrapAdd32(CMathFixed::Mul(a.x, b.x), CMathFixed::Mul(a.y, b.y));
    }
    std::int32_t Length() const { return CMathFixed::Sqrt(Dot(*this, *this)); }

    // Scales to length 1024; a vector of length 0 stays unchanged.
    CVector2d& Normalize() {
        const std::int32_t length = Length();
        if (length != 0) {
            *this /= length;
        }
        return *this;
    }

    // Moves toward `to` by the fraction t.
    void Lerp(const CVector2d& to, std::int32_t t);
    // Turns by an angle; a positive angle turns the x axis toward the y axis.
    void Rotate(std::int32_t angle);
    // Direction in [0, 368640); the zero vector gives 92160.
    std::int32_t Angle() const;

    // Unsigned angle between two vectors in [0, 184320]; 0 when either has
    // length 0.
    static std::int32_t AngleBetween(const CVector2d& a, const CVector2d& b);
    // Signed turn from the direction of a to that of b, in [-184320, 184320].
    static std::int32_t AngleTo(const CVector2d& a, const CVector2d& b);
    // Distance from p to the segment start-end; the closest point of the
    // segment goes to `closest`.
    static std::int32_t DistanceToSegment(const CVector2d& p, const CVector2d& start, const CVector2d& end,
                                          CVector2d& closest);
    static std::int32_t DistanceToSegment(const CVector2d& p, const CLineSegment2d& segment, CVector2d& closest);
    // Positive when p lies on the side of the line a-b toward which a positive
    // rotation turns the direction a-b; 0 on the line.
    static std::int32_t SideOfLine(const CVector2d& p, const CVector2d& a, const CVector2d& b);
    static std::int32_t SideOfLine(const CVector2d& p, const CLineSegment2d& segment);
    // Winding number of the closed polygon vertices[0..count) around p; 0
    // outside.
    static std::int32_t WindingNumber(const CVector2d& p, const CVector2d* vertices, std::int32_t count);

    std::int32_t x;
    std::int32_t y;
};

// v x m as a new vector.
CVector2d operator*(const CMatrix2d& m, const CVector2d& v);
