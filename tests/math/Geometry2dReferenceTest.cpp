// The 2D segment, circle and triangle routines against their algorithms
// written again with real arithmetic (RealBound.h), on random well-conditioned
// cases: coordinates within +-32.0 (+-8.0 where products of products occur),
// segments at least 2.0 long, crossings steeper than 17 degrees wherever a
// 2x2 system is solved.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CTriangle2d.h"
#include "tests/math/Reference.h"

namespace {

using ref::Real;
using Seg = CLineSegment2d;

using ref::V2;
bool IsUnit(Real t) { return t >= 0 && t <= 1024; }

// The algorithms again, step for step.

using ref::IntersectLines;

bool SegmentsCross(V2 a0, V2 a1, V2 b0, V2 b1) {
    Real t, u;
    return IntersectLines(a0, a1, b0, b1, t, u) && IsUnit(t) && IsUnit(u);
}

V2 Offset(V2 a, V2 b, V2 p) {
    V2 q = a;
    ref::ClosestPoint(a, b, p, q);
    return p - q;
}

Real Side(V2 e0, V2 e1, V2 p) { return Cross(e1 - e0, p - e0); }

int Classify(V2 a, V2 b, V2 p) { return ref::Sign(Side(a, b, p)) + 2; }

bool SweepSegment(V2 start, Real r2, V2 end, V2 s0, V2 s1, Real& time) {
    time = 0;
    const V2 off0 = Offset(s0, s1, start);
    const Real l0 = Dot(off0, off0);
    if (l0 <= r2) return true;
    const V2 off1 = Offset(s0, s1, end);
    const Real l1 = Dot(off1, off1);
    if (!(l1 <= r2 || Dot(off0, off1) < 0)) return false;
    time = ref::Div(l0 - r2, l0 + l1);
    return true;
}

int ContainsPoint(V2 a, V2 b, V2 c, V2 p) {
    const Real s1 = Side(a, b, p), s2 = Side(b, c, p), s3 = Side(c, a, p);
    if (ref::Mul(s1, s2) < 0 || ref::Mul(s1, s3) < 0) return 3;
    return ref::Mul(s2, s3) >= 0 ? 1 : 3;
}

// Random cases.

constexpr double kSin17 = 0.2924;  // sin(17 degrees)

CVector2d Point(std::mt19937& rng, double range) {
    return {ref::Uniform(rng, -range, range), ref::Uniform(rng, -range, range)};
}
double Norm(const CVector2d& d) { return std::hypot(static_cast<double>(d.x), static_cast<double>(d.y)); }
bool WellCrossed(const CVector2d& d1, const CVector2d& d2) {
    return std::fabs(static_cast<double>(d1.x) * d2.y - static_cast<double>(d1.y) * d2.x) > kSin17 * Norm(d1) * Norm(d2);
}
Seg Segment(std::mt19937& rng, double range) {
    Seg s;
    do s.Set(Point(rng, range), Point(rng, range));
    while (Norm(s.end - s.start) < 2048);
    return s;
}
// Segments that cross every one of `lines` (pairs of points) steeply.
template <std::size_t N>
Seg SteepSegment(std::mt19937& rng, double range, const CVector2d (&lines)[N][2]) {
    for (;;) {
        const Seg s = Segment(rng, range);
        bool steep = true;
        for (const auto& line : lines) steep = steep && WellCrossed(s.end - s.start, line[1] - line[0]);
        if (steep) return s;
    }
}

using ref::Cases;

TEST(Geometry2dReference, SegmentCrossingsAndRectangles) {
    Cases("IntersectLines", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg a = Segment(rng, 32);
        const CVector2d along[][2] = {{a.start, a.end}};
        const Seg b = SteepSegment(rng, 32, along);
        std::int32_t t = 0, u = 0;
        const bool crossed = Seg::Intersect(a, b, t, u);
        Real rt, ru;
        const bool expected = IntersectLines(a.start, a.end, b.start, b.end, rt, ru);
        if (!errors.Clear()) return;
        errors.Same(crossed, expected, "crossed");
        errors.Near(t, rt, "t");
        errors.Near(u, ru, "u");
    });
    Cases("IntersectsRect", [](std::mt19937& rng, ref::Errors& errors) {
        const CVector2d min = Point(rng, 32);
        const CVector2d max = min + CVector2d(ref::Uniform(rng, 2, 32), ref::Uniform(rng, 2, 32));
        const CVector2d sides[][2] = {{min, {max.x, min.y}}, {min, max}};
        const Seg s = SteepSegment(rng, 32, sides);
        const bool meets = Seg::IntersectsRect(s.start, s.end, min, max);
        const CVector2d topLeft(min.x, max.y), bottomRight(max.x, min.y);
        const bool expected = Seg::PointInRect(s.start, min, max) || Seg::PointInRect(s.end, min, max) ||
                              SegmentsCross(s.start, s.end, min, bottomRight) ||
                              SegmentsCross(s.start, s.end, min, max) ||
                              SegmentsCross(s.start, s.end, topLeft, max);
        if (errors.Clear()) errors.Same(meets, expected, "meets");
    });
}

