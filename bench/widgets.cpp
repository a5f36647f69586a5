// Painting widget trees on the headless 240 x 320 back buffer, wholly dirty
// each frame as the screens leave them, beside a floor: the same picture
// drawn by bare CDrawUtil calls, label, DrawString and sprite draws. Two trees: a
// frame around a layout with twelve top rows of progress bars and spacers,
// a slider body and a two-label soft-key bar; and a menu page of a header,
// a spacer and a group of 12 select items with scroll indicators (the
// menus' sprites of the game's archive). Goals:
// each paint within 1.5 times its floor, no allocation per paint (the
// allocs_per_paint counter), and no text wrapped again when the menu is
// measured again at the same width (the wraps_per_measure counter).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/CountingNew.h"
#include "host/DDraw.h"
#include "host/Window.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/RectUtil.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "src/LocalWidgets/CFrameWidget.h"
#include "src/LocalWidgets/CLayoutWidget.h"
#include "src/LocalWidgets/CNavigatorWidget.h"
#include "src/LocalWidgets/CPageWidget.h"
#include "src/LocalWidgets/CProgressWidget.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/LocalWidgets/CSpacerWidget.h"
#include "src/CGameApp.h"
#include "src/CHighscoreTableWidget.h"
#include "tests/platform/FontTestSupport.h"
#include "tools/MenuPage.h"
#include "tools/MenuSprites.h"
#include "tools/ProgramDisplay.h"

namespace {

// A label image of one colour: each region drawn is one fill.
class SolidImage : public CImage {
public:
    SolidImage(std::int32_t width, std::int32_t height, std::uint32_t colour) : m_colour(colour) {
        m_width = width;
        m_height = height;
    }
    std::uint32_t CreateFromBmp(const std::uint8_t*, std::uint32_t, std::uint32_t, const std::uint8_t*,
                                std::uint32_t) override {
        return 0;
    }
    void DrawRegion(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t,
                    std::int32_t) override {
        CRect area(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(w),
                   static_cast<std::int16_t>(h));
        ClipRect(&area, clip);
        if (area.w > 0 && area.h > 0) CDrawUtil::FillRect(&area, m_colour);
    }

private:
    std::uint32_t m_colour;
};

constexpr std::uint32_t kBack = 0xFF041123, kFore = 0xFFFFFFFF, kHigh = 0xFF0000FF, kTrack = 0xFF202020;
constexpr int kRows = 12;

// The headless device, the platform core (whose platform code gives the
// bars their thickness) and the game's application with the menus' sprites
// from the game's archive, made before any widget.
struct Platform {
    Platform() {
        host::ResetDisplay();
        host::ResetWindowing();
        core = CCore_Win32::Create();
        ICCore::SetInstance(core);
        CApp::SetInstance(&app);
        app.Startup();
        graphics = ICGraphics2d::GetInstance();
        if (graphics == nullptr || !graphics->Init()) std::abort();
        vktools::LockForDrawing(graphics->GetRenderSurface());
        if (!vktools::OpenGameArchive(VK_GAME_ARCHIVE) || !vktools::LoadMenuSprites()) std::abort();
    }
    ~Platform() {
        app.Shutdown();  // with the graphics device
        CApp::SetInstance(nullptr);
        ICCore::SetInstance(nullptr);
        delete core;
        host::ResetWindowing();
        host::ResetDisplay();
    }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    CGameApp app;
    ICCore* core = nullptr;
    ICGraphics2d* graphics = nullptr;
};

std::vector<std::uint8_t> BackBuffer() {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    ICGraphics2d::GetInstance()->GetRenderSurface()->Lock(&bits, &pitch);
    return std::vector<std::uint8_t>(bits, bits + static_cast<std::ptrdiff_t>(pitch) * 320);
}

// Whether the floor draws the very picture the tree paints.
template <typename DrawFloor>
bool FloorDrawsThePaint(CWidget& root, DrawFloor drawFloor) {
    const CRect all(0, 0, 240, 320);
    CDrawUtil::FillRect(&all, 0);
    root.MarkDirty();
    root.Paint();
    const std::vector<std::uint8_t> painted = BackBuffer();
    CDrawUtil::FillRect(&all, 0);
    drawFloor();
    return BackBuffer() == painted;
}

struct Screen {
    Screen() : font(fonttest::FixedFont(u"BKOack", u" ", 6)), glyphs(6, 9, kFore), label(24, 10, 0xFF00C000) {
        font.font.SetImage(&glyphs);
        Build();
    }

