// The fixed-point geometry against its algorithms written again with real
// arithmetic, or against the geometry they stand for (Rodrigues' formula,
// planes holding their points), on random well-conditioned cases: a fixed
// seed, coordinates within +-32.0 (+-8.0 where products of dot products
// occur; both for the closest points of two segments, which take those
// products in 64 bits), segments and triangle sides at least 2.0 long,
// crossings steeper than 17 degrees wherever a system is solved.
//
// A Real is the exact value of an expression and a bound on how far the
// fixed-point computation of the same expression can lie from it, both in
// units of 1/1024. Each operation widens the bound by its resolution (a Mul
// floors, below 1 unit; a Div truncates, below 1; CMathFixed::Sqrt steps by
// 32) and by what the operands' bounds carry through it. A comparison whose
// operands lie within their bounds of each other could go either way in
// fixed point: it marks the case unclear, and such cases are not compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <map>
#include <numbers>
#include <ostream>
#include <random>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CMatrix3d.h"
#include "platform/shared/math/CMatrix4d.h"
#include "platform/shared/math/CMatrix4dh.h"
#include "platform/shared/math/CQuaternion.h"
#include "platform/shared/math/CTriangle2d.h"
#include "platform/shared/math/CTriangle3d.h"

namespace {

bool unclear = false;

struct Real {
    Real() = default;
    Real(double value, double bound = 0) : v(value), e(bound) {}  // NOLINT(google-explicit-constructor)
    double v = 0;
    double e = 0;
};

Real operator+(Real a, Real b) { return {a.v + b.v, a.e + b.e}; }
Real operator-(Real a, Real b) { return {a.v - b.v, a.e + b.e}; }
Real operator-(Real a) { return {-a.v, a.e}; }
Real Twice(Real a) { return {2 * a.v, 2 * a.e}; }
Real Mul(Real a, Real b) {
    return {a.v * b.v / 1024, (std::fabs(a.v) * b.e + std::fabs(b.v) * a.e + a.e * b.e) / 1024 + 1};
}
Real Div(Real a, Real b) {
    const double margin = std::fabs(b.v) - b.e;
    if (margin <= 0) {
        unclear = true;  // the divisor may be 0 in fixed point
        return {0, std::numeric_limits<double>::infinity()};
    }
    const double q = a.v / b.v;
    return {1024 * q, 1024 * (a.e + std::fabs(q) * b.e) / margin + 1};
}
Real Sqrt(Real x) {
    const auto root = [](double y) { return 32 * std::sqrt(std::max(y, 0.0)); };
    return {root(x.v), root(x.v + x.e) - root(x.v - x.e) + 32};
}
Real Clamp(Real x, double low, double high) { return {std::clamp(x.v, low, high), x.e}; }
Real Abs(Real x) { return {std::fabs(x.v), x.e}; }

// The sine table lies within 8 units of the sine; an angle off by e units
// moves the sine by at most e pi / 180 units.
Real Sin(Real angle) {
    constexpr double kRadiansPerUnit = std::numbers::pi / 180 / 1024;
    return {1024 * std::sin(angle.v * kRadiansPerUnit), 8 + angle.e * 1024 * kRadiansPerUnit};
}
Real Cos(Real angle) { return Sin(angle + 92160); }

// The arc-sine table holds floor(1024 asin(i / 255) degrees) and is indexed
// by |x| / 4, so it answers for x between (|x| - 3) / 1020 and |x| / 1020
// (a right angle from 1020 on); the bound covers that over the whole range
// of x the operand's bound allows.
Real ASin(Real x) {
    const auto degrees = [](double unit) {
        return 1024 * 180 / std::numbers::pi * std::asin(std::clamp(unit, -1.0, 1.0));
    };
    const auto low = [&](double m) { return m >= 0 ? degrees((m - 3) / 1020) - 1 : -degrees(-m / 1020); };
    const auto high = [&](double m) { return m >= 0 ? degrees(m / 1020) : -(degrees((-m - 3) / 1020) - 1); };
    const double value = degrees(x.v / 1024);
    return {value, std::max(high(x.v + x.e) - value, value - low(x.v - x.e))};
}
Real ACos(Real x) { return Real(92160) - ASin(x); }

// Comparisons decide by the exact values and note when the bounds overlap
// (values without a bound are exact in fixed point too).
bool operator<(Real a, Real b) {
    if (a.e + b.e > 0 && std::fabs(a.v - b.v) <= a.e + b.e) unclear = true;
    return a.v < b.v;
}
bool operator>(Real a, Real b) { return b < a; }
bool operator<=(Real a, Real b) { return !(b < a); }
bool operator>=(Real a, Real b) { return !(a < b); }
int Sign(Real x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }

// Vectors (and quaternions, x y z w) of Reals; fixed ones convert exactly.
template <int N>
struct Vec {
    std::array<Real, N> c;
    Vec() = default;
    template <typename... T>
    requires(sizeof...(T) == N && (std::is_convertible_v<T, Real> && ...)) Vec(T... values) : c{Real(values)...} {}
    Vec(const CVector2d& v)  // NOLINT(google-explicit-constructor)
        requires(N == 2)
        : c{v.x, v.y} {}
    Vec(const CVector3d& v)  // NOLINT(google-explicit-constructor)
        requires(N == 3)
        : c{v.x, v.y, v.z} {}
    Vec(const CQuaternion& q)  // NOLINT(google-explicit-constructor)
        requires(N == 4)
        : c{q.x, q.y, q.z, q.w} {}
    Real operator[](int i) const { return c[i]; }

