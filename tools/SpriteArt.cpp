#include "tools/SpriteArt.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/TextForm.h"

namespace vktools {

namespace {

struct ArtImage {
    std::string name;
    std::vector<std::string> rows;
};

bool InInt16(std::int64_t v) { return v >= -32768 && v <= 32767; }

}  // namespace

bool ParseSpriteArt(std::string_view text, const std::string& file, SpriteSet& set, std::string& error) {
    std::map<char, std::uint32_t> colours;
    std::vector<std::uint32_t> palette;
    std::vector<ArtImage> images;
    std::vector<std::pair<std::string, SpriteRect>> boxes;
    struct ArtFrame {
        std::vector<std::string> sprites;
        std::vector<std::int16_t> offsets;
    };
    struct ArtArchetype {
        std::vector<ArtFrame> frames;
        std::vector<std::vector<SpriteStep>> animations;
    };
    std::vector<ArtArchetype> archetypes;
    std::vector<std::string>* art = nullptr;
    std::string where = file;
    const auto fail = [&](const std::string& message) {
        error = where + ": " + message;
        return false;
    };
    const bool read = ForEachLine(text, [&](int number, std::string_view line) {
        where = file + ":" + std::to_string(number);
        const std::vector<std::string> words = Words(line);
        if (art != nullptr) {
            if (words.size() == 1 && words[0] == "end") {
                art = nullptr;
            } else if (!words.empty()) {
                if (words.size() != 1 || (!art->empty() && words[0].size() != art->front().size())) {
                    return fail("an image's rows are one word each, all of one width");
                }
                art->push_back(words[0]);
            }
            return true;
        }
        if (words.empty()) return true;
        std::int64_t v[4] = {};
        if (words[0] == "colour" && words.size() == 3 && words[1].size() == 1 && ParseInt("0x" + words[2], v[0]) &&
            v[0] >= 0 && v[0] <= 0xFFFFFF && palette.size() < 256) {
            colours[words[1][0]] = static_cast<std::uint32_t>(palette.size());
            palette.push_back(static_cast<std::uint32_t>(v[0]));
        } else if (words[0] == "image" && words.size() == 2) {
            images.push_back({words[1], {}});
            art = &images.back().rows;
        } else if (words[0] == "box" && words.size() == 5 && ParseInt(words[2], v[0]) && ParseInt(words[3], v[1]) &&
                   ParseInt(words[4], v[2]) && v[0] >= 0 && v[0] <= 0xFFFF && v[1] >= 0 && v[1] <= 0xFFFF &&
                   v[2] >= 0 && v[2] <= 127) {
            boxes.push_back({words[1], SpriteRect{-1, static_cast<std::uint16_t>(v[0]), static_cast<std::uint16_t>(v[1]),
                                                  static_cast<std::int8_t>(v[2])}});
        } else if (words[0] == "archetype" && words.size() == 1) {
            archetypes.emplace_back();
        } else if (words[0] == "frame" && words.size() % 3 == 1 && words.size() > 1 && !archetypes.empty()) {
            ArtFrame& frame = archetypes.back().frames.emplace_back();
            for (std::size_t i = 1; i < words.size(); i += 3) {
                if (!ParseInt(words[i + 1], v[0]) || !ParseInt(words[i + 2], v[1]) || !InInt16(v[0]) || !InInt16(v[1])) {
                    return fail("expected SPRITE X Y");
                }
                frame.sprites.push_back(words[i]);
                frame.offsets.push_back(static_cast<std::int16_t>(v[0]));
                frame.offsets.push_back(static_cast<std::int16_t>(v[1]));
            }
        } else if (words[0] == "animation" && words.size() % 2 == 1 && words.size() > 1 && !archetypes.empty()) {
            std::vector<SpriteStep>& steps = archetypes.back().animations.emplace_back();
            for (std::size_t i = 1; i < words.size(); i += 2) {
                if (!ParseInt(words[i], v[0]) || !ParseInt(words[i + 1], v[1]) || v[0] < 0 ||
                    v[0] >= static_cast<std::int64_t>(archetypes.back().frames.size()) || v[1] < 0 || v[1] % 10 != 0 ||
                    v[1] / 10 > 0xFFFF) {
                    return fail("expected FRAME MS of a frame above, in multiples of 10 ms");
                }
                steps.push_back({static_cast<std::uint16_t>(v[0]), static_cast<std::uint16_t>(v[1] / 10)});
            }
        } else {
            return fail("expected colour, image, box, archetype, frame or animation");
        }
        return true;
    });
    if (!read) return false;
    if (art != nullptr) return fail("image without 'end'");

    // Sprite ids by name: the images, then the boxes.
    std::map<std::string, std::uint16_t> ids;
    set = SpriteSet{};
    for (const ArtImage& image : images) {
        where = file + ": image " + image.name;
        if (image.rows.empty()) return fail("no rows");
        BmpDesc bmp{static_cast<std::int32_t>(image.rows[0].size()), static_cast<std::int32_t>(image.rows.size()), 8,
                    palette, static_cast<std::int32_t>(palette.size()), {}};
        for (const std::string& row : image.rows) {
            for (const char c : row) {
                const auto colour = colours.find(c);
                if (colour == colours.end()) return fail(std::string("no colour '") + c + "'");
                bmp.pixels.push_back(colour->second);
            }
        }
        const auto n = static_cast<std::uint16_t>(set.images.size());
        set.images.push_back(bmp);
        set.tints.push_back({n, -1});
        set.imageSprites.push_back({n, 0, 0});
        if (!ids.emplace(image.name, n).second) return fail("a second sprite of this name");
    }
    for (const auto& [name, rect] : boxes) {
        where = file + ": box " + name;
        if (!ids.emplace(name, static_cast<std::uint16_t>(set.imageSprites.size() + set.rectSprites.size())).second) {
            return fail("a second sprite of this name");
        }
        set.rectSprites.push_back(rect);
    }
    for (const ArtArchetype& source : archetypes) {
        where = file + ": archetype " + std::to_string(set.archetypes.size());
        SpriteArchetype& archetype = set.archetypes.emplace_back();
        std::set<std::uint16_t> needed;
        for (const ArtFrame& frame : source.frames) {
            std::vector<SpritePlacement>& layer = archetype.layers.emplace_back();
            for (std::size_t i = 0; i < frame.sprites.size(); ++i) {
                const auto id = ids.find(frame.sprites[i]);
                if (id == ids.end()) return fail("no sprite " + frame.sprites[i]);
                layer.push_back({id->second, frame.offsets[2 * i], frame.offsets[2 * i + 1]});
                if (id->second < set.imageSprites.size()) needed.insert(id->second);
            }
            archetype.frames.push_back({{static_cast<std::uint16_t>(archetype.frames.size()), 0, 0}});
        }
        archetype.animations = source.animations;
        archetype.characters.push_back({{needed.begin(), needed.end()}, -1});
    }
    return true;
}

}  // namespace vktools
