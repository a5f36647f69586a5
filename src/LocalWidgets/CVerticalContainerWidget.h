// A container that stacks its children top to bottom, without gaps, at the
// full inner width and clips them to its own rect. When they do not fit it
// reserves room for an up and a down indicator sprite (or a slider), shows
// its content from a vertical scroll offset, and disables and hides the
// children out of view. Indicators and slider are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CContainerWidget.h"

class CSliderWidget;
class SZ_Presenter;

class CVerticalContainerWidget : public CContainerWidget {
public:
    static constexpr std::uint32_t kClassId = 0xC2A32997;

    CVerticalContainerWidget() { SetClassId(kClassId); }
    // Leaves the slider without a parent.
    ~CVerticalContainerWidget() override;

    // Two passes: the first finds whether the children overflow (only with a
    // slider or both indicators), the second stacks them in the room left by
    // the indicators or, when they fit, aligned as a whole. Fills the width;
    // as high as the stack.
    void Measure() override;
    void Layout() override;
    // The children, then the slider or the indicators.
    void Draw() override;
    void ForgetChild(CUIWidget* child) override;

    // Each replaces the other kind.
    void SetScrollIndicators(SZ_Presenter* up, SZ_Presenter* down);
    void SetSlider(CSliderWidget* slider);
    // While the content overflows both indicators stay shown, and paging
    // past either end wraps around.
    void SetWrap(bool wrap) { m_wrap = wrap ? 1 : 0; }
    bool IsOverflowing() const { return m_overflow != 0; }

protected:
    // Room an indicator takes, with the spacing above and below it.
    std::int32_t IndicatorRoom(SZ_Presenter* indicator) const;
    // IndicatorRoom of each indicator present.
    std::int32_t IndicatorsRoom() const { return IndicatorRoom(m_upIndicator) + IndicatorRoom(m_downIndicator); }

    SZ_Presenter* m_upIndicator = nullptr;
    SZ_Presenter* m_downIndicator = nullptr;
    std::uint8_t m_overflow = 0;
    CSliderWidget* m_slider = nullptr;
    std::uint8_t m_wrap = 0;
    std::int32_t m_spacing = 0;

private:
    // One stacking pass; the first stops where the children overflow.
    void StackChildren(bool secondPass, std::int32_t surfaceHeight, std::int32_t& used);
    void AttachSlider();
    void DetachSlider();
};
