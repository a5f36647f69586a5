// A one-line text field for a phone keypad. Letters are typed by multi-tap:
// each digit key stands for a sequence of characters, and pressing the same
// key again within 1000 ms (measured with the frame time given to Update)
// replaces the character just typed by the next of its sequence; a pause,
// another key or a cursor move fixes it. Left and right move the cursor,
// back deletes before it, '#' types a space and '*' switches the case. The
// input mode allows letters and digits, digits only or letters only. The
// field holds at most 49 characters.
#pragma once

#include <cstdint>

#include "platform/shared/components/CTimer.h"
#include "src/LocalWidgets/CUIWidget.h"

class CFont;

class CTextEditWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x573DD116;
    static constexpr std::int32_t kCapacity = 49;
    static constexpr std::int32_t kMultiTapMs = 1000;

    enum InputMode : std::int32_t { kModeNone = 0, kModeAlphanumeric = 1, kModeDigits = 2, kModeLetters = 3 };

    // The characters of each digit key, in tap order; each ends with the
    // key's own digit.
    struct KeyTable {
        std::uint8_t lengths[10];
        const char16_t* sequences[10];
    };
    static const KeyTable kDefaultKeys;

    CTextEditWidget() { SetClassId(kClassId); }
    ~CTextEditWidget() override = default;

    // Fills the width; a line of the font and 8 pixels of frame high.
    void Measure() override;
    // The frame, the text scrolled so that the cursor shows, and while
    // focused the cursor or the pending character on its own cell.
    void Draw() override;
    // Fixes the pending character once 1000 ms have passed since its tap.
    // True when a character was pending.
    bool Update(std::uint32_t dt) override;
    // True when the key was used; back is used only when it deleted, so
    // that it reaches the screen in an empty field. Nothing in mode 0.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    // Only the default table is supported: null installs it.
    void SetKeyTable(const KeyTable* table);
    void SetBorderColour(std::uint32_t colour);
    // InputMode.
    void SetInputMode(std::int32_t mode) { m_mode = mode; }
    // locked keeps '*' from switching the case.
    void SetCase(std::uint32_t upper, std::uint32_t locked);
    // 1 to 49.
    void SetMaxLength(std::int32_t length);
    void SetFont(CFont* font);
    std::int32_t GetCursor() const { return m_cursor; }
    // Moves the cursor when the position is within the text; fixes the
    // pending character either way.
    void SetCursor(std::int32_t position);
    // Up to the maximum length of the text (null empties the field); the
    // cursor goes to its end.
    void SetText(const char16_t* text);
    // At most size - 1 characters and a terminator.
    void CopyText(char16_t* destination, std::uint16_t size) const;
    const char16_t* GetText() const { return m_text; }
    // The decimal number at the start of the text (0 without digits) and 0;
    // 0 and 1 for an empty field.
    std::int32_t GetNumber(std::int32_t* value) const;

private:
    void MultiTap(std::int32_t key);
    // Types c at the cursor; a full field fixes the pending character and
    // refuses (false).
    bool InsertChar(char16_t c);
    // Replaces the character before the cursor.
    bool ReplaceChar(char16_t c);
    // Deletes the character before the cursor.
    bool DeleteChar();
    void ArmMultiTap();
    void CommitPending();

    std::uint32_t m_borderColour = 0xFF000000;
    const KeyTable* m_keys = &kDefaultKeys;
    CFont* m_font = nullptr;
    std::int32_t m_lineHeight = 0;
    char16_t m_text[kCapacity + 1] = {};
    std::int32_t m_length = 0;
    std::int32_t m_mode = kModeNone;
    std::int32_t m_maxLength = kCapacity;
    std::uint8_t m_caseLocked = 0;
    std::int32_t m_cursor = 0;
    std::uint8_t m_upperCase = 0;
    std::uint8_t m_pending = 0;
    std::int32_t m_pendingKey = -1;
    std::int32_t m_tapIndex = -1;
    CTimer m_multiTapTimer;
};
