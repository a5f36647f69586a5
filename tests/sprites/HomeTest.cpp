#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "tests/sprites/SpriteWorld.h"

namespace {

using vktools::SpriteSet;

// Whether the lines hold the expected ones in this order (others between).
bool HoldsInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
    auto at = lines.begin();
    for (const std::string& line : expected) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) return false;
    }
    return true;
}

// The trace of a construction, then of queued pairs loading last queued
// first, one per call, then the sprite pass (image 0 unturned for two
// tints: redundant once); the progress counts 100 per pair and one per
// image sprite not yet visited.
TEST(SpriteHome, TracesConstructionAndLoadsLastQueuedFirst) {
    SpriteWorld world;
    SZ_Home& home = world.Home();
    DebugCapture& log = world.Log();
    home.Construct();
    for (const auto& [a, c] : {std::pair{1, 0}, {1, 1}, {2, 0}, {1, 0}}) home.QueueArchetypeCharacter(a, c);
    std::vector<std::int32_t> progress = {home.GetLoadProgress()};
    while (home.ProcessLoadQueue(500)) progress.push_back(home.GetLoadProgress());
    progress.push_back(home.GetLoadProgress());
    EXPECT_EQ(progress, (std::vector<std::int32_t>{311, 211, 111, 11, 0}));
    home.QueueArchetypeCharacter(2, 0);
    home.DumpArchetypeCharacter(2, 1);
    const std::string open = "\\_/ RIDAROVOZ \\_/: ", step = " |  RIDAROVOZ  | : ", close = "/^\\ RIDAROVOZ /^\\: ";
    std::vector<std::string> construct = {open + "Construct() begin"};
    for (const char* text : {"acquiring anchor resourceIDs", "acquiring data input stream", "reading palettes",
                             "paletteCount 2", "imageCount 3", "reading tints", "tintCount 4", "reading imagesprites",
                             "imagespriteCount 11", "reading rectsprites", "rectspriteCount 3", "spriteCount 14",
                             "reading spritemaps", "spritemapCount 1", "reading archetype shell", "archetypeCount 3",
                             "closing data input stream"}) {
        construct.push_back(step + "Construct() " + text);
    }
    construct.push_back(close + "Construct() return");
    const std::vector<std::string> lines = log.Lines();
    ASSERT_GE(lines.size(), construct.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + construct.size()), construct);
    const std::string queue = step + "QueueArchetypeCharacter() ", load = step + "LoadArchetypeCharacter() loading ";
    EXPECT_TRUE(HoldsInOrder(
        lines, {queue + "queueing now completed for archetype,character 1,0",
                queue + "no need - already queued is archetype,character 1,0",
                load + "(if necessary) archetype,character 2,0", step + "LoadArchetype() loading archetype 2 ()",
                step + "loadArchetype() reading frames", load + "(if necessary) archetype,character 1,1",
                load + "(if necessary) archetype,character 1,0",
                step + "LoadQueued() loaded characters should be 3.  Actual value 3",
                step + "LoadQueuedSprites() redundant should be 0.  Actual value 1",
                close + "LoadQueued() done processing queue", queue + "already loaded is archetype,character 2,0",
                step + "DumpCharacter()  no need to dump - already not loaded is character 1"}))
        << log.Text();
}

