#include <gtest/gtest.h>

#include <cstdint>

#include "platform/shared/math/CMatrix2d.h"
#include "platform/shared/math/CVector2d.h"

namespace {

using V = CVector2d;

void ExpectVector(const V& v, std::int32_t x, std::int32_t y) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
}

TEST(CVector2d, Arithmetic) {
    V v(3072, -1024);
    v += V(1024, 1024);
    ExpectVector(v, 4096, 0);
    v -= V(2048, 512);
    ExpectVector(v, 2048, -512);
    ExpectVector(V(1, 2) + V(3, 4), 4, 6);
    ExpectVector(V(1, 2) - V(3, 5), -2, -3);
    ExpectVector(V(2048, -1) * 512, 1024, -1);
    ExpectVector(512 * V(2048, -1), 1024, -1);
    ExpectVector(V(2048, -1) / 2048, 1024, 0);
    v.Set(3, 4);
    v *= 2048;
    ExpectVector(v, 6, 8);
    v /= 2048;
    ExpectVector(v, 3, 4);
    v.SetZero();
    ExpectVector(v, 0, 0);
    EXPECT_EQ(V::Dot(V(1024, 2048), V(3072, -512)), 2048);
}

TEST(CVector2d, LengthAndNormalize) {
    EXPECT_EQ(V(3072, 4096).Length(), 5120);
    EXPECT_EQ(V(0, 0).Length(), 0);
    V v(0, 0);
    ExpectVector(v.Normalize(), 0, 0);
    v.Set(3072, 4096);
    ExpectVector(v.Normalize(), 614, 819);
}

TEST(CVector2d, LerpAndRotate) {
    V v(1024, 0);
    v.Lerp(V(3072, -2048), 512);
    ExpectVector(v, 2048, -1024);

    struct Case {
        std::int32_t angle;
        std::int32_t x, y;
    };
    const Case cases[] = {{0, 1024, 0},       {92160, 0, 1024}, {184320, -1024, 0},
                          {-92160, 0, -1024}, {30720, 886, 512}};
    for (const auto& c : cases) {
        V r(1024, 0);
        r.Rotate(c.angle);
        EXPECT_EQ(r.x, c.x) << c.angle;
        EXPECT_EQ(r.y, c.y) << c.angle;
    }
    V odd(7, -3);
    odd.Rotate(0);
    ExpectVector(odd, 7, -3);
}

TEST(CVector2d, Angles) {
    struct Case {
        V v;
        std::int32_t angle;
    };
    const Case cases[] = {{{1024, 0}, 0},      {{0, 1024}, 92160},    {{-1024, 0}, 184320},
                          {{0, -1024}, 276480}, {{0, 0}, 92160},      {{1024, -1024}, 323111}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.v.Angle(), c.angle) << c.v.x << ", " << c.v.y;
    }
    EXPECT_EQ(V::AngleTo(V(1024, 0), V(-1024, 0)), -184320);
    EXPECT_EQ(V::AngleTo(V(-1024, 0), V(1024, 0)), 184320);
    EXPECT_EQ(V::AngleTo(V(1024, 0), V(0, -1024)), -92160);
    EXPECT_EQ(V::AngleTo(V(0, -1024), V(1024, 0)), 92160);

    EXPECT_EQ(V::AngleBetween(V(2048, 0), V(0, -512)), 92160);
    EXPECT_EQ(V::AngleBetween(V(2048, 0), V(-512, 0)), 184320);
    EXPECT_EQ(V::AngleBetween(V(2048, 0), V(4096, 0)), 0);
    EXPECT_EQ(V::AngleBetween(V(0, 0), V(1024, 0)), 0);
    EXPECT_EQ(V::AngleBetween(V(40, 0), V(1024, 0)), 0);  // too short for its length at 1/32
}

TEST(CVector2d, DistanceToSegment) {
    const V a(-1024, 0);
    const V b(1024, 0);
    struct Case {
        V p;
        std::int32_t distance;
        V closest;
    };
    const Case cases[] = {
        {{0, 1024}, 1024, {0, 0}},
        {{-3072, 0}, 2048, a},     // before the start
        {{4096, 4096}, 5120, b},   // beyond the end
        {{512, -2048}, 2048, {512, 0}},
    };
    for (const auto& c : cases) {
        V closest(99, 99);
        EXPECT_EQ(V::DistanceToSegment(c.p, a, b, closest), c.distance) << c.p.x << ", " << c.p.y;
        ExpectVector(closest, c.closest.x, c.closest.y);
    }
}

