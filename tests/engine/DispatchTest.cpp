#include <gtest/gtest.h>

#include <vector>

#include "tests/engine/EngineWorld.h"
#include "tests/support/DebugCapture.h"

namespace {

// What the recording units saw: the callback, presenter, slot, frame time
// and the instance's words 0-3 at the time of the call.
struct Call {
    char kind;
    int presenter;
    int slot;
    int time;
    std::vector<int> words;
    bool operator==(const Call&) const = default;
};
std::vector<Call> g_calls;

void Record(char kind, AZ_Presenter* p, std::int32_t slot, std::int32_t time) {
    std::vector<int> words;
    for (int w = 0; w < 4 && slot >= 0; ++w) words.push_back(EngineWorld::Word(slot + w));
    g_calls.push_back({kind, static_cast<int>(p - EngineWorld::P(0)), slot, time, words});
}
void RecAttach(AZ_Presenter* p, std::int32_t slot) { Record('a', p, slot, 0); }
void RecUpdate(AZ_Presenter* p, std::int32_t slot, std::int32_t t) { Record('u', p, slot, t); }
void RecRender(AZ_Presenter* p, std::int32_t slot) { Record('r', p, slot, 0); }
void RecDetach(AZ_Presenter* p, std::int32_t slot) { Record('d', p, slot, 0); }
void RecInstruction(AZ_Presenter* p, std::int32_t offset, AZ_ParamArray params) {
    g_calls.push_back({'i', static_cast<int>(p - EngineWorld::P(0)), offset, 0, {params[offset], params[offset + 1]}});
}

AZ_Unit Recorder(std::int32_t id) {
    return {"recorder", id, RecAttach, RecUpdate, RecRender, RecDetach, RecInstruction, 2, false};
}

struct DispatchTest : ::testing::Test {
    DispatchTest() { g_calls.clear(); }
    EngineWorld world;
};

TEST(ManagerTables, Anchors) {
    const AZ_Manager manager;
    EXPECT_EQ(manager.getSlotStart(94), 4983);
    EXPECT_EQ(manager.getTotalWords(), 4983);
    EXPECT_EQ(manager.getSlotStart(1), 20);     // 10 instances of 2 words
    EXPECT_EQ(manager.getSlotStart(78), 4672);  // behaviours end at word 4671
    for (int c = 0; c < 94; ++c) {
        EXPECT_LE(manager.getParameterWords(c), manager.getInstanceWords(c)) << c;
        EXPECT_LE(manager.getSlotStart(c), manager.getSlotStart(c + 1)) << c;
    }
    for (int c : {78, 79, 80, 81, 82, 90}) EXPECT_EQ(manager.getSlotStart(c + 1), manager.getSlotStart(c)) << c;
    for (int c : {20, 27, 29}) EXPECT_EQ(manager.getUpdateInterval(c), -32768) << c;
}

// Every row of the code-id table (words, parameters, instances, interval;
// visuals have no interval; six ids a line), written out here rather than read from the
// table under test, which the script assembler also takes its parameter
// counts from.
TEST(ManagerTables, EveryRowOfTheCodeIdTable) {
    const struct {
        int words, parameters, instances, interval;
    } rows[AZ_FIRST_INSTRUCTION] = {
        /*  0 */ {2, 1, 10, 32}, {3, 2, 30, 32}, {5, 3, 80, 32}, {2, 1, 5, 32}, {6, 5, 10, 32}, {4, 3, 30, 32},
        /*  6 */ {3, 1, 10, 32}, {3, 2, 10, 128}, {4, 2, 20, 32}, {3, 1, 10, 32}, {3, 1, 20, 32}, {3, 2, 10, 32},
        /* 12 */ {4, 3, 60, 32}, {2, 1, 10, 32}, {6, 4, 10, 32}, {3, 1, 1, 32}, {3, 1, 10, 32}, {2, 1, 30, 32},
        /* 18 */ {6, 3, 20, 32}, {2, 1, 1, 32}, {3, 2, 30, -32768}, {2, 1, 20, 32}, {2, 1, 5, 32}, {2, 1, 10, 32},
        /* 24 */ {3, 2, 10, 32}, {3, 2, 10, 32}, {2, 1, 10, 64}, {4, 3, 130, -32768}, {5, 4, 1, 32}, {3, 0, 20, -32768},
        /* 30 */ {2, 1, 10, 32}, {2, 1, 5, 32}, {1, 0, 20, 32}, {9, 6, 30, 32}, {9, 6, 30, 32}, {7, 3, 1, 64},
        /* 36 */ {6, 2, 1, 32}, {7, 2, 1, 32}, {2, 1, 5, 32}, {4, 3, 1, 32}, {4, 2, 130, 64}, {4, 2, 64, 128},
        /* 42 */ {3, 1, 10, 32}, {2, 1, 10, 32}, {2, 1, 10, 32}, {6, 5, 10, 64}, {4, 2, 10, 32}, {3, 2, 1, 32},
        /* 48 */ {4, 2, 10, 32}, {3, 0, 5, 32}, {4, 2, 10, 256}, {8, 6, 20, 32}, {2, 1, 10, 32}, {4, 1, 2, 32},
        /* 54 */ {1, 0, 2, 32}, {3, 2, 10, 32}, {3, 2, 1, 32}, {3, 2, 10, 32}, {2, 1, 10, 32}, {2, 1, 10, 32},
        /* 60 */ {4, 0, 1, 32}, {2, 1, 1, 32}, {3, 1, 10, 32}, {3, 2, 15, 32}, {1, 0, 1, 32}, {4, 2, 15, 32},
        /* 66 */ {6, 5, 1, 32}, {4, 3, 10, 32}, {4, 2, 15, 32}, {4, 2, 10, 32}, {2, 1, 1, 32}, {3, 0, 5, 32},
        /* 72 */ {3, 1, 10, 32}, {4, 3, 1, 32}, {12, 5, 2, 32}, {3, 2, 2, 32}, {21, 20, 1, 32}, {1, 0, 1, 32},
        /* 78 */ {2, 1, 0, 0}, {7, 0, 0, 0}, {10, 4, 0, 0}, {3, 1, 0, 0}, {3, 1, 0, 0}, {12, 0, 1, 0},
        /* 84 */ {3, 1, 1, 0}, {3, 0, 1, 0}, {4, 2, 50, 0}, {8, 6, 2, 0}, {5, 4, 1, 0}, {6, 4, 2, 0},
        /* 90 */ {3, 2, 0, 0}, {5, 0, 10, 0}, {4, 2, 1, 0}, {6, 3, 1, 0}
    };
    const AZ_Manager manager;
    for (int c = 0; c < AZ_FIRST_INSTRUCTION; ++c) {
        const auto& row = rows[c];
        EXPECT_EQ(manager.getInstanceWords(c), row.words) << c;
        EXPECT_EQ(manager.getParameterWords(c), row.parameters + 1) << c;
        EXPECT_EQ(AZ_GetCallParameterCount(c), row.parameters) << c;
        EXPECT_EQ(manager.getSlotStart(c + 1) - manager.getSlotStart(c), row.words * row.instances) << c;
        if (c < AZ_FIRST_VISUAL) {
            EXPECT_EQ(manager.getUpdateInterval(c), row.interval) << c;
        }
    }
}

std::vector<int> Frames(int t, int n) { return std::vector<int>(static_cast<std::size_t>(n), t); }

// Two presenters hold the id; both get the same decision and time.
TEST(Throttle, PerIdIntervalsAndAccumulatedTime) {
    const struct {
        int id;
        std::vector<int> times;                // frame times, frame 1 first
        std::vector<std::pair<int, int>> runs;  // (frame, time given)
    } cases[] = {
        {26, Frames(48, 9), {{2, 64}, {3, 64}, {5, 64}, {6, 64}, {7, 64}, {9, 64}}},  // interval 64
        {7, Frames(48, 22),  // 128; an accumulator of exactly 128 (frames 8, 16) skips
         {{3, 128}, {6, 128}, {9, 128}, {11, 128}, {14, 128}, {17, 128}, {19, 128}, {22, 128}}},
        {0, Frames(48, 2), {{1, 48}, {2, 48}}},  // 32
        {0, Frames(40, 2), {{1, 32}, {2, 32}}},  // the remainder below 16 is dropped
        {20, {40, 48}, {{1, 32}, {2, 48}}},      // every frame, t & ~15
        {27, {47}, {{1, 32}}},
        {29, {15}, {{1, 0}}},
        {26, {0, -5, 48, 48}, {{1, 0}, {2, -5}, {4, 64}}},  // t <= 0 passes and leaves the throttle alone
    };
    for (const auto& c : cases) {
        EngineWorld world;
        const ScopedUnit unit(c.id, Recorder(c.id));
        g_calls.clear();
        const std::int32_t slots[] = {world.P(0)->attach(c.id), world.P(1)->attach(c.id)};
        std::vector<std::pair<int, int>> runs;
        for (std::size_t f = 0; f < c.times.size(); ++f) {
            for (int p = 0; p < 2; ++p) world.manager.dispatch(AZ_MODE_UPDATE, world.P(p), c.id, slots[p], c.times[f], 0, {});
            world.manager.endFrame();
            if (g_calls.empty()) continue;
            ASSERT_EQ(g_calls.size(), 2u);
            EXPECT_EQ(g_calls[0].time, g_calls[1].time);
            runs.emplace_back(static_cast<int>(f + 1), g_calls[0].time);
            g_calls.clear();
        }
        EXPECT_EQ(runs, c.runs) << c.id;
    }
}

TEST_F(DispatchTest, PausedInstancesNeitherRunNorMoveTheAccumulator) {
    const ScopedUnit behaviour(26, Recorder(26));
    const ScopedUnit visual(86, Recorder(86));
    const std::int32_t slot = world.P(0)->attach(26);
    const std::int32_t visualSlot = world.P(0)->attach(86);
    world.SetWord(slot, 1);
    world.SetWord(visualSlot, 1);
    for (int f = 0; f < 5; ++f) {
        world.manager.dispatch(AZ_MODE_UPDATE, world.P(0), 26, slot, 48, 0, {});
        world.manager.dispatch(AZ_MODE_RENDER, world.P(0), 86, visualSlot, 0, 0, {});
        world.manager.endFrame();
    }
    EXPECT_TRUE(g_calls.empty());
    world.SetWord(slot, 0);
    for (int f = 0; f < 2; ++f) {
        world.manager.dispatch(AZ_MODE_UPDATE, world.P(0), 26, slot, 48, 0, {});
        world.manager.endFrame();
    }
    ASSERT_EQ(g_calls.size(), 1u);  // as from a fresh accumulator: skip, then 64
    EXPECT_EQ(g_calls[0].time, 64);
}

// b_gravity (8): 4 words, 2 parameters (words 1, 2) and private word 3.
TEST_F(DispatchTest, AttachKeepsWordsGivenAsMinus32767) {
    const ScopedUnit unit(8, Recorder(8));
    const struct {
        std::vector<int> params;
        int privateBefore;  // written between attaches, 0 = leave
        std::vector<int> seen;
        std::vector<int> after;
    } steps[] = {
        {{7, -32767}, 0, {0, 7, 0, -32767}, {0, 7, 0, 0}},  // fresh: kept free words become 0
        {{-32767, 5}, 0, {0, 7, 5, 0}, {0, 7, 5, 0}},       // re-attach keeps 7
        {{-32767, -32767}, 11, {0, 7, 5, 11}, {0, 7, 5, 11}},
    };
    for (const auto& s : steps) {
        const std::int32_t slot = world.P(0)->attach(8);
        if (s.privateBefore != 0) world.SetWord(slot + 3, s.privateBefore);
        const ScriptParams params{99, s.params[0], s.params[1]};
        g_calls.clear();
        world.manager.dispatch(AZ_MODE_ATTACH, world.P(0), 8, slot, 0, 1, params.View());
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].words, s.seen);
        EXPECT_EQ((std::vector<int>{world.Word(slot), world.Word(slot + 1), world.Word(slot + 2), world.Word(slot + 3)}),
                  s.after);
    }
}

