#include "tools/ContentBuilder.h"

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/shared/components/TextEncoding.h"
#include "tools/BmpWriter.h"
#include "tools/EntityListWriter.h"
#include "tools/FontWriter.h"
#include "tools/MapWriter.h"
#include "tools/OggTools.h"
#include "tools/PngFile.h"
#include "tools/ResourceIds.h"
#include "tools/ResourceWriters.h"
#include "tools/ScriptAssembler.h"
#include "tools/SpriteArt.h"

namespace vktools {

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr int kSampleRate = 8000;
constexpr int kFadeSamples = kSampleRate / 500;  // 2 ms

bool ReadBytes(const std::string& path, Bytes& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::string Hex(std::uint32_t value) {
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << value;
    return out.str();
}

// A whole number in decimal, or in hexadecimal after 0x.
bool ParseNumber(const std::string& text, std::uint32_t& value) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 8) return false;
    std::uint64_t number = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return false;
        number = number * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    }
    if (number > 0xFFFFFFFFu) return false;
    value = static_cast<std::uint32_t>(number);
    return true;
}

// The lines of a text without their line feeds (and carriage returns).
std::vector<std::string> Lines(const Bytes& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::uint8_t byte : bytes) {
        if (byte == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (byte != '\r') {
            line.push_back(static_cast<char>(byte));
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The line's words, without a comment.
std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// UTF-8 (sequences of one to three bytes) to 16-bit units; false for
// malformed input.
bool DecodeUtf8(const Bytes& bytes, std::u16string& text) {
    const auto size = static_cast<std::uint32_t>(bytes.size());
    const std::uint32_t count = Utf8CharCount(bytes.data(), size);
    text.assign(count, u'\0');
    return (count > 0 || bytes.empty()) && Utf8ToUtf16(bytes.data(), size, text.data(), count + 1) == count;
}

// Square-wave notes as 16-bit PCM.
bool SynthesiseTune(const std::vector<std::string>& lines, Bytes& pcm, std::string& error) {
    ByteWriter out;
    std::uint32_t volume = 8000;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::vector<std::string> words = Words(lines[n]);
        if (words.empty()) continue;
        std::uint32_t a = 0;
        std::uint32_t b = 0;
        const bool tone = words[0] == "tone" && words.size() == 3 && ParseNumber(words[1], a) && a > 0 &&
                          a < kSampleRate / 2 && ParseNumber(words[2], b) && b <= 60000;
        const bool rest = words[0] == "rest" && words.size() == 2 && ParseNumber(words[1], b) && b <= 60000;
        if (words[0] == "volume" && words.size() == 2 && ParseNumber(words[1], a) && a <= 32767) {
            volume = a;
        } else if (tone || rest) {
            const std::int64_t samples = std::int64_t{b} * kSampleRate / 1000;
            std::int64_t phase = 0;  // in 1/8000 of a period
            for (std::int64_t i = 0; i < samples; ++i) {
                const std::int64_t fade = std::min({i + 1, samples - i, std::int64_t{kFadeSamples}});
                const std::int64_t level = tone ? std::int64_t{volume} * fade / kFadeSamples : 0;
                out.U16(static_cast<std::uint16_t>(phase < kSampleRate / 2 ? level : -level));
                phase = (phase + a) % kSampleRate;
            }
        } else {
            error = std::to_string(n + 1) + ": expected volume N, tone HZ MS or rest MS";
            return false;
        }
    }
    pcm = out.Take();
    return true;
}

struct GlyphArt {
    char16_t character;
    std::vector<std::string> rows;
};

struct GlyphFile {
    int height = 0;
    int space = 0;
    std::vector<GlyphArt> glyphs;  // sorted by character
};

bool ParseGlyphs(const std::vector<std::string>& lines, GlyphFile& font, std::string& error) {
    std::uint32_t value = 0;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const auto fail = [&](const std::string& message) {
            error = std::to_string(n + 1) + ": " + message;
            return false;
        };
        // Rows first: a row may be all '#', which elsewhere starts a comment.
        const bool row = !line.empty() && line.find_first_not_of("#.") == std::string::npos;
        const std::vector<std::string> words = Words(line);
        if (!row && words.empty()) continue;
        if (row) {
            if (font.glyphs.empty()) return fail("rows before the first glyph");
            GlyphArt& glyph = font.glyphs.back();
            if (!glyph.rows.empty() && line.size() != glyph.rows[0].size()) return fail("rows of another width");
            if (line.size() > 31) return fail("a row wider than 31");
            if (static_cast<int>(glyph.rows.size()) == font.height) return fail("more rows than the height");
            glyph.rows.push_back(line);
        } else if ((words[0] == "height" || words[0] == "space") && words.size() == 2 &&
                   ParseNumber(words[1], value) && value > 0 && value <= 30) {
            (words[0] == "height" ? font.height : font.space) = static_cast<int>(value);
        } else if (line.rfind("glyph ", 0) == 0 && line.size() == 7 && line[6] > ' ' && line[6] < 0x7F) {
            if (font.height == 0) return fail("a glyph before the height");
            if (!font.glyphs.empty() && font.glyphs.back().rows.empty()) return fail("a glyph without rows");
            font.glyphs.push_back(GlyphArt{static_cast<char16_t>(line[6]), {}});
        } else {
            return fail("expected height N, space N, glyph C or a row of '#' and '.'");
        }
    }
    if (font.glyphs.empty() || font.glyphs.back().rows.empty()) {
        error = "no glyphs";
        return false;
    }
    std::sort(font.glyphs.begin(), font.glyphs.end(),
              [](const GlyphArt& a, const GlyphArt& b) { return a.character < b.character; });
    for (std::size_t i = 1; i < font.glyphs.size(); ++i) {
        if (font.glyphs[i].character == font.glyphs[i - 1].character) {
            error = std::string("two glyphs of '") + static_cast<char>(font.glyphs[i].character) + "'";
            return false;
        }
    }
    return true;
}

// The font's data and its glyph sheet: the glyphs side by side on one row
// of the sheet, magenta wherever there is no ink.
void RasteriseFont(const GlyphFile& font, std::uint32_t ink, int scale, Bytes& data, Bytes& sheet) {
    FontDesc desc;
    desc.heightBase = static_cast<std::int8_t>(font.height * scale);
    desc.spacing = static_cast<std::int8_t>(scale);
    desc.lineGap = static_cast<std::int8_t>(scale);
    BmpDesc bmp;
    bmp.height = font.height * scale;
    for (const GlyphArt& glyph : font.glyphs) bmp.width += static_cast<int>(glyph.rows[0].size()) * scale;
    bmp.bitCount = 8;
    bmp.palette = {kMagenta, ink};
    bmp.pixels.assign(static_cast<std::size_t>(bmp.width) * bmp.height, 0);
    int x = 0;
    for (const GlyphArt& glyph : font.glyphs) {
        const int width = static_cast<int>(glyph.rows[0].size());
        for (int row = 0; row < static_cast<int>(glyph.rows.size()); ++row) {
            for (int column = 0; column < width; ++column) {
                if (glyph.rows[row][column] != '#') continue;
                for (int dy = 0; dy < scale; ++dy) {
                    for (int dx = 0; dx < scale; ++dx) {
                        const int at = (row * scale + dy) * bmp.width + x + column * scale + dx;
                        bmp.pixels[static_cast<std::size_t>(at)] = 1;
                    }
                }
            }
        }
        desc.glyphs.push_back(FontGlyph{.character = glyph.character,
                                        .sourceX = static_cast<std::int16_t>(x),
                                        .width = static_cast<std::int8_t>(width * scale),
                                        .height = static_cast<std::int8_t>(bmp.height),
                                        .advance = static_cast<std::int8_t>(width * scale)});
        x += width * scale;
    }
    desc.advances.push_back(FontAdvance{.character = u' ', .advance = static_cast<std::int8_t>(font.space * scale)});
    data = MakeFont(desc);
    sheet = MakeBmp(bmp);
}

class Loader {
public:
    Loader(const std::string& listPath, Content& content, std::string& error)
        : m_list(listPath), m_base(listPath.substr(0, listPath.find_last_of('/') + 1)), m_content(content),
          m_error(error) {}

    bool Load() {
        Bytes list;
        if (!ReadBytes(m_list, list)) return Fail("cannot read the list");
        const std::vector<std::string> lines = Lines(list);
        for (m_line = 1; m_line <= static_cast<int>(lines.size()); ++m_line) {
            const std::vector<std::string> words = Words(lines[static_cast<std::size_t>(m_line) - 1]);
            if (!words.empty() && !Entry(words)) return false;
        }
        m_line = 0;
        for (const auto& [aggregate, texts] : m_texts) {
            if (!Add(aggregate, MakeLanguageAggregate(texts))) return false;
        }
        return true;
    }

private:
    bool Fail(const std::string& message) {
        m_error = m_list + (m_line > 0 ? ":" + std::to_string(m_line) : std::string()) + ": " + message;
        return false;
    }
    // A source file's failure, with its own place.
    bool FailIn(const std::string& file, const std::string& message) {
        m_error = m_base + file + ":" + message;
        return false;
    }

    bool Add(std::uint32_t id, const TaggedBlob& blob) {
        if (!m_content.resources.emplace(id, blob).second) return Fail(Hex(id) + " is listed twice");
        return true;
    }

    bool Read(const std::string& file, Bytes& bytes) {
        return ReadBytes(m_base + file, bytes) || Fail("cannot read " + m_base + file);
    }

    bool Entry(const std::vector<std::string>& words) {
        std::uint32_t id = 0;
        if (words[0] == "language") {
            if (words.size() < 3 || !ParseNumber(words[1], id) || TypeOf(id) != kResAggregate) {
                return Fail("expected language AGGREGATE NAME");
            }
            std::string name = words[2];
            for (std::size_t i = 3; i < words.size(); ++i) name += " " + words[i];
            std::u16string wide;
            DecodeUtf8(Bytes(name.begin(), name.end()), wide);
            m_content.manifest.languages.push_back(ManifestLanguage{id, {0}, Utf8Name(wide)});
            m_texts[id];
            m_language = id;
            return true;
        }
        if (words.size() < 3 || !ParseNumber(words[0], id)) return Fail("expected ID KIND FILE");
        const std::string& kind = words[1];
        const std::string& file = words[2];
        const std::uint32_t type = kind == "text"                          ? kResText
                                   : kind == "image" || kind == "tiles"    ? kResImage
                                   : kind == "sound"                       ? kResSound
                                   : kind == "keyset" || kind == "sprites" ? kResKeyset
                                                                           : kResData;
        if (TypeOf(id) != type) return Fail(Hex(id) + " is not an id of a " + kind);
        if (kind != "font" && words.size() != 3) return Fail("unexpected words after the file");
        Bytes bytes;
        if (!Read(file, bytes)) return false;
        if (kind == "text") return Text(id, file, bytes);
        if (kind == "data") return Add(id, MakeResource(bytes));
        if (kind == "script") {
            ScriptAssembler assembler;
            Bytes payload;
            if (!assembler.Parse(std::string(bytes.begin(), bytes.end()), m_base + file) || !assembler.Build(payload)) {
                m_error = assembler.Error();
                return false;
            }
            m_script = assembler;
            return Add(id, MakeResource(payload));
        }
        const std::string source(bytes.begin(), bytes.end());
        std::string error;
        if (kind == "tiles") {
            Bytes bmp;
            return MakeTileset(source, m_base + file, bmp, error) ? Add(id, MakeResource(bmp, kTagNativeImageToo))
                                                                  : Fail(error);
        }
        if (kind == "map") {
            MapWriter map;
            Bytes payload;
            if (!map.Parse(source, m_base + file) || !map.Build(payload)) return Fail(map.Error());
            return Add(id, MakeResource(payload));
        }
        if (kind == "entities") {
            std::vector<EntityRecord> entities;
            const auto typeNumber = [this](std::string_view name) { return m_script.TypeNumber(name); };
            if (!ParseEntityList(source, m_base + file, entities, error, typeNumber)) return Fail(error);
            return Add(id, MakeResource(MakeEntityList(entities)));
        }
        if (kind == "sound") {
            Bytes pcm;
            if (!SynthesiseTune(Lines(bytes), pcm, error)) return FailIn(file, error);
            // The id as the stream's serial number: the same bytes every time.
            const Bytes ogg = EncodePcm(pcm, 1, kSampleRate, static_cast<int>(id & 0x7FFFFFFF));
            return !ogg.empty() ? Add(id, MakeResource(ogg, kTagOggSound)) : Fail("oggenc failed");
        }
        if (kind == "image" && file.ends_with(".art")) return ArtImage(id, file, bytes);
        if (kind == "image") {
            const Bytes bmp = PngToBmp(m_base + file, error);
            return !bmp.empty() ? Add(id, MakeResource(bmp, kTagNativeImage)) : Fail(error);
        }
        if (kind == "font") return Font(id, file, bytes, words);
        if (kind == "keyset") return Keyset(id, file, bytes);
        if (kind == "sprites") return Sprites(id, file, bytes);
        return Fail("unknown kind " + kind);
    }

    // The file's pixel art and sprite data.
    bool Art(const std::string& file, const Bytes& bytes, SpriteSet& set) {
        return ParseSpriteArt(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), m_base + file,
                              set, m_error);
    }

    bool ArtImage(std::uint32_t id, const std::string& file, const Bytes& bytes) {
        SpriteSet art;
        if (!Art(file, bytes, art)) return false;
        if (art.images.size() != 1 || !art.imageSprites.empty() || !art.archetypes.empty()) {
            return FailIn(file, " expected one image and nothing else");
        }
        return Add(id, MakeResource(MakeBmp(art.images[0]), kTagNativeImage));
    }

    bool Keyset(std::uint32_t id, const std::string& file, const Bytes& bytes) {
        std::vector<std::uint32_t> keys;
        const std::vector<std::string> lines = Lines(bytes);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            for (const std::string& word : Words(lines[n])) {
                std::uint32_t key = 0;
                if (!ParseNumber(word, key)) return FailIn(file, std::to_string(n + 1) + ": not an id: " + word);
                keys.push_back(key);
            }
        }
        return Add(id, MakeResource(MakeKeyset(keys)));
    }

    bool Sprites(std::uint32_t id, const std::string& file, const Bytes& bytes) {
        if (id != kSpriteAnchorId) return Fail("the sprite data's id is " + Hex(kSpriteAnchorId));
        SpriteSet set;
        if (!Art(file, bytes, set)) return false;
        for (const auto& [resource, blob] : MakeSpriteResources(set)) {
            if (!Add(resource, blob)) return false;
        }
        return true;
    }

    bool Text(std::uint32_t id, const std::string& file, Bytes bytes) {
        if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
        if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
        std::u16string text;
        if (!DecodeUtf8(bytes, text)) return FailIn(file, " not UTF-8");
        if ((id & kInAggregate) == 0) return Add(id, MakeText(text));
        if (((id >> 16) & 0xFF) != kCurrentLanguage) return Fail(Hex(id) + " lies in an aggregate of its own");
        if (m_language == 0) return Fail("a language text before the first language");
        if (!m_texts[m_language].emplace(static_cast<std::uint16_t>(EntryOf(id)), text).second) {
            return Fail(Hex(id) + " is listed twice");
        }
        return true;
    }

    bool Font(std::uint32_t id, const std::string& file, const Bytes& bytes, const std::vector<std::string>& words) {
        std::uint32_t image = 0;
        std::uint32_t ink = 0xFFFFFF;
        std::uint32_t scale = 1;
        for (std::size_t i = 3; i < words.size(); ++i) {
            const std::size_t equals = words[i].find('=');
            const std::string key = words[i].substr(0, equals);
            const std::string value = equals == std::string::npos ? "" : words[i].substr(equals + 1);
            std::uint32_t* target = key == "image" ? &image : key == "ink" ? &ink : key == "scale" ? &scale : nullptr;
            if (target == nullptr || !ParseNumber(key == "ink" ? "0x" + value : value, *target)) {
                return Fail("bad option " + words[i]);
            }
        }
        if (TypeOf(image) != kResImage || ink > 0xFFFFFF || scale < 1 || scale > 4) {
            return Fail("a font needs image=ID of an image, ink=RRGGBB and a scale of 1 to 4");
        }
        GlyphFile glyphs;
        std::string error;
        if (!ParseGlyphs(Lines(bytes), glyphs, error)) return FailIn(file, error);
        Bytes data;
        Bytes sheet;
        RasteriseFont(glyphs, ink, static_cast<int>(scale), data, sheet);
        return Add(id, MakeResource(data)) && Add(image, MakeResource(sheet, kTagNativeImage));
    }

    std::string m_list;
    std::string m_base;
    Content& m_content;
    std::string& m_error;
    int m_line = 0;
    std::uint32_t m_language = 0;
    std::map<std::uint32_t, std::map<std::uint16_t, std::u16string>> m_texts;
    // The last script listed: the entity lists name its types.
    ScriptAssembler m_script;
};

}  // namespace