    void Build() {
        for (CUIWidget* w : std::initializer_list<CUIWidget*>{&frame, &layout, &slider, &softkeys}) {
            w->SetColours(kBack, kFore, kHigh);
        }
        frame.SetLocalRect(CRect(0, 0, 240, 320));
        frame.SetContent(&layout);
        for (int i = 0; i < kRows / 2; ++i) {
            bars[i].SetColours(kBack, kFore, kHigh);
            bars[i].SetTrackColour(kTrack);
            bars[i].SetValue(i * 20);
            spacers[i].SetColours(kBack, kFore, kHigh);
            spacers[i].SetStyle(CSpacerWidget::kStyleLine);
            layout.SetRegion(&bars[i], CLayoutWidget::kRegionTop);
            layout.SetRegion(&spacers[i], CLayoutWidget::kRegionTop);
        }
        slider.SetTrackColour(kTrack);
        slider.SetRange(40, 100, 30);
        layout.SetRegion(&slider, CLayoutWidget::kRegionBody);
        softkeys.SetLeftImage(&label);
        softkeys.SetRightFont(&font.font);
        softkeys.SetRightText(u"Back");
        layout.SetRegion(&softkeys, CLayoutWidget::kRegionBottom);
        frame.Paint();
        frame.Paint();
    }

    // The picture of one paint as bare draws, from the laid-out geometry.
    void DrawFloor() {
        Fill(frame.GetScreenRect(), kBack);
        Fill(layout.GetScreenRect(), kBack);
        for (int i = 0; i < kRows / 2; ++i) {
            const CRect& s = bars[i].GetScreenRect();
            Fill(s, kBack);
            const CRect bar(static_cast<std::int16_t>(s.x + 1 + (s.w >> 1) - ((s.w - 2) >> 1)),
                            static_cast<std::int16_t>(s.y + 1 + (s.h >> 1) - 3), static_cast<std::int16_t>(s.w - 2), 6);
            CDrawUtil::DrawFrame(&s, &bar, kHigh, 1, 0);
            CRect inner(static_cast<std::int16_t>(bar.x + 1), static_cast<std::int16_t>(bar.y + 1),
                        static_cast<std::int16_t>(bar.w - 2), 4);
            Fill(inner, kTrack);
            inner.w = static_cast<std::int16_t>(inner.w * bars[i].GetValue() / 100);
            Fill(inner, kFore);
            const CRect& line = spacers[i].GetScreenRect();
            Fill(line, kBack);
            Fill(CRect(line.x, line.y, line.w, 2), kFore);
        }
        const CRect& body = slider.GetScreenRect();
        Fill(body, kBack);
        const CRect track(static_cast<std::int16_t>(body.x + 1), static_cast<std::int16_t>(body.y + 1), 4,
                          static_cast<std::int16_t>(body.h - 2));
        Fill(track, kTrack);
        const std::int32_t knob = std::max(track.h * 30 / 130, 320 / 8);
        Fill(CRect(track.x, static_cast<std::int16_t>(track.y + 40 * (track.h - knob) / 100), 4,
                   static_cast<std::int16_t>(knob)),
             kFore);
        const CRect& bottom = softkeys.GetScreenRect();
        Fill(bottom, kBack);
        const CRect left(bottom.x, bottom.y, static_cast<std::int16_t>(bottom.w >> 1), bottom.h);
        const CRect right(static_cast<std::int16_t>(bottom.x + left.w), bottom.y, left.w, bottom.h);
        label.Draw(&left, left.x + 3, left.y + left.h - 13);
        const std::int32_t width = font.font.Measure(u"Back", -1, -1, nullptr);
        font.font.DrawString(u"Back", -1, &right, right.x + right.w - width - 3, right.y + right.h - 14, 0);
    }