TEST(CVector2d, SideOfLineAndWindingNumber) {
    EXPECT_GT(V::SideOfLine(V(0, 1024), V(-1024, 0), V(1024, 0)), 0);
    EXPECT_LT(V::SideOfLine(V(0, -1024), V(-1024, 0), V(1024, 0)), 0);
    EXPECT_EQ(V::SideOfLine(V(4096, 0), V(-1024, 0), V(1024, 0)), 0);

    const V square[] = {{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}};
    const V clockwise[] = {{0, 0}, {0, 1024}, {1024, 1024}, {1024, 0}};
    struct Case {
        V p;
        std::int32_t winding;
    };
    const Case cases[] = {{{512, 512}, 1}, {{2048, 512}, 0}, {{512, 2048}, 0}, {{-1, 512}, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(V::WindingNumber(c.p, square, 4), c.winding) << c.p.x << ", " << c.p.y;
        EXPECT_EQ(V::WindingNumber(c.p, clockwise, 4), -c.winding) << c.p.x << ", " << c.p.y;
    }
    EXPECT_EQ(V::WindingNumber(V(0, 0), square, 0), 0);
}

TEST(CVector2d, TimesMatrixIsRowVectorTimesMatrix) {
    const CMatrix2d m(1024, 2048, 3072, 4096, 0);
    V v(1024, -1024);
    ExpectVector(m * v, -2048, -2048);
    v *= m;
    ExpectVector(v, -2048, -2048);
}

bool IsOrthonormal(const CMatrix2d& m) {
    const V c0(m.rows[0].x, m.rows[1].x);
    const V c1(m.rows[0].y, m.rows[1].y);
    return std::abs(c0.Length() - 1024) <= 32 && std::abs(c1.Length() - 1024) <= 32 && std::abs(V::Dot(c0, c1)) <= 8;
}

TEST(CMatrix2d, ConstructionAndElements) {
    const std::int32_t elements[] = {1, 2, 3, 4};
    const CMatrix2d fromArray(elements, 5);
    const CMatrix2d fromRows(V(1, 2), V(3, 4), 0);
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(fromArray[i], elements[i]);
        EXPECT_EQ(fromRows[i], elements[i]);
    }
    EXPECT_TRUE(fromArray.renormalize);
    EXPECT_FALSE(fromRows.renormalize);
    EXPECT_EQ(fromArray.opCount, 0);

    CMatrix2d image(1, 2, 3, 4, 0xFFFF);
    image.opCount = 9;
    const CMatrix2d copy(&image);
    EXPECT_EQ(copy[3], 4);
    EXPECT_EQ(copy.opCount, 9);
    EXPECT_EQ(copy.GetRenormalizeInterval(), -1);
    EXPECT_TRUE(copy.renormalize);
}

TEST(CMatrix2d, ProductsAndRotation) {
    CMatrix2d identity(0, 0, 0, 0, 0);
    identity.SetIdentity();
    const CMatrix2d square = identity * identity;
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(square[i], identity[i]);
    }

    CMatrix2d r = identity;
    r.Rotate(92160);
    EXPECT_EQ(r[0], 0);
    EXPECT_EQ(r[1], 1024);
    EXPECT_EQ(r[2], -1024);
    EXPECT_EQ(r[3], 0);
    EXPECT_EQ(r.opCount, 1);

    // The right operand applies on the left: rows of the result combine
    // the left operand's rows.
    const CMatrix2d a(1024, 2048, 3072, 4096, 7);
    const CMatrix2d b(0, 1024, 2048, 0, 0);
    const CMatrix2d p = a * b;
    EXPECT_EQ(p[0], 3072);
    EXPECT_EQ(p[1], 4096);
    EXPECT_EQ(p[2], 2048);
    EXPECT_EQ(p[3], 4096);
    EXPECT_EQ(p.GetRenormalizeInterval(), 7);
    EXPECT_TRUE(p.renormalize);
    EXPECT_EQ(p.opCount, 0);
    CMatrix2d inPlace = a;
    inPlace *= b;
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(inPlace[i], p[i]);
    }
    EXPECT_EQ(inPlace.opCount, 1);
}

TEST(CMatrix2d, RenormalisesAtItsInterval) {
    CMatrix2d m(1024, 0, 0, 1024, 3);
    // Drift the matrix away from a rotation, then let the interval repair it.
    m[0] = 1300;
    m[3] = 900;
    for (int i = 0; i < 3; ++i) {
        m.Rotate(12345 * (i + 1));
    }
    EXPECT_EQ(m.opCount, 0);
    EXPECT_TRUE(IsOrthonormal(m));

    CMatrix2d never(1024, 0, 0, 1024, 0);
    for (int i = 0; i < 70000; ++i) {
        never.Rotate(1);
    }
    EXPECT_EQ(never.opCount, 65535);

    CMatrix2d scaled(1024, 0, 0, 1024, 1);
    scaled.Scale(V(2048, 512));
    EXPECT_FALSE(scaled.renormalize);
    scaled.Rotate(0);
    EXPECT_EQ(scaled[0], 2048);
    EXPECT_EQ(scaled[3], 512);

    CMatrix2d zero(1, 2, 3, 4, 0);
    zero.SetZero();
    zero.Orthonormalize();
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(zero[i], 0);
    }
}

TEST(CMatrix2dDeathTest, BrokenPreconditionsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CMatrix2d m(1, 2, 3, 4, 0);
    EXPECT_DEATH(m[4] = 0,
                 "ASSERT FAILED - File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\inc\\\\CMatrix2d, Line: 113\n");
    EXPECT_DEATH(CMatrix2d(static_cast<const CMatrix2d*>(nullptr)),
                 "ASSERT FAILED - File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\src\\\\CMatrix2d, Line: 20\n");
    m.renormalize = true;
    EXPECT_DEATH(CMatrix2d{&m}, "src\\\\CMatrix2d, Line: 25\n");
}

}  // namespace
