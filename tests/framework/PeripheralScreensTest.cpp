// The highscore, text-entry and critical-error screens in the running game,
// and golden frames of the tables, the image menu and the overlay drawn
// with font 0 and the archive's pictures.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CCriticalErrorScreen.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CHighscoreScreen.h"
#include "src/CResMgr.h"
#include "src/CTextEditScreen.h"
#include "src/LocalWidgets/CImageMenuWidget.h"
#include "src/LocalWidgets/CInteractiveTableWidget.h"
#include "src/LocalWidgets/COverlayWidget.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/GoldenFrame.h"
#include "tools/ResourceIds.h"

namespace {

constexpr std::uint32_t kTestTexts = 0x08000020;
constexpr std::uint32_t kTables[] = {vktools::AggregateResId(vktools::kResText, 0x20, 1),
                                     vktools::AggregateResId(vktools::kResText, 0x20, 2)};
constexpr int kAfterIntro = 13;  // 13 x 48 ms: the first step whose keys arrive

CGraphicFont* Font0() { return CGameApp::GetFontMgr()->GetFont(0); }

struct PeripheralRun : ScreenRun {
    PeripheralRun() {
        content.resources[kTestTexts] = vktools::MakeLanguageAggregate({{1, u"Weekly"}, {2, u"Online"}});
        content.manifest.aggregates.push_back(kTestTexts);
        // hs.dat: the last name, five names of all 6 characters, five scores.
        std::string record(12, '\0');
        for (const char* name : {"ashlyn", "bertil", "cosimo", "dagny_", "evanna"}) {
            for (const char* c = name; *c != 0; ++c) record += std::string{*c, '\0'};
        }
        for (const std::int32_t score : {12500, 900, 75, 3, -5}) {
            for (int i = 0; i < 32; i += 8) record += static_cast<char>(static_cast<std::uint32_t>(score) >> i);
        }
        dir.Write("hs.dat", record);
    }
    CHighscoreMgr scores;
};

using Rows = std::pair<std::vector<std::u16string>, std::vector<std::int32_t>>;
struct ScoresProbe : CHighscoreScreen {
    Rows Shown() const { return {{m_rowNames, m_rowNames + kRows}, {m_scores, m_scores + kRows}}; }
    bool HasNavigator() const { return m_layout.GetRegionWidget(CLayoutWidget::kRegionUpper) == &m_navigator; }
};

// Presses the next key every other step from the end of the intro.
void PressKeys(int n, const std::vector<WORD>& keys) {
    const int k = n - kAfterIntro;
    if (k >= 0 && k % 2 == 0 && k / 2 < static_cast<int>(keys.size())) Press(keys[k / 2]);
}

// Left and right reach the navigator, which refills the rows (table 1 has
// no entries in the manager) and names the table; the picture is taken on
// table 0, reached from table 1, whose narrow scores were measured first.
TEST(PeripheralScreens, HighscoreTablesAndTheirNavigator) {
    const Rows stored = {{u"ashlyn", u"bertil", u"cosimo", u"dagny_", u"evanna"}, {12500, 900, 75, 3, -5}};
    const Rows empty = {std::vector<std::u16string>(5, u"xxx"), std::vector<std::int32_t>(5, 0)};
    const struct {
        int count, current;
        std::vector<WORD> keys;
        std::vector<Rows> rows;  // after each key
    } cases[] = {
        {1, 0, {VK_RIGHT}, {stored}},
        {2, 1, {VK_RIGHT, VK_LEFT, VK_LEFT, VK_RIGHT}, {empty, stored, stored, empty}},
    };
    for (const auto& c : cases) {
        PeripheralRun run;
        ScoresProbe* screen = nullptr;
        run.Play([&] {
            run.scores.Load();
            screen = new ScoresProbe;
            screen->SetTables(kTables, c.count, c.current);
            screen->SetHighscoreMgr(&run.scores);
            screen->SetTitle(kTables[0]);
            screen->SetSoftkeys(0x02000247, 0x0200024E, 1, 1);
            screen->SetMargins(8, 100, 40);
            return screen;
        }, kAfterIntro + 2 * static_cast<int>(c.keys.size()), [&](int n) {
            const int k = n - kAfterIntro;
            if (k > 0 && k % 2 == 1) {
                EXPECT_TRUE(screen->Shown() == c.rows[k / 2]) << c.count << " " << k / 2;
                EXPECT_TRUE(k != 3 || c.count == 1 || MatchesGoldenFrame("highscore"));
            }
            EXPECT_EQ(screen->HasNavigator(), c.count > 1);
            PressKeys(n, c.keys);
        });
    }
}

// The letters come upper case: the screen locks the case.
TEST(PeripheralScreens, TextEntryHandsBackItsTextAfterAccept) {
    const struct {
        std::uint32_t mode;
        std::function<void(CTextEditScreen&)> initial;
        std::vector<WORD> keys;
        std::u16string text;
        std::int32_t number;
        bool golden;  // after the first key, and once its 1000 ms have passed
    } cases[] = {
        {2, [](CTextEditScreen& s) { s.SetInitialNumber(-42); }, {'7', VK_RETURN}, u"-427", -427, false},
        {1, [](CTextEditScreen& s) { s.SetInitialText(u"ab"); }, {'3', '3', '4', VK_RETURN}, u"abEG", 0, true},
    };
    for (const auto& c : cases) {
        PeripheralRun run;
        CTextEditScreen* screen = nullptr;
        const int last = kAfterIntro + 2 * static_cast<int>(c.keys.size());
        run.Play([&] {
            screen = new CTextEditScreen;
            screen->Setup(kTables[0], c.mode, 10);
            c.initial(*screen);
            screen->SetMargins(8, 100, 100);
            return screen;
        }, last + 16, [&](int n) {
            PressKeys(n, c.keys);
            if (c.golden && (n == kAfterIntro + 2 || n == last + 16)) {
                EXPECT_TRUE(MatchesGoldenFrame(n == last + 16 ? "text-entry-cursor" : "text-entry-pending"));
            }
            if (n != last) return;
            std::int32_t number = 99;
            EXPECT_EQ(screen->GetResult(), 1);
            EXPECT_TRUE(screen->GetText() == c.text);
            EXPECT_EQ(screen->GetNumber(&number), 0);
            EXPECT_EQ(number, c.number);
        });
    }
}

struct ErrorScreen : CCriticalErrorScreen {
    std::uint8_t OnWidgetCommand(std::uint32_t, CWidget*) override { return 0; }
};

TEST(PeripheralScreens, CriticalErrorEndsWhenItsTimeoutHasPassed) {
    for (const std::int32_t timeout : {3000, 0, -1}) {
        PeripheralRun run;
        ErrorScreen* screen = nullptr;
        run.Play([&] {
            screen = new ErrorScreen;
            screen->Setup(Font0(), u"The archive is damaged.", timeout);
            return screen;
        }, 70, [&](int n) {
            // 63 x 48 ms is the first step past 3000 ms.
            EXPECT_EQ(screen->GetResult(), timeout > 0 && n >= 63 ? 1 : 0) << n << " " << timeout;
        });
    }
}

// Words in font 0; each column as wide as the widest word.
template <class Base>
struct WordTable : Base {
    WordTable(int rows, int columns, std::uint32_t style, CRect place) {
        this->SetDimensions(rows, columns, style);
        this->SetColours(CWidgetScreen::kBackground, CWidgetScreen::kForeground, CWidgetScreen::kHighlight);
        this->SetHeaderRowColours(0xFF303850, 0xFFFFD24A);
        this->SetSelectedRow(2);
        this->SetFocusable(true);
        this->Focus(true);
        this->SetLocalRect(place);
    }
    static const char16_t* Word(int row, int column) {
        static const char16_t* const words[] = {u"ash", u"elm", u"fir", u"oak", u"yew", u"willow", u"bay"};
        return words[(row * 5 + column) % 7];
    }
    std::int32_t GetRowHeight() const override { return Font0()->GetHeight(); }
    std::int32_t GetColumnWidth(std::int32_t) const override { return Font0()->Measure(u"willow", -1, -1, nullptr); }
    void DrawCellContent(const CRect& clip, std::int32_t x, std::int32_t y, std::int32_t row, std::int32_t column) override {
        Font0()->SetColours(this->GetCellBackground(row, column), this->GetCellTextColour(row, column));
        Font0()->DrawString(Word(row, column), -1, &clip, x, y, 0);
    }
};

// Widgets without a parent, painted over a cleared screen every frame: the
// tables in styles 7, 1 and 15, the paged table with fixed headers and
// both bars, the image menu focused and an overlay, with the archive's
// images (taken at Init, given back at Exit).
struct Board : CNode {
    static constexpr std::uint32_t kIds[] = {0x02000246, 0x02000254, 0x0200024E, 0x02000247, 0x02000251};
    CSliderWidget bars[2];  // outlive the table
    WordTable<CTableWidget> tables[3] = {{3, 3, 7, CRect(4, 4, 120, 41)}, {3, 3, 1, CRect(4, 50, 120, 41)},
                                         {3, 3, 15, CRect(4, 96, 120, 41)}};
    WordTable<CInteractiveTableWidget> pages{12, 6, 7, CRect(4, 145, 232, 90)};
    CImageMenuWidget menu;
    COverlayWidget overlay;

