#include <gtest/gtest.h>

#include <memory>
#include <new>
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

// Owner: the listener's name; handles the event when the name starts with
// an upper-case letter.
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
        auto* root = new CRegistry();
        m_app->SetEventRoot(root);
        root->Add(root->CreateElement(kListenerDirectoryKey, &m_directory, 0, CPriorityClass::kDefaultPriority));
    }
    void TearDown() override {
        CRegistry* root = m_app->GetEventRoot();
        CRegistryElement* element = root->GetFirst();
        root->Remove(element);
        delete element;
    }

    std::unique_ptr<CEventListener> Listen(const char* name, std::vector<std::uint32_t> types,
                                           std::int32_t priority) {
        auto listener = std::make_unique<CEventListener>();
        listener->SetOwnerAndCallback(const_cast<char*>(name), &Record);
        types.push_back(0);
        EXPECT_EQ(listener->Register(types.data(), priority), 1);
        return listener;
    }
    bool HasType(std::uint32_t type) {
        CRegistryElement* element = nullptr;
        return m_directory.Find(0, type, &element);
    }

    ScopedTestApp m_app;
    CRegistry m_directory;
};

TEST_F(EventTest, DeliveredInDescendingListenerPriority) {
    auto low = Listen("low", {5}, 10);
    auto high = Listen("high", {5}, 30);
    auto mid = Listen("mid", {5}, 20);
    CEvent event(0, 5, 0, 0, 1);
    event.Execute();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"high:5", "mid:5", "low:5"}));
    EXPECT_FALSE(event.IsHandled());
    EXPECT_FALSE(event.IsDelivered());
    low.reset();
    high.reset();
    mid.reset();
    EXPECT_FALSE(HasType(5));  // the last listener took the type with it
}

TEST_F(EventTest, HandledEventStillReachesTheOthers) {
    auto first = Listen("First", {5}, 30);
    auto second = Listen("second", {5}, 20);
    auto third = Listen("third", {5}, 10);
    CEvent event(0, 5, 0, 0, 1);
    event.Execute();
    EXPECT_EQ(g_calls.size(), 3u);
    EXPECT_TRUE(event.IsHandled());
    EXPECT_TRUE(event.IsDelivered());
    // Delivered is per delivery, handled stays.
    event.SetTarget(third->GetKey());
    event.Execute();
    EXPECT_TRUE(event.IsHandled());
    EXPECT_FALSE(event.IsDelivered());
}

TEST_F(EventTest, TargetedDeliveryReachesOnlyTheTarget) {
    auto a = Listen("a", {5}, 30);
    auto b = Listen("b", {5}, 20);
    auto other = Listen("other", {6}, 20);
    CEvent event(0, 5, b->GetKey(), 0, 1);
    event.Execute();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"b:5"}));
    g_calls.clear();
    CEvent notRegistered(0, 5, other->GetKey(), 0, 1);  // not a listener of type 5
    notRegistered.Execute();
    CEvent noType(0, 9, 0, 0, 1);
    noType.Execute();
    EXPECT_TRUE(g_calls.empty());
    EXPECT_FALSE(noType.IsHandled());
}

TEST_F(EventTest, CleanupOfAListenerType) {
    auto both = Listen("both", {5, 7}, 1);
    EXPECT_TRUE(HasType(5));
    EXPECT_TRUE(HasType(7));
    auto five = Listen("five", {5}, 1);
    both.reset();  // alone on type 7: the type goes; type 5 keeps "five"
    EXPECT_TRUE(HasType(5));
    EXPECT_FALSE(HasType(7));
    five->UnregisterFromType(5, &m_directory);
    EXPECT_FALSE(HasType(5));
    five->RegisterForType(5, 3, &m_directory);  // recreated
    EXPECT_TRUE(HasType(5));
    CEvent event(0, 5, 0, 0, 1);
    event.Execute();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"five:5"}));
    five.reset();
    EXPECT_TRUE(m_directory.IsEmpty());
}

