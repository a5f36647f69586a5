#include "src/LocalWidgets/CImageMenuWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CImage.h"

CImage* CImageMenuWidget::ImageAt(std::int32_t index) const {
    std::uintptr_t image = 0;
    m_images.Get(index, &image);
    return reinterpret_cast<CImage*>(image);
}

void CImageMenuWidget::Measure() {
    const std::int32_t count = m_images.GetSize();
    m_cellWidth = m_cellHeight = 0;
    if (count <= 0) return;
    for (std::int32_t i = 0; i < count; ++i) {
        m_cellWidth = std::max(m_cellWidth, ImageAt(i)->GetWidth());
        m_cellHeight = std::max(m_cellHeight, ImageAt(i)->GetHeight());
    }
    // At least one column, also when the widget is narrower than a cell or
    // the cells have no width.
    const std::int64_t pitch = CellPitchX();
    std::int64_t columns = pitch > 0 ? (LocalRect().w - std::int64_t{m_inset}) / pitch : 1;
    if (m_maxColumns >= 1) columns = std::min<std::int64_t>(columns, m_maxColumns);
    m_columns = static_cast<std::int32_t>(std::clamp<std::int64_t>(columns, 1, count));
    m_rows = count / m_columns + (count % m_columns != 0 ? 1 : 0);
    SetMeasuredSize(kFill, static_cast<std::int32_t>(m_rows * CellPitchY()));
}

void CImageMenuWidget::Draw() {
    FillBackground();
    const std::int32_t count = m_images.GetSize();
    if (count <= 0 || m_columns < 1) return;
    const CRect& screen = ScreenRect();
    const std::int64_t pitchX = CellPitchX(), pitchY = CellPitchY();
    const std::int64_t gridX = AlignX(screen.x, screen.x + screen.w, static_cast<std::int32_t>(m_columns * pitchX));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int64_t x = gridX + i % m_columns * pitchX - GetClipOffsetX();
        const std::int64_t y = screen.y + i / m_columns * pitchY - GetClipOffsetY();
        CImage* image = ImageAt(i);
        image->Draw(&screen, static_cast<std::int32_t>(x + m_inset + ((m_cellWidth - image->GetWidth()) >> 1)),
                    static_cast<std::int32_t>(y + m_inset + ((m_cellHeight - image->GetHeight()) >> 1)));
        if (!IsFocused() || i != m_selected) continue;
        if (m_selectionImage != nullptr) {
            m_selectionImage->Draw(&screen,
                                   static_cast<std::int32_t>(x + ((pitchX - m_selectionImage->GetWidth()) >> 1)),
                                   static_cast<std::int32_t>(y + ((pitchY - m_selectionImage->GetHeight()) >> 1)));
        } else {
            const CRect frame = WidgetRect(x, y, m_cellWidth + 2 * std::int64_t{m_frameThickness},
                                           m_cellHeight + 2 * std::int64_t{m_frameThickness});
            CDrawUtil::DrawFrame(&screen, &frame, GetHighlightColour(), m_frameThickness, 0);
        }
    }
}

bool CImageMenuWidget::OnKeyDown(std::uint16_t key, std::uintptr_t) {
    if (key == kKeySelect || key == kKeyLeftSoft) {
        Notify(kNotifyAccept, 0, WidgetParam(this));
        return true;
    }
    const std::int32_t last = m_images.GetSize() - 1;
    const std::int32_t columns = std::max(1, m_columns);
    std::int32_t target = 0;
    switch (key) {
        case kKeyUp: target = std::max(0, m_selected - columns); break;
        case kKeyDown: target = std::min(last, m_selected + columns); break;
        case kKeyLeft: target = std::max(0, m_selected - 1); break;
        case kKeyRight: target = std::min(last, m_selected + 1); break;
        default: return false;
    }
    if (target < 0 || target > last || target == m_selected) return false;
    m_selected = target;
    // Ask the parent to scroll the selected row into view.
    const std::int64_t top = m_selected / columns * CellPitchY() - GetClipOffsetY();
    const std::int64_t bottom = top + CellPitchY();
    if (top < 0) {
        Notify(kNotifyScroll, kScrollUp, static_cast<std::uintptr_t>(-top));
    } else if (bottom > ScreenRect().h) {
        Notify(kNotifyScroll, kScrollDown, static_cast<std::uintptr_t>(bottom - ScreenRect().h));
    }
    Invalidate();
    return true;
}

void CImageMenuWidget::SetInset(std::int32_t pixels) {
    m_inset = pixels;
    InvalidateSize();
}

void CImageMenuWidget::SetFrameThickness(std::int32_t pixels) {
    m_frameThickness = pixels;
    InvalidateSize();
}

void CImageMenuWidget::SetMaxColumns(std::int32_t columns) {
    m_maxColumns = columns;
    InvalidateSize();
}

void CImageMenuWidget::SetSelectionImage(CImage* image) {
    m_selectionImage = image;
    Invalidate();
}

std::int32_t CImageMenuWidget::AddImage(CImage* image) {
    if (image == nullptr) return 1;
    const std::int32_t result = m_images.Add(reinterpret_cast<std::uintptr_t>(image));
    InvalidateSize();
    return result;
}

void CImageMenuWidget::SetSelectedIndex(std::int32_t index) {
    m_selected = std::max(0, std::min(index, m_images.GetSize() - 1));
    Invalidate();
}