TEST(Geometry2dReference, ClosestPointsAndSides) {
    Cases("ClosestOffset/DistanceToSegment", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg s = Segment(rng, 32);
        const CVector2d p = Point(rng, 32);
        CVector2d offset, closest;
        std::int32_t t = 0;
        Seg::ClosestOffset(s, p, offset, t);
        const std::int32_t distance = CVector2d::DistanceToSegment(p, s, closest);
        V2 rq = p;
        const Real rt = ref::ClosestPoint<V2>(s.start, s.end, p, rq);
        if (!errors.Clear()) return;
        errors.Near(t, rt, "t");
        Near(errors, offset, V2(p) - rq, "offset");
        Near(errors, closest, rq, "closest");
        errors.Near(distance, Length(V2(p) - rq), "distance");
    });
    Cases("Classify/SideOfLine", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg s = Segment(rng, 32);
        const CVector2d p = Point(rng, 32);
        const Real side = Side(s.start, s.end, p);
        const int expected = Classify(s.start, s.end, p);
        if (!errors.Clear()) return;
        errors.Near(CVector2d::SideOfLine(p, s), side, "side");
        errors.Same(Seg::Classify(s, p), expected, "class");
        errors.Same(Seg::Classify(s.start, s.end, p), expected, "class");
    });
    Cases("ClosestPoints", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg a = Segment(rng, 8);
        const CVector2d along[][2] = {{a.start, a.end}};
        const Seg b = SteepSegment(rng, 8, along);
        CVector2d c1, c2;
        std::int32_t s = 0, t = 0;
        Seg::ClosestPoints(a.start, a.end, b.start, b.end, c1, c2, s, t);
        V2 r1 = a.start, r2 = b.start;
        Real rs, rt;
        ref::ClosestPoints<V2>(a.start, a.end, b.start, b.end, r1, r2, rs, rt);
        if (!errors.Clear()) return;
        errors.Near(s, rs, "s");
        errors.Near(t, rt, "t");
        Near(errors, c1, r1, "c1");
        Near(errors, c2, r2, "c2");
    });
}