TEST_F(EventTest, EventsRunByARegistryDeleteThemselves) {
    host::SetVirtualClock(0, 0);
    auto listener = Listen("Any", {5}, 1);
    m_app->GetExecutor()->Start();
    host::AdvanceVirtualClock(48);
    m_app->Tick();
    CExecutableRegistry& registry = *m_app->GetExecutor()->GetRegistry();
    const CMessage::Triple triples[] = {{1, 2, 3}, {4, 5, 6}};
    auto* message = new CMessage(0xAB, 5, 0, 2, triples);
    EXPECT_EQ(message->GetParamCount(), 2);
    EXPECT_EQ(message->GetParam(1)[2], 6u);
    registry.Add(registry.CreateElement(1, message, 0, 1));
    registry.Execute();  // fires once, deletes itself and its element
    EXPECT_EQ(g_calls, (std::vector<std::string>{"Any:5"}));
    EXPECT_TRUE(registry.IsEmpty());
    host::ClearVirtualClock();
}

TEST(EventWithoutDirectory, RegisterReportsZeroAndDeliveryDoesNothing) {
    g_calls.clear();
    ScopedTestApp app;
    CEventListener listener;
    listener.SetOwnerAndCallback(const_cast<char*>("x"), &Record);
    const std::uint32_t types[] = {5, 0};
    EXPECT_EQ(listener.Register(types, 1), 0);
    CEvent event;
    event.SetType(5);
    event.Execute();
    EXPECT_TRUE(g_calls.empty());
}

TEST(EventDeathTest, NullTypeListAndTypeZeroAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CEventListener listener;
    CRegistry directory;
    EXPECT_DEATH(listener.Register(nullptr, 1), "File: platform\\\\shared\\\\systems\\\\inc\\\\CEventListener, Line: 120");
    EXPECT_DEATH(listener.RegisterForType(0, 1, &directory), "src\\\\CEventListener, Line: 48");
    EXPECT_DEATH(listener.UnregisterFromType(0, &directory), "src\\\\CEventListener, Line: 73");
    CProfiler profiler;
    const std::uint32_t types[] = {5, 0};
    EXPECT_DEATH(profiler.Init(20, &Record, nullptr, 10, true, 0), "src\\\\CProfiler, Line: 35");
    EXPECT_DEATH(profiler.Init(20, nullptr, types, 10, true, 0), "src\\\\CProfiler, Line: 35");
}

class ProfilerTest : public ::testing::Test {
protected:
    void SetUp() override { host::SetVirtualClock(0, 0); }
    void TearDown() override { host::ClearVirtualClock(); }

    // One frame of `ms` milliseconds, the profiler stepped by a registry as
    // the executor's registry would.
    void Frame(std::uint32_t ms) {
        host::AdvanceVirtualClock(ms);
        m_app->Tick();
        CExecutable::Step(&m_profiler);
    }

    ScopedTestApp m_app;
    CProfiler m_profiler;
};

TEST_F(ProfilerTest, HistoryKeepsTheKeysMostRecentlyAskedFor) {
    ASSERT_TRUE(m_profiler.Init(20, nullptr, nullptr, 10, true, 3));
    CProfile* one = m_profiler.GetProfile(1, 0, 0, 0, nullptr);
    for (std::uint32_t key : {2u, 3u, 4u}) m_profiler.GetProfile(key, 0, 0, 0, nullptr);
    const CProfiler::HistoryEntry* history = m_profiler.GetHistory();
    EXPECT_EQ(history[0].key, 4u);
    EXPECT_EQ(history[1].key, 3u);
    EXPECT_EQ(history[2].key, 2u);
    EXPECT_EQ(m_profiler.GetProfile(1, 9, 9, 9, nullptr), one);  // same profile, to the front
    EXPECT_EQ(history[0].key, 1u);
    EXPECT_EQ(history[0].profile, one);
    EXPECT_EQ(history[1].key, 4u);
    EXPECT_EQ(one->GetProfiler(), &m_profiler);
    EXPECT_EQ(one->GetDepth(), 0);
}

