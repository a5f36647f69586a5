// A menu page in the running game: a node of the root's stack holding the
// page, fed by keys injected into the window, its frames compared with
// golden pictures.
#include <gtest/gtest.h>

#include "host/Window.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CRootNode.h"
#include "tests/support/GameRun.h"
#include "tests/support/GoldenFrame.h"
#include "tools/MenuPage.h"
#include "tools/MenuSprites.h"

namespace {

// The page at (0, 40), 200 high, as a screen would hold it, centred in
// the large font (lines 20 high), the focus marker on the items; redrawn
// every frame.
class MenuNode : public CNode {
public:
    static constexpr int kItems = vktools::MenuPage::kItems;
    static constexpr const char16_t* kNames[kItems] = {u"Item 1", u"Item 2",  u"Item 3",  u"Item 4",
                                                       u"Item 5", u"Item 6",  u"Item 7",  u"Item 8",
                                                       u"Item 9", u"Item 10", u"Item 11", u"Item 12"};

    MenuNode() {
        for (CSelectItemWidget& item : menu.items) {
            item.SetFocusSprite(&marker);
            item.SetTransitionOwner(this);
        }
    }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) override {
        return menu.page.DispatchEvent(id, p16, p32) ? 1 : 0;
    }
    std::uint32_t Update(std::uint32_t dt) override {
        CNode::Update(dt);
        return menu.page.UpdateIfEnabled(dt) ? 1 : 0;
    }
    std::uint8_t Draw() override {
        menu.page.MarkDirty();
        return menu.page.Paint() ? 1 : 0;
    }

    SZ_Presenter marker = vktools::MenuSprite(9);
    vktools::MenuPage menu{CGameApp::GetFontMgr()->GetFont(1), u"Choose one", kNames,
                           CUIWidget::kAlignHCentre | CUIWidget::kAlignTop, CRect(0, 40, 240, 200)};
};

// Pass 1 overflows at the group; pass 2 leaves 200 - 2 * 15 = 170 for the
// content (each indicator is 5 high with 5 above and below) and stacks 20
// + 6 + 240, so the page measures 200 + 96. The group shows items at 81,
// 101, ...: the seventh ends at 221 and the eighth is cut to 4 pixels, so
// it asks the page down by 16; each later one, out of view, asks for its
// 20 pixels, up to 96, where the twelfth ends on the content's bottom
// (225). Down on the last asks the page up by the group's hidden part (96
// - 26) and focuses the first; up on the first asks it down by 240 - 20,
// as far as 96, and focuses the last. A press every other frame, each
// checked in the frame that handles it, a picture two frames after some
// (the focus marker restarts whenever the page measures again).
TEST(MenuPage, KeysVisitEveryItemScrollTheHiddenOnesInAndWrap) {
    constexpr int kItems = MenuNode::kItems;
    const std::int32_t scrolls[] = {0, 0, 0, 0, 0, 0, 16, 36, 56, 76, 96, 26, 96};
    GameRun run;
    MenuNode* node = nullptr;
    run.Run([&](int tick) {
        if (tick == 1) {
            ASSERT_TRUE(vktools::LoadMenuSprites());
            node = new MenuNode();
            ASSERT_EQ(CGameApp::GetInstance()->GetRootNode()->PushState(1, node), 0);
        }
        if (tick < 4) return;
        if (tick % 2 == 1) {
            const int handled = (tick - 3) / 2;  // the last one in this frame
            const int focused = handled > kItems ? kItems - 1 : handled % kItems;
            const vktools::MenuPage& menu = node->menu;
            EXPECT_EQ(menu.group.GetFocusedChild(), &menu.items[focused]) << handled;
            EXPECT_TRUE(menu.group.CountChecked() == 1 && menu.items[focused].IsChecked()) << handled;
            EXPECT_EQ(menu.page.GetScrollY(), scrolls[handled - 1]) << handled;
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
