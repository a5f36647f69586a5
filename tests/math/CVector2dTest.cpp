#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "platform/shared/math/CMatrix2d.h"
#include "platform/shared/math/CVector2d.h"

namespace {

using V = CVector2d;

using XY = std::pair<std::int32_t, std::int32_t>;
XY Of(const V& v) { return {v.x, v.y}; }

TEST(CVector2d, ArithmeticLengthAndNormalize) {
    EXPECT_EQ(Of(V(2048, -1) * 512), XY(1024, -1));  // Mul floors
    EXPECT_EQ(Of(V(2048, -1) / 2048), XY(1024, 0));  // Div truncates
    EXPECT_EQ(V::Dot(V(1024, 2048), V(3072, -512)), 2048);
    EXPECT_EQ(V(3072, 4096).Length(), 5120);
    EXPECT_EQ(V(0, 0).Length(), 0);
    V v(0, 0);
    EXPECT_EQ(Of(v.Normalize()), XY(0, 0));
    v.Set(3072, 4096);
    EXPECT_EQ(Of(v.Normalize()), XY(614, 819));
}

TEST(CVector2d, RotateAndAngles) {
    const std::int32_t rotations[][3] = {{0, 1024, 0}, {92160, 0, 1024}, {-92160, 0, -1024}, {30720, 886, 512}};
    for (const auto& c : rotations) {
        V r(1024, 0);
        r.Rotate(c[0]);
        EXPECT_EQ(Of(r), XY(c[1], c[2]));
    }
    const struct {
        V v;
        std::int32_t angle;
    } angles[] = {{{1024, 0}, 0},       {{0, 1024}, 92160}, {{-1024, 0}, 184320},
                  {{0, -1024}, 276480}, {{0, 0}, 92160},    {{1024, -1024}, 323111}};
    for (const auto& c : angles) EXPECT_EQ(c.v.Angle(), c.angle) << c.v.x << ", " << c.v.y;
    EXPECT_EQ(V::AngleTo(V(1024, 0), V(-1024, 0)), -184320);
    EXPECT_EQ(V::AngleTo(V(-1024, 0), V(1024, 0)), 184320);
    EXPECT_EQ(V::AngleBetween(V(2048, 0), V(0, -512)), 92160);
    EXPECT_EQ(V::AngleBetween(V(0, 0), V(1024, 0)), 0);
    EXPECT_EQ(V::AngleBetween(V(40, 0), V(1024, 0)), 0);  // too short for its length at 1/32
}

TEST(CVector2d, DistanceToSegmentAndWindingNumber) {
    const V a(-1024, 0), b(1024, 0);
    const struct {
        V p;
        std::int32_t distance;
        V closest;
    } cases[] = {{{0, 1024}, 1024, {0, 0}}, {{-3072, 0}, 2048, a}, {{4096, 4096}, 5120, b}};
    for (const auto& c : cases) {
        V closest(99, 99);
        EXPECT_EQ(V::DistanceToSegment(c.p, a, b, closest), c.distance) << c.p.x << ", " << c.p.y;
        EXPECT_EQ(Of(closest), XY(c.closest.x, c.closest.y));
    }
    const V square[] = {{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}};
    EXPECT_EQ(V::WindingNumber(V(512, 512), square, 4), 1);
    EXPECT_EQ(V::WindingNumber(V(2048, 512), square, 4), 0);
}

TEST(CMatrix2d, ProductsAndRotation) {
    CMatrix2d r(0, 0, 0, 0, 0);
    r.SetIdentity();
    r.Rotate(92160);
    const std::int32_t rotated[] = {0, 1024, -1024, 0};
    for (std::uint32_t i = 0; i < 4; ++i) EXPECT_EQ(r[i], rotated[i]);
    // The right operand applies on the left: result rows combine the left operand's rows.
    const CMatrix2d p = CMatrix2d(1024, 2048, 3072, 4096, 7) * CMatrix2d(0, 1024, 2048, 0, 0);
    const std::int32_t product[] = {3072, 4096, 2048, 4096};
    for (std::uint32_t i = 0; i < 4; ++i) EXPECT_EQ(p[i], product[i]);
    EXPECT_EQ(Of(CMatrix2d(1024, 2048, 3072, 4096, 0) * V(1024, -1024)), XY(-2048, -2048));
}

TEST(CMatrix2d, RenormalisesAtItsInterval) {
    CMatrix2d m(1024, 0, 0, 1024, 3);
    m[0] = 1300;  // drift away from a rotation; the interval repairs it
    m[3] = 900;
    for (int i = 0; i < 3; ++i) m.Rotate(12345 * (i + 1));
    EXPECT_EQ(m.opCount, 0);
    const V c0(m.rows[0].x, m.rows[1].x), c1(m.rows[0].y, m.rows[1].y);
    EXPECT_NEAR(c0.Length(), 1024, 32);  // orthonormal again
    EXPECT_NEAR(c1.Length(), 1024, 32);
    EXPECT_NEAR(V::Dot(c0, c1), 0, 8);

    CMatrix2d never(1024, 0, 0, 1024, 0);
    for (int i = 0; i < 70000; ++i) never.Rotate(1);
    EXPECT_EQ(never.opCount, 65535);

    CMatrix2d scaled(1024, 0, 0, 1024, 1);  // a scale stops the renormalisation
    scaled.Scale(V(2048, 512));
    scaled.Rotate(0);
    EXPECT_EQ(Of(scaled.rows[0]), XY(2048, 0));
    EXPECT_EQ(Of(scaled.rows[1]), XY(0, 512));
}

TEST(CMatrix2dDeathTest, IndexOutsideTheMatrixAsserts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CMatrix2d m(1, 2, 3, 4, 0);
    EXPECT_DEATH(m[static_cast<std::uint32_t>(-1)] = 0,
                 "ASSERT FAILED - File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\inc\\\\CMatrix2d, Line: 113\n");
}

}  // namespace