// Sprite data naming what it does not hold: the home stays unconstructed,
// or the archetype unloaded, and the log says why. Either way nothing of
// the archetype is queued for good or loaded, and a presenter of it draws,
// measures and finds nothing.
TEST(SpriteHome, RefusesBrokenData) {
    const struct {
        const char* name;
        std::function<void(SpriteSet&)> damage;
        bool constructs;
    } cases[] = {
        {"tint image", [](SpriteSet& s) { s.tints[1].image = 3; }, false},
        {"tint palette", [](SpriteSet& s) { s.tints[1].palette = 2; }, false},
        {"image sprite tint", [](SpriteSet& s) { s.imageSprites[3].tint = 4; }, false},
        {"orientation", [](SpriteSet& s) { s.imageSprites[3].orientation = 8; }, false},
        {"map keys descending", [](SpriteSet& s) { s.spritemaps[0].insert(s.spritemaps[0].begin(), {9, 0}); }, false},
        {"map value", [](SpriteSet& s) { s.spritemaps[0][0].value = 14; }, false},
        {"main data type", [](SpriteSet& s) { s.mainDataId = vktools::ResId(vktools::kResImage, 9); }, false},
        {"layer sprite", [](SpriteSet& s) { s.archetypes[1].layers[1][0].id = 14; }, true},
        {"frame layer", [](SpriteSet& s) { s.archetypes[1].frames[1][0].id = 3; }, true},
        {"animation frame", [](SpriteSet& s) { s.archetypes[1].animations[0][1].frame = 2; }, true},
        {"65540 ms", [](SpriteSet& s) { s.archetypes[1].animations[0] = {{0, 3300}, {1, 3254}}; }, true},
        {"character map", [](SpriteSet& s) { s.archetypes[1].characters[0].spritemap = 1; }, true},
        {"archetype missing", [](SpriteSet& s) { s.archetypes.resize(1); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SpriteSet set = fuzz::sprite::SampleSprites();
        set.archetypeCount = 3;
        c.damage(set);
        SpriteWorld world(set);
        world.Load({{1, 0}});
        ASSERT_EQ(world.Home().IsConstructed(), c.constructs);
        EXPECT_NE(world.Log().Text().find(" refused: "), std::string::npos) << world.Log().Text();
        world.Home().QueueArchetypeCharacter(1, 0);
        for (int calls = 0; world.Home().ProcessLoadQueue(500) && calls < 100; ++calls) {
        }
        EXPECT_EQ(world.Home().GetLoadQueueState(), SZ_LoadQueue::kIdle);
        EXPECT_FALSE(world.Home().IsArchetypeLoaded(1) || world.Home().IsArchetypeCharacterLoaded(1, 0));
        SZ_Presenter presenter = MakePresenter(1, 0, 0);
        presenter.update(100);
        CRect bounds(1, 1, 1, 1);
        presenter.getBounds(&bounds);
        std::int32_t x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(bounds, CRect(0, 0, 0, 0));
        EXPECT_EQ(presenter.hitTest(0, 0, 50), -1);
        EXPECT_EQ(presenter.findCollisionRect(1, &x, &y, &w, &h), 0);
        world.Show([&] { presenter.draw(50, 50); });
        EXPECT_EQ(world.Pixel(50, 50), 0u);  // the green rect of frame 0 when loaded
    }
}

// With the clock moving 5 ms at every read, a budget of 1 ms still
// handles one image sprite per call: the first one of the call.
TEST(SpriteLoadQueue, HandlesOneSpritePerCallOverBudget) {
    SpriteWorld world;
    world.Home().Construct();
    world.Home().QueueArchetypeCharacter(0, 0);
    host::SetVirtualClockStep(5);
    EXPECT_TRUE(world.Home().ProcessLoadQueue(1));
    EXPECT_TRUE(world.Home().ProcessLoadQueue(1));
    EXPECT_NE(world.Home().GetImage(0).GetVariant(0), nullptr);
    EXPECT_EQ(world.Home().GetImage(0).GetVariant(4), nullptr);
    EXPECT_EQ(world.Home().GetLoadProgress(), 10);
    EXPECT_EQ(world.Load({}, 1), 10);
    EXPECT_NE(world.Log().Text().find("LoadQueuedSprites() ticks required 11"), std::string::npos);
}

// Archetype 2's character 1 draws only image 0 unturned, which character 0
// has loaded already: its pair marks no sprite, and the run ends with the
// call that loads it, without a sprite pass.
TEST(SpriteLoadQueue, ARunThatMarksNothingEndsAfterItsPair) {
    SpriteWorld world;
    SZ_Home& home = world.Home();
    world.Load({{2, 0}});
    world.Log().Clear();
    home.QueueArchetypeCharacter(2, 1);
    EXPECT_EQ(home.GetLoadProgress(), 100 + 11);  // one pair and the image sprites
    EXPECT_FALSE(home.ProcessLoadQueue(500));
    EXPECT_EQ(home.GetLoadProgress(), 0);
    EXPECT_FALSE(home.IsLoadQueueProcessing());
    EXPECT_TRUE(home.IsArchetypeCharacterLoaded(2, 1));
    const std::string log = world.Log().Text();
    EXPECT_NE(log.find("LoadQueued() loaded characters should be 1.  Actual value 1"), std::string::npos) << log;
    EXPECT_EQ(log.find("LoadQueuedSprites()"), std::string::npos) << log;
    EXPECT_EQ(log.find("done processing queue"), std::string::npos) << log;
}

// Archetype 2's characters 0 and 1 draw image 0 unturned through two tints:
// dumping the first keeps the image the other still needs. Character 2's
// image cannot be made: its sprite is of no size. Once all is dumped,
// presenters play nothing and queuing loads the archetype again; every
// resource taken is given back.
TEST(SpriteLoadQueue, SharesImagesBetweenCharacters) {
    SpriteWorld world;
    SZ_Home& home = world.Home();
    DebugCapture& log = world.Log();
    world.Load({{2, 0}, {2, 1}, {2, 2}});
    EXPECT_NE(log.Text().find("LoadQueuedSprites() no image 0x02002002 for imagesprite 10: drawn as nothing"),
              std::string::npos);
    std::int32_t w = -1, h = -1;
    home.GetSpriteSize(10, &w, &h);
    EXPECT_EQ(w + h, 0);
    home.DumpArchetypeCharacter(2, 0);
    EXPECT_NE(home.GetImage(0).GetVariant(0), nullptr);
    home.DumpArchetypeCharacter(2, 1);
    EXPECT_EQ(home.GetImage(0).GetVariant(0), nullptr);
    home.DumpArchetypeCharacter(2, 2);
    EXPECT_FALSE(home.IsArchetypeLoaded(2));
    world.Load({{2, 1}});
    SZ_Presenter presenter = MakePresenter(2, 1, 0, 0);
    home.DumpAllArchetypeCharacters();
    EXPECT_EQ(home.GetImage(0).GetVariant(0), nullptr);
    presenter.update(50);  // its animation went with the archetype: nothing to play
    EXPECT_EQ(presenter.getTimeline().getTime(), 0);
    log.Clear();
    world.Load({{2, 1}});
    EXPECT_NE(log.Text().find("LoadArchetype() loading archetype 2 ()"), std::string::npos) << log.Text();
    const SpriteSet set = fuzz::sprite::SampleSprites();
    for (const std::uint32_t id : {vktools::kSpriteAnchorId, set.mainDataId, set.firstArchetypeId + 2}) {
        EXPECT_EQ(CGameApp::GetResMgr()->IsCached(id), 0) << std::hex << id;
    }
}

// Dumping everything takes archetype 0 too: archetype 0 draws image 0 in
// all eight orientations, so both its variants are loaded, and after the
// dump no archetype, character or image variant is, and a presenter of
// archetype 0 plays nothing. Queuing loads archetype 0 again.
TEST(SpriteLoadQueue, DumpingAllUnloadsArchetypeZeroToo) {
    SpriteWorld world;
    SZ_Home& home = world.Home();
    DebugCapture& log = world.Log();
    world.Load({{0, 0}, {2, 1}});
    ASSERT_TRUE(home.IsArchetypeCharacterLoaded(0, 0));
    ASSERT_NE(home.GetImage(0).GetVariant(0), nullptr);
    ASSERT_NE(home.GetImage(0).GetVariant(4), nullptr);
    SZ_Presenter presenter = MakePresenter(0, 0, 0);
    home.DumpAllArchetypeCharacters();
    for (std::int32_t archetype = 0; archetype < 3; ++archetype) {
        EXPECT_FALSE(home.IsArchetypeLoaded(archetype)) << archetype;
    }
    for (std::uint32_t image = 0; image < 3; ++image) {
        EXPECT_EQ(home.GetImage(image).GetVariant(0), nullptr) << image;
        EXPECT_EQ(home.GetImage(image).GetVariant(4), nullptr) << image;
    }
    presenter.update(50);
    EXPECT_EQ(presenter.getTimeline().getTime(), 0);
    log.Clear();
    world.Load({{0, 0}});
    EXPECT_NE(log.Text().find("LoadArchetype() loading archetype 0 ()"), std::string::npos) << log.Text();
    EXPECT_NE(home.GetImage(0).GetVariant(4), nullptr);
}

}  // namespace
