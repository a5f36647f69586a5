#include "src/LocalWidgets/CSpacerWidget.h"

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/RectUtil.h"

void CSpacerWidget::Draw() {
    FillBackground();
    if (m_style != kStyleLine) return;
    const CRect& screen = ScreenRect();
    CRect line(static_cast<std::int16_t>(screen.x - GetClipOffsetX()), static_cast<std::int16_t>(screen.y - GetClipOffsetY()),
               screen.w, static_cast<std::int16_t>(m_height));
    ClipRect(&line, &screen);
    CDrawUtil::FillRect(&line, GetForegroundColour());
}

void CSpacerWidget::SetHeight(std::int32_t pixels) {
    m_height = pixels;
    InvalidateSize();
}

void CSpacerWidget::SetStyle(std::int32_t style) {
    m_style = style;
    InvalidateSize();
}
