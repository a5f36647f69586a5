// Levels through the game adapter: starting one on the controller, the
// one-shot and stepwise loaders over an archive, what unloading and
// releasing keep, entity lists, and the engine's random numbers.
#include <gtest/gtest.h>

#include <random>

#include "src/actionZel/AZ_Presenter.h"
#include "tests/engine/LevelWorld.h"
#include "tests/engine/ScriptUnits.h"
#include "tests/support/DebugCapture.h"
#include "tools/EntityListWriter.h"

namespace {

using Strings = std::vector<std::string>;

constexpr char kGround[] =
    "type ground 15 0\nkey g ground\nlayer\n..........\n..........\n..........\ngggggggggg\nend\n";

// A world whose archive holds tilesets 0 and 1, maps 0 and 1 and the
// entity list 0.
struct Level : LevelWorld {
    Level() {
        archive.Add(AZ_TILESET_RESOURCE, MakeTestTileset(1));
        archive.Add(AZ_TILESET_RESOURCE + 1, MakeTestTileset(2));
        archive.Add(AZ_MAP_RESOURCE, MakeTestMap(kGround));
        archive.Add(AZ_MAP_RESOURCE + 1, MakeTestMap(kGround));
        archive.Add(AZ_ENTITY_LIST_RESOURCE, vktools::MakeEntityList({{1, 24, 24}}));
    }
    Strings TakeCalls() { return std::exchange(archive.calls, {}); }
    DebugCapture log;
};

std::vector<std::int32_t> g_actions;

TEST(Level, StartRaisesTheLevelEventsOnAControllerItMakes) {
    ScriptUnits units({});
    g_action = [](AZ_Presenter*, std::int32_t value) { g_actions.push_back(value); };
    struct Case {
        std::int32_t saved, level;
        std::vector<std::int32_t> events;
    };
    const Case cases[] = {
        {1, 1, {287, 387, 261}},  // the second character plays script level 0
        {0, 1, {287, 386, 262}},
        {7, 1, {287, 386, 262}},  // an unknown character counts as the first
        {0, 16, {}},              // no such level
        {0, -1, {}},
    };
    for (const Case& c : cases) {
        Level world;
        world.archive.savedCharacter = c.saved;
        g_actions.clear();
        world.Adapter()->startLevel(c.level);
        EXPECT_EQ(g_actions, c.events) << c.saved << " " << c.level;
        EXPECT_EQ(world.client->getNumActive(), c.events.empty() ? 0 : 1);
        EXPECT_EQ(world.Adapter()->getCurrentLevel(), c.events.empty() ? -1 : c.level);
        EXPECT_EQ(world.Adapter()->isLevelStarted(), !c.events.empty());
    }
}

TEST(Level, LoadersReuseTheTilesetAndReparseTheMap) {
    Level world;
    AZ_Adapter* adapter = world.Adapter();
    adapter->loadLevel(0, 0, 1);
    EXPECT_EQ(world.TakeCalls(), (Strings{"image 0x02000101", "data 0x03000103", "release 0x03000103",
                                          "data 0x0300022F", "release 0x0300022F"}));
    EXPECT_TRUE(adapter->isLevelLoaded());
    EXPECT_EQ(adapter->getMap().layerCount, 1);
    const CImage* tileset = adapter->getTileset();
    adapter->loadLevel(0, 1, 1);
    EXPECT_EQ(world.TakeCalls(),
              (Strings{"data 0x03000104", "release 0x03000104", "data 0x0300022F", "release 0x0300022F"}));
    EXPECT_EQ(adapter->getTileset(), tileset);

    // Stepwise: one part a step, the fourth completing the load.
    adapter->setPendingLevel(0, 0, 1);
    EXPECT_FALSE(adapter->isLevelLoaded());
    const Strings steps[] = {
        {}, {"data 0x03000103", "release 0x03000103"}, {"data 0x0300022F", "release 0x0300022F"}, {}, {}};
    for (int step = 0; step < 5; ++step) {
        adapter->loadLevelStep();
        EXPECT_EQ(world.TakeCalls(), steps[step]) << step;
        EXPECT_EQ(adapter->getLoadStep(), std::min(step + 1, 4));
        EXPECT_EQ(adapter->isLevelLoaded(), step >= 3) << step;
    }
    EXPECT_EQ(adapter->getTileset(), tileset);
    adapter->setPendingLevel(0, 0, 0);
    adapter->loadLevelStep();
    EXPECT_EQ(world.TakeCalls(), Strings{"image 0x02000100"});
    EXPECT_EQ(adapter->getMap().layerCount, 0);  // freed with the old tileset
}

TEST(Level, UnloadKeepsTheTilesetAndReleaseFreesIt) {
    Level world;
    AZ_Adapter* adapter = world.Adapter();
    adapter->releaseLevel();  // nothing started: nothing to release
    adapter->startLevel(0);
    adapter->loadLevel(0, 0, 1);
    world.View()->SetViewEnabled(true);
    adapter->unloadLevel();
    EXPECT_EQ(world.client->getNumActive(), 0);
    EXPECT_FALSE(world.View()->IsViewEnabled());
    EXPECT_EQ(adapter->getTilesetNumber(), 1);
    EXPECT_EQ(adapter->getMap().layerCount, 1);
    world.TakeCalls();
    adapter->retryCurrentLevel();
    adapter->loadLevel(0, 0, 1);
    EXPECT_EQ(world.TakeCalls().front(), "data 0x03000103");  // no new tileset image
    adapter->releaseLevel();
    EXPECT_EQ(adapter->getTileset(), nullptr);
    EXPECT_EQ(adapter->getTilesetNumber(), -1);
    EXPECT_EQ(adapter->getMap().layerCount, 0);
    EXPECT_FALSE(adapter->isLevelStarted());
}

TEST(Level, MissingPartsAreLoggedAndTheLevelGoesOn) {
    Level world;
    world.Adapter()->loadLevel(5, 2, 2);
    const std::string text = world.log.Text();
    for (const char* line :
         {"Missing tileset 0x02000102", "Missing map 0x03000105", "Missing entity list 0x03000234"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(world.Adapter()->isLevelLoaded());
    EXPECT_EQ(world.Adapter()->getTilesetNumber(), -1);
    EXPECT_EQ(world.View()->GetLayerCount(), 0);
}

TEST(Level, EntitiesSpawnPausedAndHiddenAndStandOnTheGround) {
    ScriptUnits units({5, 91});
    Level world;
    world.View()->SetActiveLayer(0);
    // Ground at row 3 (pixels 72-95): x, y in pixels are the bottom centre.
    world.archive.Add(AZ_ENTITY_LIST_RESOURCE + 1, vktools::MakeEntityList(
                                                       {
                                                           {2, 36, 60, true},   // b_tileCollidable, a tile above
                                                           {1, 60, 60, false},  // none: keeps its y
                                                           {2, 84, 30, false},  // higher up: stays
                                                           {99, 10, 10},        // no such type
                                                           {2, 12, 80},         // inside the ground
                                                       },
                                                       7));  // more than there are
    world.Adapter()->loadLevel(1, 0, 0);
    ASSERT_EQ(world.client->getNumActive(), 4);
    struct Expected {
        std::int32_t type, x, y, facing;
    };
    const Expected expected[] = {
        {2, 1536, 3 * 1024 - 42, 1}, {1, 2560, 2560, 0}, {2, 3584, 1280, 0}, {2, 512, 3 * 1024 - 42, 0}};
    for (std::int32_t row = 0; row < 4; ++row) {
        const AZ_Presenter* p = world.PresenterOfRow(row);
        EXPECT_EQ(p->getCharacterType(), expected[row].type) << row;
        EXPECT_EQ(p->getX(), expected[row].x) << row;
        EXPECT_EQ(p->getY(), expected[row].y) << row;
        EXPECT_EQ(p->getFacing(), expected[row].facing) << row;
        EXPECT_FALSE(p->isUpdateEnabled() || p->isRenderEnabled()) << row;
    }
    // Each ran its behaviours once, with time 0, and no more.
    EXPECT_EQ(TakeLog(), (Strings{"A5 p0", "U5 p0 t0", "A5 p1", "U5 p1 t0", "A5 p2", "U5 p2 t0", "A5 p3", "U5 p3 t0"}));
    world.Tick();
    EXPECT_EQ(TakeLog(), Strings{});
    const std::string text = world.log.Text();
    EXPECT_NE(text.find("LevelManager.loadEntities() : entityCount = 7"), std::string::npos);
    EXPECT_NE(text.find("LevelManager.loadEntities() : only 5 entities present"), std::string::npos);
    EXPECT_NE(text.find("entity 3 skipped, no presenter"), std::string::npos);
    EXPECT_NE(text.find("LevelManager.loadEntities() : entityPX = 36, entityPY = 60"), std::string::npos);

    // An empty list spawns nothing and is given back.
    world.archive.Add(AZ_ENTITY_LIST_RESOURCE + 2, vktools::MakeEntityList({}));
    world.Adapter()->unloadLevel();
    world.TakeCalls();
    world.Adapter()->loadLevel(2, 0, 0);
    EXPECT_EQ(world.client->getNumActive(), 0);
    EXPECT_EQ(world.TakeCalls().back(), "release 0x03000231");
}

TEST(Level, RandomRangeDrawsFromTheGenerator) {
    Level world;
    AZ_Adapter* adapter = world.Adapter();
    adapter->getRandom().Seed(4242);
    std::mt19937 reference(4242);
    struct Range {
        std::int32_t lo, hi;
    };
    for (int i = 0; i < 200; ++i) {
        for (const Range r : {Range{0, 99}, Range{-5, 5}, Range{7, 7}, Range{-30000, 30000}}) {
            const std::uint32_t span = static_cast<std::uint32_t>(r.hi + 1 - r.lo);
            EXPECT_EQ(adapter->randomRange(r.lo, r.hi), r.lo + static_cast<std::int32_t>(reference() % span));
        }
    }
    EXPECT_EQ(adapter->randomRange(3, 2), 3);  // an empty range: no division by zero
}
}  // namespace
