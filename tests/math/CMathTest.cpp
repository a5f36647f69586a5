#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/shared/math/AZ_Math.h"
#include "platform/shared/math/CMath.h"
#include "platform/shared/math/CMathFixed.h"

namespace {

constexpr std::int64_t kLargestRoot = 46340;  // floor(sqrt(2^31 - 1))

TEST(CMathSqrt, Examples) {
    const std::int32_t cases[][2] = {{0, 0},         {255, 15},         {256, 16},       {65535, 255},
                                     {65536, 256},   {2147483647, 46340}, {-5, 0},        {INT32_MIN, 0}};
    for (const auto& c : cases) EXPECT_EQ(CMath::Sqrt(c[0]), c[1]) << c[0];
    EXPECT_EQ(CMathFixed::Sqrt(1024), 1024);
    EXPECT_EQ(CMathFixed::Sqrt(2048), 1440);  // root 45, times 32
    EXPECT_EQ(AZ_Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(AZ_Length(65536, 4), 4);  // the sum of squares wraps past 2^32
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

#ifdef VK_EXHAUSTIVE_TESTS
TEST(CMathSqrt, IsFloorOfTheRootForEveryNonNegativeValue) {
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto bound = [&](unsigned n) {  // similar counts of values per thread
        return static_cast<std::int64_t>(std::sqrt(static_cast<double>(n) / threads) * (kLargestRoot + 1));
    };
    std::vector<std::int64_t> failures(threads, -1);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) workers.emplace_back([&, t] { failures[t] = CheckRootRange(bound(t), bound(t + 1)); });
    for (auto& w : workers) w.join();
    for (const std::int64_t x : failures) EXPECT_EQ(x, -1) << "CMath::Sqrt(" << x << ")";
}
#else
TEST(CMathSqrt, IsFloorOfTheRootOnBothSidesOfEveryPerfectSquare) {
    EXPECT_EQ(CheckRootRange(0, 1024), -1);  // every value below 2^20
    for (std::int64_t k = 1; k <= kLargestRoot; ++k) {
        ASSERT_EQ(CMath::Sqrt(static_cast<std::int32_t>(k * k)), k);
        ASSERT_EQ(CMath::Sqrt(static_cast<std::int32_t>(k * k - 1)), k - 1) << k;
    }
}
#endif

}  // namespace
