// The 3D matrices, quaternions, planes, segments, triangles and sphere
// sweeps against their algorithms written again with real arithmetic
// (Reference.h), or against the geometry they stand for (Rodrigues' formula,
// planes holding their points), on random well-conditioned cases:
// coordinates within +-8.0, segments and triangle sides at least 2.0 long,
// crossings steeper than 17 degrees.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CMatrix3d.h"
#include "platform/shared/math/CMatrix4d.h"
#include "platform/shared/math/CMatrix4dh.h"
#include "platform/shared/math/CQuaternion.h"
#include "platform/shared/math/CTriangle3d.h"
#include "tests/math/Reference.h"

namespace {

using ref::Cases;
using ref::Real;
using ref::V2;
using ref::V3;
using Rng = std::mt19937;
using Errors = ref::Errors;

constexpr double kSin17 = 0.2924;

Real Twice(Real a) { return {2 * a.v, 2 * a.e}; }

struct Q {
    Real x, y, z, w;
};
Q Of(const CQuaternion& q) { return {q.x, q.y, q.z, q.w}; }
Q operator+(Q a, Q b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
Q operator-(Q a) { return {-a.x, -a.y, -a.z, -a.w}; }
Q operator*(Q a, Real s) { return {ref::Mul(a.x, s), ref::Mul(a.y, s), ref::Mul(a.z, s), ref::Mul(a.w, s)}; }
Q operator/(Q a, Real s) { return {ref::Div(a.x, s), ref::Div(a.y, s), ref::Div(a.z, s), ref::Div(a.w, s)}; }
Real Dot(Q a, Q b) { return ref::Mul(a.w, b.w) + ref::Mul(a.x, b.x) + ref::Mul(a.y, b.y) + ref::Mul(a.z, b.z); }
void Near(Errors& errors, const CQuaternion& fixed, Q expected, const char* what) {
    errors.Near(fixed.x, expected.x, what);
    errors.Near(fixed.y, expected.y, what);
    errors.Near(fixed.z, expected.z, what);
    errors.Near(fixed.w, expected.w, what);
}

// Random inputs.

CVector3d Point(Rng& rng, double range) {
    return {ref::Uniform(rng, -range, range), ref::Uniform(rng, -range, range), ref::Uniform(rng, -range, range)};
}
std::array<double, 3> Doubles(const CVector3d& v) { return {double(v.x), double(v.y), double(v.z)}; }
double Norm(const CVector3d& v) { return std::hypot(double(v.x), double(v.y), double(v.z)); }
// a . (b x c) for unit vectors: 1 for a right-angled frame, 0 for a flat one.
double Determinant(const CVector3d& a, const CVector3d& b, const CVector3d& c) {
    const auto [x, y, z] = Doubles(b);
    const auto [u, v, w] = Doubles(c);
    const auto [p, q, r] = Doubles(a);
    return (p * (y * w - z * v) + q * (z * u - x * w) + r * (x * v - y * u)) / (1024.0 * 1024 * 1024);
}
bool WellCrossed(const CVector3d& a, const CVector3d& b) {
    const auto [x, y, z] = Doubles(a);
    const auto [u, v, w] = Doubles(b);
    return std::hypot(y * w - z * v, z * u - x * w, x * v - y * u) > kSin17 * Norm(a) * Norm(b);
}
// Two directions from p at least 2.0 long, crossing steeply: a segment pair
// or a triangle.
std::array<CVector3d, 3> Steep(Rng& rng, double range) {
    for (;;) {
        const std::array<CVector3d, 3> p = {Point(rng, range), Point(rng, range), Point(rng, range)};
        const CVector3d d1 = p[1] - p[0], d2 = p[2] - p[0];
        if (Norm(d1) >= 2048 && Norm(d2) >= 2048 && Norm(p[2] - p[1]) >= 2048 && WellCrossed(d1, d2)) return p;
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
    const std::int32_t words[] = {0, 0, 0, ref::Uniform(rng, -8, 8)};
    CPlane plane(words);
    plane.normal = UnitAxis(rng).first;
    return plane;
}

// The algorithms again.

Real ATanOfQuotient(Real num, Real den) {
    if (ref::Sign(den) == 0) return ref::Sign(num) * 92160.0;
    const Real y = ref::Div(num, den);
    if (std::fabs(y.v) + y.e > 1e6) ref::unclear = true;  // its square would wrap in 32 bits
    const Real a = ref::ACos(ref::Div(1024, ref::Sqrt(ref::Mul(1024, 1024) + ref::Mul(y, y))));
    return ref::Sign(y) < 0 ? -a : a;
}

Q Nlerp(Q q1, Q q2, Real t) {
    const Q sum = q1 * (Real(1024) - t) + (Dot(q1, q2) < 0 ? -q2 : q2) * t;
    const Real length = ref::Sqrt(Dot(sum, sum));
    return length > 0 ? sum / length : sum;
}

V3 TriangleClosest(V3 a, V3 b, V3 c, V3 p) {
    const V3 ab = b - a, ac = c - a, ap = p - a, bp = p - b, cp = p - c;
    const Real d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 < 1 && d2 < 1) return a;
    const Real d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return b;
    const Real vc = ref::Mul(d1, d4) - ref::Mul(d3, d2);
    if (vc < 1 && d1 >= 0 && d3 < 1) return a + ab * ref::Div(d1, d1 - d3);
    const Real d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return c;
    const Real vb = ref::Mul(d5, d2) - ref::Mul(d1, d6);
    if (vb < 1 && d2 >= 0 && d6 < 1) return a + ac * ref::Div(d2, d2 - d6);
    const Real va = ref::Mul(d3, d6) - ref::Mul(d5, d4);
    if (va < 1 && d4 - d3 >= 0 && d5 - d6 >= 0) return b + (c - b) * ref::Div(d4 - d3, (d4 - d3) + (d5 - d6));
    return a + ab * ref::Div(vb, va + vb + vc) + ac * ref::Div(vc, va + vb + vc);
}

bool IntersectCoplanar(V3 a0, V3 a1, V3 b0, V3 b1, Real& t, Real& u) {
    const V3 n = ref::Normalized(Cross(a1 - a0, b0 - a0));
    if (ref::Abs(Dot(n, b1) - Dot(a0, n)) >= 1) return false;
    const Real ax = ref::Abs(n.x), ay = ref::Abs(n.y), az = ref::Abs(n.z);
    const int axis = az >= ax && az >= ay ? 0 : (ax < ay ? 2 : 1);
    const auto flat = [axis](V3 p) { return axis == 0 ? V2(p.x, p.y) : (axis == 1 ? V2(p.y, p.z) : V2(p.z, p.x)); };
    return ref::IntersectLines(flat(a0), flat(a1), flat(b0), flat(b1), t, u);
}

TEST(Space3dReference, ProductsAndTransforms) {
    Cases("matrix products and transforms", [](Rng& rng, Errors& errors) {
        std::int32_t a[16], b[16];
        for (auto& e : a) e = ref::Uniform(rng, -8, 8);
        for (auto& e : b) e = ref::Uniform(rng, -8, 8);
        const CVector3d v = Point(rng, 8);
        // Element (r, c) of B x A: A's column c weighted by B's row r.
        const auto element = [&](int n, int r, int c, int terms) {
            Real sum = 0;
            for (int k = 0; k < terms; ++k) sum = sum + ref::Mul(a[n * k + c], b[n * r + k]);
            return sum;
        };
        const CMatrix3d p3 = CMatrix3d(a, 0) * CMatrix3d(b, 0);
        const CMatrix4d p4 = CMatrix4d(a, 0) * CMatrix4d(b, 0);
        const CMatrix4dh ph = CMatrix4dh(a, 0) * CMatrix4dh(b, 0);
        const CVector3d moved = CMatrix3d(a, 0) * v, placed = CMatrix4dh(a, 0) * v;
        errors.Clear();
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                if (r < 3 && c < 3) errors.Near(p3[3 * r + c], element(3, r, c, 3), "3x3 product");
                errors.Near(p4[4 * r + c], element(4, r, c, 4), "4x4 product");
                const Real affine = c == 3 ? Real(r == 3 ? 1024 : 0) : element(4, r, c, 3) + (r == 3 ? a[12 + c] : 0);
                errors.Near(ph[4 * r + c], affine, "affine product");
            }
        }
        const V3 w = v;
        const auto transformed = [&](int n, int c) {
            return ref::Mul(a[c], w.x) + ref::Mul(a[n + c], w.y) + ref::Mul(a[2 * n + c], w.z);
        };
        ref::Near(errors, moved, V3(transformed(3, 0), transformed(3, 1), transformed(3, 2)), "v x M");
        ref::Near(errors, placed, V3(transformed(4, 0) + a[12], transformed(4, 1) + a[13], transformed(4, 2) + a[14]),
                  "v x M + T");
    });
}

