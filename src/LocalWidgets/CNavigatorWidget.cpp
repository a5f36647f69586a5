#include "src/LocalWidgets/CNavigatorWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CImage.h"

namespace {

std::int32_t WidthOf(const CImage* image) { return image != nullptr ? image->GetWidth() : 0; }
std::int32_t HeightOf(const CImage* image) { return image != nullptr ? image->GetHeight() : 0; }

}  // namespace

CNavigatorWidget::CNavigatorWidget() {
    SetClassId(kClassId);
    m_text.SetParent(this);
}

// The text goes before the rest of the navigator; it must not look back at it.
CNavigatorWidget::~CNavigatorWidget() { m_text.SetParent(nullptr); }

void CNavigatorWidget::Measure() {
    m_text.SetParent(this);
    m_text.SetColours(GetBackgroundColour(), GetForegroundColour(), GetHighlightColour());
    m_text.SetFocusable(IsFocusable());
    m_text.SetSelectable(false);
    m_text.SetTransparent(IsTransparent());
    m_text.SetAlignment(kAlignHCentre);

    const std::int32_t leftWidth = WidthOf(m_leftArrow), rightWidth = WidthOf(m_rightArrow);
    const std::int32_t arrowHeight = std::max(HeightOf(m_leftArrow), HeightOf(m_rightArrow));
    const CRect& local = LocalRect();
    const std::int64_t textWidth = std::max<std::int64_t>(0, std::int64_t{local.w} - leftWidth - rightWidth);
    m_text.SetLocalRect(WidgetRect(leftWidth, 0, textWidth, local.h));
    const std::int32_t textHeight = m_text.GetMeasuredHeight();
    const std::int32_t rowHeight = std::max(arrowHeight, textHeight);
    m_arrowOffset = (rowHeight - arrowHeight) >> 1;
    m_text.SetLocalRect(WidgetRect(leftWidth, (rowHeight - textHeight) >> 1, textWidth, textHeight));
    m_text.EnsureMeasured();
    SetMeasuredSize(kFill, rowHeight);
}

void CNavigatorWidget::Layout() { PlaceChild(&m_text); }

void CNavigatorWidget::Draw() {
    const CRect& screen = ScreenRect();
    if (IsFocused()) {
        CDrawUtil::FillRect(&screen, GetHighlightColour());
    } else {
        FillBackground();
    }
    const std::int32_t x = screen.x - GetClipOffsetX();
    const std::int32_t y = screen.y + m_arrowOffset - GetClipOffsetY();
    if (m_leftArrow != nullptr && m_index > 0) m_leftArrow->Draw(&screen, x, y);
    if (m_rightArrow != nullptr && m_index < m_count - 1) {
        m_rightArrow->Draw(&screen, x + screen.w - m_rightArrow->GetWidth(), y);
    }
    m_text.MarkDirty();
    m_text.Paint();
}

bool CNavigatorWidget::SetFocused(bool focused) {
    CUIWidget::SetFocused(focused);
    m_text.Focus(focused);
    return true;
}

bool CNavigatorWidget::SetSelected(bool selected) {
    CUIWidget::SetSelected(selected);
    m_text.Select(selected);
    return true;
}

bool CNavigatorWidget::OnKeyDown(std::uint16_t key, std::uintptr_t) {
    if (key == kKeyLeft && m_index > 0) {
        SetIndex(m_index - 1);
    } else if (key == kKeyRight && m_index < m_count - 1) {
        SetIndex(m_index + 1);
    } else {
        return false;
    }
    Notify(kNotifyChanged, 0, WidgetParam(this));
    return true;
}

void CNavigatorWidget::SetLeftArrowImage(CImage* image) {
    m_leftArrow = image;
    InvalidateSize();
}

void CNavigatorWidget::SetRightArrowImage(CImage* image) {
    m_rightArrow = image;
    InvalidateSize();
}

void CNavigatorWidget::SetValueCount(std::int32_t count) {
    m_count = count;
    InvalidateSize();
}

void CNavigatorWidget::SetFont(CFont* font) {
    m_text.SetFont(font);
    InvalidateSize();
}

void CNavigatorWidget::SetText(const char16_t* text) {
    m_text.SetText(text);
    InvalidateSize();
}

void CNavigatorWidget::SetMaxLines(std::int32_t lines) {
    m_text.SetMaxLines(lines);
    InvalidateSize();
}

bool CNavigatorWidget::ShowValueText() {
    // Only an index inside the values has a text to read.
    if (m_texts == nullptr || m_index < 0 || m_index >= m_count) return false;
    m_text.SetText(m_texts[m_index]);
    return true;
}

void CNavigatorWidget::SetValueTexts(const char16_t* const* texts) {
    m_texts = texts;
    ShowValueText();
    InvalidateSize();
}

std::int32_t CNavigatorWidget::SetIndex(std::int32_t index) {
    m_index = std::min(std::max(0, index), m_count - 1);
    if (ShowValueText()) {
        InvalidateSize();
    } else {
        Invalidate();  // the arrows follow the index
    }
    return m_index;
}
