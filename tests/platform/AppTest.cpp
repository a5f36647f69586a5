#include <gtest/gtest.h>

#include <new>

#include "host/Clock.h"
#include "platform/shared/components/CSingleton.h"
#include "platform/shared/core/CHash.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CExecutableRegistry.h"
#include "tests/platform/TestApp.h"

namespace {

// A platform singleton with its getter written the way the file manager's
// and the media player's are.
struct CountedSingleton : CSingleton {
    static constexpr std::uint32_t kId = 0x70FA1BDF;
    static int s_constructed;
    static int s_destroyed;
    explicit CountedSingleton(std::uint32_t id = kId) : CSingleton(id) { ++s_constructed; }
    ~CountedSingleton() override {
        ++s_destroyed;
        // As the interfaces do: clear the application's cached pointer.
        if (CApp* app = CApp::GetInstance()) app->SetCachedSingleton(CApp::CachedSingleton::FileMgr, nullptr);
    }
    static CSingleton* Create() { return new (std::nothrow) CountedSingleton(); }
    static CountedSingleton* GetInstance() {
        return static_cast<CountedSingleton*>(
            CSingleton::GetInstanceOf(CApp::CachedSingleton::FileMgr, kId, &CountedSingleton::Create));
    }
};
int CountedSingleton::s_constructed = 0;
int CountedSingleton::s_destroyed = 0;

class SingletonTest : public ::testing::Test {
protected:
    void SetUp() override { CountedSingleton::s_constructed = CountedSingleton::s_destroyed = 0; }
};

TEST_F(SingletonTest, WithoutAnApplicationTheGetterReturnsNull) {
    ASSERT_EQ(CApp::GetInstance(), nullptr);
    EXPECT_EQ(CountedSingleton::GetInstance(), nullptr);
    EXPECT_EQ(CountedSingleton::GetInstance(), nullptr);
    EXPECT_EQ(CountedSingleton::s_constructed, 0);
}

TEST_F(SingletonTest, TwoGetterCallsConstructOneObject) {
    ScopedTestApp app;
    CountedSingleton* first = CountedSingleton::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CountedSingleton::GetInstance(), first);
    EXPECT_EQ(CountedSingleton::s_constructed, 1);
    EXPECT_EQ(CSingleton::Find(CountedSingleton::kId), first);
    EXPECT_EQ(first->GetClassId(), CountedSingleton::kId);
    EXPECT_EQ(CSingleton::Find(0x12345678), nullptr);
    // A singleton registered before the first getter call is found, not made
    // again.
    app->SetCachedSingleton(CApp::CachedSingleton::FileMgr, nullptr);
    EXPECT_EQ(CountedSingleton::GetInstance(), first);
    EXPECT_EQ(CountedSingleton::s_constructed, 1);
}

TEST_F(SingletonTest, DeletingTheApplicationDeletesEachSingletonOnce) {
    TestApp::s_destroyed = 0;
    {
        ScopedTestApp app;
        // Many singletons, several per bucket of the 23, and one deleted
        // early by its owner.
        for (std::uint32_t id = 1; id <= 60; ++id) new CountedSingleton(id * 23 + (id % 3));
        delete CSingleton::Find(2 * 23 + 2);
        EXPECT_EQ(CountedSingleton::s_destroyed, 1);
        EXPECT_EQ(CSingleton::Find(2 * 23 + 2), nullptr);
        EXPECT_EQ(app->GetSingletonTable()->GetBucketCount(), 23);
    }
    EXPECT_EQ(CountedSingleton::s_constructed, 60);
    EXPECT_EQ(CountedSingleton::s_destroyed, 60);
    EXPECT_EQ(TestApp::s_destroyed, 1);
    EXPECT_EQ(CApp::GetInstance(), nullptr);
}

TEST(SingletonDeathTest, RegistrationRules) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(CountedSingleton singleton(5), "File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\components\\\\inc\\\\CSingleton, Line: 73");
    EXPECT_DEATH(CSingleton::Find(5), "CSingleton, Line: 85");
    ScopedTestApp app;
    CountedSingleton first(5);
    EXPECT_DEATH(CountedSingleton second(5), "CSingleton, Line: 74");
    EXPECT_DEATH(
        {
            auto* orphan = new CountedSingleton(6);
            app->SetSingletonTable(nullptr);
            delete orphan;
        },
        "CSingleton, Line: 55");
}

// The executor's frames with a virtual millisecond clock.
class ExecutorTest : public ::testing::Test {
protected:
    void SetUp() override { host::SetVirtualClock(5000, 0); }
    void TearDown() override { host::ClearVirtualClock(); }

    // Advances the clock and ticks; returns the frames the tick ran.
    std::string TickAfter(std::uint32_t ms) {
        host::AdvanceVirtualClock(ms);
        m_app->m_frames.clear();
        m_app->Tick();
        return m_app->m_frames;
    }
    CAppExecutor* Executor() const { return m_app->GetExecutor(); }

    ScopedTestApp m_app;
};

