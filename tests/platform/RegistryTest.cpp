#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "platform/shared/systems/CExecutableRegistry.h"
#include "tests/platform/TestApp.h"

namespace {

std::vector<std::uintptr_t> Keys(const CRegistry& registry) {
    std::vector<std::uintptr_t> keys;
    for (CRegistryElement* e = registry.GetFirst(); e != registry.GetSentinel(); e = e->GetNext()) {
        keys.push_back(e->GetKey());
    }
    // The backward links must agree with the forward ones.
    std::vector<std::uintptr_t> back;
    for (CRegistryElement* e = registry.GetLast(); e != registry.GetSentinel() && e != nullptr; e = e->GetPrev()) {
        back.insert(back.begin(), e->GetKey());
    }
    EXPECT_EQ(keys, back);
    return keys;
}

// The same behaviour is expected with and without the accelerator.
class RegistryTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) m_registry.SetAccelerator(new CRegistryAccelerateHandleQuery(150, 50, true));
    }
    CRegistryElement* Make(std::uintptr_t key, std::int32_t priority, CClass* object = nullptr,
                           std::uint32_t classId = 0) {
        m_elements.emplace_back(m_registry.CreateElement(key, object, classId, priority));
        return m_elements.back().get();
    }

    CRegistry m_registry;
    std::vector<std::unique_ptr<CRegistryElement>> m_elements;
};

TEST_P(RegistryTest, DescendingPriorityWithTiesInArrivalOrder) {
    const std::int32_t priorities[] = {5, 9, 5, 1, 9, 10, -3};
    std::uintptr_t key = 1;
    for (std::int32_t p : priorities) m_registry.Add(Make(key++, p));
    // keys: 1(5) 2(9) 3(5) 4(1) 5(9) 6(10) 7(-3)
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{6, 2, 5, 1, 3, 4, 7}));
}

TEST_P(RegistryTest, RemoveAtHeadMiddleTailAndTheLastOne) {
    for (std::uintptr_t k = 1; k <= 4; ++k) m_registry.Add(Make(k, 10 - static_cast<std::int32_t>(k)));
    EXPECT_TRUE(m_registry.Remove(m_elements[1].get()));
    EXPECT_TRUE(m_registry.Remove(m_elements[0].get()));
    EXPECT_TRUE(m_registry.Remove(m_elements[3].get()));
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{3}));
    EXPECT_TRUE(m_registry.Remove(m_elements[2].get()));
    EXPECT_TRUE(m_registry.IsEmpty());
    EXPECT_EQ(m_registry.GetLast(), m_registry.GetSentinel());
    CRegistryElement* found = m_elements[2].get();
    EXPECT_FALSE(m_registry.Find(0, 3, &found));
    EXPECT_EQ(found, nullptr);
    // Afterwards it works as a fresh registry.
    m_registry.Add(Make(8, 1));
    m_registry.Add(Make(9, 2));
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{9, 8}));
}

TEST_P(RegistryTest, FindByKeyClassIdOrBoth) {
    CClass a, b;
    CRegistryElement* keyed = Make(100, 1, nullptr, 0x77);  // keyed reference, no object
    CRegistryElement* withObject = Make(200, 1, &a, 0x77);
    CRegistryElement* byClass = Make(0, 1, &b, 0x99);
    for (CRegistryElement* e : {keyed, withObject, byClass}) m_registry.Add(e);
    const struct {
        std::uint32_t classId;
        std::uintptr_t key;
        bool found;
        CRegistryElement* element;
    } cases[] = {
        {0, 200, true, withObject}, {0x77, 200, true, withObject}, {0x78, 200, false, nullptr},
        // Found; the list does not hand a keyed reference out, the index does.
        {0x77, 100, true, GetParam() ? keyed : nullptr},
        {0, 100, true, keyed},       {0x99, 0, true, byClass},        {0, 300, false, nullptr},
        {0x55, 0, false, nullptr},
    };
    for (const auto& c : cases) {
        CRegistryElement* out = byClass;
        EXPECT_EQ(m_registry.Find(c.classId, c.key, &out), c.found) << c.classId << "/" << c.key;
        EXPECT_EQ(out, c.element) << c.classId << "/" << c.key;
    }
    CRegistryElement* untouched = keyed;
    EXPECT_FALSE(m_registry.Find(0, 0, &untouched));
    EXPECT_EQ(untouched, keyed);
}

TEST_P(RegistryTest, ClearLeavesNoLinksToTheDeletedElements) {
    for (std::uintptr_t k = 1; k <= 3; ++k) m_registry.Add(Make(k, 1));
    m_registry.Clear();
    m_elements.clear();  // the owners delete them
    EXPECT_TRUE(m_registry.IsEmpty());
    EXPECT_EQ(m_registry.GetSentinel()->GetPrev(), nullptr);
    CRegistryElement* out = nullptr;
    EXPECT_FALSE(m_registry.Find(0, 2, &out));
    m_registry.Add(Make(4, 1));
    EXPECT_EQ(Keys(m_registry), (std::vector<std::uintptr_t>{4}));
}

TEST_P(RegistryTest, IteratorWalksBothWaysAndStopsAtTheEnds) {
    CRegistryIterator empty(m_registry);
    EXPECT_TRUE(empty.IsDone());
    for (std::uintptr_t k = 1; k <= 3; ++k) m_registry.Add(Make(k, static_cast<std::int32_t>(k)));
    CRegistryIterator it(m_registry);
    std::vector<std::uintptr_t> forward;
    for (it.Start(); !it.IsDone(); it.Next()) forward.push_back(it.Current()->GetKey());
    EXPECT_EQ(forward, (std::vector<std::uintptr_t>{3, 2, 1}));
    it.Prev();  // from the sentinel back to the last element
    std::vector<std::uintptr_t> backward;
    for (; !it.IsDone(); it.Prev()) backward.push_back(it.Current()->GetKey());
    EXPECT_EQ(backward, (std::vector<std::uintptr_t>{1, 2, 3}));
    it.Start();
    EXPECT_EQ(it.Current(), m_registry.GetFirst());
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutAccelerator, RegistryTest, ::testing::Bool());

