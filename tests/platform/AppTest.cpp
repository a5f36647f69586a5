// The application core: singletons, the frame executor and its executables,
// registries, events and the profiler.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/components/CSingleton.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CEvent.h"
#include "platform/shared/systems/CEventListener.h"
#include "platform/shared/systems/CExecutableRegistry.h"
#include "platform/shared/systems/CProfiler.h"
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
    EXPECT_EQ(CountedSingleton::GetInstance(), nullptr);  // no application
    {
        ScopedTestApp app;
        CountedSingleton* first = CountedSingleton::GetInstance();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(CountedSingleton::GetInstance(), first);
        // Several per bucket, and one deleted early by its owner.
        for (std::uint32_t id = 1; id <= 60; ++id) new CountedSingleton(id * 23 + (id % 3));
        delete CSingleton::Find(2 * 23 + 2);
        EXPECT_EQ(CSingleton::Find(2 * 23 + 2), nullptr);
    }
    EXPECT_EQ(CountedSingleton::s_constructed, 61);
    EXPECT_EQ(CountedSingleton::s_destroyed, 61);
}

// An executable that logs its id; a started application on a virtual clock.
struct Job : CExecutable {
    explicit Job(int id) : m_id(id) {}
    ~Job() override { s_log.push_back(-m_id); }
    void Execute() override { s_log.push_back(m_id); }
    static inline std::vector<int> s_log;
    int m_id;
};

class ExecutorTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetVirtualClock(0xFFFFFFFFu - 3068, 0);
        Job::s_log.clear();
    }
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

TEST_F(ExecutorTest, ExecutableRepeatCountsIntervalsAndSelfDeletion) {
    m_app->GetExecutor()->Start();
    host::AdvanceVirtualClock(500);
    m_app->Tick();  // frame time 512 in 1/1024 s
    auto* e = new Job(1);
    e->SetRepeatCount(3);
    e->SetInterval(1024);
    e->SetAutoDelete(true);
    for (int fires : {0, 1, 1, 2, 2}) {
        EXPECT_EQ(CExecutable::Step(e), CExecutable::kRunning);
        EXPECT_EQ(std::count(Job::s_log.begin(), Job::s_log.end(), 1), fires);
    }
    EXPECT_EQ(CExecutable::Step(e), CExecutable::kDeleted);
    EXPECT_EQ(Job::s_log, (std::vector<int>{1, 1, 1, -1}));
}

TEST(CExecutable, WithoutAnExecutorStepsAsAnUpdateOfNoTime) {
    Job job(9);
    job.SetRepeatCount(1);  // interval 0: fires
    EXPECT_EQ(CExecutable::Step(&job), CExecutable::kFinished);
}

TEST_F(ExecutorTest, SelfDeletingExecutableLeavesTheRegistryWalkGoingOn) {
    m_app->GetExecutor()->Start();
    CExecutableRegistry& registry = *m_app->GetExecutor()->GetRegistry();
    Job a(1), c(3);
    auto* b = new Job(2);
    b->SetRepeatCount(1);
    b->SetAutoDelete(true);
    std::unique_ptr<CRegistryElement> ea(registry.CreateElement(1, &a, 0, 30)), ec(registry.CreateElement(3, &c, 0, 10));
    for (CRegistryElement* e : {ea.get(), registry.CreateElement(2, b, 0, 20), ec.get()}) registry.Add(e);
    registry.Execute();
    registry.Execute();
    EXPECT_EQ(Job::s_log, (std::vector<int>{1, 2, -2, 3, 1, 3}));
    registry.Clear();
}

// The keys front to back by the iterator; the walk back must agree.
std::vector<std::uintptr_t> Keys(CRegistry& registry) {
    std::vector<std::uintptr_t> keys, back;
    CRegistryIterator it(registry);
    for (it.Start(); !it.IsDone(); it.Next()) keys.push_back(it.Current()->GetKey());
    for (it.Prev(); !it.IsDone(); it.Prev()) back.insert(back.begin(), it.Current()->GetKey());
    EXPECT_EQ(keys, back);
    return keys;
}

