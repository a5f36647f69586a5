#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>

#include "platform/shared/math/CCircle.h"
#include "platform/shared/math/CFrustum.h"
#include "platform/shared/math/CLineSegment2d.h"
#include "platform/shared/math/CLineSegment3d.h"
#include "platform/shared/math/CMatrix2d.h"
#include "platform/shared/math/CMatrix3d.h"
#include "platform/shared/math/CMatrix4d.h"
#include "platform/shared/math/CMatrix4dh.h"
#include "platform/shared/math/CTriangle2d.h"
#include "platform/shared/math/CTriangle3d.h"
#include "platform/shared/math/CTriangleMesh.h"
#include "platform/shared/math/CVector4d.h"
#include "tests/math/Examples.h"

namespace {

using V = CVector3d;
using T3 = CTriangle3d;
using Q = CQuaternion;
constexpr std::int32_t ONE = 1024;

CPlane Plane(std::int32_t nx, std::int32_t ny, std::int32_t nz, std::int32_t d) {
    const std::int32_t words[] = {nx, ny, nz, d};
    return CPlane(words);
}
const CPlane kGround = Plane(0, 0, ONE, 0);

// The vector (or matrix) after one of its operations.
template <typename T, typename Op>
T After(T value, Op op) {
    op(value);
    return value;
}

TEST(CVector3d, Examples) {
    const auto lerp = [](std::int32_t t) {
        return After(V(0, ONE, -2048), [t](V& v) { v.Lerp(V(2048, 3072, 2048), t); });
    };
    V q;
    const std::int32_t words[] = {7, 8, 9, 10};
    CVector4d four(words);
    CVector4dh direction(4, 5, 6, true);
    four = V(1, 2, 3);
    direction = V(1, 2, 3);
    ExpectAll({
        {"Normalize", W(V(0, 0, 0).Normalize(), V(3072, 0, 0).Normalize()), {0, 0, 0, ONE, 0, 0}},
        {"Lerp", W(lerp(0), lerp(ONE), lerp(512)), {0, ONE, -2048, 2048, 3072, 2048, 1024, 2048, 0}},
        {"AngleBetween",
         W(V::AngleBetween(V(0, 0, 0), V(ONE, 0, 0)), V::AngleBetween(V(ONE, 0, 0), V(0, 2048, 0))),
         {0, 92160}},
        {"ClosestPointOnSegment of a point segment (the root steps by 32)",
         W(V::ClosestPointOnSegment(V(100, 0, 0), V(5, 5, 5), V(5, 5, 5), q), q),
         {64, 5, 5, 5}},
        {"MaxComponent, Cross", W(V(-5, -7, -6).MaxComponent(), V(ONE, 0, 0).Cross(V(0, ONE, 0))), {-5, 0, 0, ONE}},
        {"RotateZ, RotateX, RotateY",
         W(After(V(ONE, 0, 0), [](V& v) { v.RotateZ(92160); }), After(V(0, ONE, 0), [](V& v) { v.RotateX(92160); }),
           After(V(0, 0, -ONE), [](V& v) { v.RotateY(92160); })),
         {0, -ONE, 0, 0, 0, -ONE, ONE, 0, 0}},
        {"fourth components: 0 for directions, kept by assignment",
         W(CVector4dh(V(1, 2, 3), true).w, CVector4dh(V(1, 2, 3), false).w, four.w, direction.w),
         {0, ONE, 10, 0}},
    });
}

TEST(Matrices, Examples) {
    const CMatrix3d id3(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0), scaleX(2048, 0, 0, 0, ONE, 0, 0, 0, ONE, 0);
    const CMatrix4dh id4h(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 0),
        shift(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, ONE, 0, 0, 5);
    const CMatrix3d turn = After(id3, [](CMatrix3d& m) { m.RotateZ(92160); });
    const CMatrix4dh turn4 = After(id4h, [](CMatrix4dh& m) { m.RotateZ(92160); });
    const auto frame = [](V d, bool zAxis) {  // the 3x3 frame, then the homogeneous one keeping its translation
        CMatrix3d m(1, 2, 3, 4, 5, 6, 7, 8, 9, 0);
        CMatrix4dh h(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0);
        zAxis ? m.SetDirectionZ(d.x, d.y, d.z) : m.SetDirectionY(d.x, d.y, d.z);
        zAxis ? h.PointZAxis(d.x, d.y, d.z) : h.PointYAxis(d.x, d.y, d.z);
        return W(m, h);
    };
    std::int32_t counting[16];
    for (int i = 0; i < 16; ++i) counting[i] = (i + 1) * ONE;
    const CMatrix4d a(counting, 9);
    CMatrix4d product = a, twice = a;
    product *= a;
    twice.Transpose();
    const std::int32_t transposed = twice[1];
    twice.Transpose();
    CMatrix4dh product4h = shift;
    product4h *= turn4;
    // Every element non-zero and distinct, so that a swapped element shows.
    const CMatrix3d general(ONE, 2 * ONE, 3 * ONE, 4 * ONE, 5 * ONE, 6 * ONE, 7 * ONE, 8 * ONE, 9 * ONE, 0);
    const CMatrix3d weights(512, 1536, -ONE, 2048, -512, 3 * ONE, -2048, 2560, 256, 0);
    const CMatrix3d upper(After(CMatrix4d(counting, 7), [](CMatrix4d& m) { m.opCount = 3; }));
    ExpectAll({
        {"CMatrix3d RotateZ", W(turn), {0, ONE, 0, -ONE, 0, 0, 0, 0, ONE}},
        // The right operand acts first: (1, 0, 0) turns to (0, 1, 0), then the scale of x leaves it.
        {"CMatrix3d products",
         W(scaleX * turn * V(ONE, 0, 0), After(V(ONE, 0, 0), [&](V& v) { v.Transform(turn * scaleX); })),
         {0, ONE, 0, 0, 2048, 0}},
        {"CMatrix3d *=, Transpose",
         W(After(scaleX, [&](CMatrix3d& m) { m *= turn; }), After(scaleX * turn, [](CMatrix3d& m) { m.Transpose(); })),
         {0, ONE, 0, -2048, 0, 0, 0, 0, ONE, 0, -2048, 0, ONE, 0, 0, 0, 0, ONE}},
        // Quarter turns of 1, 2, 3 / 4, 5, 6 / 7, 8, 9 move and negate its rows.
        {"CMatrix3d RotateX, RotateY, RotateZ of a general matrix",
         W(After(general, [](CMatrix3d& m) { m.RotateX(92160); }),
           After(general, [](CMatrix3d& m) { m.RotateY(92160); }),
           After(general, [](CMatrix3d& m) { m.RotateZ(92160); })),
         W(CMatrix3d(ONE, 2 * ONE, 3 * ONE, 7 * ONE, 8 * ONE, 9 * ONE, -4 * ONE, -5 * ONE, -6 * ONE, 0),
           CMatrix3d(-7 * ONE, -8 * ONE, -9 * ONE, 4 * ONE, 5 * ONE, 6 * ONE, ONE, 2 * ONE, 3 * ONE, 0),
           CMatrix3d(4 * ONE, 5 * ONE, 6 * ONE, -ONE, -2 * ONE, -3 * ONE, 7 * ONE, 8 * ONE, 9 * ONE, 0))},
        // Row 0 is 0.5 row 0 + 1.5 row 1 - row 2 of the general matrix, and so on.
        {"CMatrix3d *= and Transpose of general matrices",
         W(After(general, [&](CMatrix3d& m) { m *= weights; }), After(general, [](CMatrix3d& m) { m.Transpose(); })),
         {-512, 512, 1536, 21504, 26112, 30720, 9984, 10752, 11520,
          ONE, 4 * ONE, 7 * ONE, 2 * ONE, 5 * ONE, 8 * ONE, 3 * ONE, 6 * ONE, 9 * ONE}},
        {"CMatrix3d from a CMatrix4d",
         W(upper, upper.renormalize, upper.opCount, upper.GetRenormalizeInterval()),
         {1 * ONE, 2 * ONE, 3 * ONE, 5 * ONE, 6 * ONE, 7 * ONE, 9 * ONE, 10 * ONE, 11 * ONE, 1, 3, 7}},
        // Near y (the first branch: Mul(ONE, ONE) is at least 924) column 0 comes from the x axis.
        {"SetDirectionZ, PointZAxis of (0, ONE, 0)",
         frame(V(0, ONE, 0), true),
         {ONE, 0, 0, 0, 0, ONE, 0, -ONE, 0, ONE, 0, 0, 0, 0, 0, ONE, 0, 0, -ONE, 0, 0, 10, 11, 12, ONE}},
        {"SetDirectionZ, PointZAxis along z",
         frame(V(0, 0, 4096), true),
         {ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, ONE, 0, 0, 0, 0, ONE, 0, 0, 0, 0, ONE, 0, 10, 11, 12, ONE}},
        {"SetDirectionY, PointYAxis along z",
         frame(V(0, 0, 4096), false),
         {ONE, 0, 0, 0, 0, -ONE, 0, ONE, 0, ONE, 0, 0, 0, 0, 0, -ONE, 0, 0, ONE, 0, 0, 10, 11, 12, ONE}},
        {"SetDirectionY, PointYAxis along y",
         frame(V(0, 4096, 0), false),
         {ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, ONE, 0, 0, 0, 0, ONE, 0, 0, 0, 0, ONE, 0, 10, 11, 12, ONE}},
        // Columns within the root's resolution of the exact frames (column 2 of
        // the first: (274, 547, 821)).
        {"SetDirectionZ, PointZAxis of a general direction",
         frame(V(ONE, 2048, 3072), true),
         {978, -174, 275, 0, 864, 550, -326, -525, 826,
          978, -174, 275, 0, 0, 864, 550, 0, -326, -525, 826, 0, 10, 11, 12, ONE}},
        {"SetDirectionZ, PointZAxis of a general direction near y",
         frame(V(-512, 3072, 768), true),
         {1031, 0, -163, 162, 253, 983, 40, -1015, 245,
          1031, 0, -163, 0, 162, 253, 983, 0, 40, -1015, 245, 0, 10, 11, 12, ONE}},
        {"SetDirectionY, PointYAxis of a general direction",
         frame(V(ONE, 2048, 3072), false),
         {925, 275, -372, -462, 550, -746, -1, 826, 602,
          925, 275, -372, 0, -462, 550, -746, 0, -1, 826, 602, 0, 10, 11, 12, ONE}},
        {"SetDirectionY, PointYAxis of a general direction near z",
         frame(V(768, -512, 3072), false),
         {997, 245, 0, 40, -163, -1015, -242, 983, -168,
          997, 245, 0, 0, 40, -163, -1015, 0, -242, 983, -168, 0, 10, 11, 12, ONE}},
        {"CMatrix4dh RotateZ, and RotateAxis counting two operations",
         W(turn4, After(id4h, [](CMatrix4dh& m) { m.RotateAxis(92160, 0, 0, ONE); }).opCount),
         {0, ONE, 0, 0, -ONE, 0, 0, 0, 0, 0, ONE, 0, 0, 0, 0, ONE, 2}},
        // The turn acts first, then the shift.
        {"CMatrix4dh products",
         W(shift * turn4 * V(ONE, 0, 0), After(V(ONE, 0, 0), [&](V& v) { v *= turn4 * shift; }),
           (shift * turn4).GetRenormalizeInterval(), product4h.opCount),
         {ONE, ONE, 0, 0, 2 * ONE, 0, 5, 1}},
        {"CMatrix4dh *=", W(product4h), W(shift * turn4)},
        {"CMatrix4d Transpose, twice; *= counts", W(transposed, twice, product.opCount), W(5 * ONE, a, 1)},
    });
}

// Drift control: an interval of 3 re-orthonormalises at the third
// operation; 0 counts up to 65535 and stays there; a translation stops it.
TEST(Matrices, RenormaliseAtTheirInterval) {
    CMatrix3d drifting(1300, 0, 0, 0, 900, 0, 0, 0, ONE, 3), never(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0);
    drifting.RotateX(12345);
    drifting.RotateY(23456);
    drifting.RotateAxis(34567, 0, 0, ONE);
    for (int i = 0; i < 70000; ++i) never.RotateZ(1);
    CMatrix4dh turns(1300, 0, 0, 0, ONE, 0, 0, 0, ONE, 5, 6, 7, 3), moved(1300, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 5);
    for (int i = 0; i < 3; ++i) turns.RotateX(20000);
    moved.Translate(ONE, 2, 3);
    const bool renormalizes = moved.renormalize;
    for (int i = 0; i < 6; ++i) moved.RotateY(0);
    EXPECT_EQ(W(drifting.opCount, never.opCount, turns.opCount, turns[12], turns[13], turns[14]),
              (Words{0, 65535, 0, 5, 6, 7}));
    const V c0(drifting[0], drifting[3], drifting[6]), c1(drifting[1], drifting[4], drifting[7]);
    for (const V& column : {c0, c1, V(turns[0], turns[4], turns[8])}) EXPECT_NEAR(column.Length(), ONE, 72);
    EXPECT_NEAR(V::Dot(c0, c1), 0, 8);
    EXPECT_EQ(W(renormalizes, moved[0], moved.opCount, moved[12]), (Words{0, 1300, 6, ONE}));
    moved.SetRotationIdentity();
    EXPECT_EQ(W(moved[0], moved.opCount, moved[13]), (Words{ONE, 0, 2}));
    moved.CopyRotation(turns);  // the translation stays
    EXPECT_EQ(W(moved[1], moved[5], moved.renormalize, moved[12], moved[13], moved[14]),
              (Words{turns[1], turns[5], 1, ONE, 2, 3}));
    moved.SetIdentity();
    EXPECT_EQ(W(moved), W(CMatrix4dh(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 0)));
}

TEST(CPlane, Examples) {
    const auto normalized = [](CPlane plane) { return After(plane, [](CPlane& q) { q.Normalize(); }); };
    const auto segment = [](V p0, V p1) {
        std::int32_t t = 77;
        V point(9, 9, 9);
        return W(kGround.IntersectSegment(p0, p1, point, t), t, point);
    };
    V direction, point, parallelPoint(9, 9, 9), none;
    ExpectAll({
        {"Classify 1, 2, 3", W(CPlane::Classify(5120), CPlane::Classify(0), CPlane::Classify(-1)), {1, 2, 3}},
        {"DominantAxis ties go to z, then x",
         W(Plane(0, 0, ONE, 0).DominantAxis(), Plane(ONE, ONE, 0, 0).DominantAxis(),
           Plane(0, ONE, 0, 0).DominantAxis()),
         {0, 1, 2}},
        {"Normalize, of a zero normal",
         W(normalized(Plane(0, 0, 2048, 4096)).normal, normalized(Plane(0, 0, 2048, 4096)).d,
           normalized(Plane(0, 0, 0, 5)).d),
         {0, 0, ONE, 2048, 5}},
        {"IntersectSegment; parallel: t untouched; ending before the plane: t written",
         W(segment(V(0, 0, -ONE), V(0, 0, ONE)), segment(V(0, 0, 5), V(ONE, 0, 5)),
           segment(V(0, 0, -2048), V(0, 0, -ONE))),
         {1, 512, 0, 0, 0, 0, 77, 9, 9, 9, 0, 2048, 9, 9, 9}},
        // z = 0 and a plane at 45 degrees through x = 1: the point lies on both.
        {"IntersectPlane",
         W(kGround.IntersectPlane(Plane(724, 0, 724, 724), direction, point), direction, point),
         {1, 0, 724, 0, 1026, 0, 0}},
        {"parallel planes",
         W(kGround.IntersectPlane(Plane(0, 0, ONE, ONE), none, parallelPoint), parallelPoint,
           kGround.IntersectionDirection(Plane(0, 0, -ONE, 7), none)),
         {0, 9, 9, 9, 0}},
        {"parallel planes: IntersectPlanes",
         W(CPlane::IntersectPlanes(Plane(ONE, 0, 0, ONE), Plane(ONE, 0, 0, 2048), kGround, none)),
         {0}},
    });
}

TEST(CQuaternion, Examples) {
    const Q identity(0, 0, 0, ONE), quarter(0, 0, 724, 724);  // 90 degrees about z
    const auto slerp = [&](const Q& q2, std::int32_t t, bool flip) {
        Q out;
        flip ? Q::Slerp(out, identity, q2, t) : Q::SlerpNoFlip(out, identity, q2, t);
        return W(out);
    };
    const auto axisAngle = [](const Q& q) {
        V axis;
        std::int32_t angle = -1;
        q.ToAxisAngle(axis, angle);
        return W(axis, angle);
    };
    const auto euler = [](const Q& q) { return After(V(9, 9, 9), [&](V& angles) { q.ToEuler(angles); }); };
    const Q near(0, 0, 100, 1019);
    Q out, linear, normalized, log, back, identityLog, identityBack;
    quarter.Log(log);
    log.Exp(back);
    identity.Log(identityLog);
    identityLog.Exp(identityBack);
    Q::Slerp(out, identity, near, 512);
    Q::Nlerp(linear, identity, near, 512);
    // A dot product of the lowest int32: Mul(2^21, -2^20).
    const Q big(0, 0, 0, 1 << 21), opposite(0, 0, 0, -(1 << 20));
    Q lowest, lowestNoFlip, lowestLinear, lowestLinearNoFlip;
    Q::Slerp(lowest, big, opposite, 512);
    Q::SlerpNoFlip(lowestNoFlip, big, opposite, 512);
    Q::Nlerp(lowestLinear, big, -opposite, 512);
    Q::Nlerp(lowestLinearNoFlip, big, opposite, 512);
    ExpectAll({
        {"Multiply by the identity; q times q from the old values",
         W(After(identity, [](Q& q) { q.Multiply(Q(100, 200, 300, 400)); }),
           After(Q(ONE, 0, 0, 0), [](Q& q) { q.Multiply(q); })),
         {100, 200, 300, 400, 0, 0, 0, -ONE}},
        {"Normalize of zero, GetNormalized",
         W(Q(0, 0, 0, 0).Normalize(), Q(0, 0, 0, 2048).GetNormalized(normalized)),
         {0, 0, 0, 0, 0, 0, 0, ONE}},
        {"Slerp at 0 and ONE (within a few units), the shorter arc (-q2), SlerpNoFlip",
         W(slerp(quarter, 0, true), slerp(quarter, ONE, true), slerp(-quarter, ONE, true), slerp(-quarter, ONE, false)),
         {0, 0, 0, ONE, 0, 0, 722, 722, 0, 0, 722, 722, 0, 0, -724, -724}},
        {"nearly equal rotations take Nlerp", W(out), W(linear)},
        {"a dot product without magnitude in 32 bits takes Nlerp (of -q2, of q2)", W(lowest, lowestNoFlip),
         W(lowestLinear, lowestLinearNoFlip)},
        {"ToAxisAngle; no turn: (ONE, 0, 0)",
         W(axisAngle(quarter), axisAngle(identity), axisAngle(Q(0, 0, 0, -ONE))),
         {0, 0, 1028, 91712, ONE, 0, 0, 0, ONE, 0, 0, 368640}},
        // The first denominator 0, the second, a numerator and its denominator both 0.
        {"ToEuler",
         W(euler(identity), euler(quarter), euler(Q(724, 0, 0, 724)), euler(Q(724, 0, 724, 0))),
         {0, 0, 0, 92160, 0, 0, 0, 0, 92160, 0, -92160, 0}},
        {"Log (45 degrees along z), Exp(Log(q)) is q within the tables' resolution",
         W(log, back, identityBack),
         {0, 0, 46046, 0, 0, 0, 719, 721, 0, 0, 0, ONE}},
    });
}

TEST(Segments3d, Examples) {
    const auto pair = [](V p1, V q1, V p2, V q2) {
        V c1, c2;
        std::int32_t s = -1, t = -1;
        CLineSegment3d::ClosestPoints(p1, q1, p2, q2, c1, c2, s, t);
        return W(c1, c2, s, t);
    };
    const auto coplanar = [](V a0, V a1, V b0, V b1) {
        std::int32_t t = -1, u = -1;
        return W(CLineSegment3d::IntersectCoplanar(a0, a1, b0, b1, t, u), t, u);
    };
    const auto capsule = [](V centre, V motion) {  // about (0, 0, 0)-(4096, 0, 0), radii 0.5
        std::int32_t time = -1;
        return W(
            CCircle::SweepCapsule3d(V(0, 0, 0), V(4096, 0, 0), 512, centre, 512, V(7, 7, 7), V(7, 7, 7) + motion, time),
            time);
    };
    // The crossings of CCircle.Examples with the path 0.125 above the
    // segment's plane (its line never meets the segment's) and the segment
    // moving out of that plane.
    const auto across = [](std::int32_t x, std::int32_t y, std::int32_t& time) {
        const V velocity(300, -200, 100);
        return CCircle::SweepCapsule3d(V(-4096, 0, 0), V(4096, 0, 0), 256, V(-x / 2, -y / 2, 128), 256, velocity,
                                       velocity + V(x, y, 0), time);
    };
    // A segment along y moving by +x and a segment along z at x = 1.
    const auto swept = [](V s, V q, std::int32_t k) {
        std::int32_t time = -1;
        return W(CCircle::SweepCapsuleSegment3d(V(0, 0, 0), V(0, 2048, 0), 100, s, q, 100, V(4096, 0, 0), V(0, 0, 0), k,
                                                time),
                 time);
    };
    // A segment from (256, 512, 768) along (-1024, 2048, 512) moving by
    // (3072, 1024, -512), every component non-zero and distinct.
    const auto sweptGeneral = [](V s, V q) {
        std::int32_t time = -1;
        return W(CCircle::SweepCapsuleSegment3d(V(256, 512, 768), V(-768, 2560, 1280), 100, s, q, 100,
                                                V(3172, 724, -12), V(100, -300, 500), ONE, time),
                 time);
    };
    // Points of the plane with normal (1, 2, 3), every component non-zero
    // and distinct: the segments t0-t1 and t2-t3 cross halfway along both;
    // the path from c0 to c1 meets the line of t0-t1 at t0, halfway.
    const V t0(-2048, -1920, -896), t1(1536, -2944, -1408), t2(768, -2176, -1664), t3(-1280, -2688, -640);
    const V c0(-1024, -1664, -1408), c1(-3072, -2176, -384), segmentVelocity(300, -200, 100);
    std::int32_t tiltedTime = -1;
    const bool tiltedHit =
        CCircle::SweepCapsule3d(t0, t1, 256, c0, 128, segmentVelocity, segmentVelocity + (c1 - c0), tiltedTime);
    V offset;
    std::int32_t t = -1;
    const V x0(0, 0, 0), x2(2048, 0, 0);
    ExpectAll({
        {"ClosestPoints of parallel segments: s = 0, t from the projection of p1",
         pair(x0, x2, V(-512, ONE, 0), V(1536, ONE, 0)),
         {0, 0, 0, 0, ONE, 0, 0, 256}},
        {"ClosestOffset", W(CLineSegment3d::ClosestOffset(x0, x2, V(-ONE, -ONE, 5), offset, t), t), {-ONE, -ONE, 5, 0}},
        // As in 2D on x, y in the plane z = 1; a point far behind the plane is off it.
        {"IntersectCoplanar",
         W(coplanar(V(0, 0, ONE), V(2048, 0, ONE), V(ONE, -ONE, ONE), V(ONE, ONE, ONE)),
           coplanar(V(0, 0, ONE), V(2048, 0, ONE), V(ONE, -ONE, ONE), V(ONE, ONE, 9000)),
           coplanar(V(0, 0, ONE), V(2048, 0, ONE), V(ONE, -ONE, ONE), V(ONE, ONE, -5000))),
         {1, 512, 512, 0, -1, -1, 0, -1, -1}},
        {"IntersectCoplanar with b0 on the line of a, all on one line",
         W(coplanar(x0, x2, V(ONE, 0, 0), V(ONE, 0, ONE)), coplanar(x0, x2, V(ONE, 0, 0), V(4096, 0, 0))),
         {1, 512, 0, 0, -1, -1}},
        {"IntersectCoplanar in a tilted plane; b1 4 units off it",
         W(coplanar(t0, t1, t2, t3), coplanar(t0, t1, t2, t3 + V(1, 2, 3))),
         {1, 512, 512, 0, -1, -1}},
        // Half the motion, times the distance to the segment (651.7) less
        // the radii, over that distance: 210.3.
        {"SweepCapsule3d in a tilted plane", W(tiltedHit, tiltedTime), {1, 204}},
        // Meeting the line at its start, centre on the segment, moving away.
        {"SweepCapsule3d",
         W(capsule(V(0, 2048, 0), V(0, -4096, 0)), capsule(V(0, 0, 0), V(0, 0, -4096)),
           capsule(V(2048, 2048, 0), V(0, ONE, 0))),
         {1, 256, 1, 0, 0, 0}},
        {"SweepCapsule3d off the direct branch at 460/1024", capsule(V(2048, 1840, 0), V(0, -4096, 0)), {1, 460}},
        {"SweepCapsule3d of 20-unit crossings", CrossingsAt36Angles(across), {36, 36}},
        // Contact a quarter of the way: behind the swept face (closest points), through its front (the crossing);
        // out of reach; no motion.
        {"SweepCapsuleSegment3d",
         W(swept(V(ONE, ONE, ONE), V(ONE, ONE, -ONE), ONE), swept(V(ONE, ONE, -ONE), V(ONE, ONE, ONE), ONE),
           swept(V(9000, ONE, ONE), V(9000, ONE, -ONE), ONE), swept(V(0, ONE, ONE), V(0, ONE, -ONE), 0)),
         {1, 256, 1, 256, 0, -1, 1, 0}},
        // Through the second triangle at (2048, 2304, 640): 705.6 along v;
        // ending 150 short of the first triangle's inside, within the radii,
        // over (768, 1280, 768): 224.8.
        {"SweepCapsuleSegment3d of general segments",
         W(sweptGeneral(V(1848, 2454, 40), V(2648, 1854, 2440)), sweptGeneral(V(726, 1408, -630), V(737, 1301, 623))),
         {1, 698, 1, 222}},
    });
}

TEST(CFrustum, ClassifiesSpheres) {
    const V eye(0, 0, 0), corners[] = {{-ONE, -ONE, ONE}, {ONE, -ONE, ONE}, {ONE, ONE, ONE}, {-ONE, ONE, ONE}};
    const CFrustum frustum(eye, corners[0], corners[1], corners[2], corners[3], 4 * ONE);
    const V points[] = {eye, corners[0], corners[1], corners[2], corners[3]};
    const CFrustum copy(points, 4 * ONE);
    const auto classify = [&](std::int32_t x, std::int32_t z) { return W(frustum.ClassifySphere({256, {x, 0, z}})); };
    // Corners at two depths, off the z axis: the near plane leans to the
    // left, and the far plane lies 4.94 along (0.37, 0, 0.93) with real
    // arithmetic (4.89 here).
    const CFrustum leaning(eye, V(-ONE, -512, 2048), V(1536, -512, ONE), V(1536, ONE, ONE), V(-ONE, ONE, 2048),
                           4 * ONE);
    const auto classifyLeaning = [&](V centre) { return W(leaning.ClassifySphere({256, centre})); };
    ExpectAll({
        {"far planes",
         W(copy.planes[5].normal.z, copy.planes[5].d, frustum.planes[5].d, leaning.planes[5].normal,
           leaning.planes[5].d),
         {-ONE, -4090, -4090, -381, 0, -952, -5005}},
        // Inside, on the near plane, behind the eye, on the far plane, beyond it, on a side plane.
        {"ClassifySphere",
         W(classify(0, 2048), classify(0, ONE), classify(0, -2048), classify(0, 4090), classify(0, 5000),
           classify(-2048, 2048)),
         {1, 2, 3, 2, 3, 2}},
        // Inside; half a unit beyond each side plane; on and half a unit
        // behind the near plane; a third of a unit before and beyond the far
        // plane; behind the eye.
        {"ClassifySphere of the leaning frustum",
         W(classifyLeaning(V(512, 512, 3072)), classifyLeaning(V(-1600, 512, 2048)),
           classifyLeaning(V(256, -1344, 2560)), classifyLeaning(V(2048, 512, 768)),
           classifyLeaning(V(128, 2048, 2176)), classifyLeaning(V(-64, 512, 1664)),
           classifyLeaning(V(-256, 512, 1152)), classifyLeaning(V(1152, 512, 4608)),
           classifyLeaning(V(1408, 512, 5248)), classifyLeaning(V(0, 0, -ONE))),
         {1, 3, 3, 3, 3, 2, 3, 1, 3, 3}},
    });
}

const V kA(0, 0, 0), kB(4096, 0, 0), kC(0, 4096, 0);  // facing +z

TEST(CTriangle3d, Examples) {
    const auto hit = [](V p, V q) {  // the triangle scaled by a quarter
        std::int32_t t = -1;
        return W(T3::IntersectSegment(V(0, 0, 0), V(ONE, 0, 0), V(0, ONE, 0), p, q, t), t);
    };
    const auto nearest = [](V p, V q) {
        V onTriangle, onSegment;
        std::int32_t t = -1;
        T3::ClosestPointsToSegment(kA, kB, kC, p, q, onTriangle, onSegment, t);
        return W(onTriangle, onSegment, t);
    };
    const auto weights = [](V a, V b, V c, V p) {
        std::int32_t u = -1, v = -1, w = -1;
        T3::Barycentric(a, b, c, p, u, v, w);
        return W(u, v, w);
    };
    const auto meets = [](V d, V e, V f) { return W(T3::IntersectsTriangle(kA, kB, kC, d, e, f)); };
    ExpectAll({
        {"ClosestPoint with coincident vertices: a vertex, no division by 0",
         W(After(V(9, 9, 9), [](V& out) { T3::ClosestPoint(kA, kA, kB, V(2048, ONE, 0), out); })),
         {0, 0, 0}},
        {"ContainsPoint",
         W(T3::ContainsPoint(kA, kB, kC, kA), T3::ContainsPoint(kA, kB, kC, V(ONE, ONE, 0)),
           T3::ContainsPoint(kA, kB, kC, V(-ONE, ONE, 0))),
         {1, 1, 3}},
        {"IntersectSegment at 512, starting on the plane, from the back, beside",
         W(hit(V(256, 256, ONE), V(256, 256, -ONE)), hit(V(256, 256, 0), V(256, 256, -ONE)),
           hit(V(256, 256, -ONE), V(256, 256, ONE))[0], hit(V(5000, 256, ONE), V(5000, 256, -ONE))[0]),
         {1, 512, 1, 0, 0, 0}},
        // Crossing the face: the crossing on both; an end above the face beats the edges.
        {"ClosestPointsToSegment",
         W(nearest(V(ONE, ONE, ONE), V(ONE, ONE, -ONE)), nearest(V(ONE, ONE, ONE), V(ONE, ONE, 3072)),
           nearest(V(-2048, ONE, ONE), V(-ONE, ONE, ONE))),
         {ONE, ONE, 0, ONE, ONE, 0, 512, ONE, ONE, 0, ONE, ONE, ONE, 0, 0, ONE, 0, -ONE, ONE, ONE, ONE}},
        // The product of the two distances would wrap.
        {"StraddlesPlane, OnPlane",
         W(T3::StraddlesPlane(kGround, V(0, 0, 51200), V(0, 0, -61440), 0),
           T3::StraddlesPlane(kGround, V(0, 0, 51200), V(0, 0, 61440), 0),
           T3::StraddlesPlane(kGround, V(0, 0, 3), V(0, 0, 61440), 3), T3::OnPlane(kGround, V(5, 5, 1)),
           T3::OnPlane(kGround, V(5, 5, -2))),
         {1, 0, 1, 1, 0}},
        // The usual weights in the projection along z, x and y, the largest normal component; collinear: all on a.
        {"Barycentric",
         W(weights(kA, kB, kC, V(ONE, ONE, 0)), weights(kA, V(0, 4096, 0), V(0, 0, 4096), V(0, ONE, ONE)),
           weights(kA, kB, V(0, 0, 4096), V(ONE, 0, ONE)), weights(kA, kB, V(8192, 0, 0), kB)),
         {512, 256, 256, 512, 256, 256, 512, 256, 256, ONE, 0, 0}},
        {"CTriangle2d::Area in either winding",
         W(CTriangle2d(CVector2d(0, 0), CVector2d(4096, 0), CVector2d(0, 4096)).Area(),
           CTriangle2d(CVector2d(0, 4096), CVector2d(4096, 0), CVector2d(0, 0)).Area()),
         {8192, 8192}},
        {"IsEquilateral, IsIsosceles",
         W(T3(kA, V(ONE, 0, 0), V(512, 887, 0)).IsEquilateral(), T3(kA, V(ONE, 0, 0), V(512, 887, 0)).IsIsosceles(),
           T3(kA, kB, kC).IsEquilateral(), T3(kA, kB, kC).IsIsosceles(), T3(kA, kB, V(0, ONE, 0)).IsIsosceles()),
         {1, 1, 0, 1, 0}},
        // Cutting it, missing it, its own plane, parallel beside it.
        {"IntersectsPlane",
         W(T3::IntersectsPlane(kA, kB, kC, Plane(ONE, 0, 0, ONE)),
           T3::IntersectsPlane(kA, kB, kC, Plane(ONE, 0, 0, 5120)), T3::IntersectsPlane(kA, kB, kC, kGround),
           T3::IntersectsPlane(kA, kB, kC, Plane(0, 0, ONE, ONE))),
         {1, 0, 1, 0}},
        // Standing across it at x = 1, the same at x = 5, inside it in its plane, apart in its plane, parallel above
        // it.
        {"IntersectsTriangle",
         W(meets(V(ONE, -512, -ONE), V(ONE, -512, ONE), V(ONE, 3072, 0)),
           meets(V(5120, -512, -ONE), V(5120, -512, ONE), V(5120, 3072, 0)),
           meets(V(ONE, ONE, 0), V(2048, ONE, 0), V(ONE, 2048, 0)),
           meets(V(8192, 8192, 0), V(9000, 8192, 0), V(8192, 9000, 0)),
           meets(V(ONE, ONE, ONE), V(2048, ONE, ONE), V(ONE, 2048, ONE))),
         {1, 0, 1, 0, 0}},
    });
}

TEST(Spheres, Examples) {
    const auto side = [](std::int32_t z) {
        std::int32_t s = -1;
        return W(SphereClassifyPlane(V(0, 0, z), ONE, kGround, s), s);
    };
    const auto plane = [](V centre, V velocity) {
        std::int32_t t = -1;
        V point(9, 9, 9);
        return W(SphereSweepPlane(centre, ONE, kGround, velocity, t, point), t, point);
    };
    const auto spheres = [](V centreB, V velocityB) {  // radii 0.5, A resting at the origin
        std::int32_t t = -1;
        V point(9, 9, 9);
        return W(SphereSweepSphere(V(0, 0, 0), 512, centreB, 512, V(0, 0, 0), velocityB, t, point), t, point);
    };
    const auto touches = [](std::int32_t t) {  // a sphere falling onto the triangle, at time t
        return W(T3::SphereSweepTouches(kA, kB, kC, V(ONE, ONE, 2048), 512, V(0, 0, 0), V(0, 0, -4096), t), t);
    };
    std::int32_t t = 300;
    ExpectAll({
        {"SphereIntersectsSphere touching, SphereIntersectsSegment",
         W(SphereIntersectsSphere(V(0, 0, 0), ONE, V(2048, 0, 0), ONE),
           SphereIntersectsSphere(V(0, 0, 0), ONE, V(2049, 0, 0), ONE),
           SphereIntersectsSegment(V(0, ONE, 0), ONE, V(-ONE, 0, 0), V(ONE, 0, 0)),
           SphereIntersectsSegment(V(0, ONE, 0), 1000, V(-ONE, 0, 0), V(ONE, 0, 0))),
         {1, 0, 1, 0}},
        {"SphereClassifyPlane at exactly the radius: 2",
         W(side(ONE), side(1025), side(-1025), side(-ONE)),
         {1, 2, 0, 1, 0, 3, 1, 2}},
        {"SphereSweepPlane moving away: nothing written; touching already: time 0 at the centre",
         W(plane(V(0, 0, 2048), V(0, 0, ONE)), plane(V(5, 0, 1000), V(0, 0, 9))),
         {0, -1, 9, 9, 9, 1, 0, 5, 0, 1000}},
        // The first root and the contact point between the spheres; overlapping: no point.
        {"SphereSweepSphere",
         W(spheres(V(4096, 0, 0), V(-4096, 0, 0)), spheres(V(512, 0, 0), V(-4096, 0, 0))),
         {1, 768, 512, 0, 0, 1, 0, 9, 9, 9}},
        {"SphereSweepTouches (a time of 0 or less is 0)",
         W(touches(400), touches(300), touches(-5)),
         {1, 400, 0, 300, 0, 0}},
        // Moved across the plane; not strictly closer with the sweep's tolerance 0.
        {"SegmentSweepTouches, SegmentTouches",
         W(T3::SegmentSweepTouches(kA, kB, kC, V(ONE, ONE, 2048), V(ONE, ONE, 4096), 0, V(0, 0, 0), V(0, 0, -8192), t),
           T3::SegmentTouches(kA, kB, kC, V(ONE, ONE, 600), V(ONE, ONE, 4096), 600, 0),
           T3::SegmentTouches(kA, kB, kC, V(ONE, ONE, 600), V(ONE, ONE, 4096), 601, 0)),
         {1, 0, 1}},
    });
}

// Two faces of the square [0, 4] x [0, 4] at z = 0, facing +z.
const V kSquare[] = {{0, 0, 0}, {4096, 0, 0}, {0, 4096, 0}, {4096, 4096, 0}};
const CMeshFace kFaces[] = {{{0, 1, 2}}, {{1, 3, 2}}, {{0, 1, 99}}};  // the last one is broken

TEST(CTriangleMesh, QueriesInFaceOrder) {
    const CTriangleMesh mesh(4, 2, kSquare, kFaces), broken(4, 3, kSquare, kFaces), empty(0, 0, nullptr, nullptr);
    const auto sphere = [](const CTriangleMesh& m, V centre) {
        std::int32_t face = -1;
        return W(m.FirstFaceTouchingSphere(centre, ONE, face), face);
    };
    const auto sweep = [](const CTriangleMesh& m, V centre, V end, std::int32_t t) {
        std::int32_t face = -1;
        return W(m.SphereSweep(centre, 512, V(0, 0, 0), end, t, face), face, t);
    };
    std::int32_t segmentFace = -1, planeFace = -1, triangleFace = -1, sweptFace = -1, t = 768, none = -1;
    ExpectAll({
        {"FaceVertex", W(mesh.FaceVertex(1, 1)), {4096, 4096, 0}},
        // The first face wins and the broken face after it is never reached.
        {"FirstFaceTouchingSphere",
         W(sphere(broken, V(3072, 3072, 512)), sphere(broken, V(ONE, ONE, 512)), sphere(mesh, V(ONE, ONE, 2048))),
         {1, 1, 1, 0, 0, -1}},
        {"FirstFaceHitBySegment, FirstFaceIntersectingPlane, FirstFaceIntersectingTriangle",
         W(mesh.FirstFaceHitBySegment(V(3072, 3072, ONE), V(3072, 3072, -ONE), 0, segmentFace), segmentFace,
           broken.FirstFaceIntersectingPlane(Plane(ONE, 0, 0, 3584), planeFace), planeFace,
           broken.FirstFaceIntersectingTriangle(V(3584, 256, -ONE), V(3584, 9000, 0), V(3584, 256, ONE), triangleFace),
           triangleFace),
         {1, 1, 1, 0, 1, 0}},
        // Earliest first; on the shared edge the first face; at time 0 it stops at once; moving away: the start.
        {"SphereSweep",
         W(sweep(mesh, V(3072, 3072, 2048), V(0, 0, -2048), 768), sweep(mesh, V(3072, 3072, 2048), V(0, 0, -2048), 512),
           sweep(mesh, V(2048, 2048, 2048), V(0, 0, -2048), 768), sweep(broken, V(ONE, ONE, 256), V(0, 0, -2048), -7),
           sweep(broken, V(ONE, ONE, 512), V(0, 0, 2048), 700)),
         {1, 1, 768, 0, -1, 512, 1, 0, 768, 1, 0, 0, 1, 0, 0}},
        {"SegmentSweep",
         W(mesh.SegmentSweep(V(3072, 3072, 2048), V(3072, 3072, 3072), 600, V(0, 0, 0), V(0, 0, -2048), t, sweptFace),
           sweptFace, t),
         {1, 1, 768}},
        {"an empty mesh",
         W(sweep(empty, V(ONE, ONE, 512), V(0, 0, 2048), 700),
           empty.SegmentSweep(V(0, 0, 0), V(0, 0, 1), 600, V(0, 0, 0), V(0, 0, -2048), t, none),
           empty.FirstFaceIntersectingPlane(Plane(ONE, 0, 0, 0), none)),
         {0, -1, 700, 0, 0}},
    });
}

TEST(MathDeathTest, AssertionsNameTheirSourceLines) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::int32_t* none = nullptr;
    const CTriangleMesh broken(4, 3, kSquare, kFaces);
    const std::int32_t zeros[16] = {};
    const auto badRecord = [](auto m) {  // renormalising with no interval
        m.renormalize = true;
        m.renormalizeInterval = 0;
        return m;
    };
    const CMatrix3d bad3 = badRecord(CMatrix3d(zeros, 0));
    const CMatrix4d bad4 = badRecord(CMatrix4d(zeros, 0));
    const CMatrix4dh bad4h = badRecord(CMatrix4dh(zeros, 0));
    const CVector2d polygon[4] = {};
    const CVector2d* start = nullptr;
    CVector2d end(0, 0);
    std::int32_t time;
    const struct {
        std::function<void()> call;
        const char* source;
        int line;
    } cases[] = {
        {[] { CMatrix2d(1, 2, 3, 4, 0)[static_cast<std::uint32_t>(-1)] = 0; }, "inc\\CMatrix2d", 113},
        {[&] { CLineSegment2d::GetPolygonEdge(polygon, 4, 0, &start, nullptr); }, "src\\CLineSegment2d", 311},
        {[&] { CCircle::SweepSegmentResponse(end, 0, 0, CLineSegment2d(0, 0, 1, 1), end, time, 2); }, "src\\CCircle",
         110},
        {[&] { CCircle::PushOutOfPolygon(end, 0, nullptr, 0, end); }, "src\\CCircle", 157},
        {[&] { V{none}; }, "src\\CVector3d", 18},
        {[&] { V() = none; }, "inc\\CVector3d", 185},
        {[] {
             V(1, 2, 3)[3] = 0;
         },
         "inc\\CVector3d", 264},
        {[&] { CVector4d{none}; }, "src\\CVector4d", 8},
        {[&] { CVector4d().Set(none); }, "src\\CVector4d", 19},
        {[&] { CVector4dh(none, true); }, "src\\CVector4dh", 14},
        {[] { CMatrix3d{static_cast<const CMatrix3d*>(nullptr)}; }, "src\\CMatrix3d", 23},
        {[&] { CMatrix3d{&bad3}; }, "src\\CMatrix3d", 28},
        {[] { CMatrix3d()[9] = 0; }, "inc\\CMatrix3d", 200},
        {[] { CMatrix4d{static_cast<const CMatrix4d*>(nullptr)}; }, "src\\CMatrix4d", 21},
        {[&] { CMatrix4d{&bad4}; }, "src\\CMatrix4d", 26},
        {[] { CMatrix4d()[16] = 0; }, "inc\\CMatrix4d", 255},
        {[] { CMatrix4dh{static_cast<const CMatrix4dh*>(nullptr)}; }, "src\\CMatrix4dh", 23},
        {[&] { CMatrix4dh{&bad4h}; }, "src\\CMatrix4dh", 28},
        {[] { CMatrix4dh()[16] = 0; }, "inc\\CMatrix4dh", 318},
        {[&] { CPlane{none}; }, "src\\CPlane", 8},
        {[&] { CPlane().Set(none); }, "src\\CPlane", 153},
        {[] { Plane(0, 0, 0, 0).DominantAxis(); }, "src\\CPlane", 41},
        {[&] { Q{none}; }, "src\\CQuaternion", 12},
        {[&] { broken.Vertex(4); }, "inc\\CTriangleMesh", 84},
        {[&] { broken.Face(3); }, "inc\\CTriangleMesh", 107},
        {[&] { broken.FaceVertex(0, 3); }, "inc\\CTriangleMesh", 124},
        {[&] { broken.FaceVertex(2, 2); }, "inc\\CTriangleMesh", 84},
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
        keep(T3::SphereSweepTouches(p[0], p[1], p[2], p[3], s, p[4], p[5], t),
             T3::IntersectSegment(p[0], p[1], p[2], p[3], p[4], t));
        keep(T3::SegmentSweepTouches(p[0], p[1], p[2], p[3], p[4], r, p[5], p[0], t),
             T3::ContainsPoint(p[0], p[1], p[2], p[3]));
        T3::Barycentric(p[0], p[1], p[2], p[3], t, u, w);
        T3::ClosestPointsToSegment(p[0], p[1], p[2], p[3], p[4], out, out2, t);
        keep(t, u, w, out.x, out2.y, T3::IntersectsPlane(p[0], p[1], p[2], other),
             T3::IntersectsTriangle(p[0], p[1], p[2], p[3], p[4], p[5]));
        keep(SphereIntersectsSphere(p[0], s, p[1], r), SphereIntersectsSegment(p[0], s, p[1], p[2]),
             SphereClassifyPlane(p[0], s, plane, u));
        keep(SphereSweepPlane(p[0], s, plane, p[1], t, out), SphereSweepSphere(p[0], s, p[1], r, p[2], p[3], t, out), t,
             out.z);
        const CMeshFace faces[] = {{{0, 1, 2}}, {{3, 4, 5}}};
        const CTriangleMesh mesh(6, 2, p, faces);
        keep(mesh.SphereSweep(p[0], s, p[1], p[2], t, u), mesh.SegmentSweep(p[0], p[1], r, p[2], p[3], t, u));
    }
    EXPECT_NE(sink, 1);  // keeps the results alive
}

}  // namespace
