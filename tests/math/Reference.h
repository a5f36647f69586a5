// Double-precision references for the fixed-point geometry. A Real is the
// exact value of an expression and a bound on how far the fixed-point
// computation of the same expression can lie from it, both in units of
// 1/1024. Each operation widens the bound by its resolution: a Mul floors
// (below 1 unit), a Div truncates (below 1), CMathFixed::Sqrt steps by 32;
// and by what the operands' bounds carry through it. A comparison whose
// operands lie within their bounds of each other could go either way in
// fixed point: it marks the case unclear, and such cases are not compared.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <numbers>
#include <random>
#include <string>

#include "platform/shared/math/CVector2d.h"
#include "platform/shared/math/CVector3d.h"

namespace ref {

inline bool unclear = false;

struct Real {
    Real() = default;
    Real(double value, double bound = 0) : v(value), e(bound) {}
    double v = 0;
    double e = 0;
};

inline Real operator+(Real a, Real b) { return {a.v + b.v, a.e + b.e}; }
inline Real operator-(Real a, Real b) { return {a.v - b.v, a.e + b.e}; }
inline Real operator-(Real a) { return {-a.v, a.e}; }

inline Real Mul(Real a, Real b) {
    return {a.v * b.v / 1024, (std::fabs(a.v) * b.e + std::fabs(b.v) * a.e + a.e * b.e) / 1024 + 1};
}

inline Real Div(Real a, Real b) {
    const double margin = std::fabs(b.v) - b.e;
    if (margin <= 0) {
        unclear = true;  // the divisor may be 0 in fixed point
        return {0, std::numeric_limits<double>::infinity()};
    }
    const double q = a.v / b.v;
    return {1024 * q, 1024 * (a.e + std::fabs(q) * b.e) / margin + 1};
}

inline Real Sqrt(Real x) {
    const auto root = [](double y) { return 32 * std::sqrt(std::max(y, 0.0)); };
    return {root(x.v), root(x.v + x.e) - root(x.v - x.e) + 32};
}

inline Real Clamp(Real x, double low, double high) { return {std::clamp(x.v, low, high), x.e}; }
inline Real Abs(Real x) { return {std::fabs(x.v), x.e}; }

// The sine table lies within 8 units of the sine; an angle off by e units
// moves the sine by at most e pi / 180 units.
inline Real Sin(Real angle) {
    constexpr double kRadiansPerUnit = std::numbers::pi / 180 / 1024;
    return {1024 * std::sin(angle.v * kRadiansPerUnit), 8 + angle.e * 1024 * kRadiansPerUnit};
}
inline Real Cos(Real angle) { return Sin(angle + 92160); }

// The arc-sine table holds floor(1024 asin(i / 255) degrees) and is indexed
// by |x| / 4, so it answers for x between (|x| - 3) / 1020 and |x| / 1020
// (a right angle from 1020 on); the bound covers that over the whole range
// of x the operand's bound allows.
inline Real ASin(Real x) {
    const auto degrees = [](double unit) { return 1024 * 180 / std::numbers::pi * std::asin(std::clamp(unit, -1.0, 1.0)); };
    const auto low = [&](double m) { return m >= 0 ? degrees((m - 3) / 1020) - 1 : -degrees(-m / 1020); };
    const auto high = [&](double m) { return m >= 0 ? degrees(m / 1020) : -(degrees((-m - 3) / 1020) - 1); };
    const double value = degrees(x.v / 1024);
    return {value, std::max(high(x.v + x.e) - value, value - low(x.v - x.e))};
}
inline Real ACos(Real x) { return Real(92160) - ASin(x); }

// Comparisons decide by the exact values and note when the bounds overlap
// (values without a bound are exact in fixed point too).
inline bool Less(Real a, Real b) {
    if (a.e + b.e > 0 && std::fabs(a.v - b.v) <= a.e + b.e) unclear = true;
    return a.v < b.v;
}
inline bool operator<(Real a, Real b) { return Less(a, b); }
inline bool operator>(Real a, Real b) { return Less(b, a); }
inline bool operator<=(Real a, Real b) { return !Less(b, a); }
inline bool operator>=(Real a, Real b) { return !Less(a, b); }
inline int Sign(Real x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }

// Vectors of Reals; fixed inputs convert exactly.
struct V2 {
    V2(Real x_, Real y_) : x(x_), y(y_) {}
    V2(const CVector2d& v) : x(v.x), y(v.y) {}  // NOLINT(google-explicit-constructor)
    Real x, y;
};
struct V3 {
    V3(Real x_, Real y_, Real z_) : x(x_), y(y_), z(z_) {}
    V3(const CVector3d& v) : x(v.x), y(v.y), z(v.z) {}  // NOLINT(google-explicit-constructor)
    Real x, y, z;
};
inline V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
inline V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
inline V2 operator*(V2 a, Real s) { return {Mul(a.x, s), Mul(a.y, s)}; }
inline V2 operator/(V2 a, Real s) { return {Div(a.x, s), Div(a.y, s)}; }
inline Real Dot(V2 a, V2 b) { return Mul(a.x, b.x) + Mul(a.y, b.y); }
inline Real Cross(V2 a, V2 b) { return Mul(a.x, b.y) - Mul(a.y, b.x); }
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, Real s) { return {Mul(a.x, s), Mul(a.y, s), Mul(a.z, s)}; }
inline V3 operator/(V3 a, Real s) { return {Div(a.x, s), Div(a.y, s), Div(a.z, s)}; }
inline Real Dot(V3 a, V3 b) { return Mul(a.x, b.x) + Mul(a.y, b.y) + Mul(a.z, b.z); }
inline V3 Cross(V3 a, V3 b) {
    return {Mul(a.y, b.z) - Mul(a.z, b.y), Mul(a.z, b.x) - Mul(a.x, b.z), Mul(a.x, b.y) - Mul(a.y, b.x)};
}
template <typename V>
Real Length(V a) {
    return Sqrt(Dot(a, a));
}
template <typename V>
V Normalized(V a) {
    const Real length = Length(a);
    return length > 0 ? a / length : a;
}

