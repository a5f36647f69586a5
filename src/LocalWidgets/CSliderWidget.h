// A scroll bar: a track with a knob whose length and place show which part
// of a range is visible. The knob is at least an eighth of the render
// surface long.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CSliderWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x27897BD6;

    // The thickness starts at the platform's default.
    CSliderWidget();
    ~CSliderWidget() override = default;

    // Thickness across, filling along.
    void Measure() override;
    // Background; then, for a page of at least 1 and a position within a
    // range of at least 1, the track and the knob.
    void Draw() override;

    void SetTrackColour(std::uint32_t colour);
    void SetThickness(std::int32_t pixels);
    std::int32_t GetThickness() const { return m_thickness; }
    void SetHorizontal(std::uint8_t horizontal);
    bool IsHorizontal() const { return m_horizontal != 0; }
    // position: first visible unit (0 to range); page: units visible.
    void SetRange(std::int32_t position, std::int32_t range, std::int32_t page);

private:
    std::uint32_t m_trackColour = 0xFF000000;
    std::int32_t m_thickness;
    std::uint8_t m_horizontal = 0;
    std::int32_t m_position = 0;
    std::int32_t m_range = 0;
    std::int32_t m_page = 0;
};
