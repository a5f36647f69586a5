// The bar, rectangle, head-up display and text box visuals, probed in the
// headless back buffer after a frame of the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "src/actionZel/cc/v_bar.h"
#include "src/actionZel/cc/v_rect.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/GameUnitWorld.h"

namespace {

enum Type { kHud = 1, kPlayer, kP3, kBar, kRect, kColoured, kBoth, kBox = 81 };

std::string Script() {
    std::string text = R"(
type ctl initial idle | type hud initial hud | type player initial player | type p3 initial player
type bar initial bar | type rect initial rect | type coloured initial coloured | type both initial both
)" + FillerTypes(8, 81) + R"(type box initial box
state idle
state hud
on enter | v_sz 0 0 | b_szHealthPowerId 1 2 | v_hudBar | v_combo 0 0
state player
on enter | b_health 50 100 | b_power 100 100 | b_combo 5 10 0 0 0
state bar
on enter | v_bar
state rect
on enter | v_rect
state coloured
on enter | v_color 300 0 0 1 | v_rect
state both
on enter | v_color 0 255 0 1 | v_rect | v_bar
state box
on enter | b_inGameTextBox 0 0 0 0 0 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 | v_inGameTextBox 0 0 0
)";
    return std::regex_replace(text, std::regex(" \\| "), "\n");
}

struct Probe {
    int x, y;
    std::uint32_t colour;
};
constexpr std::uint32_t kDark565 = 0x2800;  // red 44

struct HudVisualTest : ::testing::Test {
    // A frame on grey.
    void Show() {
        world.Fill(0xFF808080);
        world.Tick();
    }
    void ExpectProbes(const std::vector<Probe>& probes, const std::string& what) const {
        for (const Probe& p : probes) {
            EXPECT_EQ(world.Pixel(p.x, p.y), p.colour) << what << " at " << p.x << "," << p.y;
        }
    }
    GameUnitWorld world{Script()};
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
        {kBar, 50, 1, 1, {{100, 100, kGrey565}, {104, 104, kGrey565}}},
        {kRect, 0, 0, 1, {{10, 10, kGrey565}}},
        {kColoured, 0, 0, 1, {{10, 10, kDark565}, {14, 14, kDark565}, {15, 15, kGrey565}}},
        {kColoured, 0, 0, 0, {{10, 10, kGrey565}}},
        {kBoth, 50, 0, 1, {{100, 100, kRed565}, {96, 96, kGreen565}, {104, 104, kBlue565}}},
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(c.type, 100, 100);
        if (const std::int32_t bar = p->findCodeSlot(83); bar != -1) {
            for (const auto& [set, value] : std::vector<std::pair<void (*)(std::int32_t, std::int32_t), int>>{
                     {v_bar_setWidth, 26}, {v_bar_setHeight, 6}, {v_bar_setInsetX, 2}, {v_bar_setInsetY, 2},
                     {v_bar_setFill, c.percent << 10}, {v_bar_setBackgroundColour, 0xFF00FF00},
                     {v_bar_setFillColour, 0xFF0000FF}, {v_bar_setBorderColour, 0x00FF0000}}) {
                set(bar, value);
            }
            world.SetWords(p, 83, {{0, c.status}});
        }
        if (const std::int32_t rect = p->findCodeSlot(91); rect != -1) {
            const bool under = c.type == kBoth;
            v_rect_setX(rect, under ? 95 : 10);
            v_rect_setY(rect, under ? 95 : 10);
            v_rect_setWidth(rect, under ? 40 : 5);
            v_rect_setHeight(rect, under ? 20 : 5);
        }
        if (p->findCodeSlot(88) != -1) world.SetWords(p, 88, {{4, c.alpha}});
        Show();
        ExpectProbes(c.probes, std::to_string(c.type) + " " + std::to_string(c.percent));
    }
}

