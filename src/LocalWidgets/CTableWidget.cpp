#include "src/LocalWidgets/CTableWidget.h"

#include <algorithm>
#include <limits>
#include <new>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/RectUtil.h"

namespace {

// The inner lines before and after line i that a grid without inner lines of
// that kind leaves out; a header (line 0) keeps its line after it.
std::uint32_t InnerEdges(std::int32_t i, std::int32_t last, bool header, std::uint32_t before, std::uint32_t after) {
    const std::int32_t lowest = header ? 1 : 0;
    std::uint32_t edges = 0;
    if (i > lowest) edges |= before;
    if (i >= lowest && i < last) edges |= after;
    return edges;
}

}  // namespace

std::int32_t CTableWidget::Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

bool CTableWidget::RefreshSizes() {
    const bool refresh = m_sizeDirty;
    if (refresh) {
        m_sizeDirty = false;
        // Never below 0, so that the row pitch is never 0.
        m_rowHeight = std::max(0, GetRowHeight());
        for (std::int32_t c = 0; c < m_columns; ++c) m_naturalWidths[c] = GetColumnWidth(c);
    }
    std::copy(m_naturalWidths.get(), m_naturalWidths.get() + m_columns, m_widths.get());
    return refresh;
}

void CTableWidget::Measure() {
    if (!HasCells()) return;
    RefreshSizes();
    const std::int32_t pitch = RowPitch();
    const std::int32_t height = LocalRect().h;
    m_visibleRows = std::clamp((height - 1) / pitch + (height % pitch != 0 ? 1 : 0), 0, m_rows);

    // Column 0 takes the width the others leave.
    std::int64_t others = 4;
    for (std::int32_t c = 1; c < m_columns; ++c) others += std::int64_t{m_widths[c]} + 3;
    m_widths[0] = Saturate(std::max<std::int64_t>(m_naturalWidths[0] / 2 - 4, LocalRect().w - others));

    if (!IsRowVisible(m_selectedRow)) MoveSelection(kMoveDown);
    SetMeasuredSize(kFill, Saturate(std::int64_t{m_rows} * pitch + 1));
}

void CTableWidget::Draw() {
    FillBackground();
    if (HasCells()) {
        const CRect& screen = ScreenRect();
        const std::int32_t pitch = RowPitch();
        std::int32_t first = 0, end = 0;
        GetVisibleRows(&first, &end);
        for (std::int64_t row = first, y = row * pitch - GetClipOffsetY(); row < m_rows && y < screen.h;
             ++row, y += pitch) {
            for (std::int64_t column = 0, x = -GetClipOffsetX(); column < m_columns && x < screen.w;
                 x += std::int64_t{m_widths[column]} + 3, ++column) {
                DrawCellAndContent(screen, screen.x + x, screen.y + y, static_cast<std::int32_t>(row),
                                   static_cast<std::int32_t>(column));
            }
        }
    }
    DrawFocusFrame();
}

void CTableWidget::DrawCellAndContent(const CRect& clip, std::int64_t x, std::int64_t y, std::int32_t row,
                                      std::int32_t column) {
    DrawCell(clip, Saturate(x), Saturate(y), row, column);
    DrawCellContent(clip, Saturate(x + 2), Saturate(y + 2), row, column);
}

void CTableWidget::DrawFocusFrame() {
    if (IsFocused()) CDrawUtil::DrawFrame(&ScreenRect(), &ScreenRect(), GetHighlightColour(), 1, 0);
}

bool CTableWidget::OnKeyDown(std::uint16_t key, std::uintptr_t) {
    bool handled = false;
    switch (key) {
        case kKeyUp: handled = MoveSelection(kMoveUp); break;
        case kKeyDown: handled = MoveSelection(kMoveDown); break;
        case kKeySelect:
        case kKeyLeftSoft:
            handled = IsEnabled() && IsVisible() && IsFocused() && (IsSelectable() || IsRowVisible(m_selectedRow));
            if (handled) Notify(kNotifyAccept, 0, WidgetParam(this));
            break;
        default: break;
    }
    if (handled) Invalidate();
    return handled;
}

