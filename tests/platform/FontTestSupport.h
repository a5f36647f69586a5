// Fonts built by the tools/ writer, and an image that records what is drawn
// from it, for the font, text parser and tiling tests.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "platform/shared/graphics/2d/CRect.h"
#include "tools/FontWriter.h"

namespace fonttest {

// Glyphs (source x = index, size advance x 9) for glyphChars and
// advance-only records for blankChars, all of the given advance.
inline vktools::FontDesc FixedFont(std::u16string_view glyphChars, std::u16string_view blankChars,
                                   std::int8_t advance, std::int8_t spacing = 0) {
    vktools::FontDesc desc;
    desc.heightBase = 9;
    desc.lineGap = 2;
    desc.spacing = spacing;
    std::int16_t index = 0;
    for (const char16_t c : glyphChars) {
        desc.glyphs.push_back({.character = c, .sourceX = index++, .width = advance, .height = 9, .advance = advance});
    }
    for (const char16_t c : blankChars) desc.advances.push_back({.character = c, .advance = advance});
    return desc;
}

struct LoadedFont {
    explicit LoadedFont(const vktools::FontDesc& desc) : bytes(vktools::MakeFont(desc)) {
        loaded = font.Load(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    std::vector<std::uint8_t> bytes;
    CGraphicFont font;
    std::int32_t loaded = 0;
};

struct DrawCall {
    const CRect* clip;
    std::int32_t x, y, w, h, srcX, srcY;
    bool operator==(const DrawCall&) const = default;
};

class RecordingImage : public CImage {
public:
    explicit RecordingImage(std::int32_t width = 0, std::int32_t height = 0) {
        m_width = width;
        m_height = height;
    }
    std::uint32_t CreateFromBmp(const std::uint8_t*, std::uint32_t, std::uint32_t, const std::uint8_t*,
                                std::uint32_t) override {
        return 0;
    }
    void DrawRegion(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::int32_t srcX, std::int32_t srcY) override {
        calls.push_back({clip, x, y, w, h, srcX, srcY});
    }
    std::vector<DrawCall> calls;
};

// Hands every call to another font and counts the Measure calls.
class CountingFont : public CFont {
public:
    explicit CountingFont(CFont& font) : m_font(font) {}
    std::int32_t GetHeight() const override { return m_font.GetHeight(); }
    std::int32_t GetLineGap() const override { return m_font.GetLineGap(); }
    std::int32_t Measure(const char16_t* text, std::int32_t length, std::int32_t maxWidth,
                         std::int32_t* fit) const override {
        ++measures;
        return m_font.Measure(text, length, maxWidth, fit);
    }
    std::int32_t GetCharAdvance(char16_t character) const override { return m_font.GetCharAdvance(character); }
    std::int32_t DrawString(const char16_t* text, std::int32_t length, const CRect* rect, std::int32_t x,
                            std::int32_t y, std::int32_t flags) const override {
        std::uint32_t colour = 0, second = 0;
        GetColours(&colour, &second);
        m_font.SetColours(colour, second);
        return m_font.DrawString(text, length, rect, x, y, flags);
    }
    mutable int measures = 0;

private:
    CFont& m_font;
};

}  // namespace fonttest
