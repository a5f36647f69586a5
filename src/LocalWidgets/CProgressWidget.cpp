#include "src/LocalWidgets/CProgressWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CDrawUtil.h"

CProgressWidget::CProgressWidget() : m_thickness(PlatformThickness()) { SetClassId(kClassId); }

void CProgressWidget::Measure() {
    const std::int32_t along = m_length < 1 ? kFill : m_length + 2;
    const std::int32_t across = m_thickness + 2;
    if (m_horizontal) {
        SetMeasuredSize(along, across);
    } else {
        SetMeasuredSize(across, along);
    }
}

void CProgressWidget::Draw() {
    FillBackground();
    const CRect& screen = ScreenRect();
    const std::int32_t width = m_horizontal ? (m_length < 1 ? screen.w - 2 : m_length) : m_thickness;
    const std::int32_t height = m_horizontal ? m_thickness : (m_length < 1 ? screen.h - 2 : m_length);
    const std::int32_t x = screen.x + 1 - GetClipOffsetX() + (screen.w >> 1) - (width >> 1);
    const std::int32_t y = screen.y + 1 - GetClipOffsetY() + (screen.h >> 1) - (height >> 1);
    const CRect bar = WidgetRect(x, y, width, height);
    CDrawUtil::DrawFrame(&screen, &bar, GetHighlightColour(), 1, 0);

    const CRect inner = WidgetRect(x + 1, y + 1, width - 2, height - 2);
    FillClipped(inner, m_trackColour);

    CRect fill = inner;
    std::int16_t& size = m_horizontal ? fill.w : fill.h;
    const std::int64_t filled = static_cast<std::int64_t>(size) * m_value / 100;
    size = static_cast<std::int16_t>(std::clamp<std::int64_t>(filled, 0, std::max<std::int16_t>(size, 0)));
    FillClipped(fill, GetForegroundColour());
}

void CProgressWidget::SetTrackColour(std::uint32_t colour) {
    m_trackColour = colour;
    Invalidate();
}

void CProgressWidget::SetThickness(std::int32_t pixels) {
    m_thickness = pixels;
    InvalidateSize();
}

void CProgressWidget::SetLength(std::int32_t pixels) {
    m_length = pixels;
    InvalidateSize();
}

void CProgressWidget::SetHorizontal(bool horizontal) {
    m_horizontal = horizontal ? 1 : 0;
    InvalidateSize();
}

void CProgressWidget::SetValue(std::int32_t percent) {
    if (percent == m_value) return;
    m_value = percent;
    Invalidate();
}
