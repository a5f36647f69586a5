#include "src/LocalWidgets/CSliderWidget.h"

#include <algorithm>


CSliderWidget::CSliderWidget() : m_thickness(PlatformThickness()) { SetClassId(kClassId); }

void CSliderWidget::Measure() {
    if (m_horizontal) {
        SetMeasuredSize(kFill, m_thickness);
    } else {
        SetMeasuredSize(m_thickness, kFill);
    }
}

void CSliderWidget::Draw() {
    FillBackground();
    if (m_page < 1 || m_range < 1 || m_position < 0 || m_position > m_range) return;
    const CRect& screen = ScreenRect();
    const CRect track = m_horizontal ? WidgetRect(screen.x + 1, screen.y + 1, screen.w - 2, m_thickness - 2)
                                     : WidgetRect(screen.x + 1, screen.y + 1, m_thickness - 2, screen.h - 2);
    FillClipped(track, m_trackColour);

    std::int32_t surfaceWidth = 0, surfaceHeight = 0;
    GetSurfaceSize(&surfaceWidth, &surfaceHeight, "CSliderWidget.cpp", __LINE__);

    // 64-bit products: the range and page come from the caller unchecked.
    const std::int64_t length = m_horizontal ? track.w : track.h;
    const std::int64_t knob = std::max<std::int64_t>(length * m_page / (std::int64_t{m_range} + m_page),
                                                     (m_horizontal ? surfaceWidth : surfaceHeight) / 8);
    const std::int64_t start = (m_horizontal ? track.x : track.y) + m_position * (length - knob) / m_range;
    FillClipped(m_horizontal ? WidgetRect(start, track.y, knob, track.h) : WidgetRect(track.x, start, track.w, knob),
                GetForegroundColour());
}

void CSliderWidget::SetTrackColour(std::uint32_t colour) {
    m_trackColour = colour;
    Invalidate();
}

void CSliderWidget::SetThickness(std::int32_t pixels) {
    m_thickness = pixels;
    InvalidateSize();
}

void CSliderWidget::SetHorizontal(std::uint8_t horizontal) {
    m_horizontal = horizontal;
    InvalidateSize();
}

void CSliderWidget::SetRange(std::int32_t position, std::int32_t range, std::int32_t page) {
    m_position = position;
    m_range = range;
    m_page = page;
    Invalidate();
}
