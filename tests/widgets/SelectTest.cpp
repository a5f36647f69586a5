// Select items and their group: the mark column, checking by mode, the
// focus with the up and down keys and wrapping at the ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Selects = WidgetWorld;
using fonttest::RecordingImage;

// An item 100 wide at (0, 30) with a 10-high text and marks of checked
// 12 x 16 and unchecked 8 x 6: the mark column is 12 wide and the item 16
// high, the text centred on it.
TEST_F(Selects, ItemsPlaceTheirTextBesideTheMarkColumn) {
    const std::tuple<bool, bool, CRect, std::int32_t, std::pair<int, int>> cases[] = {
        {false, false, CRect(0, 0, 100, 10), 10, {-1, -1}},
        {true, false, CRect(12, 3, 88, 10), 16, {2, 35}},
        {true, true, CRect(12, 3, 88, 10), 16, {0, 30}},
    };
    for (const auto& [marks, checked, textRect, height, mark] : cases) {
        TextFont font;
        RecordingImage checkedMark(12, 16), uncheckedMark(8, 6);
        CSelectItemWidget item;
        item.SetFont(&font.font);
        item.SetText(u"abc");
        if (marks) {
            item.SetCheckedImage(&checkedMark);
            item.SetUncheckedImage(&uncheckedMark);
        }
        item.SetChecked(checked);
        item.SetLocalRect(CRect(0, 30, 100, 50));
        item.Paint();
        const std::vector<fonttest::DrawCall>& drawn = checked ? checkedMark.calls : uncheckedMark.calls;
        EXPECT_EQ(std::make_tuple(item.GetMeasuredHeight(), item.GetTextWidget().GetLocalRect(),
                                  drawn.empty() ? std::pair(-1, -1) : std::pair(drawn[0].x, drawn[0].y)),
                  std::make_tuple(height, textRect, mark));
    }
}

std::string Checks(const CSelectItemGroupWidget& group) {
    std::string checks;
    for (int i = 0; i < 3; ++i) checks += group.IsItemChecked(i) ? '1' : '0';
    return checks;
}

// A focused group of three items under a root. "accepted" is the index of
// the item sent with accept, -1 for none.
TEST_F(Selects, GroupKeysMoveTheFocusAndCheckByMode) {
    struct Case {
        std::int32_t mode, maxChecked, wrap;
        std::string before;
        int focus, key, handled;
        std::string after;
        int focusAfter, accepted;
    };
    using Group = CSelectItemGroupWidget;
    const Case cases[] = {
        {Group::kSingleChoice, 1, false, "100", 0, CUIWidget::kKeyDown, true, "010", 1, -1},
        {Group::kSingleChoice, 1, false, "001", 2, CUIWidget::kKeyDown, false, "001", 2, -1},
        {Group::kSingleChoice, 1, true, "001", 2, CUIWidget::kKeyDown, true, "100", 0, -1},
        {Group::kSingleChoice, 1, true, "100", 0, CUIWidget::kKeyUp, true, "001", 2, -1},
        {Group::kSingleChoice, 1, false, "010", 1, CUIWidget::kKeySelect, true, "010", 1, 1},
        {Group::kSingleChoice, 1, false, "010", 1, CUIWidget::kKeyLeftSoft, true, "010", 1, 1},
        {Group::kSingleChoice, 1, false, "010", 1, CUIWidget::kKeyRight, false, "010", 1, -1},
        {Group::kRadio, 1, false, "110", 2, CUIWidget::kKeySelect, true, "001", 2, -1},
        {Group::kMultiple, 1, false, "100", 1, CUIWidget::kKeySelect, true, "100", 1, -1},
        {Group::kMultiple, 1, false, "100", 0, CUIWidget::kKeySelect, true, "000", 0, -1},
        {Group::kMultiple, 0, false, "100", 1, CUIWidget::kKeyLeftSoft, true, "110", 1, -1},
        {Group::kMultiple, 2, false, "101", 1, CUIWidget::kKeyDown, true, "101", 2, -1},
    };
    for (const Case& c : cases) {
        TextFont font;
        CContainerWidget root;
        Group group;
        CSelectItemWidget items[3];
        root.AddChild(&group, 0);
        group.SetMode(c.mode);
        group.SetMaxChecked(c.maxChecked);
        group.SetWrap(c.wrap != 0);
        for (CSelectItemWidget& item : items) {
            item.SetFont(&font.font);
            item.SetText(u"abc");
            group.AddItem(&item);
        }
        group.SetLocalRect(CRect(0, 0, 100, 100));
        group.SetScreenRect(CRect(0, 0, 100, 100));  // the root places nothing
        group.SetFocusable(true);
        group.Focus(true);
        group.Paint();
        group.SetFocusedChild(&items[c.focus]);
        for (int i = 0; i < 3; ++i) items[i].SetChecked(c.before[i] == '1');
        const bool handled = group.DispatchEvent(EVENT_KEY_PRESS, static_cast<std::uint16_t>(c.key), 0);
        const std::uintptr_t sender = c.accepted >= 0 ? WidgetParam(&items[c.accepted]) : 0;
        EXPECT_EQ(std::make_tuple(handled, Checks(group), group.GetFocusedChild(), TakePosted()),
                  std::make_tuple(c.handled != 0, c.after, &items[c.focusAfter],
                                  std::vector<Posted>(c.accepted >= 0, {EVENT_WIDGET_ACCEPT, 0, sender})))
            << c.mode << " " << c.key;
    }
}

}  // namespace
