#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CEvent.h"
#include "platform/shared/systems/CEventListener.h"
#include "platform/shared/systems/CProfiler.h"
#include "tests/platform/TestApp.h"

namespace {

std::vector<std::string> g_calls;

// Owner: the listener's name; an upper-case name handles the event.
std::int32_t Record(CEvent* event, CEventListener* listener) {
    const std::string name = static_cast<const char*>(listener->GetOwner());
    g_calls.push_back(name + ":" + std::to_string(event->GetType()));
    return name[0] >= 'A' && name[0] <= 'Z' ? 1 : 0;
}

// An application with an event root holding the listener directory.
class EventTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        m_app->SetEventRoot(new CRegistry());
        m_app->GetEventRoot()->Add(&m_entry);
    }
    void TearDown() override { m_app->GetEventRoot()->Clear(); }

    std::unique_ptr<CEventListener> Listen(const char* name, std::vector<std::uint32_t> types, std::int32_t priority) {
        auto listener = std::make_unique<CEventListener>();
        listener->SetOwnerAndCallback(const_cast<char*>(name), &Record);
        types.push_back(0);
        EXPECT_EQ(listener->Register(types.data(), priority), 1);
        return listener;
    }
    bool HasType(std::uint32_t type) { CRegistryElement* e = nullptr; return m_directory.Find(0, type, &e); }

    ScopedTestApp m_app;
    CRegistry m_directory;
    CRegistryElement m_entry{kListenerDirectoryKey, &m_directory, 0, CPriorityClass::kDefaultPriority};
};

TEST_F(EventTest, DeliveredInDescendingPriorityAndToATarget) {
    auto low = Listen("low", {5}, 10);
    auto high = Listen("High", {5}, 30);
    auto mid = Listen("mid", {5}, 20);
    auto other = Listen("other", {6}, 20);
    CEvent event(0, 5, 0, 0, 1);
    event.Execute();  // a handled event still reaches the others
    EXPECT_TRUE(event.IsHandled());
    CEvent(0, 5, mid->GetKey(), 0, 1).Execute();
    CEvent(0, 5, other->GetKey(), 0, 1).Execute();  // not a listener of type 5
    EXPECT_EQ(g_calls, (std::vector<std::string>{"High:5", "mid:5", "low:5", "mid:5"}));
}

TEST_F(EventTest, CleanupOfAListenerType) {
    auto both = Listen("both", {5, 7}, 1);
    auto five = Listen("five", {5}, 1);
    both.reset();  // alone on type 7: the type goes; type 5 keeps "five"
    EXPECT_TRUE(HasType(5));
    EXPECT_FALSE(HasType(7));
    five->UnregisterFromType(5, &m_directory);
    EXPECT_FALSE(HasType(5));
    five->RegisterForType(5, 3, &m_directory);
    EXPECT_TRUE(HasType(5));
    five.reset();
    EXPECT_TRUE(m_directory.IsEmpty());
}

TEST(CProfiler, HistoryKeepsTheKeysMostRecentlyAskedForAndShutdownEmpties) {
    ScopedTestApp app;
    CProfiler profiler;
    ASSERT_TRUE(profiler.Init(20, nullptr, nullptr, 10, true, 3));
    CProfile* one = profiler.GetProfile(1, 0, 0, 0, nullptr);
    for (std::uint32_t key : {2u, 3u, 4u}) profiler.GetProfile(key, 0, 0, 0, nullptr);
    EXPECT_EQ(profiler.GetProfile(1, 9, 9, 9, nullptr), one);  // same profile, to the front
    const CProfiler::HistoryEntry* history = profiler.GetHistory();
    EXPECT_EQ(history[0].profile, one);
    EXPECT_EQ(history[1].key, 4u);
    EXPECT_EQ(history[2].key, 3u);
    profiler.Shutdown();
    EXPECT_TRUE(profiler.IsEmpty());
}

TEST(CProfiler, RateAndLoadPerSecond) {
    host::SetVirtualClock(0, 0);
    ScopedTestApp app;
    CProfiler profiler;
    EXPECT_TRUE(profiler.Init(20, nullptr, nullptr, 10, true, 0));
    app->GetExecutor()->Start();
    const auto frame = [&](std::uint32_t ms) {  // the profiler stepped as the executor's registry would
        host::AdvanceVirtualClock(ms);
        app->Tick();
        CExecutable::Step(&profiler);
    };
    CProfile* profile = profiler.GetProfile(7, 1, 50, 3, nullptr);
    profile->Accumulate(75);
    profiler.Count(30);
    frame(500);
    EXPECT_EQ(profile->GetLoad(), 75 * 1024 / 100);
    EXPECT_EQ(profile->GetCountdown(), 1000);  // threshold 50 reached
    EXPECT_EQ(profiler.GetRate(), 0);  // 512/1024 s: not yet a period
    profile->Accumulate(10);
    frame(500);  // 10 is below the threshold: the countdown runs
    EXPECT_EQ(profile->GetCountdown(), 488);
    EXPECT_EQ(profiler.GetRate(), 30 * 1024);
    profiler.Count(5000);
    frame(1000);
    EXPECT_EQ(profiler.GetRate(), 5000 * 1024);
    EXPECT_EQ(profile->GetCountdown(), 0);  // clamped
    host::ClearVirtualClock();
}

}  // namespace
