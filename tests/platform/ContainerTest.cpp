// Containers and small utilities: hash table, pools, list, growable array,
// event queue, general helpers, random generators and timers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/shared/components/CPool.h"
#include "platform/shared/components/CTimer.h"
#include "platform/shared/core/CGenUtil.h"
#include "platform/shared/core/CHash.h"
#include "platform/shared/core/CLinkList.h"
#include "platform/shared/core/CRandGen.h"
#include "platform/shared/core/CSystemEventQueue.h"
#include "platform/shared/core/CVector.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/Fixtures.h"
#include "tools/ResourceWriters.h"

namespace {

TEST(CHash, BucketsShadowedKeysAFullPoolAndStringHashes) {
    for (const auto& [request, buckets] : {std::pair{0, 1}, {1, 1}, {20, 23}, {100, 101}, {121, 127}, {150, 151}}) {
        CHash table;
        ASSERT_TRUE(table.Init(request, 4, true));
        EXPECT_EQ(table.GetBucketCount(), buckets) << request;
    }
    CHash negative;
    EXPECT_FALSE(negative.Init(-5, 4, true));
    CHash table;
    ASSERT_TRUE(table.Init(20, 3, false));
    const std::uintptr_t high = ~std::uintptr_t{0} - 5;
    const std::pair<std::uintptr_t, std::uintptr_t> inserts[] = {{7, 1}, {7, 2}, {high, high}, {high & 0xFFFFFFFFu, 1}};
    for (const auto& [key, value] : inserts) table.Insert(key, value);  // the last finds no node left
    const auto find = [&](std::uintptr_t key) {
        std::uintptr_t value = 0;
        return table.Find(key, &value) ? value : 0;
    };
    EXPECT_EQ(find(high), high);
    EXPECT_EQ(find(high & 0xFFFFFFFFu), 0u);
    EXPECT_EQ(find(7), 2u);  // the newer key shadows the older
    table.Remove(7);
    EXPECT_EQ(find(7), 1u);
    EXPECT_EQ(HashString("ABC", true), 0x5743u);  // as "abc"
    EXPECT_EQ(HashString("ABC", false), 0x7563u);
    EXPECT_EQ(HashString("\xE9", false), 0xFFFFFFF9u);  // a signed byte
}

TEST(CPool, SlotsReusedLastFreedFirstAndTheEmptiedLastPoolDeletesItself) {
    CPool fixed(2, 16, false);
    void* a = fixed.Alloc(16);
    void* b = fixed.Alloc(16);
    EXPECT_EQ(fixed.Alloc(16), nullptr);
    fixed.Free(a);
    fixed.Free(b);
    EXPECT_EQ(fixed.Alloc(16), b);

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

TEST(CLinkList, InsertRemoveFindAndInsertSorted) {
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
    EXPECT_EQ(c.GetOwner(), nullptr);
    other.Remove(&d);  // passed on to its real owner
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2}));
    list.RemoveAll();

    // Equal values keep their arrival order.
    auto order = [](CLinkListNode* existing, void* item) -> std::int32_t {
        return static_cast<Item*>(item)->value < static_cast<Item*>(existing->GetData())->value ? -1 : 1;
    };
    Item p(5), q(1), r(5), s(9);
    for (Item* it : {&p, &q, &r, &s}) list.InsertSorted(order, it, it);
    EXPECT_EQ(list.GetHead(), &q);
    EXPECT_EQ(q.GetNext(), &p);
    EXPECT_EQ(p.GetNext(), &r);
    EXPECT_EQ(list.Find(nullptr, nullptr, &r), &r);  // by data
    EXPECT_EQ(list.Find(&s, nullptr, &r), nullptr);  // the walk starts at s
    int wanted = 9;
    auto byValue = [](CLinkListNode* n, void* key) -> std::uint8_t {
        return static_cast<Item*>(n)->value == *static_cast<int*>(key);
    };
    EXPECT_EQ(list.Find(nullptr, byValue, &wanted), &s);
    list.RemoveAll();
}

std::vector<std::uintptr_t> Elements(const CVector& v) { return {v.GetData(), v.GetData() + v.GetSize()}; }

