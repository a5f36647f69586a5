// Tables: the rows shown, the grid lines each style leaves out, the
// selection walk and accept; the interactive table's pages, column
// scrolling, fixed headers and scroll bars.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "src/LocalWidgets/CInteractiveTableWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Tables = WidgetWorld;
using Cell = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>;  // row, column, x, y

constexpr std::uint32_t kGrid = 0x0000FF;
constexpr std::uint8_t kAllRows[] = {0xFF, 0xFF, 0xFF};

// Fixed row height and column widths; records where each content is drawn.
template <class Table>
class Grid : public Table {
public:
    Grid(std::int32_t rows, std::vector<std::int32_t> widths, std::uint32_t style = 7) : m_widths(std::move(widths)) {
        this->SetDimensions(rows, static_cast<std::int32_t>(m_widths.size()), style);
        Colour(*this);
    }
    std::int32_t GetRowHeight() const override { return rowHeight; }
    std::int32_t GetColumnWidth(std::int32_t column) const override { return m_widths[column]; }
    void DrawCellContent(const CRect&, std::int32_t x, std::int32_t y, std::int32_t row, std::int32_t column) override {
        cells.emplace_back(row, column, x, y);
    }
    // The rows drawn.
    std::vector<std::int32_t> Rows() const {
        std::vector<std::int32_t> rows;
        for (const auto& [row, column, x, y] : cells) {
            if (column == 0) rows.push_back(row);
        }
        return rows;
    }

    std::int32_t rowHeight = 10;  // pitch 13
    std::vector<Cell> cells;

private:
    std::vector<std::int32_t> m_widths;
};

using Table = Grid<CTableWidget>;
using Interactive = Grid<CInteractiveTableWidget>;

// Keys by letter: u, d, l, r and s(elect); the result of each, '1'
// handled, '0' not.
std::string Press(CWidget& widget, const std::string& keys) {
    std::string results;
    for (const char key : keys) {
        const std::uint16_t code = key == 'u'   ? CUIWidget::kKeyUp
                                   : key == 'd' ? CUIWidget::kKeyDown
                                   : key == 'l' ? CUIWidget::kKeyLeft
                                   : key == 'r' ? CUIWidget::kKeyRight
                                                : CUIWidget::kKeySelect;
        results += widget.DispatchEvent(EVENT_KEY_PRESS, code, 0) ? '1' : '0';
    }
    return results;
}

// A pitch of 13: 39 / 13 + 1 rows in 40 pixels; the rows hidden above by
// the clip offset are skipped. A negative row height counts as 0; a table
// refused its dimensions has no cells.
TEST_F(Tables, VisibleRowsFollowTheHeightAndTheHiddenTop) {
    const std::tuple<std::int32_t, std::int16_t, std::int32_t, std::pair<std::int32_t, std::int32_t>> cases[] = {
        {10, 40, 0, {0, 4}}, {10, 14, 0, {0, 2}}, {10, 39, 0, {0, 2}},
        {3, 100, 0, {0, 3}}, {10, 0, 0, {0, 0}},  {10, 40, 26, {2, 6}},
    };
    for (const auto& [rows, height, hidden, visible] : cases) {
        Table table(rows, {10});
        table.SetLocalRect(CRect(0, 0, 50, height));
        table.SetClipOffsetY(hidden);
        EXPECT_EQ(table.GetMeasuredHeight(), rows * 13 + 1);
        std::int32_t first = 0, end = 0;
        table.GetVisibleRows(&first, &end);
        EXPECT_EQ(std::pair(first, end), visible) << rows << " " << height;
    }
    Table flat(10, {10}), refused(0, {10});
    flat.rowHeight = -3;
    EXPECT_EQ(refused.SetDimensions(3, 0, 7), CTableWidget::kBadDimensions);
    for (Table* table : {&flat, &refused}) table->SetLocalRect(CRect(0, 0, 50, 40));
    EXPECT_EQ(std::make_tuple(flat.GetMeasuredHeight(), refused.GetMeasuredHeight(), refused.Paint()),
              std::make_tuple(31, 0, true));
    EXPECT_TRUE(refused.cells.empty());
}

