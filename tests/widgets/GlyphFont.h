// A font of 5-pixel glyphs, 10 pixels high, whose sheet records every glyph
// drawn; Glyphs turns the record back into characters and places.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "tests/platform/FontTestSupport.h"

struct GlyphFont : fonttest::LoadedFont {
    // Glyph characters in ascending order; the space only advances.
    static constexpr char16_t kChars[] = u"-0123456789abcdefg";

    GlyphFont() : LoadedFont(Desc()) { font.SetImage(&sheet); }
    static vktools::FontDesc Desc() {
        vktools::FontDesc desc = fonttest::FixedFont(kChars, u" ", 5);
        desc.heightBase = 8;
        return desc;
    }

    using Glyph = std::tuple<char16_t, std::int32_t, std::int32_t>;  // character, x, y
    // The glyphs drawn since the last call, in drawing order.
    std::vector<Glyph> Glyphs() {
        std::vector<Glyph> glyphs;
        for (const fonttest::DrawCall& call : sheet.calls) glyphs.emplace_back(kChars[call.srcX], call.x, call.y);
        sheet.calls.clear();
        return glyphs;
    }

    fonttest::RecordingImage sheet;
};
