#include "src/LocalWidgets/CButtonWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CFont.h"

CButtonWidget::CButtonWidget() {
    SetClassId(kClassId);
    m_label.SetParent(this);
}

// The label goes before the rest of the button; it must not look back at it.
CButtonWidget::~CButtonWidget() { m_label.SetParent(nullptr); }

void CButtonWidget::Measure() {
    const CRect& local = LocalRect();
    m_contentWidth = local.w;
    if (m_font != nullptr && m_text != nullptr) {
        const std::int64_t wanted = m_font->Measure(m_text, -1, -1, nullptr) + 2 * std::int64_t{m_inset};
        m_contentWidth = static_cast<std::int32_t>(std::min<std::int64_t>(local.w, wanted));
    }
    m_label.SetParent(this);
    m_label.SetColours(GetBackgroundColour(), GetForegroundColour(), GetHighlightColour());
    m_label.SetAlignment(kAlignHCentre);
    m_label.SetFocusable(IsFocusable());
    m_label.SetSelectable(IsSelectable());
    m_label.SetTransparent(IsTransparent());
    m_label.SetLocalRect(WidgetRect(local.w / 2 - m_contentWidth / 2 + std::int64_t{m_inset}, m_inset,
                                    m_contentWidth - 2 * std::int64_t{m_inset}, local.h - 2 * std::int64_t{m_inset}));
    SetMeasuredSize(kFill, static_cast<std::int32_t>(m_label.GetMeasuredHeight() + 2 * std::int64_t{m_inset}));
}

void CButtonWidget::Layout() { PlaceChild(&m_label); }

void CButtonWidget::Draw() {
    FillBackground();
    const CRect& screen = ScreenRect();
    const CRect cell = WidgetRect(screen.x + screen.w / 2 - m_contentWidth / 2 - GetClipOffsetX(),
                                  screen.y - GetClipOffsetY(), m_contentWidth, GetMeasuredHeight());
    if (IsFocused()) FillClipped(cell, GetHighlightColour());
    m_label.MarkDirty();
    m_label.Paint();
    CDrawUtil::DrawFrame(&screen, &cell, GetForegroundColour(), m_frameThickness, 0);
}

bool CButtonWidget::SetFocused(bool focused) {
    CUIWidget::SetFocused(focused);
    m_label.Focus(focused);
    return true;
}

bool CButtonWidget::SetSelected(bool selected) {
    CUIWidget::SetSelected(selected);
    m_label.Select(selected);
    return true;
}

void CButtonWidget::SetInset(std::int32_t pixels) {
    m_inset = pixels;
    InvalidateSize();
}

void CButtonWidget::SetFrameThickness(std::int32_t pixels) {
    m_frameThickness = pixels;
    InvalidateSize();
}

void CButtonWidget::SetMaxLines(std::int32_t lines) {
    m_label.SetMaxLines(lines);
    InvalidateSize();
}

void CButtonWidget::SetFont(CFont* font) {
    m_font = font;
    m_label.SetFont(font);
    InvalidateSize();
}

void CButtonWidget::SetText(const char16_t* text) {
    m_text = text;
    m_label.SetText(text);
    InvalidateSize();
}