    template <typename Op>
    friend Vec Each(Vec a, Op op) {
        for (Real& r : a.c) r = op(r);
        return a;
    }
    friend Vec operator+(Vec a, Vec b) {
        for (int i = 0; i < N; ++i) a.c[i] = a.c[i] + b.c[i];
        return a;
    }
    friend Vec operator-(Vec a, Vec b) { return a + -b; }
    friend Vec operator-(Vec a) {
        return Each(a, [](Real r) { return -r; });
    }
    friend Vec operator*(Vec a, Real s) {
        return Each(a, [s](Real r) { return Mul(r, s); });
    }
    friend Vec operator/(Vec a, Real s) {
        return Each(a, [s](Real r) { return Div(r, s); });
    }
    friend Real Dot(Vec a, Vec b) {
        Real sum;
        for (int i = 0; i < N; ++i) sum = sum + Mul(a.c[i], b.c[i]);
        return sum;
    }
    friend Real Length(Vec a) { return Sqrt(Dot(a, a)); }
    friend Vec Normalized(Vec a) { return Length(a) > 0 ? a / Length(a) : a; }
};
using V2 = Vec<2>;
using V3 = Vec<3>;
using Q = Vec<4>;

Real Cross(V2 a, V2 b) { return Mul(a[0], b[1]) - Mul(a[1], b[0]); }
V3 Cross(V3 a, V3 b) {
    return {Mul(a[1], b[2]) - Mul(a[2], b[1]), Mul(a[2], b[0]) - Mul(a[0], b[2]), Mul(a[0], b[1]) - Mul(a[1], b[0])};
}

// Compares fixed results with their references case by case, and reports
// the largest difference seen per quantity over the cases whose decisions
// were all clear.
class Check {
public:
    void Near(double fixed, Real expected, const char* what) { pending_.push_back({what, fixed, expected}); }
    void Near(V2 fixed, V2 expected, const char* what) { NearEach(fixed, expected, what); }
    void Near(V3 fixed, V3 expected, const char* what) { NearEach(fixed, expected, what); }
    void Near(Q fixed, Q expected, const char* what) { NearEach(fixed, expected, what); }
    void Same(long long fixed, long long expected, const char* what) {
        Near(static_cast<double>(fixed), Real(static_cast<double>(expected)), what);
    }

    void EndCase() {
        const bool clear = !std::exchange(unclear, false);
        ++(clear ? compared_ : unclear_);
        for (const Pending& p : pending_) {
            if (!clear) break;
            const double error = std::fabs(p.fixed - p.expected.v);
            auto& [largest, bound] = largest_[p.what];
            largest = std::max(largest, error);
            bound = std::max(bound, p.expected.e);
            if (!(error <= p.expected.e) && failures_++ == 0) {
                first_ = std::string(p.what) + " " + std::to_string(p.fixed) + " vs " + std::to_string(p.expected.v) +
                         " +- " + std::to_string(p.expected.e) + " (case " + std::to_string(compared_) + ")";
            }
        }
        pending_.clear();
    }