TEST_F(DispatchTest, PlaceholdersLoadTheirParameters) {
    const std::int32_t slot = world.P(3)->attach(5);
    const ScriptParams params{-1, 300, -32768};
    world.manager.dispatch(AZ_MODE_ATTACH, world.P(3), 5, slot, 0, 0, params.View());
    EXPECT_EQ((std::vector<int>{world.Word(slot + 1), world.Word(slot + 2), world.Word(slot + 3)}),
              (std::vector<int>{-1, 300, -32768}));
}

TEST_F(DispatchTest, DetachSeesItsInstanceFreeThenEveryWordIsFreed) {
    const ScopedUnit unit(5, Recorder(5));
    const std::int32_t slot = world.P(2)->attach(5);
    const ScriptParams params{4, 5, 6};
    world.manager.dispatch(AZ_MODE_ATTACH, world.P(2), 5, slot, 0, 0, params.View());
    g_calls.clear();
    world.P(2)->detach(5);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0], (Call{'d', 2, slot, 0, {-32767, 4, 5, 6}}));
    for (int w = 0; w < 4; ++w) EXPECT_EQ(world.Word(slot + w), -32767);
    EXPECT_EQ(world.P(7)->attach(5), slot);  // the record is taken again
}

// A callback whose event handler takes its own instance away (here the
// callback does it itself): the engine's clean-up after the callback leaves
// the record as the handler left it. Id 8: 2 parameters, private word 3.
TEST_F(DispatchTest, ARecordTakenAwayDuringItsCallbackIsLeftAsTakenAway) {
    const auto none = [](AZ_Presenter*, std::int32_t) {};
    const struct {
        const char* what;
        AZ_SlotCallback attach, detach;
        bool detachAfter;
        std::vector<int> words;
    } cases[] = {
        {"detached by its attach", [](AZ_Presenter* p, std::int32_t) { p->detach(8); }, none, false,
         {-32767, -32767, -32767, -32767}},
        {"attached afresh by its attach",
         [](AZ_Presenter* p, std::int32_t) {
             p->detach(8);
             EngineWorld::SetWord(p->attach(8) + 1, 9);
         },
         none, false, {0, 9, -32767, -32767}},
        {"attached afresh by its detach", none, [](AZ_Presenter* p, std::int32_t) {
             EngineWorld::SetWord(p->attach(8) + 1, 5);
         }, true, {0, 5, 8, 0}},
    };
    for (const auto& c : cases) {
        const ScopedUnit unit(8, AZ_Unit{"taker", 8, c.attach, RecUpdate, nullptr, c.detach, nullptr, 0, false});
        const std::int32_t slot = world.P(0)->attach(8);
        const ScriptParams params{7, 8};
        world.manager.dispatch(AZ_MODE_ATTACH, world.P(0), 8, slot, 0, 0, params.View());
        if (c.detachAfter) world.P(0)->detach(8);
        std::vector<int> words;
        for (int w = 0; w < 4; ++w) words.push_back(world.Word(slot + w));
        EXPECT_EQ(words, c.words) << c.what;
        world.P(0)->detachAllBehaviors();
    }
}