// The largest difference seen between fixed results and their references,
// per quantity, over the cases whose decisions were all clear.
class Errors {
public:
    explicit Errors(const char* name) : name_(name) {}
    ~Errors() {
        std::printf("%s: %d cases compared, %d unclear\n", name_, compared_, unclear_);
        for (const auto& [what, seen] : largest_)
            std::printf("  %-14s largest error %7.1f units (largest bound %7.1f)\n", what.c_str(), seen.first,
                        seen.second);
        EXPECT_EQ(failures_, 0) << name_ << ": " << firstFailure_;
        EXPECT_LE(unclear_, (compared_ + unclear_) / 10) << name_ << ": too few clear cases";
    }
    // Ends a case's reference; false when it met an unclear decision.
    bool Clear() {
        const bool clear = !unclear;
        unclear = false;
        ++(clear ? compared_ : unclear_);
        return clear;
    }
    void Near(double fixed, Real expected, const char* what) {
        const double error = std::fabs(fixed - expected.v);
        auto& seen = largest_[what];
        seen = {std::max(seen.first, error), std::max(seen.second, expected.e)};
        if (!(error <= expected.e))
            Fail(std::string(what) + " " + std::to_string(fixed) + " vs " + std::to_string(expected.v) + " +- " +
                 std::to_string(expected.e));
    }
    void Same(long long fixed, long long expected, const char* what) {
        if (fixed != expected) Fail(std::string(what) + " " + std::to_string(fixed) + " vs " + std::to_string(expected));
    }

private:
    void Fail(const std::string& message) {
        if (failures_++ == 0) firstFailure_ = message + " (case " + std::to_string(compared_) + ")";
    }
    const char* name_;
    std::map<std::string, std::pair<double, double>> largest_;  // error, bound
    int compared_ = 0;
    int unclear_ = 0;
    int failures_ = 0;
    std::string firstFailure_;
};

inline void Near(Errors& errors, const CVector2d& fixed, V2 expected, const char* what) {
    errors.Near(fixed.x, expected.x, what);
    errors.Near(fixed.y, expected.y, what);
}
inline void Near(Errors& errors, const CVector3d& fixed, V3 expected, const char* what) {
    errors.Near(fixed.x, expected.x, what);
    errors.Near(fixed.y, expected.y, what);
    errors.Near(fixed.z, expected.z, what);
}

