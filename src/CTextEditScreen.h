// A widget screen that asks for a line of text or a number: an optional
// prompt above the multi-tap text entry. Accept ends it with result 1, back
// with 2; the owner then reads the text or the number.
#pragma once

#include <cstdint>

#include "src/CWidgetScreen.h"
#include "src/LocalWidgets/CTextEditWidget.h"

class CTextEditScreen : public CWidgetScreen {
public:
    // The initial text holds up to 49 characters and a terminator.
    static constexpr std::uint32_t kInitialCapacity = 50;
    // The entry's highlight and frame colours.
    static constexpr std::uint32_t kEntryHighlight = 0xFFFF9600;
    static constexpr std::uint32_t kEntryBorder = 0xFF7E9092;

    // Builds the page: the prompt when one is set, then the entry; 0.
    std::int32_t Init() override;
    // Gives back the prompt's text.
    void Exit() override;

    // Before Init. A prompt id of 0 shows no prompt; the input mode is one
    // of the entry's (CTextEditWidget::InputMode).
    void Setup(std::uint32_t promptId, std::uint32_t inputMode, std::uint32_t maxLength);
    // Null empties the initial text.
    void SetInitialText(const char16_t* text);
    void SetInitialNumber(std::int32_t number);
    // The entry's text and number (see CTextEditWidget::GetNumber).
    const char16_t* GetText() const { return m_entry.GetText(); }
    std::int32_t GetNumber(std::int32_t* value) const { return m_entry.GetNumber(value); }

protected:
    CTextWidget m_prompt;
    CTextEditWidget m_entry;

private:
    std::uint32_t m_promptId = 0;
    const char16_t* m_promptText = nullptr;  // taken at Init, given back at Exit
    char16_t m_initialText[kInitialCapacity] = {};
    std::uint32_t m_inputMode = CTextEditWidget::kModeNone;
    std::uint32_t m_maxLength = 0;
};
