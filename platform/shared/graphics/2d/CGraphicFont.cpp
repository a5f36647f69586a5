#include "platform/shared/graphics/2d/CGraphicFont.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "platform/shared/graphics/2d/CRect.h"

namespace {

constexpr const char* kSource = "CGraphicFont";

// Reads one string block into characters, which starts zeroed so that a
// block with fewer characters than records leaves zeros, never the previous
// block's characters.
void ReadCharacters(CArrayInputStream& in, char16_t* characters, std::uint32_t capacity) {
    std::fill(characters, characters + capacity, u'\0');
    in.ReadUTF(characters, capacity);
}

std::int32_t TextLength(const char16_t* text, std::int32_t length) {
    return length < 0 ? static_cast<std::int32_t>(WideStringLength(text)) : length;
}

}  // namespace

void CGraphicFont::SetImage(CImage* image) {
    DebugAssert(image != nullptr, kSource, 39);
    m_image = image;
}

std::int16_t CGraphicFont::HeaderS16(std::uint32_t offset) const {
    return static_cast<std::int16_t>(m_header[offset] | (m_header[offset + 1] << 8));
}

std::int32_t CGraphicFont::Load(const std::uint8_t* data, std::uint32_t size) {
    DebugAssert(data != nullptr, kSource, 50);
    Unload();
    // Nothing is read from a resource too short for its header, or of a
    // version this reader does not know.
    if (size < kHeaderSize || (data[0] != 1 && data[0] != 2) || data[1] != 0 || data[2] != 0) return 0;
    m_header = new (std::nothrow) std::uint8_t[kHeaderSize];
    if (m_header == nullptr) return 0;
    std::memcpy(m_header, data, kHeaderSize);

    const std::int32_t glyphCount = GlyphCount();
    const std::int32_t advanceCount = AdvanceCount();
    if (LeastBodyBytes() > size - kHeaderSize) {
        // Damaged counts are refused before up to 65,534 records are read.
        Unload();
        return 0;
    }
    if (glyphCount > 0) m_glyphs = new (std::nothrow) Glyph[glyphCount];
    if (advanceCount > 0) m_advances = new (std::nothrow) Advance[advanceCount];
    const auto capacity = static_cast<std::uint32_t>(std::max({glyphCount, advanceCount, 0}) + 1);
    char16_t* characters = new (std::nothrow) char16_t[capacity];

    const bool loaded = (glyphCount < 1 || m_glyphs != nullptr) && (advanceCount < 1 || m_advances != nullptr) &&
                        characters != nullptr &&
                        ReadTables(data + kHeaderSize, size - kHeaderSize, characters, capacity);
    delete[] characters;
    if (!loaded) {
        Unload();
        return 0;
    }
    return 1;
}

std::uint64_t CGraphicFont::LeastBodyBytes() const {
    const std::uint64_t glyphs = std::max(GlyphCount(), 0);
    const std::uint64_t advances = std::max(AdvanceCount(), 0);
    if (m_header[0] == 1) return glyphs * 12 + advances * 4;
    // Version 2: a string block (at least its 2-byte length) before each
    // non-empty table.
    return (glyphs > 0 ? 2 + glyphs * 10 : 0) + (advances > 0 ? 2 + advances * 2 : 0);
}

bool CGraphicFont::ReadTables(const std::uint8_t* body, std::uint32_t size, char16_t* characters,
                              std::uint32_t capacity) {
    CArrayInputStream in;
    in.SetData(body, size);
    const bool charactersInBlocks = m_header[0] == 2;

    const std::int32_t glyphCount = GlyphCount();
    const std::int32_t advanceCount = AdvanceCount();
    if (m_glyphs != nullptr) {
        if (charactersInBlocks) ReadCharacters(in, characters, capacity);
        for (std::int32_t i = 0; i < glyphCount; ++i) {
            Glyph& glyph = m_glyphs[i];
            glyph.character = charactersInBlocks ? characters[i] : static_cast<char16_t>(in.ReadU16());
            glyph.sourceX = in.ReadS16();
            glyph.sourceY = in.ReadS16();
            glyph.width = in.ReadS8();
            glyph.height = in.ReadS8();
            glyph.xOffset = in.ReadS8();
            glyph.yOffset = in.ReadS8();
            glyph.advance = in.ReadS8();
            glyph.unused = in.ReadS8();
        }
    }
    if (m_advances != nullptr) {
        if (charactersInBlocks) ReadCharacters(in, characters, capacity);
        for (std::int32_t i = 0; i < advanceCount; ++i) {
            Advance& advance = m_advances[i];
            advance.character = charactersInBlocks ? characters[i] : static_cast<char16_t>(in.ReadU16());
            advance.unused = in.ReadS8();
            advance.advance = in.ReadS8();
        }
    }
    // Records that run past the resource were read as zeros: refuse them.
    if (in.HasError()) return false;
    // The glyphs are binary-searched by their unsigned character code.
    for (std::int32_t i = 1; i < glyphCount; ++i) {
        if (m_glyphs[i].character < m_glyphs[i - 1].character) return false;
    }
    return true;
}

