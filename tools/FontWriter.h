// Writer of font resources, versions 1 and 2, for tests and content.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

struct FontGlyph {
    std::uint16_t character = 0;
    std::int16_t sourceX = 0;
    std::int16_t sourceY = 0;
    std::int8_t width = 0;
    std::int8_t height = 0;
    std::int8_t xOffset = 0;
    std::int8_t yOffset = 0;
    std::int8_t advance = 0;
    std::int8_t unused = 0;
};

// A character that moves the pen without drawing.
struct FontAdvance {
    std::uint16_t character = 0;
    std::int8_t advance = 0;
    std::int8_t unused = 0;
};

struct FontDesc {
    std::uint8_t version = 1;
    std::int8_t heightBase = 0;
    std::int8_t spacing = 0;
    std::int8_t lineGap = 0;
    // Written in this order; the reader wants the glyphs sorted by
    // character, so unsorted tables make refused resources.
    std::vector<FontGlyph> glyphs;
    std::vector<FontAdvance> advances;
};

// The resource: 12-byte header (counts from the tables), then the records
// of the version; version 2 puts each table's characters in a string block
// (big-endian byte count, UTF-8) before its records, omitted for an empty
// table.
Bytes MakeFont(const FontDesc& font);

}  // namespace vktools