// Edges left out (1 top, 2 bottom, 4 left, 8 right), row by row.
TEST_F(Tables, GridStylesLeaveOutEdges) {
    const std::tuple<std::uint32_t, std::int32_t, std::int32_t, std::int32_t, std::vector<std::uint32_t>> cases[] = {
        {7, 3, 3, 0, std::vector<std::uint32_t>(9, 0)},  {1, 3, 3, 0, {10, 14, 6, 11, 15, 7, 9, 13, 5}},
        {15, 3, 3, 0, {13, 13, 13, 0, 0, 0, 0, 0, 0}},  {0, 3, 3, 0, std::vector<std::uint32_t>(9, 15)},
        {23, 3, 3, 0, {7, 0, 0, 7, 0, 0, 7, 0, 0}},     {25, 2, 2, 0, {15, 13, 7, 0}},
        // Groups of two: lines below rows 1, 3 and 5 only; with a header
        // row, below the header and rows 2 and 4.
        {7, 6, 2, 2, {2, 2, 1, 1, 2, 2, 1, 1, 2, 2, 1, 1}},
        {15, 6, 2, 2, {13, 13, 2, 2, 1, 1, 2, 2, 1, 1, 0, 0}},
    };
    for (const auto& [style, rows, columns, group, edges] : cases) {
        Table table(rows, std::vector<std::int32_t>(columns, 10), style);
        table.SetRowGroup(group);
        std::vector<std::uint32_t> got;
        for (std::int32_t r = 0; r < rows; ++r) {
            for (std::int32_t c = 0; c < columns; ++c) got.push_back(table.GetCellBorders(r, c));
        }
        EXPECT_EQ(got, edges) << "style " << style << " group " << group;
    }
}

// Rows 1, 2 and 5 selectable, four rows shown: the first measure selects
// row 1; the walk stays within the rows shown and never scrolls.
TEST_F(Tables, SelectionWalksTheSelectableRowsShown) {
    const std::uint8_t selectable[] = {0x64};
    const std::tuple<std::int32_t, std::string, std::string, std::int32_t> cases[] = {
        {0, "d", "1", 2},  {0, "dd", "10", 2},  {0, "u", "0", 1},      {0, "du", "11", 1},
        {26, "d", "1", 2}, {26, "dd", "11", 5}, {26, "ddd", "110", 5}, {26, "u", "1", 5},
    };
    for (const auto& [hidden, keys, results, selected] : cases) {
        Table table(8, {10});
        table.SetSelectableRows(selectable);
        table.SetLocalRect(CRect(0, 0, 50, 40));
        EXPECT_EQ(table.GetMeasuredHeight(), 105);
        EXPECT_EQ(table.GetSelectedRow(), 1);
        table.SetClipOffsetY(hidden);
        EXPECT_EQ(Press(table, keys), results) << hidden << keys;
        EXPECT_EQ(table.GetSelectedRow(), selected) << hidden << keys;
    }
    Table plain(8, {10});
    plain.SetLocalRect(CRect(0, 0, 50, 40));
    EXPECT_EQ(Press(plain, "ud"), "00");
    EXPECT_EQ(plain.GetSelectedRow(), -1);
}

// Accept needs the focus, and a selectable table or its selected row shown.
TEST_F(Tables, SelectAcceptsAFocusedTableWithItsRowShown) {
    const std::uint8_t selectable[] = {0x80};
    const std::tuple<bool, bool, bool, bool> cases[] = {
        {true, true, false, true}, {false, true, false, false}, {true, false, false, false}, {true, false, true, true},
    };
    for (const auto& [focused, rowShown, tableSelectable, accepted] : cases) {
        CContainerWidget root;  // posts the command
        Table table(8, {10});
        root.AddChild(&table, 0);
        table.SetFocusable(true);
        table.SetSelectable(tableSelectable);
        table.Focus(focused);
        if (rowShown) table.SetSelectableRows(selectable);
        table.SetLocalRect(CRect(0, 0, 50, 40));
        table.Paint();
        EXPECT_EQ(Press(table, "s"), accepted ? "1" : "0");
        EXPECT_EQ(TakePosted(), std::vector<Posted>(accepted, {EVENT_WIDGET_ACCEPT, 0, WidgetParam(&table)}));
    }
}

