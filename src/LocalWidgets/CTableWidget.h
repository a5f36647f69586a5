// An abstract grid of rows and columns: one row height, per-column widths,
// framed cells with optional header-row and header-column colours, grid
// lines that can be left out by kind or kept only between groups of rows,
// and one selected row among the selectable ones, moved by the up and down
// keys within the visible rows. Subclasses supply the row height, the
// column widths and the cell contents.
//
// A row is row height + 3 pixels apart from the next, a column its width
// + 3; a cell's frame measures (width + 4) x (row height + 4), so
// neighbouring frames share their lines, and its content starts 2 pixels
// inside the frame.
#pragma once

#include <cstdint>
#include <memory>

#include "src/LocalWidgets/CUIWidget.h"

class CTableWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0xA0174350;

    enum GridStyle : std::uint32_t {
        kGridOuter = 1,
        kGridInnerRows = 2,
        kGridInnerColumns = 4,
        kGridHeaderRow = 8,
        kGridHeaderColumn = 16,
    };
    // Edges of a cell's frame that GetCellBorders leaves out.
    enum Edge : std::uint32_t { kEdgeTop = 1, kEdgeBottom = 2, kEdgeLeft = 4, kEdgeRight = 8 };
    enum Direction : std::int32_t { kMoveUp = 1, kMoveDown = 2 };
    enum Result : std::int32_t { kOk = 0, kNoMemory = 2, kBadDimensions = 3 };

    CTableWidget() { SetClassId(kClassId); }
    ~CTableWidget() override = default;

    // Fills the width; as high as all the rows.
    void Measure() override;
    void Draw() override;
    // Up and down move the selection; select and the left soft key accept
    // when the focused table is selectable itself or shows its selected row.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    // [first, end) of the rows shown, from the hidden pixels at the top.
    virtual void GetVisibleRows(std::int32_t* first, std::int32_t* end) const;
    virtual void GetVisibleColumns(std::int32_t* first, std::int32_t* end) const;
    // The edges (Edge) to leave out of the cell's frame.
    virtual std::uint32_t GetCellBorders(std::int32_t row, std::int32_t column) const;
    virtual bool IsRowVisible(std::int32_t row) const;
    virtual bool IsRowSelectable(std::int32_t row) const;
    // The first selectable visible row after (kMoveDown) or before (kMoveUp)
    // the selected one; true when the selection moved.
    virtual bool MoveSelection(std::int32_t direction);
    virtual std::uint32_t GetCellBackground(std::int32_t row, std::int32_t column) const;
    virtual std::uint32_t GetCellTextColour(std::int32_t row, std::int32_t column) const;
    // The cell's background and frame, its top-left at (x, y).
    virtual void DrawCell(const CRect& clip, std::int32_t x, std::int32_t y, std::int32_t row, std::int32_t column);
    virtual std::int32_t GetRowHeight() const = 0;
    virtual std::int32_t GetColumnWidth(std::int32_t column) const = 0;
    // The cell's content with its top-left at (x, y), within clip.
    virtual void DrawCellContent(const CRect& clip, std::int32_t x, std::int32_t y, std::int32_t row,
                                 std::int32_t column) = 0;

    // kOk, kNoMemory or kBadDimensions (rows or columns below 1); a table
    // refused either way has no cells. The sizes are asked again at the
    // next measure.
    std::int32_t SetDimensions(std::int32_t rows, std::int32_t columns, std::uint32_t gridStyle);
    void SetHeaderRowColours(std::uint32_t background, std::uint32_t text);
    void SetHeaderColumnColours(std::uint32_t background, std::uint32_t text);
    void SetBodyColours(std::uint32_t background, std::uint32_t text);
    void SetGridColour(std::uint32_t colour);
    // Above 1: inner horizontal lines only between groups of that many rows.
    void SetRowGroup(std::int32_t rows);
    // Row r is selectable when bit 7 - r % 8 of byte r / 8 is set; the bits
    // stay the caller's. Null: no row is selectable.
    void SetSelectableRows(const std::uint8_t* bits);
    // Ignored outside the rows.
    void SetSelectedRow(std::int32_t row);
    std::int32_t GetSelectedRow() const { return m_selectedRow; }
    std::int32_t GetRowCount() const { return m_rows; }
    std::int32_t GetColumnCount() const { return m_columns; }

protected:
    enum ColourFlag : std::uint32_t { kHeaderRowSet = 1, kHeaderColumnSet = 2, kBodySet = 4, kGridSet = 8 };

    // A sum or product of 32-bit values, kept within 32 bits.
    static std::int32_t Saturate(std::int64_t value);
    bool HasCells() const { return m_rows >= 1 && m_columns >= 1; }
    std::int32_t RowPitch() const { return m_rowHeight + 3; }
    std::int32_t ColumnWidth(std::int32_t column) const { return m_widths[column]; }
    // Asks the subclass for the sizes when they are out of date (true), then
    // starts the laid-out widths from the natural ones.
    bool RefreshSizes();
    // The frame edges to leave out: the outer top and left edges belong to
    // firstRow and firstColumn, the inner-line rules end at lastRow and
    // lastColumn.
    std::uint32_t BorderEdges(std::int32_t row, std::int32_t column, std::int32_t firstRow, std::int32_t firstColumn,
                              std::int32_t lastRow, std::int32_t lastColumn) const;
    void DrawCellAndContent(const CRect& clip, std::int64_t x, std::int64_t y, std::int32_t row, std::int32_t column);
    // A one-pixel frame in the highlight colour round a focused table.
    void DrawFocusFrame();
    void SetSelectedRowUnchecked(std::int32_t row) { m_selectedRow = row; }
    void SetLaidOutWidth(std::int32_t column, std::int32_t width) { m_widths[column] = width; }
    std::int32_t NaturalWidth(std::int32_t column) const { return m_naturalWidths[column]; }

private:
    std::uint32_t m_colourFlags = 0;
    std::uint32_t m_headerRowBackground = 0xFF000000, m_headerRowText = 0xFFFFFFFF;
    std::uint32_t m_headerColumnBackground = 0xFF000000, m_headerColumnText = 0xFFFFFFFF;
    std::uint32_t m_bodyBackground = 0xFF000000, m_bodyText = 0xFFFFFFFF;
    std::uint32_t m_gridColour = 0xFFFFFFFF;
    std::uint32_t m_gridStyle = kGridOuter | kGridInnerRows | kGridInnerColumns;
    std::int32_t m_rows = 0;
    std::int32_t m_columns = 0;
    std::int32_t m_rowGroup = 0;
    bool m_sizeDirty = false;
    std::int32_t m_rowHeight = 0;
    std::unique_ptr<std::int32_t[]> m_naturalWidths;
    std::unique_ptr<std::int32_t[]> m_widths;  // laid out
    std::int32_t m_visibleRows = 0;
    const std::uint8_t* m_selectableRows = nullptr;
    std::int32_t m_selectedRow = -1;
};
