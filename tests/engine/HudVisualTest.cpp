// The bar, rectangle, head-up display and text box visuals, probed in the
// headless back buffer after a frame of the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/engine/EngineWorld.h"
#include "tests/engine/GameUnitWorld.h"

namespace {

enum Type { kHud = 1, kPlayer, kP3, kBar, kRect, kColoured, kBoth, kBox = 81 };

const std::string kScript = R"(type ctl initial idle | type hud initial hud | type player initial player
type p3 initial player | type bar initial bar | type rect initial rect | type coloured initial coloured
type both initial both
)" + FillerTypes(8, 81) + R"(type box initial box | state idle
state hud | on enter | v_sz 0 0 | b_szHealthPowerId 1 2 | v_hudBar | v_combo 0 0
state player | on enter | b_health 50 100 | b_power 100 100 | b_combo 5 10 0 0 0
state bar | on enter | v_bar | state rect | on enter | v_rect
state coloured | on enter | v_color 300 0 0 1 | v_rect | state both | on enter | v_color 0 255 0 1 | v_rect | v_bar
state box | on enter | b_inGameTextBox 0 0 0 0 0 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 | v_inGameTextBox 0 0 0
)";

struct Probe {
    int x, y;
    std::uint32_t colour;
};

struct HudVisualTest : ::testing::Test {
    // A frame on grey; the probes' pixels.
    void Show(const std::vector<Probe>& probes = {}, const std::string& what = "") {
        world.Fill(0xFF808080);
        world.Tick();
        for (const Probe& p : probes) EXPECT_EQ(world.Pixel(p.x, p.y), p.colour) << what << " at " << p.x << "," << p.y;
    }
    GameUnitWorld world{kScript};
    SZ_Pool& pool = *world.client->getSpritePool();
    const std::int32_t viewWidth = world.client->getCamera()->GetViewWidth();
};

// A bar at (100, 100): 26 x 6, insets 2, red border, green background,
// blue fill; rectangles at (10, 10) 5 x 5, or under the bar.
TEST_F(HudVisualTest, BarsAndRectangles) {
    const struct {
        Type type;
        std::int32_t percent, status, alpha;
        std::vector<Probe> probes;
    } cases[] = {
        {kBar, 50, 0, 1,
         {{100, 100, kRed565}, {125, 105, kRed565}, {102, 102, kGreen565}, {123, 103, kGreen565},
          {104, 104, kBlue565}, {110, 104, kBlue565}, {111, 104, kRed565}, {104, 105, kRed565}}},
        {kBar, 0, 0, 1, {{104, 104, kRed565}, {102, 102, kGreen565}, {102, 104, kRed565}}},
        {kBar, 50, 1, 1, {{100, 100, kGrey565}, {104, 104, kGrey565}}},  // paused
        {kRect, 0, 0, 1, {{10, 10, kGrey565}}},                          // no v_color
        {kColoured, 0, 0, 1, {{10, 10, 0x2800}, {14, 14, 0x2800}, {15, 15, kGrey565}}},  // red 300 draws 44
        {kColoured, 0, 0, 0, {{10, 10, kGrey565}}},
        {kBoth, 50, 0, 1, {{100, 100, kRed565}, {96, 96, kGreen565}, {104, 104, kBlue565}}},  // the bar on top
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(c.type, 100, 100);
        if (p->findCodeSlot(83) != -1) {
            world.SetWords(p, 83, {{0, c.status}, {3, 26}, {4, 6}, {5, 2}, {6, 2}, {7, c.percent << 10},
                                   {8, 0xFF00FF00}, {9, 0xFF0000FF}, {10, 0x00FF0000}});
        }
        const int at = c.type == kBoth ? 95 : 10, size = c.type == kBoth ? 20 : 5;
        if (p->findCodeSlot(91) != -1) world.SetWords(p, 91, {{1, at}, {2, at}, {3, 2 * size}, {4, size}});
        if (p->findCodeSlot(88) != -1) world.SetWords(p, 88, {{4, c.alpha}});
        Show(c.probes, std::to_string(c.type) + " " + std::to_string(c.percent));
    }
}

