#include "src/LocalWidgets/CTickerWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CFont.h"

void CTickerWidget::Measure() {
    if (m_font == nullptr || m_text == nullptr) return;
    m_textWidth = m_font->Measure(m_text, -1, -1, nullptr);
    SetMeasuredSize(kFill, m_font->GetHeight());
}

void CTickerWidget::Draw() {
    FillBackground();
    if (m_font == nullptr || m_text == nullptr) return;
    const CRect& screen = ScreenRect();
    m_font->SetColours(GetBackgroundColour(), GetForegroundColour());
    m_font->DrawString(m_text, -1, &screen, screen.x + screen.w + m_offset - GetClipOffsetX(),
                       screen.y - GetClipOffsetY(), IsTransparent() ? 1 : 0);
}

bool CTickerWidget::Update(std::uint32_t dt) {
    if (!m_running) return true;
    // In 64 bits: a long frame must not overflow the sums.
    const std::int64_t elapsed = std::int64_t{m_elapsed} + dt;
    const std::int64_t steps = elapsed / m_period;
    m_elapsed = static_cast<std::int32_t>(elapsed - steps * m_period);
    if (steps > 0) {
        const std::int64_t offset = m_offset - steps;
        if (m_textWidth + LocalRect().w + offset < 0) {  // the text has left at the left edge
            ++m_passes;
            m_offset = 0;
        } else {
            m_offset = static_cast<std::int32_t>(offset);
        }
        Invalidate();
    }
    m_running = m_repeatLimit < 0 || m_passes < m_repeatLimit;
    return true;
}

void CTickerWidget::SetFont(CFont* font) {
    m_font = font;
    InvalidateSize();
}

void CTickerWidget::SetText(const char16_t* text) {
    m_text = text;
    if (m_font != nullptr && text != nullptr && text[0] != 0) {
        m_passes = 0;
        m_elapsed = 0;
        m_offset = 0;
        m_running = 1;
    }
    Invalidate();
    InvalidateSize();
}

void CTickerWidget::SetPeriod(std::int32_t ms) { m_period = std::max(1, ms); }
