// The highscore screen's table: two columns, the players' names on the left
// and their scores right-aligned on the right, one row per entry. The font
// and the arrays stay the caller's; a null name leaves its cell empty. The
// owner sets the dimensions (rows, 2 columns) on the table.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CTableWidget.h"

class CFont;

class CHighscoreTableWidget : public CTableWidget {
public:
    static constexpr std::uint32_t kClassId = 0xF48CCC4F;

    CHighscoreTableWidget() { SetClassId(kClassId); }
    ~CHighscoreTableWidget() override = default;

    // The font, names and scores must not be null.
    void SetData(CFont* font, const char16_t* const* names, const std::int32_t* scores, std::int32_t rows);

    // The font's height.
    std::int32_t GetRowHeight() const override;
    // The widest name (column 0) or score (column 1); 0 without rows.
    std::int32_t GetColumnWidth(std::int32_t column) const override;
    void DrawCellContent(const CRect& clip, std::int32_t x, std::int32_t y, std::int32_t row,
                         std::int32_t column) override;

private:
    CFont* m_font = nullptr;
    const char16_t* const* m_names = nullptr;
    const std::int32_t* m_scores = nullptr;
    std::int32_t m_rows = 0;
};
