// The camera: the viewport and tiles it draws, scrolling and snapping, the
// parallax tables, which layers each pass draws with the characters on
// them, and the view test.
#include <gtest/gtest.h>

#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "src/game/MapManager.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/LevelWorld.h"
#include "tests/support/DebugCapture.h"

namespace {

using Strings = std::vector<std::string>;

// v_rect's renders: "p<id> <x>,<y> cam <x>,<y>", positions as drawn.
Strings g_renders;
AZ_Unit RecordingRect() {
    AZ_Unit unit = AZ_GetUnit(91);
    unit.render = [](AZ_Presenter* p, std::int32_t) {
        const Camera* camera = AZ_Client::getInstance()->getCamera();
        g_renders.push_back("p" + std::to_string(p->getId()) + " " + std::to_string(p->getX()) + "," +
                            std::to_string(p->getY()) + " cam " + std::to_string(camera->GetX()) + "," +
                            std::to_string(camera->GetY()));
    };
    return unit;
}

// A 20 x 20 tile map of `layers` layers, layer l covering tile column l
// with tileset column l.
std::string LayeredMap(int layers) {
    std::string text;
    for (int l = 0; l < layers; ++l) {
        text += "type t" + std::to_string(l) + " 0 " + std::to_string(l) + "\nkey " + std::to_string(l) + " t" +
                std::to_string(l) + "\n";
    }
    for (int l = 0; l < layers; ++l) {
        const std::string row = std::string(static_cast<std::size_t>(l), '.') + std::to_string(l) +
                                std::string(static_cast<std::size_t>(19 - l), '.');
        text += "layer\n";
        for (int r = 0; r < 20; ++r) text += row + "\n";
        text += "end\n";
    }
    return text;
}

struct CameraWorld : LevelWorld {
    explicit CameraWorld(int layers = 8) {
        archive.Add(AZ_TILESET_RESOURCE, MakeTestTileset(8));
        archive.Add(AZ_MAP_RESOURCE, MakeTestMap(LayeredMap(layers)));
        archive.Add(AZ_ENTITY_LIST_RESOURCE, vktools::MakeEntityList({}));
        DebugCapture quiet;
        Adapter()->loadLevel(0, 0, 0);
        View()->SetViewEnabled(true);
        g_renders.clear();
    }
    // The layers whose column shows at scroll position 0, by a pixel of
    // their tile at (5, 1).
    std::vector<int> Drawn(bool back) {
        Fill(0xFF102030);
        Paint([&] { View()->Draw(back); });
        std::vector<int> layers;
        for (int l = 0; l < 8; ++l) {
            if (Pixel(24 * l + 5, 1) == Rgb565(TilesetColour(TilesetEntry(l, 5, 1)))) layers.push_back(l);
        }
        return layers;
    }
    ScopedUnit rect{91, RecordingRect()};
};

TEST(Camera, ViewportAndTilesToDraw) {
    CameraWorld world;
    Camera* camera = world.View();
    struct Case {
        std::int32_t width, height, columns, rows;
    };
    for (const Case& c : {Case{240, 320, 11, 15}, Case{250, 312, 12, 14}, Case{24, 1, 2, 2}}) {
        camera->SetupForMap(c.width, c.height, 8);
        EXPECT_EQ(camera->GetTilesToDrawX(), c.columns) << c.width;
        EXPECT_EQ(camera->GetTilesToDrawY(), c.rows) << c.height;
        EXPECT_FALSE(camera->IsViewEnabled());
    }
    EXPECT_EQ(camera->GetScreenWidth(), 240);
    EXPECT_EQ(camera->GetScreenHeight(), 320);

    // A map smaller than the screen: the viewport is the map, every target 0.
    world.archive.Add(AZ_MAP_RESOURCE + 1,
                      MakeTestMap("type a 0 0\nkey a a\nlayer\naaaaa\na....\na....\na....\nend\n"));
    DebugCapture quiet;
    world.Adapter()->loadLevel(0, 1, 0);
    EXPECT_EQ(camera->GetViewWidth(), 120);
    EXPECT_EQ(camera->GetViewHeight(), 96);
    camera->LookAt(50 * 1024, 50 * 1024, 0);
    EXPECT_EQ(camera->GetTargetX(), 0);
    EXPECT_EQ(camera->GetTargetY(), 0);
}

TEST(Camera, ScrollsTowardItsTargetAndSnaps) {
    CameraWorld world;
    Camera* camera = world.View();
    camera->LookAtPixels(220, 1000, 0);  // centred, clamped to the map
    EXPECT_EQ(camera->GetTargetX(), 100);
    EXPECT_EQ(camera->GetTargetY(), 160);
    camera->UpdateScroll(48);  // steps of d * 4 * 48 / 1024
    EXPECT_EQ(camera->GetX(), 18);
    EXPECT_EQ(camera->GetY(), 30);
    EXPECT_TRUE(camera->HasMoved());
    camera->LookAt(0, 0, 1);  // mode 1 adds the target
    EXPECT_EQ(camera->GetTargetX(), 100);
    camera->SetSnap(true);
    camera->LookAtPixels(220, 100, 0);
    EXPECT_EQ(camera->GetX(), 100);
    EXPECT_EQ(camera->GetY(), 0);
    // The snap leaves the tables stale: the next scroll rebuilds them
    // although nothing moves.
    camera->UpdateScroll(48);
    EXPECT_FALSE(camera->HasMoved());
    EXPECT_EQ(camera->GetFirstTile(0).x, 4);
    EXPECT_EQ(camera->GetOffset(0).x, 4);
    // A new map's set-up zeroes the tables; the next scroll rebuilds them
    // for the position the camera kept.
    camera->SetupForMap(240, 320, 8);
    EXPECT_EQ(camera->GetOffset(0).x, 0);
    camera->UpdateScroll(48);
    EXPECT_EQ(camera->GetOffset(0).x, 4);
}

TEST(Camera, LayersScrollByTheirFactors) {
    CameraWorld world;
    Camera* camera = world.View();
    camera->SetLayerParallax(0, 512, 1024);
    camera->SetLayerParallax(1, 0, 0);
    camera->SetLayerParallax(8, 0, 0);  // not a layer: ignored
    EXPECT_EQ(camera->GetLayerParallaxX(8), 1024);
    camera->SetSnap(true);
    camera->LookAtPixels(220, 230, 0);  // position (100, 70)
    camera->UpdateScroll(0);
    EXPECT_EQ(camera->GetFirstTile(0).x, 2);  // 50 pixels
    EXPECT_EQ(camera->GetOffset(0).x, 2);
    EXPECT_EQ(camera->GetFirstTile(0).y, 2);  // 70 pixels
    EXPECT_EQ(camera->GetOffset(0).y, 22);
    EXPECT_EQ(camera->GetFirstTile(1).x, 0);
    EXPECT_EQ(camera->GetOffset(1).y, 0);
    EXPECT_EQ(camera->GetFirstTile(2).x, 4);

    // Characters on a layer are drawn at positions scaled by its factors,
    // with the camera's position scaled alike, then put back. b_drawable
    // keeps the character at world x 1024, that is 2048 in layer 0's space.
    camera->SetActiveLayer(1);
    const std::int32_t row = world.Spawn(3, 1024, 1000);
    world.client->update(0);
    world.Paint([&] { camera->Draw(true); });
    EXPECT_EQ(g_renders, Strings{"p" + std::to_string(world.client->getPresenterOfRow(row)) + " 1024,1000 cam 50,70"});
    EXPECT_EQ(world.PresenterOfRow(row)->getX(), 2048);
    EXPECT_EQ(camera->GetX(), 100);
}

TEST(Camera, EachPassDrawsItsLayersAndTheirCharacters) {
    struct Case {
        int layers, active;
        std::vector<int> back, front;
    };
    const Case cases[] = {
        {8, -1, {}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {8, 2, {0, 1, 2}, {3, 4, 5, 6, 7}},
        {8, 12, {0, 1, 2, 3, 4, 5, 6, 7}, {}},
        {8, -5, {}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {1, 0, {0}, {}},
        {0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        CameraWorld world(c.layers == 0 ? 1 : c.layers);
        if (c.layers == 0) world.View()->SetupForMap(240, 320, 0);
        world.View()->SetViewEnabled(true);
        world.View()->SetActiveLayer(c.active);
        EXPECT_EQ(world.Drawn(true), c.back) << c.layers << " layers, active " << c.active;
        EXPECT_EQ(world.Drawn(false), c.front) << c.layers << " layers, active " << c.active;
    }

    // A camera told of more layers than it holds draws its eight.
    CameraWorld world;
    world.View()->SetupForMap(240, 320, 12);
    world.View()->SetViewEnabled(true);
    world.View()->SetActiveLayer(3);
    EXPECT_EQ(world.Drawn(false), (std::vector<int>{4, 5, 6, 7}));

    // Layer 0's characters (two, drawn last row first), then layer 1's; the
    // character below every layer is never drawn; nothing while disabled.
    world.View()->SetActiveLayer(7);
    const std::int32_t a = world.Spawn(3), b = world.Spawn(4), c = world.Spawn(5), d = world.Spawn(3);
    world.client->update(0);
    world.Paint([&] { world.View()->Draw(true); });
    const auto id = [&](std::int32_t row) { return "p" + std::to_string(world.client->getPresenterOfRow(row)); };
    Strings ids;
    for (const std::string& render : g_renders) ids.push_back(render.substr(0, render.find(' ')));
    EXPECT_EQ(ids, (Strings{id(d), id(a), id(b)}));
    (void)c;
    world.View()->SetViewEnabled(false);
    EXPECT_EQ(world.Drawn(true), std::vector<int>{});
}

TEST(Camera, VisibilityOfWorldBoxes) {
    CameraWorld world;
    Camera* camera = world.View();
    camera->SetLayerParallax(1, 512, 1024);
    camera->SetSnap(true);
    camera->LookAtPixels(220, 160, 0);  // position (100, 0)
    struct Case {
        std::int32_t x, y, w, h, layer;
        bool visible;
    };
    const auto px = [](std::int32_t pixels) { return pixels * 1024 / 24; };
    const Case cases[] = {
        {px(100), 0, 1024, 1024, 0, true},
        {px(80), 0, px(10), 1024, 0, false},  // ends at pixel 90, left of the view
        {px(400), 0, 1024, 1024, 0, false},   // right of the view
        {px(400), 0, 1024, 1024, 1, true},    // at half speed, inside it
        {px(200), px(330), 1024, 1024, 0, false},
    };
    for (const Case& c : cases) EXPECT_EQ(camera->IsVisible(c.x, c.y, c.w, c.h, c.layer), c.visible) << c.x;
    camera->SetViewEnabled(false);
    EXPECT_FALSE(camera->IsVisible(px(100), 0, 1024, 1024, 0));
}

}  // namespace
