// The image menu, image, label and overlay widgets (images and the font
// record where they are drawn).
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "src/LocalWidgets/CImageMenuWidget.h"
#include "src/LocalWidgets/CImageWidget.h"
#include "src/LocalWidgets/CLabelWidget.h"
#include "src/LocalWidgets/COverlayWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using fonttest::RecordingImage;
using ImageWidgets = WidgetWorld;

// Hears the scroll requests of its child.
class ScrollingParent : public CContainerWidget {
public:
    bool OnScrollRequest(std::uint16_t direction, std::uint32_t amount) override {
        requests.emplace_back(direction, amount);
        return true;
    }
    std::vector<std::pair<std::uint16_t, std::uint32_t>> requests;
};

struct Menu {
    explicit Menu(std::int32_t count, std::int32_t size = 10) : image(size, size) {
        for (std::int32_t i = 0; i < count; ++i) menu.AddImage(&image);
    }
    RecordingImage image;
    CImageMenuWidget menu;
};

// Cells of 10 + 2 x 4: (width - 4) / 18 columns, at least one, at most the
// maximum and the image count.
TEST_F(ImageWidgets, ImageMenuFitsItsColumnsAndRows) {
    // width, inset, maximum columns, image size, measured height, index
    // reached by down from 0
    const std::tuple<std::int16_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {58, 4, 0, 10, 54, 3},  {58, 4, 2, 10, 72, 2}, {10, 4, 0, 10, 126, 1},
        {400, 4, 0, 10, 18, 6}, {58, 0, 0, 0, 0, 1},
    };
    for (const auto& [width, inset, maxColumns, size, height, below] : cases) {
        Menu m(7, size);
        m.menu.SetInset(inset);
        m.menu.SetMaxColumns(maxColumns);
        m.menu.SetLocalRect(CRect(0, 0, width, 100));
        EXPECT_EQ(m.menu.GetMeasuredHeight(), height) << width;
        EXPECT_EQ(m.menu.GetMeasuredWidth(), CWidget::kFill);
        EXPECT_TRUE(m.menu.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyDown, 0));
        EXPECT_EQ(m.menu.GetSelectedIndex(), below) << width;
    }
}

// Seven images in three columns of rows 18 high, in a menu 30 high: no wrap
// at either end; the parent is asked to scroll the selected row into view.
TEST_F(ImageWidgets, ImageMenuArrowsMoveTheSelectionWithinTheImages) {
    using Requests = std::vector<std::pair<std::uint16_t, std::uint32_t>>;
    const std::tuple<std::int32_t, std::int32_t, std::uint16_t, bool, std::int32_t, Requests> cases[] = {
        {0, 5, CUIWidget::kKeyDown, true, 6, {{CUIWidget::kScrollDown, 24}}},
        {0, 1, CUIWidget::kKeyDown, true, 4, {{CUIWidget::kScrollDown, 6}}},
        {18, 4, CUIWidget::kKeyUp, true, 1, {{CUIWidget::kScrollUp, 18}}},
        {0, 3, CUIWidget::kKeyLeft, true, 2, {}},    {0, 0, CUIWidget::kKeyRight, true, 1, {}},
        {0, 6, CUIWidget::kKeyDown, false, 6, {}},   {0, 6, CUIWidget::kKeyRight, false, 6, {}},
        {0, 0, CUIWidget::kKeyLeft, false, 0, {}},   {0, 0, CUIWidget::kKeyUp, false, 0, {}},
        {0, 1, CUIWidget::kKeySelect, true, 1, {}},  {0, 1, CUIWidget::kKeyBack, false, 1, {}},
    };
    for (const auto& [hidden, from, key, handled, to, requests] : cases) {
        ScrollingParent root;  // also posts the commands
        Menu m(7);
        root.AddChild(&m.menu, 0);
        m.menu.SetLocalRect(CRect(0, 0, 58, 30));
        m.menu.SetScreenRect(CRect(0, 0, 58, 30));
        m.menu.SetClipOffsetY(hidden);
        m.menu.Paint();
        m.menu.SetSelectedIndex(from);
        EXPECT_EQ(m.menu.DispatchEvent(EVENT_KEY_PRESS, key, 0), handled) << from << " " << key;
        EXPECT_EQ(m.menu.GetSelectedIndex(), to);
        EXPECT_EQ(root.requests, requests) << from << " " << key;
        const bool accepted = key == CUIWidget::kKeySelect;
        EXPECT_EQ(TakePosted(), std::vector<Posted>(accepted, {EVENT_WIDGET_ACCEPT, 0, WidgetParam(&m.menu)}));
    }
    Menu none(0);
    none.menu.SetSelectedIndex(3);
    EXPECT_EQ(none.menu.GetSelectedIndex(), 0);
    EXPECT_FALSE(none.menu.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyRight, 0));
}