// Column 0 takes the width the others leave; rows are drawn while they
// start inside the table. The focused table's selected row takes the
// highlight, the lines the grid colour.
TEST_F(Tables, CellsAreDrawnFromTheTopLeftOfTheirFrames) {
    Table table(8, {10, 20, 30});
    const std::uint8_t selectable[] = {0x40};
    table.SetSelectableRows(selectable);
    table.SetGridColour(0xFF000000 | kGrid);
    table.SetFocusable(true);
    table.Focus(true);
    table.SetLocalRect(CRect(5, 7, 200, 60));
    table.Paint();
    ASSERT_EQ(table.cells.size(), 15u);
    EXPECT_EQ(table.cells[0], Cell(0, 0, 7, 9));
    EXPECT_EQ(table.cells[1], Cell(0, 1, 150, 9));
    EXPECT_EQ(table.cells[2], Cell(0, 2, 173, 9));
    EXPECT_EQ(table.cells[14], Cell(4, 2, 173, 61));
    EXPECT_EQ(Pixel(100, 27), kHigh);  // inside row 1
    EXPECT_EQ(Pixel(100, 40), kBack);  // inside row 2
    EXPECT_EQ(Pixel(100, 33), kGrid);  // between rows 1 and 2
    EXPECT_EQ(Pixel(148, 40), kGrid);  // between columns 0 and 1
    EXPECT_EQ(Pixel(5, 40), kHigh);    // the focus frame
}

// Twenty rows, all selectable, pages of five (66 pixels): past the page's
// end the page turns and the selection goes on; the last page ends at the
// last row. A fixed header row takes a row of each page, shows on every
// page and is reachable from the first.
TEST_F(Tables, InteractiveRowsTurnByPages) {
    using Rows = std::vector<std::int32_t>;
    const std::tuple<std::int32_t, bool, std::string, std::string, std::int32_t, Rows> cases[] = {
        {20, false, "ddddd", "11111", 5, {5, 6, 7, 8, 9}},
        {20, false, "dddddu", "111111", 4, {0, 1, 2, 3, 4}},
        {20, false, "u", "0", 0, {0, 1, 2, 3, 4}},
        {18, false, std::string(15, 'd') + "uuu", std::string(18, '1'), 12, {8, 9, 10, 11, 12}},
        {20, true, "u", "1", 0, {0, 1, 2, 3, 4}},
        {20, true, "dddd", "1111", 5, {0, 5, 6, 7, 8}},
        {20, true, "dddddddd", "11111111", 9, {0, 9, 10, 11, 12}},
    };
    for (const auto& [rows, fixedRow, keys, results, selected, shown] : cases) {
        Interactive table(rows, {10});
        table.SetFixedHeaderRow(fixedRow);
        table.SetSelectableRows(kAllRows);
        table.SetLocalRect(CRect(0, 0, 100, 66));
        table.Paint();
        EXPECT_EQ(Press(table, keys), results) << keys;
        EXPECT_EQ(table.GetSelectedRow(), selected) << keys;
        table.cells.clear();
        table.MarkDirty();
        table.Paint();
        EXPECT_EQ(table.Rows(), shown) << keys;
    }
}

