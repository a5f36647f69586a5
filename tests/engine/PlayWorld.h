// The engine over the game's application with an archive of the sample
// content whose sprites are the small ones drawn below, loaded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "src/actionZel/AZ_Client.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/GameRun.h"
#include "tests/support/ScriptWorld.h"
#include "tools/SpriteArt.h"

// Archetype 0: frame 0 a red 4 x 4 square centred over the anchor with
// its kind-1 box, a kind-2 box at (1, 1) and a kind-3 box at (5, 6); frame
// 1 the kind-2 box alone. Archetype 1: the red square as a sky tile
// 100 x 6.
constexpr char kArt[] = R"(
colour . FF00FF
colour r FF0000
image red
rrrr
rrrr
rrrr
rrrr
end
sprite red red
box hit -1 4 4 1
box grab -1 2 2 2
box hold -1 3 3 3
box tile -1 100 6 1
archetype 0
layer square red -2 -4 hit -2 -4 grab 1 1 hold 5 6
layer grab grab 1 1
frame square square 0 0
frame grab grab 0 0
animation 0 square 100 grab 100
archetype 1
layer sky red -2 -4 tile -50 -6
frame sky sky 0 0
animation 0 sky 100
)";

// 1 and 6 animated sprites drawn with priorities 3 and 4 (on 1, event 300
// attaches v_sz again, 301 spawns a type-0 character at the sprite's box);
// 2 a v_sz alone; 3 a rope's target, box 1024 high; 4 a sky; 5 a rope
// below its anchor, 512 apart.
constexpr char kScript[] = R"(
type controller initial idle
type sprite initial animated
type plain initial plain
type target initial boxed
type sky initial sky
type rope initial rope
type under initial under
state idle
state animated
on enter
    b_drawable 3 0
    b_szAnimatable 0 1 0
    v_sz 0 0
on 300
    v_sz 0 0
on 301
    f_spawnCharacterRelative controller 3 0 0 0 0 0 0 0
state plain
on enter
    v_sz 0 0
state boxed
on enter
    b_boundingBox 1024 1024 0
state sky
on enter
    v_szSkyBox 1 0 0 0 0 0
state rope
on enter
    b_child 0 0 0
    v_szTiledSprite 0 0 0 512
state under
on enter
    b_drawable 4 0
    b_szAnimatable 0 1 0
    v_sz 0 0
)";

constexpr std::uint32_t kRed = 0xF800, kBlack = 0;

struct PlayWorld : ScriptWorld {
    explicit PlayWorld(std::string_view script = kScript) : ScriptWorld(script) {
        vktools::Content content = SampleContent();
        vktools::SpriteSet set;
        std::string error;
        EXPECT_TRUE(vktools::ParseSpriteArt(kArt, "test", set, error)) << error;
        for (const auto& [id, blob] : vktools::MakeSpriteResources(set)) content.resources[id] = blob;
        EXPECT_TRUE(Open(content, {{0, 0}, {1, 0}}));
        client->getCamera()->SetBounds(10000, 10000);
        log.Clear();
    }
    SZ_Pool& Pool() const { return *client->getSpritePool(); }
    // The type spawned at (x, y) pixels, facing left when asked.
    AZ_Presenter* Make(std::int32_t type, std::int32_t x, std::int32_t y, bool left = false) const {
        AZ_Presenter* p = store->createPresenter(type, x * 1024 / 24, y * 1024 / 24);
        p->setFacing(left ? 1 : 0);
        client->spawnCharacter(p);
        return p;
    }
    static std::int32_t Word(const AZ_Presenter* p, std::int32_t codeId, std::int32_t word) {
        return AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(codeId) + word);
    }
    // A frame drawn on black.
    void Show() {
        Fill(kBlack);
        Tick();
    }
    DebugCapture log;
};