    std::int32_t Init() override {
        CImage* images[5];
        for (int i = 0; i < 5; ++i) images[i] = CGameApp::GetResMgr()->GetImage(kIds[i], 0);
        pages.SetHeaderColumnColours(0xFF303850, 0xFF8FD3FF);
        pages.SetFixedHeaderRow(true);
        pages.SetFixedHeaderColumn(true);
        for (CSliderWidget& bar : bars) {
            bar.SetColours(0xFF202838, 0xFF4AC0FF, 0xFF4AC0FF);
            bar.SetThickness(6);
        }
        pages.SetVerticalScrollBar(&bars[0]);
        pages.SetHorizontalScrollBar(&bars[1]);
        for (int i = 0; i < 7; ++i) menu.AddImage(images[i % 4]);
        menu.SetMaxColumns(3);
        menu.SetSelectedIndex(4);
        menu.SetColours(CWidgetScreen::kBackground, CWidgetScreen::kForeground, 0xFFFF9600);
        menu.SetFocusable(true);
        menu.Focus(true);
        menu.SetLocalRect(CRect(130, 4, 106, 133));
        overlay.SetImage(images[4]);
        auto* arrow = new COverlayWidgetDrawImage;
        arrow->SetImage(images[1]);
        arrow->offsetX = 84;
        auto* text = new COverlayWidgetDrawText;
        text->SetFont(Font0());
        text->SetText(u"Peaks");
        overlay.AddItem(arrow);
        overlay.AddItem(text);
        overlay.SetLocalRect(CRect(72, 242, 96, 69));
        return 0;
    }
    void Exit() override {
        for (const std::uint32_t id : kIds) CGameApp::GetResMgr()->Release(id, 0);
    }
    std::uint8_t Draw() override {
        const CRect all(0, 0, 240, 320);
        CDrawUtil::FillRect(&all, 0xFF000000);
        for (CWidget* widget : std::initializer_list<CWidget*>{&pages, &tables[0], &tables[1], &tables[2], &menu, &overlay}) {
            widget->MarkDirty();
            widget->Paint();
        }
        return 1;
    }
};

TEST(PeripheralScreens, WidgetsGoldenFrame) {
    PeripheralRun run;
    run.Play([] { return new Board; }, 1, [](int n) { EXPECT_TRUE(n != 1 || MatchesGoldenFrame("widgets-peripheral")); });
}

}  // namespace
