#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CTriangle2d.h"
#include "tests/math/Examples.h"

namespace {

using V = CVector2d;
using Seg = CLineSegment2d;

// A clockwise square room, [0, 8192] on both axes: its inside lies on the
// negative side of every edge.
const V kRoom[] = {{0, 0}, {0, 8192}, {8192, 8192}, {8192, 0}};

TEST(CLineSegment2d, Examples) {
    const Seg x(0, 0, 2048, 0), unit(0, 0, 1024, 0);
    const V min(0, 0), max(1024, 1024), triangle[] = {{0, 0}, {1, 1}, {2, 2}};
    std::int32_t t = 7, u = 7;
    V q, r;
    const auto pair = [](V p1, V q1, V p2, V q2) {
        V c1, c2;
        std::int32_t s = -1, t = -1;
        Seg::ClosestPoints(p1, q1, p2, q2, c1, c2, s, t);
        return W(c1, c2, s, t);
    };
    const auto side = [&](V p) { return W(Seg::Classify(unit, p), Seg::Classify(unit.start, unit.end, p)); };
    const auto meets = [&](Seg s) { return W(Seg::IntersectsRect(s.start, s.end, min, max)); };
    const auto edge = [&](std::int32_t index) {  // x of start, end and next
        const V *start = nullptr, *end = nullptr, *next = nullptr;
        Seg::GetPolygonEdge(triangle, 3, index, &start, &end, &next);
        return W(start->x, end->x, next->x);
    };
    ExpectAll({
        {"IntersectLines parallel: untouched",
         W(Seg::IntersectLines(V(0, 0), V(2048, 0), V(0, 1024), V(4096, 1024), t, u), t, u),
         {0, 7, 7}},
        {"Intersect", W(Seg::Intersect(x, Seg(1024, -1024, 1024, 1024), t, u), t, u), {1, 512, 512}},
        {"ClosestPoint beyond the end, before the start",
         W(Seg::ClosestPoint(x.start, x.end, V(4096, 1024), q), q, Seg::ClosestPoint(x.start, x.end, V(-1024, 5), r),
           r),
         {1024, 2048, 0, 0, 0, 0}},
        {"Classify 3, 1, 2", W(side(V(0, 1024)), side(V(0, -1024)), side(V(2048, 0))), {3, 3, 1, 1, 2, 2}},
        {"PointInRect excludes the maximum edges",
         W(Seg::PointInRect(min, min, max), Seg::PointInRect(V(1023, 1023), min, max),
           Seg::PointInRect(V(1024, 0), min, max), Seg::PointInRect(V(0, 1024), min, max)),
         {1, 1, 0, 0}},
        // Starting inside, crossing the diagonal, the bottom edge, the top edge at its corner; beside it.
        {"IntersectsRect crossings are closed",
         W(meets({512, 512, 5000, 5000}), meets({-100, 300, 2000, 700}), meets({300, -100, 700, 2000}),
           meets({0, 1024, 1024, 2048}), meets({1500, 0, 1500, 1024})),
         {1, 1, 1, 1, 0}},
        {"ClosestPoints crossing", pair(x.start, x.end, V(1024, -1024), V(1024, 1024)), {1024, 0, 1024, 0, 512, 512}},
        // Squared lengths of 1 or less are points: (700, 800)-(732, 800) is one.
        {"ClosestPoints of two points, of a point and a segment",
         W(pair(V(1000, 800), V(1000, 800), V(700, 800), V(732, 800)),
           pair(V(0, 0), V(0, 0), V(-1024, 1024), V(1024, 1024))),
         {1000, 800, 700, 800, 0, 0, 0, 0, 0, 1024, 0, 512}},
        {"GetPolygonEdge of a triangle", W(edge(2), edge(1), edge(0)), {2, 0, 1, 1, 2, 0, 0, 1, 2}},
    });
}

TEST(CCircle, Examples) {
    const Seg wall(-8192, 0, 8192, 0);
    // Both sweeps of a circle of radius r from start to end: the flags, the times, where the response leaves the end.
    const auto sweep = [&](V start, V end, std::int32_t r, std::int32_t mode) {
        std::int32_t time = -1, responseTime = -1;
        const bool hit = CCircle::SweepSegment(start, r, r, end, wall, time);
        const bool responded = CCircle::SweepSegmentResponse(start, r, r, wall, end, responseTime, mode);
        return W(hit, responded, time, responseTime, end);
    };
    const V doubled[] = {{0, 0}, {0, 8192}, {0, 0}, {0, 8192}};  // four edges on one line
    const auto polygon = [](V start, const V* vertices, V end) {
        return W(CCircle::SweepPolygon(start, 1024, vertices, 4, end, 0), end);
    };
    const auto push = [&](V centre, std::int32_t radius) {
        V position(-1, -1);
        return W(CCircle::PushOutOfPolygon(centre, radius, kRoom, 4, position), position);
    };
    const auto crossing = [](V start, V end, std::int32_t radius2, const Seg& s) {
        std::int32_t time = -1;
        return W(CCircle::SweepSegment(start, 0, radius2, end, s, time), time);
    };
    const auto capsule = [](V centre, V motion) {  // about (0, 0)-(4096, 0) moving by (512, 0), radii 0.5
        std::int32_t time = -1;
        const V velocity(512, 0);
        return W(CCircle::SweepCapsule(V(0, 0), V(4096, 0), 512, centre, 512, velocity, velocity + motion, time), time);
    };
    // Circles of radius 0.25 crossing (-4, 0)-(4, 0) of radius 0.25 at its middle.
    const auto across = [](std::int32_t x, std::int32_t y, std::int32_t& time) {
        const V velocity(300, -200);
        return CCircle::SweepCapsule(V(-4096, 0), V(4096, 0), 256, V(-x / 2, -y / 2), 256, velocity,
                                     velocity + V(x, y), time);
    };
    ExpectAll({
        {"touching at the start: time 0, mode 0 keeps the start",
         sweep(V(0, 512), V(4096, 4096), 1024, 0),
         {1, 1, 0, 0, 0, 512}},
        {"parallel, out of reach", sweep(V(-4096, 2048), V(4096, 2048), 1024, 0), {0, 0, 0, 0, 4096, 2048}},
        {"mode 1 at time 1024: no slide", sweep(V(0, 2048), V(0, 0), 0, 1), {1, 1, 1024, 1024, 0, 0}},
        // Crossing with nothing to divide by: a negative squared radius and
        // both distances 0; distances 1074106398 and -1074106398 (wrapped)
        // whose sum wraps to 0. A contact at the start.
        {"SweepSegment: no division by zero",
         W(crossing(V(1, 0), V(-1, 0), -1, Seg(0, -8192, 0, 8192)), crossing(V(0, 1048754), V(0, 63945941), 0, wall)),
         {1, 0, 1, 0}},
        // Into the corner at the origin: the left wall, then the bottom wall; the third and fourth hits are not taken.
        {"SweepPolygon stops after the second hit",
         W(polygon(V(2048, 2048), kRoom, V(-1024, -1024)), polygon(V(4096, 4096), doubled, V(-1024, 4096)),
           polygon(V(4096, 4096), kRoom, V(4096, 5000))),
         {1, 965, 965, 1, -93, 4096, 0, 4096, 5000}},
        // Clear of every wall: one pass; pushed off the left wall; centre on the wall: no direction to push
        // along; too big: 20 passes.
        {"PushOutOfPolygon",
         W(push(V(4096, 4096), 1024), push(V(512, 4096), 1024), push(V(0, 4096), 1024), push(V(4096, 4096), 8192)[0]),
         {1, 4096, 4096, 1, 1024, 4096, 0, 0, 4096, 0}},
        // Meeting the segment's line at its start, centre on the segment, moving away, parallel out of reach (nearest
        // where the path passes the segment's end, 51/1024 of the ten-motion path: half a motion, time 510).
        {"SweepCapsule",
         W(capsule(V(0, 2048), V(0, -4096)), capsule(V(0, 0), V(0, -4096)), capsule(V(2048, 2048), V(0, 1024)),
           capsule(V(2048, 4096), V(4096, 0))),
         {1, 256, 1, 0, 0, 0, 0, 510}},
        // Down across the segment's middle, its line met at t = 512: the centre reaches it at 460/1024 of the motion.
        {"SweepCapsule off the direct branch", capsule(V(2048, 1840), V(0, -4096)), {1, 460}},
        {"SweepCapsule of 20-unit crossings", CrossingsAt36Angles(across), {36, 36}},
    });
}

TEST(CTriangle2d, Examples) {
    const V a(0, 0), b(3072, 0), c(0, 3072);
    // The centroid, outside, a vertex, on an edge, beyond the ends of an edge.
    const V points[] = {{1024, 1024}, {4096, 4096}, c, {1536, 1536}, {-1, 0}, {0, 3073}, {3073, 0}};
    const auto contains = [&](V p, V q, V r) {
        Words w;
        for (const V& point : points) Put(w, CTriangle2d::ContainsPoint(p, q, r, point));
        return w;
    };
    const auto segment = [&](Seg s) { return W(CTriangle2d::IntersectSegment(a, b, c, s.start, s.end)); };
    const auto other = [&](V d, V e, V f) { return W(CTriangle2d::IntersectTriangle(a, b, c, d, e, f)); };
    const auto weights = [](V p, V q, V r, V s) {
        std::int32_t wa = -1, wb = -1, wc = -1;
        CTriangle2d::Barycentric(p, q, r, s, wa, wb, wc);
        return W(wa, wb, wc);
    };
    const auto shape = [](CTriangle2d t) { return W(t.IsIsosceles(), t.IsEquilateral()); };
    ExpectAll({
        {"ContainsPoint", contains(a, b, c), {1, 3, 1, 1, 3, 3, 3}},
        {"ContainsPoint, the other winding", contains(c, b, a), {1, 3, 1, 1, 3, 3, 3}},
        {"IntersectSegment tests only the start for containment",
         W(segment({512, 512, 1024, 1024}), segment({1024, -1024, 1024, 1024}), segment({4096, 0, 5000, 5000}),
           segment({-5000, 1024, -4096, 1024})),
         {1, 2, 3, 3}},
        {"IntersectTriangle inside, apart",
         W(other({256, 256}, {1024, 256}, {256, 1024}), other({2048, 2048}, {4096, 2048}, {2048, 4096})),
         {1, 0}},
        // The truncated inverse costs 52/1024; collinear vertices put all the weight on a.
        {"Barycentric",
         W(weights(a, b, c, a), weights(a, b, c, b), weights(a, b, V(6144, 0), b)),
         {1024, 0, 0, 52, 972, 0, 1024, 0, 0}},
        {"IsIsosceles, IsEquilateral",
         W(shape({a, b, c}), shape({a, {1024, 0}, {512, 887}}), shape({a, b, {0, 1024}})),
         {1, 0, 1, 1, 0, 0}},
    });
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
