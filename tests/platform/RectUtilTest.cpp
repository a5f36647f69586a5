#include <gtest/gtest.h>

#include "platform/shared/graphics/2d/RectUtil.h"

namespace {

enum class Op { Clip, Union, Trim, KeepInside };

TEST(RectUtil, ClipUnionTrimAndKeepInside) {
    struct Case {
        Op op;
        CRect rect, other, expected;
        std::int16_t margin = 0;
    };
    const CRect surface(0, 0, 120, 160);
    const Case cases[] = {
        {Op::Clip, {-10, -10, 30, 30}, surface, {0, 0, 20, 20}},
        {Op::Clip, {100, 150, 30, 30}, surface, {100, 150, 20, 10}},
        {Op::Clip, {120, 5, 5, 5}, surface, {120, 5, 0, 5}},  // starts at the right edge: no width, x kept
        {Op::Clip, {5, -30, 5, 30}, surface, {5, -30, 5, 0}},
        {Op::Clip, {10, 10, -5, 4}, surface, {10, 10, -5, 4}},  // a negative length inside stays
        {Op::Union, {0, 0, 0, 5}, {3, 3, 2, 2}, {3, 3, 2, 2}},  // empty: a copy of the other
        {Op::Union, {5, 5, 2, 2}, {-3, 8, 1, 1}, {-3, 5, 10, 4}},
        {Op::Union, {1, 2, 3, 4}, {9, 9, 7, 0}, {1, 2, 3, 4}},
        {Op::Trim, {10, 10, 20, 20}, {4, 50, 3, 3}, {16, 10, 14, 20}},   // other starts left
        {Op::Trim, {10, 10, 20, 20}, {15, 50, 6, 3}, {10, 10, 14, 20}},  // other starts right
        {Op::Trim, {10, 10, 20, 20}, {10, 7, 3, 3}, {10, 13, 20, 17}},   // same x, other above
        {Op::Trim, {10, 10, 20, 20}, {10, 12, 3, 5}, {10, 10, 20, 15}},  // same x, other below
        {Op::KeepInside, {100, 0, 30, 10}, surface, {88, 2, 30, 10}, 2},
        {Op::KeepInside, {50, 50, 200, 200}, surface, {3, 3, 200, 200}, 3},  // too big: left and top win
        {Op::KeepInside, {-5, -5, 10, 10}, {20, 30, 120, 160}, {21, 31, 10, 10}, 1},
    };
    int i = 0;
    for (const auto& c : cases) {
        CRect rect = c.rect;
        if (c.op == Op::Clip) ClipRect(&rect, &c.other);
        if (c.op == Op::Union) {
            EXPECT_EQ(RectUnion(&rect, &c.other), &rect);
        }
        if (c.op == Op::Trim) RectTrim(&rect, &c.other);
        if (c.op == Op::KeepInside) RectKeepInside(&rect, &c.other, c.margin);
        EXPECT_EQ(rect, c.expected) << "case " << i++;
    }
}

TEST(RectUtil, ContainsAndOverlaps) {
    struct Case {
        CRect a, b;
        bool contains, overlaps;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {0, 0, 10, 10}, true, true},
        {{0, 0, 10, 10}, {2, 2, 9, 3}, false, true},
        {{0, 0, 10, 10}, {10, 10, 5, 5}, false, true},  // touching corners
        {{0, 0, 10, 10}, {11, 0, 5, 5}, false, false},
        {{10, 10, 5, 5}, {0, 0, 9, 20}, false, false},
        {{32000, 0, 1000, 10}, {32700, 0, 67, 10}, true, true},  // sums beyond 16 bits
    };
    int i = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(RectContains(&c.a, &c.b), c.contains) << "case " << i;
        EXPECT_EQ(RectOverlaps(&c.a, &c.b), c.overlaps) << "case " << i++;
    }
}

}  // namespace
