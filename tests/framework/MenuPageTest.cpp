// A menu page in the running game: a node of the root's stack holding the
// page, fed by keys injected into the window, its frames compared with
// golden pictures.
#include <gtest/gtest.h>

#include <string>

#include "host/Window.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CRootNode.h"
#include "src/LocalWidgets/CPageWidget.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "src/LocalWidgets/CSpacerWidget.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/support/GameRun.h"
#include "tests/support/GoldenFrame.h"
#include "tools/MenuSprites.h"

namespace {

// The page at (0, 40), 200 high, as a screen would hold it: a header, a
// 6-high spacer and a group of twelve items centred in the large font
// (lines 20 high), both scroll indicators, the wrap flag on page and group
// and the focus marker on the items; redrawn every frame.
class MenuNode : public CNode {
public:
    static constexpr int kItems = 12;

    MenuNode() {
        CFont* font = CGameApp::GetFontMgr()->GetFont(1);
        for (CUIWidget* widget : std::initializer_list<CUIWidget*>{&page, &header, &spacer, &group}) {
            widget->SetColours(0xFF041123, 0xFFFFFFFF, 0xFF0000FF);
        }
        header.SetFont(font);
        header.SetText(u"Choose one");
        header.SetAlignment(CUIWidget::kAlignHCentre | CUIWidget::kAlignTop);
        spacer.SetHeight(6);
        page.AddItem(&header);
        page.AddItem(&spacer);
        page.AddItem(&group);
        for (int i = 0; i < kItems; ++i) {
            names[i] = u"Item " + (i >= 9 ? std::u16string(u"1") : u"") + static_cast<char16_t>(u'0' + (i + 1) % 10);
            items[i].SetColours(0xFF041123, 0xFFFFFFFF, 0xFF0000FF);
            items[i].SetAlignment(CUIWidget::kAlignHCentre | CUIWidget::kAlignTop);
            items[i].SetFont(font);
            items[i].SetText(names[i].c_str());
            items[i].SetFocusSprite(&marker);
            items[i].SetTransitionOwner(this);
            group.AddItem(&items[i]);
        }
        group.SetFocusable(true);
        group.SetSelectable(true);
        group.SetWrap(true);
        page.SetWrap(true);
        page.SetScrollIndicators(&up, &down);
        page.SetFocusable(true);
        page.Focus(true);
        page.SetLocalRect(CRect(0, 40, 240, 200));
    }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) override {
        return page.DispatchEvent(id, p16, p32) ? 1 : 0;
    }
    std::uint32_t Update(std::uint32_t dt) override {
        CNode::Update(dt);
        return page.UpdateIfEnabled(dt) ? 1 : 0;
    }
    std::uint8_t Draw() override {
        page.MarkDirty();
        return page.Paint() ? 1 : 0;
    }

    SZ_Presenter up = vktools::MenuSprite(10), down = vktools::MenuSprite(11), marker = vktools::MenuSprite(9);
    CPageWidget page;
    CTextWidget header;
    CSpacerWidget spacer;
    CSelectItemGroupWidget group;
    CSelectItemWidget items[kItems];
    std::u16string names[kItems];
};

// Pass 1 overflows at the group; pass 2 leaves 200 - 2 * 16 = 168 for the
// content (each indicator is 6 high with 5 above and below) and stacks 20
// + 6 + 240, so the page measures 200 + 98. The group shows items at 82,
// 102, ...: the seventh ends at 222 and the eighth is cut to 2 pixels, so
// it asks the page down by 18; each later one, out of view, asks for its
// 20 pixels, up to 98, where the twelfth ends on the content's bottom
// (224). Down on the last asks the page up by the group's hidden part (98
// - 26) and focuses the first; up on the first asks it down by 240 - 20,
// as far as 98, and focuses the last. A press every other frame, each
// checked in the frame that handles it, a picture two frames after some:
// the focus marker, restarted whenever the page measures again, at rest at
// the top and lit up while it closes in after a press.
TEST(MenuPage, KeysVisitEveryItemScrollTheHiddenOnesInAndWrap) {
    constexpr int kItems = MenuNode::kItems;
    const std::int32_t scrolls[] = {0, 0, 0, 0, 0, 0, 18, 38, 58, 78, 98, 26, 98};
    GameRun run;
    MenuNode* menu = nullptr;
    run.Run([&](int tick) {
        if (tick == 1) {
            ASSERT_TRUE(vktools::LoadMenuSprites());
            menu = new MenuNode();
            ASSERT_EQ(CGameApp::GetInstance()->GetRootNode()->PushState(1, menu), 0);
        }
        if (tick < 4) return;
        if (tick % 2 == 1) {
            const int handled = (tick - 3) / 2;  // the last one in this frame
            const int focused = handled > kItems ? kItems - 1 : handled % kItems;
            EXPECT_EQ(menu->group.GetFocusedChild(), &menu->items[focused]) << handled;
            EXPECT_TRUE(menu->group.CountChecked() == 1 && menu->items[focused].IsChecked()) << handled;
            EXPECT_EQ(menu->page.GetScrollY(), scrolls[handled - 1]) << handled;
            return;
        }
        const int handled = (tick - 4) / 2;
        const char* golden = handled == 0 ? "menu_page_top" : handled == 9 ? "menu_page_middle"
                             : handled == kItems ? "menu_page_wrapped" : nullptr;
        if (golden != nullptr) {
            EXPECT_TRUE(MatchesGoldenFrame(golden));
        }
        host::InjectKey(handled < kItems ? VK_DOWN : VK_UP, true);
    }, 2 * kItems + 5);
}

}  // namespace