void CGraphicFont::Unload() {
    delete[] m_header;
    delete[] m_glyphs;
    delete[] m_advances;
    m_header = nullptr;
    m_glyphs = nullptr;
    m_advances = nullptr;
}

const CGraphicFont::Advance* CGraphicFont::FindAdvance(char16_t character) const {
    DebugAssert(m_header != nullptr, kSource, 301);
    const std::int32_t count = AdvanceCount();
    if (count < 1) return nullptr;
    DebugAssert(m_advances != nullptr, kSource, 306);
    for (std::int32_t i = 0; i < count; ++i) {
        if (m_advances[i].character == character) return &m_advances[i];
    }
    return nullptr;
}

const CGraphicFont::Glyph* CGraphicFont::FindGlyph(char16_t character) const {
    DebugAssert(m_header != nullptr, kSource, 342);
    const std::int32_t count = GlyphCount();
    if (count < 1) return nullptr;
    DebugAssert(m_glyphs != nullptr, kSource, 347);
    std::int32_t low = 0;
    std::int32_t high = count - 1;
    while (low <= high) {
        const std::int32_t mid = (low + high) / 2;
        const char16_t found = m_glyphs[mid].character;
        if (character < found) {
            high = mid - 1;
        } else if (character > found) {
            low = mid + 1;
        } else {
            return &m_glyphs[mid];
        }
    }
    return nullptr;
}

// An empty font (never loaded, or its resource refused) is a font without
// records: every character measures 0 and draws nothing, so that a damaged
// archive does not stop the game.
std::int32_t CGraphicFont::GetHeight() const {
    return m_header != nullptr ? HeaderS8(5) + HeaderS8(7) : 0;
}

std::int32_t CGraphicFont::GetLineGap() const {
    return m_header != nullptr ? HeaderS8(7) : 0;
}

std::int32_t CGraphicFont::GetCharAdvance(char16_t character) const {
    if (m_header == nullptr) return 0;
    if (const Advance* advance = FindAdvance(character)) return advance->advance;
    if (const Glyph* glyph = FindGlyph(character)) return glyph->advance;
    return 0;
}

std::int32_t CGraphicFont::Measure(const char16_t* text, std::int32_t length, std::int32_t maxWidth,
                                   std::int32_t* fit) const {
    DebugAssert(text != nullptr, kSource, 176);
    length = TextLength(text, length);
    const std::int32_t spacing = Spacing();
    std::int32_t width = 0;
    std::int32_t count = 0;
    for (; count < length; ++count) {
        const std::int32_t advance = GetCharAdvance(text[count]);
        const std::int32_t step = advance + spacing;
        // The room left is taken in 64 bits: the width can be below 0.
        if (maxWidth >= 0 && std::max(advance, step) > std::int64_t{maxWidth} - width) break;
        width += step;
    }
    if (fit != nullptr) *fit = count;
    // The spacing after the last character is not part of the width.
    return count >= 1 ? width - spacing : 0;
}

std::int32_t CGraphicFont::DrawString(const char16_t* text, std::int32_t length, const CRect* rect, std::int32_t x,
                                      std::int32_t y, std::int32_t flags) const {
    DebugAssert(text != nullptr, kSource, 224);
    DebugAssert(m_image != nullptr, kSource, 225);
    if (m_header == nullptr) return 0;
    length = TextLength(text, length);

    if (flags & kAlignLeft) {
        x = rect->x;
    } else if (flags & kAlignHCentre) {
        x = rect->x + (rect->w >> 1) - (Measure(text, length, -1, nullptr) >> 1);
    } else if (flags & kAlignRight) {
        x = rect->x + rect->w - Measure(text, length, -1, nullptr);
    }
    if (flags & kAlignTop) {
        y = rect->y;
    } else if (flags & kAlignVCentre) {
        y = rect->y + (rect->h >> 1) - (GetHeight() >> 1);
    } else if (flags & kAlignBottom) {
        y = rect->y + rect->h - GetHeight();
    }

    const std::int32_t spacing = Spacing();
    for (std::int32_t i = 0; i < length; ++i) {
        if (const Advance* advance = FindAdvance(text[i])) {
            x += advance->advance + spacing;
        } else if (const Glyph* glyph = FindGlyph(text[i])) {
            m_image->DrawRegion(rect, x + glyph->xOffset, y + glyph->yOffset, glyph->width, glyph->height,
                                glyph->sourceX, glyph->sourceY);
            x += glyph->advance + spacing;
        }
    }
    return 0;
}