// The health overlay's rectangle spans x 0-29 over its box 10-29 in row
// 11, the power overlay's 10-29 in row 21; the combo bar lies left of and
// above the view's corner less 2, its cover from the right.
TEST_F(HudVisualTest, HealthPowerAndComboFollowThePlayer) {
    const std::int32_t right = viewWidth - 2, bottom = world.client->getCamera()->GetViewHeight() - 2;
    constexpr std::uint32_t kCover = 0x5437;
    const struct {
        std::vector<Type> players;  // the first one's words are set
        std::int32_t health, maxHealth, power, meter, maxMeter, barState, countOffset;
        int red, green;        // overlay pixels in rows 11 and 21
        int bar, cover;        // combo bar and cover pixels in its row
        bool count;            // the count drawn above the bar
    } cases[] = {
        {{kPlayer}, 50, 100, 100, 5, 10, -1, 0, 10, 0, 10, 10, true},
        {{kPlayer}, 0, 100, 50, 10, 10, 1, 0, 20, 10, 20, 0, true},     // full meter, hidden bar
        {{kPlayer}, 150, 100, 100, 5, 10, 1, 0, 0, 0, 0, 0, false},     // above max: empty cut
        {{kPlayer}, -50, 100, 100, 0, 10, 0, 100, 30, 0, 0, 20, false},  // negative: wider cut
        {{kPlayer}, 50, 0, 100, -10, 10, -1, 0, 0, 0, 0, 40, true},      // max 0 draws no cut
        {{kPlayer}, 50, 100, 100, -1, 0, -1, 0, 10, 0, 20, 0, true},     // max 0 draws no cover
        {{kP3}, 0, 100, 100, 5, 10, -1, 0, 20, 0, 10, 10, true},
        {{kPlayer, kP3}, 50, 100, 100, 5, 10, -1, 0, 10, 0, 10, 10, true},  // type 2 first
        {{kP3, kPlayer}, 0, 100, 100, 5, 10, -1, 0, 10, 0, 10, 10, true},   // p3's words are not read
        {{}, 0, 100, 100, 5, 10, -1, 0, 0, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* hud = world.Make(kHud);
        pool.setAnimation(world.Word(hud, 92, 3), 3, 0, 1);  // as a combo chooses it
        for (const Type type : c.players) world.Make(type);
        if (!c.players.empty()) {
            const AZ_Presenter* player = world.PresenterOfRow(1);
            world.SetWords(player, 20, {{1, c.health}, {2, c.maxHealth}});
            world.SetWords(player, 55, {{1, c.power}});
            world.SetWords(player, 74, {{1, c.meter}, {2, c.maxMeter}, {6, c.countOffset}, {10, 7}, {11, c.barState}});
        }
        Show();
        const std::string what = std::to_string(c.health) + " " + std::to_string(c.meter);
        EXPECT_EQ(40 - world.Others(0, 11, 40, 12, kRed565), c.red) << what;
        EXPECT_EQ(40 - world.Others(0, 21, 40, 22, kGreen565), c.green) << what;
        EXPECT_EQ(60 - world.Others(right - 60, bottom - 2, right, bottom - 1, kRed565), c.bar) << what;
        EXPECT_EQ(60 - world.Others(right - 60, bottom - 2, right, bottom - 1, kCover), c.cover) << what;
        EXPECT_EQ(world.Others(right - 30, bottom - 30, right, bottom - 8, kGrey565) > 0, c.count) << what;
    }
}

// A text box of margin m and open height T on an odd view 301 high; text
// string 2 (many lines). A key-advanced box's text area loses the 4-pixel
// marker, which sits at its lower right corner.
TEST_F(HudVisualTest, TextBoxLayoutFollowsItsBehaviour) {
    constexpr std::uint32_t kBox565 = 0x4AED, kStripe565 = 0x08A4;
    constexpr std::int32_t kViewHeight = 301;
    AZ_Map& map = world.client->getAdapter()->getMap();
    map.pixelWidth = viewWidth;
    map.pixelHeight = kViewHeight;
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
        {4, 60, 60, 0, 0, 0, 0, 0, kDrawn,  // shadow, box, panel and marker
         {{4, 4, kBox565}, {w - 5, 4, kBox565}, {w - 1, 4, kGrey565}, {w - 1, 67, kBlack565}, {w - 1, 68, kGrey565},
          {8, 8, kWhite565}, {8, 59, kWhite565}, {8, 60, kBox565}, {w - 14, 57, kYellow565}, {0, 300, kBlue565}}},
        {0, 60, 60, 0, 0, 0, 0, 0, kDrawn, {{0, 0, kWhite565}, {w - 1, 59, kWhite565}, {w - 1, 60, kGrey565}}},
        {4, 60, 60, 0, 0, 1, 1, 0, kDrawn, {{w - 1, 300, kBlack565}, {w - 1, 299, kBlack565}}},
        {4, 60, 60, 0, 0, 1, 0, 0, kDrawn,
         {{w - 1, 0, kStripe565}, {w - 1, 1, kGrey565}, {w - 1, 300, kStripe565}, {w - 1, 299, kGrey565}}},
        {4, 20, 60, 0, 0, 0, 0, 0, kNone,  // opening: centred, no text or marker
         {{4, 23, kGrey565}, {4, 24, kBox565}, {8, 28, kWhite565}, {w - 14, 57, kGrey565}}},
        {4, 60, 60, 2000, 0, 0, 0, 0, kDrawn, {{w - 14, 57, kWhite565}}},  // timed: no marker
        {4, 60, 60, 0, 50, 0, 0, 0, kNone, {}},                              // a page past the end
        {4, 16 + line + line / 2, 16 + line + line / 2, 2000, 0, 0, 0, 0, kOneLine, {}},  // whole lines
        {4, 16, 16, 2000, 0, 0, 0, 0, kNone, {{8, 8, kWhite565}}},  // no text area
        {4, 60, 60, 0, 0, 1, 0, 1, kNone, {{5, 5, kGrey565}, {9, 9, kGrey565}, {0, 300, kBlue565}, {w - 1, 0, kStripe565}}},
    };
    for (const auto& c : cases) {
        world.Restart();
        world.client->getAdapter()->acquireText(2);
        const AZ_Presenter* box = world.Make(kBox);
        pool.setAnimation(world.Word(box, 93, 5), 0, 0, 0);  // the portrait, as the box's instruction sets it
        world.SetWords(box, 76, {{1, c.margin}, {4, 2}, {5, c.height}, {9, c.backdrop}, {11, c.closing}, {12, 0},
                                 {13, -1}, {16, c.pageTime}, {19, c.target}, {20, c.blackout}});
        world.SetWords(box, 93, {{1, c.page}});
        Show();
        const std::string what = std::to_string(c.margin) + " " + std::to_string(c.height) + " " +
                                 std::to_string(c.pageTime) + " " + std::to_string(c.page);
        ExpectProbes(c.probes, what);
        const std::int32_t m = c.margin, y0 = m + ((c.target - c.height) >> 1);
        const std::int32_t th = c.target - 4 * m - (c.pageTime > 0 ? 0 : 4);
        if (c.closing == 0) {
            EXPECT_EQ(world.Word(box, 76, 14), th) << what;
            EXPECT_EQ(world.Word(box, 76, 15), w - 6 * m) << what;
        }
        if (th <= 0 || c.closing == 1) continue;
        // Text on the panel, and none below its last whole line.
        const int x0 = 3 * m, x1 = w - 3 * m, top = y0 + 2 * m, bottom = std::min(top + th, y0 + c.height - m);
        EXPECT_EQ(world.Others(x0, top, x1, bottom, kWhite565) > 0, c.text != kNone) << what;
        if (c.text == kOneLine) {
            EXPECT_EQ(world.Others(x0, top + line, x1, top + th, kWhite565), 0) << what;
        }
    }
}

// The head-up display and an open key-advanced box over its backdrop:
// after the frame that lays the page out, frames allocate nothing.
TEST_F(HudVisualTest, HudAndTextBoxFramesAllocateNothing) {
    pool.setAnimation(world.Word(world.Make(kHud), 92, 3), 3, 0, 1);
    world.Make(kPlayer);
    world.client->getAdapter()->acquireText(2);
    const AZ_Presenter* box = world.Make(kBox);
    world.SetWords(box, 76, {{1, 4}, {4, 2}, {5, 60}, {9, 1}, {13, -1}, {19, 60}});
    Show();
    const std::size_t before = AllocationCount();
    for (int frame = 0; frame < 50; ++frame) Show();
    EXPECT_EQ(AllocationCount(), before);
}

}  // namespace