TEST(Geometry2dReference, CircleContacts) {
    Cases("TouchesSegment", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg s = Segment(rng, 32);
        const CVector2d centre = Point(rng, 32);
        const std::int32_t r = ref::Uniform(rng, 0, 16), r2 = CMathFixed::Mul(r, r);
        CVector2d closest;
        std::int32_t side = 0;
        const bool touching = CCircle::TouchesSegment(centre, r2, s, closest, &side);
        V2 q = centre;
        ref::ClosestPoint<V2>(s.start, s.end, centre, q);
        const V2 off = V2(centre) - q;
        const bool expected = Dot(off, off) <= r2;
        const int expectedSide = expected ? 2 : Classify(s.start, s.end, centre);
        if (!errors.Clear()) return;
        errors.Same(touching, expected, "touching");
        errors.Same(side, expectedSide, "side");
        Near(errors, closest, q, "closest");
    });
    Cases("SweepSegment(Response)", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg s = Segment(rng, 32);
        const CVector2d start = Point(rng, 32), end = Point(rng, 32), slide = Point(rng, 1);
        const std::int32_t r = ref::Uniform(rng, 0, 8), r2 = CMathFixed::Mul(r, r);
        const std::int32_t mode = static_cast<std::int32_t>(rng() & 1);
        const bool given = (rng() & 2) != 0;
        std::int32_t time = 0, responseTime = 0;
        CVector2d moved = end;
        const bool hit = CCircle::SweepSegment(start, r, r2, end, s, time);
        const bool responded =
            CCircle::SweepSegmentResponse(start, r, r2, s, moved, responseTime, mode, given ? &slide : nullptr);
        Real rt;
        const bool expected = SweepSegment(start, r2, end, s.start, s.end, rt);
        V2 rEnd = end;
        if (expected) {
            const V2 contact = V2(start) + (V2(end) - start) * rt;
            if (mode == 0) {
                rEnd = contact;
            } else if (rt < 1024) {
                V2 along = given ? V2(slide) : V2(s.end - s.start);
                if (!given) along = along / Length(along);
                rEnd = contact + along * Dot(V2(end) - contact, along);
            }
        }
        if (!errors.Clear()) return;
        errors.Same(hit, expected, "hit");
        errors.Same(responded, expected, "responded");
        errors.Near(time, rt, "time");
        errors.Near(responseTime, rt, "response time");
        Near(errors, moved, rEnd, "end");
    });
    Cases("SweepCapsule", [](std::mt19937& rng, ref::Errors& errors) {
        const Seg s = Segment(rng, 8);
        const CVector2d centre = Point(rng, 8), vs = Point(rng, 0.4);
        CVector2d m;
        do m = Point(rng, 0.8);
        while (Norm(m) < 0.2 * 1024 || !WellCrossed(m, s.end - s.start));
        const std::int32_t rs = ref::Uniform(rng, 0, 2), rc = ref::Uniform(rng, 0, 2);
        std::int32_t time = -1;
        const bool hit = CCircle::SweepCapsule(s.start, s.end, rs, centre, rc, vs, vs + m, time);
        Real rt;
        const bool expected = ref::SweepCapsule<V2>(s.start, s.end, rs, centre, rc, m, rt, ref::IntersectLines);
        if (!errors.Clear()) return;
        errors.Same(hit, expected, "hit");
        errors.Near(time, rt, "time");
    });
}

TEST(Geometry2dReference, Triangles) {
    Cases("ContainsPoint", [](std::mt19937& rng, ref::Errors& errors) {
        const CVector2d a = Point(rng, 8), b = Point(rng, 8), c = Point(rng, 8), p = Point(rng, 8);
        const int expected = ContainsPoint(a, b, c, p);
        if (errors.Clear()) errors.Same(CTriangle2d::ContainsPoint(a, b, c, p), expected, "contains");
    });
    Cases("IntersectSegment/Edges", [](std::mt19937& rng, ref::Errors& errors) {
        const CVector2d a = Point(rng, 8), b = Point(rng, 8), c = Point(rng, 8);
        const CVector2d edges[][2] = {{a, b}, {b, c}, {c, a}};
        const Seg s = SteepSegment(rng, 8, edges);
        std::int32_t t = -1, u = -1;
        const std::int32_t crossing = CTriangle2d::IntersectSegment(a, b, c, s.start, s.end);
        const bool crossed = CTriangle2d::IntersectEdges(a, b, c, s.start, s.end, t, u);
        int expected = 0;
        Real rt = -1, ru = -1;
        for (const auto& e : edges) {
            Real et, eu;
            if (expected == 0 && IntersectLines(e[0], e[1], s.start, s.end, et, eu) && IsUnit(et) && IsUnit(eu)) {
                expected = 2;
                rt = et;
                ru = eu;
            }
        }
        const int expectedCrossing = expected != 0 ? 2 : ContainsPoint(a, b, c, s.start);
        if (!errors.Clear()) return;
        errors.Same(crossing, expectedCrossing, "crossing");
        errors.Same(crossed, expected != 0, "crossed");
        errors.Near(t, rt, "t");
        errors.Near(u, ru, "u");
    });
    Cases("IntersectTriangle", [](std::mt19937& rng, ref::Errors& errors) {
        CVector2d a[3], b[3];
        bool steep = false;
        while (!steep) {
            for (auto& v : a) v = Point(rng, 8);
            for (auto& v : b) v = Point(rng, 8);
            steep = true;
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) steep = steep && WellCrossed(a[(i + 1) % 3] - a[i], b[(j + 1) % 3] - b[j]);
        }
        bool expected = false;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) expected = expected || SegmentsCross(b[j], b[(j + 1) % 3], a[i], a[(i + 1) % 3]);
        expected = expected || ContainsPoint(a[0], a[1], a[2], b[0]) == 1 || ContainsPoint(b[0], b[1], b[2], a[0]) == 1;
        if (errors.Clear()) errors.Same(CTriangle2d::IntersectTriangle(a[0], a[1], a[2], b[0], b[1], b[2]), expected, "meets");
    });
}

}  // namespace