    static void Fill(const CRect& rect, std::uint32_t colour) { CDrawUtil::FillRect(&rect, colour); }

    bool FloorMatchesPaint() { return FloorDrawsThePaint(frame, [this] { DrawFloor(); }); }

    Platform platform;
    fonttest::LoadedFont font;
    SolidImage glyphs, label;
    CFrameWidget frame;
    CLayoutWidget layout;
    CProgressWidget bars[kRows / 2];
    CSpacerWidget spacers[kRows / 2];
    CSliderWidget slider;
    CSoftkeyWidget softkeys;
};

// A menu page of 120 of the 320 rows, scrolled to its middle with both
// indicators, the focused item highlighted.
struct Menu {
    static constexpr int kItems = vktools::MenuPage::kItems;
    static constexpr const char16_t* kNames[kItems] = {u"Item", u"Item", u"Item", u"Item", u"Item", u"Item",
                                                       u"Item", u"Item", u"Item", u"Item", u"Item", u"Item"};

    Menu() : font(fonttest::FixedFont(u"IMemnt", u" ", 6)), glyphs(6, 9, kFore), counting(font.font) {
        font.font.SetImage(&glyphs);
        page.Paint();
        for (int i = 0; i < kItems / 2; ++i) page.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyDown, 0);
        page.Paint();
        page.Paint();
    }
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    static const CRect& Fill(const CRect& rect, std::uint32_t colour) {
        CDrawUtil::FillRect(&rect, colour);
        return rect;
    }
    static void Bar(const CRect& r) {
        Fill(CRect(static_cast<std::int16_t>(r.x + (r.w >> 3)), r.y, static_cast<std::int16_t>(r.w - 2 * (r.w >> 3)), r.h),
             kHigh);
    }
    // A text of one line, its background or bar first.
    void Text(CTextWidget& text, const char16_t* string) {
        const CRect& r = text.GetScreenRect();
        if (text.IsFocused()) {
            Bar(r);
        } else {
            Fill(r, kBack);
        }
        counting.SetColours(text.IsFocused() ? kHigh : kBack, kFore);
        counting.DrawString(string, 4, &r, r.x - text.GetClipOffsetX(), r.y - text.GetClipOffsetY(), 0);
    }

    void DrawFloor() {
        const CRect& screen = Fill(page.GetScreenRect(), kBack);
        if (header.IsVisible()) Text(header, u"Menu");
        if (spacer.IsVisible()) Fill(spacer.GetScreenRect(), kBack);
        Fill(group.GetScreenRect(), kBack);
        for (CSelectItemWidget& item : items) {
            if (!item.IsVisible()) continue;
            if (item.IsFocused()) {
                Bar(item.GetScreenRect());
            } else {
                Fill(item.GetScreenRect(), kBack);
            }
            Text(item.GetTextWidget(), u"Item");
        }
        const auto centre = static_cast<std::int16_t>(screen.x + (screen.w >> 1));
        CRect bounds;
        up.getBounds(&bounds);
        const std::int32_t spacing = 320 / 60;
        up.setOffset(centre, static_cast<std::int16_t>(screen.y + bounds.h + spacing));
        up.drawAtOrigin();
        down.setOffset(centre, static_cast<std::int16_t>(screen.y + screen.h - spacing));
        down.drawAtOrigin();
    }

    Platform platform;
    fonttest::LoadedFont font;
    SolidImage glyphs;
    fonttest::CountingFont counting;
    vktools::MenuPage menu{&counting, u"Menu", kNames, CUIWidget::kAlignLeft | CUIWidget::kAlignTop,
                           CRect(0, 100, 240, 120)};
    CPageWidget& page = menu.page;
    CTextWidget& header = menu.header;
    CSpacerWidget& spacer = menu.spacer;
    CSelectItemGroupWidget& group = menu.group;
    CSelectItemWidget (&items)[kItems] = menu.items;
    SZ_Presenter &up = menu.up, &down = menu.down;
};

void CountAllocations(benchmark::State& state, std::size_t before) {
    state.counters["allocs_per_paint"] =
        benchmark::Counter(static_cast<double>(g_allocations - before), benchmark::Counter::kAvgIterations);
}

