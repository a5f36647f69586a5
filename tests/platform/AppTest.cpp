#include <gtest/gtest.h>

#include <new>

#include "host/Clock.h"
#include "platform/shared/components/CSingleton.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CExecutableRegistry.h"
#include "tests/platform/TestApp.h"

namespace {

struct CountedSingleton : CSingleton {
    static constexpr std::uint32_t kId = 0x70FA1BDF;
    static inline int s_constructed = 0, s_destroyed = 0;
    explicit CountedSingleton(std::uint32_t id = kId) : CSingleton(id) { ++s_constructed; }
    ~CountedSingleton() override {
        ++s_destroyed;
        if (CApp* app = CApp::GetInstance()) app->SetCachedSingleton(CApp::CachedSingleton::FileMgr, nullptr);
    }
    static CSingleton* Create() { return new (std::nothrow) CountedSingleton(); }
    static CountedSingleton* GetInstance() {
        return static_cast<CountedSingleton*>(
            CSingleton::GetInstanceOf(CApp::CachedSingleton::FileMgr, kId, &CountedSingleton::Create));
    }
};

TEST(CSingleton, GetterMakesOneObjectAndTheApplicationDeletesEachOnce) {
    CountedSingleton::s_constructed = CountedSingleton::s_destroyed = 0;
    EXPECT_EQ(CountedSingleton::GetInstance(), nullptr);  // no application
    EXPECT_EQ(CountedSingleton::s_constructed, 0);
    {
        ScopedTestApp app;
        CountedSingleton* first = CountedSingleton::GetInstance();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(CountedSingleton::GetInstance(), first);
        EXPECT_EQ(CountedSingleton::s_constructed, 1);
        // Several per bucket, and one deleted early by its owner.
        for (std::uint32_t id = 1; id <= 60; ++id) new CountedSingleton(id * 23 + (id % 3));
        delete CSingleton::Find(2 * 23 + 2);
        EXPECT_EQ(CSingleton::Find(2 * 23 + 2), nullptr);
    }
    EXPECT_EQ(CountedSingleton::s_constructed, 61);
    EXPECT_EQ(CountedSingleton::s_destroyed, 61);
}

class ExecutorTest : public ::testing::Test {
protected:
    void SetUp() override { host::SetVirtualClock(0xFFFFFFFFu - 3068, 0); }
    void TearDown() override { host::ClearVirtualClock(); }

    ScopedTestApp m_app;
};

TEST_F(ExecutorTest, StateAndPhaseTableTheCapAndTheClockWrap) {
    CAppExecutor* executor = m_app->GetExecutor();
    using A = CAppExecutor;
    const struct {
        void (A::*action)();
        std::uint32_t ms;
        const char* frames;
    } steps[] = {
        {nullptr, 48, ""},      {&A::Start, 3000, ""},  // starting: nothing runs
        {nullptr, 48, "U48D"},  {nullptr, 2000, "U1000D"},  // measured from Start across 2^32, capped
        {&A::Pause, 0, "D"},    {nullptr, 30, "D"},         // paused: draws only
        {&A::Resume, 0, ""},    {nullptr, 500, "D"},        // the first tick after Resume draws only
        {nullptr, 40, "U540D"},                             // measured from the resume time
        {&A::Stop, 0, ""},      {nullptr, 40, ""},          {&A::Start, 10, ""}, {nullptr, 16, "U16D"},
        {nullptr, 0x90000000u, "U1000D"},  // too long for a signed difference
    };
    for (const auto& s : steps) {
        host::AdvanceVirtualClock(s.ms);
        m_app->m_frames.clear();
        s.action != nullptr ? (executor->*s.action)() : m_app->Tick();
        EXPECT_EQ(m_app->m_frames, s.frames) << s.ms;
    }
}

struct Counter : CExecutable {
    static inline int s_fired = 0, s_destroyed = 0;
    ~Counter() override { ++s_destroyed; }
    void Execute() override { ++s_fired; }
};

TEST_F(ExecutorTest, ExecutableRepeatCountsIntervalsAndSelfDeletion) {
    m_app->GetExecutor()->Start();
    host::AdvanceVirtualClock(500);
    m_app->Tick();  // frame time 512 in 1/1024 s
    Counter::s_fired = Counter::s_destroyed = 0;
    auto* e = new Counter();
    e->SetRepeatCount(3);
    e->SetInterval(1024);
    e->SetAutoDelete(true);
    for (int expected : {0, 1, 1, 2, 2}) {
        EXPECT_EQ(CExecutable::Step(e), CExecutable::kRunning);
        EXPECT_EQ(Counter::s_fired, expected);
    }
    EXPECT_EQ(CExecutable::Step(e), CExecutable::kDeleted);
    EXPECT_EQ(Counter::s_fired, 3);
    EXPECT_EQ(Counter::s_destroyed, 1);
}

TEST(CExecutable, WithoutAnExecutorStepsAsAnUpdateOfNoTime) {
    Counter c;
    c.SetRepeatCount(1);  // interval 0: fires
    EXPECT_EQ(CExecutable::Step(&c), CExecutable::kFinished);
}

}  // namespace
