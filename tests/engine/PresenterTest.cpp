#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <vector>

#include "tests/engine/EngineWorld.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"

namespace {

using Entries = std::vector<std::pair<int, int>>;

constexpr char kAccessError[] = "[ AZ ] [ ERROR ] - AZ_Presenter, access error";

struct PresenterTest : ::testing::Test {
    EngineWorld world;
    AZ_Presenter* p0 = world.P(0);
    AZ_Presenter* p1 = world.P(1);
};

TEST_F(PresenterTest, AttachKeepsRunsSortedAndInPoolOrder) {
    const std::int32_t s40 = p0->attach(40), s5 = p0->attach(5), s86 = p0->attach(86);
    const std::int32_t s2 = p1->attach(2);
    EXPECT_EQ(world.Run(0), (Entries{{5, s5}, {40, s40}, {86, s86}}));
    world.SetWord(s40, 1);  // paused: a second attach resumes it, adding nothing
    EXPECT_EQ(p0->attach(40), s40);
    EXPECT_EQ(world.Word(s40), 0);
    EXPECT_EQ(p0->getCodeSlot(40), s40);
    EXPECT_EQ(p1->getRunStart(), 3);
    const std::int32_t s7 = p0->attach(7);
    EXPECT_EQ(world.Run(0), (Entries{{5, s5}, {7, s7}, {40, s40}, {86, s86}}));
    EXPECT_EQ(world.Run(1), (Entries{{2, s2}}));
    EXPECT_EQ(p1->getRunStart(), 4);
    EXPECT_EQ(world.P(2)->getRunStart(), 5);  // unused presenters' runs move too
}

TEST_F(PresenterTest, InstancesAreTakenLowestFirstAndReused) {
    const std::int32_t start = world.manager.getSlotStart(5), size = world.manager.getInstanceWords(5);
    EXPECT_EQ(p0->attach(5), start);
    EXPECT_EQ(p1->attach(5), start + size);
    p0->detach(5);
    EXPECT_EQ(world.P(2)->attach(5), start);
}

TEST_F(PresenterTest, LimitsAScriptCanReachLogAndChangeNothing) {
    for (int p = 0; p < 10; ++p) ASSERT_GE(world.P(p)->attach(0), 0);  // b_customCodeCallback: 10 instances
    const Entries before = world.Run(10);
    const struct {
        const char* what;
        std::int32_t (*act)();
        std::int32_t result;
        const char* line;
    } cases[] = {
        {"11th instance", [] { return EngineWorld::P(10)->attach(0); }, -1, kAccessError},
        {"no instances", [] { return EngineWorld::P(10)->attach(79); }, -1, kAccessError},
        {"id 94", [] { return EngineWorld::P(10)->attach(94); }, -1, nullptr},
        {"id 95", [] { return EngineWorld::P(10)->attach(95); }, -1,
         "[ AZ ][ ERROR ] - AZ_Presenter Invalid behavior / visual type"},
        {"lookup -1", [] { return EngineWorld::P(10)->getCodeSlot(-1); }, -1,
         "[ AZ ][ ERROR ] - AZ_Presenter Invalid behavior / visual type"},
        {"detach 200", [] { EngineWorld::P(10)->detach(200); return 0; }, 0,
         "[ AZ ][ ERROR ] - AZ_Presenter Invalid behavior / visual type"},
        {"detach absent", [] { EngineWorld::P(10)->detach(6); return 0; }, 0, nullptr},
        {"presenter 150", [] { return EngineWorld::P(150) == nullptr ? 1 : 0; }, 1,
         "[ AZ ][ ERROR ] - AZ_Presenter : Invalid Id in getPresenter"},
        {"read 4983", [] { return EngineWorld::Word(4983); }, 0, kAccessError},
        {"write 4983", [] { EngineWorld::SetWord(4983, 5); return 0; }, 0, kAccessError},
    };
    for (const auto& c : cases) {
        DebugCapture capture;
        EXPECT_EQ(c.act(), c.result) << c.what;
        EXPECT_EQ(capture.Text(), c.line != nullptr ? std::string(c.line) + "\n" : "") << c.what;
        EXPECT_EQ(world.Run(10), before) << c.what;
        EXPECT_EQ(world.P(10)->getRunStart(), 10) << c.what;
    }
    for (int c = 0; c < 95; ++c) EXPECT_EQ(world.P(10)->findCodeSlot(c), -1);
}

// Fills the list with 600 entries over presenters 1-149.
void FillList(EngineWorld& world) {
    int entries = 0;
    for (int p = 1; p < 150 && entries < 600; ++p) {
        for (int c = 0; c < 94 && entries < 600; ++c) entries += world.P(p)->attach(c) >= 0 ? 1 : 0;
    }
    ASSERT_EQ(entries, 600);
}

TEST_F(PresenterTest, AFullListRefusesTheAttach) {
    FillList(world);
    const Entries last = world.Run(149);
    const int lastEnd = world.P(149)->getRunEnd();
    const std::int32_t freeInstance = world.manager.findFreeInstance(27);
    DebugCapture capture;
    EXPECT_EQ(p0->attach(27), -1);
    EXPECT_EQ(capture.Text(), "[ AZ ][ ERROR ] - AZ_Presenter : Out of space for behaviors, increase AZ__MAX_BEHAVIOR pool\n");
    EXPECT_EQ(p0->getCodeSlot(27), -1);
    EXPECT_EQ(world.Run(149), last);
    EXPECT_EQ(world.P(149)->getRunEnd(), lastEnd);
    EXPECT_EQ(world.manager.findFreeInstance(27), freeInstance);  // not taken

    // A detach from the full list frees entry 599.
    world.P(1)->detach(0);
    EXPECT_EQ(world.store->getCodeList()[599], AZ_FREE_ENTRY);
    EXPECT_GE(p0->attach(27), 0);

    // Detaching everything frees every entry and every word.
    for (int p = 0; p < 150; ++p) {
        for (int c = 0; c < 94; ++c) world.P(p)->detach(c);
    }
    const std::int8_t* codes = world.store->getCodeList();
    EXPECT_TRUE(std::all_of(codes, codes + 600, [](std::int8_t e) { return e == AZ_FREE_ENTRY; }));
    for (int w = 0; w < 4983; ++w) ASSERT_EQ(world.Word(w), -32767) << w;
}

// Records the detach callbacks: code id, word 0, the lookup and word 1.
std::vector<std::array<int, 4>> g_detached;
template <int Id>
void RecordDetach(AZ_Presenter* p, std::int32_t slot) {
    g_detached.push_back({Id, EngineWorld::Word(slot), p->getCodeSlot(Id), EngineWorld::Word(slot + 1)});
}
template <int Id>
AZ_Unit Detacher() {
    return {"detacher", Id, RecordDetach<Id>, nullptr, nullptr, RecordDetach<Id>, nullptr, 0, false};
}

TEST_F(PresenterTest, DetachAllRunsTheCallbacksFromTheHighestIdAfterTheListIsInOrder) {
    const ScopedUnit u2(2, Detacher<2>()), u5(5, Detacher<5>()), u86(86, Detacher<86>());
    const std::int32_t s2 = p0->attach(2), s5 = p0->attach(5), s86 = p0->attach(86);
    const std::int32_t s17 = p1->attach(17);
    world.SetWord(s2 + 1, 22);
    world.SetWord(s5 + 1, 55);
    g_detached.clear();
    p0->detachAllBehaviors();
    EXPECT_EQ(g_detached, (std::vector<std::array<int, 4>>{{5, -32767, -1, 55}, {2, -32767, -1, 22}}));
    EXPECT_EQ(world.Run(0), (Entries{{86, s86}}));
    EXPECT_EQ(world.Run(1), (Entries{{17, s17}}));
    EXPECT_EQ(world.store->getCodeList()[2], AZ_FREE_ENTRY);

    p0->setX(5);
    p0->setFrozen(true);
    p0->release();
    EXPECT_EQ(world.Run(0), Entries{});
    EXPECT_EQ(world.Run(1), (Entries{{17, s17}}));
    EXPECT_EQ(p0->getCharacterType(), 0xFFFF);
    EXPECT_FALSE(p0->isFrozen());
    EXPECT_EQ(p0->getX(), 5);  // kept until the next allocate

    g_detached.clear();
    world.store->reset();  // frees everything without callbacks
    EXPECT_TRUE(g_detached.empty());
    EXPECT_EQ(world.Word(s17), -32767);
    EXPECT_EQ(p1->getCodeSlot(17), -1);
}

TEST_F(PresenterTest, AllocateTakesTheLowestFreePresenter) {
    AZ_Presenter_Singleton& store = *world.store;
    {
        DebugCapture capture;
        EXPECT_EQ(store.createPresenter(4, 0, 0), nullptr);
        EXPECT_EQ(store.allocate(0, 0, -1), nullptr);
        EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"[ AZ ][ ERROR ] - AZ_Client Invalid character Id",
                                                             "[ AZ ][ ERROR ] - AZ_Presenter Invalid character Id"}));
    }
    for (const std::int32_t refused : {-1, 150}) {  // no presenter: never held
        DebugCapture capture;
        const AZ_HeldCharacter none(AZ_Presenter::getPresenter(refused));
        EXPECT_FALSE(none.held()) << refused;
        EXPECT_EQ(none.getId(), -1) << refused;
    }
    for (int i = 0; i < 150; ++i) ASSERT_EQ(store.createPresenter(i % 4, i, -i), world.P(i));
    EXPECT_EQ(store.allocate(0, 0, 0), nullptr);  // the 151st
    EXPECT_EQ(store.getHighWaterMark(), 150);
    world.P(7)->release();
    world.P(3)->release();
    AZ_Presenter* again = store.allocate(11, 12, 2);
    ASSERT_EQ(again, world.P(3));
    EXPECT_EQ(again->getId(), 3);
    EXPECT_EQ(again->getX(), 11);
    EXPECT_TRUE(again->isUpdateEnabled() && again->isRenderEnabled());
    EXPECT_EQ(world.P(7)->getId(), 7);
    EXPECT_EQ(world.P(7)->getY(), -7);
    store.reset();
    EXPECT_EQ(store.getHighWaterMark(), 0);
    EXPECT_EQ(world.P(3)->getId(), 0xFFFF);
}

