#include "tools/FontWriter.h"

#include <string>

#include "tools/ResourceWriters.h"

namespace vktools {

namespace {

template <typename Record>
std::u16string Characters(const std::vector<Record>& records) {
    std::u16string text;
    for (const Record& r : records) text.push_back(static_cast<char16_t>(r.character));
    return text;
}

}  // namespace

Bytes MakeFont(const FontDesc& font) {
    const bool blocks = font.version == 2;
    ByteWriter w;
    w.U8(font.version).U8(0).U8(0).U16(0);
    w.U8(static_cast<std::uint8_t>(font.heightBase));
    w.U8(static_cast<std::uint8_t>(font.spacing));
    w.U8(static_cast<std::uint8_t>(font.lineGap));
    w.U16(static_cast<std::uint16_t>(font.glyphs.size()));
    w.U16(static_cast<std::uint16_t>(font.advances.size()));

    if (blocks && !font.glyphs.empty()) w.Append(MakeUtfString(Characters(font.glyphs)));
    for (const FontGlyph& g : font.glyphs) {
        if (!blocks) w.U16(g.character);
        w.U16(static_cast<std::uint16_t>(g.sourceX)).U16(static_cast<std::uint16_t>(g.sourceY));
        for (const std::int8_t v : {g.width, g.height, g.xOffset, g.yOffset, g.advance, g.unused}) {
            w.U8(static_cast<std::uint8_t>(v));
        }
    }
    if (blocks && !font.advances.empty()) w.Append(MakeUtfString(Characters(font.advances)));
    for (const FontAdvance& a : font.advances) {
        if (!blocks) w.U16(a.character);
        w.U8(static_cast<std::uint8_t>(a.unused)).U8(static_cast<std::uint8_t>(a.advance));
    }
    return w.Take();
}

}  // namespace vktools
