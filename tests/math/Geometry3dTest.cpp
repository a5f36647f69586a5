#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CFrustum.h"
#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CMatrix3d.h"
#include "platform/shared/math/CMatrix4d.h"
#include "platform/shared/math/CMatrix4dh.h"
#include "platform/shared/math/CQuaternion.h"
#include "platform/shared/math/CTriangle2d.h"
#include "platform/shared/math/CTriangle3d.h"
#include "platform/shared/math/CTriangleMesh.h"

namespace {

using V = CVector3d;
using T3 = CTriangle3d;
using XYZ = std::array<std::int32_t, 3>;
using XYZW = std::array<std::int32_t, 4>;
XYZ Of(const V& v) { return {v.x, v.y, v.z}; }
XYZW Of(const CQuaternion& q) { return {q.x, q.y, q.z, q.w}; }
constexpr std::int32_t ONE = 1024;

CPlane Plane(std::int32_t nx, std::int32_t ny, std::int32_t nz, std::int32_t d) {
    const std::int32_t words[] = {nx, ny, nz, d};
    return CPlane(words);
}

TEST(CPlane, ThroughPointsDistancesAndAxes) {
    const CPlane p(V(0, 0, 0), V(ONE, 0, 0), V(0, ONE, 0));
    EXPECT_EQ(Of(p.normal), XYZ({0, 0, ONE}));
    EXPECT_EQ(p.d, 0);
    EXPECT_EQ(p.Distance(V(0, 0, 5120)), 5120);
    EXPECT_EQ(XYZ({CPlane::Classify(5120), CPlane::Classify(0), CPlane::Classify(-1)}), XYZ({1, 2, 3}));
    EXPECT_EQ(XYZ({Plane(0, 0, ONE, 0).DominantAxis(), Plane(ONE, ONE, 0, 0).DominantAxis(),
                   Plane(0, ONE, 0, 0).DominantAxis()}),
              XYZ({0, 1, 2}));  // ties go to z, then x
    CPlane scaled = Plane(0, 0, 2048, 4096);
    scaled.Normalize();
    EXPECT_EQ(XYZW({scaled.normal.x, scaled.normal.y, scaled.normal.z, scaled.d}), XYZW({0, 0, ONE, 2048}));
    CPlane flat = Plane(0, 0, 0, 5);
    flat.Normalize();
    EXPECT_EQ(flat.d, 5);

    const CPlane ground = Plane(0, 0, ONE, 0);
    const struct {
        V p0, p1;
        bool hit;
        std::int32_t t;
        V point;
    } segments[] = {{{0, 0, -ONE}, {0, 0, ONE}, true, 512, {0, 0, 0}},
                    {{0, 0, 5}, {ONE, 0, 5}, false, 77, {9, 9, 9}},          // parallel: t untouched
                    {{0, 0, -2048}, {0, 0, -ONE}, false, 2048, {9, 9, 9}}};  // ends before the plane
    for (const auto& s : segments) {
        std::int32_t t = 77;
        V point(9, 9, 9);
        EXPECT_EQ(ground.IntersectSegment(s.p0, s.p1, point, t), s.hit) << s.p0.z;
        EXPECT_EQ(t, s.t) << s.p0.z;
        EXPECT_EQ(Of(point), Of(s.point)) << s.p0.z;
    }
}

TEST(CPlane, LinesAndPointsOfPlanes) {
    // z = 0 and a plane at 45 degrees through x = 1: the point lies on both.
    V direction, point;
    EXPECT_TRUE(Plane(0, 0, ONE, 0).IntersectPlane(Plane(724, 0, 724, 724), direction, point));
    EXPECT_EQ(Of(direction), XYZ({0, 724, 0}));
    EXPECT_EQ(Of(point), XYZ({1026, 0, 0}));
    point.Set(9, 9, 9);
    EXPECT_FALSE(Plane(0, 0, ONE, 0).IntersectPlane(Plane(0, 0, ONE, ONE), direction, point));
    EXPECT_EQ(Of(point), XYZ({9, 9, 9}));
    EXPECT_FALSE(Plane(0, 0, ONE, 0).IntersectionDirection(Plane(0, 0, -ONE, 7), direction));
    EXPECT_TRUE(CPlane::IntersectPlanes(Plane(ONE, 0, 0, ONE), Plane(0, ONE, 0, 2048), Plane(0, 0, ONE, 3072), point));
    EXPECT_EQ(Of(point), XYZ({ONE, 2048, 3072}));
    EXPECT_FALSE(CPlane::IntersectPlanes(Plane(ONE, 0, 0, ONE), Plane(ONE, 0, 0, 2048), Plane(0, 0, ONE, 0), point));
}

TEST(CQuaternion, ProductsAndInterpolation) {
    const CQuaternion identity(0, 0, 0, ONE), q(100, 200, 300, 400);
    CQuaternion product = identity;
    EXPECT_EQ(Of(product.Multiply(q)), Of(q));
    CQuaternion x(ONE, 0, 0, 0);
    EXPECT_EQ(Of(x.Multiply(x)), XYZW({0, 0, 0, -ONE}));  // from the old values
    CQuaternion zero(0, 0, 0, 0), out;
    EXPECT_EQ(Of(zero.Normalize()), XYZW({0, 0, 0, 0}));
    EXPECT_EQ(Of(CQuaternion(0, 0, 0, 2048).GetNormalized(out)), Of(identity));

    const CQuaternion quarter(0, 0, 724, 724);  // 90 degrees about z
    const struct {
        CQuaternion q2;
        std::int32_t t;
        XYZW expected;
        bool flip;
    } slerps[] = {{quarter, 0, {0, 0, 0, ONE}, true},     {quarter, ONE, {0, 0, 724, 724}, true},
                  {-quarter, ONE, {0, 0, 724, 724}, true},  // the shorter arc: -q2
                  {-quarter, ONE, {0, 0, -724, -724}, false}};
    for (const auto& s : slerps) {
        s.flip ? CQuaternion::Slerp(out, identity, s.q2, s.t) : CQuaternion::SlerpNoFlip(out, identity, s.q2, s.t);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(Of(out)[i], s.expected[i], 2) << s.t << " " << s.flip;
    }
    CQuaternion half;
    CQuaternion::Slerp(half, identity, quarter, 512);
    EXPECT_EQ(Of(half), XYZW({0, 0, 387, 936}));  // (sin, cos) of 22.5 degrees: (392, 946) before the tables
    // Nearly equal rotations take the normalised linear path.
    const CQuaternion near(0, 0, 100, 1019);
    CQuaternion linear;
    CQuaternion::Slerp(out, identity, near, 512);
    CQuaternion::Nlerp(linear, identity, near, 512);
    EXPECT_EQ(Of(out), Of(linear));
}

TEST(CQuaternion, Conversions) {
    CMatrix3d m;
    CQuaternion(0, 0, 0, ONE).ToMatrix3d(m);
    for (std::uint32_t i = 0; i < 9; ++i) EXPECT_EQ(m[i], i % 4 == 0 ? ONE : 0) << i;
    EXPECT_EQ(m.GetRenormalizeInterval(), 0);

    const struct {
        CQuaternion q;
        XYZ axis;
        std::int32_t angle;
    } axes[] = {{{0, 0, 724, 724}, {0, 0, 1028}, 91712},
                {{0, 0, 0, ONE}, {ONE, 0, 0}, 0},  // no turn: any axis, (1, 0, 0)
                {{0, 0, 0, -ONE}, {ONE, 0, 0}, 368640}};
    for (const auto& a : axes) {
        V axis;
        std::int32_t angle = -1;
        a.q.ToAxisAngle(axis, angle);
        EXPECT_EQ(Of(axis), a.axis) << a.q.w;
        EXPECT_EQ(angle, a.angle) << a.q.w;
    }
    const struct {
        CQuaternion q;
        XYZ angles;
    } eulers[] = {{{0, 0, 0, ONE}, {0, 0, 0}},
                  {{0, 0, 724, 724}, {92160, 0, 0}},    // the first denominator is 0
                  {{724, 0, 0, 724}, {0, 0, 92160}},    // the second
                  {{724, 0, 724, 0}, {0, -92160, 0}}};  // a numerator and its denominator both 0
    for (const auto& e : eulers) {
        V angles;
        e.q.ToEuler(angles);
        EXPECT_EQ(Of(angles), e.angles) << e.q.x << " " << e.q.z;
    }
    CQuaternion log, back;
    CQuaternion(0, 0, 724, 724).Log(log);
    EXPECT_EQ(Of(log), XYZW({0, 0, 46046, 0}));  // 45 degrees along z
    log.Exp(back);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(Of(back)[i], Of(CQuaternion(0, 0, 724, 724))[i], 8) << i;
    CQuaternion(0, 0, 0, ONE).Log(log);
    log.Exp(back);
    EXPECT_EQ(Of(back), XYZW({0, 0, 0, ONE}));
}

TEST(CLineSegment3d, ClosestPointsAndCoplanarCrossings) {
    const struct {
        V p1, q1, p2, q2, c1, c2;
        std::int32_t s, t;
    } pairs[] = {{{0, 0, 0}, {2048, 0, 0}, {ONE, -ONE, 0}, {ONE, ONE, 0}, {ONE, 0, 0}, {ONE, 0, 0}, 512, 512},
                 {{0, 0, 0}, {2048, 0, 0}, {-512, ONE, 0}, {1536, ONE, 0}, {0, 0, 0}, {0, ONE, 0}, 0, 256}};  // parallel
    for (const auto& c : pairs) {
        V c1, c2;
        std::int32_t s = -1, t = -1;
        CLineSegment3d::ClosestPoints(c.p1, c.q1, c.p2, c.q2, c1, c2, s, t);
        EXPECT_EQ(Of(c1), Of(c.c1));
        EXPECT_EQ(Of(c2), Of(c.c2));
        EXPECT_EQ(XYZ({s, t, 0}), XYZ({c.s, c.t, 0}));
    }
    V q, offset;
    std::int32_t t = -1;
    EXPECT_EQ(CLineSegment3d::ClosestPoint(V(0, 0, 0), V(2048, 0, 0), V(ONE, -ONE, 5), q), 512);
    EXPECT_EQ(Of(q), XYZ({ONE, 0, 0}));
    EXPECT_EQ(Of(CLineSegment3d::ClosestOffset(V(0, 0, 0), V(2048, 0, 0), V(-ONE, -ONE, 5), offset, t)),
              XYZ({-ONE, -ONE, 5}));
    EXPECT_EQ(t, 0);
    const struct {
        V b1;
        bool crossing;
    } coplanar[] = {{{ONE, ONE, ONE}, true}, {{ONE, ONE, 9000}, false}, {{ONE, ONE, -5000}, false}};
    for (const auto& c : coplanar) {
        std::int32_t t = -1, u = -1;
        EXPECT_EQ(CLineSegment3d::IntersectCoplanar(V(0, 0, ONE), V(2048, 0, ONE), V(ONE, -ONE, ONE), c.b1, t, u),
                  c.crossing)
            << c.b1.z;
        EXPECT_EQ(XYZ({t, u, 0}), c.crossing ? XYZ({512, 512, 0}) : XYZ({-1, -1, 0}));  // as in 2D on x, y
    }
    // b0 on the line of a: the plane through a and b1 serves.
    std::int32_t u = -1;
    EXPECT_TRUE(CLineSegment3d::IntersectCoplanar(V(0, 0, 0), V(2048, 0, 0), V(ONE, 0, 0), V(ONE, 0, ONE), t, u));
    EXPECT_EQ(XYZ({t, u, 0}), XYZ({512, 0, 0}));
    EXPECT_FALSE(CLineSegment3d::IntersectCoplanar(V(0, 0, 0), V(2048, 0, 0), V(ONE, 0, 0), V(4096, 0, 0), t, u));
}

TEST(CCircle, SweepsInSpace) {
    const struct {
        V centre, motion;
        bool hit;
        std::int32_t time;
    } capsules[] = {{{0, 2048, 0}, {0, -4096, 0}, true, 256},  // the path meets the segment's line at its start
                    {{0, 0, 0}, {0, 0, -4096}, true, 0},       // centre on the segment
                    {{2048, 2048, 0}, {0, ONE, 0}, false, 0}};  // moving away
    for (const auto& c : capsules) {
        std::int32_t time = -1;
        EXPECT_EQ(CCircle::SweepCapsule3d(V(0, 0, 0), V(4096, 0, 0), 512, c.centre, 512, V(7, 7, 7), V(7, 7, 7) + c.motion,
                                          time),
                  c.hit)
            << c.centre.y;
        EXPECT_EQ(time, c.time) << c.centre.y;
    }
    // A segment along y moving by +x crosses a segment along z at x = 1: the contact is
    // where the crossing lies, a quarter of the motion.
    const struct {
        V s, q;
        std::int32_t k;
        bool hit;
        std::int32_t time;
    } segments[] = {{{ONE, ONE, ONE}, {ONE, ONE, -ONE}, ONE, true, 256},  // behind the swept face: closest points
                    {{ONE, ONE, -ONE}, {ONE, ONE, ONE}, ONE, true, 256},   // through its front: the crossing
                    {{9000, ONE, ONE}, {9000, ONE, -ONE}, ONE, false, -1},  // out of reach
                    {{0, ONE, ONE}, {0, ONE, -ONE}, 0, true, 0}};           // no motion: in contact at once
    for (const auto& s : segments) {
        std::int32_t time = -1;
        EXPECT_EQ(CCircle::SweepCapsuleSegment3d(V(0, 0, 0), V(0, 2048, 0), 100, s.s, s.q, 100, V(4096, 0, 0), V(0, 0, 0),
                                                 s.k, time),
                  s.hit)
            << s.s.x << " " << s.s.z;
        EXPECT_EQ(time, s.time) << s.s.x << " " << s.s.z;
    }
}

TEST(CFrustum, ClassifiesSpheres) {
    const V eye(0, 0, 0), corners[] = {{-ONE, -ONE, ONE}, {ONE, -ONE, ONE}, {ONE, ONE, ONE}, {-ONE, ONE, ONE}};
    const CFrustum frustum(eye, corners[0], corners[1], corners[2], corners[3], 4 * ONE);
    const V points[] = {eye, corners[0], corners[1], corners[2], corners[3]};
    const CFrustum copy = CFrustum(points, 4 * ONE);
    EXPECT_EQ(XYZ({copy.planes[5].normal.z, copy.planes[5].d, frustum.planes[5].d}), XYZ({-ONE, -4090, -4090}));
    const std::pair<CSphere, std::int32_t> spheres[] = {
        {{256, {0, 0, 2048}}, 1}, {{256, {0, 0, ONE}}, 2}, {{256, {0, 0, -2048}}, 3},
        {{256, {0, 0, 4090}}, 2}, {{256, {0, 0, 5000}}, 3}, {{256, {-2048, 0, 2048}}, 2}};
    for (const auto& [sphere, result] : spheres) EXPECT_EQ(frustum.ClassifySphere(sphere), result) << sphere.centre.z;
}

const V kA(0, 0, 0), kB(4096, 0, 0), kC(0, 4096, 0);  // facing +z

TEST(CTriangle3d, PointsAndSegments) {
    const std::pair<V, V> closest[] = {{kB, kB},
                                       {{4096, 4096, 0}, {2048, 2048, 0}},  // beyond b-c: on that edge, not b
                                       {{ONE, ONE, 3072}, {ONE, ONE, 0}},   // above the face
                                       {{-ONE, -ONE, 5}, kA}};
    for (const auto& [p, q] : closest) {
        V out;
        T3::ClosestPoint(kA, kB, kC, p, out);
        EXPECT_EQ(Of(out), Of(q)) << p.x << ", " << p.y;
    }
    V out;
    T3::ClosestPoint(kA, kA, kB, V(2048, ONE, 0), out);  // coincident vertices: a vertex, no division by 0
    EXPECT_EQ(Of(out), Of(kA));
    EXPECT_EQ(T3::ContainsPoint(kA, kB, kC, kA), 1);
    EXPECT_EQ(T3::ContainsPoint(kA, kB, kC, V(ONE, ONE, 0)), 1);
    EXPECT_EQ(T3::ContainsPoint(kA, kB, kC, V(-ONE, ONE, 0)), 3);

    const struct {
        V p, q;
        bool hit;
        std::int32_t t;
    } hits[] = {{{256, 256, ONE}, {256, 256, -ONE}, true, 512},  // the worked example (scaled by 4)
                {{256, 256, 0}, {256, 256, -ONE}, true, 0},      // starts on the plane
                {{256, 256, -ONE}, {256, 256, ONE}, false, -1},  // from the back
                {{5000, 256, ONE}, {5000, 256, -ONE}, false, -1}};
    for (const auto& h : hits) {
        std::int32_t t = -1;
        EXPECT_EQ(T3::IntersectSegment(V(0, 0, 0), V(ONE, 0, 0), V(0, ONE, 0), h.p, h.q, t), h.hit) << h.p.x << h.p.z;
        if (h.hit) {
            EXPECT_EQ(t, h.t);
        }
    }

    const struct {
        V p, q, onTriangle, onSegment;
        std::int32_t t;
    } nearest[] = {
        {{ONE, ONE, ONE}, {ONE, ONE, -ONE}, {ONE, ONE, 0}, {ONE, ONE, 0}, 512},  // crossing the face
        {{ONE, ONE, ONE}, {ONE, ONE, 3072}, {ONE, ONE, 0}, {ONE, ONE, ONE}, 0},  // an end above the face
        {{-2048, ONE, ONE}, {-ONE, ONE, ONE}, {0, ONE, 0}, {-ONE, ONE, ONE}, ONE},
    };
    for (const auto& n : nearest) {
        V onTriangle, onSegment;
        std::int32_t t = -1;
        T3::ClosestPointsToSegment(kA, kB, kC, n.p, n.q, onTriangle, onSegment, t);
        EXPECT_EQ(Of(onTriangle), Of(n.onTriangle)) << n.p.x << " " << n.q.z;
        EXPECT_EQ(Of(onSegment), Of(n.onSegment)) << n.p.x << " " << n.q.z;
        EXPECT_EQ(t, n.t) << n.p.x << " " << n.q.z;
    }
    const CPlane ground = Plane(0, 0, ONE, 0);
    EXPECT_TRUE(T3::StraddlesPlane(ground, V(0, 0, 51200), V(0, 0, -61440), 0));
    EXPECT_FALSE(T3::StraddlesPlane(ground, V(0, 0, 51200), V(0, 0, 61440), 0));  // the product would wrap
    EXPECT_TRUE(T3::StraddlesPlane(ground, V(0, 0, 3), V(0, 0, 61440), 3));
    EXPECT_TRUE(T3::OnPlane(ground, V(5, 5, 1)));
    EXPECT_FALSE(T3::OnPlane(ground, V(5, 5, -2)));
}

TEST(CTriangle3d, WeightsShapesPlanesAndTriangles) {
    const struct {
        V a, b, c, p;
        XYZ weights;
    } weights[] = {{kA, kB, kC, {ONE, ONE, 0}, {512, 256, 256}},  // z the largest normal component
                   {kA, {0, 4096, 0}, {0, 0, 4096}, {0, ONE, ONE}, {512, 256, 256}},  // x
                   {kA, kB, {0, 0, 4096}, {ONE, 0, ONE}, {512, 256, 256}},             // y
                   {kA, kB, {0, 0, 4096}, kA, {ONE, 0, 0}},
                   {kA, kB, {8192, 0, 0}, kB, {ONE, 0, 0}}};  // collinear
    for (const auto& w : weights) {
        std::int32_t u = -1, v = -1, x = -1;
        T3::Barycentric(w.a, w.b, w.c, w.p, u, v, x);
        EXPECT_EQ(XYZ({u, v, x}), w.weights) << w.c.x << " " << w.c.y << " " << w.p.x;
    }
    EXPECT_EQ(CTriangle2d(CVector2d(0, 0), CVector2d(4096, 0), CVector2d(0, 4096)).Area(), 8192);
    EXPECT_EQ(CTriangle2d(CVector2d(0, 4096), CVector2d(4096, 0), CVector2d(0, 0)).Area(), 8192);
    EXPECT_TRUE(T3(kA, V(ONE, 0, 0), V(512, 887, 0)).IsEquilateral());
    EXPECT_TRUE(T3(kA, V(ONE, 0, 0), V(512, 887, 0)).IsIsosceles());
    EXPECT_TRUE(T3(kA, kB, kC).IsIsosceles());
    EXPECT_FALSE(T3(kA, kB, kC).IsEquilateral());
    EXPECT_FALSE(T3(kA, kB, V(0, ONE, 0)).IsIsosceles());

    const std::pair<CPlane, bool> planes[] = {{Plane(ONE, 0, 0, ONE), true},    // x = 1 cuts the triangle
                                              {Plane(ONE, 0, 0, 5120), false},  // x = 5 misses it
                                              {Plane(0, 0, ONE, 0), true},      // its own plane
                                              {Plane(0, 0, ONE, ONE), false}};  // parallel beside it
    for (const auto& [plane, meets] : planes) EXPECT_EQ(T3::IntersectsPlane(kA, kB, kC, plane), meets) << plane.d;
    const struct {
        V d, e, f;
        bool meets;
    } others[] = {{{ONE, -512, -ONE}, {ONE, -512, ONE}, {ONE, 3072, 0}, true},      // standing across it at x = 1
                  {{5120, -512, -ONE}, {5120, -512, ONE}, {5120, 3072, 0}, false},  // the same at x = 5
                  {{ONE, ONE, 0}, {2048, ONE, 0}, {ONE, 2048, 0}, true},          // inside it, in its plane
                  {{8192, 8192, 0}, {9000, 8192, 0}, {8192, 9000, 0}, false},
                  {{ONE, ONE, ONE}, {2048, ONE, ONE}, {ONE, 2048, ONE}, false}};  // parallel above it
    for (const auto& o : others) EXPECT_EQ(T3::IntersectsTriangle(kA, kB, kC, o.d, o.e, o.f), o.meets) << o.d.x << o.d.z;
}

TEST(Spheres, ContactsAndSweeps) {
    EXPECT_TRUE(SphereIntersectsSphere(V(0, 0, 0), ONE, V(2048, 0, 0), ONE));  // touching
    EXPECT_FALSE(SphereIntersectsSphere(V(0, 0, 0), ONE, V(2049, 0, 0), ONE));
    EXPECT_TRUE(SphereIntersectsSegment(V(0, ONE, 0), ONE, V(-ONE, 0, 0), V(ONE, 0, 0)));
    EXPECT_FALSE(SphereIntersectsSegment(V(0, ONE, 0), 1000, V(-ONE, 0, 0), V(ONE, 0, 0)));
    const CPlane ground = Plane(0, 0, ONE, 0);
    const std::pair<std::int32_t, std::int32_t> sides[] = {{ONE, 2}, {1025, 1}, {-1025, 3}, {-ONE, 2}};
    for (const auto& [z, side] : sides) {
        std::int32_t s = -1;
        EXPECT_EQ(SphereClassifyPlane(V(0, 0, z), ONE, ground, s), side == 2) << z;
        EXPECT_EQ(s, side) << z;
    }
    const struct {
        V centre, velocity;
        bool hit;
        std::int32_t t;
        V point;
    } sweeps[] = {{{0, 0, 2048}, {0, 0, ONE}, false, -1, {9, 9, 9}},  // moving away: nothing written
                  {{0, 0, 2048}, {ONE, 0, -2048}, true, 512, {512, 0, 0}},
                  {{0, 0, -2048}, {0, 0, 512}, true, 2048, {0, 0, 0}},  // later than one step
                  {{5, 0, 1000}, {0, 0, 9}, true, 0, {5, 0, 1000}}};    // touching already
    for (const auto& s : sweeps) {
        std::int32_t t = -1;
        V point(9, 9, 9);
        EXPECT_EQ(SphereSweepPlane(s.centre, ONE, ground, s.velocity, t, point), s.hit) << s.centre.z;
        EXPECT_EQ(t, s.t) << s.centre.z;
        EXPECT_EQ(Of(point), Of(s.point)) << s.centre.z;
    }
    const struct {
        V centreB, velocityB;
        bool hit;
        std::int32_t t;
        V point;
    } pairs[] = {{{4096, 0, 0}, {-4096, 0, 0}, true, 768, {512, 0, 0}},  // the first root, the contact point
                 {{512, 0, 0}, {-4096, 0, 0}, true, 0, {9, 9, 9}},      // overlapping: no point
                 {{4096, 0, 0}, {4096, 0, 0}, false, -1, {9, 9, 9}},    // moving apart
                 {{4096, 4096, 0}, {-4096, 0, 0}, false, -1, {9, 9, 9}}};  // passing by
    for (const auto& p : pairs) {
        std::int32_t t = -1;
        V point(9, 9, 9);
        EXPECT_EQ(SphereSweepSphere(V(0, 0, 0), 512, p.centreB, 512, V(0, 0, 0), p.velocityB, t, point), p.hit)
            << p.centreB.x;
        EXPECT_EQ(t, p.t) << p.centreB.x;
        EXPECT_EQ(Of(point), Of(p.point)) << p.centreB.x;
    }
    std::int32_t t = 400;
    EXPECT_TRUE(T3::SphereSweepTouches(kA, kB, kC, V(ONE, ONE, 2048), 512, V(0, 0, 0), V(0, 0, -4096), t));
    EXPECT_EQ(t, 400);
    t = 300;
    EXPECT_FALSE(T3::SphereSweepTouches(kA, kB, kC, V(ONE, ONE, 2048), 512, V(0, 0, 0), V(0, 0, -4096), t));
    t = -5;
    EXPECT_FALSE(T3::SphereSweepTouches(kA, kB, kC, V(ONE, ONE, 2048), 512, V(0, 0, 0), V(0, 0, -4096), t));
    EXPECT_EQ(t, 0);
    t = 300;
    EXPECT_TRUE(T3::SegmentSweepTouches(kA, kB, kC, V(ONE, ONE, 2048), V(ONE, ONE, 4096), 0, V(0, 0, 0),
                                        V(0, 0, -8192), t));  // moved across the plane
    EXPECT_FALSE(T3::SegmentTouches(kA, kB, kC, V(ONE, ONE, 600), V(ONE, ONE, 4096), 600, 0));  // not strictly closer
    EXPECT_TRUE(T3::SegmentTouches(kA, kB, kC, V(ONE, ONE, 600), V(ONE, ONE, 4096), 601, 0));
}

// Two faces of the square [0, 4] x [0, 4] at z = 0, facing +z.
const V kSquare[] = {{0, 0, 0}, {4096, 0, 0}, {0, 4096, 0}, {4096, 4096, 0}};
const CMeshFace kFaces[] = {{{0, 1, 2}}, {{1, 3, 2}}, {{0, 1, 99}}};  // the last one is broken

TEST(CTriangleMesh, QueriesInFaceOrder) {
    const CTriangleMesh mesh(4, 2, kSquare, kFaces), broken(4, 3, kSquare, kFaces), empty(0, 0, nullptr, nullptr);
    EXPECT_EQ(XYZ({mesh.VertexCount(), mesh.FaceCount(), mesh.FaceVertex(1, 1).x}), XYZ({4, 2, 4096}));
    const struct {
        const CTriangleMesh* mesh;
        V centre;
        bool hit;
        std::int32_t face;
    } spheres[] = {{&broken, {3072, 3072, 512}, true, 1},  // stops before the broken face
                   {&broken, {ONE, ONE, 512}, true, 0},
                   {&mesh, {ONE, ONE, 2048}, false, -1}};
    for (const auto& s : spheres) {
        std::int32_t face = -1;
        EXPECT_EQ(s.mesh->FirstFaceTouchingSphere(s.centre, ONE, face), s.hit) << s.centre.x;
        EXPECT_EQ(face, s.face) << s.centre.x;
    }
    std::int32_t face = -1;
    EXPECT_TRUE(mesh.FirstFaceHitBySegment(V(3072, 3072, ONE), V(3072, 3072, -ONE), 0, face));
    EXPECT_EQ(face, 1);
    EXPECT_TRUE(broken.FirstFaceIntersectingPlane(Plane(ONE, 0, 0, 3584), face));
    EXPECT_EQ(face, 0);
    face = -1;
    EXPECT_TRUE(broken.FirstFaceIntersectingTriangle(V(3584, 256, -ONE), V(3584, 9000, 0), V(3584, 256, ONE), face));
    EXPECT_EQ(face, 0);

    const struct {
        const CTriangleMesh* mesh;
        V centre, end;
        std::int32_t t;
        bool hit;
        std::int32_t face, tAfter;
    } sweeps[] = {
        {&mesh, {3072, 3072, 2048}, {0, 0, -2048}, 768, true, 1, 768},
        {&mesh, {3072, 3072, 2048}, {0, 0, -2048}, 512, false, -1, 512},
        {&mesh, {2048, 2048, 2048}, {0, 0, -2048}, 768, true, 0, 768},  // on the shared edge: the first face
        {&broken, {ONE, ONE, 256}, {0, 0, -2048}, -7, true, 0, 0},      // at time 0: stops at once
        {&broken, {ONE, ONE, 512}, {0, 0, 2048}, 700, true, 0, 0},     // moving away: the start position
        {&empty, {ONE, ONE, 512}, {0, 0, 2048}, 700, false, -1, 700},
    };
    for (const auto& s : sweeps) {
        std::int32_t t = s.t;
        face = -1;
        EXPECT_EQ(s.mesh->SphereSweep(s.centre, 512, V(0, 0, 0), s.end, t, face), s.hit) << s.centre.x << " " << s.t;
        EXPECT_EQ(XYZ({face, t, 0}), XYZ({s.face, s.tAfter, 0})) << s.centre.x << " " << s.t;
    }
    std::int32_t t = 768;
    face = -1;
    EXPECT_TRUE(mesh.SegmentSweep(V(3072, 3072, 2048), V(3072, 3072, 3072), 600, V(0, 0, 0), V(0, 0, -2048), t, face));
    EXPECT_EQ(XYZ({face, t, 0}), XYZ({1, 768, 0}));
    EXPECT_FALSE(empty.SegmentSweep(V(0, 0, 0), V(0, 0, 1), 600, V(0, 0, 0), V(0, 0, -2048), t, face));
    EXPECT_FALSE(empty.FirstFaceIntersectingPlane(Plane(ONE, 0, 0, 0), face));
}

// The assertion's line for a failed check in the given source.
std::string Assertion(const char* path, int line) {
    std::string pattern = "File: ";
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '\\' || *c == '.') pattern += '\\';
        pattern += *c;
    }
    return pattern + ", Line: " + std::to_string(line) + "\n";
}

