#include "src/CHighscoreTableWidget.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/graphics/2d/CFont.h"

namespace {

constexpr const char* kSource = "CHighscoreTableWidget";

// Room for any 32-bit value in decimal with its sign.
using ScoreText = char16_t[12];

const char16_t* FormatScore(ScoreText& text, std::int32_t score) {
    SWPrintf(text, u"%i", score);
    return text;
}

}  // namespace

void CHighscoreTableWidget::SetData(CFont* font, const char16_t* const* names, const std::int32_t* scores,
                                    std::int32_t rows) {
    DebugAssert(font != nullptr, kSource, 35);
    DebugAssert(names != nullptr, kSource, 36);
    DebugAssert(scores != nullptr, kSource, 37);
    m_font = font;
    m_names = names;
    m_scores = scores;
    m_rows = rows;
}

std::int32_t CHighscoreTableWidget::GetRowHeight() const {
    DebugAssert(m_font != nullptr, kSource, 51);
    return m_font != nullptr ? m_font->GetHeight() : 0;
}

std::int32_t CHighscoreTableWidget::GetColumnWidth(std::int32_t column) const {
    DebugAssert(m_font != nullptr, kSource, 69);
    DebugAssert(m_names != nullptr, kSource, 70);
    DebugAssert(m_scores != nullptr, kSource, 71);
    DebugAssert(column == 0 || column == 1, kSource, 72);
    std::int32_t width = 0;
    for (std::int32_t row = 0; row < m_rows; ++row) {
        ScoreText score;
        const char16_t* text = column == 0 ? m_names[row] : FormatScore(score, m_scores[row]);
        if (text != nullptr) width = std::max(width, m_font->Measure(text, -1, -1, nullptr));
    }
    return width;
}

void CHighscoreTableWidget::DrawCellContent(const CRect& clip, std::int32_t x, std::int32_t y, std::int32_t row,
                                            std::int32_t column) {
    DebugAssert(m_font != nullptr, kSource, 110);
    DebugAssert(m_names != nullptr, kSource, 111);
    DebugAssert(m_scores != nullptr, kSource, 112);
    DebugAssert(row < m_rows, kSource, 113);
    DebugAssert(column < 2, kSource, 114);
    ScoreText score;
    const char16_t* text = m_names[row];
    std::int32_t offset = 0;
    if (column == 1) {
        // Scores end on the column's right edge.
        text = FormatScore(score, m_scores[row]);
        offset = ColumnWidth(1) - m_font->Measure(text, -1, -1, nullptr);
    }
    if (text == nullptr) return;
    m_font->SetColours(GetBackgroundColour(), GetForegroundColour());
    m_font->DrawString(text, -1, &clip, x + offset, y, IsTransparent() ? 1 : 0);
}