TEST_F(DispatchTest, EachModeServesOnlyItsIds) {
    const ScopedUnit behaviour(5, Recorder(5)), visual(86, Recorder(86)), instruction(94, Recorder(94));
    const std::int32_t slot5 = world.P(1)->attach(5), slot86 = world.P(1)->attach(86);
    const ScriptParams params{1, -2, 300};
    const struct {
        int mode, id;
        char called;  // 0: nothing
    } cases[] = {
        {AZ_MODE_RENDER, 86, 'r'}, {AZ_MODE_RENDER, 5, 0},        {AZ_MODE_UPDATE, 86, 0},
        {AZ_MODE_UPDATE, 5, 'u'},  {AZ_MODE_ATTACH, 94, 0},       {AZ_MODE_DETACH, 94, 0},
        {AZ_MODE_INSTRUCTION, 94, 'i'}, {7, 94, 'i'},             {AZ_MODE_INSTRUCTION, 86, 0},
        {AZ_MODE_INSTRUCTION, 162, 0},  {AZ_MODE_UPDATE, -1, 0},  {AZ_MODE_ATTACH, 162, 0},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        const std::int32_t slot = c.id == 5 ? slot5 : c.id == 86 ? slot86 : -1;
        world.manager.dispatch(c.mode, world.P(1), c.id, slot, 48, 1, params.View());
        ASSERT_EQ(g_calls.size(), c.called != 0 ? 1u : 0u) << c.mode << " " << c.id;
        if (c.called != 0) {
            EXPECT_EQ(g_calls[0].kind, c.called);
        }
        if (c.called == 'i') {
            EXPECT_EQ(g_calls[0].words, (std::vector<int>{-2, 300}));  // read from its offset
        }
    }
}

}  // namespace
