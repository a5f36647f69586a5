#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/core/CVector.h"

namespace {

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

TEST(CVector, ResultCodesLeaveTheVectorIntact) {
    CVector v;
    for (std::uintptr_t x : {1u, 2u, 3u}) v.Add(x);
    std::uintptr_t out = 77;
    const struct {
        const char* what;
        std::int32_t got;
        std::int32_t code;
    } cases[] = {
        {"insert at size+1", v.InsertAt(4, 9), CVector::kBadIndex},
        {"remove at size", v.RemoveAt(3, &out), CVector::kBadIndex},
        {"get at -1", v.Get(-1, &out), CVector::kBadIndex},
        {"remove absent", v.Remove(9), CVector::kAbsent},
        {"reserve -1", v.Reserve(-1), CVector::kBadSize},
        {"too large", v.Reserve(0x7FFFFFFF), CVector::kNoMemory},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.code) << c.what;
    EXPECT_EQ(out, 77u);
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{1, 2, 3}));
    EXPECT_EQ(v.GetCapacity(), 10);
}

TEST(CVector, InsertRemoveAndSetSize) {
    CVector v;
    for (std::uintptr_t x : {1u, 2u, 3u}) v.Add(x);
    std::uintptr_t out = 0;
    EXPECT_EQ(v.RemoveAt(0, &out), CVector::kOk);
    EXPECT_EQ(out, 1u);
    EXPECT_EQ(v.InsertAt(2, 4), CVector::kOk);  // at size: append
    EXPECT_EQ(v.InsertAt(0, ~std::uintptr_t{0}), CVector::kOk);
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{~std::uintptr_t{0}, 2, 3, 4}));
    EXPECT_EQ(v.SetSize(6), CVector::kOk);  // beyond: zeroed
    EXPECT_EQ(Elements(v), (std::vector<std::uintptr_t>{~std::uintptr_t{0}, 2, 3, 4, 0, 0}));
}

}  // namespace