TEST(Space3dDeathTest, AssertionsNameTheirSourceLines) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::int32_t* none = nullptr;
    const CTriangleMesh broken(4, 3, kSquare, kFaces);
    const std::int32_t zeros[16] = {};
    const auto badRecord = [](auto m) {
        m.renormalize = true;
        m.renormalizeInterval = 0;
        return m;
    };
    const struct {
        std::function<void()> call;
        const char* source;
        int line;
    } cases[] = {
        {[&] { V v(none); }, "..\\..\\platform\\shared\\math\\src\\CVector3d", 18},
        {[&] { V v; v = none; }, "platform\\shared\\math\\inc\\CVector3d", 185},
        {[] { V v(1, 2, 3); v[3] = 0; }, "platform\\shared\\math\\inc\\CVector3d", 264},
        {[&] { CVector4d v(none); }, "..\\..\\platform\\shared\\math\\src\\CVector4d", 8},
        {[&] { CVector4d v; v.Set(none); }, "..\\..\\platform\\shared\\math\\src\\CVector4d", 19},
        {[&] { CVector4dh v(none, true); }, "..\\..\\platform\\shared\\math\\src\\CVector4dh", 14},
        {[] { CMatrix3d m(static_cast<const CMatrix3d*>(nullptr)); }, "..\\..\\platform\\shared\\math\\src\\CMatrix3d", 23},
        {[&] { const CMatrix3d bad = badRecord(CMatrix3d(zeros, 0)); CMatrix3d m(&bad); },
         "..\\..\\platform\\shared\\math\\src\\CMatrix3d", 28},
        {[] { CMatrix3d m; m[9] = 0; }, "..\\..\\platform\\shared\\math\\inc\\CMatrix3d", 200},
        {[] { CMatrix4d m(static_cast<const CMatrix4d*>(nullptr)); }, "..\\..\\platform\\shared\\math\\src\\CMatrix4d", 21},
        {[&] { const CMatrix4d bad = badRecord(CMatrix4d(zeros, 0)); CMatrix4d m(&bad); },
         "..\\..\\platform\\shared\\math\\src\\CMatrix4d", 26},
        {[] { CMatrix4d m; m[16] = 0; }, "..\\..\\platform\\shared\\math\\inc\\CMatrix4d", 255},
        {[] { CMatrix4dh m(static_cast<const CMatrix4dh*>(nullptr)); },
         "..\\..\\platform\\shared\\math\\src\\CMatrix4dh", 23},
        {[&] { const CMatrix4dh bad = badRecord(CMatrix4dh(zeros, 0)); CMatrix4dh m(&bad); },
         "..\\..\\platform\\shared\\math\\src\\CMatrix4dh", 28},
        {[] { CMatrix4dh m; m[16] = 0; }, "..\\..\\platform\\shared\\math\\inc\\CMatrix4dh", 318},
        {[&] { CPlane p(none); }, "..\\..\\platform\\shared\\math\\src\\CPlane", 8},
        {[&] { CPlane p; p.Set(none); }, "..\\..\\platform\\shared\\math\\src\\CPlane", 153},
        {[] { Plane(0, 0, 0, 0).DominantAxis(); }, "..\\..\\platform\\shared\\math\\src\\CPlane", 41},
        {[&] { CQuaternion q(none); }, "..\\..\\platform\\shared\\math\\src\\CQuaternion", 12},
        {[&] { broken.Vertex(4); }, "..\\..\\platform\\shared\\math\\inc\\CTriangleMesh", 84},
        {[&] { broken.Face(3); }, "..\\..\\platform\\shared\\math\\inc\\CTriangleMesh", 107},
        {[&] { broken.FaceVertex(0, 3); }, "..\\..\\platform\\shared\\math\\inc\\CTriangleMesh", 124},
        {[&] { broken.FaceVertex(2, 2); }, "..\\..\\platform\\shared\\math\\inc\\CTriangleMesh", 84},
    };
    for (const auto& c : cases) EXPECT_DEATH(c.call(), Assertion(c.source, c.line)) << c.source << " " << c.line;
}

