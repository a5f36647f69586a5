// A framed bar, horizontal or vertical, filled in proportion to a
// percentage: a one-pixel frame in the highlight colour, the track colour
// inside it and the filled part in the foreground colour.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CProgressWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0xF06BB166;

    // The thickness starts at the platform's default.
    CProgressWidget();

    // The bar plus its frame; a length below 1 fills along the bar.
    void Measure() override;
    void Draw() override;

    void SetTrackColour(std::uint32_t colour);
    void SetThickness(std::int32_t pixels);
    void SetLength(std::int32_t pixels);
    void SetHorizontal(bool horizontal);
    // Invalidates only when the value changes.
    void SetValue(std::int32_t percent);
    std::int32_t GetValue() const { return m_value; }
    std::int32_t GetThickness() const { return m_thickness; }
    bool IsHorizontal() const { return m_horizontal != 0; }

private:
    std::uint32_t m_trackColour = 0xFF000000;
    std::int32_t m_thickness;
    std::int32_t m_length = 0;
    std::uint8_t m_horizontal = 1;
    std::int32_t m_value = 0;
};
