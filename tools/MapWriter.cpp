#include "tools/MapWriter.h"

#include <algorithm>
#include <map>

#include "tools/BmpWriter.h"
#include "tools/TextForm.h"

namespace vktools {

namespace {

constexpr char kEmpty = '.';
constexpr std::int32_t kTile = 24;
constexpr std::size_t kMaxLayers = 8;
constexpr std::size_t kMaxTypes = 128;

// A tileset column word: a number 0-126 or '-' for none.
bool ParseColumn(const std::string& text, std::int32_t& column) {
    std::int64_t value = -1;
    if (text != "-" && (!ParseInt(text, value) || value < 0 || value > 126)) return false;
    column = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

Bytes WriteRawMap(const RawMap& map) {
    ByteWriter out;
    out.U8(static_cast<std::uint8_t>(map.layerCount.value_or(static_cast<std::int8_t>(map.layers.size()))));
    out.U8(map.tileSize);
    out.U16(static_cast<std::uint16_t>(map.width)).U16(static_cast<std::uint16_t>(map.height));
    out.U16(static_cast<std::uint16_t>(map.typeCount.value_or(static_cast<std::int16_t>(map.types.size()))));
    for (const RawMap::Type& type : map.types) out.U8(type.collision).U8(type.base).U8(type.overlay);
    for (const RawMap::Layer& layer : map.layers) {
        std::size_t codes = 0;
        for (const RawMap::Span& span : layer.spans) codes += span.codes.size();
        out.U16(static_cast<std::uint16_t>(layer.spanCount.value_or(static_cast<std::int16_t>(layer.spans.size()))));
        out.U16(static_cast<std::uint16_t>(layer.dataSize.value_or(static_cast<std::int16_t>(codes))));
        for (const RawMap::Span& span : layer.spans) {
            out.U16(span.start).U16(span.length.value_or(static_cast<std::uint16_t>(span.codes.size())));
            out.Append(Bytes(span.codes.begin(), span.codes.end()));
        }
    }
    return out.Take();
}

bool MapWriter::Fail(const std::string& message) {
    if (m_error.empty()) m_error = m_where + ": " + message;
    return false;
}

std::int32_t MapWriter::TypeNumber(std::string_view name) const {
    const auto at = std::find(m_typeNames.begin(), m_typeNames.end(), name);
    return at == m_typeNames.end() ? -1 : static_cast<std::int32_t>(at - m_typeNames.begin());
}

void MapWriter::Type(const std::string& name, std::int32_t collision, std::int32_t base, std::int32_t overlay) {
    if (TypeNumber(name) != -1) {
        Fail("type '" + name + "' declared twice");
    } else if (collision < 0 || collision > 255) {
        Fail("collision byte " + std::to_string(collision) + " out of range");
    } else if (m_types.size() == kMaxTypes) {
        Fail("more than 128 tile types");
    } else {
        m_typeNames.push_back(name);
        m_types.push_back({static_cast<std::uint8_t>(collision), static_cast<std::uint8_t>(base + 1),
                           static_cast<std::uint8_t>(overlay + 1)});
    }
}

void MapWriter::Key(char symbol, const std::string& type, bool mirrored) {
    const bool taken = std::any_of(m_keys.begin(), m_keys.end(), [&](const KeyDecl& k) { return k.symbol == symbol; });
    if (symbol == kEmpty || taken) {
        Fail(std::string("key '") + symbol + "' is taken");
    } else {
        m_keys.push_back({symbol, type, mirrored, m_where});
    }
}

void MapWriter::Layer(const std::vector<std::string>& rows) {
    m_layers.push_back(rows);
    m_layerWhere.push_back(m_where);
}

bool MapWriter::Parse(std::string_view text, const std::string& file) {
    std::vector<std::string>* art = nullptr;
    std::vector<std::vector<std::string>> layers;
    std::string layerWhere;
    const bool whole = ForEachLine(text, [&](int number, std::string_view line) {
        m_where = file + ":" + std::to_string(number);
        if (art != nullptr) {
            const std::string_view row = Trim(line);
            if (row == "end") {
                m_where = layerWhere;
                Layer(*art);
                art = nullptr;
            } else if (!row.empty()) {
                art->emplace_back(row);
            }
            return m_error.empty();
        }
        const std::vector<std::string> words = Words(line);
        if (words.empty()) return true;
        std::int64_t collision = 0;
        std::int32_t base = -1, overlay = -1;
        if (words[0] == "type" && (words.size() == 4 || words.size() == 5) && ParseInt(words[2], collision) &&
            ParseColumn(words[3], base) && (words.size() == 4 || ParseColumn(words[4], overlay))) {
            Type(words[1], static_cast<std::int32_t>(collision), base, overlay);
        } else if (words[0] == "key" && (words.size() == 3 || (words.size() == 4 && words[3] == "mirrored")) &&
                   words[1].size() == 1) {
            Key(words[1][0], words[2], words.size() == 4);
        } else if (words[0] == "layer" && words.size() == 1) {
            art = &layers.emplace_back();
            layerWhere = m_where;
        } else {
            return Fail("expected 'type NAME COLLISION BASE [OVERLAY]', 'key C TYPE [mirrored]' or 'layer'");
        }
        return m_error.empty();
    });
    if (whole && art != nullptr) return Fail("layer without 'end'");
    return m_error.empty();
}

bool MapWriter::ParseFile(const std::string& path) {
    std::string text;
    if (!ReadTextFile(path, text)) {
        m_where = path;
        return Fail("cannot read the file");
    }
    return Parse(text, path);
}

bool MapWriter::Build(RawMap& map) {
    map = RawMap();
    if (!m_error.empty()) return false;
    std::map<char, std::uint8_t> codes;
    for (const KeyDecl& key : m_keys) {
        const std::int32_t type = TypeNumber(key.type);
        if (type == -1) {
            m_where = key.where;
            return Fail("unknown tile type '" + key.type + "'");
        }
        codes[key.symbol] = static_cast<std::uint8_t>(type | (key.mirrored ? 128 : 0));
    }
    if (m_layers.empty() || m_layers.size() > kMaxLayers) return Fail("a map has 1 to 8 layers");
    const std::size_t width = m_layers[0].empty() ? 0 : m_layers[0][0].size();
    const std::size_t height = m_layers[0].size();
    if (width == 0 || width * height > 65535) return Fail("a map has 1 to 65535 tiles");
    map.width = static_cast<std::int16_t>(width);
    map.height = static_cast<std::int16_t>(height);
    for (const RawMap::Type& type : m_types) map.types.push_back(type);
    for (std::size_t l = 0; l < m_layers.size(); ++l) {
        const std::vector<std::string>& rows = m_layers[l];
        const std::string where = "layer " + std::to_string(l);
        m_where = m_layerWhere[l];
        if (rows.size() != height) return Fail(where + " is not as high as layer 0");
        RawMap::Layer& layer = map.layers.emplace_back();
        bool inSpan = false;
        std::size_t total = 0;
        for (std::size_t y = 0; y < height; ++y) {
            if (rows[y].size() != width) return Fail(where + " row " + std::to_string(y) + " is not as wide as row 0");
            for (std::size_t x = 0; x < width; ++x) {
                const char symbol = rows[y][x];
                if (symbol == kEmpty) {
                    inSpan = false;
                    continue;
                }
                const auto code = codes.find(symbol);
                if (code == codes.end()) return Fail(where + " uses '" + std::string(1, symbol) + "', not a key");
                if (!inSpan) layer.spans.push_back({static_cast<std::uint16_t>(y * width + x), {}, {}});
                layer.spans.back().codes.push_back(code->second);
                inSpan = true;
                ++total;
            }
        }
        if (total > 32767) return Fail(where + " has more tiles than its data size can count");
    }
    return true;
}

bool MapWriter::Build(Bytes& bytes) {
    RawMap map;
    if (!Build(map)) return false;
    bytes = WriteRawMap(map);
    return true;
}

bool MakeTileset(std::string_view text, const std::string& file, Bytes& bmp, std::string& error) {
    std::map<char, std::uint32_t> index;
    BmpDesc desc;
    desc.height = kTile;
    std::vector<std::vector<std::string>> tiles;
    std::vector<std::string>* art = nullptr;
    std::string where = file;
    const auto fail = [&](const std::string& message) {
        error = where + ": " + message;
        return false;
    };
    const bool read = ForEachLine(text, [&](int number, std::string_view line) {
        where = file + ":" + std::to_string(number);
        const std::vector<std::string> words = Words(art != nullptr ? std::string_view{} : line);
        std::int64_t rgb = 0;
        if (art != nullptr) {
            const std::string_view row = Trim(line);
            if (row == "end") {
                art = nullptr;
            } else if (!row.empty()) {
                art->emplace_back(row);
            }
        } else if (words.empty()) {
        } else if (words[0] == "colour" && words.size() == 3 && words[1].size() == 1 &&
                   ParseInt("0x" + words[2], rgb) && rgb >= 0 && rgb <= 0xFFFFFF && desc.palette.size() < 256) {
            index[words[1][0]] = static_cast<std::uint32_t>(desc.palette.size());
            desc.palette.push_back(static_cast<std::uint32_t>(rgb));
        } else if (words[0] == "tile" && words.size() == 1) {
            art = &tiles.emplace_back();
        } else {
            return fail("expected 'colour C RRGGBB' (at most 256) or 'tile'");
        }
        return true;
    });
    if (!read) return false;
    if (art != nullptr) return fail("tile without 'end'");
    if (tiles.empty()) return fail("no tiles");
    desc.width = kTile * static_cast<std::int32_t>(tiles.size());
    desc.pixels.assign(static_cast<std::size_t>(desc.width) * kTile, 0);
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        const std::vector<std::string>& rows = tiles[t];
        const std::size_t n = rows.size();
        where = file + ": tile " + std::to_string(t);
        if (n == 0 || kTile % n != 0) return fail("a tile has 1, 2, 3, 4, 6, 8, 12 or 24 rows");
        const std::size_t block = kTile / n;
        for (std::size_t y = 0; y < kTile; ++y) {
            const std::string& row = rows[y / block];
            if (row.size() != n) return fail("a tile's rows are as long as it has rows");
            for (std::size_t x = 0; x < kTile; ++x) {
                const auto colour = index.find(row[x / block]);
                if (colour == index.end()) return fail(std::string("no colour '") + row[x / block] + "'");
                desc.pixels[y * static_cast<std::size_t>(desc.width) + t * kTile + x] = colour->second;
            }
        }
    }
    bmp = MakeBmp(desc);
    return true;
}

}  // namespace vktools
