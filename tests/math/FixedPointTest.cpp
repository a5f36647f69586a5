#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <thread>
#include <vector>

#include "platform/shared/math/AZ_Math.h"
#include "platform/shared/math/CMath.h"
#include "platform/shared/math/CMathFixed.h"
#include "platform/shared/math/CMatrix2d.h"
#include "tests/math/Examples.h"

namespace {

using M = CMathFixed;
using V = CVector2d;

TEST(CMathFixed, MulAndDivMatchWideArithmetic) {
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
TEST(CMathFixed, TablesMatchTheirDefinition) {
    const auto floorOf = [](double value, bool exact) {
        const double scaled = 1024.0 * value;
        return static_cast<std::int32_t>(exact ? std::round(scaled) : std::floor(scaled));
    };
    for (int i = 0; i < 255; ++i) {
        EXPECT_EQ(SinTable[i], floorOf(std::sin(i * 90.0 / 255.0 * std::numbers::pi / 180.0), i == 0 || i == 85)) << i;
        EXPECT_EQ(ASinTable[i], floorOf(std::asin(i / 255.0) * 180.0 / std::numbers::pi, i == 0)) << i;
    }
}

TEST(CMathFixed, SineStaysWithin8Of1024OfTheLibrarySine) {
    for (const std::int32_t offset : {0, -368640 * 2, 368640 * 3}) {
        for (std::int32_t a = 0; a < 368640; ++a) {
            const std::int32_t angle = a + offset;
            const double radians = angle / 1024.0 * std::numbers::pi / 180.0;
            ASSERT_NEAR(M::Sin(angle), 1024.0 * std::sin(radians), 8.0) << angle;
            ASSERT_NEAR(M::Cos(angle), 1024.0 * std::cos(radians), 8.0) << angle;
        }
    }
}

TEST(CMathFixed, Examples) {
    std::int32_t r1 = 7, r2 = 7;
    const std::int32_t sinOfMin = -M::Sin(-(INT32_MIN % 368640));  // odd and periodic
    ExpectAll({
        {"Mul floors, Div truncates", W(M::Mul(-1, 1), M::Mul(1, 1), M::Div(-1, 2048)), {-1, 0, 0}},
        {"Lerp, AlignInRange (the half of the odd size rounds down)",
         W(M::Lerp(1000, 3000, 512), M::AlignInRange(0, 100, 21, 512, 512)),
         {2000, 40}},
        {"Sin",
         W(M::Sin(0), M::Sin(92160), M::Sin(92054), M::Sin(30720), M::Sin(184320), M::Sin(276480)),
         {0, 1024, 1023, 512, 0, -1024}},
        {"Sin beyond a turn, its helper, Cos",
         W(M::Sin(-92160), M::Sin(368640 + 92160), M::Sin(INT32_MIN), AZ_Sin(INT32_MIN), M::Cos(0), AZ_Cos(184320)),
         {-1024, 1024, sinOfMin, sinOfMin, 1024, -1024}},
        {"ASin clamps beyond the table",
         W(M::ASin(0), M::ASin(1019), M::ASin(1020), M::ASin(1033), M::ASin(-512), AZ_ASin(INT32_MIN),
           M::ASin(INT32_MAX)),
         {0, 86962, 92160, 92160, -30852, -92160, 92160}},
        {"ACos", W(M::ACos(1024), M::ACos(-1024), M::ACos(5000), M::ACos(-5000)), {0, 184320, 0, 184320}},
        {"ATan2 (the 1/32 root makes the cosine exceed 1; too short for a length: 0)",
         W(M::ATan2(0, 0), M::ATan2(1024, 1024), M::ATan2(-1024, -1024), M::ATan2(0, -1500), M::ATan2(-31, 31),
           M::ATan2Int(0, 0), M::ATan2Int(3, 4)),
         {0, 45529, -138791, 184320, 0, 0, 37755}},
        {"SolveQuadratic", W(M::SolveQuadratic(&r1, &r2, 1024, 0, -4096), r1, r2), {1, 2048, -2048}},
        {"SolveQuadratic without roots leaves them (2a is 0 in 32 bits for INT32_MIN)",
         W(M::SolveQuadratic(&r1, &r2, 1024, 0, 4096), M::SolveQuadratic(&r1, &r2, 0, 1024, 1024),
           M::SolveQuadratic(&r1, &r2, INT32_MIN, 0, 0), r1, r2),
         {0, 0, 0, 2048, -2048}},
        {"Sqrt (the fixed root steps by 32; the sum of squares wraps past 2^32)",
         W(CMath::Sqrt(255), CMath::Sqrt(65536), CMath::Sqrt(-5), CMath::Sqrt(INT32_MIN), M::Sqrt(1024), M::Sqrt(2048),
           AZ_Distance(0, 0, 3, 4), AZ_Length(65536, 4)),
         {15, 256, 0, 0, 1024, 1440, 5, 4}},
    });
}

// The first x in [first^2, last^2) (below 2^31) whose root is wrong, or -1.
std::int64_t CheckRootRange(std::int64_t first, std::int64_t last) {
    for (std::int64_t k = first; k < last; ++k) {
        const std::int64_t end = std::min<std::int64_t>((k + 1) * (k + 1), INT32_MAX + std::int64_t{1});
        for (std::int64_t x = k * k; x < end; ++x) {
            if (CMath::Sqrt(static_cast<std::int32_t>(x)) != k) return x;
        }
    }
    return -1;
}

constexpr std::int64_t kLargestRoot = 46340;  // floor(sqrt(2^31 - 1))

#ifdef VK_EXHAUSTIVE_TESTS
TEST(CMath, SqrtIsFloorOfTheRootForEveryNonNegativeValue) {
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto bound = [&](unsigned n) {  // similar counts of values per thread
        return static_cast<std::int64_t>(std::sqrt(static_cast<double>(n) / threads) * (kLargestRoot + 1));
    };
    std::vector<std::int64_t> failures(threads, -1);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back([&, t] { failures[t] = CheckRootRange(bound(t), bound(t + 1)); });
    for (auto& w : workers) w.join();
    for (const std::int64_t x : failures) EXPECT_EQ(x, -1) << "CMath::Sqrt(" << x << ")";
}
#else
TEST(CMath, SqrtIsFloorOfTheRootOnBothSidesOfEveryPerfectSquare) {
    EXPECT_EQ(CheckRootRange(0, 1024), -1);  // every value below 2^20
    for (std::int64_t k = 1; k <= kLargestRoot; ++k) {
        ASSERT_EQ(CMath::Sqrt(static_cast<std::int32_t>(k * k)), k);
        ASSERT_EQ(CMath::Sqrt(static_cast<std::int32_t>(k * k - 1)), k - 1) << k;
    }
}
#endif

TEST(CVector2d, Examples) {
    const V a(-1024, 0), b(1024, 0), square[] = {{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}};
    const V zero(0, 0);
    V q(99, 99), end(99, 99);
    const auto rotated = [](V v, std::int32_t angle) {
        v.Rotate(angle);
        return v;
    };
    ExpectAll({
        {"Length, Normalize",
         W(V(3072, 4096).Length(), zero.Length(), V(0, 0).Normalize(), V(3072, 4096).Normalize()),
         {5120, 0, 0, 0, 614, 819}},
        {"Rotate", W(rotated(b, 92160), rotated(b, 0)), {0, 1024, 1024, 0}},
        {"Angle",
         W(V(1024, 0).Angle(), V(0, 1024).Angle(), V(-1024, 0).Angle(), V(0, -1024).Angle(), zero.Angle()),
         {0, 92160, 184320, 276480, 92160}},
        {"AngleTo, AngleBetween (too short for a length at 1/32: 0)",
         W(V::AngleTo(b, a), V::AngleTo(a, b), V::AngleBetween(V(2048, 0), V(0, -512)), V::AngleBetween(zero, b),
           V::AngleBetween(V(40, 0), b)),
         {-184320, 184320, 92160, 0, 0}},
        {"DistanceToSegment, beyond an end",
         W(V::DistanceToSegment(V(0, 1024), a, b, q), q, V::DistanceToSegment(V(4096, 4096), a, b, end), end),
         {1024, 0, 0, 5120, 1024, 0}},
        {"WindingNumber",
         W(V::WindingNumber(V(512, 512), square, 4), V::WindingNumber(V(2048, 512), square, 4)),
         {1, 0}},
    });
}

TEST(CMatrix2d, ProductsRotationAndRenormalisation) {
    CMatrix2d r(1024, 0, 0, 1024, 0);
    r.Rotate(92160);
    // Matrices with every element non-zero and distinct, so that a swapped
    // element or row shows.
    const CMatrix2d a(1024, 2048, 3072, 4096, 7), b(512, 1536, -1024, 2560, 0);
    CMatrix2d inPlace = a, turned = a, scaledTwice = a, scaledBy = a;
    inPlace *= b;
    turned.Rotate(92160);
    scaledTwice.Scale(2048, 512);
    scaledBy.Scale(V(-512, 3072));
    // The right operand applies on the left: result rows combine the left operand's rows.
    ExpectAll({
        {"Rotate", W(r), {0, 1024, -1024, 0}},
        {"products",
         W(CMatrix2d(1024, 2048, 3072, 4096, 7) * CMatrix2d(0, 1024, 2048, 0, 0),
           CMatrix2d(1024, 2048, 3072, 4096, 0) * V(1024, -1024)),
         {3072, 4096, 2048, 4096, -2048, -2048}},
        // Row 0: 0.5 (1, 2) + 1.5 (3, 4); row 1: -1 (1, 2) + 2.5 (3, 4).
        {"products of general matrices, and *=", W(a * b, inPlace), {5120, 7168, 6656, 8192, 5120, 7168, 6656, 8192}},
        {"Rotate a general matrix by 90 degrees: rows (row 1, -row 0)", W(turned), {3072, 4096, -1024, -2048}},
        {"Scale by two factors and by a vector",
         W(scaledTwice, scaledBy),
         {2048, 4096, 1536, 2048, -512, -1024, 9216, 12288}},
    });

    CMatrix2d m(1300, 0, 0, 900, 3);  // drifted away from a rotation; the interval repairs it
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
    EXPECT_EQ(W(scaled), (Words{2048, 0, 0, 512}));
}

}  // namespace