using Model = std::array<std::set<int>, 150>;

// The first broken rule of the store against the model, or null.
const char* Mismatch(EngineWorld& world, const Model& model, const AZ_Presenter* touched, int touchedId) {
    const std::int8_t* codes = world.store->getCodeList();
    const std::int16_t* slots = world.store->getSlotList();
    int next = 0;
    for (int q = 0; q < 150; ++q) {
        const AZ_Presenter* p = world.P(q);
        const std::set<int>& ids = model[static_cast<std::size_t>(q)];
        if (p->getRunStart() != next) return "runs contiguous, in pool order";
        if (p->getRunEnd() - p->getRunStart() != static_cast<int>(ids.size())) return "run length";
        auto id = ids.begin();
        for (int i = p->getRunStart(); i < p->getRunEnd(); ++i, ++id) {
            if (codes[i] != *id) return "run sorted, holding the model's ids";
            if (p->findCodeSlot(*id) != slots[i]) return "lookup equal to the list";
            if (EngineWorld::Word(slots[i]) != 0) return "attached instances running";
        }
        next = p->getRunEnd();
    }
    if (!std::all_of(codes + next, codes + 600, [](std::int8_t e) { return e == AZ_FREE_ENTRY; })) {
        return "free entries after the last run";
    }
    int held = 0;
    for (int c = 0; c < 95; ++c) held += touched->findCodeSlot(c) != -1 ? 1 : 0;
    return held == static_cast<int>(model[static_cast<std::size_t>(touchedId)].size()) ? nullptr : "lookup holds no more";
}

