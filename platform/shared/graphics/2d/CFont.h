// Base of the fonts: measuring and aligned drawing of 16-bit text. The one
// implementation is the bitmap font CGraphicFont.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

struct CRect;

class CFont : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x00170994;

    // DrawString alignment flags. Horizontal and vertical are chosen
    // separately; when several of one direction are set, the first in the
    // order below wins.
    enum Align : std::int32_t {
        kAlignLeft = 2,
        kAlignHCentre = 4,
        kAlignRight = 8,
        kAlignTop = 16,
        kAlignVCentre = 32,
        kAlignBottom = 64,
    };

    // Character classes by which text is wrapped.
    enum CharClass : std::uint8_t {
        kCharOther = 0,
        kCharEnd = 1,
        kCharSpace = 2,
        kCharTab = 3,
        kCharLineFeed = 4,
    };

    CFont() : CClass(kClassId) {}
    ~CFont() override = default;

    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Line height in pixels, line gap included.
    virtual std::int32_t GetHeight() const = 0;
    virtual std::int32_t GetLineGap() const = 0;
    // Width of the first length characters (all of the zero-terminated text
    // when length is negative). With maxWidth >= 0 it stops before the first
    // character that would pass maxWidth; fit, when not null, receives the
    // number of characters measured.
    virtual std::int32_t Measure(const char16_t* text, std::int32_t length, std::int32_t maxWidth,
                                 std::int32_t* fit) const = 0;
    virtual std::int32_t GetCharAdvance(char16_t character) const = 0;
    // Draws the text at (x, y), or aligned in rect by flags (Align); rect is
    // also the clip rectangle. The result carries no meaning.
    virtual std::int32_t DrawString(const char16_t* text, std::int32_t length, const CRect* rect, std::int32_t x,
                                    std::int32_t y, std::int32_t flags) const = 0;

    void SetColours(std::uint32_t colour, std::uint32_t secondColour) {
        m_colour = colour;
        m_secondColour = secondColour;
    }
    void GetColours(std::uint32_t* colour, std::uint32_t* secondColour) const {
        *colour = m_colour;
        *secondColour = m_secondColour;
    }

    static std::uint8_t GetCharClass(char16_t character);

private:
    std::uint32_t m_colour = 0xFF000000;
    std::uint32_t m_secondColour = 0xFFFFFFFF;
    [[maybe_unused]] std::uint32_t m_reserved = 0;  // never read by the fonts
};
