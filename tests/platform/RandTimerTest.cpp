#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/shared/components/CTimer.h"
#include "platform/shared/core/CRandGen.h"
#include "tests/support/FailingAlloc.h"

namespace {

TEST(CRandGen, MatchesTheReferenceMersenneTwister) {
    for (std::uint32_t seed : {5489u, 0u, 0xFFFFFFFFu, 20261206u}) {
        CRandGen gen;
        gen.Seed(seed);
        std::mt19937 reference(seed);
        for (int i = 1; i <= 100000; ++i) {
            const std::uint32_t v = gen.Next();
            ASSERT_EQ(v, reference()) << seed << " @" << i;
            EXPECT_TRUE(seed != 5489 || i != 10000 || v == 4123659995u);
        }
    }
}

TEST(CSyncRand, DrawsBitsAcrossBytesAroundTheEndAndWide) {
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    EXPECT_EQ(sync.GetRange(), 8);
    for (int expected : {4, 6, 5, 7, 0, 0, 5}) EXPECT_EQ(sync.Next(), expected);
    // NextMod(3) redraws 6 and 7, the incomplete group: 4, 5, 0 give 1, 2, 0.
    sync.SetPosition(0);
    for (int expected : {1, 2, 0}) EXPECT_EQ(sync.NextMod(3), expected);

    // Wide values keep the low 16 bits and have no range.
    const std::uint8_t wide[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    ASSERT_TRUE(sync.Init(wide, 6, 40));
    EXPECT_EQ(sync.GetRange(), 0);
    EXPECT_EQ(sync.Next(), 0x4455);
}

TEST(CSyncRandDeathTest, ReadingOutsideTheSeedAsserts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    EXPECT_DEATH(sync.SetPosition(-1), "File: CSyncRand, Line: 74");
    FailNthNothrowNew(0);  // the seed copy
    const bool initialised = sync.Init(seed, 2, 3);
    FailNthNothrowNew(-1);
    EXPECT_FALSE(initialised);
    EXPECT_DEATH(sync.Next(), "File: CSyncRand, Line: 107");
}

TEST(CTimer, Examples) {
    struct Step {
        std::int32_t elapsed, expiries, remaining;
        bool active;
    };
    const struct {
        const char* what;
        std::int32_t start;
        bool repeat;
        std::vector<Step> steps;
    } cases[] = {
        {"one-shot", 1000, false, {{999, 0, 1, true}, {1, 1, 0, false}, {5, 0, 0, false}}},
        {"one-shot, long step", 1000, false, {{5000, 1, -4000, false}}},
        {"repeating, behind", 100, true, {{350, 3, 50, true}, {50, 1, 100, true}}},
        {"zero period", 0, true, {{0, 1, 0, false}}},
        {"negative elapsed", 100, false, {{-50, 0, 150, true}, {150, 1, 0, false}}},
    };
    for (const auto& c : cases) {
        CTimer timer;
        timer.Start(c.start, c.repeat);
        for (const auto& s : c.steps) {
            EXPECT_EQ(timer.Update(s.elapsed), s.expiries) << c.what;
            EXPECT_EQ(timer.GetRemaining(), s.remaining) << c.what;
            EXPECT_EQ(timer.IsActive(), s.active) << c.what;
        }
    }
    CTimer stopped;
    stopped.Start(10, true);
    stopped.Stop();
    EXPECT_EQ(stopped.Update(100), 0);
}

}  // namespace