// At most three columns, one at a time when column 1 takes a quarter of the
// width (100) or more; a table without width keeps its columns. Right is
// handled until the last column shows. A lone column may be a fixed header.
TEST_F(Tables, InteractiveColumnsScrollOneAtATime) {
    const std::tuple<std::vector<std::int32_t>, bool, std::int16_t, std::string> cases[] = {
        {{10, 10, 10, 10, 10, 10}, false, 100, "1110"}, {{10, 10, 10}, false, 100, "0"},
        {{10, 30}, false, 100, "10"}, {{10, 30, 30}, true, 100, "10"}, {{10, 10, 10, 10}, true, 100, "10"},
        {{10, 30}, false, 0, "0"},    {{10}, true, 100, "0"},
    };
    for (const auto& [widths, fixedColumn, width, results] : cases) {
        Interactive table(5, widths);
        table.SetFixedHeaderColumn(fixedColumn);
        table.SetLocalRect(CRect(0, 0, width, 66));
        table.Paint();
        EXPECT_EQ(Press(table, std::string(results.size(), 'r')), results);
        EXPECT_EQ(Press(table, std::string(results.size(), 'l')).substr(0, 1), results.substr(0, 1));
    }
}

// Both bars 6 thick on a 100 x 66 table at (10, 20): the vertical bar takes
// 6 of the width; the horizontal one 6 of the height, which leaves pages of
// four rows (53 pixels). With a fixed header column, column 0 fills what
// two columns of 10 leave of 94. The bars are declared first, so they
// outlive the table.
TEST_F(Tables, ScrollBarsNarrowTheCellsBeforeThePagesAreSized) {
    for (const bool fixedColumn : {false, true}) {
        CSliderWidget vertical, horizontal;
        Interactive table(20, {10, 10, 10, 10, 10, 10});
        table.SetFixedHeaderColumn(fixedColumn);
        table.SetVerticalScrollBar(&vertical);
        table.SetHorizontalScrollBar(&horizontal);
        table.SetLocalRect(CRect(10, 20, 100, 66));
        table.Paint();
        EXPECT_EQ(vertical.GetScreenRect(), CRect(104, 20, 6, 53));
        EXPECT_EQ(horizontal.GetScreenRect(), CRect(10, 73, 94, 6));
        EXPECT_TRUE(vertical.IsEnabled() && horizontal.IsEnabled() && horizontal.IsHorizontal());
        EXPECT_EQ(table.Rows(), std::vector<std::int32_t>({0, 1, 2, 3}));
        EXPECT_EQ(table.cells[0], Cell(0, 0, 12, 22));
        EXPECT_EQ(std::get<2>(table.cells[1]), fixedColumn ? 12 + 64 + 3 : 12 + 13);
    }
    // Bars destroyed before the table, or moved into a container first: it
    // draws and measures without them, its cells taking their room back
    // (the sanitizer build holds that it keeps no address of theirs).
    for (const auto& [shownFirst, movedFirst] : {std::pair(true, false), {false, false}, {true, true}}) {
        CContainerWidget other;
        auto vertical = std::make_unique<CSliderWidget>(), horizontal = std::make_unique<CSliderWidget>();
        Interactive table(20, {10, 10, 10, 10, 10, 10});
        table.SetSelectableRows(kAllRows);
        table.SetVerticalScrollBar(vertical.get());
        table.SetHorizontalScrollBar(horizontal.get());
        table.SetLocalRect(CRect(10, 20, 100, 66));
        if (shownFirst) table.Paint();
        if (movedFirst) {
            other.AddChild(vertical.get(), 0);
            other.AddChild(horizontal.get(), 1);
        }
        vertical.reset();
        horizontal.reset();
        table.Paint();
        EXPECT_EQ(Press(table, "ddddd"), "11111");
        table.cells.clear();
        table.MarkDirty();
        table.Paint();
        // Pages of (66 - 1) / 13 = 5 rows: the full height.
        EXPECT_EQ(table.Rows(), std::vector<std::int32_t>({5, 6, 7, 8, 9})) << shownFirst;
    }
    CSliderWidget unneeded;
    Interactive small(3, {10});
    small.SetVerticalScrollBar(&unneeded);
    small.SetLocalRect(CRect(0, 0, 100, 66));
    small.Paint();
    EXPECT_FALSE(unneeded.IsEnabled());
}

}  // namespace