    void Report(const char* name) const {
        std::printf("%s: %d cases compared, %d unclear\n", name, compared_, unclear_);
        for (const auto& [what, seen] : largest_) {
            if (seen.second > 0)
                std::printf("  %-14s largest error %7.1f units (largest bound %7.1f)\n", what.c_str(), seen.first,
                            seen.second);
        }
        EXPECT_EQ(failures_, 0) << name << ": " << first_;
        EXPECT_LE(unclear_, (compared_ + unclear_) / 10) << name << ": too few clear cases";
    }

private:
    struct Pending {
        const char* what;
        double fixed;
        Real expected;
    };
    template <int N>
    void NearEach(Vec<N> fixed, Vec<N> expected, const char* what) {
        for (int i = 0; i < N; ++i) Near(fixed[i].v, expected[i], what);
    }
    std::vector<Pending> pending_;
    std::map<std::string, std::pair<double, double>> largest_;  // error, bound
    int compared_ = 0, unclear_ = 0, failures_ = 0;
    std::string first_;
};

// The segment algorithms of both dimensions, step for step.

bool IntersectLines(V2 a0, V2 a1, V2 b0, V2 b1, Real& t, Real& u) {
    const V2 d1 = a1 - a0, d2 = b1 - b0, w = b0 - a0;
    const Real den = Cross(d1, d2);
    if (Sign(den) == 0) return false;
    t = Div(Cross(w, d2), den);
    u = Div(Cross(w, d1), den);
    return true;
}

bool IntersectCoplanar(V3 a0, V3 a1, V3 b0, V3 b1, Real& t, Real& u) {
    const V3 n = Normalized(Cross(a1 - a0, b0 - a0));
    if (Abs(Dot(n, b1) - Dot(a0, n)) >= 1) return false;
    const Real ax = Abs(n[0]), ay = Abs(n[1]), az = Abs(n[2]);
    const int axis = az >= ax && az >= ay ? 0 : (ax < ay ? 2 : 1);
    const auto flat = [axis](V3 p) { return V2(p[axis % 3], p[(axis + 1) % 3]); };  // (x, y), (y, z) or (z, x)
    return IntersectLines(flat(a0), flat(a1), flat(b0), flat(b1), t, u);
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

template <typename V>
bool SweepCapsule(V p0, V p1, Real rs, V c, Real rc, V m, Real& time, bool (*crossLines)(V, V, V, V, Real&, Real&)) {
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
    time = Mul(t, 10240);
    return Dot(c1 - c2, c1 - c2) < Mul(rs + rc, rs + rc) && time > 0;
}

Real ATanOfQuotient(Real num, Real den) {
    if (Sign(den) == 0) return Sign(num) * 92160.0;
    const Real y = Div(num, den);
    if (std::fabs(y.v) + y.e > 1e6) unclear = true;  // its square would wrap in 32 bits
    const Real a = ACos(Div(1024, Sqrt(Mul(1024, 1024) + Mul(y, y))));
    return Sign(y) < 0 ? -a : a;
}

V3 TriangleClosest(V3 a, V3 b, V3 c, V3 p) {
    const V3 ab = b - a, ac = c - a, ap = p - a, bp = p - b, cp = p - c;
    const Real d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 < 1 && d2 < 1) return a;
    const Real d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return b;
    const Real vc = Mul(d1, d4) - Mul(d3, d2);
    if (vc < 1 && d1 >= 0 && d3 < 1) return a + ab * Div(d1, d1 - d3);
    const Real d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return c;
    const Real vb = Mul(d5, d2) - Mul(d1, d6);
    if (vb < 1 && d2 >= 0 && d6 < 1) return a + ac * Div(d2, d2 - d6);
    const Real va = Mul(d3, d6) - Mul(d5, d4);
    if (va < 1 && d4 - d3 >= 0 && d5 - d6 >= 0) return b + (c - b) * Div(d4 - d3, (d4 - d3) + (d5 - d6));
    return a + ab * Div(vb, va + vb + vc) + ac * Div(vc, va + vb + vc);
}

// Random inputs.

using Rng = std::mt19937;
#ifdef VK_EXHAUSTIVE_TESTS
constexpr int kCases = 100'000;
#else
constexpr int kCases = 10'000;  // keeps the sanitizer build to seconds
#endif
constexpr double kSin17 = 0.2924;  // sin(17 degrees)

std::int32_t Uniform(Rng& rng, double low, double high) {
    return std::uniform_int_distribution<std::int32_t>(static_cast<std::int32_t>(low * 1024),
                                                       static_cast<std::int32_t>(high * 1024))(rng);
}
template <typename V>
V Point(Rng& rng, double range) {
    const auto u = [&] { return Uniform(rng, -range, range); };
    if constexpr (std::is_same_v<V, CVector2d>) {
        return V{u(), u()};
    } else {
        return V{u(), u(), u()};
    }
}
std::array<double, 3> Doubles(const CVector2d& v) { return {double(v.x), double(v.y), 0}; }
std::array<double, 3> Doubles(const CVector3d& v) { return {double(v.x), double(v.y), double(v.z)}; }
template <typename V>
double Norm(const V& v) {
    const auto [x, y, z] = Doubles(v);
    return std::hypot(x, y, z);
}
template <typename V>
bool WellCrossed(const V& a, const V& b) {
    const auto [x, y, z] = Doubles(a);
    const auto [u, v, w] = Doubles(b);
    return std::hypot(y * w - z * v, z * u - x * w, x * v - y * u) > kSin17 * Norm(a) * Norm(b);
}
// A segment at least 2.0 long crossing each of the directions steeply.
template <typename V>
std::pair<V, V> Segment(Rng& rng, double range, std::initializer_list<V> directions = {}) {
    for (;;) {
        const V a = Point<V>(rng, range), b = Point<V>(rng, range);
        bool good = Norm(b - a) >= 2048;
        for (const V& d : directions) good = good && WellCrossed(b - a, d);
        if (good) return {a, b};
    }
}
// A triangle whose sides are at least 2.0 long, its angle at p[0] steep.
template <typename V>
std::array<V, 3> Triangle(Rng& rng, double range) {
    for (;;) {
        const std::array<V, 3> p = {Point<V>(rng, range), Point<V>(rng, range), Point<V>(rng, range)};
        if (Norm(p[1] - p[0]) >= 2048 && Norm(p[2] - p[0]) >= 2048 && Norm(p[2] - p[1]) >= 2048 &&
            WellCrossed(p[1] - p[0], p[2] - p[0])) {
            return p;
        }
    }
}
// A unit direction as a fixed-point vector, and as a reference whose bound
// is the rounding of each component.
std::pair<CVector3d, V3> UnitAxis(Rng& rng) {
    std::normal_distribution<double> normal;
    const double x = normal(rng), y = normal(rng), z = normal(rng), n = std::hypot(x, y, z) / 1024;
    const CVector3d fixed(std::lround(x / n), std::lround(y / n), std::lround(z / n));
    return {fixed, V3(Real(x / n, std::fabs(fixed.x - x / n)), Real(y / n, std::fabs(fixed.y - y / n)),
                      Real(z / n, std::fabs(fixed.z - z / n)))};
}
CQuaternion UnitQuaternion(Rng& rng) {
    std::normal_distribution<double> normal;
    const double x = normal(rng), y = normal(rng), z = normal(rng), w = normal(rng);
    const double n = std::sqrt(x * x + y * y + z * z + w * w) / 1024;
    return {static_cast<std::int32_t>(std::lround(x / n)), static_cast<std::int32_t>(std::lround(y / n)),
            static_cast<std::int32_t>(std::lround(z / n)), static_cast<std::int32_t>(std::lround(w / n))};
}
CPlane RandomPlane(Rng& rng) {
    const std::int32_t words[] = {0, 0, 0, Uniform(rng, -8, 8)};
    CPlane plane(words);
    plane.normal = UnitAxis(rng).first;
    return plane;
}

// The routines and references of each dimension.
template <typename V>
struct Dim;
template <>
struct Dim<CVector2d> {
    using R = V2;
    using Segment = CLineSegment2d;
    static constexpr auto kSweepCapsule = CCircle::SweepCapsule;
    static constexpr auto kCrossLines = IntersectLines;
    // The one-argument segment form.
    static std::int32_t Distance(const CVector2d& p, const CVector2d& a, const CVector2d& b, CVector2d& closest) {
        return CVector2d::DistanceToSegment(p, CLineSegment2d(a, b), closest);
    }
};
template <>
struct Dim<CVector3d> {
    using R = V3;
    using Segment = CLineSegment3d;
    static constexpr auto kSweepCapsule = CCircle::SweepCapsule3d;
    static constexpr auto kCrossLines = IntersectCoplanar;
    static std::int32_t Distance(const CVector3d& p, const CVector3d& a, const CVector3d& b, CVector3d& closest) {
        return CVector3d::ClosestPointOnSegment(p, a, b, closest);
    }
};

template <typename V>
void ClosestPointCase(Rng& rng, Check& c) {
    using R = typename Dim<V>::R;
    const auto [a, b] = Segment<V>(rng, 32);
    const V p = Point<V>(rng, 32);
    V q, offset, closest;
    std::int32_t t = -1;
    R rq = a;
    const Real rt = ClosestPoint<R>(a, b, p, rq);
    c.Near(Dim<V>::Segment::ClosestPoint(a, b, p, q), rt, "t");
    c.Near(q, rq, "q");
    Dim<V>::Segment::ClosestOffset(a, b, p, offset, t);
    c.Near(offset, R(p) - rq, "offset");
    c.Near(t, rt, "t");
    c.Near(Dim<V>::Distance(p, a, b, closest), Length(R(p) - rq), "distance");
    c.Near(closest, rq, "q");
    if constexpr (std::is_same_v<V, CVector2d>) {  // the side of the line, and a circle of radius r about p
        const Real side = Cross(R(b) - a, R(p) - a);
        const std::int32_t r = Uniform(rng, 0, 16), r2 = CMathFixed::Mul(r, r);
        const bool touching = Dot(R(p) - rq, R(p) - rq) <= r2;
        std::int32_t circleSide = 0;
        c.Near(CVector2d::SideOfLine(p, CLineSegment2d(a, b)), side, "side");
        c.Same(CLineSegment2d::Classify(CLineSegment2d(a, b), p), Sign(side) + 2, "class");
        c.Same(CCircle::TouchesSegment(p, r2, CLineSegment2d(a, b), closest, &circleSide), touching, "touching");
        c.Same(circleSide, touching ? 2 : Sign(side) + 2, "side");
        c.Near(closest, rq, "q");
    }
}

// kRange 32 takes the products of dot products past 32 bits.
template <typename V, int kRange = 8>
void ClosestPointsCase(Rng& rng, Check& c) {
    using R = typename Dim<V>::R;
    const auto [p1, q1] = Segment<V>(rng, kRange);
    const auto [p2, q2] = Segment<V>(rng, kRange, {q1 - p1});
    V c1, c2;
    std::int32_t s = 0, t = 0;
    Dim<V>::Segment::ClosestPoints(p1, q1, p2, q2, c1, c2, s, t);
    R r1 = p1, r2 = p2;
    Real rs, rt;
    ClosestPoints<R>(p1, q1, p2, q2, r1, r2, rs, rt);
    c.Near(s, rs, "s");
    c.Near(t, rt, "t");
    c.Near(c1, r1, "c1");
    c.Near(c2, r2, "c2");
}

template <typename V>
void SweepCapsuleCase(Rng& rng, Check& c) {
    using R = typename Dim<V>::R;
    const auto [p0, p1, centre] = Triangle<V>(rng, 8);
    const V vs = Point<V>(rng, 0.4);
    V m;
    do m = Point<V>(rng, 0.8);
    while (Norm(m) < 0.2 * 1024 || !WellCrossed(m, p1 - p0));
    const std::int32_t rs = Uniform(rng, 0, 2), rc = Uniform(rng, 0, 2);
    std::int32_t time = -1;
    Real rt;
    const bool hit = Dim<V>::kSweepCapsule(p0, p1, rs, centre, rc, vs, vs + m, time);
    c.Same(hit, SweepCapsule<R>(p0, p1, rs, centre, rc, m, rt, Dim<V>::kCrossLines), "hit");
    c.Near(time, rt, "time");
}

using Seg = CLineSegment2d;

void IntersectCase(Rng& rng, Check& c) {
    const auto [a0, a1] = Segment<CVector2d>(rng, 32);
    const auto [b0, b1] = Segment<CVector2d>(rng, 32, {a1 - a0});
    std::int32_t t = 0, u = 0;
    Real rt, ru;
    c.Same(Seg::Intersect(Seg(a0, a1), Seg(b0, b1), t, u), IntersectLines(a0, a1, b0, b1, rt, ru), "crossed");
    c.Near(t, rt, "t");
    c.Near(u, ru, "u");
}

V2 Offset(V2 a, V2 b, V2 p) {
    V2 q = a;
    ClosestPoint(a, b, p, q);
    return p - q;
}

void SweepSegmentCase(Rng& rng, Check& c) {
    const auto [s0, s1] = Segment<CVector2d>(rng, 32);
    const CVector2d start = Point<CVector2d>(rng, 32), end = Point<CVector2d>(rng, 32),
                    slide = Point<CVector2d>(rng, 1);
    const std::int32_t r = Uniform(rng, 0, 8), r2 = CMathFixed::Mul(r, r);
    const std::int32_t mode = static_cast<std::int32_t>(rng() & 1);
    const bool given = (rng() & 2) != 0;
    std::int32_t time = 0, responseTime = 0;
    CVector2d moved = end;
    const bool hit = CCircle::SweepSegment(start, r, r2, end, Seg(s0, s1), time);
    const bool responded =
        CCircle::SweepSegmentResponse(start, r, r2, Seg(s0, s1), moved, responseTime, mode, given ? &slide : nullptr);
    // Within reach at the start (time 0), or at the end, or the centre crossed the line.
    const V2 off0 = Offset(s0, s1, start);
    const Real l0 = Dot(off0, off0);
    Real rt = 0;
    bool expected = l0 <= r2;
    if (!expected) {
        const V2 off1 = Offset(s0, s1, end);
        const Real l1 = Dot(off1, off1);
        expected = l1 <= r2 || Dot(off0, off1) < 0;
        if (expected) rt = Div(l0 - r2, l0 + l1);
    }
    V2 rEnd = end;
    if (expected) {
        const V2 contact = V2(start) + (V2(end) - start) * rt;
        if (mode == 0) {
            rEnd = contact;
        } else if (rt < 1024) {
            const V2 along = given ? V2(slide) : Normalized(V2(s1) - s0);
            rEnd = contact + along * Dot(V2(end) - contact, along);
        }
    }
    c.Same(hit, expected, "hit");
    c.Same(responded, expected, "responded");
    c.Near(time, rt, "time");
    c.Near(responseTime, rt, "time");
    c.Near(moved, rEnd, "end");
}

int ContainsPoint(V2 a, V2 b, V2 c, V2 p) {
    const Real s1 = Cross(b - a, p - a), s2 = Cross(c - b, p - b), s3 = Cross(a - c, p - c);
    if (Mul(s1, s2) < 0 || Mul(s1, s3) < 0) return 3;
    return Mul(s2, s3) >= 0 ? 1 : 3;
}

void TriangleSegmentCase(Rng& rng, Check& c) {
    const auto [a, b, t3] = Triangle<CVector2d>(rng, 8);
    const auto [s0, s1] = Segment<CVector2d>(rng, 8, {b - a, t3 - b, a - t3});
    std::int32_t t = -1, u = -1;
    const std::int32_t crossing = CTriangle2d::IntersectSegment(a, b, t3, s0, s1);
    const bool crossed = CTriangle2d::IntersectEdges(a, b, t3, s0, s1, t, u);
    const V2 corners[] = {a, b, t3, a};
    bool expected = false;
    Real rt = -1, ru = -1;
    for (int i = 0; i < 3 && !expected; ++i) {
        Real et, eu;
        expected = IntersectLines(corners[i], corners[i + 1], s0, s1, et, eu) && et >= 0 && et <= 1024 && eu >= 0 &&
                   eu <= 1024;
        if (expected) rt = et, ru = eu;
    }
    const int inside = ContainsPoint(a, b, t3, s0);
    c.Same(CTriangle2d::ContainsPoint(a, b, t3, s0), inside, "contains");
    c.Same(crossing, expected ? 2 : inside, "crossing");
    c.Same(crossed, expected, "crossed");
    c.Near(t, rt, "t");
    c.Near(u, ru, "u");
}

void ProductsCase(Rng& rng, Check& c) {
    std::int32_t a[16], b[16];
    for (auto& e : a) e = Uniform(rng, -8, 8);
    for (auto& e : b) e = Uniform(rng, -8, 8);
    const CVector3d v = Point<CVector3d>(rng, 8);
    // Element (r, c) of B x A: A's column c weighted by B's row r.
    const auto element = [&](int n, int r, int col, int terms) {
        Real sum;
        for (int k = 0; k < terms; ++k) sum = sum + Mul(a[n * k + col], b[n * r + k]);
        return sum;
    };
    const CMatrix3d p3 = CMatrix3d(a, 0) * CMatrix3d(b, 0);
    const CMatrix4d p4 = CMatrix4d(a, 0) * CMatrix4d(b, 0);
    const CMatrix4dh ph = CMatrix4dh(a, 0) * CMatrix4dh(b, 0);
    for (int r = 0; r < 4; ++r) {
        for (int col = 0; col < 4; ++col) {
            if (r < 3 && col < 3) c.Near(p3[3 * r + col], element(3, r, col, 3), "3x3 product");
            c.Near(p4[4 * r + col], element(4, r, col, 4), "4x4 product");
            const Real affine = col == 3 ? Real(r == 3 ? 1024 : 0) : element(4, r, col, 3) + (r == 3 ? a[12 + col] : 0);
            c.Near(ph[4 * r + col], affine, "affine product");
        }
    }
    const auto moved = [&](int n, int col) {
        return Mul(a[col], v.x) + Mul(a[n + col], v.y) + Mul(a[2 * n + col], v.z);
    };
    c.Near(CMatrix3d(a, 0) * v, V3(moved(3, 0), moved(3, 1), moved(3, 2)), "v x M");
    c.Near(CMatrix4dh(a, 0) * v, V3(moved(4, 0) + a[12], moved(4, 1) + a[13], moved(4, 2) + a[14]), "v x M + T");
}

void RotateAxisCase(Rng& rng, Check& c) {
    const auto [axis, k] = UnitAxis(rng);
    const std::int32_t angle = Uniform(rng, -360, 360);
    CMatrix3d m(1024, 0, 0, 0, 1024, 0, 0, 0, 1024, 0);
    CMatrix4dh h(1024, 0, 0, 0, 1024, 0, 0, 0, 1024, 0, 0, 0, 0);
    m.RotateAxis(angle, axis.x, axis.y, axis.z);
    h.RotateAxis(angle, axis.x, axis.y, axis.z);
    // The algorithm's rows carry the bounds: the tables' and the axis's
    // rounding. For a unit axis they equal Rodrigues' rotation
    // c I + (1 - c) k k^T + s [k]x, transposed for row vectors.
    const Real s = Sin(angle), t = Real(1024) - Cos(angle);
    const double radians = angle * std::numbers::pi / 180 / 1024;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const int other = 3 - i - j;  // the third axis when i != j
            const bool next = j == (i + 1) % 3;
            Real bound;
            if (i == j) {
                bound = Real(1024) + Mul(t, -Mul(k[(i + 1) % 3], k[(i + 1) % 3]) - Mul(k[(i + 2) % 3], k[(i + 2) % 3]));
            } else {
                bound = Mul(t, Mul(k[i], k[j])) + (next ? Mul(s, k[other]) : -Mul(s, k[other]));
            }
            double rodrigues = (1 - std::cos(radians)) * k[i].v * k[j].v / 1024;
            rodrigues += i == j ? 1024 * std::cos(radians) : (next ? 1 : -1) * std::sin(radians) * k[other].v;
            c.Near(m[3 * i + j], Real(rodrigues, bound.e), "3x3");
            c.Near(h[4 * i + j], Real(rodrigues, bound.e), "4x4h");
        }
    }
    // The rotation drifted, then orthonormalised.
    for (std::uint32_t i = 0; i < 9; ++i) m[i] += Uniform(rng, -0.01, 0.01);
    m.Orthonormalize();
    // A normalised vector may be 3% long (the root's 1/32 step), and the
    // cross product compounds two of them. Column 1 keeps the part
    // k (1 - |c0|^2) of its projection k on column 0: within 7% of k (at
    // most 35 for this drift), plus a few units of rounding.
    const CVector3d col[] = {{m[0], m[3], m[6]}, {m[1], m[4], m[7]}, {m[2], m[5], m[8]}};
    for (int i = 0; i < 3; ++i) {
        c.Near(Norm(col[i]), Real(1024, 72), "length");
        const auto [x, y, z] = Doubles(col[i]);
        const auto [u, v, w] = Doubles(col[(i + 1) % 3]);
        c.Near((x * u + y * v + z * w) / 1024, Real(0, 8), "dot");
    }
}

