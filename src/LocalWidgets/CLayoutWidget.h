// The root of a widget screen: a container that fills the screen and
// stacks its children in four regions (their order values): a top bar, an
// upper part, a body that takes the rest, and a bottom bar, usually the
// soft-key bar. It also routes keys: a widget of the upper region that
// cannot take the focus sees each key first, then the focused child, then
// the soft-key bar; what none takes moves the focus or raises accept or
// back.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CContainerWidget.h"

class CLayoutWidget : public CContainerWidget {
public:
    static constexpr std::uint32_t kClassId = 0x218887DC;

    // Regions 1 and 4 may hold several widgets, 2 and 3 one each.
    enum Region : std::int32_t { kRegionTop = 1, kRegionUpper = 2, kRegionBody = 3, kRegionBottom = 4 };

    CLayoutWidget() { SetClassId(kClassId); }

    // Places the regions: top from the top, bottom from the bottom, then
    // upper, then the body in the room left. Measures as filling both ways.
    void Measure() override;
    void Layout() override;
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;
    void ForgetChild(CUIWidget* child) override;
    // A removed widget loses its role: the soft-key bar, upper or body.
    void RemoveChild(CUIWidget* child) override;

    // Adds the widget to the region (a null widget only empties regions 2
    // and 3); a widget of the upper or body region replaces the one there.
    // A soft-key widget becomes the one that gets keys.
    void SetRegion(CUIWidget* widget, std::int32_t region);
    CUIWidget* GetRegionWidget(std::int32_t region) const;
    // The next (previous) child with the same order as the given one.
    CUIWidget* GetNextInRegion(CUIWidget* widget) const;
    CUIWidget* GetPrevInRegion(CUIWidget* widget) const;

private:
    struct Stack {
        std::int32_t top;
        std::int32_t bottom;
        std::int32_t room;
    };
    void PlaceRegion(std::int32_t region, bool fromTop, Stack& stack);
    void ClearRoles(const CUIWidget* child);

    CUIWidget* m_softkeys = nullptr;
    CUIWidget* m_upper = nullptr;
    CUIWidget* m_body = nullptr;
};