TEST(Space3dReference, RotationsAndOrthonormalisation) {
    Cases("RotateAxis (Rodrigues)", [](Rng& rng, Errors& errors) {
        const auto [axis, k] = UnitAxis(rng);
        const std::int32_t angle = ref::Uniform(rng, -360, 360);
        CMatrix3d m(1024, 0, 0, 0, 1024, 0, 0, 0, 1024, 0);
        CMatrix4dh h(1024, 0, 0, 0, 1024, 0, 0, 0, 1024, 0, 0, 0, 0);
        m.RotateAxis(angle, axis.x, axis.y, axis.z);
        h.RotateAxis(angle, axis.x, axis.y, axis.z);
        // The algorithm's rows carry the bounds: the tables' and the axis's
        // rounding. For a unit axis they equal Rodrigues' rotation
        // c I + (1 - c) k k^T + s [k]x, transposed for row vectors.
        const Real s = ref::Sin(angle), t = Real(1024) - ref::Cos(angle);
        const Real kk[3] = {k.x, k.y, k.z};
        const double radians = angle * std::numbers::pi / 180 / 1024;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                Real bound;
                const int other = 3 - i - j;  // the third axis when i != j
                if (i == j) {
                    bound = Real(1024) + ref::Mul(t, -ref::Mul(kk[(i + 1) % 3], kk[(i + 1) % 3]) -
                                                         ref::Mul(kk[(i + 2) % 3], kk[(i + 2) % 3]));
                } else {
                    const Real sk = ref::Mul(s, kk[other]);
                    const Real txy = ref::Mul(t, ref::Mul(kk[i], kk[j]));
                    bound = (j == (i + 1) % 3) ? sk + txy : txy - sk;
                }
                double rodrigues = (1 - std::cos(radians)) * kk[i].v * kk[j].v / 1024;
                if (i == j) rodrigues += 1024 * std::cos(radians);
                if (i != j) rodrigues += (j == (i + 1) % 3 ? 1 : -1) * std::sin(radians) * kk[other].v;
                errors.Near(m[3 * i + j], Real(rodrigues, bound.e), "3x3");
                errors.Near(h[4 * i + j], Real(rodrigues, bound.e), "4x4h");
            }
        }
        errors.Clear();
    });
    Cases("Orthonormalize", [](Rng& rng, Errors& errors) {
        const auto axis = UnitAxis(rng).first;
        CMatrix3d m(1024, 0, 0, 0, 1024, 0, 0, 0, 1024, 0);
        m.RotateAxis(ref::Uniform(rng, -360, 360), axis.x, axis.y, axis.z);
        for (std::uint32_t i = 0; i < 9; ++i) m[i] += ref::Uniform(rng, -0.01, 0.01);  // drift
        m.Orthonormalize();
        errors.Clear();
        // A normalised vector may be 3% long (the root's 1/32 step), and the
        // cross product compounds two of them. Column 1 keeps the part
        // k (1 - |c0|^2) of its projection k on column 0: within 7% of k
        // (at most 35 for this drift), plus a few units of rounding.
        const CVector3d c[] = {{m[0], m[3], m[6]}, {m[1], m[4], m[7]}, {m[2], m[5], m[8]}};
        for (int i = 0; i < 3; ++i) {
            errors.Near(Norm(c[i]), Real(1024, 72), "length");
            const auto [x, y, z] = Doubles(c[i]);
            const auto [u, v, w] = Doubles(c[(i + 1) % 3]);
            errors.Near((x * u + y * v + z * w) / 1024, Real(0, 8), "dot");
        }
    });
}

