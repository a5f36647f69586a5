#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/components/CTimer.h"
#include "platform/shared/core/CRandGen.h"
#include "tests/support/FailingAlloc.h"

namespace {

TEST(CRandGen, MatchesTheReferenceMersenneTwister) {
    for (std::uint32_t seed : {5489u, 0u, 1u, 0xFFFFFFFFu, 20261206u}) {
        CRandGen gen;
        gen.Seed(seed);
        std::mt19937 reference(seed);
        for (int i = 0; i < 100000; ++i) ASSERT_EQ(gen.Next(), reference()) << seed << " @" << i;
    }
    CRandGen gen;
    gen.Seed(5489);
    std::uint32_t v = 0;
    for (int i = 0; i < 10000; ++i) v = gen.Next();
    EXPECT_EQ(v, 4123659995u);
}

TEST(CRandGen, SeededFromTheSecondsClock) {
    host::SetVirtualClock(0, 1'000'000'000'000);
    CRandGen a, b;
    std::mt19937 reference(1'000'000'000u);
    host::ClearVirtualClock();
    const std::uint32_t first = a.Next();
    EXPECT_EQ(first, reference());
    EXPECT_EQ(b.Next(), first);
}

TEST(CRandGen, Ranges) {
    CRandGen gen;
    gen.Seed(1);
    std::vector<int> seen(10);
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(gen.NextRange(3, 3), 3u);
        const std::uint32_t r = gen.NextRange(0, 9);
        ASSERT_LE(r, 9u);
        ++seen[r];
        EXPECT_LT(gen.NextMod(7), 7u);
        const std::uint32_t p = gen.NextRange(0, 1024);
        EXPECT_LE(p, 1024u);
    }
    for (int count : seen) EXPECT_GT(count, 0);
    EXPECT_LE(gen.NextRange(0, 0xFFFFFFFEu), 0xFFFFFFFEu);
}

TEST(CSyncRand, DrawsBitsAcrossBytesAndAroundTheEnd) {
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    EXPECT_EQ(sync.GetRange(), 8);
    std::vector<int> got;
    for (int i = 0; i < 7; ++i) got.push_back(sync.Next());
    EXPECT_EQ(got, (std::vector<int>{4, 6, 5, 7, 0, 0, 5}));
    // Same seed, same values; SetPosition replays from a bit.
    CSyncRand again;
    ASSERT_TRUE(again.Init(seed, 2, 3));
    again.SetPosition(6);
    EXPECT_EQ(again.Next(), 5);
    // Re-initialising replaces the seed copy.
    const std::uint8_t other[] = {0xFF, 0xFF, 0xFF};
    ASSERT_TRUE(again.Init(other, 3, 5));
    EXPECT_EQ(again.Next(), 31);
}

TEST(CSyncRand, NextModRejectsTheIncompleteGroup) {
    // k = 3, n = 3: values 6 and 7 form the incomplete group and are redrawn.
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    // Draws 4, 6 (rejected), 5, 7 (rejected), 0 give 1, 2, 0.
    EXPECT_EQ(sync.NextMod(3), 1);
    EXPECT_EQ(sync.NextMod(3), 2);
    EXPECT_EQ(sync.NextMod(3), 0);
}

TEST(CSyncRand, WideValuesKeepTheLow16BitsWithoutOversizedShifts) {
    std::uint8_t seed[9];
    for (std::uint8_t i = 0; i < 9; ++i) seed[i] = static_cast<std::uint8_t>(0x11 * (i + 1));
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 9, 40));  // 72 bits, 40 per value
    EXPECT_EQ(sync.GetRange(), 0);
    // The last 16 bits read are the value: bytes 3 and 4 (0x44, 0x55), first
    // read bits most significant.
    EXPECT_EQ(sync.Next(), 0x4455);
}

TEST(CSyncRandDeathTest, Assertions) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    EXPECT_DEATH(sync.Init(seed, 1, 4), "File: CSyncRand, Line: 46");
    EXPECT_DEATH(sync.Init(seed, 1, 8), "File: CSyncRand, Line: 45");
    EXPECT_DEATH(sync.Init(nullptr, 1, 3), "File: CSyncRand, Line: 44");
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    EXPECT_DEATH(sync.SetPosition(16), "File: CSyncRand, Line: 74");
    EXPECT_DEATH(sync.SetPosition(-1), "File: CSyncRand, Line: 74");
    EXPECT_DEATH(sync.NextMod(8), "File: CSyncRand, Line: 89");
    EXPECT_DEATH(sync.NextMod(0), "File: CSyncRand, Line: 88");
    for (int i = 0; i < 16; ++i) sync.Next();
    EXPECT_DEATH(sync.Next(), "File: CSyncRand, Line: 107");
}

TEST(CSyncRandDeathTest, AFailedInitLeavesNothingToDraw) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    FailNthNothrowNew(0);  // the seed copy
    const bool initialised = sync.Init(seed, 2, 3);
    FailNthNothrowNew(-1);
    EXPECT_FALSE(initialised);
    EXPECT_DEATH(sync.Next(), "File: CSyncRand, Line: 107");
    ASSERT_TRUE(sync.Init(seed, 2, 3));  // usable again
    EXPECT_EQ(sync.Next(), 4);
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
        EXPECT_FALSE(timer.IsActive());
        timer.Start(c.start, c.repeat);
        for (const auto& s : c.steps) {
            EXPECT_EQ(timer.Update(s.elapsed), s.expiries) << c.what;
            EXPECT_EQ(timer.GetRemaining(), s.remaining) << c.what;
            EXPECT_EQ(timer.IsActive(), s.active) << c.what;
        }
    }
}

TEST(CTimer, StoppedTimerReportsNothing) {
    CTimer timer;
    timer.Start(10, true);
    timer.Stop();
    EXPECT_EQ(timer.Update(100), 0);
    EXPECT_EQ(timer.GetRemaining(), 10);
    timer.Start(10, false);
    timer.Update(20);  // expires with -10 remaining
    EXPECT_EQ(timer.Update(20), 0);
    EXPECT_EQ(timer.GetRemaining(), -10);
    timer.Start(10, false);  // restart
    EXPECT_EQ(timer.GetRemaining(), 10);
    EXPECT_TRUE(timer.IsActive());
}

}  // namespace
