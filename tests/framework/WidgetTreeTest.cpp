// Widget trees in the running game: a screen node on the root node builds
// its tree from font 0 and the soft-key labels of the sample archive, hands
// it the keys and paints it every frame. The commands the tree raises come
// back through the event queue; the pictures are golden frames.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

#include "host/Window.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/LocalWidgets/CFrameWidget.h"
#include "src/LocalWidgets/CLayoutWidget.h"
#include "src/LocalWidgets/CProgressWidget.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/LocalWidgets/CSpacerWidget.h"
#include "src/LocalWidgets/CTickerWidget.h"
#include "src/LocalWidgets/CVerticalContainerWidget.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/GameRun.h"
#include "tests/support/GoldenFrame.h"

namespace {

constexpr std::uint32_t kAcceptLabel = 0x0200024E;
constexpr std::uint32_t kBackLabel = 0x02000247;
constexpr std::uint32_t kBackground = 0xFF041123, kText = 0xFFFFFFFF, kGold = 0xFFFFD24A, kTrack = 0xFF303850;
constexpr std::uint32_t kFill = 0xFF4AC0FF, kBar = 0xFF202838;

// An event the screen received and how many frames it had updated by then.
struct Received {
    std::uint32_t id;
    std::uintptr_t param;  // the key of a key press, else p32
    int updates;
    bool operator==(const Received&) const = default;
};
void PrintTo(const Received& r, std::ostream* out) { *out << std::hex << r.id << " " << r.param << " " << r.updates; }

// A screen of widgets as the game's screens will be: the gauges screen
// (a frame round a layout: three progress bars and a spacer line on top, a
// horizontal and a vertical slider in the body, an image and a text label
// on the soft-key bar) or the ticker screen (a ticker on top, the back
// label on the bar). The labels and the font are the game's.
class WidgetScreen : public CNode {
public:
    explicit WidgetScreen(bool ticker) : m_ticker(ticker) {}

    std::int32_t Init() override {
        m_accept = CGameApp::GetResMgr()->GetImage(kAcceptLabel, 0);
        m_back = CGameApp::GetResMgr()->GetImage(kBackLabel, 0);
        CGraphicFont* font = CGameApp::GetFontMgr()->GetFont(0);
        if (m_accept == nullptr || m_back == nullptr || font == nullptr) return 1;
        std::int32_t width = 0, height = 0;
        ICGraphics2d::GetInstance()->GetRenderSurface()->GetSize(&width, &height);
        Root().SetLocalRect(CRect(0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)));
        if (m_ticker) {
            BuildTicker(font);
        } else {
            BuildGauges(font);
        }
        return 0;
    }
    void Exit() override {
        if (m_accept != nullptr) CGameApp::GetResMgr()->Release(kAcceptLabel, 0);
        if (m_back != nullptr) CGameApp::GetResMgr()->Release(kBackLabel, 0);
        m_accept = m_back = nullptr;
    }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) override {
        if (id == EVENT_WIDGET_ACCEPT || id == EVENT_WIDGET_BACK) return received.push_back({id, p32, updates}), 1;
        if (id == EVENT_KEY_PRESS) received.push_back({id, p16, updates});
        return Root().DispatchEvent(id, p16, p32) ? 1 : 0;
    }
    std::uint32_t Update(std::uint32_t dt) override {
        ++updates;
        Root().UpdateIfEnabled(dt);
        return CNode::Update(dt);
    }
    // Wholly dirty every frame, as the screens leave their trees.
    std::uint8_t Draw() override {
        Root().MarkDirty();
        return Root().Paint() ? 1 : 0;
    }
    CWidget& Root() { return m_ticker ? static_cast<CWidget&>(tickerLayout) : frame; }

    std::vector<Received> received;
    int updates = 0;
    CFrameWidget frame;
    CLayoutWidget layout, tickerLayout;
    CProgressWidget bars[3];
    CSpacerWidget gaps[5];  // after each bar, the line under them, between the sliders
    CVerticalContainerWidget body;
    CSliderWidget across, down;
    CSoftkeyWidget softkeys;
    CTickerWidget ticker;

