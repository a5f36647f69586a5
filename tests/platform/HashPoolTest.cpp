#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/shared/components/CPool.h"
#include "platform/shared/core/CHash.h"

namespace {

TEST(CHash, BucketCountIsTheNextOddPrime) {
    const struct {
        std::int32_t request;
        std::int32_t buckets;
    } cases[] = {{0, 1}, {1, 1}, {2, 3}, {9, 11}, {20, 23}, {25, 29}, {100, 101}, {150, 151}, {121, 127}};
    for (const auto& c : cases) {
        CHash table;
        ASSERT_TRUE(table.Init(c.request, 4, true));
        EXPECT_EQ(table.GetBucketCount(), c.buckets) << c.request;
    }
    CHash negative;
    EXPECT_FALSE(negative.Init(-5, 4, true));
    EXPECT_EQ(negative.GetBucketCount(), 0);
}

TEST(CHash, NewKeysShadowOlderDuplicates) {
    CHash table;
    ASSERT_TRUE(table.Init(20, 20, true));
    table.Insert(7, 1);
    table.Insert(7, 2);
    table.Insert(7 + 23, 3);  // same bucket, other key
    std::uintptr_t value = 0;
    ASSERT_TRUE(table.Find(7, &value));
    EXPECT_EQ(value, 2u);
    table.Remove(7);
    ASSERT_TRUE(table.Find(7, &value));
    EXPECT_EQ(value, 1u);
    table.Remove(7);
    value = 99;
    EXPECT_FALSE(table.Find(7, &value));
    EXPECT_EQ(value, 99u);
    EXPECT_TRUE(table.Find(30, nullptr));
    table.Remove(12345);  // absent: nothing changes
    EXPECT_TRUE(table.Find(30, nullptr));
}

TEST(CHash, FullPointerWidthKeysAndValues) {
    CHash table;
    ASSERT_TRUE(table.Init(20, 2, true));
    int objects[3];
    for (auto& o : objects) table.Insert(reinterpret_cast<std::uintptr_t>(&o), reinterpret_cast<std::uintptr_t>(&o));
    const std::uintptr_t high = ~std::uintptr_t{0} - 5;
    table.Insert(high, high);
    table.Insert(high & 0xFFFFFFFFu, 1);  // same low 32 bits, different key
    std::uintptr_t value = 0;
    ASSERT_TRUE(table.Find(high, &value));
    EXPECT_EQ(value, high);
    for (auto& o : objects) {
        ASSERT_TRUE(table.Find(reinterpret_cast<std::uintptr_t>(&o), &value));
        EXPECT_EQ(value, reinterpret_cast<std::uintptr_t>(&o));
    }
}

// The walk the application's shutdown makes: take the next node, then remove
// the current key; every entry is visited once and the table ends empty.
TEST(CHash, RemovalWhileWalkingBuckets) {
    CHash table;
    ASSERT_TRUE(table.Init(3, 4, true));
    for (std::uintptr_t k = 1; k <= 40; ++k) table.Insert(k, k * 10);
    std::multiset<std::uintptr_t> seen;
    for (std::int32_t b = 0; b < table.GetBucketCount(); ++b) {
        for (CHashNode* node = table.GetBucket(b); node != nullptr;) {
            CHashNode* next = node->next;
            seen.insert(node->value);
            table.Remove(node->key);
            node = next;
        }
    }
    EXPECT_EQ(seen.size(), 40u);
    EXPECT_EQ(std::set<std::uintptr_t>(seen.begin(), seen.end()).size(), 40u);
    for (std::int32_t b = 0; b < table.GetBucketCount(); ++b) EXPECT_EQ(table.GetBucket(b), nullptr);
}

TEST(CHash, RemoveAllKeepsTheBucketsAndReusesNodes) {
    CHash table;
    ASSERT_TRUE(table.Init(5, 2, false));
    table.Insert(1, 1);
    table.Insert(2, 2);
    table.Insert(3, 3);  // pool of two, not growable: dropped, table intact
    EXPECT_FALSE(table.Find(3, nullptr));
    EXPECT_TRUE(table.Find(1, nullptr));
    table.RemoveAll();
    EXPECT_EQ(table.GetBucketCount(), 5);
    EXPECT_FALSE(table.Find(1, nullptr));
    table.Insert(4, 4);
    table.Insert(5, 5);
    EXPECT_TRUE(table.Find(4, nullptr));
    EXPECT_TRUE(table.Find(5, nullptr));
    table.Destroy();
    EXPECT_EQ(table.GetBucketCount(), 0);
    EXPECT_FALSE(table.Find(4, nullptr));
}

TEST(HashString, KnownValues) {
    const struct {
        const char* text;
        bool noCase;
        std::uint32_t hash;
    } cases[] = {
        {"", false, 0},           {"abc", false, 0x5743},   {"ABC", true, 0x5743},
        {"ABC", false, 0x7563},   {"\xE9", false, 0xFFFFFFF9}, {"\xE9\x80", false, 0x31F},
        {"aBc1!", true, HashString("abc1!", false)},
    };
    for (const auto& c : cases) EXPECT_EQ(HashString(c.text, c.noCase), c.hash) << c.text;
    // Long strings rotate every bit through: no bits are lost.
    EXPECT_NE(HashString("abcdefghijkl", false), HashString("abcdefghijkm", false));
}

TEST(CHash, InsertStringUsesTheCaseSensitiveHash) {
    CHash table;
    ASSERT_TRUE(table.Init(20, 20, true));
    std::uint32_t hash = 0;
    table.InsertString("abc", 42, &hash);
    EXPECT_EQ(hash, 0x5743u);
    std::uintptr_t value = 0;
    ASSERT_TRUE(table.Find(CHash::HashKey("abc", false), &value));
    EXPECT_EQ(value, 42u);
    EXPECT_FALSE(table.Find(CHash::HashKey("ABC", false), nullptr));
}

TEST(CPool, FreedSlotsAreReusedLastFreedFirst) {
    CPool pool(4, 16, false);
    void* a = pool.Alloc(16);
    void* b = pool.Alloc(16);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(static_cast<char*>(b) - static_cast<char*>(a), 16);
    pool.Free(a);
    pool.Free(b);
    EXPECT_EQ(pool.Alloc(16), b);
    EXPECT_EQ(pool.Alloc(16), a);
    pool.Free(nullptr);  // ignored
}

TEST(CPool, FixedPoolRunsOut) {
    CPool pool(2, 8, false);
    EXPECT_NE(pool.Alloc(8), nullptr);
    EXPECT_NE(pool.Alloc(8), nullptr);
    EXPECT_EQ(pool.Alloc(8), nullptr);
    EXPECT_EQ(pool.GetNextPool(), nullptr);
}

TEST(CPool, ChainedPoolGrowsAndTheEmptiedLastPoolDeletesItself) {
    CPool pool(2, 8, true);
    void* a = pool.Alloc(8);
    void* b = pool.Alloc(8);
    void* c = pool.Alloc(8);
    ASSERT_NE(pool.GetNextPool(), nullptr);
    EXPECT_EQ(pool.GetNextPool()->GetSlotCount(), 2u);
    EXPECT_NE(c, a);
    EXPECT_NE(c, b);
    pool.Free(c);  // lands in the chained pool, which is then empty
    EXPECT_EQ(pool.GetNextPool(), nullptr);
    void* d = pool.Alloc(8);  // the chain grows again
    ASSERT_NE(pool.GetNextPool(), nullptr);
    ASSERT_NE(d, nullptr);
    // Three pools; the middle one empties but stays, the chain only shrinks
    // from its end.
    void* e = pool.Alloc(8);
    void* f = pool.Alloc(8);
    CPool* second = pool.GetNextPool();
    ASSERT_NE(second->GetNextPool(), nullptr);
    pool.Free(d);
    pool.Free(e);
    EXPECT_EQ(pool.GetNextPool(), second);
    pool.Free(f);
    EXPECT_EQ(second->GetNextPool(), nullptr);
    pool.Free(a);
    pool.Free(b);
}

TEST(CPoolDeathTest, WrongSizeAndForeignAddressAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CPool pool(4, 8, true);
    EXPECT_DEATH(pool.Alloc(4), "ASSERT FAILED - File: CPool, Line: 90");
    int outside = 0;
    EXPECT_DEATH(pool.Free(&outside), "ASSERT FAILED - File: CPool, Line: 139");
}

struct Tracked : CClass {
    explicit Tracked(int* counter) : m_counter(counter) {}
    ~Tracked() override { ++*m_counter; }
    int* m_counter;
};

TEST(CManagedPool, DestroyAllDestroysEveryLiveObjectOnce) {
    int destroyed = 0;
    {
        CManagedPool pool(7, 2, sizeof(Tracked), true);
        std::vector<void*> slots;
        for (int i = 0; i < 5; ++i) slots.push_back(new (pool.Alloc(sizeof(Tracked))) Tracked(&destroyed));
        static_cast<Tracked*>(slots[1])->~Tracked();
        pool.Free(slots[1]);
        EXPECT_EQ(destroyed, 1);
        pool.DestroyAll();
        EXPECT_EQ(destroyed, 5);
        new (pool.Alloc(sizeof(Tracked))) Tracked(&destroyed);
    }  // the destructor destroys the one object made after DestroyAll
    EXPECT_EQ(destroyed, 6);
}

}  // namespace
