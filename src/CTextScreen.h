// A widget screen showing one page of wrapped text under the screen's
// title (one line of space between them): help, information and the
// about page. The screen keeps its own copy of the text, at most 2047
// characters (longer texts are cut).
#pragma once

#include <cstdint>

#include "src/CWidgetScreen.h"
#include "src/LocalWidgets/CSpacerWidget.h"

class CTextScreen : public CWidgetScreen {
public:
    static constexpr std::uint32_t kCapacity = 2048;
    // The closing page's format, given the game data's number.
    static constexpr std::uint32_t kCounterFormatId = 0x21FF0152;
    // The about page: a text, the version, two more texts and the build.
    static constexpr std::uint32_t kAboutIds[3] = {0x21FF0127, 0x21FF0128, 0x21FF0129};
    static constexpr const char* kVersion = "9.1.0";

    // Builds the page: the spacer under a title, then the text; 0.
    std::int32_t Init() override;

    // Each replaces the whole text, before or after Init. Null shows an
    // empty page.
    void SetText(const char16_t* text);
    void SetTextId(std::uint32_t textId);
    void SetCounterText();
    void SetVersionText();
    const char16_t* GetText() const { return m_buffer; }

protected:
    CSpacerWidget m_spacer;

private:
    CTextWidget m_text;
    char16_t m_buffer[kCapacity] = {};
};
