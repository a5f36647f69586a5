#include "tools/SpriteWriter.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "tools/ResourceWriters.h"
#include "tools/TextForm.h"

namespace vktools {

namespace {

template <typename T>
std::uint16_t Count16(const std::vector<T>& items) {
    return static_cast<std::uint16_t>(items.size());
}

template <typename T>
std::uint8_t Count8(const std::vector<T>& items) {
    return static_cast<std::uint8_t>(items.size());
}

void WritePlacements(ByteWriter& w, const std::vector<std::vector<SpritePlacement>>& lists) {
    w.U16(Count16(lists));
    for (const auto& list : lists) {
        w.U8(Count8(list));
        for (const SpritePlacement& p : list) {
            w.U16(p.id).U16(static_cast<std::uint16_t>(p.dx)).U16(static_cast<std::uint16_t>(p.dy));
        }
    }
}

}  // namespace

Bytes MakeSpriteMainData(const SpriteSet& set) {
    ByteWriter w;
    w.U8(Count8(set.palettes));
    for (const auto& palette : set.palettes) {
        w.U16(static_cast<std::uint16_t>(palette.size() * 4));
        for (const std::uint32_t entry : palette) w.U32(entry);
    }
    w.U16(Count16(set.images));
    w.U16(Count16(set.tints));
    for (const SpriteTint& t : set.tints) w.U16(t.image).U8(static_cast<std::uint8_t>(t.palette));
    w.U16(Count16(set.imageSprites));
    for (const SpriteImage& s : set.imageSprites) w.U16(s.tint).U8(s.orientation).U8(s.reserved);
    w.U16(Count16(set.rectSprites));
    for (const SpriteRect& r : set.rectSprites) {
        w.U32(static_cast<std::uint32_t>(r.colour)).U16(r.width).U16(r.height).U8(static_cast<std::uint8_t>(r.kind));
    }
    w.U8(Count8(set.spritemaps));
    for (const auto& map : set.spritemaps) {
        w.U16(Count16(map));
        for (const SpritePair& pair : map) w.U16(pair.key).U16(pair.value);
    }
    w.U8(static_cast<std::uint8_t>(set.archetypeCount < 0 ? set.archetypes.size() : set.archetypeCount));
    return w.Take();
}

Bytes MakeSpriteArchetype(const SpriteArchetype& archetype, std::uint16_t imagespriteCount) {
    ByteWriter w;
    WritePlacements(w, archetype.layers);
    WritePlacements(w, archetype.frames);
    w.U16(Count16(archetype.animations));
    for (const auto& animation : archetype.animations) {
        w.U8(Count8(animation));
        for (const SpriteStep& step : animation) w.U16(step.frame).U16(step.duration);
    }
    w.U8(Count8(archetype.characters));
    for (const SpriteCharacter& character : archetype.characters) {
        Bytes needed((imagespriteCount + 7u) / 8, 0);
        for (const std::uint16_t sprite : character.sprites) {
            if (sprite / 8u < needed.size()) needed[sprite / 8u] |= static_cast<std::uint8_t>(1u << (sprite % 8));
        }
        w.Append(needed).U8(static_cast<std::uint8_t>(character.spritemap));
    }
    return w.Take();
}

bool AddSpriteSet(const SpriteSet& set, const std::function<bool(std::uint32_t, const TaggedBlob&)>& add) {
    const Bytes anchor = MakeKeyset({set.mainDataId, set.firstArchetypeId, set.firstImageId});
    bool added = add(kSpriteAnchorId, MakeResource(anchor));
    added = add(set.mainDataId, MakeResource(MakeSpriteMainData(set))) && added;
    for (std::uint32_t a = 0; a < set.archetypes.size(); ++a) {
        const Bytes data = MakeSpriteArchetype(set.archetypes[a], Count16(set.imageSprites));
        added = add(set.firstArchetypeId + a, MakeResource(data)) && added;
    }
    for (std::uint32_t i = 0; i < set.images.size(); ++i) {
        added = add(set.firstImageId + i, MakeResource(MakeBmp(set.images[i]), kTagPalettizedImage)) && added;
    }
    return added;
}

bool AddSpriteSet(ArchiveBuilder& archive, const SpriteSet& set) {
    return AddSpriteSet(set, [&](std::uint32_t id, const TaggedBlob& blob) { return archive.Add(id, blob); });
}

namespace {

constexpr std::uint32_t kRgbMax = 0xFFFFFF;
constexpr std::size_t kConvertedColours = 16;  // a palette's colours that the home converts

// Reads the text form line by line into the set.
class SpriteReader {
public:
    SpriteReader(const std::string& file, SpriteSet& set, std::string& error)
        : m_file(file), m_where(file), m_set(set), m_error(error) {}

