#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CTriangle2d.h"

namespace {

using V = CVector2d;
using Seg = CLineSegment2d;
using XY = std::pair<std::int32_t, std::int32_t>;
XY Of(const V& v) { return {v.x, v.y}; }

TEST(CLineSegment2d, CrossingsClosestPointsAndSides) {
    std::int32_t t = 7, u = 7;
    EXPECT_TRUE(Seg::Intersect(Seg(0, 0, 2048, 0), Seg(1024, -1024, 1024, 1024), t, u));
    EXPECT_EQ(XY(t, u), XY(512, 512));
    t = u = 7;
    EXPECT_FALSE(Seg::IntersectLines(V(0, 0), V(2048, 0), V(0, 1024), V(4096, 1024), t, u));
    EXPECT_EQ(XY(t, u), XY(7, 7));

    const struct {
        V p;
        std::int32_t t;
        V q;
    } closest[] = {{{4096, 1024}, 1024, {2048, 0}}, {{-1024, 5}, 0, {0, 0}}, {{512, -9}, 256, {512, 0}}};
    for (const auto& c : closest) {
        V q, offset;
        std::int32_t offsetT = -1;
        EXPECT_EQ(Seg::ClosestPoint(V(0, 0), V(2048, 0), c.p, q), c.t);
        EXPECT_EQ(Of(q), Of(c.q));
        EXPECT_EQ(Of(Seg::ClosestOffset(Seg(0, 0, 2048, 0), c.p, offset, offsetT)), Of(c.p - c.q));
        EXPECT_EQ(offsetT, c.t);
    }
    V q;
    EXPECT_EQ(Seg::ClosestPoint(V(5, 5), V(5, 5), V(900, 0), q), 0);  // a point segment gives its start
    EXPECT_EQ(Of(q), XY(5, 5));
    EXPECT_EQ(V::DistanceToSegment(V(0, 1024), Seg(-1024, 0, 1024, 0), q), 1024);
    EXPECT_EQ(Of(q), XY(0, 0));

    const Seg x(0, 0, 1024, 0);
    const std::pair<V, std::int32_t> sides[] = {{{0, 1024}, 3}, {{0, -1024}, 1}, {{2048, 0}, 2}};
    for (const auto& [p, side] : sides) {
        EXPECT_EQ(Seg::Classify(x, p), side);
        EXPECT_EQ(Seg::Classify(x.start, x.end, p), side);
        EXPECT_EQ(V::SideOfLine(p, x), (side - 2) * 1024);
    }
}

TEST(CLineSegment2d, ClosestPointsOfTwoSegments) {
    const struct {
        Seg a, b;
        V c1, c2;
        std::int32_t s, t;
    } cases[] = {
        {{0, 0, 2048, 0}, {1024, -1024, 1024, 1024}, {1024, 0}, {1024, 0}, 512, 512},  // crossing
        {{5, 6, 5, 6}, {700, 800, 700, 800}, {5, 6}, {700, 800}, 0, 0},               // two points
        {{0, 0, 0, 0}, {-1024, 1024, 1024, 1024}, {0, 0}, {0, 1024}, 0, 512},         // a point and a segment
        {{0, 0, 2048, 0}, {3072, 1024, 3072, 1024}, {2048, 0}, {3072, 1024}, 1024, 0},
        {{0, 0, 2048, 0}, {-1024, 1024, -2048, 3072}, {0, 0}, {-1024, 1024}, 0, 0},  // nearest at both starts
        {{0, 0, 2048, 0}, {4096, 2048, 3072, 1024}, {2048, 0}, {3072, 1024}, 1024, 1024},  // at both ends
    };
    for (const auto& c : cases) {
        V c1, c2;
        std::int32_t s = -1, t = -1;
        Seg::ClosestPoints(c.a.start, c.a.end, c.b.start, c.b.end, c1, c2, s, t);
        EXPECT_EQ(Of(c1), Of(c.c1)) << c.b.start.x;
        EXPECT_EQ(Of(c2), Of(c.c2)) << c.b.start.x;
        EXPECT_EQ(XY(s, t), XY(c.s, c.t)) << c.b.start.x;
    }
}

TEST(CLineSegment2d, RectanglesAndPolygonEdges) {
    const V min(0, 0), max(1024, 1024);
    const std::pair<V, bool> points[] = {{min, true}, {{1023, 1023}, true}, {{1024, 0}, false}, {{0, 1024}, false}};
    for (const auto& [p, in] : points) EXPECT_EQ(Seg::PointInRect(p, min, max), in) << p.x << ", " << p.y;
    const std::pair<Seg, bool> segments[] = {
        {{512, 512, 5000, 5000}, true},    // starts inside
        {{-100, 300, 2000, 700}, true},    // through the left and right edges: crosses the diagonal
        {{300, -100, 700, 2000}, true},    // through the bottom and top edges
        {{0, 1024, 1024, 2048}, true},     // touches the top edge at its corner
        {{1500, 0, 1500, 1024}, false},    // beside it
        {{-100, 1500, 2000, 1600}, false},
    };
    for (const auto& [s, meets] : segments) EXPECT_EQ(Seg::IntersectsRect(s.start, s.end, min, max), meets) << s.start.x;

    const V quad[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    const std::int32_t edges[][5] = {  // count, index, start, end, next
        {3, 2, 2, 0, 1}, {3, 1, 1, 2, 0}, {3, 0, 0, 1, 2}, {4, 3, 3, 0, 1}, {4, 2, 2, 3, 0}, {4, 0, 0, 1, 2}};
    for (const auto& e : edges) {
        const V *start = nullptr, *end = nullptr, *next = nullptr;
        Seg::GetPolygonEdge(quad, e[0], e[1], &start, &end, &next);
        EXPECT_EQ(XY(start->x, end->x), XY(e[2], e[3])) << e[0] << " " << e[1];
        EXPECT_EQ(next->x, e[4]) << e[0] << " " << e[1];
    }
}

// A clockwise square room, [0, 8192] on both axes: its inside lies on the
// negative side of every edge.
const V kRoom[] = {{0, 0}, {0, 8192}, {8192, 8192}, {8192, 0}};

TEST(CCircle, SegmentContacts) {
    const Seg wall(-8192, 0, 8192, 0);
    V closest;
    std::int32_t side = 0;
    EXPECT_TRUE(CCircle::TouchesSegment(V(100, 1000), 1024, wall, closest, &side));
    EXPECT_EQ(XY(side, closest.x), XY(2, 96));  // the parameter steps 16 units along this wall
    EXPECT_FALSE(CCircle::TouchesSegment(V(100, -1100), 1024, wall, closest, &side));
    EXPECT_EQ(side, 1);

    const struct {
        V start, end;
        std::int32_t mode;
        bool hit;
        std::int32_t time;
        V stopped;
    } sweeps[] = {
        {{0, 512}, {4096, 4096}, 0, true, 0, {0, 512}},        // touching at the start: time 0, stays there
        {{0, 2048}, {1024, -1024}, 0, true, 614, {614, 206}},  // stops at the contact
        {{0, 2048}, {1024, -1024}, 1, true, 614, {1024, 206}},  // slides along the wall
        {{0, 2048}, {0, 0}, 1, true, 1024, {0, 0}},             // radius 0 ends on the wall: time 1024, no slide
        {{-4096, 2048}, {4096, 2048}, 0, false, 0, {4096, 2048}},  // parallel, out of reach
        {{0, 4096}, {0, -4096}, 0, true, 480, {0, 256}},          // crosses the wall between two steps
    };
    for (const auto& s : sweeps) {
        const std::int32_t r = s.time == 1024 ? 0 : 1024;
        std::int32_t time = -1;
        V end = s.end;
        EXPECT_EQ(CCircle::SweepSegment(s.start, r, r, s.end, wall, time), s.hit) << s.start.x << " " << s.end.x;
        EXPECT_EQ(CCircle::SweepSegmentResponse(s.start, r, r, wall, end, time, s.mode), s.hit);
        EXPECT_EQ(time, s.time) << s.start.x << " " << s.end.x;
        EXPECT_EQ(Of(end), Of(s.stopped)) << s.start.x << " " << s.end.x;
    }
    const V up(0, 1024);
    V end(1024, -1024);
    std::int32_t time = -1;
    EXPECT_TRUE(CCircle::SweepSegmentResponse(V(0, 2048), 1024, 1024, wall, end, time, 1, &up));
    EXPECT_EQ(Of(end), XY(614, -1024));  // the rest of the motion along the given direction
}

TEST(CCircle, PolygonSweepsAndPushes) {
    V end(-1024, -1024);  // into the corner at the origin: the left wall, then the bottom wall
    EXPECT_TRUE(CCircle::SweepPolygon(V(2048, 2048), 1024, kRoom, 4, end, 0));
    EXPECT_EQ(Of(end), XY(965, 965));
    // Four edges on one line: the third and fourth hits are never taken.
    const V doubled[] = {{0, 0}, {0, 8192}, {0, 0}, {0, 8192}};
    end.Set(-1024, 4096);
    EXPECT_TRUE(CCircle::SweepPolygon(V(4096, 4096), 1024, doubled, 4, end, 0));
    EXPECT_EQ(Of(end), XY(-93, 4096));
    end.Set(4096, 5000);
    EXPECT_FALSE(CCircle::SweepPolygon(V(4096, 4096), 1024, kRoom, 4, end, 0));
    EXPECT_EQ(Of(end), XY(4096, 5000));

    const struct {
        V centre;
        std::int32_t radius;
        bool done;
        V position;
    } pushes[] = {
        {{4096, 4096}, 1024, true, {4096, 4096}},  // clear of every wall: one pass, unmoved
        {{512, 4096}, 1024, true, {1024, 4096}},   // pushed off the left wall to touching distance
        {{0, 4096}, 1024, false, {0, 4096}},       // centre on the wall: no direction, never moved
    };
    for (const auto& p : pushes) {
        V position(-1, -1);
        EXPECT_EQ(CCircle::PushOutOfPolygon(p.centre, p.radius, kRoom, 4, position), p.done) << p.centre.x;
        EXPECT_EQ(Of(position), Of(p.position)) << p.centre.x;
    }
    V position;
    EXPECT_FALSE(CCircle::PushOutOfPolygon(V(4096, 4096), 8192, kRoom, 4, position));  // too big: 20 passes
}

TEST(CCircle, CapsuleSweeps) {
    const struct {
        V centre, motion;
        bool hit;
        std::int32_t time;
    } cases[] = {
        {{0, 2048}, {0, -4096}, true, 256},   // the path meets the segment's line at its start
        {{0, 0}, {0, -4096}, true, 0},        // centre on the segment: contact at once
        {{2048, 2048}, {0, 1024}, false, 0},  // moving away from the segment's line
        {{2048, 4096}, {0, -4096}, true, 10},  // closest approach of the tenfold path, a tenth of its parameter
        {{2048, 4096}, {4096, 0}, false, 5},  // parallel, out of reach
    };
    const V segmentVelocity(512, 0);
    for (const auto& c : cases) {
        std::int32_t time = -1;
        EXPECT_EQ(CCircle::SweepCapsule(V(0, 0), V(4096, 0), 512, c.centre, 512, segmentVelocity,
                                        segmentVelocity + c.motion, time),
                  c.hit)
            << c.centre.x << ", " << c.centre.y;
        EXPECT_EQ(time, c.time) << c.centre.x << ", " << c.centre.y;
    }
}

TEST(CTriangle2d, ContainmentAndCrossings) {
    const V a(0, 0), b(3072, 0), c(0, 3072);
    const std::pair<V, std::int32_t> points[] = {{{1024, 1024}, 1}, {{4096, 4096}, 3}, {a, 1}, {c, 1}, {{1536, 1536}, 1},
                                                 {{-1, 0}, 3}, {{0, 3073}, 3}, {{3073, 0}, 3}};  // beyond the ends of an edge
    for (const auto& [p, in] : points) {
        EXPECT_EQ(CTriangle2d::ContainsPoint(a, b, c, p), in) << p.x << ", " << p.y;
        EXPECT_EQ(CTriangle2d::ContainsPoint(c, b, a, p), in) << p.x << ", " << p.y;
    }
    const std::pair<Seg, std::int32_t> segments[] = {
        {{512, 512, 1024, 1024}, 1}, {{1024, -1024, 1024, 1024}, 2}, {{4096, 0, 5000, 5000}, 3},
        {{1024, 1024, 9000, 9000}, 2}, {{-5000, 1024, -4096, 1024}, 3}};
    for (const auto& [s, result] : segments) EXPECT_EQ(CTriangle2d::IntersectSegment(a, b, c, s.start, s.end), result);
    std::int32_t t = -1, u = -1;
    EXPECT_TRUE(CTriangle2d::IntersectEdges(a, b, c, V(1024, -1024), V(1024, 1024), t, u));
    EXPECT_EQ(XY(t, u), XY(341, 512));
    t = u = -1;
    EXPECT_FALSE(CTriangle2d::IntersectEdges(a, b, c, V(512, 512), V(1024, 1024), t, u));
    EXPECT_EQ(XY(t, u), XY(-1, -1));

    const struct {
        V d, e, f;
        bool meets;
    } triangles[] = {{{256, 256}, {1024, 256}, {256, 1024}, true},       // inside
                     {{-1024, -1024}, {8192, -1024}, {-1024, 8192}, true},  // around
                     {{2048, 2048}, {4096, 2048}, {2048, 4096}, false},    // apart
                     {{1024, -1024}, {2048, 1024}, {1024, 1024}, true}};   // edges cross
    for (const auto& o : triangles) EXPECT_EQ(CTriangle2d::IntersectTriangle(a, b, c, o.d, o.e, o.f), o.meets);
}

TEST(CTriangle2d, WeightsAndShapes) {
    const V a(0, 0), b(3072, 0), c(0, 3072);
    const struct {
        V a, b, c, p;
        std::int32_t wa, wb, wc;
    } weights[] = {{a, b, c, a, 1024, 0, 0},
                   {a, b, c, b, 52, 972, 0},  // the truncated inverse costs 52/1024
                   {a, b, {6144, 0}, b, 1024, 0, 0}};  // collinear: all on a
    for (const auto& w : weights) {
        std::int32_t wa = -1, wb = -1, wc = -1;
        CTriangle2d::Barycentric(w.a, w.b, w.c, w.p, wa, wb, wc);
        EXPECT_EQ(wa, w.wa);
        EXPECT_EQ(XY(wb, wc), XY(w.wb, w.wc));
    }
    const struct {
        CTriangle2d t;
        bool isosceles, equilateral;
    } shapes[] = {{{a, b, c}, true, false},
                  {{a, {1024, 0}, {512, 887}}, true, true},
                  {{a, b, {0, 1024}}, false, false}};
    for (const auto& s : shapes) {
        EXPECT_EQ(s.t.IsIsosceles(), s.isosceles) << s.t.c.y;
        EXPECT_EQ(s.t.IsEquilateral(), s.equilateral) << s.t.c.y;
    }
}

TEST(Geometry2dDeathTest, AssertionsNameTheirSourceLines) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const V* start = nullptr;
    EXPECT_DEATH(Seg::GetPolygonEdge(kRoom, 4, 0, &start, nullptr),
                 "File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\src\\\\CLineSegment2d, Line: 311\n");
    V end(0, 0);
    std::int32_t time;
    EXPECT_DEATH(CCircle::SweepSegmentResponse(V(0, 0), 0, 0, Seg(0, 0, 1, 1), end, time, 2),
                 "File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\src\\\\CCircle, Line: 110\n");
    EXPECT_DEATH(CCircle::PushOutOfPolygon(V(0, 0), 0, nullptr, 0, end),
                 "File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\src\\\\CCircle, Line: 157\n");
}

// Wrapping sums and products are the routines' own; the sanitizer build
// holds every other step to defined behaviour, whatever the input.
TEST(Geometry2d, AnyInputStaysDefined) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    const auto point = [&] { return V(any(rng), any(rng)); };
    std::int64_t sink = 0;
    const auto keep = [&](auto... results) { ((sink ^= results), ...); };
    for (int i = 0; i < 20000; ++i) {
        const V p[] = {point(), point(), point(), point(), point(), point()};
        const Seg s(p[0], p[1]);
        std::int32_t t = 0, u = 0, w = 0, side = 0;
        V q(0, 0), r(0, 0), end = p[3];
        keep(Seg::IntersectLines(p[0], p[1], p[2], p[3], t, u), t, u, Seg::ClosestOffset(s, p[2], q, t).x);
        keep(Seg::Classify(s, p[3]), V::SideOfLine(p[4], s), V::DistanceToSegment(p[2], s, q));
        Seg::ClosestPoints(p[0], p[1], p[2], p[3], q, r, t, u);
        keep(q.x, r.y, t, u, Seg::IntersectsRect(p[0], p[1], p[2], p[3]));
        keep(CCircle::TouchesSegment(p[2], any(rng), s, q, &side), side);
        keep(CCircle::SweepSegmentResponse(p[2], any(rng), any(rng), s, end, t, i & 1, i & 2 ? &p[4] : nullptr));
        keep(CCircle::SweepPolygon(p[2], any(rng), p, 6, end, i & 1), end.x);
        keep(CCircle::PushOutOfPolygon(p[2], any(rng), p, 6, q), q.y);
        keep(CCircle::SweepCapsule(p[0], p[1], any(rng), p[2], any(rng), p[3], p[4], t), t);
        keep(CTriangle2d::IntersectSegment(p[0], p[1], p[2], p[3], p[4]),
             CTriangle2d::IntersectEdges(p[0], p[1], p[2], p[3], p[4], t, u),
             CTriangle2d::IntersectTriangle(p[0], p[1], p[2], p[3], p[4], p[5]));
        CTriangle2d::Barycentric(p[0], p[1], p[2], p[3], t, u, w);
        keep(t, u, w, CTriangle2d(p[0], p[1], p[2]).IsIsosceles(), CTriangle2d(p[3], p[4], p[5]).IsEquilateral());
    }
    EXPECT_NE(sink, 1);  // keeps the results alive
}

}  // namespace
