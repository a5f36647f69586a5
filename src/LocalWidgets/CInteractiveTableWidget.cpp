#include "src/LocalWidgets/CInteractiveTableWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/RectUtil.h"

namespace {

// Past a fixed header (index 0) the cells go on at the first scrolled one.
std::int32_t NextShown(std::int32_t i, bool fixedHeader, std::int32_t firstScrolled) {
    return fixedHeader && i == 0 ? firstScrolled : i + 1;
}

}  // namespace

CInteractiveTableWidget::~CInteractiveTableWidget() {
    ReleaseBar(m_verticalBar);
    ReleaseBar(m_horizontalBar);
}

void CInteractiveTableWidget::ForgetChild(CUIWidget* child) {
    if (child != m_verticalBar && child != m_horizontalBar) return;
    if (child == m_verticalBar) m_verticalBar = nullptr, m_verticalShown = 0;
    if (child == m_horizontalBar) m_horizontalBar = nullptr, m_horizontalShown = 0;
    InvalidateSize();  // the cells take the bar's room back
}

void CInteractiveTableWidget::AdoptBar(CSliderWidget* bar) {
    // The table is the bar's parent from the start, so that a bar destroyed
    // before it was ever measured is forgotten as well.
    if (bar != nullptr) bar->SetParent(this);
}

void CInteractiveTableWidget::ReleaseBar(CSliderWidget* bar) {
    if (bar != nullptr && bar->GetParent() == this) bar->SetParent(nullptr);
}

std::int32_t CInteractiveTableWidget::SizePages() {
    const std::int32_t rows = std::clamp((m_inner.h - 1) / RowPitch(), 0, GetRowCount());
    m_pageRows = rows;
    m_pageColumns = std::min(GetColumnCount(), 3);
    m_scrollableRows = GetRowCount();
    m_scrollableColumns = GetColumnCount();
    if (m_fixedHeaderRow) --m_pageRows, --m_scrollableRows;
    if (m_fixedHeaderColumn) --m_pageColumns, --m_scrollableColumns;
    // One column at a time when column 1 takes a quarter of the width or
    // more; a table without width (not laid out, or clipped away) keeps its
    // columns.
    if (m_pageColumns > 1 && m_inner.w != 0 && std::int64_t{ColumnWidth(1)} * 2048 / m_inner.w >= 512) {
        m_pageColumns = 1;
    }
    return rows;
}

void CInteractiveTableWidget::Measure() {
    if (!HasCells()) return;
    if (RefreshSizes()) m_firstRow = m_firstColumn = 0;
    const std::int32_t columns = GetColumnCount();
    if (m_fixedHeaderColumn && columns > 1) {
        std::int32_t widest = NaturalWidth(1);
        for (std::int32_t c = 2; c < columns; ++c) widest = std::max(widest, NaturalWidth(c));
        for (std::int32_t c = 1; c < columns; ++c) SetLaidOutWidth(c, widest);
    }

    // Each bar that is needed narrows the cells' area, which may change the
    // pages and call for the other bar.
    m_verticalShown = m_horizontalShown = 0;
    m_inner = WidgetRect(0, 0, LocalRect().w, LocalRect().h);
    std::int32_t pageRows = SizePages();
    for (;;) {
        if (m_verticalBar != nullptr && !m_verticalShown && m_scrollableRows > m_pageRows) {
            m_inner.w = static_cast<std::int16_t>(m_inner.w - m_verticalBar->GetThickness());
            m_verticalShown = 1;
        } else if (m_horizontalBar != nullptr && !m_horizontalShown && m_scrollableColumns >= m_pageColumns) {
            m_inner.h = static_cast<std::int16_t>(m_inner.h - m_horizontalBar->GetThickness());
            m_horizontalShown = 1;
        } else {
            break;
        }
        pageRows = SizePages();
    }
    m_inner.h = static_cast<std::int16_t>(Saturate(std::int64_t{pageRows} * RowPitch() + 1));

    if (m_fixedHeaderColumn) {
        const std::int64_t shown =
            columns > 1 ? (std::int64_t{ColumnWidth(1)} + 3) * std::min(columns - 1, m_pageColumns) : 0;
        SetLaidOutWidth(0, Saturate(m_inner.w - 4 - shown));
    }

    const struct {
        CSliderWidget* bar;
        bool shown;
        CRect rect;
    } bars[] = {
        {m_verticalBar, m_verticalShown != 0,
         WidgetRect(m_inner.x + m_inner.w, m_inner.y, m_verticalBar ? m_verticalBar->GetThickness() : 0, m_inner.h)},
        {m_horizontalBar, m_horizontalShown != 0,
         WidgetRect(m_inner.x, m_inner.y + m_inner.h, m_inner.w,
                    m_horizontalBar ? m_horizontalBar->GetThickness() : 0)},
    };
    for (const auto& [bar, shown, rect] : bars) {
        if (bar == nullptr) continue;
        bar->SetParent(this);
        bar->SetEnabled(shown);
        if (shown) {
            if (bar == m_horizontalBar) bar->SetHorizontal(1);
            bar->SetLocalRect(rect);
        }
        bar->EnsureMeasured();
    }

    if (!IsRowVisible(GetSelectedRow())) MoveSelection(kMoveDown);
    SetMeasuredSize(kFill, kFill);
}

void CInteractiveTableWidget::Layout() {
    const CRect& screen = ScreenRect();
    m_innerScreen = WidgetRect(screen.x + m_inner.x, screen.y + m_inner.y, m_inner.w, m_inner.h);
    for (CSliderWidget* bar :
         {m_verticalShown ? m_verticalBar : nullptr, m_horizontalShown ? m_horizontalBar : nullptr}) {
        if (bar == nullptr) continue;
        const CRect& local = bar->GetLocalRect();
        CRect rect = WidgetRect(screen.x + local.x, screen.y + local.y, local.w, local.h);
        ClipRect(&rect, &screen);
        bar->SetScreenRect(rect);
    }
}

