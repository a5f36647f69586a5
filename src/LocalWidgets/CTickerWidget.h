// One line of text scrolling from right to left, one pixel per period,
// entering at the right edge; a given number of passes or endlessly. The
// font and text are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CFont;

class CTickerWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x27890E79;
    static constexpr std::int32_t kEndless = -1;

    CTickerWidget() { SetClassId(kClassId); }
    ~CTickerWidget() override = default;

    // Fills the width; one line of the font high.
    void Measure() override;
    void Draw() override;
    // Moves the text by the whole periods in dt and the time before; a text
    // that has left at the left edge starts its next pass. Returns true.
    bool Update(std::uint32_t dt) override;

    void SetFont(CFont* font);
    // Starts the first pass when a font and a non-empty text are set.
    void SetText(const char16_t* text);
    // Milliseconds per pixel, at least 1.
    void SetPeriod(std::int32_t ms);
    // Passes to run; kEndless never stops.
    void SetRepeatLimit(std::int32_t count) { m_repeatLimit = count; }
    bool IsRunning() const { return m_running != 0; }

private:
    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
    std::uint8_t m_running = 0;
    std::int32_t m_textWidth = 0;
    std::int32_t m_period = 20;
    std::int32_t m_elapsed = 0;
    std::int32_t m_repeatLimit = kEndless;
    std::int32_t m_passes = 0;
    std::int32_t m_offset = 0;
};
