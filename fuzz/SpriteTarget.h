// The sprite fuzz target's body and seeds, and the sample sprite set they
// start from, shared with the tests. The input is a little-endian u16
// length, that many bytes of main data, then archetype 0's data, in an
// archive whose anchor and images are fixed.
#pragma once

#include <cstdint>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"
#include "tools/ResourceWriters.h"
#include "tools/SpriteWriter.h"

namespace fuzz {

namespace sprite {

using namespace vktools;

// Image 0 (3 x 2, magenta at the bottom right) drawn by image sprites 0-7 in
// orientations 0-7; image sprite 8 draws it tinted with palette 0 (17
// entries), 9 draws image 1 (2 x 2), 10 image 2 (24 bits: no palettized
// image). Rect sprites: 11 green 10 x 20 of kind 1, 12 an invisible box
// 10 x 20 of kind 1, 13 an invisible box 4 x 4 of kind 2. Sprite map 0
// draws 9 for 8. Archetype 0 shows sprites 0-7, one per frame of its
// animation 0, to character 0. Archetype 1: frame 0 the green rect at
// (-5, -10); frame 1 sprite 8 at (20, 20), the green rect, and box 13 at
// (0, 0) and box 12 at (3, 0); animation 0 plays them for 100 ms each,
// animation 1 has no frames; character 0 needs sprite 8, character 1
// sprite 9, which sprite map 0 draws for 8. Archetype 2: characters
// needing sprites 0, 8 and 10.
inline SpriteSet SampleSprites() {
    SpriteSet set;
    set.images = {{3, 2, 8, {0xFF00FF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF}, 6, {1, 2, 3, 4, 5, 0}},
                  {2, 2, 8, {0xFF00FF, 0xFFFFFF}, 2, {1, 0, 0, 1}},
                  {1, 1, 24, {}, 0, {0x123456}}};
    set.palettes = {{0xFF00FF, 0x00FFFF, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF}, {0x112233, 0x445566, 0x778899}};
    set.palettes[0].resize(16, 0x0000FF);
    set.palettes[0].push_back(0xA1B2C3D4);
    set.tints = {{0, -1}, {0, 0}, {1, -1}, {2, -1}};
    for (std::uint8_t o = 0; o < 8; ++o) set.imageSprites.push_back({0, o});
    set.imageSprites.insert(set.imageSprites.end(), {{1, 0}, {2, 0}, {3, 0}});
    set.rectSprites = {{static_cast<std::int32_t>(0xFF00FF00), 10, 20, 1}, {-1, 10, 20, 1}, {-1, 4, 4, 2}};
    set.spritemaps = {{{8, 9}}};
    SpriteArchetype orientations{{}, {}, {{}}, {{{0, 1, 2, 3, 4, 5, 6, 7}, -1}}};
    for (std::uint16_t o = 0; o < 8; ++o) {
        orientations.layers.push_back({{o, 0, 0}});
        orientations.frames.push_back({{o, 0, 0}});
        orientations.animations[0].push_back({o, 5});
    }
    const SpriteArchetype geometry{{{{11, -5, -10}}, {{13, 0, 0}, {12, 3, 0}}, {{8, 0, 0}}},
                                   {{{0, 0, 0}}, {{2, 20, 20}, {0, 0, 0}, {1, 0, 0}}},
                                   {{{0, 10}, {1, 10}}, {}},
                                   {{{8}, -1}, {{9}, 0}}};
    const SpriteArchetype shared{{{{8, 0, 0}}}, {{{0, 0, 0}}}, {{{0, 10}}}, {{{0}, -1}, {{8}, -1}, {{10}, -1}}};
    set.archetypes = {orientations, geometry, shared};
    return set;
}

}  // namespace sprite

// The sample's main data with each of its archetypes.
inline std::vector<vktools::Bytes> SpriteSeeds() {
    using namespace sprite;
    const SpriteSet set = SampleSprites();
    const Bytes main = MakeSpriteMainData(set);
    std::vector<Bytes> seeds;
    for (const SpriteArchetype& archetype : set.archetypes) {
        ByteWriter input;
        seeds.push_back(input.U16(static_cast<std::uint16_t>(main.size())).Append(main)
                            .Append(MakeSpriteArchetype(archetype, 11)).Take());
    }
    return seeds;
}

// Builds the archive of the input, constructs the application's sprite
// home from it through the application's resource manager, loads every
// pair of archetype 0 and characters 0-3, and draws, measures, hit-tests
// and queries every frame of every animation in each orientation. Needs an
// application with a resource manager, a sprite home and a blitter bound
// to a target of the render surface's size.
inline int FuzzSprite(const std::uint8_t* data, std::size_t size) {
    using namespace sprite;
    if (size < 2) return 0;
    const std::size_t mainSize = std::min<std::size_t>(size - 2, data[0] | data[1] << 8);
    SpriteSet set = SampleSprites();
    ArchiveBuilder archive;
    archive.AddManifest({});
    archive.Add(kSpriteAnchorId, MakeResource(MakeKeyset({set.mainDataId, set.firstArchetypeId, set.firstImageId})));
    archive.Add(set.mainDataId, MakeResource(Bytes(data + 2, data + 2 + mainSize)));
    archive.Add(set.firstArchetypeId, MakeResource(Bytes(data + 2 + mainSize, data + size)));
    for (std::uint32_t i = 0; i < set.images.size(); ++i) {
        archive.Add(set.firstImageId + i, MakeResource(MakeBmp(set.images[i]), kTagPalettizedImage));
    }
    const Bytes bytes = archive.Build();
    if (!WriteScratch(bytes.data(), bytes.size()) || !CGameApp::GetResMgr()->Open(ScratchPath().c_str())) return 0;
    SZ_Home& home = *CGameApp::GetSpriteHome();
    home.Construct();
    if (!home.IsConstructed()) return 0;
    for (std::int32_t c = 0; c < 4; ++c) home.QueueArchetypeCharacter(0, c);
    for (int calls = 0; home.ProcessLoadQueue(500) && calls < 1000; ++calls) {
    }
    const SZ_Archetype* archetype = home.GetArchetype(0);
    for (std::int32_t c = 0; c < 4; ++c) {
        if (!home.IsArchetypeCharacterLoaded(0, c)) continue;
        SZ_Presenter presenter;
        presenter.setArchetypeCharacter(0, c);
        for (std::int32_t a = 0; a < archetype->animationCount && a < 16; ++a) {
            presenter.setAnimation(a, static_cast<std::uint8_t>(a + c), 0);
            presenter.setBoxesOnly(static_cast<std::uint8_t>(a & 1));
            for (std::int32_t f = 0; f <= archetype->animations[a].frameCount; ++f) {
                presenter.draw(f, -f);
                CRect bounds;
                presenter.getBounds(&bounds);
                std::int32_t x, y, w, h;
                presenter.findCollisionRect(f % 3, &x, &y, &w, &h);
                presenter.hitTest(bounds.x, bounds.y + bounds.h / 2, static_cast<std::uint8_t>(f));
                presenter.update(presenter.getTimeline().getWindowEnd() - presenter.getTimeline().getTime());
            }
        }
    }
    if (!home.IsLoadQueueProcessing()) home.DumpArchetypeCharacter(0, 0);
    home.Destruct();
    return 0;
}

}  // namespace fuzz