void QuaternionConversionsCase(Rng& rng, Check& c) {
    const CQuaternion q = UnitQuaternion(rng);
    CMatrix3d m;
    CVector3d angles;
    q.ToMatrix3d(m);
    q.ToEuler(angles);
    const auto& [x, y, z, w] = Q(q).c;
    const Real xx = Mul(x, x), yy = Mul(y, y), zz = Mul(z, z), ww = Mul(w, w), xy = Mul(x, y), xz = Mul(x, z),
               yz = Mul(y, z), wx = Mul(w, x), wy = Mul(w, y), wz = Mul(w, z);
    const Real expected[9] = {Real(1024) - Twice(yy + zz), Twice(xy - wz), Twice(xz + wy), Twice(xy + wz),
                              Real(1024) - Twice(xx + zz), Twice(yz - wx), Twice(xz - wy), Twice(yz + wx),
                              Real(1024) - Twice(xx + yy)};
    for (std::uint32_t i = 0; i < 9; ++i) c.Near(m[i], expected[i], "element");
    c.Near(angles,
           V3(ATanOfQuotient(Twice(xy + wz), xx - yy - zz + ww), ASin(Twice(wy - xz)),
              ATanOfQuotient(Twice(yz + wx), ww + zz - xx - yy)),
           "angle");
}