TEST(CVector, CapacityFollowsTheGrowthRule) {
    CVector v;
    const std::int32_t expected[] = {10, 10, 10, 10, 10, 12, 14, 16, 18, 20, 22};  // after the n-th Add
    for (std::int32_t i = 0; i < 11; ++i) {
        ASSERT_EQ(v.Add(static_cast<std::uintptr_t>(i)), CVector::kOk);
        EXPECT_EQ(v.GetCapacity(), expected[i]) << i + 1;
    }
    EXPECT_EQ(v.Compact(), CVector::kOk);
    EXPECT_EQ(v.GetCapacity(), 11);
    std::uintptr_t out = 0;
    EXPECT_EQ(v.RemoveAt(10, &out), CVector::kOk);
    EXPECT_EQ(v.GetCapacity(), 20);  // the rule raises it again
    CVector r;
    EXPECT_EQ(r.Reserve(100), CVector::kOk);
    EXPECT_EQ(r.GetCapacity(), 200);
}

TEST(CVector, EditsAndResultCodesThatLeaveItIntact) {
    CVector v;
    for (std::uintptr_t x : {9u, 2u, 3u}) v.Add(x);
    std::uintptr_t out = 77;
    const std::pair<std::int32_t, std::int32_t> refusals[] = {
        {v.InsertAt(4, 9), CVector::kBadIndex}, {v.RemoveAt(3, &out), CVector::kBadIndex},
        {v.Get(-1, &out), CVector::kBadIndex},  {v.Remove(8), CVector::kAbsent},
        {v.Reserve(-1), CVector::kBadSize},     {v.Reserve(0x7FFFFFFF), CVector::kNoMemory},
    };
    for (std::size_t i = 0; i < std::size(refusals); ++i) EXPECT_EQ(refusals[i].first, refusals[i].second) << i;
    EXPECT_EQ(out, 77u);
    EXPECT_EQ(v.GetCapacity(), 10);
    EXPECT_EQ(v.RemoveAt(0, &out), CVector::kOk);
    EXPECT_EQ(out, 9u);
    EXPECT_EQ(v.InsertAt(2, 4), CVector::kOk);  // at size: append
    EXPECT_EQ(v.InsertAt(0, ~std::uintptr_t{0}), CVector::kOk);
    EXPECT_EQ(v.SetSize(6), CVector::kOk);  // beyond: zeroed
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{~std::uintptr_t{0}, 2, 3, 4, 0, 0}));
}

TEST(SystemEventQueue, KeepsTheFirst24InOrderAndReadsOutsideAsCleared) {
    CSystemEventQueue queue;
    for (std::uint32_t i = 0; i < 30; ++i) queue.Push(SystemEvent{100 + i, static_cast<std::uint16_t>(i), i * 3});
    ASSERT_EQ(queue.GetCount(), 24);
    for (const auto& [index, id, param2] : {std::tuple{23, 123u, 69u}, {24, 0u, 0u}, {-1, 0u, 0u}}) {
        SystemEvent e;
        queue.GetEvent(index, e);
        EXPECT_EQ(std::pair(e.id, e.param2), std::pair(id, std::uintptr_t{param2})) << index;
    }
}

TEST(CGenUtil, ParseHexAndBinarySearchAgreeWithTheCLibrary) {
    EXPECT_EQ(CGenUtil::ParseHex("123456789"), 0x23456789u);  // the last 8 digits
    EXPECT_EQ(CGenUtil::ParseHex("0x1F"), 0u);
    std::mt19937 rng(7);
    const char digits[] = "0123456789abcdefABCDEF";
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        for (int k = static_cast<int>(rng() % 9); k > 0; --k) text += digits[rng() % 22];
        if (rng() % 3 == 0) text += "g12";
        EXPECT_EQ(CGenUtil::ParseHex(text.c_str()), std::strtoul(text.c_str(), nullptr, 16)) << text;
    }
    EXPECT_EQ(CGenUtil::BinarySearch(nullptr, 3, 1), -1);
    for (int round = 0; round < 100; ++round) {
        std::vector<std::int32_t> values(rng() % 64);
        for (auto& v : values) v = static_cast<std::int32_t>(rng() % 200) - 100;
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        for (std::int32_t key = -102; key <= 102; ++key) {
            const auto it = std::lower_bound(values.begin(), values.end(), key);
            const std::int32_t expected = (it != values.end() && *it == key) ? static_cast<std::int32_t>(it - values.begin()) : -1;
            ASSERT_EQ(CGenUtil::BinarySearch(values.data(), static_cast<std::uint32_t>(values.size()), key), expected);
        }
    }
}

TEST(CGenUtil, ClipSpan) {
    // range position, range length, position, length -> clipped position, length
    const std::int16_t cases[][6] = {
        {0, 100, -10, 30, 0, 20},   {0, 100, 90, 30, 90, 10}, {0, 100, 100, 5, 100, 0},
        {0, 100, -10, 200, 0, 100}, {10, 5, 0, 12, 10, 2},    {0, 100, 50, -5, 50, -5},
    };
    for (const auto& c : cases) {
        std::int16_t p = c[2], l = c[3];
        CGenUtil::ClipSpan(c[0], c[1], p, l);
        EXPECT_EQ(std::pair(p, l), std::pair(c[4], c[5])) << c[2] << "," << c[3];
    }
}

