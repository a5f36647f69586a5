#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/core/CLinkList.h"

namespace {

struct Item : CLinkListNode {
    explicit Item(int v = 0) : value(v) {}
    int value;
};

std::vector<int> Values(const CLinkList& list) {
    std::vector<int> out;
    for (CLinkListNode* n = list.GetHead(); n != nullptr; n = n->GetNext()) out.push_back(static_cast<Item*>(n)->value);
    // The backward walk must agree.
    std::vector<int> back;
    for (CLinkListNode* n = list.GetTail(); n != nullptr; n = n->GetPrev()) back.insert(back.begin(), static_cast<Item*>(n)->value);
    EXPECT_EQ(out, back);
    EXPECT_EQ(static_cast<int>(out.size()), list.GetCount());
    return out;
}

TEST(CLinkList, InsertAtHeadTailAndMiddle) {
    CLinkList list;
    Item a(1), b(2), c(3), d(4), e(5);
    list.AddHead(&b, nullptr);
    EXPECT_EQ(list.GetHead(), &b);
    EXPECT_EQ(list.GetTail(), &b);
    list.AddTail(&d, nullptr);
    list.InsertBefore(nullptr, &a, nullptr);  // null position: the head
    list.InsertAfter(&b, &c, nullptr);        // middle
    list.InsertAfter(nullptr, &e, nullptr);   // null position: the tail
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(a.GetPrev(), nullptr);
    EXPECT_EQ(e.GetNext(), nullptr);
    EXPECT_EQ(c.GetOwner(), &list);
    Item f(6);
    list.InsertBefore(&a, &f, nullptr);  // before the head
    EXPECT_EQ(list.GetHead(), &f);
    list.RemoveAll();
}

TEST(CLinkList, RemoveAtHeadTailAndMiddle) {
    CLinkList list;
    Item items[5] = {Item(1), Item(2), Item(3), Item(4), Item(5)};
    for (auto& it : items) list.AddTail(&it, nullptr);
    list.Remove(&items[2]);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 4, 5}));
    list.Remove(&items[0]);
    list.Remove(&items[4]);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 4}));
    EXPECT_EQ(items[2].GetOwner(), nullptr);
    EXPECT_EQ(items[2].GetNext(), nullptr);
    EXPECT_EQ(items[2].GetPrev(), nullptr);
    EXPECT_EQ(items[2].GetData(), &items[2]);  // data survives removal
    items[3].Unlink();
    list.Remove(&items[1]);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CLinkList, NodeInNoListAndRemovalThroughTheWrongList) {
    CLinkList list, other;
    Item loose(1), a(2);
    EXPECT_EQ(loose.GetPrev(), nullptr);
    list.Remove(&loose);  // in no list: nothing happens
    loose.Unlink();
    list.Remove(nullptr);
    list.AddTail(nullptr, nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    other.AddTail(&a, nullptr);
    list.Remove(&a);  // passed on to its real owner
    EXPECT_EQ(other.GetCount(), 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(a.GetOwner(), nullptr);
}

TEST(CLinkList, FindByDataOrMatcher) {
    CLinkList list;
    Item a(1), b(2), c(3);
    int widget = 0;
    list.AddTail(&a, nullptr);
    list.AddTail(&b, &widget);
    list.AddTail(&c, nullptr);
    EXPECT_EQ(b.GetData(), &widget);
    EXPECT_EQ(list.Find(nullptr, nullptr, &widget), &b);
    EXPECT_EQ(list.Find(nullptr, nullptr, &c), &c);
    EXPECT_EQ(list.Find(&c, nullptr, &widget), nullptr);  // starts after it
    EXPECT_EQ(list.Find(nullptr, nullptr, nullptr), nullptr);
    int wanted = 3;
    auto byValue = [](CLinkListNode* n, void* key) -> std::uint8_t {
        return static_cast<Item*>(n)->value == *static_cast<int*>(key);
    };
    EXPECT_EQ(list.Find(nullptr, byValue, &wanted), &c);
    list.RemoveAll();
}

TEST(CLinkList, InsertSortedKeepsEqualValuesInArrivalOrder) {
    // The container widget's comparator: -1 when the new value is smaller.
    auto order = [](CLinkListNode* existing, void* item) -> std::int32_t {
        return static_cast<Item*>(item)->value < static_cast<Item*>(existing->GetData())->value ? -1 : 1;
    };
    CLinkList list;
    Item a(5), b(1), c(5), d(9), e(0);
    for (Item* it : {&a, &b, &c, &d, &e}) list.InsertSorted(order, it, nullptr);
    std::vector<Item*> got;
    for (CLinkListNode* n = list.GetHead(); n != nullptr; n = n->GetNext()) got.push_back(static_cast<Item*>(n));
    EXPECT_EQ(got, (std::vector<Item*>{&e, &b, &a, &c, &d}));
    list.RemoveAll();
}

TEST(CLinkList, ResetLeavesTheNodesPointingAtTheList) {
    CLinkList list;
    Item a(1);
    list.AddTail(&a, nullptr);
    list.Reset();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(a.GetOwner(), &list);
}

TEST(CLinkListDeathTest, BrokenInvariantsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CLinkList list, other;
    Item a(1), b(2), c(3);
    list.AddTail(&a, nullptr);
    other.AddTail(&c, nullptr);
    EXPECT_DEATH(list.AddTail(&a, nullptr), "File: CLinkList, Line: 146");
    EXPECT_DEATH(list.AddHead(&a, nullptr), "File: CLinkList, Line: 103");
    EXPECT_DEATH(list.InsertBefore(&c, &b, nullptr), "File: CLinkList, Line: 107");
    EXPECT_DEATH(list.InsertAfter(&c, &b, nullptr), "File: CLinkList, Line: 150");
    EXPECT_DEATH(list.InsertSorted(nullptr, &b, nullptr), "File: CLinkList, Line: 252");
    list.RemoveAll();
    other.RemoveAll();
}

}  // namespace
