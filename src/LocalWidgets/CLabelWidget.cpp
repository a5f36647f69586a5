#include "src/LocalWidgets/CLabelWidget.h"

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CFont.h"

void CLabelWidget::Measure() {
    if (m_font != nullptr && m_text != nullptr) {
        SetMeasuredSize(m_font->Measure(m_text, -1, -1, nullptr), m_font->GetHeight());
    }
}

void CLabelWidget::Draw() {
    const CRect& screen = ScreenRect();
    if (IsFocused()) {
        CDrawUtil::FillRect(&screen, GetHighlightColour());
    } else {
        FillBackground();
    }
    if (m_font == nullptr || m_text == nullptr) return;
    const std::int32_t x = AlignX(screen.x, screen.x + screen.w, GetMeasuredWidth()) - GetClipOffsetX();
    const std::int32_t y = AlignY(screen.y, screen.y + screen.h, m_font->GetHeight()) - GetClipOffsetY();
    m_font->SetColours(IsFocused() ? GetHighlightColour() : GetBackgroundColour(), GetForegroundColour());
    m_font->DrawString(m_text, -1, &screen, x, y, IsTransparent() ? 1 : 0);
}

void CLabelWidget::SetFont(CFont* font) {
    m_font = font;
    InvalidateSize();
}

void CLabelWidget::SetText(const char16_t* text) {
    m_text = text;
    InvalidateSize();
}
