#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/core/CLinkList.h"

namespace {

struct Item : CLinkListNode {
    explicit Item(int v = 0) : value(v) {}
    int value;
};

// The values front to back; the backward walk and the count must agree.
std::vector<int> Values(const CLinkList& list) {
    std::vector<int> out, back;
    for (CLinkListNode* n = list.GetHead(); n != nullptr; n = n->GetNext()) out.push_back(static_cast<Item*>(n)->value);
    for (CLinkListNode* n = list.GetTail(); n != nullptr; n = n->GetPrev()) back.insert(back.begin(), static_cast<Item*>(n)->value);
    EXPECT_EQ(out, back);
    EXPECT_EQ(static_cast<int>(out.size()), list.GetCount());
    return out;
}

TEST(CLinkList, InsertAndRemoveAtHeadTailAndMiddle) {
    CLinkList list, other;
    Item a(1), b(2), c(3), d(4), e(5), f(6), loose(7);
    list.AddHead(&b, nullptr);
    list.AddTail(&d, nullptr);
    list.InsertBefore(nullptr, &a, nullptr);  // null position: the head
    list.InsertAfter(&b, &c, nullptr);
    list.InsertAfter(nullptr, &e, nullptr);  // null position: the tail
    list.InsertBefore(&a, &f, nullptr);
    EXPECT_EQ(Values(list), (std::vector<int>{6, 1, 2, 3, 4, 5}));
    for (Item* gone : {&c, &f, &e, &loose}) list.Remove(gone);  // loose is in no list: nothing happens
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(c.GetOwner(), nullptr);
    other.Remove(&d);  // passed on to its real owner
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2}));
    list.RemoveAll();
}

// Find by data or matcher; InsertSorted keeps equal values in arrival order.
TEST(CLinkList, FindAndInsertSorted) {
    auto order = [](CLinkListNode* existing, void* item) -> std::int32_t {
        return static_cast<Item*>(item)->value < static_cast<Item*>(existing->GetData())->value ? -1 : 1;
    };
    CLinkList list;
    Item a(5), b(1), c(5), d(9);
    for (Item* it : {&a, &b, &c, &d}) list.InsertSorted(order, it, it);
    EXPECT_EQ(list.GetHead(), &b);
    EXPECT_EQ(b.GetNext(), &a);
    EXPECT_EQ(a.GetNext(), &c);
    EXPECT_EQ(list.Find(nullptr, nullptr, &c), &c);
    EXPECT_EQ(list.Find(&d, nullptr, &c), nullptr);  // the walk starts at d
    int wanted = 9;
    auto byValue = [](CLinkListNode* n, void* key) -> std::uint8_t {
        return static_cast<Item*>(n)->value == *static_cast<int*>(key);
    };
    EXPECT_EQ(list.Find(nullptr, byValue, &wanted), &d);
    list.RemoveAll();
}


}  // namespace