TEST(Space3dReference, Quaternions) {
    Cases("ToMatrix3d", [](Rng& rng, Errors& errors) {
        const CQuaternion q = UnitQuaternion(rng);
        CMatrix3d m;
        q.ToMatrix3d(m);
        const Q r = Of(q);
        using ref::Mul;
        const Real xx = Mul(r.x, r.x), yy = Mul(r.y, r.y), zz = Mul(r.z, r.z), xy = Mul(r.x, r.y), xz = Mul(r.x, r.z),
                   yz = Mul(r.y, r.z), wx = Mul(r.w, r.x), wy = Mul(r.w, r.y), wz = Mul(r.w, r.z);
        const Real expected[9] = {Real(1024) - Twice(yy + zz), Twice(xy - wz), Twice(xz + wy),
                                  Twice(xy + wz), Real(1024) - Twice(xx + zz), Twice(yz - wx),
                                  Twice(xz - wy), Twice(yz + wx), Real(1024) - Twice(xx + yy)};
        errors.Clear();
        for (std::uint32_t i = 0; i < 9; ++i) errors.Near(m[i], expected[i], "element");
    });
    Cases("Slerp", [](Rng& rng, Errors& errors) {
        const CQuaternion q1 = UnitQuaternion(rng), q2 = UnitQuaternion(rng);
        const std::int32_t t = ref::Uniform(rng, 0, 1);
        CQuaternion out;
        CQuaternion::Slerp(out, q1, q2, t);
        Real k = Dot(Of(q1), Of(q2));
        const Q near = k < 0 ? -Of(q2) : Of(q2);
        if (k < 0) k = -k;
        Q expected{};
        if (k < 972) {
            const Real theta = ref::ACos(k), s = ref::Sin(theta);
            expected = Of(q1) * ref::Sin(ref::Mul(theta, Real(1024) - t)) / s + near * ref::Sin(ref::Mul(theta, t)) / s;
        } else {
            expected = Nlerp(Of(q1), near, t);
        }
        if (errors.Clear()) Near(errors, out, expected, "q");
    });
    Cases("ToEuler", [](Rng& rng, Errors& errors) {
        const CQuaternion q = UnitQuaternion(rng);
        CVector3d angles;
        q.ToEuler(angles);
        const Q r = Of(q);
        using ref::Mul;
        const Real xx = Mul(r.x, r.x), yy = Mul(r.y, r.y), zz = Mul(r.z, r.z), ww = Mul(r.w, r.w);
        const V3 expected(ATanOfQuotient(Twice(Mul(r.x, r.y) + Mul(r.z, r.w)), xx - yy - zz + ww),
                          ref::ASin(Twice(Mul(r.y, r.w) - Mul(r.x, r.z))),
                          ATanOfQuotient(Twice(Mul(r.y, r.z) + Mul(r.x, r.w)), ww + zz - xx - yy));
        if (errors.Clear()) ref::Near(errors, angles, expected, "angle");
    });
}