void SlerpCase(Rng& rng, Check& c) {
    const CQuaternion q1 = UnitQuaternion(rng), q2 = UnitQuaternion(rng);
    const std::int32_t t = Uniform(rng, 0, 1);
    CQuaternion out;
    CQuaternion::Slerp(out, q1, q2, t);
    const Real k = Dot(Q(q1), Q(q2));
    const Q near = k < 0 ? -Q(q2) : Q(q2);
    const Real theta = ACos(Abs(k)), s = Sin(theta);
    if (Abs(k) < 972) {
        c.Near(out, Q(q1) * Sin(Mul(theta, Real(1024) - t)) / s + near * Sin(Mul(theta, t)) / s, "q");
    } else {
        const Q sum = Q(q1) * (Real(1024) - t) + near * t;  // normalised linear
        c.Near(out, Normalized(sum), "q");
    }
}

void PlaneCase(Rng& rng, Check& c) {
    const auto p = Triangle<CVector3d>(rng, 8);
    const CPlane plane(p[0], p[1], p[2]);
    const V3 n = Normalized(Cross(V3(p[1]) - p[0], V3(p[2]) - p[0]));
    const Real d = Dot(V3(p[0]), n);
    c.Near(plane.normal, n, "normal");
    c.Near(plane.d, d, "d");
    for (const CVector3d& corner : p) c.Near(plane.Distance(corner), Dot(n, V3(corner)) - d, "distance");
}

