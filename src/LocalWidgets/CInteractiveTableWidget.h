// A table larger than the widget: the rows scroll by pages and the columns
// one at a time, row 0 and column 0 can stay in view as fixed headers, and
// two optional scroll bars (sliders owned by the caller) show where the
// page is. At most three columns show at once, one when column 1 takes a
// quarter of the width or more. Abstract like its base.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/CTableWidget.h"

class CInteractiveTableWidget : public CTableWidget {
public:
    static constexpr std::uint32_t kClassId = 0xD5060116;

    CInteractiveTableWidget() { SetClassId(kClassId); }
    // The scroll bars outlive the table: they forget it as their parent.
    ~CInteractiveTableWidget() override;

    // Sizes the pages, narrowing the cells by each scroll bar shown, and
    // places the bars right of and below the cells. Fills the parent.
    void Measure() override;
    void Layout() override;
    void Draw() override;
    // Up and down move the selection and turn the page at its ends; left
    // and right scroll one column. Nothing without a page of rows.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    void GetVisibleRows(std::int32_t* first, std::int32_t* end) const override;
    void GetVisibleColumns(std::int32_t* first, std::int32_t* end) const override;
    std::uint32_t GetCellBorders(std::int32_t row, std::int32_t column) const override;
    // A fixed header row is always visible.
    bool IsRowVisible(std::int32_t row) const override;
    // Up past the first row of the first page reaches a fixed header row.
    bool MoveSelection(std::int32_t direction) override;
    // A scroll bar destroyed first is no longer the table's.
    void ForgetChild(CUIWidget* child) override;

    void SetFixedHeaderRow(bool fixed);
    void SetFixedHeaderColumn(bool fixed);
    bool IsFixedHeaderRow() const { return m_fixedHeaderRow != 0; }
    bool IsFixedHeaderColumn() const { return m_fixedHeaderColumn != 0; }
    // Null: no bar.
    void SetVerticalScrollBar(CSliderWidget* bar);
    void SetHorizontalScrollBar(CSliderWidget* bar);

private:
    void AdoptBar(CSliderWidget* bar);
    void ReleaseBar(CSliderWidget* bar);
    // Pages for the current inner rectangle; the page rows before a fixed
    // header row takes its place.
    std::int32_t SizePages();

    std::uint8_t m_fixedHeaderRow = 0;
    std::uint8_t m_fixedHeaderColumn = 0;
    CRect m_inner;        // the cells' area, relative to the widget
    CRect m_innerScreen;  // the same on the surface
    std::int32_t m_pageRows = 0;
    std::int32_t m_pageColumns = 0;
    std::int32_t m_firstRow = 0;  // scroll position in cells
    std::int32_t m_firstColumn = 0;
    std::int32_t m_scrollableRows = 0;
    std::int32_t m_scrollableColumns = 0;
    std::uint8_t m_verticalShown = 0;
    std::uint8_t m_horizontalShown = 0;
    CSliderWidget* m_verticalBar = nullptr;
    CSliderWidget* m_horizontalBar = nullptr;
};