void CInteractiveTableWidget::Draw() {
    FillBackground();
    if (!HasCells()) return;
    const CRect& screen = ScreenRect();
    std::int32_t firstRow = 0, endRow = 0, firstColumn = 0, endColumn = 0;
    GetVisibleRows(&firstRow, &endRow);
    GetVisibleColumns(&firstColumn, &endColumn);
    const bool fixedRow = m_fixedHeaderRow != 0, fixedColumn = m_fixedHeaderColumn != 0;
    std::int64_t y = -GetClipOffsetY();
    for (std::int32_t row = fixedRow ? 0 : firstRow; row < endRow && y < screen.h;
         row = NextShown(row, fixedRow, firstRow), y += RowPitch()) {
        std::int64_t x = -GetClipOffsetX();
        for (std::int32_t column = fixedColumn ? 0 : firstColumn; column < endColumn;
             x += std::int64_t{ColumnWidth(column)} + 3, column = NextShown(column, fixedColumn, firstColumn)) {
            DrawCellAndContent(screen, m_innerScreen.x + x, m_innerScreen.y + y, row, column);
        }
    }
    DrawFocusFrame();
    if (m_verticalShown) {
        m_verticalBar->SetRange(m_firstRow, m_scrollableRows - m_pageRows, m_pageRows);
        m_verticalBar->MarkDirty();
        m_verticalBar->Paint();
    }
    if (m_horizontalShown) {
        m_horizontalBar->SetRange(m_firstColumn, m_scrollableColumns - m_pageColumns, 1);
        m_horizontalBar->MarkDirty();
        m_horizontalBar->Paint();
    }
}

bool CInteractiveTableWidget::OnKeyDown(std::uint16_t key, std::uintptr_t p32) {
    if (m_pageRows <= 0) return false;
    bool handled = false;
    switch (key) {
        case kKeyUp:
            handled = MoveSelection(kMoveUp);
            if (!handled && m_firstRow > 0) {
                m_firstRow = std::max(0, m_firstRow - m_pageRows);
                MoveSelection(kMoveUp);
                handled = true;
            }
            break;
        case kKeyDown:
            handled = MoveSelection(kMoveDown);
            if (!handled && m_firstRow + m_pageRows < m_scrollableRows) {
                m_firstRow = std::min(m_scrollableRows - m_pageRows, m_firstRow + m_pageRows);
                MoveSelection(kMoveDown);
                handled = true;
            }
            break;
        case kKeyLeft:
            handled = m_firstColumn > 0;
            if (handled) --m_firstColumn;
            break;
        case kKeyRight:
            handled = m_firstColumn < m_scrollableColumns - m_pageColumns;
            if (handled) ++m_firstColumn;
            break;
        case kKeySelect:
        case kKeyLeftSoft: return CTableWidget::OnKeyDown(key, p32);
        default: break;
    }
    if (handled) Invalidate();
    return handled;
}

void CInteractiveTableWidget::GetVisibleRows(std::int32_t* first, std::int32_t* end) const {
    *first = m_firstRow + m_fixedHeaderRow;
    *end = static_cast<std::int32_t>(std::min<std::int64_t>(GetRowCount(), std::int64_t{*first} + m_pageRows));
}

void CInteractiveTableWidget::GetVisibleColumns(std::int32_t* first, std::int32_t* end) const {
    *first = m_firstColumn + m_fixedHeaderColumn;
    *end = static_cast<std::int32_t>(std::min<std::int64_t>(GetColumnCount(), std::int64_t{*first} + m_pageColumns));
}

std::uint32_t CInteractiveTableWidget::GetCellBorders(std::int32_t row, std::int32_t column) const {
    std::int32_t firstRow = 0, endRow = 0, firstColumn = 0, endColumn = 0;
    GetVisibleRows(&firstRow, &endRow);
    GetVisibleColumns(&firstColumn, &endColumn);
    return BorderEdges(row, column, m_firstRow, m_firstColumn, endRow - 1, endColumn - 1);
}

bool CInteractiveTableWidget::IsRowVisible(std::int32_t row) const {
    return CTableWidget::IsRowVisible(row) || (m_fixedHeaderRow && row == 0);
}

bool CInteractiveTableWidget::MoveSelection(std::int32_t direction) {
    if (CTableWidget::MoveSelection(direction)) return true;
    if (direction != kMoveUp || !m_fixedHeaderRow || m_firstRow != 0 || !IsRowSelectable(0)) return false;
    SetSelectedRowUnchecked(0);
    return true;
}

void CInteractiveTableWidget::SetFixedHeaderRow(bool fixed) {
    m_fixedHeaderRow = fixed ? 1 : 0;
    InvalidateSize();
}

void CInteractiveTableWidget::SetFixedHeaderColumn(bool fixed) {
    m_fixedHeaderColumn = fixed ? 1 : 0;
    InvalidateSize();
}

void CInteractiveTableWidget::SetVerticalScrollBar(CSliderWidget* bar) {
    if (bar != m_verticalBar) ReleaseBar(m_verticalBar);
    m_verticalBar = bar;
    AdoptBar(bar);
    InvalidateSize();
}

void CInteractiveTableWidget::SetHorizontalScrollBar(CSliderWidget* bar) {
    if (bar != m_horizontalBar) ReleaseBar(m_horizontalBar);
    m_horizontalBar = bar;
    AdoptBar(bar);
    InvalidateSize();
}