void IntersectPlanesCase(Rng& rng, Check& c) {
    CPlane planes[3];
    do {
        for (auto& plane : planes) plane = RandomPlane(rng);
    } while (std::fabs(Dot(Cross(V3(planes[0].normal), planes[1].normal), planes[2].normal).v) < kSin17 * 1024);
    const V3 na = planes[0].normal, nb = planes[1].normal, nc = planes[2].normal, u = Cross(nb, nc);
    const Real den = Dot(na, u);
    const V3 common = (Cross(na, nb * planes[2].d - nc * planes[1].d) + u * planes[0].d) / den;
    CVector3d point;
    c.Same(CPlane::IntersectPlanes(planes[0], planes[1], planes[2], point), !(Abs(den) < 1), "found");
    c.Near(point, common, "point");
    // On all three planes, as far as the point's own bound allows.
    for (const CPlane& plane : planes)
        c.Near(plane.Distance(point), Dot(V3(plane.normal), common) - plane.d, "distance");
}

void TriangleClosestCase(Rng& rng, Check& c) {
    const auto v = Triangle<CVector3d>(rng, 8);
    const CVector3d p = Point<CVector3d>(rng, 8);
    CVector3d q;
    CTriangle3d::ClosestPoint(v[0], v[1], v[2], p, q);
    c.Near(q, TriangleClosest(v[0], v[1], v[2], p), "point");
}

