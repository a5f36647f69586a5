#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/core/CVector.h"

namespace {

std::vector<std::uintptr_t> Elements(const CVector& v) { return {v.GetData(), v.GetData() + v.GetSize()}; }

TEST(CVector, CapacityFollowsTheGrowthRule) {
    CVector v;
    EXPECT_EQ(v.GetData(), nullptr);
    // capacity after the n-th Add
    const std::int32_t expected[] = {10, 10, 10, 10, 10, 12, 14, 16, 18, 20, 22};
    for (std::int32_t i = 0; i < 11; ++i) {
        ASSERT_EQ(v.Add(static_cast<std::uintptr_t>(i)), CVector::kOk);
        EXPECT_EQ(v.GetCapacity(), expected[i]) << i + 1;
    }
    EXPECT_EQ(v.GetSize(), 11);
    CVector r;
    EXPECT_EQ(r.Reserve(100), CVector::kOk);
    EXPECT_EQ(r.GetCapacity(), 200);
    EXPECT_EQ(r.Reserve(-1), CVector::kBadSize);
    EXPECT_EQ(r.Reserve(3), CVector::kOk);  // never shrinks
    EXPECT_EQ(r.GetCapacity(), 200);
}

TEST(CVector, ResultCodes) {
    CVector v;
    for (std::uintptr_t x : {1u, 2u, 3u}) v.Add(x);
    std::uintptr_t out = 77;
    const struct {
        const char* what;
        std::int32_t got;
        std::int32_t code;
    } cases[] = {
        {"insert at size+1", v.InsertAt(4, 9), CVector::kBadIndex},
        {"insert at -1", v.InsertAt(-1, 9), CVector::kBadIndex},
        {"remove at size", v.RemoveAt(3, &out), CVector::kBadIndex},
        {"remove at -1", v.RemoveAt(-1, &out), CVector::kBadIndex},
        {"get at size", v.Get(3, &out), CVector::kBadIndex},
        {"set at -1", v.Set(-1, 9), CVector::kBadIndex},
        {"remove absent", v.Remove(9), CVector::kAbsent},
        {"reserve -1", v.Reserve(-1), CVector::kBadSize},
        {"too large", v.Reserve(0x7FFFFFFF), CVector::kNoMemory},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.code) << c.what;
    EXPECT_EQ(out, 77u);
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{1, 2, 3}));
    EXPECT_EQ(v.GetCapacity(), 10);
}

TEST(CVector, InsertRemoveGetSet) {
    CVector v;
    for (std::uintptr_t x : {1u, 2u, 3u}) v.Add(x);
    std::uintptr_t out = 0;
    EXPECT_EQ(v.RemoveAt(0, &out), CVector::kOk);
    EXPECT_EQ(out, 1u);
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{2, 3}));
    EXPECT_EQ(v.InsertAt(2, 4), CVector::kOk);  // at size: append
    EXPECT_EQ(v.InsertAt(0, 0), CVector::kOk);
    EXPECT_EQ(v.InsertAt(2, 7), CVector::kOk);
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{0, 2, 7, 3, 4}));
    EXPECT_EQ(v.Remove(7), CVector::kOk);
    EXPECT_EQ(v.Set(1, ~std::uintptr_t{0}), CVector::kOk);  // full pointer width
    EXPECT_EQ(v.Get(1, &out), CVector::kOk);
    EXPECT_EQ(out, ~std::uintptr_t{0});
}

TEST(CVector, IndexOfAndLastIndexOf) {
    CVector v;
    EXPECT_EQ(v.IndexOf(1), -1);
    EXPECT_EQ(v.LastIndexOf(1), -1);
    for (std::uintptr_t x : {5u, 1u, 5u, 2u}) v.Add(x);
    EXPECT_EQ(v.IndexOf(5), 0);
    EXPECT_EQ(v.LastIndexOf(5), 2);
    EXPECT_EQ(v.IndexOf(1, 5), 2);
    EXPECT_EQ(v.LastIndexOf(1, 5), 0);
    EXPECT_EQ(v.IndexOf(-3, 5), 0);      // start brought inside
    EXPECT_EQ(v.LastIndexOf(40, 2), 3);  // start brought inside
    EXPECT_EQ(v.IndexOf(9), -1);
}

TEST(CVector, CompactClearAndSetSize) {
    CVector v;
    for (std::uintptr_t x : {1u, 2u, 3u}) v.Add(x);
    EXPECT_EQ(v.Compact(), CVector::kOk);
    EXPECT_EQ(v.GetCapacity(), 3);
    std::uintptr_t out = 0;
    EXPECT_EQ(v.RemoveAt(2, &out), CVector::kOk);
    EXPECT_EQ(v.GetCapacity(), 10);  // the growth rule raises it again
    v.Clear();
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_EQ(v.SetSize(2), CVector::kOk);
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{1, 2}));
    EXPECT_EQ(v.SetSize(6), CVector::kOk);  // beyond: zeroed at reallocation
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{1, 2, 0, 0, 0, 0}));
    v.Clear();
    EXPECT_EQ(v.Compact(), CVector::kOk);
    EXPECT_EQ(v.GetData(), nullptr);
    EXPECT_EQ(v.GetCapacity(), 0);
}

TEST(CVectorDeathTest, NegativeSizeAsserts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CVector v;
    EXPECT_DEATH(v.SetSize(-1), "ASSERT FAILED - File: CVector, Line: 275");
}

}  // namespace