void CTableWidget::GetVisibleRows(std::int32_t* first, std::int32_t* end) const {
    *first = GetClipOffsetY() / RowPitch();
    *end = static_cast<std::int32_t>(std::min<std::int64_t>(m_rows, std::int64_t{*first} + m_visibleRows));
}

void CTableWidget::GetVisibleColumns(std::int32_t* first, std::int32_t* end) const {
    *first = 0;
    *end = m_columns;
}

std::uint32_t CTableWidget::GetCellBorders(std::int32_t row, std::int32_t column) const {
    return BorderEdges(row, column, 0, 0, m_rows - 1, m_columns - 1);
}

std::uint32_t CTableWidget::BorderEdges(std::int32_t row, std::int32_t column, std::int32_t firstRow,
                                        std::int32_t firstColumn, std::int32_t lastRow, std::int32_t lastColumn) const {
    const bool outer = (m_gridStyle & kGridOuter) != 0;
    const bool headerRow = (m_gridStyle & kGridHeaderRow) != 0;
    const bool headerColumn = (m_gridStyle & kGridHeaderColumn) != 0;
    constexpr std::uint32_t kAll = kEdgeTop | kEdgeBottom | kEdgeLeft | kEdgeRight;
    std::uint32_t edges = 0;
    // A header column keeps only its right line, a header row its bottom
    // line; the corner they share keeps none.
    if (headerColumn && column == 0) edges |= (!outer || (headerRow && row == 0)) ? kAll : kAll & ~kEdgeRight;
    if (headerRow && row == 0) edges |= (!outer || (headerColumn && column == 0)) ? kAll : kAll & ~kEdgeBottom;
    if (!outer) {
        if (row == firstRow) edges |= kEdgeTop;
        if (row == m_rows - 1) edges |= kEdgeBottom;
        if (column == firstColumn) edges |= kEdgeLeft;
        if (column == m_columns - 1) edges |= kEdgeRight;
    }
    if (!(m_gridStyle & kGridInnerRows)) edges |= InnerEdges(row, lastRow, headerRow, kEdgeTop, kEdgeBottom);
    if (m_rowGroup > 1) {
        const std::int32_t base = headerRow ? 0 : -1;
        if (base < row && row < lastRow && (row - base) % m_rowGroup != 0) edges |= kEdgeBottom;
        if (row > base + 1 && (row - base - 1) % m_rowGroup != 0) edges |= kEdgeTop;
    }
    if (!(m_gridStyle & kGridInnerColumns)) {
        edges |= InnerEdges(column, lastColumn, headerColumn, kEdgeLeft, kEdgeRight);
    }
    return edges;
}

bool CTableWidget::IsRowVisible(std::int32_t row) const {
    std::int32_t first = 0, end = 0;
    GetVisibleRows(&first, &end);
    return first <= row && row < end;
}

bool CTableWidget::IsRowSelectable(std::int32_t row) const {
    return m_selectableRows != nullptr && row >= 0 && row < m_rows &&
           ((m_selectableRows[row / 8] >> (7 - row % 8)) & 1) != 0;
}

bool CTableWidget::MoveSelection(std::int32_t direction) {
    if (m_selectableRows == nullptr || (direction != kMoveUp && direction != kMoveDown)) return false;
    std::int32_t first = 0, end = 0;
    GetVisibleRows(&first, &end);
    const std::int32_t step = direction == kMoveUp ? -1 : 1;
    std::int32_t row = IsRowVisible(m_selectedRow) ? m_selectedRow + step : (step < 0 ? end - 1 : first);
    for (; row >= first && row < end; row += step) {
        if (IsRowSelectable(row)) {
            m_selectedRow = row;
            return true;
        }
    }
    return false;
}

