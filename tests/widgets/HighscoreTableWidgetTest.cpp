// The highscore table: names on the left, scores right-aligned on the
// right, an empty cell for a null name.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "src/CHighscoreTableWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using HighscoreTable = WidgetWorld;
using Glyph = TextFont::Glyph;

const char16_t* const kNames[] = {u"ab", nullptr, u"abcd"};
const std::int32_t kScores[] = {100, 5, -5};

TEST_F(HighscoreTable, ColumnsAreAsWideAsTheirWidestText) {
    TextFont font;
    const char16_t* noNames[] = {nullptr, nullptr};
    const std::tuple<const char16_t* const*, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {kNames, 3, 20, 15}, {kNames, 2, 10, 15}, {noNames, 2, 0, 15}, {kNames, 0, 0, 0},
    };
    for (const auto& [rows, count, nameWidth, scoreWidth] : cases) {
        CHighscoreTableWidget table;
        table.SetData(&font.font, rows, kScores, count);
        EXPECT_EQ(table.GetRowHeight(), 10);
        EXPECT_EQ(std::make_pair(table.GetColumnWidth(0), table.GetColumnWidth(1)), std::pair(nameWidth, scoreWidth));
    }
}

// Column 0 takes 78 of the 100 pixels, so the scores (15 wide at most) end
// at 83 + 15.
TEST_F(HighscoreTable, ScoresEndOnTheColumnsRightEdge) {
    TextFont font;
    CHighscoreTableWidget table;
    table.SetDimensions(3, 2, CTableWidget::kGridOuter);
    table.SetData(&font.font, kNames, kScores, 3);
    table.SetLocalRect(CRect(0, 0, 100, 40));
    table.Paint();
    EXPECT_EQ(font.Glyphs(), std::vector<Glyph>({{u'a', 2, 2}, {u'b', 7, 2}, {u'1', 83, 2}, {u'0', 88, 2},
                                                 {u'0', 93, 2},  // row 1: no name
                                                 {u'5', 93, 15},
                                                 {u'a', 2, 28}, {u'b', 7, 28}, {u'c', 12, 28}, {u'd', 17, 28},
                                                 {u'-', 88, 28}, {u'5', 93, 28}}));
}

}  // namespace
