#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "tests/sprites/SpriteWorld.h"
#include "tests/support/DebugCapture.h"

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

// The virtual clock standing still, unless stepped.
struct StillClock {
    StillClock() { host::SetVirtualClock(1000, 0); }
    ~StillClock() { host::ClearVirtualClock(); }
};

TEST(SpriteHome, TracesConstructionAndLoading) {
    StillClock clock;
    SpriteWorld world;
    DebugCapture log;
    world.Load({{2, 0}});
    world.Home().DumpArchetypeCharacter(2, 1);
    const std::vector<std::string> lines = log.Lines();
    const std::vector<std::string> construct = {
        "\\_/ RIDAROVOZ \\_/: Construct() begin",
        " |  RIDAROVOZ  | : Construct() acquiring anchor resourceIDs",
        " |  RIDAROVOZ  | : Construct() acquiring data input stream",
        " |  RIDAROVOZ  | : Construct() reading palettes",
        " |  RIDAROVOZ  | : Construct() paletteCount 2",
        " |  RIDAROVOZ  | : Construct() imageCount 3",
        " |  RIDAROVOZ  | : Construct() reading tints",
        " |  RIDAROVOZ  | : Construct() tintCount 4",
        " |  RIDAROVOZ  | : Construct() reading imagesprites",
        " |  RIDAROVOZ  | : Construct() imagespriteCount 11",
        " |  RIDAROVOZ  | : Construct() reading rectsprites",
        " |  RIDAROVOZ  | : Construct() rectspriteCount 3",
        " |  RIDAROVOZ  | : Construct() spriteCount 14",
        " |  RIDAROVOZ  | : Construct() reading spritemaps",
        " |  RIDAROVOZ  | : Construct() spritemapCount 1",
        " |  RIDAROVOZ  | : Construct() reading archetype shell",
        " |  RIDAROVOZ  | : Construct() archetypeCount 3",
        " |  RIDAROVOZ  | : Construct() closing data input stream",
        "/^\\ RIDAROVOZ /^\\: Construct() return",
    };
    ASSERT_GE(lines.size(), construct.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + construct.size()), construct);
    EXPECT_TRUE(HoldsInOrder(lines, {
        " |  RIDAROVOZ  | : LoadArchetype() loading archetype 2 ()",
        " |  RIDAROVOZ  | : LoadArchetype() reading layers",
        " |  RIDAROVOZ  | : loadArchetype() reading frames",
        " |  RIDAROVOZ  | : LoadCharacter() loading character 0 ()",
        " |  RIDAROVOZ  | : LoadQueued() loaded characters should be 1.  Actual value 1",
        " |  RIDAROVOZ  | : LoadQueued() loaded characters time elapsed 0",
        " |  RIDAROVOZ  | : LoadQueuedSprites() visited should be 11.  Actual value 11",
        " |  RIDAROVOZ  | : LoadQueuedSprites() allocated should be <= 1.  Actual value 1",
        "/^\\ RIDAROVOZ /^\\: LoadQueued() done processing queue",
        " |  RIDAROVOZ  | : DumpCharacter()  no need to dump - already not loaded is character 1",
    })) << log.Text();
}

// Palettes in each display format: 16 entries converted (those a short
// palette lacks as black), the 17th as read, the rest 0.
TEST(SpriteHome, ConvertsSixteenPaletteEntries) {
    const struct {
        host::DisplayFormat format;
        std::uint32_t magenta, cyan, blue, black;
    } cases[] = {{host::kDisplayRgb565, 0xF81F, 0x07FF, 0x001F, 0},
                 {host::kDisplayXrgb8888, 0xFFFF00FF, 0xFF00FFFF, 0xFF0000FF, 0xFF000000}};
    for (const auto& c : cases) {
        SpriteWorld world(fuzz::sprite::SampleSprites(), c.format);
        DebugCapture quiet;
        world.Home().Construct();
        ASSERT_TRUE(world.Home().IsConstructed());
        const std::uint32_t* full = world.Home().GetPalette(0).entries;
        const std::uint32_t* shorter = world.Home().GetPalette(1).entries;
        EXPECT_EQ(std::vector<std::uint32_t>({full[0], full[1], full[15], full[16], full[17]}),
                  std::vector<std::uint32_t>({c.magenta, c.cyan, c.blue, 0xA1B2C3D4, 0}));
        EXPECT_EQ(std::vector<std::uint32_t>({shorter[3], shorter[15], shorter[16], shorter[255]}),
                  std::vector<std::uint32_t>({c.black, c.black, 0, 0}));
        // Two tints of image 0: one record.
        EXPECT_EQ(&world.Home().GetImageOf(0), &world.Home().GetImageOf(8));
    }
}