std::uint32_t CTableWidget::GetCellBackground(std::int32_t row, std::int32_t column) const {
    if (IsFocused() && (row == m_selectedRow || IsSelected())) return GetHighlightColour();
    if (row == 0 && (m_colourFlags & kHeaderRowSet)) return m_headerRowBackground;
    if (column == 0 && (m_colourFlags & kHeaderColumnSet)) return m_headerColumnBackground;
    return (m_colourFlags & kBodySet) ? m_bodyBackground : GetBackgroundColour();
}

std::uint32_t CTableWidget::GetCellTextColour(std::int32_t row, std::int32_t column) const {
    if (row == 0 && (m_colourFlags & kHeaderRowSet)) return m_headerRowText;
    if (column == 0 && (m_colourFlags & kHeaderColumnSet)) return m_headerColumnText;
    return (m_colourFlags & kBodySet) ? m_bodyText : GetForegroundColour();
}

void CTableWidget::DrawCell(const CRect& clip, std::int32_t x, std::int32_t y, std::int32_t row, std::int32_t column) {
    const std::uint32_t edges = GetCellBorders(row, column);
    const CRect frame = WidgetRect(x, y, std::int64_t{m_widths[column]} + 4, std::int64_t{m_rowHeight} + 4);
    const std::uint32_t background = GetCellBackground(row, column);
    if (!IsTransparent() || background != GetBackgroundColour()) {
        CRect fill = frame;
        ClipRect(&fill, &clip);
        CDrawUtil::FillRect(&fill, background);
    }
    CDrawUtil::DrawFrame(&clip, &frame, (m_colourFlags & kGridSet) ? m_gridColour : GetForegroundColour(), 1, edges);
}

std::int32_t CTableWidget::SetDimensions(std::int32_t rows, std::int32_t columns, std::uint32_t gridStyle) {
    m_gridStyle = gridStyle;
    m_sizeDirty = true;
    m_rows = m_columns = 0;
    m_naturalWidths.reset();
    m_widths.reset();
    std::int32_t result = kBadDimensions;
    if (rows >= 1 && columns >= 1) {
        m_naturalWidths.reset(new (std::nothrow) std::int32_t[static_cast<std::size_t>(columns)]());
        m_widths.reset(new (std::nothrow) std::int32_t[static_cast<std::size_t>(columns)]());
        if (m_naturalWidths != nullptr && m_widths != nullptr) {
            m_rows = rows;
            m_columns = columns;
            result = kOk;
        } else {
            m_naturalWidths.reset();
            m_widths.reset();
            result = kNoMemory;
        }
    }
    InvalidateSize();
    return result;
}

void CTableWidget::SetHeaderRowColours(std::uint32_t background, std::uint32_t text) {
    m_headerRowBackground = background;
    m_headerRowText = text;
    m_colourFlags |= kHeaderRowSet;
    Invalidate();
}

void CTableWidget::SetHeaderColumnColours(std::uint32_t background, std::uint32_t text) {
    m_headerColumnBackground = background;
    m_headerColumnText = text;
    m_colourFlags |= kHeaderColumnSet;
    Invalidate();
}

void CTableWidget::SetBodyColours(std::uint32_t background, std::uint32_t text) {
    m_bodyBackground = background;
    m_bodyText = text;
    m_colourFlags |= kBodySet;
    Invalidate();
}

void CTableWidget::SetGridColour(std::uint32_t colour) {
    m_gridColour = colour;
    m_colourFlags |= kGridSet;
    Invalidate();
}

void CTableWidget::SetRowGroup(std::int32_t rows) {
    m_rowGroup = rows;
    Invalidate();
}

void CTableWidget::SetSelectableRows(const std::uint8_t* bits) {
    m_selectableRows = bits;
    Invalidate();
}

void CTableWidget::SetSelectedRow(std::int32_t row) {
    if (row < 0 || row >= m_rows) return;
    m_selectedRow = row;
    Invalidate();
}