// Wrapping sums and products are the routines' own; the sanitizer build
// holds every other step to defined behaviour, whatever the input.
TEST(Space3d, AnyInputStaysDefined) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    const auto point = [&] { return V(any(rng), any(rng), any(rng)); };
    std::int64_t sink = 0;
    const auto keep = [&](auto... results) { ((sink ^= results), ...); };
    const auto keepV = [&](const V& v) { keep(v.x, v.y, v.z); };
    for (int i = 0; i < 3000; ++i) {
        const V p[] = {point(), point(), point(), point(), point(), point()};
        const std::int32_t s = any(rng), r = any(rng);
        V a = p[0], b = p[1], out, out2;
        std::int32_t t = any(rng), u = 0, w = 0;
        keepV(a.Cross(p[2]).Normalize());
        b.Lerp(p[3], s);
        b.RotateX(s);
        b.RotateY(r);
        b.RotateZ(s);
        keep(V::AngleBetween(p[0], p[1]), V::ClosestPointOnSegment(p[2], p[3], p[4], out), b.MaxComponent());
        CMatrix3d m3(s, r, s, r, s, r, s, r, s, static_cast<std::uint16_t>(i % 3));
        m3 *= m3 * m3;
        m3.RotateAxis(s, p[0].x, p[0].y, p[0].z);
        m3.RotateX(r);
        m3.SetDirectionY(p[1].x, p[1].y, p[1].z);
        keepV(b.Transform(m3));
        CMatrix4dh m4(s, r, s, r, s, r, s, r, s, r, s, r, static_cast<std::uint16_t>(i % 3));
        m4 *= m4 * m4;
        m4.RotateAxis(r, p[2].x, p[2].y, p[2].z);
        m4.PointZAxis(p[3].x, p[3].y, p[3].z);
        m4.Translate(s, r, s);
        keepV(b.TransformPoint(m4));
        const CPlane plane(p[0], p[1], p[2]), other(p[3], p[4], p[5]);
        keep(plane.IntersectSegment(p[3], p[4], out, t), t, plane.IntersectPlane(other, out, out2));
        keep(CPlane::IntersectPlanes(plane, other, CPlane(p[1], p[3], p[5]), out));
        const CQuaternion q(p[0].x, p[0].y, p[0].z, s), q2(p[1].x, p[1].y, p[1].z, r);
        CQuaternion qo;
        CQuaternion::Slerp(qo, q, q2, s);
        CQuaternion::SlerpNoFlip(qo, qo, q2, r);
        qo.Multiply(q).Log(qo);
        qo.Exp(qo);
        q.ToEuler(out);
        q2.ToAxisAngle(out2, t);
        q.ToMatrix3d(m3);
        keep(qo.x, qo.w, out.y, out2.z, t, m3[4]);
        keep(CLineSegment3d::IntersectCoplanar(p[0], p[1], p[2], p[3], t, u), t, u);
        CLineSegment3d::ClosestPoints(p[0], p[1], p[2], p[3], out, out2, t, u);
        keep(CCircle::SweepCapsule3d(p[0], p[1], s, p[2], r, p[3], p[4], t), t);
        keep(CCircle::SweepCapsuleSegment3d(p[0], p[1], s, p[2], p[3], r, p[4], p[5], s, t), t);
        keep(CFrustum(p, r).ClassifySphere({s, p[5]}));
        T3::ClosestPoint(p[0], p[1], p[2], p[3], out);
        keep(T3::SphereSweepTouches(p[0], p[1], p[2], p[3], s, p[4], p[5], t), T3::IntersectSegment(p[0], p[1], p[2], p[3], p[4], t));
        keep(T3::SegmentSweepTouches(p[0], p[1], p[2], p[3], p[4], r, p[5], p[0], t), T3::ContainsPoint(p[0], p[1], p[2], p[3]));
        T3::Barycentric(p[0], p[1], p[2], p[3], t, u, w);
        T3::ClosestPointsToSegment(p[0], p[1], p[2], p[3], p[4], out, out2, t);
        keep(t, u, w, out.x, out2.y, T3::IntersectsPlane(p[0], p[1], p[2], other), T3::IntersectsTriangle(p[0], p[1], p[2], p[3], p[4], p[5]));
        keep(SphereIntersectsSphere(p[0], s, p[1], r), SphereIntersectsSegment(p[0], s, p[1], p[2]), SphereClassifyPlane(p[0], s, plane, u));
        keep(SphereSweepPlane(p[0], s, plane, p[1], t, out), SphereSweepSphere(p[0], s, p[1], r, p[2], p[3], t, out), t, out.z);
        const CMeshFace faces[] = {{{0, 1, 2}}, {{3, 4, 5}}};
        const CTriangleMesh mesh(6, 2, p, faces);
        keep(mesh.SphereSweep(p[0], s, p[1], p[2], t, u), mesh.SegmentSweep(p[0], p[1], r, p[2], p[3], t, u));
    }
    EXPECT_NE(sink, 1);  // keeps the results alive
}

}  // namespace
