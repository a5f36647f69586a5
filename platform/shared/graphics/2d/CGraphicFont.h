// Bitmap font: a glyph sheet image plus a font resource that gives, for each
// character, the sheet rectangle to draw, where to draw it and how far to
// advance.
//
// Font resource (little-endian except the string-block lengths):
//   0  u8  version 1 or 2        5  s8  height base (height = base + gap)
//   1  u8  0                     6  s8  spacing after every character
//   2  u8  0                     7  s8  line gap
//   3  2 bytes, not read         8  s16 glyph count G, 10 s16 advance count A
// Version 1 body: G glyph records of 12 bytes (s16 character, s16 source x,
// s16 source y, s8 width, height, x offset, y offset, advance, unused), then
// A advance records of 4 bytes (s16 character, s8 unused, s8 advance).
// Version 2 body: when G > 0 a string block with the G characters, then the
// glyph records without their character (10 bytes); when A > 0 a string
// block with the A characters, then the advance records without theirs (2
// bytes). A string block is a big-endian u16 byte count and UTF-8.
// Glyph records are sorted by character (binary search); advance records
// are searched in order and shadow glyphs of the same character.
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/CFont.h"

class CImage;

class CGraphicFont : public CFont {
public:
    static constexpr std::uint32_t kClassId = 0x6EFF79D2;
    static constexpr std::uint32_t kHeaderSize = 12;

    struct Glyph {
        char16_t character;
        std::int16_t sourceX;
        std::int16_t sourceY;
        std::int8_t width;
        std::int8_t height;
        std::int8_t xOffset;
        std::int8_t yOffset;
        std::int8_t advance;
        std::int8_t unused;
    };
    // A character that moves the pen without drawing.
    struct Advance {
        char16_t character;
        std::int8_t unused;
        std::int8_t advance;
    };

    CGraphicFont() { SetClassId(kClassId); }
    ~CGraphicFont() override { Unload(); }

    // The glyph sheet; not owned, must outlive the drawing calls.
    void SetImage(CImage* image);
    // Replaces the tables with those of the size bytes at data. A resource
    // that is too short for its header or records, of another version or
    // with bytes 1-2 not 0, whose glyphs are not sorted, or whose tables
    // cannot be allocated leaves the font empty. Returns 1 when the font
    // was loaded, 0 when it is empty.
    std::int32_t Load(const std::uint8_t* data, std::uint32_t size);
    void Unload();

    // An empty font has height, line gap and advances 0 and draws nothing.
    std::int32_t GetHeight() const override;
    std::int32_t GetLineGap() const override;
    std::int32_t Measure(const char16_t* text, std::int32_t length, std::int32_t maxWidth,
                         std::int32_t* fit) const override;
    // The advance without the spacing; 0 for a character without a record.
    std::int32_t GetCharAdvance(char16_t character) const override;
    std::int32_t DrawString(const char16_t* text, std::int32_t length, const CRect* rect, std::int32_t x,
                            std::int32_t y, std::int32_t flags) const override;

private:
    std::int8_t HeaderS8(std::uint32_t offset) const { return static_cast<std::int8_t>(m_header[offset]); }
    std::int16_t HeaderS16(std::uint32_t offset) const;
    std::int32_t GlyphCount() const { return HeaderS16(8); }
    std::int32_t AdvanceCount() const { return HeaderS16(10); }
    std::int32_t Spacing() const { return m_header != nullptr ? HeaderS8(6) : 0; }

    const Advance* FindAdvance(char16_t character) const;
    const Glyph* FindGlyph(char16_t character) const;
    // The fewest body bytes that can hold the records the header declares.
    std::uint64_t LeastBodyBytes() const;
    // Fills the tables from the body; false when it is short or unsorted.
    bool ReadTables(const std::uint8_t* body, std::uint32_t size, char16_t* characters, std::uint32_t capacity);

    CImage* m_image = nullptr;
    std::uint8_t* m_header = nullptr;
    Glyph* m_glyphs = nullptr;
    Advance* m_advances = nullptr;
};
