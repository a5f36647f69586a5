// A menu page as the menu screens build it, for programs that run it over
// the game's application object with the menus' sprites loaded (tests,
// benchmarks): a header, a 6-high spacer and a group of twelve select
// items in one font and the screens' colours, both scroll indicators, the
// wrap flag on page and group, the page focused at the given place.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "src/LocalWidgets/CPageWidget.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "src/LocalWidgets/CSpacerWidget.h"
#include "tools/MenuSprites.h"

namespace vktools {

struct MenuPage {
    static constexpr int kItems = 12;
    static constexpr std::uint32_t kBack = 0xFF041123, kFore = 0xFFFFFFFF, kHigh = 0xFF0000FF;

    MenuPage(CFont* font, const char16_t* title, const char16_t* const* names, std::uint32_t alignment,
             const CRect& rect) {
        for (CUIWidget* widget : std::initializer_list<CUIWidget*>{&page, &header, &spacer, &group}) {
            widget->SetColours(kBack, kFore, kHigh);
        }
        header.SetFont(font);
        header.SetText(title);
        header.SetAlignment(alignment);
        spacer.SetHeight(6);
        page.AddItem(&header);
        page.AddItem(&spacer);
        page.AddItem(&group);
        for (int i = 0; i < kItems; ++i) {
            items[i].SetColours(kBack, kFore, kHigh);
            items[i].SetAlignment(alignment);
            items[i].SetFont(font);
            items[i].SetText(names[i]);
            group.AddItem(&items[i]);
        }
        group.SetFocusable(true);
        group.SetSelectable(true);
        group.SetWrap(true);
        page.SetWrap(true);
        page.SetScrollIndicators(&up, &down);
        page.SetFocusable(true);
        page.Focus(true);
        page.SetLocalRect(rect);
    }
    MenuPage(const MenuPage&) = delete;
    MenuPage& operator=(const MenuPage&) = delete;

    SZ_Presenter up = MenuSprite(10), down = MenuSprite(11);
    CPageWidget page;
    CTextWidget header;
    CSpacerWidget spacer;
    CSelectItemGroupWidget group;
    CSelectItemWidget items[kItems];
};

}  // namespace vktools
