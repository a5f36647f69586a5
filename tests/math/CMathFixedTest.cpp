#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "platform/shared/math/AZ_Math.h"
#include "platform/shared/math/CMathFixed.h"

namespace {

using M = CMathFixed;

TEST(CMathFixedMulDiv, MatchWideReferenceArithmetic) {
    EXPECT_EQ(M::Mul(1, 1), 0);
    EXPECT_EQ(M::Mul(-1, 1), -1);
    EXPECT_EQ(M::Div(-1, 2048), 0);
    EXPECT_EQ(M::Lerp(1000, 3000, 512), 2000);
    EXPECT_EQ(M::AlignInRange(0, 100, 21, 512, 512), 40);  // the half of the odd size rounds down
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-(1 << 16), 1 << 16);
    for (int i = 0; i < 1'000'000; ++i) {
        const std::int32_t a = (i & 1) != 0 ? any(rng) : small(rng);
        const std::int32_t b = (i & 2) != 0 ? any(rng) : small(rng);
        const __int128 product = static_cast<__int128>(a) * b;
        const __int128 floored = product >= 0 ? product / 1024 : -((-product + 1023) / 1024);
        ASSERT_EQ(M::Mul(a, b), static_cast<std::int32_t>(static_cast<std::uint32_t>(floored))) << a << " " << b;
        if (b != 0) {
            const __int128 quotient = static_cast<__int128>(a) * 1024 / b;  // truncates toward zero
            ASSERT_EQ(M::Div(a, b), static_cast<std::int32_t>(static_cast<std::uint32_t>(quotient))) << a << " " << b;
        }
    }
}

// The tables are floor(1024 x f); only sin 0, sin 30 degrees and arcsin 0 are exact.
TEST(MathTables, MatchTheirDefinition) {
    const auto floorOf = [](double value, bool exact) {
        const double scaled = 1024.0 * value;
        return static_cast<std::int32_t>(exact ? std::round(scaled) : std::floor(scaled));
    };
    for (int i = 0; i < 255; ++i) {
        EXPECT_EQ(SinTable[i], floorOf(std::sin(i * 90.0 / 255.0 * std::numbers::pi / 180.0), i == 0 || i == 85)) << i;
        EXPECT_EQ(ASinTable[i], floorOf(std::asin(i / 255.0) * 180.0 / std::numbers::pi, i == 0)) << i;
    }
    EXPECT_EQ(SinTable[85], 512);
}

TEST(CMathFixedSin, Examples) {
    const std::int32_t sines[][2] = {{0, 0},           {92160, 1024},         {92054, 1023},
                                     {30720, 512},     {184320, 0},           {276480, -1024},
                                     {-92160, -1024},  {368640 + 92160, 1024},
                                     {INT32_MIN, -M::Sin(-(INT32_MIN % 368640))}};
    for (const auto& c : sines) {
        EXPECT_EQ(M::Sin(c[0]), c[1]) << c[0];
        EXPECT_EQ(AZ_Sin(c[0]), c[1]) << c[0];
    }
    EXPECT_EQ(M::Cos(0), 1024);
    EXPECT_EQ(M::Cos(184320), -1024);
    EXPECT_EQ(AZ_Cos(-184320), -1024);
}

TEST(CMathFixedSin, StaysWithin8Of1024OfTheLibrarySine) {
    for (const std::int32_t offset : {0, -368640 * 2, 368640 * 3}) {
        for (std::int32_t a = 0; a < 368640; ++a) {
            const std::int32_t angle = a + offset;
            const double radians = angle / 1024.0 * std::numbers::pi / 180.0;
            ASSERT_NEAR(M::Sin(angle), 1024.0 * std::sin(radians), 8.0) << angle;
            ASSERT_NEAR(M::Cos(angle), 1024.0 * std::cos(radians), 8.0) << angle;
        }
    }
}

TEST(CMathFixedASin, ExamplesAndClampingBeyondTheTable) {
    const std::int32_t cases[][2] = {{0, 0},          {1019, 86962},  {1020, 92160},    {1033, 92160}, {-512, -30852},
                                     {INT32_MAX, 92160}, {INT32_MIN, -92160}};
    for (const auto& c : cases) {
        EXPECT_EQ(M::ASin(c[0]), c[1]) << c[0];
        EXPECT_EQ(AZ_ASin(c[0]), c[1]) << c[0];
    }
    EXPECT_EQ(M::ACos(1024), 0);
    EXPECT_EQ(M::ACos(-1024), 184320);
    EXPECT_EQ(M::ACos(5000), 0);
    EXPECT_EQ(M::ACos(-5000), 184320);
}

TEST(CMathFixedATan2, Examples) {
    const std::int32_t cases[][3] = {
        {0, 0, 0},        {0, 1024, 0},         {0, -1024, 184320},     {1024, 0, 92160},
        {-1024, 0, -92160}, {1024, 1024, 45529}, {-1024, -1024, -138791},
        {0, -1500, 184320},  // the 1/32 root makes the cosine exceed 1
        {-31, 31, 0},        // too short to have a length: 0
    };
    for (const auto& c : cases) EXPECT_EQ(M::ATan2(c[0], c[1]), c[2]) << c[0] << ", " << c[1];
    const std::int32_t ints[][3] = {{0, 0, 0}, {0, -1, 184320}, {-1, 0, -92160}, {3, 4, 37755}};
    for (const auto& c : ints) EXPECT_EQ(M::ATan2Int(c[0], c[1]), c[2]) << c[0] << ", " << c[1];
}

TEST(CMathFixedSolveQuadratic, RootsOrNone) {
    std::int32_t r1 = 7, r2 = 7;
    EXPECT_TRUE(M::SolveQuadratic(&r1, &r2, 1024, 0, -4096));
    EXPECT_EQ(r1, 2048);
    EXPECT_EQ(r2, -2048);
    r1 = r2 = 7;
    EXPECT_FALSE(M::SolveQuadratic(&r1, &r2, 1024, 0, 4096));
    EXPECT_FALSE(M::SolveQuadratic(&r1, &r2, 0, 1024, 1024));
    EXPECT_FALSE(M::SolveQuadratic(&r1, &r2, INT32_MIN, 0, 0));  // 2a is 0 in 32 bits
    EXPECT_EQ(r1, 7);
    EXPECT_EQ(r2, 7);
}

}  // namespace