    bool Read(std::string_view text) {
        m_set = SpriteSet{};
        m_set.mainDataId = m_set.firstArchetypeId = m_set.firstImageId = 0;
        const bool read = ForEachLine(text, [&](int number, std::string_view line) {
            m_where = m_file + ":" + std::to_string(number);
            return m_art != nullptr ? Row(Trim(line)) : Line(Words(line));
        });
        if (!read) return false;
        m_where = m_file;
        if (m_art != nullptr) return Fail("an image without 'end'");
        if (m_set.mainDataId == 0 || m_set.firstArchetypeId == 0 || m_set.firstImageId == 0) {
            return Fail("main, archetypes and images must be given");
        }
        for (BmpDesc& image : m_set.images) {
            image.palette = m_colours;
            image.coloursUsed = static_cast<std::int32_t>(m_colours.size());
        }
        for (std::size_t p = 0; p < m_set.palettes.size(); ++p) {
            m_set.palettes[p] = m_colours;
            for (const auto& [index, rgb] : m_paletteChanges[p]) m_set.palettes[p][index] = rgb;
        }
        return true;
    }

private:
    using WordList = std::vector<std::string>;

    bool Fail(const std::string& message) {
        m_error = m_where + ": " + message;
        return false;
    }

    static bool Number(const std::string& text, std::int64_t low, std::int64_t high, std::int64_t& value) {
        return ParseInt(text, value) && value >= low && value <= high;
    }
    static bool Rgb(const std::string& text, std::uint32_t& rgb) {
        std::int64_t value = 0;
        if (text.empty() || text[0] == '-' || text[0] == '+' || !Number("0x" + text, 0, kRgbMax, value)) return false;
        rgb = static_cast<std::uint32_t>(value);
        return true;
    }
    // The index of a declared name, or false with the message.
    bool Find(const std::map<std::string, std::uint16_t>& names, const std::string& name, const char* what,
              std::uint16_t& index) {
        const auto found = names.find(name);
        if (found == names.end()) return Fail(std::string("no ") + what + " '" + name + "'");
        index = found->second;
        return true;
    }
    bool Declare(std::map<std::string, std::uint16_t>& names, const std::string& name, std::size_t index) {
        return names.emplace(name, static_cast<std::uint16_t>(index)).second ||
               Fail("'" + name + "' is declared twice");
    }
    bool InArchetype() { return m_archetype >= 0 || Fail("outside an archetype"); }

    bool Row(std::string_view row) {
        if (row == "end") {
            if (m_art->height == 0) return Fail("an image without rows");
            m_art = nullptr;
            return true;
        }
        if (row.empty()) return true;
        if (m_art->height > 0 && row.size() != static_cast<std::size_t>(m_art->width)) {
            return Fail("a row of another width");
        }
        for (const char c : row) {
            const auto colour = m_colourIndex.find(c);
            if (colour == m_colourIndex.end()) return Fail(std::string("no colour '") + c + "'");
            m_art->pixels.push_back(colour->second);
        }
        m_art->width = static_cast<std::int32_t>(row.size());
        ++m_art->height;
        return true;
    }

    bool Line(const WordList& w) {
        if (w.empty()) return true;
        const std::string& key = w[0];
        if ((key == "main" || key == "archetypes" || key == "images") && w.size() == 2) return Id(w);
        if (key == "colour" && w.size() == 3) return Colour(w);
        if (key == "palette" && w.size() >= 2) return Palette(w);
        if (key == "image" && w.size() == 2) return Image(w[1]);
        if (key == "sprite" && w.size() >= 3 && w.size() <= 5) return Sprite(w);
        if (key == "archetype" && w.size() == 2) return Archetype(w[1]);
        if ((key == "layer" || key == "frame") && w.size() % 3 == 2) return Placements(w);
        if (key == "animation" && w.size() % 2 == 0) return Animation(w);
        if (key == "character" && w.size() >= 2) return Character(w);
        return Fail("expected main, archetypes, images, colour, palette, image, sprite, archetype, layer, frame, "
                    "animation or character, with their values");
    }