TEST(Space3dReference, Planes) {
    Cases("CPlane through three points", [](Rng& rng, Errors& errors) {
        const auto p = Steep(rng, 8);
        const CPlane plane(p[0], p[1], p[2]);
        const V3 n = ref::Normalized(Cross(V3(p[1]) - p[0], V3(p[2]) - p[0]));
        const Real d = Dot(V3(p[0]), n);
        if (!errors.Clear()) return;
        ref::Near(errors, plane.normal, n, "normal");
        errors.Near(plane.d, d, "d");
        for (const CVector3d& corner : p) errors.Near(plane.Distance(corner), Dot(n, V3(corner)) - d, "distance");
    });
    Cases("IntersectPlanes", [](Rng& rng, Errors& errors) {
        CPlane planes[3];
        do {
            for (auto& plane : planes) plane = RandomPlane(rng);
        } while (std::fabs(Determinant(planes[0].normal, planes[1].normal, planes[2].normal)) < kSin17);
        const V3 na = planes[0].normal, nb = planes[1].normal, nc = planes[2].normal;
        const Real da = planes[0].d, db = planes[1].d, dc = planes[2].d;
        CVector3d point;
        const bool found = CPlane::IntersectPlanes(planes[0], planes[1], planes[2], point);
        const V3 u = Cross(nb, nc);
        const Real den = Dot(na, u);
        const bool expected = !(ref::Abs(den) < 1);
        const V3 common = (Cross(na, nb * dc - nc * db) + u * da) / den;
        if (!errors.Clear()) return;
        errors.Same(found, expected, "found");
        ref::Near(errors, point, common, "point");
        // On all three planes, as far as the point's own bound allows.
        for (const CPlane& plane : planes) {
            errors.Near(plane.Distance(point), Dot(V3(plane.normal), common) - plane.d, "distance");
        }
    });
}

