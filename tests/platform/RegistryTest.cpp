#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CExecutableRegistry.h"
#include "tests/platform/TestApp.h"

namespace {

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
    bool Remove(std::size_t index) { return m_registry.Remove(m_elements[index].get()); }

    CRegistry m_registry;
    std::vector<std::unique_ptr<CRegistryElement>> m_elements;
};

TEST_P(RegistryTest, DescendingPriorityWithTiesInArrivalOrderAndRemoval) {
    std::uintptr_t key = 1;
    for (std::int32_t p : {5, 9, 5, 1, 9, 10, -3}) Add(key++, p);
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{6, 2, 5, 1, 3, 4, 7}));
    for (std::size_t i : {5, 0, 6}) EXPECT_TRUE(Remove(i));
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{2, 5, 3, 4}));
    for (std::size_t i : {1, 4, 2, 3}) Remove(i);
    EXPECT_EQ(m_registry.GetLast(), m_registry.GetSentinel());  // no link to a removed element
    Add(8, 1);
    Add(9, 2);
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{9, 8}));
    m_registry.Clear();
    m_elements.clear();
    EXPECT_EQ(m_registry.GetSentinel()->GetPrev(), nullptr);
    CRegistryElement* out = nullptr;
    EXPECT_FALSE(m_registry.Find(0, 9, &out));
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

TEST(RegistryDeathTest, AnElementWithAForeignClassIdAsserts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CRegistry registry;
    CRegistryElement element(1, 0, 1);
    element.SetClassId(0x1234);
    EXPECT_DEATH(registry.Add(&element), "systems\\\\src\\\\CRegistry, Line: 30");
    registry.SetAccelerator(new CRegistryAccelerateHandleQuery(150, 50, true));
    EXPECT_DEATH(registry.Remove(&element), "inc\\\\CRegistryAccelerateHandleQuery, Line: 118");
}

struct Job : CExecutable {
    explicit Job(int id) : m_id(id) {}
    void Execute() override { s_log.push_back(m_id); }
    static inline std::vector<int> s_log;
    int m_id;
};

TEST(CExecutableRegistry, SelfDeletingExecutableIsRemovedAndTheWalkGoesOn) {
    host::SetVirtualClock(0, 0);
    ScopedTestApp app;
    app->GetExecutor()->Start();
    CExecutableRegistry& registry = *app->GetExecutor()->GetRegistry();
    Job a(1), c(3);
    auto* b = new Job(2);
    b->SetRepeatCount(1);
    b->SetAutoDelete(true);
    std::unique_ptr<CRegistryElement> ea(registry.CreateElement(1, &a, 0, 30)), ec(registry.CreateElement(3, &c, 0, 10));
    for (CRegistryElement* e : {ea.get(), registry.CreateElement(2, b, 0, 20), ec.get()}) registry.Add(e);
    registry.Execute();
    registry.Execute();
    EXPECT_EQ(Job::s_log, (std::vector<int>{1, 2, 3, 1, 3}));
    registry.Clear();
    host::ClearVirtualClock();
}

}  // namespace