    bool Id(const WordList& w) {
        const bool image = w[0] == "images";
        std::int64_t id = 0;
        const std::uint32_t type = image ? kResImage : kResData;
        if (!Number(w[1], 0, 0xFFFFFFFF, id) || TypeOf(static_cast<std::uint32_t>(id)) != type ||
            (id & kInAggregate) != 0) {
            return Fail(image ? "expected the id of an image" : "expected the id of a data resource");
        }
        (w[0] == "main" ? m_set.mainDataId : image ? m_set.firstImageId : m_set.firstArchetypeId) =
            static_cast<std::uint32_t>(id);
        return true;
    }

    bool Colour(const WordList& w) {
        std::uint32_t rgb = 0;
        if (w[1].size() != 1 || !Rgb(w[2], rgb)) return Fail("expected colour C RRGGBB");
        if (m_colours.size() == 256) return Fail("more than 256 colours");
        if (!m_colourIndex.emplace(w[1][0], static_cast<std::uint32_t>(m_colours.size())).second) {
            return Fail("colour '" + w[1] + "' is declared twice");
        }
        m_colours.push_back(rgb);
        return true;
    }

    bool Palette(const WordList& w) {
        if (m_set.palettes.size() == 255) return Fail("more than 255 palettes");
        if (!Declare(m_palettes, w[1], m_set.palettes.size())) return false;
        std::vector<std::pair<std::uint32_t, std::uint32_t>>& changes = m_paletteChanges.emplace_back();
        for (std::size_t i = 2; i < w.size(); ++i) {
            const auto colour = w[i].size() >= 2 && w[i][1] == '=' ? m_colourIndex.find(w[i][0]) : m_colourIndex.end();
            std::uint32_t rgb = 0;
            if (colour == m_colourIndex.end() || !Rgb(w[i].substr(2), rgb)) {
                return Fail("expected C=RRGGBB of a colour");
            }
            if (colour->second >= kConvertedColours) return Fail("only the first 16 colours can be replaced");
            changes.emplace_back(colour->second, rgb);
        }
        m_set.palettes.emplace_back();
        return true;
    }

    bool Image(const std::string& name) {
        if (m_set.images.size() == 0xFFFF) return Fail("too many images");
        if (!Declare(m_images, name, m_set.images.size())) return false;
        m_art = &m_set.images.emplace_back();
        m_art->bitCount = 8;
        return true;
    }

    bool Sprite(const WordList& w) {
        if (m_set.imageSprites.size() == 0xFFFF) return Fail("too many sprites");
        std::uint16_t image = 0;
        std::int8_t palette = -1;
        std::int64_t orientation = 0;
        if (!Find(m_images, w[2], "image", image)) return false;
        for (std::size_t i = 3; i < w.size(); ++i) {
            std::uint16_t index = 0;
            if (w[i].rfind("palette=", 0) == 0) {
                if (!Find(m_palettes, w[i].substr(8), "palette", index)) return false;
                palette = static_cast<std::int8_t>(index);
            } else if (w[i].rfind("orientation=", 0) != 0 || !Number(w[i].substr(12), 0, 7, orientation)) {
                return Fail("expected palette=NAME or orientation=0-7");
            }
        }
        const std::vector<std::uint32_t>& pixels = m_set.images[image].pixels;
        if (palette >= 0 && std::any_of(pixels.begin(), pixels.end(), [](auto p) { return p >= kConvertedColours; })) {
            return Fail("a tinted image uses only the first 16 colours");
        }
        if (!Declare(m_sprites, w[1], m_set.imageSprites.size())) return false;
        const auto tint = m_tints.emplace(std::pair(image, palette), static_cast<std::uint16_t>(m_set.tints.size()));
        if (tint.second) m_set.tints.push_back({image, palette});
        m_set.imageSprites.push_back({tint.first->second, static_cast<std::uint8_t>(orientation), 0});
        return true;
    }

    bool Archetype(const std::string& text) {
        std::int64_t n = 0;
        if (!Number(text, 0, 254, n)) return Fail("expected archetype 0-254");
        if (static_cast<std::size_t>(n) < m_set.archetypes.size() && m_described[static_cast<std::size_t>(n)]) {
            return Fail("archetype " + text + " is described twice");
        }
        if (static_cast<std::size_t>(n) >= m_set.archetypes.size()) {
            m_set.archetypes.resize(static_cast<std::size_t>(n) + 1);
            m_described.resize(static_cast<std::size_t>(n) + 1);
        }
        m_described[static_cast<std::size_t>(n)] = true;
        m_archetype = static_cast<std::int32_t>(n);
        m_layers.clear();
        m_frames.clear();
        m_numbered.clear();
        return true;
    }
    SpriteArchetype& Current() { return m_set.archetypes[static_cast<std::size_t>(m_archetype)]; }

