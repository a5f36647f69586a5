// Writers of a level's map and tileset: tile maps from layers of ASCII art,
// a raw map writer that takes every field as given (for malformed maps),
// and tileset strips from art.
//
// The map's text form, one declaration a line, '#' starting a comment:
//
//   type NAME COLLISION BASE [OVERLAY]   the next tile type (0, 1, ...):
//                                        its collision byte and tileset
//                                        columns, '-' for none
//   key C TYPE [mirrored]                the art character C stands for TYPE
//   layer                                the next layer: rows of art, one
//   ....##....                           character a tile, '.' empty, up
//   end                                  to the line `end`
//
// Every layer has the same width and height. The spans are the runs of
// non-empty tiles in index order (they go on across row ends).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

// The map as stored, each field as given.
struct RawMap {
    struct Type {
        std::uint8_t collision = 0;
        std::uint8_t base = 0;  // tileset column + 1, 0 none
        std::uint8_t overlay = 0;
    };
    struct Span {
        std::uint16_t start = 0;
        std::vector<std::uint8_t> codes;
        std::optional<std::uint16_t> length;  // the codes' count unless given
    };
    struct Layer {
        std::vector<Span> spans;
        std::optional<std::int16_t> spanCount;  // the spans' count unless given
        std::optional<std::int16_t> dataSize;   // the codes' total unless given
    };
    std::uint8_t tileSize = 24;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::vector<Type> types;
    std::vector<Layer> layers;
    std::optional<std::int8_t> layerCount;
    std::optional<std::int16_t> typeCount;
};
Bytes WriteRawMap(const RawMap& map);

class MapWriter {
public:
    // The next tile type: its collision byte and its base and overlay
    // tileset columns (-1 none).
    void Type(const std::string& name, std::int32_t collision, std::int32_t base, std::int32_t overlay = -1);
    void Key(char symbol, const std::string& type, bool mirrored = false);
    // The next layer's rows, top first.
    void Layer(const std::vector<std::string>& rows);

    bool Parse(std::string_view text, const std::string& file);
    bool ParseFile(const std::string& path);
    // Lays the map out; false with Error() set.
    bool Build(RawMap& map);
    bool Build(Bytes& map);
    // The first error, "file:line: message"; empty when there is none.
    const std::string& Error() const { return m_error; }

private:
    struct KeyDecl {
        char symbol;
        std::string type;
        bool mirrored;
        std::string where;
    };
    bool Fail(const std::string& message);
    std::int32_t TypeNumber(std::string_view name) const;

    std::string m_where = "map";
    std::string m_error;
    std::vector<std::string> m_typeNames;
    std::vector<RawMap::Type> m_types;
    std::vector<KeyDecl> m_keys;
    std::vector<std::vector<std::string>> m_layers;
    std::vector<std::string> m_layerWhere;
};

// A tileset strip of 24 x 24 tiles, left to right, as an 8-bit BMP, from
// art: `colour C RRGGBB` names a colour, and each `tile` ... `end` block
// holds one tile as N rows of N characters (N dividing 24), each a block of
// 24 / N pixels. False with the error ("file:line: message").
bool MakeTileset(std::string_view text, const std::string& file, Bytes& bmp, std::string& error);

}  // namespace vktools