TEST(CGenUtil, UncompressStreamsOfEveryLevelAndRejectsAWrongSize) {
    const std::vector<std::uint8_t> data = MakeSampleData(5000, 3);
    for (int level = 0; level <= 9; ++level) {
        std::vector<std::uint8_t> packed(8, 0xAA);  // an 8-byte header before the stream
        const auto stream = vktools::Deflate(data, level);
        packed.insert(packed.end(), stream.begin(), stream.end());
        const auto len = static_cast<std::uint32_t>(stream.size());
        std::vector<std::uint8_t> out(data.size() + 1);
        EXPECT_FALSE(CGenUtil::Uncompress(packed.data(), len, 8, out.data(), 5001)) << level;
        EXPECT_FALSE(CGenUtil::Uncompress(packed.data(), len, 8, out.data(), 4999)) << level;
        ASSERT_TRUE(CGenUtil::Uncompress(packed.data(), len, 8, out.data(), 5000)) << level;
        out.pop_back();
        EXPECT_EQ(out, data) << level;
    }
}

TEST(CRandGen, MatchesTheReferenceMersenneTwister) {
    for (std::uint32_t seed : {5489u, 0u, 0xFFFFFFFFu, 20261206u}) {
        CRandGen gen;
        gen.Seed(seed);
        std::mt19937 reference(seed);
        for (int i = 1; i <= 100000; ++i) {
            const std::uint32_t v = gen.Next();
            ASSERT_EQ(v, reference()) << seed << " @" << i;
            EXPECT_TRUE(seed != 5489 || i != 10000 || v == 4123659995u);
        }
    }
}

TEST(CSyncRandDeathTest, DrawsBitsAcrossBytesAndAssertsOutsideTheSeed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::uint8_t seed[] = {0xB4, 0x0F};
    CSyncRand sync;
    ASSERT_TRUE(sync.Init(seed, 2, 3));
    EXPECT_EQ(sync.GetRange(), 8);
    for (int expected : {4, 6, 5, 7, 0, 0, 5}) EXPECT_EQ(sync.Next(), expected);
    // NextMod(3) redraws 6 and 7, the incomplete group: 4, 5, 0 give 1, 2, 0.
    sync.SetPosition(0);
    for (int expected : {1, 2, 0}) EXPECT_EQ(sync.NextMod(3), expected);
    EXPECT_DEATH(sync.SetPosition(-1), "File: CSyncRand, Line: 74");
    // Wide values keep the low 16 bits and have no range.
    const std::uint8_t wide[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    ASSERT_TRUE(sync.Init(wide, 6, 40));
    EXPECT_EQ(sync.GetRange(), 0);
    EXPECT_EQ(sync.Next(), 0x4455);
    FailNthNothrowNew(0);  // the seed copy: no draw through a null seed
    const bool initialised = sync.Init(seed, 2, 3);
    FailNthNothrowNew(-1);
    EXPECT_FALSE(initialised);
    EXPECT_DEATH(sync.Next(), "File: CSyncRand, Line: 107");
}

TEST(CTimer, Examples) {
    struct Step {
        std::int32_t elapsed, expiries, remaining;
        bool active;
    };
    const struct {
        std::int32_t start;
        bool repeat;
        std::vector<Step> steps;
    } cases[] = {
        {1000, false, {{999, 0, 1, true}, {1, 1, 0, false}, {5, 0, 0, false}}},
        {1000, false, {{5000, 1, -4000, false}}},
        {100, true, {{350, 3, 50, true}, {50, 1, 100, true}}},
        {0, true, {{0, 1, 0, false}}},
        {100, false, {{-50, 0, 150, true}, {150, 1, 0, false}}},
    };
    for (const auto& c : cases) {
        CTimer timer;
        timer.Start(c.start, c.repeat);
        for (const auto& s : c.steps) {
            EXPECT_EQ(timer.Update(s.elapsed), s.expiries) << c.start << " " << s.elapsed;
            EXPECT_EQ(timer.GetRemaining(), s.remaining) << c.start << " " << s.elapsed;
            EXPECT_EQ(timer.IsActive(), s.active) << c.start << " " << s.elapsed;
        }
    }
    CTimer stopped;
    stopped.Start(10, true);
    stopped.Stop();
    EXPECT_EQ(stopped.Update(100), 0);
}

}  // namespace