TEST_F(ProfilerTest, RateIsTheCountPerSecondIn22_10) {
    ASSERT_TRUE(m_profiler.Init(20, nullptr, nullptr, 10, true, 0));
    m_app->GetExecutor()->Start();
    m_profiler.Count(30);
    Frame(500);  // 512/1024 s: not yet a period
    EXPECT_EQ(m_profiler.GetRate(), 0);
    Frame(500);  // 1024: 30 over one second
    EXPECT_EQ(m_profiler.GetRate(), 30 * 1024);
    m_profiler.Count(5000);  // large counts do not overflow
    Frame(1000);
    EXPECT_EQ(m_profiler.GetRate(), 5000 * 1024);
    Frame(1000);
    EXPECT_EQ(m_profiler.GetRate(), 0);
}

TEST_F(ProfilerTest, ProfilesSampleTheirAccumulatorEveryUpdate) {
    ASSERT_TRUE(m_profiler.Init(20, nullptr, nullptr, 10, true, 0));
    m_app->GetExecutor()->Start();
    CProfile* profile = m_profiler.GetProfile(7, 1, 50, 3, nullptr);
    profile->Accumulate(75);
    Frame(100);
    EXPECT_EQ(profile->GetLastAmount(), 75);
    EXPECT_EQ(profile->GetLoad(), 75 * 1024 / 100);
    EXPECT_EQ(profile->GetCountdown(), 1000);  // threshold 50 reached
    EXPECT_EQ(profile->GetAccumulator(), 0);
    profile->Accumulate(10);
    Frame(500);  // 512/1024 s off the countdown; 10 is below the threshold
    EXPECT_EQ(profile->GetCountdown(), 488);
    EXPECT_EQ(profile->GetLastAmount(), 10);
    Frame(1000);
    EXPECT_EQ(profile->GetCountdown(), 0);  // clamped
}

TEST_F(ProfilerTest, NestedProfilesFactoryAndShutdown) {
    ASSERT_TRUE(m_profiler.Init(20, nullptr, nullptr, 10, true, 2));
    static int made = 0;
    made = 0;
    auto factory = [](std::uint32_t a, std::uint32_t b, std::uint32_t c) -> CProfile* {
        ++made;
        return new (std::nothrow) CProfile(a, b, c);
    };
    CProfile* made1 = m_profiler.GetProfile(1, 4, 5, 6, factory);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(made1->GetThreshold(), 5u);
    EXPECT_EQ(made1->GetParent(), nullptr);
    EXPECT_EQ(CProfiler::GetMode(), 0);
    CProfiler::SetEnabled(true);  // no process-wide profiler: nothing happens
    EXPECT_EQ(CProfiler::GetMode(), 0);
    m_profiler.Shutdown();
    EXPECT_TRUE(m_profiler.IsEmpty());
    EXPECT_EQ(m_profiler.GetHistoryLength(), 0u);
    // Usable again after a new Init.
    ASSERT_TRUE(m_profiler.Init(20, nullptr, nullptr, 10, true, 0));
    EXPECT_NE(m_profiler.GetProfile(1, 0, 0, 0, nullptr), nullptr);
}

TEST_F(ProfilerTest, ListenerRegisteredThroughTheEventSystem) {
    CRegistry directory;
    auto* root = new CRegistry();
    m_app->SetEventRoot(root);
    CRegistryElement* dirElement = root->CreateElement(kListenerDirectoryKey, &directory, 0, 1);
    root->Add(dirElement);
    const std::uint32_t types[] = {42, 0};
    static CProfiler* seenOwner = nullptr;
    auto callback = [](CEvent*, CEventListener* listener) -> std::int32_t {
        seenOwner = static_cast<CProfiler*>(listener->GetOwner());
        return 1;
    };
    ASSERT_TRUE(m_profiler.Init(20, callback, types, 10, true, 0));
    ASSERT_NE(m_profiler.GetListener(), nullptr);
    CEvent event(0, 42, 0, 0, 1);
    event.Execute();
    EXPECT_EQ(seenOwner, &m_profiler);
    m_profiler.Shutdown();
    EXPECT_TRUE(directory.IsEmpty());
    root->Remove(dirElement);
    delete dirElement;
}

}  // namespace
