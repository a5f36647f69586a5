// Writer of the sprite data: the anchor keyset 0x05000142 (main data id,
// archetype 0's id, image 0's id), the main data resource (palettes, image
// count, tints, image sprites, rect sprites, sprite maps, archetype count),
// one data resource per archetype (layers, frames, animations, characters)
// and one palettized image resource per image, all little-endian, from a
// plain description or from its text form. Values are written as they
// stand, in range or not.
//
// The text form, one declaration a line ('#' starts a comment, except in an
// image's rows):
//
//   main ID, archetypes ID, images ID   the main data's id, archetype 0's
//                                       (archetype a is ID + a) and image
//                                       0's (image i is ID + i)
//   colour C RRGGBB                     the next colour of every image's
//                                       palette; FF00FF is the key colour,
//                                       whose pixels are not drawn
//   palette NAME [C=RRGGBB]...          a palette for tints: the colours,
//                                       some of the first 16 replaced
//   image NAME                          rows of colour characters, all of
//   ..o..                               one width, up to the line `end`
//   end
//   sprite NAME IMAGE [palette=NAME] [orientation=N]
//                                       the next image sprite: the image
//                                       drawn with the palette (its own
//                                       without one) in orientation 0-7
//   archetype N                         the archetype the lines below
//                                       describe; those not described are
//                                       empty
//   layer NAME [SPRITE DX DY]...        the archetype's next layer
//   frame NAME [LAYER DX DY]...         its next frame
//   animation N [FRAME MS]...           animation N, each frame's time a
//                                       multiple of 10 ms; those not
//                                       described have no frames
//   character N [SPRITE]...             character N and the image sprites
//                                       it needs; those not described need
//                                       none
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ArchiveBuilder.h"
#include "tools/BmpWriter.h"
#include "tools/ByteWriter.h"
#include "tools/ResourceIds.h"

namespace vktools {

constexpr std::uint32_t kSpriteAnchorId = 0x05000142;

struct SpriteTint {
    std::uint16_t image = 0;
    std::int8_t palette = -1;  // -1: the image's own
};

struct SpriteImage {
    std::uint16_t tint = 0;
    std::uint8_t orientation = 0;  // 0-3 the stored image, 4-7 the rotated one; bits 0-1 flip
    std::uint8_t reserved = 0;
};

struct SpriteRect {
    std::int32_t colour = -1;  // 0xAARRGGBB, -1 an invisible box
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int8_t kind = 0;
};

struct SpritePair {
    std::uint16_t key = 0;    // sprite id replaced
    std::uint16_t value = 0;  // sprite id drawn instead
};

// A sprite in a layer, or a layer in a frame, with its offset.
struct SpritePlacement {
    std::uint16_t id = 0;
    std::int16_t dx = 0;
    std::int16_t dy = 0;
};

struct SpriteStep {
    std::uint16_t frame = 0;
    std::uint16_t duration = 0;  // units of 10 ms
};

struct SpriteCharacter {
    std::vector<std::uint16_t> sprites;  // the image sprites it needs
    std::int8_t spritemap = -1;
};

struct SpriteArchetype {
    std::vector<std::vector<SpritePlacement>> layers;
    std::vector<std::vector<SpritePlacement>> frames;
    std::vector<std::vector<SpriteStep>> animations;
    std::vector<SpriteCharacter> characters;
};

struct SpriteSet {
    std::uint32_t mainDataId = ResId(kResData, 0x143);
    std::uint32_t firstArchetypeId = ResId(kResData, 0x1000);
    std::uint32_t firstImageId = ResId(kResImage, 0x2000);
    // Entries 0xAARRGGBB, written as the bytes blue, green, red, alpha.
    std::vector<std::vector<std::uint32_t>> palettes;
    std::vector<BmpDesc> images;  // the image count is theirs
    std::vector<SpriteTint> tints;
    std::vector<SpriteImage> imageSprites;
    std::vector<SpriteRect> rectSprites;
    std::vector<std::vector<SpritePair>> spritemaps;
    std::vector<SpriteArchetype> archetypes;
    std::int32_t archetypeCount = -1;  // the count written; -1: the archetypes'
};

Bytes MakeSpriteMainData(const SpriteSet& set);
// The character's needed sprites take (imagespriteCount + 7) / 8 bytes.
Bytes MakeSpriteArchetype(const SpriteArchetype& archetype, std::uint16_t imagespriteCount);
// Hands add the anchor, the main data, the archetypes and the images (as
// palettized image blobs), each with its id; false when add refused one.
bool AddSpriteSet(const SpriteSet& set, const std::function<bool(std::uint32_t, const TaggedBlob&)>& add);
// The same into the archive: false when an entry was taken already.
bool AddSpriteSet(ArchiveBuilder& archive, const SpriteSet& set);
// The set from its text form; false with the error ("file:line: message").
bool ReadSpriteSet(std::string_view text, const std::string& file, SpriteSet& set, std::string& error);

}  // namespace vktools
