#include <gtest/gtest.h>

#include "platform/shared/graphics/2d/RectUtil.h"
#include "tests/support/RectPrint.h"

namespace {

struct BinaryCase {
    CRect rect, other, expected;
};

TEST(ClipRect, ClipsEachAxis) {
    const CRect surface(0, 0, 120, 160);
    const BinaryCase cases[] = {
        {{-10, -10, 30, 30}, surface, {0, 0, 20, 20}},
        {{100, 150, 30, 30}, surface, {100, 150, 20, 10}},
        {{10, 20, 5, 6}, surface, {10, 20, 5, 6}},
        {{120, 5, 5, 5}, surface, {120, 5, 0, 5}},     // starts at the right edge: no width, x kept
        {{5, -30, 5, 30}, surface, {5, -30, 5, 0}},     // ends at the top edge
        {{-50, -50, 300, 300}, surface, {0, 0, 120, 160}},
        {{10, 10, -5, 4}, surface, {10, 10, -5, 4}},  // a negative length inside stays
        {{10, 10, 20, 20}, {15, 12, 2, 3}, {15, 12, 2, 3}},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        ClipRect(&rect, &c.other);
        EXPECT_EQ(rect, c.expected) << testing::PrintToString(c.rect);
    }
}

TEST(RectUnion, BoundingBoxOrCopy) {
    const BinaryCase cases[] = {
        {{0, 0, 0, 5}, {3, 3, 2, 2}, {3, 3, 2, 2}},
        {{0, 0, 4, 4}, {2, 2, 4, 4}, {0, 0, 6, 6}},
        {{5, 5, 2, 2}, {-3, 8, 1, 1}, {-3, 5, 10, 4}},
        {{1, 2, 3, 4}, {9, 9, 0, 7}, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, {9, 9, 7, 0}, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        EXPECT_EQ(RectUnion(&rect, &c.other), &rect);
        EXPECT_EQ(rect, c.expected) << testing::PrintToString(c.rect);
    }
}

TEST(RectContainsAndOverlaps, EdgesCount) {
    struct Case {
        CRect a, b;
        bool contains, overlaps;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {0, 0, 10, 10}, true, true},
        {{0, 0, 10, 10}, {2, 2, 3, 3}, true, true},
        {{0, 0, 10, 10}, {2, 2, 9, 3}, false, true},
        {{0, 0, 10, 10}, {-1, 2, 3, 3}, false, true},
        {{0, 0, 10, 10}, {10, 10, 5, 5}, false, true},  // touching corners
        {{0, 0, 10, 10}, {11, 0, 5, 5}, false, false},
        {{0, 0, 10, 10}, {0, 11, 5, 5}, false, false},
        {{10, 10, 5, 5}, {0, 0, 10, 10}, false, true},
        {{10, 10, 5, 5}, {0, 0, 9, 20}, false, false},
        {{32000, 0, 1000, 10}, {32700, 0, 67, 10}, true, true},  // sums beyond 16 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " " + testing::PrintToString(c.b));
        EXPECT_EQ(RectContains(&c.a, &c.b), c.contains);
        EXPECT_EQ(RectOverlaps(&c.a, &c.b), c.overlaps);
    }
}

TEST(RectKeepInside, MovesInsideWithMargins) {
    struct Case {
        CRect rect, bounds;
        std::int16_t margin;
        CRect expected;
    };
    const Case cases[] = {
        {{100, 0, 30, 10}, {0, 0, 120, 160}, 2, {88, 2, 30, 10}},
        {{10, 10, 30, 10}, {0, 0, 120, 160}, 2, {10, 10, 30, 10}},
        {{10, 155, 30, 10}, {0, 0, 120, 160}, 0, {10, 150, 30, 10}},
        {{50, 50, 200, 200}, {0, 0, 120, 160}, 3, {3, 3, 200, 200}},  // too big: left and top win
        {{-5, -5, 10, 10}, {20, 30, 120, 160}, 1, {21, 31, 10, 10}},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        RectKeepInside(&rect, &c.bounds, c.margin);
        EXPECT_EQ(rect, c.expected) << testing::PrintToString(c.rect);
    }
}

TEST(RectTrim, OneAxisAtATime) {
    const BinaryCase cases[] = {
        {{10, 10, 20, 20}, {4, 50, 3, 3}, {16, 10, 14, 20}},   // other starts left: cut by the distance
        {{10, 10, 20, 20}, {15, 50, 6, 3}, {10, 10, 14, 20}},  // other starts right: cut by its width
        {{10, 10, 20, 20}, {10, 7, 3, 3}, {10, 13, 20, 17}},   // same x, other above
        {{10, 10, 20, 20}, {10, 12, 3, 5}, {10, 10, 20, 15}},  // same x, other below
        {{10, 10, 20, 20}, {10, 10, 3, 5}, {10, 10, 20, 20}},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        RectTrim(&rect, &c.other);
        EXPECT_EQ(rect, c.expected) << testing::PrintToString(c.other);
    }
}

}  // namespace