TEST_F(ExecutorTest, StateAndPhaseTable) {
    CAppExecutor* executor = Executor();
    EXPECT_EQ(executor->GetState(), CAppExecutor::kStarting);
    EXPECT_EQ(TickAfter(48), "");  // starting: nothing runs
    host::AdvanceVirtualClock(3000);
    executor->Start();  // runs one tick in the starting state: nothing
    EXPECT_EQ(m_app->m_frames, "");
    EXPECT_EQ(executor->GetState(), CAppExecutor::kRunning);
    const struct {
        const char* action;
        std::uint32_t ms;
        const char* frames;
    } steps[] = {
        {"", 48, "U48D"},    // measured from Start, not from construction
        {"", 2000, "U1000D"},
        {"pause", 0, ""},    // Pause draws once at once (checked below)
        {"", 30, "D"},       // paused: draw only
        {"", 30, "D"},
        {"resume", 0, ""},
        {"", 500, "D"},      // first tick after Resume: draw only, no measure
        {"", 40, "U540D"},   // measured from the resume time
        {"stop", 0, ""},
        {"", 40, ""},
        {"start", 10, ""},
        {"", 16, "U16D"},
    };
    for (const auto& s : steps) {
        const std::string action = s.action;
        if (action.empty()) {
            EXPECT_EQ(TickAfter(s.ms), s.frames) << s.ms;
            EXPECT_EQ(executor->GetPhase(), CAppExecutor::kUpdate);
            continue;
        }
        host::AdvanceVirtualClock(s.ms);
        m_app->m_frames.clear();
        if (action == "pause") executor->Pause();
        if (action == "resume") executor->Resume();
        if (action == "stop") executor->Stop();
        if (action == "start") executor->Start();
        EXPECT_EQ(m_app->m_frames, action == "pause" ? "D" : "") << action;
    }
}

TEST_F(ExecutorTest, FrameTimeCapsAndSeconds) {
    Executor()->Start();
    const struct {
        std::uint32_t ms;
        std::int32_t frame, seconds;
    } cases[] = {{48, 48, 49}, {2000, 1000, 1024}, {1000, 1000, 1024}, {999, 999, 1022}, {0, 0, 0}, {1, 1, 1}};
    for (const auto& c : cases) {
        TickAfter(c.ms);
        EXPECT_EQ(Executor()->GetFrameTime(), c.frame) << c.ms;
        EXPECT_EQ(Executor()->GetFrameTimeSeconds(), c.seconds) << c.ms;
    }
}

TEST_F(ExecutorTest, MillisecondClockWrap) {
    host::SetVirtualClock(0xFFFFFFFFu - 20, 0);
    Executor()->Start();
    EXPECT_EQ(TickAfter(48), "U48D");  // crosses 2^32
    EXPECT_EQ(TickAfter(30), "U30D");
    // A gap too long for a signed difference is still capped, not negative.
    host::AdvanceVirtualClock(0x90000000u);
    EXPECT_EQ(TickAfter(0), "U1000D");
}

TEST_F(ExecutorTest, InitAndExitRunTheHooks) {
    EXPECT_NE(Executor()->GetRegistry(), nullptr);
    Executor()->Exit();
    EXPECT_EQ(m_app->m_shutdownCalls, 1);
    EXPECT_EQ(Executor()->GetRegistry(), nullptr);
    Executor()->Exit();  // nothing left to shut down
    EXPECT_EQ(m_app->m_shutdownCalls, 1);
    m_app->m_initResult = 7;
    EXPECT_EQ(Executor()->Init(), 0);
    m_app->m_initResult = 0;
    Executor()->Exit();
    EXPECT_EQ(Executor()->Init(), 1);
}

struct Counter : CExecutable {
    explicit Counter(int* fired, int* destroyed = nullptr) : m_fired(fired), m_destroyed(destroyed) {}
    ~Counter() override {
        if (m_destroyed != nullptr) ++*m_destroyed;
    }
    void Execute() override { ++*m_fired; }
    int* m_fired;
    int* m_destroyed;
};

TEST_F(ExecutorTest, ExecutableRepeatCountsIntervalsAndSelfDeletion) {
    Executor()->Start();
    TickAfter(500);  // 512 in 1/1024 s
    ASSERT_EQ(Executor()->GetFrameTimeSeconds(), 512);
    int fired = 0, destroyed = 0;
    auto* e = new Counter(&fired, &destroyed);
    e->SetRepeatCount(3);
    e->SetInterval(1024);
    e->SetAutoDelete(true);
    const int expectedFired[] = {0, 1, 1, 2, 2, 3};
    for (int step = 0; step < 5; ++step) {
        EXPECT_EQ(CExecutable::Step(e), CExecutable::kRunning);
        EXPECT_EQ(fired, expectedFired[step]) << step;
    }
    EXPECT_EQ(CExecutable::Step(e), CExecutable::kDeleted);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(destroyed, 1);

    Counter forever(&fired);  // repeat count -1 at construction
    fired = 0;
    for (int step = 0; step < 50; ++step) EXPECT_EQ(CExecutable::Step(&forever), CExecutable::kRunning);
    EXPECT_EQ(fired, 50);
    EXPECT_EQ(forever.GetRepeatCount(), -1);

    Counter once(&fired);
    once.SetRepeatCount(1);
    once.SetInterval(100000);
    Executor()->SetPhase(CAppExecutor::kDraw);  // the draw phase fires at once
    EXPECT_EQ(CExecutable::Step(&once), CExecutable::kFinished);
    EXPECT_EQ(CExecutable::Step(&once), CExecutable::kFinished);
    Executor()->SetPhase(CAppExecutor::kUpdate);
}

}  // namespace