    // A layer's sprites or a frame's layers, each with its offset.
    bool Placements(const WordList& w) {
        if (!InArchetype()) return false;
        const bool layer = w[0] == "layer";
        auto& lists = layer ? Current().layers : Current().frames;
        if (lists.size() == 0xFFFF) return Fail("too many");
        if (w.size() > 2 + 3 * 255) return Fail("more than 255 entries");
        std::vector<SpritePlacement> list;
        for (std::size_t i = 2; i < w.size(); i += 3) {
            SpritePlacement placement;
            std::int64_t dx = 0, dy = 0;
            if (!Find(layer ? m_sprites : m_layers, w[i], layer ? "sprite" : "layer", placement.id)) return false;
            if (!Number(w[i + 1], -32768, 32767, dx) || !Number(w[i + 2], -32768, 32767, dy)) {
                return Fail("expected offsets of 16 bits");
            }
            placement.dx = static_cast<std::int16_t>(dx);
            placement.dy = static_cast<std::int16_t>(dy);
            list.push_back(placement);
        }
        if (!Declare(layer ? m_layers : m_frames, w[1], lists.size())) return false;
        lists.push_back(list);
        return true;
    }

    // Numbered entries (animations, characters) grow the list up to theirs;
    // null (having failed) for a bad or repeated number.
    template <typename T>
    T* Numbered(std::vector<T>& list, const std::string& text, std::int64_t max, const char* what) {
        std::int64_t n = 0;
        if (!Number(text, 0, max, n)) {
            Fail(std::string("expected ") + what + " 0-" + std::to_string(max));
            return nullptr;
        }
        if (!m_numbered.emplace(what, n).second) {
            Fail(std::string(what) + " " + text + " is described twice");
            return nullptr;
        }
        const auto index = static_cast<std::size_t>(n);
        if (index >= list.size()) list.resize(index + 1);
        return &list[index];
    }

    bool Animation(const WordList& w) {
        if (!InArchetype()) return false;
        if (w.size() > 2 + 2 * 255) return Fail("more than 255 frames");
        std::vector<SpriteStep> steps;
        std::int64_t total = 0;
        for (std::size_t i = 2; i < w.size(); i += 2) {
            SpriteStep step;
            std::int64_t ms = 0;
            if (!Find(m_frames, w[i], "frame", step.frame)) return false;
            if (!Number(w[i + 1], 10, 65530, ms) || ms % 10 != 0) {
                return Fail("expected a time of 10 to 65530 ms in tens");
            }
            total += ms;
            step.duration = static_cast<std::uint16_t>(ms / 10);
            steps.push_back(step);
        }
        if (total > 0xFFFF) return Fail("an animation longer than 65535 ms");
        std::vector<SpriteStep>* animation = Numbered(Current().animations, w[1], 0xFFFE, "animation");
        if (animation != nullptr) *animation = steps;
        return animation != nullptr;
    }

    bool Character(const WordList& w) {
        if (!InArchetype()) return false;
        SpriteCharacter character;
        for (std::size_t i = 2; i < w.size(); ++i) {
            if (!Find(m_sprites, w[i], "sprite", character.sprites.emplace_back())) return false;
        }
        SpriteCharacter* entry = Numbered(Current().characters, w[1], 254, "character");
        if (entry != nullptr) *entry = character;
        return entry != nullptr;
    }

    std::string m_file;
    std::string m_where;
    SpriteSet& m_set;
    std::string& m_error;
    std::vector<std::uint32_t> m_colours;
    std::map<char, std::uint32_t> m_colourIndex;
    std::map<std::string, std::uint16_t> m_palettes, m_images, m_sprites, m_layers, m_frames;
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> m_paletteChanges;
    std::map<std::pair<std::uint16_t, std::int8_t>, std::uint16_t> m_tints;
    std::vector<bool> m_described;
    std::set<std::pair<std::string, std::int64_t>> m_numbered;  // the archetype's animations and characters
    std::int32_t m_archetype = -1;
    BmpDesc* m_art = nullptr;  // the image whose rows are read
};

}  // namespace

bool ReadSpriteSet(std::string_view text, const std::string& file, SpriteSet& set, std::string& error) {
    return SpriteReader(file, set, error).Read(text);
}

}  // namespace vktools
