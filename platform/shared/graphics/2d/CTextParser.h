// Breaks a 16-bit text into lines that fit a pixel width in a font. The
// text is not copied: each line is the start index and length of a run of
// the caller's string, kept as one word (start << 16 | length). Lines break
// at the first line feed, else after the last space that still fits, else
// inside the word.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"
#include "platform/shared/core/CVector.h"

class CFont;

class CTextParser : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0xF166A300;
    // The line records hold 16-bit indices: longer texts are parsed up to
    // this many characters.
    static constexpr std::int32_t kMaxTextLength = 0xFFFF;

    CTextParser() : CClass(kClassId) {}
    ~CTextParser() override = default;

    CTextParser(const CTextParser&) = delete;
    CTextParser& operator=(const CTextParser&) = delete;

    // The setters keep the lines as they are until the next Parse.
    void SetFont(CFont* font) { m_font = font; }
    void SetText(const char16_t* text) { m_text = text; }
    void SetWidth(std::int32_t width) { m_width = width; }

    // Rebuilds the lines. 0, or the growable array's code that stopped it.
    std::int32_t Parse();
    void Clear();

    std::int32_t GetLineCount() const { return m_lineCount; }
    // 0 for an index that is not a line.
    std::int32_t GetLineStart(std::int32_t index) const { return static_cast<std::int32_t>(GetRecord(index) >> 16); }
    std::int32_t GetLineLength(std::int32_t index) const {
        return static_cast<std::int32_t>(GetRecord(index) & 0xFFFF);
    }
    // The line's first character in the text; null when no text is set.
    const char16_t* GetLineText(std::int32_t index) const;

private:
    std::uint32_t GetRecord(std::int32_t index) const;
    std::int32_t AddLine(std::int32_t start, std::int32_t length);
    // Characters of the line that starts at start when fit of them fit.
    std::int32_t BreakLength(std::int32_t start, std::int32_t fit) const;

    CFont* m_font = nullptr;
    const char16_t* m_text = nullptr;
    std::int32_t m_width = 0;
    std::int32_t m_lineCount = 0;
    CVector m_lines;
};
