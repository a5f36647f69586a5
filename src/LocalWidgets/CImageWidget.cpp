#include "src/LocalWidgets/CImageWidget.h"

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CImage.h"

void CImageWidget::Measure() {
    if (m_image == nullptr) return;
    if (m_useSource) {
        SetMeasuredSize(m_sourceWidth, m_sourceHeight);
    } else {
        SetMeasuredSize(m_image->GetWidth(), m_image->GetHeight());
    }
}

void CImageWidget::Draw() {
    FillBackground();
    if (m_image == nullptr) return;
    const CRect& screen = ScreenRect();
    const std::int32_t width = m_useSource ? m_sourceWidth : m_image->GetWidth();
    const std::int32_t height = m_useSource ? m_sourceHeight : m_image->GetHeight();
    const std::int32_t x = AlignX(screen.x, screen.x + screen.w, width) - GetClipOffsetX();
    const std::int32_t y = AlignY(screen.y, screen.y + screen.h, height) - GetClipOffsetY();
    m_image->DrawRegion(&screen, x, y, width, height, m_useSource ? m_sourceX : 0, m_useSource ? m_sourceY : 0);
    if (IsFocused()) {
        const CRect frame = WidgetRect(x, y, m_image->GetWidth(), m_image->GetHeight());
        CDrawUtil::DrawFrame(&screen, &frame, GetHighlightColour(), 1, 0);
    }
}

void CImageWidget::SetImage(CImage* image) {
    m_image = image;
    InvalidateSize();
}

void CImageWidget::SetSourceRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    m_useSource = 1;
    m_sourceX = x;
    m_sourceY = y;
    m_sourceWidth = width;
    m_sourceHeight = height;
    // The rectangle is the widget's size.
    InvalidateSize();
}
