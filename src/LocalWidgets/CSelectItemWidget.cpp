#include "src/LocalWidgets/CSelectItemWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CImage.h"

namespace {

std::int32_t WidthOf(const CImage* image) { return image != nullptr ? image->GetWidth() : 0; }
std::int32_t HeightOf(const CImage* image) { return image != nullptr ? image->GetHeight() : 0; }

}  // namespace

CSelectItemWidget::CSelectItemWidget() {
    SetClassId(kClassId);
    m_text.SetParent(this);
}

// The text goes before the rest of the item; it must not look back at it.
CSelectItemWidget::~CSelectItemWidget() { m_text.SetParent(nullptr); }

void CSelectItemWidget::Measure() {
    m_text.SetParent(this);
    m_text.SetColours(GetBackgroundColour(), GetForegroundColour(), GetHighlightColour());
    m_text.SetAlignment(GetAlignment());
    m_text.SetFocusable(IsFocusable());
    m_text.SetSelectable(IsSelectable());
    m_text.SetTransparent(IsTransparent());

    const std::int32_t markWidth = std::max(WidthOf(m_uncheckedImage), WidthOf(m_checkedImage));
    const std::int32_t markHeight = std::max(HeightOf(m_uncheckedImage), HeightOf(m_checkedImage));
    const CRect& local = LocalRect();
    m_text.SetLocalRect(WidgetRect(markWidth, 0, local.w - markWidth, local.h));
    const std::int32_t textHeight = m_text.GetMeasuredHeight();
    const std::int32_t height = std::max(markHeight, textHeight);
    m_checkedX = (markWidth >> 1) - (WidthOf(m_checkedImage) >> 1);
    m_checkedY = (height >> 1) - (HeightOf(m_checkedImage) >> 1);
    m_uncheckedX = (markWidth >> 1) - (WidthOf(m_uncheckedImage) >> 1);
    m_uncheckedY = (height >> 1) - (HeightOf(m_uncheckedImage) >> 1);
    m_text.SetLocalRect(
        WidgetRect(markWidth, (height >> 1) - (textHeight >> 1), local.w - markWidth, textHeight));
    m_text.EnsureMeasured();
    SetMeasuredSize(kFill, height);
}

void CSelectItemWidget::Layout() { PlaceChild(&m_text); }

void CSelectItemWidget::Draw() {
    if (m_text.GetFocusSprite() == nullptr) {
        if (IsFocused()) {
            FillHighlightBar();
        } else {
            FillBackground();
        }
    }
    if (CImage* mark = m_checked ? m_checkedImage : m_uncheckedImage) {
        const CRect& screen = ScreenRect();
        const std::int32_t x = m_checked ? m_checkedX : m_uncheckedX;
        const std::int32_t y = m_checked ? m_checkedY : m_uncheckedY;
        mark->Draw(&screen, screen.x + x - GetClipOffsetX(), screen.y + y - GetClipOffsetY());
    }
    m_text.MarkDirty();
    m_text.Paint();
}

bool CSelectItemWidget::Update(std::uint32_t dt) { return m_text.Update(dt); }

bool CSelectItemWidget::SetFocused(bool focused) {
    CUIWidget::SetFocused(focused);
    m_text.Focus(focused);
    return true;
}

bool CSelectItemWidget::SetSelected(bool selected) {
    CUIWidget::SetSelected(selected);
    m_text.Select(selected);
    return true;
}

bool CSelectItemWidget::OnKeyDown(std::uint16_t key, std::uintptr_t) {
    if (key != kKeyLeft && key != kKeyRight) return false;
    m_checked = key == kKeyRight ? 1 : 0;
    Invalidate();
    return true;
}

void CSelectItemWidget::SetFont(CFont* font) {
    m_text.SetFont(font);
    InvalidateSize();
}

void CSelectItemWidget::SetText(const char16_t* text) {
    m_text.SetText(text);
    InvalidateSize();
}

void CSelectItemWidget::SetMaxLines(std::int32_t lines) {
    m_text.SetMaxLines(lines);
    InvalidateSize();
}

void CSelectItemWidget::SetChecked(bool checked) {
    m_checked = checked ? 1 : 0;
    Invalidate();
}