void SphereSweepPlaneCase(Rng& rng, Check& c) {
    const CPlane plane = RandomPlane(rng);
    const CVector3d centre = Point<CVector3d>(rng, 8);
    CVector3d velocity;
    do velocity = Point<CVector3d>(rng, 8);  // crossing the plane steeply, at least 2.0 a step
    while (Norm(velocity) < 2048 || std::fabs(CVector3d::Dot(plane.normal, velocity)) < kSin17 * Norm(velocity));
    const std::int32_t radius = Uniform(rng, 0, 2);
    std::int32_t t = -1;
    CVector3d point(0, 0, 0);
    const bool hit = SphereSweepPlane(centre, radius, plane, velocity, t, point);
    const V3 n = plane.normal, v = velocity;
    const Real s = Dot(n, V3(centre)) - plane.d, den = Dot(n, v);
    Real rt = -1;
    V3 rPoint = CVector3d(0, 0, 0);
    bool expected = true;
    if (Abs(s) <= radius) {
        rt = 0;
        rPoint = centre;
    } else if (Mul(den, s) >= 0) {
        expected = false;
    } else {
        const Real side = s < 1 ? -Real(radius) : Real(radius);
        rt = Div(side - s, den);
        rPoint = V3(centre) + v * rt - n * side;
    }
    c.Same(hit, expected, "hit");
    c.Near(t, rt, "t");
    c.Near(point, rPoint, "point");
}