TEST(Space3dReference, ClosestPoints) {
    Cases("CLineSegment3d::ClosestPoint", [](Rng& rng, Errors& errors) {
        const auto p = Steep(rng, 32);
        CVector3d q, closest;
        const std::int32_t t = CLineSegment3d::ClosestPoint(p[0], p[1], p[2], q);
        const std::int32_t distance = CVector3d::ClosestPointOnSegment(p[2], p[0], p[1], closest);
        V3 rq = p[0];
        const Real rt = ref::ClosestPoint<V3>(p[0], p[1], p[2], rq);
        if (!errors.Clear()) return;
        errors.Near(t, rt, "t");
        ref::Near(errors, q, rq, "q");
        errors.Near(distance, ref::Length(V3(p[2]) - rq), "distance");
    });
    Cases("CLineSegment3d::ClosestPoints", [](Rng& rng, Errors& errors) {
        std::array<CVector3d, 4> p;
        do {
            for (auto& point : p) point = Point(rng, 8);
        } while (Norm(p[1] - p[0]) < 2048 || Norm(p[3] - p[2]) < 2048 || !WellCrossed(p[1] - p[0], p[3] - p[2]));
        CVector3d c1, c2;
        std::int32_t s = 0, t = 0;
        CLineSegment3d::ClosestPoints(p[0], p[1], p[2], p[3], c1, c2, s, t);
        V3 r1 = p[0], r2 = p[2];
        Real rs, rt;
        ref::ClosestPoints<V3>(p[0], p[1], p[2], p[3], r1, r2, rs, rt);
        if (!errors.Clear()) return;
        errors.Near(s, rs, "s");
        errors.Near(t, rt, "t");
        ref::Near(errors, c1, r1, "c1");
        ref::Near(errors, c2, r2, "c2");
    });
    Cases("CTriangle3d::ClosestPoint", [](Rng& rng, Errors& errors) {
        const auto v = Steep(rng, 8);
        const CVector3d p = Point(rng, 8);
        CVector3d q;
        CTriangle3d::ClosestPoint(v[0], v[1], v[2], p, q);
        const V3 expected = TriangleClosest(v[0], v[1], v[2], p);
        if (errors.Clear()) ref::Near(errors, q, expected, "point");
    });
}