private:
    void BuildGauges(CGraphicFont* font) {
        // As the widget screens build theirs: a focused, selected frame
        // round a focusable layout.
        for (CUIWidget* widget : std::initializer_list<CUIWidget*>{&frame, &layout}) {
            widget->SetFocusable(true);
            widget->SetSelectable(true);
        }
        frame.SetContent(&layout);
        frame.Focus(true);
        frame.Select(true);
        layout.SetMargins(6, 4);
        for (CUIWidget* widget : std::initializer_list<CUIWidget*>{&frame, &layout, &body, &across, &down}) {
            widget->SetColours(kBackground, kText, kGold);
        }
        for (CSpacerWidget& gap : gaps) {
            gap.SetColours(kBackground, kText, kGold);
            gap.SetHeight(4);
        }
        for (int i = 0; i < 3; ++i) {
            bars[i].SetColours(kBackground, kFill, kGold);
            bars[i].SetTrackColour(kTrack);
            bars[i].SetValue(i * 50);
            layout.SetRegion(&bars[i], CLayoutWidget::kRegionTop);
            layout.SetRegion(&gaps[i], CLayoutWidget::kRegionTop);
        }
        gaps[3].SetStyle(CSpacerWidget::kStyleLine);
        gaps[3].SetHeight(2);
        layout.SetRegion(&gaps[3], CLayoutWidget::kRegionTop);
        across.SetHorizontal(1);
        across.SetRange(25, 100, 50);
        down.SetRange(60, 100, 30);
        for (CSliderWidget* slider : {&across, &down}) {
            slider->SetThickness(10);
            slider->SetTrackColour(kTrack);
        }
        body.AddChild(&across, 0);
        body.AddChild(&gaps[4], 1);
        body.AddChild(&down, 2);
        layout.SetRegion(&body, CLayoutWidget::kRegionBody);
        softkeys.SetColours(kBar, kText, kGold);
        softkeys.SetLeftImage(m_accept);
        softkeys.SetRightFont(font);
        softkeys.SetRightText(u"Back");
        layout.SetRegion(&softkeys, CLayoutWidget::kRegionBottom);
    }
    void BuildTicker(CGraphicFont* font) {
        tickerLayout.SetColours(kBackground, kText, kGold);
        ticker.SetColours(kBar, kText, kGold);
        ticker.SetFont(font);
        ticker.SetText(u"News of Velkorin: the ticker enters at the right edge and leaves at the left.");
        tickerLayout.SetRegion(&ticker, CLayoutWidget::kRegionTop);
        softkeys.SetColours(kBar, kText, kGold);
        softkeys.SetRightImage(m_back);
        tickerLayout.SetRegion(&softkeys, CLayoutWidget::kRegionBottom);
    }

    bool m_ticker;
    CSoftwareImage* m_accept = nullptr;
    CSoftwareImage* m_back = nullptr;
};

// Puts a new screen on the root node, as a scene will.
WidgetScreen* PushScreen(bool ticker) {
    auto* screen = new WidgetScreen(ticker);
    EXPECT_EQ(PushOnRoot(screen), 0);
    return screen;
}

// Paints the tree onto the back buffer as the frame's Draw does; the game
// draws only its notice while the screen is in landscape.
void PaintOnBackBuffer(CWidget& root) {
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
    root.MarkDirty();
    root.Paint();
    surface->Unlock();
}

TEST(WidgetTree, SoftKeysRaiseCommandsHandledInTheSamePass) {
    GameRun run;
    WidgetScreen* screen = nullptr;
    const struct {
        WORD key;
        std::uint32_t command;
    } presses[] = {{VK_F1, EVENT_WIDGET_ACCEPT}, {VK_F2, EVENT_WIDGET_BACK}};
    EXPECT_EQ(run.Run([&](int tick) {
        if (tick == 1) screen = PushScreen(false);
        if (tick >= 2 && tick < 4) host::InjectKey(presses[tick - 2].key, true);
        if (tick != 4) return;
        // The command carries the bar's whole address, which lies above
        // 4 GiB, and reaches the screen before its next update.
        const std::uintptr_t bar = WidgetParam(&screen->softkeys);
        ASSERT_GT(bar, std::uintptr_t{0xFFFFFFFF});
        const std::vector<Received> expected = {{EVENT_KEY_PRESS, 15, 1},
                                                {presses[0].command, bar, 1},
                                                {EVENT_KEY_PRESS, 16, 2},
                                                {presses[1].command, bar, 2}};
        EXPECT_EQ(screen->received, expected);
    }, 4), 0);
}

TEST(WidgetTree, GoldenFrames) {
    const struct {
        const char* golden;
        bool landscape, ticker;
        int updates;  // frames the screen has run when the picture is taken
    } cases[] = {
        {"widgets-gauges", false, false, 1},
        {"widgets-gauges-landscape", true, false, 0},
        {"widgets-ticker", false, true, 30},
    };
    for (const auto& c : cases) {
        GameRun run;
        // Portrait and landscape places differ from the bar's margin.
        run.dir.Write("softkey.conf", "LSK_PORTRAIT_X=6\nRSK_PORTRAIT_X=8\nLSK_LANDSCAPE_X=24\nRSK_LANDSCAPE_X=40\n");
        if (c.landscape) std::swap(run.window.screenWidth, run.window.screenHeight);
        WidgetScreen* screen = nullptr;
        bool compared = false;
        EXPECT_EQ(run.Run([&](int tick) {
            if (tick == 1) screen = PushScreen(c.ticker);
            if (screen == nullptr || screen->updates != c.updates || compared) return;
            if (c.landscape) PaintOnBackBuffer(screen->Root());
            EXPECT_TRUE(MatchesGoldenFrame(c.golden));
            compared = true;
        }, c.updates + 2), 0);
        EXPECT_TRUE(compared) << c.golden;
    }
}

}  // namespace