// Attach, detach, detach-all, release and reset at random over the whole
// pool, checked after each step against a set of ids per presenter.
TEST(PresenterStore, RandomisedAgainstAModel) {
    EngineWorld world;
    const AZ_Manager& manager = world.manager;
    std::mt19937 rng(2024);
    Model model;
    std::array<int, 94> holders{};  // presenters holding each id
    std::size_t entries = 0, mostEntries = 0, allocations = 0;
    // Refused attaches log; the sink counts the lines without allocating.
    static int lines;
    lines = 0;
    int refused = 0;
    host::SetDebugSink([](std::u16string_view text) { lines += text == u"\n" ? 1 : 0; });
    // Only the engine's calls are counted, not the model's.
    const auto counted = [&allocations](auto&& call) {
        const std::size_t before = AllocationCount();
        call();
        allocations += AllocationCount() - before;
    };
    const auto forget = [&](std::set<int>& ids, auto gone) {
        for (auto it = ids.begin(); it != ids.end();) {
            if (!gone(*it)) {
                ++it;
                continue;
            }
            --holders[static_cast<std::size_t>(*it)];
            --entries;
            it = ids.erase(it);
        }
    };
    for (int step = 0; step < 20000; ++step) {
        const int p = static_cast<int>(rng() % 150);
        const int c = static_cast<int>(rng() % 95);
        AZ_Presenter* presenter = world.P(p);
        std::set<int>& ids = model[static_cast<std::size_t>(p)];
        const unsigned action = rng() % 2000;
        if (action < 1200) {
            const bool fresh = c < 94 && ids.count(c) == 0;
            const int instances =
                c < 94 ? (manager.getSlotStart(c + 1) - manager.getSlotStart(c)) / manager.getInstanceWords(c) : 0;
            const bool possible = !fresh || (holders[static_cast<std::size_t>(c)] < instances && entries < 600);
            std::int32_t slot = -1;
            counted([&] { slot = presenter->attach(c); });
            ASSERT_EQ(slot >= 0, c < 94 && possible) << step;
            refused += c < 94 && !possible ? 1 : 0;
            if (slot >= 0 && fresh) {
                ids.insert(c);
                ++holders[static_cast<std::size_t>(c)];
                mostEntries = std::max(mostEntries, ++entries);
            }
        } else if (action < 1800) {
            counted([&] { presenter->detach(c); });
            forget(ids, [c](int id) { return id == c; });
        } else if (action < 1860) {
            counted([&] { presenter->detachAllVisuals(); });
            forget(ids, [](int id) { return id >= 78; });
        } else if (action < 1920) {
            counted([&] { presenter->detachAllBehaviors(); });
            forget(ids, [](int id) { return id < 78; });
        } else if (action < 1999) {
            counted([&] { presenter->release(); });
            forget(ids, [](int) { return true; });
        } else {
            counted([&] { world.store->reset(); });
            for (auto& set : model) forget(set, [](int) { return true; });
        }
        const char* broken = Mismatch(world, model, presenter, p);
        ASSERT_EQ(broken, nullptr) << broken << " at step " << step;
    }
    host::SetDebugSink(nullptr);
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(lines, refused);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(mostEntries, 600u);  // the list was full at times
}