void BM_PaintWhollyDirtyScreen(benchmark::State& state) {
    Screen screen;
    const std::size_t before = g_allocations;
    for (auto _ : state) {
        screen.frame.MarkDirty();
        benchmark::DoNotOptimize(screen.frame.Paint());
    }
    CountAllocations(state, before);
}
BENCHMARK(BM_PaintWhollyDirtyScreen);

void BM_PaintFloor(benchmark::State& state) {
    Screen screen;
    if (!screen.FloorMatchesPaint()) state.SkipWithError("the floor draws another picture");
    for (auto _ : state) {
        screen.DrawFloor();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintFloor);

// One progress bar changes; its dirt reaches the root, whose paint redraws
// the tree.
void BM_PaintAfterOneLeafChanged(benchmark::State& state) {
    Screen screen;
    const std::size_t before = g_allocations;
    std::int32_t value = 0;
    for (auto _ : state) {
        screen.bars[3].SetValue(value = (value + 7) % 101);
        benchmark::DoNotOptimize(screen.frame.Paint());
    }
    CountAllocations(state, before);
}
BENCHMARK(BM_PaintAfterOneLeafChanged);

// The highscore screen's tree: a layout with a navigator (both arrows
// shown) in its upper region and five names and scores in a 5 x 2 table as
// its body, on the same back buffer; its floor draws the arrows, the title,
// the cells, frames and texts by bare calls. Same goals.
struct ScoreScreen {
    static constexpr std::int32_t kEntries = 5;

    ScoreScreen()
        : font(fonttest::FixedFont(u"-0123456789abcdeilnorv", u" ", 6)), glyphs(6, 9, kFore), arrow(8, 8, kHigh) {
        font.font.SetImage(&glyphs);
        for (CUIWidget* w : std::initializer_list<CUIWidget*>{&layout, &navigator, &table}) {
            w->SetColours(kBack, kFore, kHigh);
        }
        navigator.SetLeftArrowImage(&arrow);
        navigator.SetRightArrowImage(&arrow);
        navigator.SetValueCount(3);
        navigator.SetIndex(1);
        navigator.SetFont(&font.font);
        navigator.SetText(kTitle);
        layout.SetRegion(&navigator, CLayoutWidget::kRegionUpper);
        table.SetDimensions(kEntries, 2, CTableWidget::kGridOuter | CTableWidget::kGridInnerRows |
                                             CTableWidget::kGridInnerColumns);
        table.SetData(&font.font, names, scores, kEntries);
        layout.SetRegion(&table, CLayoutWidget::kRegionBody);
        layout.SetLocalRect(CRect(0, 20, 240, 110));
        layout.Paint();
    }

    // The title centred between the arrows, all centred on the row.
    void DrawNavigatorFloor() {
        const CRect& screen = navigator.GetScreenRect();
        Screen::Fill(screen, kBack);
        const std::int32_t arrowY = screen.y + ((screen.h - arrow.GetHeight()) >> 1);
        arrow.Draw(&screen, screen.x, arrowY);
        arrow.Draw(&screen, screen.x + screen.w - arrow.GetWidth(), arrowY);
        const std::int32_t height = font.font.GetHeight();
        const CRect text(static_cast<std::int16_t>(screen.x + arrow.GetWidth()),
                         static_cast<std::int16_t>(screen.y + ((screen.h - height) >> 1)),
                         static_cast<std::int16_t>(screen.w - 2 * arrow.GetWidth()), static_cast<std::int16_t>(height));
        const std::int32_t width = font.font.Measure(kTitle, -1, -1, nullptr);
        font.font.SetColours(kBack, kFore);
        font.font.DrawString(kTitle, -1, &text, text.x + (text.w >> 1) - (width >> 1), text.y, 0);
    }

    // The picture of one paint: the cells of the laid-out widths, column 0
    // taking what the scores leave.
    void DrawFloor() {
        Screen::Fill(layout.GetScreenRect(), kBack);
        DrawNavigatorFloor();
        const CRect& screen = table.GetScreenRect();
        Screen::Fill(screen, kBack);
        char16_t text[kEntries][12];
        std::int32_t widths[kEntries], scoreWidth = 0;
        for (int i = 0; i < kEntries; ++i) {
            SWPrintf(text[i], u"%i", scores[i]);
            widths[i] = font.font.Measure(text[i], -1, -1, nullptr);
            scoreWidth = std::max(scoreWidth, widths[i]);
        }
        const std::int32_t nameWidth = screen.w - 4 - (scoreWidth + 3);
        font.font.SetColours(kBack, kFore);
        for (int row = 0; row < kEntries; ++row) {
            const std::int16_t y = static_cast<std::int16_t>(screen.y + row * 14);
            for (int column = 0; column < 2; ++column) {
                const std::int16_t x = static_cast<std::int16_t>(screen.x + (column == 0 ? 0 : nameWidth + 3));
                const std::int16_t width = static_cast<std::int16_t>(column == 0 ? nameWidth : scoreWidth);
                const CRect cell(x, y, static_cast<std::int16_t>(width + 4), 15);
                CDrawUtil::DrawFrame(&screen, &cell, kFore, 1, 0);
                Screen::Fill(CRect(static_cast<std::int16_t>(x + 1), static_cast<std::int16_t>(y + 1),
                                   static_cast<std::int16_t>(width + 2), 13),
                             kBack);
                if (column == 0) {
                    font.font.DrawString(names[row], -1, &screen, x + 2, y + 2, 0);
                } else {
                    font.font.DrawString(text[row], -1, &screen, x + 2 + scoreWidth - widths[row], y + 2, 0);
                }
            }
        }
    }

    // Whether the floor draws the very picture the tree paints.
    bool FloorMatchesPaint() { return FloorDrawsThePaint(layout, [this] { DrawFloor(); }); }

    Screen screen;  // brings the platform up
    fonttest::LoadedFont font;
    SolidImage glyphs, arrow;
    static constexpr const char16_t* kTitle = u"online";
    const char16_t* names[kEntries] = {u"alice", u"bob", u"carol", u"dan", u"eve"};
    std::int32_t scores[kEntries] = {12500, 9000, 750, 40, -5};
    CLayoutWidget layout;
    CNavigatorWidget navigator;
    CHighscoreTableWidget table;
};

void BM_PaintHighscoreScreen(benchmark::State& state) {
    ScoreScreen scores;
    const std::size_t before = g_allocations;
    for (auto _ : state) {
        scores.layout.MarkDirty();
        benchmark::DoNotOptimize(scores.layout.Paint());
    }
    CountAllocations(state, before);
}
BENCHMARK(BM_PaintHighscoreScreen);

void BM_PaintHighscoreScreenFloor(benchmark::State& state) {
    ScoreScreen scores;
    if (!scores.FloorMatchesPaint()) state.SkipWithError("the floor draws another picture");
    for (auto _ : state) {
        scores.DrawFloor();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintHighscoreScreenFloor);
void BM_PaintMenu(benchmark::State& state) {
    Menu menu;
    const std::size_t before = g_allocations;
    for (auto _ : state) {
        menu.page.MarkDirty();
        benchmark::DoNotOptimize(menu.page.Paint());
    }
    CountAllocations(state, before);
}
BENCHMARK(BM_PaintMenu);

void BM_PaintMenuFloor(benchmark::State& state) {
    Menu menu;
    if (menu.page.GetScrollY() == 0 || !FloorDrawsThePaint(menu.page, [&menu] { menu.DrawFloor(); })) {
        state.SkipWithError("the floor draws another picture");
    }
    for (auto _ : state) {
        menu.DrawFloor();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintMenuFloor);

// Every text measured again at the width it was wrapped for.
void BM_MeasureMenuAgain(benchmark::State& state) {
    Menu menu;
    const int before = menu.counting.measures;
    for (auto _ : state) {
        menu.header.SetMaxLines(-1);
        for (CSelectItemWidget& item : menu.items) item.SetMaxLines(-1);
        benchmark::DoNotOptimize(menu.page.GetMeasuredHeight());
    }
    state.counters["wraps_per_measure"] =
        benchmark::Counter(menu.counting.measures - before, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MeasureMenuAgain);

}  // namespace

// The application's hooks; this program has no executor.
CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}