// The same behaviour is expected with and without the accelerator.
class RegistryTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) m_registry.SetAccelerator(new CRegistryAccelerateHandleQuery(150, 50, true));
    }
    CRegistryElement* Add(std::uintptr_t key, std::int32_t priority, CClass* object = nullptr, std::uint32_t classId = 0) {
        m_elements.emplace_back(m_registry.CreateElement(key, object, classId, priority));
        m_registry.Add(m_elements.back().get());
        return m_elements.back().get();
    }

    CRegistry m_registry;
    std::vector<std::unique_ptr<CRegistryElement>> m_elements;
};

TEST_P(RegistryTest, DescendingPriorityWithTiesInArrivalOrderAndRemoval) {
    std::uintptr_t key = 1;
    for (std::int32_t p : {5, 9, 5, 1, 9, 10, -3}) Add(key++, p);
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{6, 2, 5, 1, 3, 4, 7}));
    for (std::size_t i : {5, 0, 6}) EXPECT_TRUE(m_registry.Remove(m_elements[i].get()));
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{2, 5, 3, 4}));
    for (std::size_t i : {1, 4, 2, 3}) m_registry.Remove(m_elements[i].get());
    EXPECT_EQ(m_registry.GetLast(), m_registry.GetSentinel());  // no link to a removed element
    Add(8, 1);
    m_registry.Clear();
    m_elements.clear();
    EXPECT_EQ(m_registry.GetSentinel()->GetPrev(), nullptr);
}

TEST_P(RegistryTest, FindByKeyClassIdOrBoth) {
    CClass a, b;
    CRegistryElement* keyed = Add(100, 1, nullptr, 0x77);  // keyed reference, no object
    CRegistryElement* withObject = Add(200, 1, &a, 0x77);
    CRegistryElement* byClass = Add(0, 1, &b, 0x99);
    const std::uintptr_t high = (std::uintptr_t{1} << 40) | 200;  // differs from 200 above 32 bits only
    CRegistryElement* far = Add(high, 1, &b, 0x77);
    const struct {
        std::uint32_t classId;
        std::uintptr_t key;
        bool found;
        CRegistryElement* element;
    } cases[] = {
        {0x77, 200, true, withObject}, {0x78, 200, false, nullptr}, {0, high, true, far},
        // Found; the list does not hand a keyed reference out, the index does.
        {0x77, 100, true, GetParam() ? keyed : nullptr},
        {0, 100, true, keyed},         {0x99, 0, true, byClass},
    };
    for (const auto& c : cases) {
        CRegistryElement* out = byClass;
        EXPECT_EQ(m_registry.Find(c.classId, c.key, &out), c.found) << c.classId << "/" << c.key;
        EXPECT_EQ(out, c.element) << c.classId << "/" << c.key;
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutAccelerator, RegistryTest, ::testing::Bool());

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
    five.reset();
    EXPECT_TRUE(m_directory.IsEmpty());
}

TEST(CProfiler, HistoryRateAndLoadPerSecond) {
    host::SetVirtualClock(0, 0);
    ScopedTestApp app;
    CProfiler profiler;
    ASSERT_TRUE(profiler.Init(20, nullptr, nullptr, 10, true, 3));
    app->GetExecutor()->Start();
    const auto frame = [&](std::uint32_t ms) {  // the profiler stepped as the executor's registry would
        host::AdvanceVirtualClock(ms);
        app->Tick();
        CExecutable::Step(&profiler);
    };
    CProfile* profile = profiler.GetProfile(7, 1, 50, 3, nullptr);
    for (std::uint32_t key : {2u, 3u, 4u}) profiler.GetProfile(key, 0, 0, 0, nullptr);
    EXPECT_EQ(profiler.GetProfile(7, 9, 9, 9, nullptr), profile);  // the same profile, to the front
    const CProfiler::HistoryEntry* history = profiler.GetHistory();
    EXPECT_EQ(history[0].profile, profile);
    EXPECT_EQ(history[1].key, 4u);
    EXPECT_EQ(history[2].key, 3u);
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
    profiler.Shutdown();
    EXPECT_TRUE(profiler.IsEmpty());
    host::ClearVirtualClock();
}

}  // namespace
