#include "tools/SpriteWriter.h"

#include "tools/ResourceWriters.h"

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

std::vector<std::pair<std::uint32_t, TaggedBlob>> MakeSpriteResources(const SpriteSet& set) {
    std::vector<std::pair<std::uint32_t, TaggedBlob>> resources;
    resources.emplace_back(kSpriteAnchorId,
                           MakeResource(MakeKeyset({set.mainDataId, set.firstArchetypeId, set.firstImageId})));
    resources.emplace_back(set.mainDataId, MakeResource(MakeSpriteMainData(set)));
    for (std::uint32_t a = 0; a < set.archetypes.size(); ++a) {
        const Bytes data = MakeSpriteArchetype(set.archetypes[a], Count16(set.imageSprites));
        resources.emplace_back(set.firstArchetypeId + a, MakeResource(data));
    }
    for (std::uint32_t i = 0; i < set.images.size(); ++i) {
        resources.emplace_back(set.firstImageId + i, MakeResource(MakeBmp(set.images[i]), kTagPalettizedImage));
    }
    return resources;
}

bool AddSpriteSet(ArchiveBuilder& archive, const SpriteSet& set) {
    bool added = true;
    for (const auto& [id, blob] : MakeSpriteResources(set)) added = archive.Add(id, blob) && added;
    return added;
}

}  // namespace vktools
