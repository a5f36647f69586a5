#include "src/LocalWidgets/CSpacerWidget.h"

void CSpacerWidget::Draw() {
    FillBackground();
    if (m_style != kStyleLine) return;
    const CRect& screen = ScreenRect();
    FillClipped(WidgetRect(screen.x - GetClipOffsetX(), screen.y - GetClipOffsetY(), screen.w, m_height),
                GetForegroundColour());
}

void CSpacerWidget::SetHeight(std::int32_t pixels) {
    m_height = pixels;
    InvalidateSize();
}

void CSpacerWidget::SetStyle(std::int32_t style) {
    m_style = style;
    InvalidateSize();
}