// Two images in a centred grid of two 18-pixel cells inside 100 pixels
// (from x 32), each centred in its cell; the focused selection gets the
// selection image centred on its cell, or without one a frame.
TEST_F(ImageWidgets, ImageMenuCentresImagesAndTheSelection) {
    RecordingImage large(10, 10), small(6, 4), selection(20, 20);
    CImageMenuWidget menu;
    Colour(menu);
    menu.SetAlignment(CUIWidget::kAlignHCentre);
    menu.AddImage(&large);
    EXPECT_EQ(menu.AddImage(nullptr), 1);
    menu.AddImage(&small);
    menu.SetFocusable(true);
    menu.Focus(true);
    menu.SetSelectedIndex(1);
    menu.SetLocalRect(CRect(0, 0, 100, 40));
    menu.Paint();
    EXPECT_EQ(Places(large), std::vector<Place>({{36, 4}}));
    EXPECT_EQ(Places(small), std::vector<Place>({{56, 7}}));
    EXPECT_EQ(Extent(kHigh), CRect(50, 0, 14, 14));
    menu.SetSelectionImage(&selection);
    menu.Paint();
    EXPECT_EQ(Places(selection), std::vector<Place>({{49, -1}}));
}

// The source rectangle sets the size, even when set after a paint; the
// focus frame has the whole image's size.
TEST_F(ImageWidgets, ImageWidgetDrawsItsSourceRectAndFramesTheImage) {
    RecordingImage image(20, 10);
    CImageWidget widget;
    Colour(widget);
    widget.SetImage(&image);
    widget.SetAlignment(CUIWidget::kAlignHCentre | CUIWidget::kAlignVCentre);
    widget.SetLocalRect(CRect(10, 10, 40, 30));
    widget.Paint();
    EXPECT_EQ(std::make_pair(widget.GetMeasuredWidth(), widget.GetMeasuredHeight()), std::make_pair(20, 10));
    widget.SetSourceRect(5, 2, 8, 6);
    widget.SetFocusable(true);
    widget.Focus(true);
    widget.Paint();
    EXPECT_EQ(std::make_pair(widget.GetMeasuredWidth(), widget.GetMeasuredHeight()), std::make_pair(8, 6));
    EXPECT_EQ(image.calls.back(), (fonttest::DrawCall{&widget.GetScreenRect(), 26, 22, 8, 6, 5, 2}));
    EXPECT_EQ(Extent(kHigh), CRect(26, 22, 20, 10));
}

TEST_F(ImageWidgets, LabelMeasuresItsTextAndAlignsIt) {
    TextFont font;
    const std::tuple<std::uint32_t, bool, Place, std::uint32_t> cases[] = {
        {CUIWidget::kAlignLeft | CUIWidget::kAlignTop, false, {10, 20}, kBack},
        {CUIWidget::kAlignHCentre | CUIWidget::kAlignBottom, true, {28, 30}, kHigh},
    };
    for (const auto& [alignment, focused, place, fill] : cases) {
        CLabelWidget label;
        Colour(label);
        label.SetFont(&font.font);
        label.SetText(u"abc");
        label.SetAlignment(alignment);
        label.SetFocusable(true);
        label.Focus(focused);
        EXPECT_EQ(std::make_pair(label.GetMeasuredWidth(), label.GetMeasuredHeight()), std::make_pair(15, 10));
        label.SetLocalRect(CRect(10, 20, 50, 20));
        label.Paint();
        const auto glyphs = font.Glyphs();
        ASSERT_EQ(glyphs.size(), 3u);
        EXPECT_EQ(Place(std::get<1>(glyphs[0]), std::get<2>(glyphs[0])), place) << alignment;
        EXPECT_EQ(Pixel(11, 21), fill);
    }
}

// Items are placed from the centred image's corner, or from the widget's
// without an image; the item added last is drawn first, and an item
// without its font, text or image draws nothing. The widget deletes the
// items it holds.
TEST_F(ImageWidgets, OverlayDrawsItsItemsOverTheImage) {
    TextFont font;
    RecordingImage background(20, 10), mark(2, 2);
    for (const bool withImage : {false, true}) {
        COverlayWidget overlay;
        if (withImage) overlay.SetImage(&background);
        overlay.SetAlignment(CUIWidget::kAlignHCentre);
        EXPECT_EQ(overlay.GetMeasuredWidth(), withImage ? 20 : 0);
        for (const std::int32_t offset : {1, 2, 3}) {
            auto* item = new COverlayWidgetDrawImage();
            item->SetImage(&mark);
            item->offsetX = offset;
            overlay.AddItem(item);
        }
        for (const auto& [f, text] : {std::pair<CFont*, const char16_t*>(&font.font, u"a"), {&font.font, nullptr},
                                      {nullptr, u"b"}}) {
            auto* item = new COverlayWidgetDrawText();
            item->SetFont(f);
            item->SetText(text);
            item->offsetX = 3;
            item->offsetY = 4;
            overlay.AddItem(item);
        }
        overlay.AddItem(new COverlayWidgetDrawImage());
        overlay.SetLocalRect(CRect(10, 20, 100, 50));
        overlay.Paint();
        const std::int32_t x = withImage ? 50 : 10;
        EXPECT_EQ(Places(mark), std::vector<Place>({{x + 3, 20}, {x + 2, 20}, {x + 1, 20}}));
        EXPECT_EQ(font.Glyphs(), std::vector<TextFont::Glyph>({{u'a', x + 3, 24}}));
        mark.calls.clear();
    }
}

}  // namespace