bool LoadContent(const std::string& listPath, Content& content, std::string& error) {
    content = Content{};
    return Loader(listPath, content, error).Load();
}

bool AddLanguageCopy(Content& content, std::uint32_t aggregateId, std::u16string_view name) {
    if (content.manifest.languages.empty() || content.resources.contains(aggregateId)) return false;
    const auto first = content.resources.find(content.manifest.languages.front().aggregateId);
    if (first == content.resources.end()) return false;
    content.resources[aggregateId] = first->second;
    content.manifest.languages.push_back(ManifestLanguage{aggregateId, {0}, Utf8Name(name)});
    return true;
}

bool BuildContentArchive(const Content& content, Bytes& archive, std::string& error) {
    std::map<std::uint32_t, std::string> owners{{kManifestEntry, "the manifest"}};
    ArchiveBuilder builder;
    for (const auto& [id, blob] : content.resources) {
        const auto [owner, added] = owners.emplace(EntryOf(id), Hex(id));
        if (!added || !builder.Add(id, blob)) {
            error = owner->second + " and " + Hex(id) + " share archive entry " + std::to_string(EntryOf(id));
            return false;
        }
    }
    builder.AddManifest(content.manifest);
    archive = builder.Build();
    return true;
}

bool BuildContent(const std::string& listPath, const std::string& outPath, std::string& error) {
    Content content;
    Bytes archive;
    if (!LoadContent(listPath, content, error) || !BuildContentArchive(content, archive, error)) return false;
    if (WriteHostFile(outPath, archive)) return true;
    error = "cannot write " + outPath;
    return false;
}

Bytes PngToBmp(const std::string& path, std::string& error) {
    RgbaImage png;
    if (!ReadPng(path, png)) {
        error = "cannot read the PNG file " + path;
        return {};
    }
    BmpDesc bmp;
    bmp.width = png.width;
    bmp.height = png.height;
    std::map<std::uint32_t, std::uint32_t> indices;
    for (const std::uint32_t pixel : png.pixels) {
        const std::uint32_t rgb = (pixel >> 24) < 0x80 ? kMagenta : pixel & 0xFFFFFF;
        bmp.pixels.push_back(rgb);
        if (indices.size() <= 256 && indices.emplace(rgb, static_cast<std::uint32_t>(bmp.palette.size())).second) {
            bmp.palette.push_back(rgb);
        }
    }
    if (indices.size() <= 256) {
        bmp.bitCount = 8;
        // A shorter table than 256 entries is named, or readers take 256.
        bmp.coloursUsed = static_cast<std::int32_t>(bmp.palette.size());
        for (std::uint32_t& pixel : bmp.pixels) pixel = indices[pixel];
    } else {
        bmp.bitCount = 24;
        bmp.palette.clear();
    }
    return MakeBmp(bmp);
}

}  // namespace vktools
