#include <gtest/gtest.h>

#include <set>

#include "platform/shared/components/CPool.h"
#include "platform/shared/core/CHash.h"

namespace {

TEST(CHash, BucketCountIsTheNextOddPrime) {
    const std::int32_t cases[][2] = {{0, 1}, {1, 1}, {20, 23}, {100, 101}, {121, 127}, {150, 151}};
    for (const auto& c : cases) {
        CHash table;
        ASSERT_TRUE(table.Init(c[0], 4, true));
        EXPECT_EQ(table.GetBucketCount(), c[1]) << c[0];
    }
    CHash negative;
    EXPECT_FALSE(negative.Init(-5, 4, true));
}

TEST(CHash, NewKeysShadowOlderDuplicatesAndAFullPoolDropsTheInsert) {
    CHash table;
    ASSERT_TRUE(table.Init(20, 3, false));
    const std::uintptr_t high = ~std::uintptr_t{0} - 5;
    for (std::uintptr_t v : {std::uintptr_t{1}, std::uintptr_t{2}}) table.Insert(7, v);
    table.Insert(high, high);
    table.Insert(high & 0xFFFFFFFFu, 1);  // no node left
    std::uintptr_t value = 0;
    ASSERT_TRUE(table.Find(high, &value));
    EXPECT_EQ(value, high);
    EXPECT_FALSE(table.Find(high & 0xFFFFFFFFu, &value));
    ASSERT_TRUE(table.Find(7, &value));
    EXPECT_EQ(value, 2u);
    table.Remove(7);
    ASSERT_TRUE(table.Find(7, &value));
    EXPECT_EQ(value, 1u);
}

// The application's shutdown walk: take the next node, then remove the current key.
TEST(CHash, RemovalWhileWalkingBuckets) {
    CHash table;
    ASSERT_TRUE(table.Init(3, 4, true));
    for (std::uintptr_t k = 1; k <= 40; ++k) table.Insert(k, k * 10);
    std::set<std::uintptr_t> seen;
    for (std::int32_t b = 0; b < table.GetBucketCount(); ++b) {
        for (CHashNode* node = table.GetBucket(b); node != nullptr;) {
            CHashNode* next = node->next;
            EXPECT_TRUE(seen.insert(node->value).second);
            table.Remove(node->key);
            node = next;
        }
        EXPECT_EQ(table.GetBucket(b), nullptr);
    }
    EXPECT_EQ(seen.size(), 40u);
}

TEST(HashString, KnownValues) {
    EXPECT_EQ(HashString("", false), 0u);
    EXPECT_EQ(HashString("abc", false), 0x5743u);
    EXPECT_EQ(HashString("ABC", true), 0x5743u);
    EXPECT_EQ(HashString("ABC", false), 0x7563u);
    EXPECT_EQ(HashString("\xE9", false), 0xFFFFFFF9u);  // a signed byte
}

TEST(CPool, SlotsReusedLastFreedFirstAndTheEmptiedLastPoolDeletesItself) {
    CPool fixed(2, 16, false);
    void* a = fixed.Alloc(16);
    void* b = fixed.Alloc(16);
    EXPECT_EQ(fixed.Alloc(16), nullptr);
    for (void* p : {a, b}) fixed.Free(p);
    EXPECT_EQ(fixed.Alloc(16), b);
    EXPECT_EQ(fixed.Alloc(16), a);

    CPool pool(2, 8, true);
    void* slots[6];
    for (auto& s : slots) s = pool.Alloc(8);  // three pools of two
    CPool* second = pool.GetNextPool();
    ASSERT_NE(second->GetNextPool(), nullptr);
    for (int i : {2, 3}) pool.Free(slots[i]);  // the middle pool empties but stays
    EXPECT_EQ(pool.GetNextPool(), second);
    for (int i : {4, 5}) pool.Free(slots[i]);
    EXPECT_EQ(second->GetNextPool(), nullptr);
    for (int i : {0, 1}) pool.Free(slots[i]);
}

struct Tracked : CClass {
    static inline int s_destroyed = 0;
    ~Tracked() override { ++s_destroyed; }
};

TEST(CManagedPool, DestroyAllDestroysEveryLiveObjectOnce) {
    {
        CManagedPool pool(7, 2, sizeof(Tracked), true);
        void* slots[5];
        for (auto& s : slots) s = new (pool.Alloc(sizeof(Tracked))) Tracked();
        static_cast<Tracked*>(slots[1])->~Tracked();
        pool.Free(slots[1]);
        pool.DestroyAll();
        EXPECT_EQ(Tracked::s_destroyed, 5);
        new (pool.Alloc(sizeof(Tracked))) Tracked();
    }
    EXPECT_EQ(Tracked::s_destroyed, 6);
}

}  // namespace