TEST(Space3dReference, SweepTimes) {
    Cases("SphereSweepPlane", [](Rng& rng, Errors& errors) {
        const CPlane plane = RandomPlane(rng);
        const CVector3d centre = Point(rng, 8);
        CVector3d velocity;
        do velocity = Point(rng, 8);  // crossing the plane steeply, at least 2.0 a step
        while (Norm(velocity) < 2048 || std::fabs(CVector3d::Dot(plane.normal, velocity)) < kSin17 * Norm(velocity));
        const std::int32_t radius = ref::Uniform(rng, 0, 2);
        std::int32_t t = -1;
        CVector3d point(0, 0, 0);
        const bool hit = SphereSweepPlane(centre, radius, plane, velocity, t, point);
        const V3 n = plane.normal, c = centre, v = velocity;
        const Real s = Dot(n, c) - plane.d, den = Dot(n, v);
        Real rt = -1;
        V3 rPoint = CVector3d(0, 0, 0);
        bool expected = true;
        if (ref::Abs(s) <= radius) {
            rt = 0;
            rPoint = c;
        } else if (ref::Mul(den, s) >= 0) {
            expected = false;
        } else {
            const Real side = s < 1 ? -Real(radius) : Real(radius);
            rt = ref::Div(side - s, den);
            rPoint = c + v * rt - n * side;
        }
        if (!errors.Clear()) return;
        errors.Same(hit, expected, "hit");
        errors.Near(t, rt, "t");
        ref::Near(errors, point, rPoint, "point");
    });
    Cases("SphereSweepSphere", [](Rng& rng, Errors& errors) {
        const CVector3d ca = Point(rng, 8), cb = Point(rng, 8), va = Point(rng, 8);
        CVector3d vb;
        do vb = Point(rng, 8);  // at least 2.0 a step apart
        while (Norm(vb - va) < 2048);
        const std::int32_t ra = ref::Uniform(rng, 0.1, 2), rb = ref::Uniform(rng, 0.1, 2);
        std::int32_t t = -1;
        CVector3d point(0, 0, 0);
        const bool hit = SphereSweepSphere(ca, ra, cb, rb, va, vb, t, point);
        const V3 d = V3(cb) - ca, v = V3(vb) - va;
        const Real r = Real(ra) + rb, k = Dot(d, d) - ref::Mul(r, r), a = Dot(v, v), b = Dot(v, d);
        const Real disc = ref::Mul(b, b) - ref::Mul(a, k);
        Real rt = -1;
        V3 rPoint = CVector3d(0, 0, 0);
        bool expected = false;
        if (k < 0) {
            rt = 0;
            expected = true;
        } else if (a >= 1 && b < 0 && disc >= 0) {
            rt = ref::Div(-b - ref::Sqrt(disc), a);
            rPoint = V3(ca) + V3(va) * rt + (d + v * rt) * ref::Div(ra, r);
            expected = true;
        }
        if (!errors.Clear()) return;
        errors.Same(hit, expected, "hit");
        errors.Near(t, rt, "t");
        ref::Near(errors, point, rPoint, "point");
    });
    Cases("CTriangle3d::IntersectSegment", [](Rng& rng, Errors& errors) {
        const auto v = Steep(rng, 8);
        const CVector3d p = Point(rng, 8), q = Point(rng, 8);
        std::int32_t t = -1;
        const bool hit = CTriangle3d::IntersectSegment(v[0], v[1], v[2], p, q, t);
        const V3 ab = V3(v[1]) - v[0], ac = V3(v[2]) - v[0], qp = V3(p) - q, n = Cross(ab, ac), ap = V3(p) - v[0];
        const Real d = Dot(qp, n), rt = Dot(ap, n);
        const V3 e = Cross(qp, ap);
        const Real rv = Dot(ac, e), rw = -Dot(ab, e);
        const bool expected = d > 0 && rt >= 0 && rt <= d && rv >= 0 && rv <= d && rw >= 0 && rv + rw <= d;
        if (!errors.Clear()) return;
        errors.Same(hit, expected, "hit");
        if (expected) errors.Near(t, ref::Div(rt, d), "t");
    });
    Cases("SweepCapsule3d", [](Rng& rng, Errors& errors) {
        const auto p = Steep(rng, 8);
        const CVector3d vs = Point(rng, 0.4);
        CVector3d m;
        do m = Point(rng, 0.8);
        while (Norm(m) < 0.2 * 1024 || !WellCrossed(m, p[1] - p[0]));
        const std::int32_t rs = ref::Uniform(rng, 0, 2), rc = ref::Uniform(rng, 0, 2);
        std::int32_t time = -1;
        const bool hit = CCircle::SweepCapsule3d(p[0], p[1], rs, p[2], rc, vs, vs + m, time);
        Real rt;
        const bool expected = ref::SweepCapsule<V3>(p[0], p[1], rs, p[2], rc, m, rt, IntersectCoplanar);
        if (!errors.Clear()) return;
        errors.Same(hit, expected, "hit");
        errors.Near(time, rt, "time");
    });
}

}  // namespace
