#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "platform/shared/math/AZ_Math.h"
#include "platform/shared/math/CMathFixed.h"

namespace {

using M = CMathFixed;

TEST(CMathFixedMul, RoundsTowardMinusInfinity) {
    EXPECT_EQ(M::Mul(1, 1), 0);
    EXPECT_EQ(M::Mul(-1, 1), -1);
    EXPECT_EQ(M::Mul(1024, 12345), 12345);
    EXPECT_EQ(M::Mul(-1536, 1536), -2304);
}

TEST(CMathFixedDiv, TruncatesTowardZero) {
    EXPECT_EQ(M::Div(-1, 2048), 0);
    EXPECT_EQ(M::Div(1024, 512), 2048);
    EXPECT_EQ(M::Div(-3072, 2048), -1536);
}

TEST(CMathFixedMulDiv, MatchWideReferenceArithmetic) {
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-(1 << 16), 1 << 16);
    for (int i = 0; i < 1'000'000; ++i) {
        // Mix full-range operands with the small ones the game actually uses.
        const std::int32_t a = (i & 1) != 0 ? any(rng) : small(rng);
        const std::int32_t b = (i & 2) != 0 ? any(rng) : small(rng);
        const __int128 product = static_cast<__int128>(a) * b;
        const __int128 floored = product >= 0 ? product / 1024 : -((-product + 1023) / 1024);
        ASSERT_EQ(M::Mul(a, b), static_cast<std::int32_t>(static_cast<std::uint32_t>(floored))) << a << " " << b;
        if (b != 0) {
            const __int128 quotient = static_cast<__int128>(a) * 1024 / b;  // truncates toward zero
            ASSERT_EQ(M::Div(a, b), static_cast<std::int32_t>(static_cast<std::uint32_t>(quotient)))
                << a << " " << b;
        }
    }
}

TEST(CMathFixed, SmallHelpers) {
    EXPECT_EQ(M::Lerp(1000, 3000, 512), 2000);
    EXPECT_EQ(M::SubMul(100, 2048, 10), 80);
    // Leading edge, centre and trailing edge of an item of 21 in [0, 100];
    // the half of the odd size rounds down.
    EXPECT_EQ(M::AlignInRange(0, 100, 21, 0, 0), 0);
    EXPECT_EQ(M::AlignInRange(0, 100, 21, 512, 512), 40);
    EXPECT_EQ(M::AlignInRange(0, 100, 21, 1024, 1024), 79);
    EXPECT_EQ(M::Abs(-7), 7);
    EXPECT_EQ(M::Abs(7), 7);
    EXPECT_EQ(M::Clamp(-5, 0, 10), 0);
    EXPECT_EQ(M::Clamp(10, 0, 10), 10);
    EXPECT_EQ(M::Clamp(11, 0, 10), 10);
    EXPECT_EQ(M::Clamp(5, 0, 10), 5);
    EXPECT_EQ(M::ClampUnit(1033), 1024);
    EXPECT_EQ(M::ClampUnit(-1033), -1024);
    EXPECT_EQ(M::ClampUnit(-200), -200);
}

// floor(1024 * f) computed in double. The only arguments whose exact value
// is an integer are known (sin 0, sin 30 degrees, arcsin 0: by Niven's
// theorem no other rational sine or rational arc sine in degrees occurs
// here); all others lie at least 0.001 away from an integer, far beyond the
// error of double, so floor is safe for them.
std::int32_t FloorOfScaled(double value, bool exact) {
    const double scaled = 1024.0 * value;
    if (exact) {
        EXPECT_NEAR(scaled, std::round(scaled), 1e-9);
        return static_cast<std::int32_t>(std::round(scaled));
    }
    EXPECT_GT(std::abs(scaled - std::round(scaled)), 1e-6) << scaled;
    return static_cast<std::int32_t>(std::floor(scaled));
}

TEST(SinTable, MatchesTheExactDefinition) {
    for (int i = 0; i < 255; ++i) {
        const double degrees = i * 90.0 / 255.0;
        EXPECT_EQ(SinTable[i], FloorOfScaled(std::sin(degrees * std::numbers::pi / 180.0), i == 0 || i == 85))
            << i;
    }
    EXPECT_EQ(SinTable[85], 512);
    EXPECT_EQ(SinTable[7], 44);
    EXPECT_EQ(SinTable[250], 1023);
}

TEST(ASinTable, MatchesTheExactDefinition) {
    for (int i = 0; i < 255; ++i) {
        EXPECT_EQ(ASinTable[i], FloorOfScaled(std::asin(i / 255.0) * 180.0 / std::numbers::pi, i == 0)) << i;
    }
    EXPECT_EQ(ASinTable[128], 30852);
    EXPECT_EQ(ASinTable[181], 46304);
    EXPECT_EQ(ASinTable[254], 86962);
}

TEST(CMathFixedSin, Examples) {
    struct Case {
        std::int32_t angle;
        std::int32_t sin;
    };
    const Case cases[] = {{0, 0},           {92160, 1024},          {92054, 1023},       {92055, 1024},
                          {30720, 512},     {184320, 0},            {276480, -1024},     {-92160, -1024},
                          {368640 + 92160, 1024}, {-30720, -512},   {368640 * 5 + 30720, 512},
                          {INT32_MIN, -M::Sin(-(INT32_MIN % 368640))}, {INT32_MAX, M::Sin(INT32_MAX % 368640)}};
    for (const auto& c : cases) {
        EXPECT_EQ(M::Sin(c.angle), c.sin) << c.angle;
        EXPECT_EQ(AZ_Sin(c.angle), c.sin) << c.angle;
    }
    EXPECT_EQ(M::Cos(0), 1024);
    EXPECT_EQ(M::Cos(184320), -1024);
    EXPECT_EQ(M::Cos(92160), 0);
    EXPECT_EQ(AZ_Cos(-184320), -1024);
    EXPECT_EQ(M::Cos(INT32_MAX), M::Sin(INT32_MIN + 92160 - 1));  // the sum wraps
}

