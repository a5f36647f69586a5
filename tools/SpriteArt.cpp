#include "tools/SpriteArt.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

namespace vktools {

namespace {

bool ParseInt(const std::string& text, std::int64_t& value, int base = 10) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value, base);
    return error == std::errc() && at == end;
}

class Parser {
public:
    Parser(const std::string& file, SpriteSet& set, std::string& error) : m_file(file), m_set(set), m_error(error) {}

    bool Parse(std::string_view text) {
        std::istringstream in{std::string(text)};
        std::string line;
        while (std::getline(in, line)) {
            ++m_line;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (m_image != nullptr ? !Row(line) : !Declaration(line)) return false;
        }
        if (m_image != nullptr) return Fail("an image without `end`");
        EndArchetype();
        return true;
    }

private:
    bool Fail(const std::string& message) {
        m_error = m_file + ":" + std::to_string(m_line) + ": " + message;
        return false;
    }

    bool Row(const std::string& line) {
        if (line == "end") {
            if (m_image->height == 0) return Fail("an image without rows");
            m_image = nullptr;
            return true;
        }
        if (m_image->height > 0 && static_cast<std::int32_t>(line.size()) * m_scale != m_image->width) {
            return Fail("a row of another width");
        }
        if (line.empty()) return Fail("an empty row");
        m_image->width = static_cast<std::int32_t>(line.size()) * m_scale;
        for (int dy = 0; dy < m_scale; ++dy) {
            for (const char c : line) {
                const auto colour = m_colours.find(c);
                if (colour == m_colours.end()) return Fail(std::string("no colour for '") + c + "'");
                std::vector<std::uint32_t>& palette = m_image->palette;
                auto index = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), colour->second) -
                                                        palette.begin());
                if (index == palette.size()) palette.push_back(colour->second);
                m_image->pixels.insert(m_image->pixels.end(), static_cast<std::size_t>(m_scale), index);
            }
            ++m_image->height;
        }
        if (m_image->palette.size() > 256) return Fail("more than 256 colours");
        m_image->coloursUsed = static_cast<std::int32_t>(m_image->palette.size());
        return true;
    }

    // The number words from index first, in pairs or triples after a name.
    bool Number(const std::string& word, std::int64_t low, std::int64_t high, std::int64_t& value) {
        if (ParseInt(word, value) && value >= low && value <= high) return true;
        return Fail("expected a number from " + std::to_string(low) + " to " + std::to_string(high) + ": " + word);
    }

    template <typename Map>
    bool Find(const Map& map, const std::string& name, const char* what, std::uint16_t& value) {
        const auto found = map.find(name);
        if (found == map.end()) return Fail(std::string("no ") + what + " " + name);
        value = static_cast<std::uint16_t>(found->second);
        return true;
    }

    // NAME followed by (thing X Y) triples, looked up in map.
    template <typename Map>
    bool Placements(const std::vector<std::string>& words, const Map& map, const char* what,
                    std::vector<SpritePlacement>& out) {
        if (words.size() < 5 || (words.size() - 2) % 3 != 0) return Fail(std::string("expected NAME and ") + what + " X Y");
        for (std::size_t i = 2; i < words.size(); i += 3) {
            SpritePlacement p;
            std::int64_t x = 0;
            std::int64_t y = 0;
            if (!Find(map, words[i], what, p.id) || !Number(words[i + 1], -32768, 32767, x) ||
                !Number(words[i + 2], -32768, 32767, y)) {
                return false;
            }
            p.dx = static_cast<std::int16_t>(x);
            p.dy = static_cast<std::int16_t>(y);
            out.push_back(p);
        }
        return true;
    }

    bool Declaration(const std::string& line) {
        std::istringstream in(line.substr(0, line.find('#')));
        const std::vector<std::string> words{std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
        if (words.empty()) return true;
        const std::string& what = words[0];
        std::int64_t a = 0;
        std::int64_t b = 0;
        std::int64_t c = 0;
        const bool inArchetype = m_archetype >= 0;
        if (what == "colour" && words.size() == 3 && words[1].size() == 1) {
            if (!ParseInt(words[2], a, 16) || a < 0 || a > 0xFFFFFF) return Fail("expected colour C RRGGBB");
            m_colours[words[1][0]] = static_cast<std::uint32_t>(a);
        } else if (what == "scale" && words.size() == 2) {
            if (!Number(words[1], 1, 8, a)) return false;
            m_scale = static_cast<int>(a);
        } else if (what == "image" && words.size() == 2 && !inArchetype) {
            if (!m_images.emplace(words[1], m_set.images.size()).second) return Fail("a second image " + words[1]);
            m_image = &m_set.images.emplace_back();
            m_image->bitCount = 8;
        } else if (what == "sprite" && words.size() == 3 && !inArchetype) {
            std::uint16_t image = 0;
            if (!Find(m_images, words[2], "image", image)) return false;
            if (!m_sprites.emplace(words[1], m_set.imageSprites.size()).second) return Fail("a second sprite " + words[1]);
            m_set.tints.push_back({image, -1});
            m_set.imageSprites.push_back({static_cast<std::uint16_t>(m_set.tints.size() - 1), 0, 0});
        } else if (what == "box" && (words.size() == 5 || words.size() == 6) && !inArchetype) {
            const bool invisible = words[2] == "-1";
            if ((!invisible && (!ParseInt(words[2], a, 16) || a < 0 || a > 0xFFFFFFFF)) ||
                !Number(words[3], 0, 65535, b) || !Number(words[4], 0, 65535, c)) {
                return Fail("expected box NAME AARRGGBB W H [KIND]");
            }
            std::int64_t kind = 0;
            if (words.size() == 6 && !Number(words[5], -128, 127, kind)) return false;
            m_boxes.emplace_back(words[1], SpriteRect{invisible ? -1 : static_cast<std::int32_t>(a),
                                                      static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(c),
                                                      static_cast<std::int8_t>(kind)});
        } else if (what == "archetype" && words.size() == 2) {
            if (!Number(words[1], m_archetype + 1, 255, a)) return false;
            if (!inArchetype) NumberBoxes();
            EndArchetype();
            m_archetype = static_cast<int>(a);
            m_set.archetypes.resize(static_cast<std::size_t>(a) + 1);
            m_layers.clear();
            m_frames.clear();
            m_characters = 0;
        } else if (what == "characters" && inArchetype && words.size() == 2) {
            if (!Number(words[1], 1, 255, a)) return false;
            m_characters = static_cast<int>(a);
        } else if (what == "layer" && inArchetype) {
            if (!m_layers.emplace(words.size() > 1 ? words[1] : "", Archetype().layers.size()).second) {
                return Fail("a second layer " + words[1]);
            }
            return Placements(words, m_sprites, "sprite", Archetype().layers.emplace_back());
        } else if (what == "frame" && inArchetype) {
            if (!m_frames.emplace(words.size() > 1 ? words[1] : "", Archetype().frames.size()).second) {
                return Fail("a second frame " + words[1]);
            }
            return Placements(words, m_layers, "layer", Archetype().frames.emplace_back());
        } else if (what == "animation" && inArchetype && words.size() >= 4 && words.size() % 2 == 0) {
            if (!Number(words[1], 0, 65535, a)) return false;
            auto& animations = Archetype().animations;
            if (animations.size() <= static_cast<std::size_t>(a)) animations.resize(static_cast<std::size_t>(a) + 1);
            for (std::size_t i = 2; i < words.size(); i += 2) {
                SpriteStep step;
                if (!Find(m_frames, words[i], "frame", step.frame) || !Number(words[i + 1], 10, 655350, b)) return false;
                if (b % 10 != 0) return Fail("a duration that is not a multiple of 10 ms");
                step.duration = static_cast<std::uint16_t>(b / 10);
                animations[static_cast<std::size_t>(a)].push_back(step);
            }
        } else {
            return Fail("unexpected line: " + line);
        }
        return true;
    }

    SpriteArchetype& Archetype() { return m_set.archetypes[static_cast<std::size_t>(m_archetype)]; }

    // Boxes are numbered after every image sprite.
    void NumberBoxes() {
        for (const auto& [name, rect] : m_boxes) {
            m_sprites.emplace(name, m_set.imageSprites.size() + m_set.rectSprites.size());
            m_set.rectSprites.push_back(rect);
        }
    }

    // Character 0 needs every image sprite of the archetype's layers; the
    // further characters of a `characters` line need none.
    void EndArchetype() {
        if (m_archetype < 0 || (Archetype().layers.empty() && m_characters == 0)) return;
        SpriteCharacter character;
        for (const auto& layer : Archetype().layers) {
            for (const SpritePlacement& p : layer) {
                if (p.id < m_set.imageSprites.size()) character.sprites.push_back(p.id);
            }
        }
        std::sort(character.sprites.begin(), character.sprites.end());
        character.sprites.erase(std::unique(character.sprites.begin(), character.sprites.end()), character.sprites.end());
        Archetype().characters = {character};
        if (m_characters > 1) Archetype().characters.resize(static_cast<std::size_t>(m_characters));
    }

    std::string m_file;
    SpriteSet& m_set;
    std::string& m_error;
    int m_line = 0;
    int m_scale = 1;
    int m_archetype = -1;
    int m_characters = 0;  // of the archetype's `characters` line, 0 without
    BmpDesc* m_image = nullptr;
    std::map<char, std::uint32_t> m_colours;
    std::map<std::string, std::size_t> m_images;
    std::map<std::string, std::size_t> m_sprites;
    std::vector<std::pair<std::string, SpriteRect>> m_boxes;
    std::map<std::string, std::size_t> m_layers;
    std::map<std::string, std::size_t> m_frames;
};

}  // namespace

bool ParseSpriteArt(std::string_view text, const std::string& file, SpriteSet& set, std::string& error) {
    set = SpriteSet{};
    return Parser(file, set, error).Parse(text);
}

}  // namespace vktools
