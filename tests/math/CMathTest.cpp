#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "platform/shared/math/AZ_Math.h"
#include "platform/shared/math/CMath.h"
#include "platform/shared/math/CMathFixed.h"

namespace {

constexpr std::int64_t kLargestRoot = 46340;  // floor(sqrt(2^31 - 1))

TEST(SqrtSeedTable, IsFloorOf16TimesTheRoot) {
    for (std::int32_t i = 0; i < 256; ++i) {
        const std::int32_t seed = SqrtSeedTable[i];
        EXPECT_LE(seed * seed, 256 * i) << i;
        EXPECT_GT((seed + 1) * (seed + 1), 256 * i) << i;
    }
}

TEST(CMathSqrt, Examples) {
    struct Case {
        std::int32_t x;
        std::int32_t root;
    };
    const Case cases[] = {{0, 0},         {1, 1},         {255, 15},   {256, 16},          {1023, 31},
                          {1024, 32},     {65535, 255},   {65536, 256}, {16777215, 4095},  {16777216, 4096},
                          {1073741823, 32767}, {1073741824, 32768}, {2147395600, 46340}, {2147483647, 46340},
                          {-5, 0},        {INT32_MIN, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(CMath::Sqrt(c.x), c.root) << c.x;
    }
}

// Checks every x in [k^2, (k+1)^2) for k in [first, last), clipped to 2^31 - 1.
// Returns the first wrong x, or -1.
std::int64_t CheckRootRange(std::int64_t first, std::int64_t last) {
    for (std::int64_t k = first; k < last; ++k) {
        const std::int64_t end = std::min<std::int64_t>((k + 1) * (k + 1), INT32_MAX + std::int64_t{1});
        for (std::int64_t x = k * k; x < end; ++x) {
            if (CMath::Sqrt(static_cast<std::int32_t>(x)) != k) {
                return x;
            }
        }
    }
    return -1;
}

#ifdef VK_EXHAUSTIVE_TESTS
TEST(CMathSqrt, IsFloorOfTheRootForEveryNonNegativeValue) {
    // Split the roots so that each thread checks a similar count of values.
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    std::vector<std::int64_t> failures(threads, -1);
    for (unsigned t = 0; t < threads; ++t) {
        const auto bound = [&](unsigned n) {
            return static_cast<std::int64_t>(std::sqrt(static_cast<double>(n) / threads) * (kLargestRoot + 1));
        };
        workers.emplace_back([&failures, t, first = bound(t), last = bound(t + 1)] {
            failures[t] = CheckRootRange(first, last);
        });
    }
    for (auto& w : workers) {
        w.join();
    }
    for (const std::int64_t x : failures) {
        EXPECT_EQ(x, -1) << "CMath::Sqrt(" << x << ")";
    }
}
#else
TEST(CMathSqrt, IsFloorOfTheRootOnSamples) {
    // Every value below 2^20, both sides of every perfect square, and random values.
    EXPECT_EQ(CheckRootRange(0, 1024), -1);
    for (std::int64_t k = 1; k <= kLargestRoot; ++k) {
        EXPECT_EQ(CMath::Sqrt(static_cast<std::int32_t>(k * k)), k);
        ASSERT_EQ(CMath::Sqrt(static_cast<std::int32_t>(k * k - 1)), k - 1) << k;
    }
    std::mt19937 rng(12);
    std::uniform_int_distribution<std::int32_t> any(0, INT32_MAX);
    for (int i = 0; i < 1'000'000; ++i) {
        const std::int32_t x = any(rng);
        const std::int32_t root = CMath::Sqrt(x);
        ASSERT_TRUE(std::int64_t{root} * root <= x && std::int64_t{root + 1} * (root + 1) > x) << x;
    }
}
#endif

TEST(CMathFixedSqrt, HasAResolutionOf32) {
    EXPECT_EQ(CMathFixed::Sqrt(1024), 1024);
    EXPECT_EQ(CMathFixed::Sqrt(2048), 1440);
    EXPECT_EQ(CMathFixed::Sqrt(4096), 2048);
    EXPECT_EQ(CMathFixed::Sqrt(-1024), 0);
}

TEST(AZ_Math, DistancesAndRoots) {
    EXPECT_EQ(AZ_Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(AZ_Distance(3, 4, 0, 0), 5);
    EXPECT_EQ(AZ_Length(-1024, 1024), 1448);
    EXPECT_EQ(AZ_Sqrt(2147483647u), 46340);
    EXPECT_EQ(AZ_Sqrt(0x80000000u), 0);  // top bit set
    // 46341^2 does not fit: the 32-bit square wraps negative and gives 0.
    EXPECT_EQ(AZ_Length(46341, 0), 0);
    // A sum that wraps past 2^32 reads as the small remainder.
    EXPECT_EQ(AZ_Length(65536, 4), 4);
}

}  // namespace