void SphereSweepSphereCase(Rng& rng, Check& c) {
    const CVector3d ca = Point<CVector3d>(rng, 8), cb = Point<CVector3d>(rng, 8), va = Point<CVector3d>(rng, 8);
    CVector3d vb;
    do vb = Point<CVector3d>(rng, 8);  // at least 2.0 a step apart
    while (Norm(vb - va) < 2048);
    const std::int32_t ra = Uniform(rng, 0.1, 2), rb = Uniform(rng, 0.1, 2);
    std::int32_t t = -1;
    CVector3d point(0, 0, 0);
    const bool hit = SphereSweepSphere(ca, ra, cb, rb, va, vb, t, point);
    const V3 d = V3(cb) - ca, v = V3(vb) - va;
    const Real r = Real(ra) + rb, k = Dot(d, d) - Mul(r, r), a = Dot(v, v), b = Dot(v, d);
    const Real disc = Mul(b, b) - Mul(a, k);
    Real rt = -1;
    V3 rPoint = CVector3d(0, 0, 0);
    bool expected = k < 0;
    if (expected) {
        rt = 0;
    } else if (a >= 1 && b < 0 && disc >= 0) {
        expected = true;
        rt = Div(-b - Sqrt(disc), a);
        rPoint = V3(ca) + V3(va) * rt + (d + v * rt) * Div(ra, r);
    }
    c.Same(hit, expected, "hit");
    c.Near(t, rt, "t");
    c.Near(point, rPoint, "point");
}

void TriangleIntersectSegmentCase(Rng& rng, Check& c) {
    const auto v = Triangle<CVector3d>(rng, 8);
    const CVector3d p = Point<CVector3d>(rng, 8), q = Point<CVector3d>(rng, 8);
    std::int32_t t = -1;
    const bool hit = CTriangle3d::IntersectSegment(v[0], v[1], v[2], p, q, t);
    const V3 ab = V3(v[1]) - v[0], ac = V3(v[2]) - v[0], qp = V3(p) - q, n = Cross(ab, ac), ap = V3(p) - v[0];
    const Real d = Dot(qp, n), rt = Dot(ap, n);
    const V3 e = Cross(qp, ap);
    const Real rv = Dot(ac, e), rw = -Dot(ab, e);
    const bool expected = d > 0 && rt >= 0 && rt <= d && rv >= 0 && rv <= d && rw >= 0 && rv + rw <= d;
    c.Same(hit, expected, "hit");
    if (expected) c.Near(t, Div(rt, d), "t");
}

struct Routine {
    const char* name;
    void (*run)(Rng&, Check&);
};
void PrintTo(const Routine& routine, std::ostream* out) { *out << routine.name; }

const Routine kRoutines[] = {
    {"IntersectLines", IntersectCase},
    {"ClosestPoint2d", ClosestPointCase<CVector2d>},
    {"ClosestPoints2d", ClosestPointsCase<CVector2d>},
    {"ClosestPoints2dFar", ClosestPointsCase<CVector2d, 32>},
    {"SweepSegment", SweepSegmentCase},
    {"SweepCapsule", SweepCapsuleCase<CVector2d>},
    {"Triangle2dSegment", TriangleSegmentCase},
    {"MatrixProducts", ProductsCase},
    {"RotateAxisAndOrthonormalize", RotateAxisCase},
    {"ToMatrix3dAndToEuler", QuaternionConversionsCase},
    {"Slerp", SlerpCase},
    {"PlaneThroughPoints", PlaneCase},
    {"IntersectPlanes", IntersectPlanesCase},
    {"ClosestPoint3d", ClosestPointCase<CVector3d>},
    {"ClosestPoints3d", ClosestPointsCase<CVector3d>},
    {"ClosestPoints3dFar", ClosestPointsCase<CVector3d, 32>},
    {"Triangle3dClosestPoint", TriangleClosestCase},
    {"SphereSweepPlane", SphereSweepPlaneCase},
    {"SphereSweepSphere", SphereSweepSphereCase},
    {"Triangle3dIntersectSegment", TriangleIntersectSegmentCase},
    {"SweepCapsule3d", SweepCapsuleCase<CVector3d>},
};

class Reference : public testing::TestWithParam<Routine> {};

TEST_P(Reference, AgreesWithRealArithmetic) {
    Check check;
    Rng rng(20261207);
    for (int i = 0; i < kCases; ++i) {
        GetParam().run(rng, check);
        check.EndCase();
    }
    check.Report(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Math, Reference, testing::ValuesIn(kRoutines),
                         [](const testing::TestParamInfo<Routine>& info) { return std::string(info.param.name); });

}  // namespace