TEST(CMathFixedSin, StaysWithin8Of1024OfTheLibrarySine) {
    // One full turn, then the same turn shifted below zero and past a turn.
    for (const std::int32_t offset : {0, -368640 * 2, 368640 * 3}) {
        for (std::int32_t a = 0; a < 368640; ++a) {
            const std::int32_t angle = a + offset;
            const double radians = angle / 1024.0 * std::numbers::pi / 180.0;
            ASSERT_NEAR(M::Sin(angle), 1024.0 * std::sin(radians), 8.0) << angle;
            ASSERT_NEAR(M::Cos(angle), 1024.0 * std::cos(radians), 8.0) << angle;
        }
    }
}

TEST(CMathFixedASin, Examples) {
    struct Case {
        std::int32_t x;
        std::int32_t angle;
    };
    const Case cases[] = {{0, 0},          {1019, 86962},   {1020, 92160},  {1024, 92160}, {1033, 92160},
                          {-512, -30852},  {-1019, -86962}, {724, 46304},   {-724, -46304}};
    for (const auto& c : cases) {
        EXPECT_EQ(M::ASin(c.x), c.angle) << c.x;
        EXPECT_EQ(AZ_ASin(c.x), c.angle) << c.x;
    }
    EXPECT_EQ(M::ACos(1024), 0);
    EXPECT_EQ(M::ACos(-1024), 184320);
    EXPECT_EQ(M::ACos(0), 92160);
}

TEST(CMathFixedASin, ArgumentsBeyondTheTableClamp) {
    for (const std::int32_t x : {1034, 5000, INT32_MAX}) {
        EXPECT_EQ(M::ASin(x), 92160) << x;
        EXPECT_EQ(M::ASin(-x), -92160) << x;
        EXPECT_EQ(M::ACos(x), 0) << x;
        EXPECT_EQ(M::ACos(-x), 184320) << x;
    }
    EXPECT_EQ(M::ASin(INT32_MIN), -92160);
}

TEST(CMathFixedATan2, Examples) {
    struct Case {
        std::int32_t y;
        std::int32_t x;
        std::int32_t angle;
    };
    const Case cases[] = {
        {0, 0, 0},           {0, 1024, 0},          {0, -1024, 184320},   {1024, 0, 92160},
        {-1024, 0, -92160},  {1024, 1024, 45529},   {-1024, -1024, -138791},
        {-1, -1024, 184320},                           // on the negative x axis, from below
        {0, 1500, 0},        {0, -1500, 184320},    // the 1/32 root makes the cosine exceed 1
        {5, 0, 0},           {-31, 31, 0},          // too short to have a length: 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(M::ATan2(c.y, c.x), c.angle) << c.y << ", " << c.x;
    }
    EXPECT_EQ(M::ATan(1024), 45529);
    EXPECT_EQ(M::ATan(-1024), -45529);
}

TEST(CMathFixedATan2Int, Examples) {
    struct Case {
        std::int32_t y;
        std::int32_t x;
        std::int32_t angle;
    };
    const Case cases[] = {{0, 0, 0},      {0, 1, 0},       {0, -1, 184320},   {1, 0, 92160},
                          {-1, 0, -92160}, {3, 4, 37755},  {-3, -4, -146565}, {1024, 1024, 45856}};
    for (const auto& c : cases) {
        EXPECT_EQ(M::ATan2Int(c.y, c.x), c.angle) << c.y << ", " << c.x;
    }
}

TEST(CMathFixedSolveQuadratic, RootsOrNone) {
    std::int32_t r1 = 7;
    std::int32_t r2 = 7;
    EXPECT_TRUE(M::SolveQuadratic(&r1, &r2, 1024, 0, -4096));
    EXPECT_EQ(r1, 2048);
    EXPECT_EQ(r2, -2048);
    // (t - 1)(t - 3): the larger root first.
    EXPECT_TRUE(M::SolveQuadratic(&r1, &r2, 1024, -4096, 3072));
    EXPECT_EQ(r1, 3072);
    EXPECT_EQ(r2, 1024);
    // A double root.
    EXPECT_TRUE(M::SolveQuadratic(&r1, &r2, 1024, -2048, 1024));
    EXPECT_EQ(r1, 1024);
    EXPECT_EQ(r2, 1024);

    r1 = r2 = 7;
    EXPECT_FALSE(M::SolveQuadratic(&r1, &r2, 1024, 0, 4096));
    EXPECT_FALSE(M::SolveQuadratic(&r1, &r2, 0, 1024, 1024));
    EXPECT_FALSE(M::SolveQuadratic(&r1, &r2, INT32_MIN, 0, 0));  // 2a is 0 in 32 bits
    EXPECT_EQ(r1, 7);
    EXPECT_EQ(r2, 7);
}

TEST(CMathFixedDeathTest, BrokenPreconditionsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::int32_t r = 0;
    EXPECT_DEATH(M::SolveQuadratic(nullptr, &r, 1024, 0, -4096),
                 "ASSERT FAILED - File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\src\\\\CMathFixed, Line: 41\n");
    EXPECT_DEATH(M::SolveQuadratic(&r, nullptr, 1024, 0, -4096), "CMathFixed, Line: 42\n");
    EXPECT_DEATH(M::ClampUnit(1034),
                 "ASSERT FAILED - File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\math\\\\inc\\\\CMathFixed, Line: 250\n");
    EXPECT_DEATH(M::ClampUnit(INT32_MIN), "Line: 250\n");
}

}  // namespace