// Sprite data naming what it does not hold: the home stays unconstructed,
// or the archetype unloaded, and the log says why.
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
        {"main data of another type", [](SpriteSet& s) { s.mainDataId = vktools::ResId(vktools::kResImage, 9); },
         false},
        {"layer sprite", [](SpriteSet& s) { s.archetypes[1].layers[1][0].id = 14; }, true},
        {"frame layer", [](SpriteSet& s) { s.archetypes[1].frames[1][0].id = 3; }, true},
        {"animation frame", [](SpriteSet& s) { s.archetypes[1].animations[0][1].frame = 2; }, true},
        {"durations over 65535 ms", [](SpriteSet& s) { s.archetypes[1].animations[0] = {{0, 3300}, {1, 3254}}; },
         true},
        {"character map", [](SpriteSet& s) { s.archetypes[1].characters[0].spritemap = 1; }, true},
        {"archetype missing", [](SpriteSet& s) { s.archetypes.resize(1); }, true},
        {"archetype of another type", [](SpriteSet& s) { s.firstArchetypeId = vktools::ResId(vktools::kResKeyset, 9); },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SpriteSet set = fuzz::sprite::SampleSprites();
        set.archetypeCount = 3;
        c.damage(set);
        SpriteWorld world(set);
        DebugCapture log;
        world.Load({{1, 0}});
        ASSERT_EQ(world.Home().IsConstructed(), c.constructs);
        EXPECT_TRUE(!c.constructs || !world.Home().IsArchetypeCharacterLoaded(1, 0));
        EXPECT_NE(log.Text().find(" refused: "), std::string::npos) << log.Text();
    }
}

// Pairs load last queued first, one per call, then the sprite pass; the
// progress counts 100 per pair and one per image sprite not yet visited.
TEST(SpriteLoadQueue, LoadsLastQueuedFirst) {
    StillClock clock;
    SpriteWorld world;
    SZ_Home& home = world.Home();
    DebugCapture log;
    home.Construct();
    for (const auto& [a, c] : {std::pair{1, 0}, {1, 1}, {2, 0}, {1, 0}}) home.QueueArchetypeCharacter(a, c);
    std::vector<std::int32_t> progress = {home.GetLoadProgress()};
    while (home.ProcessLoadQueue(500)) progress.push_back(home.GetLoadProgress());
    progress.push_back(home.GetLoadProgress());
    home.QueueArchetypeCharacter(2, 0);
    EXPECT_EQ(progress, (std::vector<std::int32_t>{311, 211, 111, 11, 0}));
    EXPECT_TRUE(HoldsInOrder(log.Lines(), {
        " |  RIDAROVOZ  | : QueueArchetypeCharacter() queueing now completed for archetype,character 1,0",
        " |  RIDAROVOZ  | : QueueArchetypeCharacter() no need - already queued is archetype,character 1,0",
        " |  RIDAROVOZ  | : LoadArchetypeCharacter() loading (if necessary) archetype,character 2,0",
        " |  RIDAROVOZ  | : LoadArchetypeCharacter() loading (if necessary) archetype,character 1,1",
        " |  RIDAROVOZ  | : LoadArchetypeCharacter() loading (if necessary) archetype,character 1,0",
        " |  RIDAROVOZ  | : LoadArchetype() no need to load - already loaded is archetype 1",
        " |  RIDAROVOZ  | : QueueArchetypeCharacter() already loaded is archetype,character 2,0",
    })) << log.Text();
}

// With the clock moving 5 ms at every read, a budget of 1 ms still
// handles one image sprite per call: the first one of the call.
TEST(SpriteLoadQueue, HandlesOneSpritePerCallOverBudget) {
    StillClock clock;
    SpriteWorld world;
    DebugCapture log;
    world.Home().Construct();
    world.Home().QueueArchetypeCharacter(0, 0);
    host::SetVirtualClockStep(5);
    EXPECT_TRUE(world.Home().ProcessLoadQueue(1));
    EXPECT_TRUE(world.Home().ProcessLoadQueue(1));
    EXPECT_NE(world.Home().GetImage(0).GetVariant(0), nullptr);
    EXPECT_EQ(world.Home().GetImage(0).GetVariant(4), nullptr);
    EXPECT_EQ(world.Home().GetLoadProgress(), 10);
    EXPECT_EQ(world.Load({}, 1), 10);
    EXPECT_NE(log.Text().find("LoadQueuedSprites() ticks required 11"), std::string::npos) << log.Text();
}

// Archetype 2's characters 0 and 1 draw image 0 unturned through two tints:
// the second is redundant, and dumping the first keeps the image the other
// still needs. Character 2's image cannot be made: its sprite is of no
// size. Once all is dumped, queuing loads the archetype again, and every
// resource taken has been given back.
TEST(SpriteLoadQueue, SharesImagesBetweenCharacters) {
    SpriteWorld world;
    SZ_Home& home = world.Home();
    DebugCapture log;
    world.Load({{2, 0}, {2, 1}, {2, 2}});
    EXPECT_TRUE(HoldsInOrder(log.Lines(), {
        " |  RIDAROVOZ  | : LoadQueuedSprites() no image 0x02002002 for imagesprite 10: drawn as nothing",
        " |  RIDAROVOZ  | : LoadQueuedSprites() allocated should be <= 3.  Actual value 2",
        " |  RIDAROVOZ  | : LoadQueuedSprites() redundant should be 0.  Actual value 1",
    })) << log.Text();
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
    EXPECT_NE(home.GetImage(0).GetVariant(0), nullptr);
    home.DumpAllArchetypeCharacters();
    EXPECT_EQ(home.GetImage(0).GetVariant(0), nullptr);
    log.Clear();
    world.Load({{2, 1}});
    EXPECT_NE(log.Text().find("LoadArchetype() loading archetype 2 ()"), std::string::npos) << log.Text();
    const SpriteSet set = fuzz::sprite::SampleSprites();
    for (const std::uint32_t id : {vktools::kSpriteAnchorId, set.mainDataId, set.firstArchetypeId + 2}) {
        EXPECT_EQ(world.Resources().IsCached(id), 0) << std::hex << id;
    }
}

}  // namespace