// The segment algorithms of both dimensions, step for step.

inline bool IntersectLines(V2 a0, V2 a1, V2 b0, V2 b1, Real& t, Real& u) {
    const V2 d1 = a1 - a0, d2 = b1 - b0, w = b0 - a0;
    const Real den = Cross(d1, d2);
    if (Sign(den) == 0) return false;
    t = Div(Cross(w, d2), den);
    u = Div(Cross(w, d1), den);
    return true;
}

template <typename V>
Real ClosestPoint(V a, V b, V p, V& q) {
    const V ab = b - a;
    const Real d = Dot(p - a, ab);
    if (d <= 0) return q = a, 0;
    const Real l = Dot(ab, ab);
    if (d >= l) return q = b, 1024;
    const Real t = Div(d, l);
    q = a + ab * t;
    return t;
}

template <typename V>
void ClosestPoints(V p1, V q1, V p2, V q2, V& c1, V& c2, Real& s, Real& t) {
    const V d1 = q1 - p1, d2 = q2 - p2, r = p1 - p2;
    const Real a = Dot(d1, d1), e = Dot(d2, d2), f = Dot(d2, r);
    if (a <= 1 && e <= 1) {
        s = t = 0;
    } else if (a <= 1) {
        s = 0;
        t = Clamp(Div(f, e), 0, 1024);
    } else {
        const Real c = Dot(d1, r);
        if (e <= 1) {
            t = 0;
            s = Clamp(Div(-c, a), 0, 1024);
        } else {
            const Real b = Dot(d1, d2);
            const Real den = Mul(a, e) - Mul(b, b);
            s = Abs(den) > 1 ? Clamp(Div(Mul(b, f) - Mul(c, e), den), 0, 1024) : 0;
            const Real tn = Mul(b, s) + f;
            if (tn < 0) {
                t = 0;
                s = Clamp(Div(-c, a), 0, 1024);
            } else if (tn > e) {
                t = 1024;
                s = Clamp(Div(b - c, a), 0, 1024);
            } else {
                t = Div(tn, e);
            }
        }
    }
    c1 = p1 + d1 * s;
    c2 = p2 + d2 * t;
}

// `crossLines(a0, a1, b0, b1, t, u)` is the dimension's line crossing.
template <typename V, typename CrossLines>
bool SweepCapsule(V p0, V p1, Real rs, V c, Real rc, V m, Real& time, CrossLines crossLines) {
    Real t, u;
    if (crossLines(p0, p1, c, c + m, t, u)) {
        if (u < 0) return time = 0, false;
        if (t >= 0 && t < 1) {
            V q = p0;
            ClosestPoint(p0, p1, c, q);
            const Real dist = Length(q - c);
            time = Div(Mul(u, dist - rs - rc), dist);
            return true;
        }
    }
    const bool fromP0 = Dot(p0 - c, p0 - c) < Dot(p1 - c, p1 - c);
    V c1 = c, c2 = c;
    Real s;
    ClosestPoints(fromP0 ? p0 : p1, fromP0 ? p1 : p0, c, c + m * 10240, c1, c2, s, t);
    time = Mul(t, 102);
    return Dot(c1 - c2, c1 - c2) < Mul(rs + rc, rs + rc) && time > 0;
}

// Random cases run by one reference test: fixed seed, a count that keeps
// the sanitizer build to seconds.
#ifdef VK_EXHAUSTIVE_TESTS
constexpr int kCases = 100'000;
#else
constexpr int kCases = 10'000;
#endif

// Runs body(rng, errors) for each random case.
template <typename Body>
void Cases(const char* name, Body body) {
    Errors errors(name);
    std::mt19937 rng(20261207);
    for (int i = 0; i < kCases; ++i) body(rng, errors);
}

inline std::int32_t Uniform(std::mt19937& rng, double low, double high) {
    return std::uniform_int_distribution<std::int32_t>(static_cast<std::int32_t>(low * 1024),
                                                       static_cast<std::int32_t>(high * 1024))(rng);
}

}  // namespace ref