TEST(PresenterStore, InitFailsWithoutItsMemory) {
    AZ_Manager manager;
    AZ_SetManager(&manager);
    for (int failing : {0, 1}) {  // the code-slot memory, then the presenters
        FailNthNothrowNew(failing);
        AZ_Presenter_Singleton store;
        EXPECT_FALSE(store.init(150)) << failing;
        EXPECT_EQ(store.getPoolSize(), 0);
        EXPECT_EQ(AZ_Presenter::getPresenter(0), nullptr);
    }
    FailNthNothrowNew(-1);
    AZ_SetManager(nullptr);
}

TEST(PresenterStoreDeathTest, BrokenInvariantsStopTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string source = "..\\..\\src\\actionZel\\AZ_Presenter.cpp";
    const std::string corrupted = "[ AZ ][ ERROR ] - AZ_Presenter : Accelerated Behavior Lookup table corrupted";
    const std::string fragmented = "[ AZ ][ ERROR ] - AZ_Presenter : Behavior memory fragmentation, examine code";
    EXPECT_DEATH(
        {
            EngineWorld world;
            world.P(0)->attach(5);
            world.store->getCodeList()[0] = 6;  // the list lost id 5
            world.P(0)->detach(5);
        },
        FailedCheck(corrupted, source));
    EXPECT_DEATH(
        {
            EngineWorld world;
            world.P(0)->attach(5);
            world.P(0)->attach(7);
            world.store->getCodeList()[0] = AZ_FREE_ENTRY;
            world.P(0)->detachAllBehaviors();
        },
        FailedCheck(fragmented, source));
    EXPECT_DEATH(
        {
            EngineWorld world;
            world.store->init(151);
        },
        FailedCheck("[ AZ ] [ ERROR ] - AZ_Presenter : Pool size exceed AZ__MAX_PRESENTER limit",
                    "..\\..\\src\\actionZel\\AZ_Presenter_Singleton.cpp"));
}

}  // namespace