// Rows 11 and 21 hold the health and power overlays (health's picture
// 10 pixels wider on the left than its box); the combo bar lies left of
// and above the view's corner less 2, its cover from the right. Frames
// allocate nothing.
TEST_F(HudVisualTest, HealthPowerAndComboFollowThePlayer) {
    const std::int32_t right = viewWidth - 2, bottom = world.client->getCamera()->GetViewHeight() - 2;
    const struct {
        std::vector<Type> players;  // the first one's words are set
        std::int32_t health, maxHealth, power, meter, maxMeter, barState, countOffset;
        int red, green, bar, cover;  // pixels in the overlays' and the bar's rows
        bool count;                  // drawn above the bar
    } cases[] = {
        {{kPlayer}, 50, 100, 100, 5, 10, -1, 0, 10, 0, 10, 10, true},
        {{kPlayer}, 0, 100, 50, 10, 10, 1, 0, 20, 10, 20, 0, true},       // full meter, hidden bar
        {{kPlayer}, 150, 100, 100, 5, 10, 1, 0, 0, 0, 0, 0, false},       // above max: empty cut
        {{kPlayer}, -50, 100, 100, 0, 10, 0, 100, 30, 0, 0, 20, false},   // negative: wider cut
        {{kPlayer}, 50, 0, 100, -10, 10, -1, 0, 0, 0, 0, 40, true},       // max 0: no cut
        {{kPlayer}, 50, 100, 100, -1, 0, -1, 0, 10, 0, 20, 0, true},      // max 0: no cover
        {{kP3}, 0, 100, 100, 5, 10, -1, 0, 20, 0, 10, 10, true},
        {{kPlayer, kP3}, 50, 100, 100, 5, 10, -1, 0, 10, 0, 10, 10, true},
        {{kP3, kPlayer}, 0, 100, 100, 5, 10, -1, 0, 10, 0, 0, 0, false},  // type 2 is preferred: fresh, hidden
        {{}, 0, 100, 100, 5, 10, -1, 0, 0, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        world.Restart();
        pool.setAnimation(world.Word(world.Make(kHud), 92, 3), 3, 0, 1);  // as a combo chooses it
        for (const Type type : c.players) world.Make(type);
        if (!c.players.empty()) {
            const AZ_Presenter* player = world.PresenterOfRow(1);
            world.SetWords(player, 20, {{1, c.health}, {2, c.maxHealth}});
            world.SetWords(player, 55, {{1, c.power}});
            // The combo paused, so that its words stay as written.
            world.SetWords(player, 74, {{0, 1}, {1, c.meter}, {2, c.maxMeter}, {5, 0}, {6, c.countOffset}});
            world.SetWords(player, 74, {{10, 7}, {11, c.barState}});
        }
        Show();
        const std::vector<int> seen = {
            40 - world.Others(0, 11, 40, 12, kRed565), 40 - world.Others(0, 21, 40, 22, kGreen565),
            60 - world.Others(right - 60, bottom - 2, right, bottom - 1, kRed565),
            60 - world.Others(right - 60, bottom - 2, right, bottom - 1, 0x5437),
            world.Others(right - 30, bottom - 30, right, bottom - 8, kGrey565) > 0};
        EXPECT_EQ(seen, (std::vector<int>{c.red, c.green, c.bar, c.cover, c.count})) << c.health << " " << c.meter;
        const std::size_t before = AllocationCount();
        Show();
        EXPECT_EQ(AllocationCount(), before);
    }
}

// The count's bottom edge lies 4 rows above the bar's place (the 4-row bar
// above the corner less 2), its right edge at that corner moved by the
// count offset. Font 2's digits leave the lowest 3 of their 10 rows blank:
// the count's lowest ink is 12 rows above the corner, and the rows down to
// the bar are clear. A bar slid down leaves the count where it is.
TEST_F(HudVisualTest, ComboCountSitsFourRowsAboveItsBar) {
    const std::int32_t right = viewWidth - 2, bottom = world.client->getCamera()->GetViewHeight() - 2;
    const struct {
        std::int32_t barOffset, countOffset;
    } cases[] = {{0, 0}, {2, 0}, {0, -10}, {1, -25}};
    for (const auto& c : cases) {
        world.Restart();
        pool.setAnimation(world.Word(world.Make(kHud), 92, 3), 3, 0, 1);
        const AZ_Presenter* player = world.Make(kPlayer);
        world.SetWords(player, 74, {{0, 1}, {1, 10}, {2, 10}, {5, c.barOffset}, {6, c.countOffset}});
        world.SetWords(player, 74, {{10, 7}, {11, -1}});
        Show({{right - 20, bottom - 4 + c.barOffset, kRed565}, {right - 20, bottom - 5 + c.barOffset, kGrey565}},
             "bar offset " + std::to_string(c.barOffset));
        // The lowest row with ink above the bar, and the rightmost ink.
        int lowest = -1, rightmost = -1;
        for (int y = bottom - 40; y < bottom - 4 + c.barOffset; ++y) {
            for (int x = right - 60; x < right + 2; ++x) {
                if (world.Pixel(x, y) == kGrey565) continue;
                lowest = y;
                rightmost = std::max(rightmost, x);
            }
        }
        EXPECT_EQ(lowest, bottom - 12) << c.barOffset << " " << c.countOffset;
        EXPECT_EQ(rightmost, right - 1 + c.countOffset) << c.barOffset << " " << c.countOffset;
    }
}

// A box of margin m and open height T on an odd view 301 high, showing
// string 2 (many lines). A key-advanced box's text area loses the 4-pixel
// marker, which sits at its lower right corner. After the frame that lays
// the page out, frames allocate nothing.
TEST_F(HudVisualTest, TextBoxLayoutFollowsItsBehaviour) {
    constexpr std::uint32_t kBox565 = 0x4AED, kStripe565 = 0x08A4;
    AZ_Map& map = world.client->getAdapter()->getMap();
    map.pixelWidth = viewWidth;
    map.pixelHeight = 301;
    world.client->getCamera()->SetupForMap(viewWidth, 1000, 1);
    const std::int32_t w = viewWidth, line = world.client->getAdapter()->getFontHeight(1);
    ASSERT_GT(line, 0);
    enum Text { kNone, kDrawn, kOneLine };
    const struct {
        std::int32_t margin, height, target, pageTime, page;
        int backdrop, blackout, closing;
        Text text;
        std::vector<Probe> probes;
    } cases[] = {
        {4, 60, 60, 0, 0, 0, 0, 0, kDrawn,  // shadow, box, panel, marker and portrait
         {{4, 4, kBox565}, {w - 5, 4, kBox565}, {w - 1, 4, kGrey565}, {w - 1, 67, kBlack565}, {w - 1, 68, kGrey565},
          {8, 8, kWhite565}, {8, 59, kWhite565}, {8, 60, kBox565}, {w - 14, 57, kYellow565}, {0, 300, kBlue565}}},
        {0, 60, 60, 0, 0, 0, 0, 0, kDrawn, {{0, 0, kWhite565}, {w - 1, 59, kWhite565}, {w - 1, 60, kGrey565}}},
        {4, 60, 60, 0, 0, 1, 1, 0, kDrawn, {{w - 1, 300, kBlack565}, {w - 1, 299, kBlack565}}},
        {4, 60, 60, 0, 0, 1, 0, 0, kDrawn,
         {{w - 1, 0, kStripe565}, {w - 1, 1, kGrey565}, {w - 1, 300, kStripe565}, {w - 1, 299, kGrey565}}},
        {4, 20, 60, 0, 0, 0, 0, 0, kNone, {{4, 23, kGrey565}, {4, 24, kBox565}, {w - 14, 57, kGrey565}}},  // opening
        {4, 60, 60, 2000, 0, 0, 0, 0, kDrawn, {{w - 14, 57, kWhite565}}},  // timed: no marker
        {4, 60, 60, 0, 50, 0, 0, 0, kNone, {}},                              // a page past the end
        {4, 16 + line + line / 2, 16 + line + line / 2, 2000, 0, 0, 0, 0, kOneLine, {}},
        {4, 16, 16, 2000, 0, 0, 0, 0, kNone, {{8, 8, kWhite565}}},  // no room for text
        {4, 60, 60, 0, 0, 1, 0, 1, kNone, {{5, 5, kGrey565}, {9, 9, kGrey565}, {0, 300, kBlue565}}},  // closing
    };
    for (const auto& c : cases) {
        world.Restart();
        world.client->getAdapter()->acquireText(2);
        const AZ_Presenter* box = world.Make(kBox);
        pool.setAnimation(world.Word(box, 93, 5), 0, 0, 0);  // the portrait, as the box's instruction sets it
        // The behaviour paused: the visual draws the words as set.
        world.SetWords(box, 76, {{0, 1}, {1, c.margin}, {4, 2}, {5, c.height}, {9, c.backdrop}, {11, c.closing},
                                 {13, -1}, {16, c.pageTime}, {19, c.target}, {20, c.blackout}});
        world.SetWords(box, 93, {{1, c.page}});
        const std::string what = std::to_string(c.margin) + " " + std::to_string(c.height) + " " +
                                 std::to_string(c.pageTime) + " " + std::to_string(c.page);
        Show(c.probes, what);
        const std::int32_t m = c.margin, y0 = m + ((c.target - c.height) >> 1);
        const std::int32_t th = c.target - 4 * m - (c.pageTime > 0 ? 0 : 4);
        const std::int32_t area = world.Word(box, 76, 14) * 1000 + world.Word(box, 76, 15);
        EXPECT_TRUE(c.closing == 1 || area == th * 1000 + w - 6 * m) << what;  // the text area's size
        if (th <= 0 || c.closing == 1) continue;
        // Text on the panel, and none below its last whole line.
        const int x0 = 3 * m, x1 = w - 3 * m, top = y0 + 2 * m, bottom = std::min(top + th, y0 + c.height - m);
        EXPECT_EQ(world.Others(x0, top, x1, bottom, kWhite565) > 0, c.text != kNone) << what;
        EXPECT_TRUE(c.text != kOneLine || world.Others(x0, top + line, x1, top + th, kWhite565) == 0) << what;
        const std::size_t before = AllocationCount();
        Show();
        EXPECT_EQ(AllocationCount(), before) << what;
    }
}

}  // namespace