TEST(RegistryAccelerator, IndexesElementsAddedBeforeItWasAttached) {
    CRegistry registry;
    CClass object;
    CRegistryElement early(7, &object, 0x44, 3);
    registry.Add(&early);
    registry.SetAccelerator(new CRegistryAccelerateHandleQuery(150, 50, true));
    CRegistryElement* out = nullptr;
    EXPECT_TRUE(registry.Find(0, 7, &out));
    EXPECT_EQ(out, &early);
    EXPECT_TRUE(registry.Find(0x44, 0, &out));  // class id only: the list
    EXPECT_EQ(out, &early);
    // Keys that differ only above 32 bits are different keys.
    const std::uintptr_t high = (std::uintptr_t{1} << 40) | 7;
    CRegistryElement far(high, &object, 0x44, 3);
    registry.Add(&far);
    EXPECT_TRUE(registry.Find(0, high, &out));
    EXPECT_EQ(out, &far);
    EXPECT_TRUE(registry.Find(0, 7, &out));
    EXPECT_EQ(out, &early);
    registry.Remove(&far);
    EXPECT_FALSE(registry.Find(0, high, &out));
    registry.SetAccelerator(nullptr);  // back to the list alone
    EXPECT_TRUE(registry.Find(0, 7, &out));
    registry.Remove(&early);
}

TEST(RegistryElement, ResolveTakesTheObjectFromTheResolver) {
    struct Resolver : CRegistryResolver {
        CClass* ResolveKey(std::uintptr_t key) override { return key == 5 ? &object : nullptr; }
        CClass object;
    } resolver;
    CRegistryElement element(5, 0x10, 1);
    EXPECT_TRUE(element.Resolve(resolver));
    EXPECT_EQ(element.GetObject(), &resolver.object);
    EXPECT_TRUE(element.IsResolved());
    CRegistry registry;
    registry.Add(&element);
    CRegistryElement* out = &element;
    EXPECT_TRUE(registry.Find(0x10, 5, &out));  // a resolved reference
    EXPECT_EQ(out, nullptr);
    registry.Remove(&element);
    CRegistryElement missing(6, 0x10, 1);
    EXPECT_FALSE(missing.Resolve(resolver));
    EXPECT_FALSE(missing.IsResolved());
}

TEST(RegistryDeathTest, BrokenInvariants) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CRegistry registry;
    CClass notAnElement;
    CRegistryElement element(1, 0, 1);
    element.SetClassId(0x1234);
    EXPECT_DEATH(registry.Add(&element), "systems\\\\src\\\\CRegistry, Line: 30");
    EXPECT_DEATH(registry.Remove(&element), "systems\\\\src\\\\CRegistry, Line: 90");
    // The accelerator checks the element itself.
    CRegistry accelerated;
    accelerated.SetAccelerator(new CRegistryAccelerateHandleQuery(150, 50, true));
    EXPECT_DEATH(accelerated.Add(&element), "inc\\\\CRegistryAccelerateHandleQuery, Line: 105");
    EXPECT_DEATH(accelerated.Remove(&element), "inc\\\\CRegistryAccelerateHandleQuery, Line: 118");
    // A key already found under the element class id.
    CRegistryElement first(5, &notAnElement, CRegistryElement::kClassId, 1);
    CRegistryElement second(5, &notAnElement, 0, 1);
    registry.Add(&first);
    EXPECT_DEATH(registry.Add(&second), "systems\\\\src\\\\CRegistry, Line: 24");
    registry.Remove(&first);
    CExecutableRegistry executables;
    CRegistryElement empty(9, 0, 1);
    executables.Add(&empty);
    EXPECT_DEATH(executables.Execute(), "CExecutableRegistry, Line: 42");
    executables.Remove(&empty);
}

struct Job : CExecutable {
    Job(std::vector<int>* log, int id, int* destroyed) : m_log(log), m_id(id), m_destroyed(destroyed) {}
    ~Job() override { ++*m_destroyed; }
    void Execute() override { m_log->push_back(m_id); }
    std::vector<int>* m_log;
    int m_id;
    int* m_destroyed;
};

TEST(CExecutableRegistry, SelfDeletingExecutableIsRemovedAndTheWalkGoesOn) {
    host::SetVirtualClock(0, 0);
    ScopedTestApp app;
    app->GetExecutor()->Start();
    CExecutableRegistry& registry = *app->GetExecutor()->GetRegistry();
    std::vector<int> log;
    int destroyed = 0;
    Job a(&log, 1, &destroyed);
    auto* b = new Job(&log, 2, &destroyed);
    b->SetRepeatCount(1);
    b->SetAutoDelete(true);
    Job c(&log, 3, &destroyed);
    CRegistryElement* ea = registry.CreateElement(1, &a, 0, 30);
    CRegistryElement* ec = registry.CreateElement(3, &c, 0, 10);
    registry.Add(ea);
    registry.Add(registry.CreateElement(2, b, 0, 20));
    registry.Add(ec);
    registry.Execute();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(Keys(registry), (std::vector<std::uintptr_t>{1, 3}));
    registry.Execute();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 1, 3}));
    registry.Clear();
    delete ea;
    delete ec;
    host::ClearVirtualClock();
}

}  // namespace
