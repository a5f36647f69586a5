// The sprite pool and the sprite visuals, over the application's sprite
// home built from sprites drawn in the content's art form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/CGameApp.h"
#include "src/actionZel/AZ_Unit.h"
#include "src/game/MapManager.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/engine/LevelWorld.h"
#include "tests/engine/PlayWorld.h"

namespace {

TEST(SpritePool, IdsRunOutAndComeBack) {
    PlayWorld world;
    for (std::int32_t id = 1; id <= 70; ++id) EXPECT_EQ(world.Pool().alloc(), id);
    EXPECT_EQ(world.Pool().alloc(), -1);
    world.Pool().free(5);
    EXPECT_EQ(world.Pool().alloc(), 5);
    world.Pool().free(0);
    EXPECT_EQ(world.log.Lines(), (std::vector<std::string>{
                                     "[ AZ ][ ERROR ] - Out of SZ_Presenter Pool, increase pool size in code",
                                     "[ AZ ][ ERROR ] - SZ_Presenter Pool fragmentation"}));
    // A sprite visual that got no id holds -1 and draws nothing, silently.
    world.log.Clear();
    const AZ_Presenter* sprite = world.Make(1, 96, 192);
    EXPECT_EQ(world.Word(sprite, 86, 3), -1);
    world.Show();
    EXPECT_EQ(world.Pixel(96, 190), kBlack);
    EXPECT_EQ(world.log.Lines().size(), 1u);  // the pool's line at the attach
}

// A level's end (the client's reset) gives every id back at once, so that
// sprites do not leak from level to level.
TEST(SpritePool, TheClientsResetFreesEveryId) {
    PlayWorld world;
    for (std::int32_t id = 1; id <= 70; ++id) world.Pool().alloc();
    world.client->reset();
    for (std::int32_t id = 1; id <= 70; ++id) EXPECT_EQ(world.Pool().alloc(), id);
}

TEST(SpritePool, CollisionRectanglesByTagFromTheCurrentFrame) {
    PlayWorld world;
    SZ_Pool& pool = world.Pool();
    const std::int32_t id = pool.alloc();
    pool.setArchetypeCharacter(id, 0, 0);
    pool.setAnimation(id, 0, 0, 1);
    EXPECT_EQ((std::vector<int>{pool.getCollisionRectX(id), pool.getCollisionRectY(id), pool.getCollisionRectWidth(id),
                                pool.getRect2X(id), pool.getRect3X(id), pool.getRect3Y(id)}),
              (std::vector<int>{-2, -4, 4, 1, 5, 6}));
    // The y comes from the search for the x: the home's data is gone by now.
    pool.getCollisionRectX(id);
    CGameApp::GetSpriteHome()->DumpArchetypeCharacter(0, 0);
    EXPECT_EQ(pool.getCollisionRectY(id), -4);
    CGameApp::GetSpriteHome()->LoadArchetypeCharacter(0, 0);
    // Frame 1 has no box; the same orientation keeps the frame, another
    // restarts the animation mirrored.
    pool.update(id, 150);
    EXPECT_EQ(pool.getCollisionRectWidth(id), 0);
    pool.setOrientation(id, 0);
    EXPECT_EQ(pool.getCollisionRectWidth(id), 0);
    pool.setOrientation(id, 2);
    EXPECT_EQ(pool.getRect2X(id), -3);
}

TEST(SpriteVisuals, SpritesFollowTheirCharacters) {
    PlayWorld world;
    AZ_Presenter* sprite = world.Make(1, 96, 192);
    const std::int32_t id = world.Word(sprite, 86, 3);
    world.client->sendEvent(sprite->getId(), 300);
    EXPECT_EQ(world.Word(sprite, 86, 3), id);
    EXPECT_EQ(world.Pool().alloc(), id + 1);
    world.Make(2, 40, 40);  // no animation behaviour: not drawn
    world.Show();
    EXPECT_EQ(world.Pixel(95, 189), kRed);
    EXPECT_EQ(world.Pixel(40, 38), kBlack);
    // Facing left at attach mirrors the sprite.
    EXPECT_EQ(world.Pool().getRect2X(world.Word(world.Make(1, 0, 0, true), 86, 3)), -3);
    // Spawning at the sprite's box: (-2, -4) pixels from the spawner.
    world.client->sendEvent(sprite->getId(), 301);
    const AZ_Presenter* spawned = AZ_Presenter::getPresenter(world.store->getHighWaterMark() - 1);
    EXPECT_EQ(spawned->getX() - sprite->getX(), -2 * 1024 / 24);
    EXPECT_EQ(spawned->getY() - sprite->getY(), -4 * 1024 / 24);
    world.client->destroyCharacter(world.client->getActiveIndex(sprite->getId()));
    EXPECT_FALSE(world.Pool().isInUse(id));
}

// A sky (archetype 1: the red square on a 100 x 6 tile) at the origin with
// its words 3-6 (repeat in x and y, x and y factors), animated as the
// animation behaviour does, shown with the camera at (x, y) pixels.
void ShowSky(PlayWorld& world, const std::vector<std::int32_t>& words, std::int32_t x, std::int32_t y) {
    const AZ_Presenter* sky = world.Make(4, 0, 0);
    for (std::size_t w = 0; w < words.size(); ++w) {
        AZ_Presenter_Singleton::setCodeSlotValue(sky->findCodeSlot(87) + 3 + static_cast<std::int32_t>(w), words[w]);
    }
    world.Pool().setAnimation(world.Word(sky, 87, 7), 0, 0, 1);
    Camera* camera = world.client->getCamera();
    camera->SetSnap(true);
    camera->LookAtPixels(x + camera->GetViewWidth() / 2, y + camera->GetViewHeight() / 2, 0);
    world.Show();
}

TEST(SpriteVisuals, SkyTilesScrollByTheirFactors) {
    const struct {
        std::int32_t repeatX, factorX;
        std::int32_t red, notRed;  // x of a red pixel and of one that is not
    } cases[] = {
        {0, 1024, 49, 149},  // one column of a 100-pixel tile, centred at 50
        {1, 1024, 69, 99},   // the camera at x 30 moves the columns with it
        {1, 0, 99, 69},      // factor 0 keeps them still
    };
    for (const auto& c : cases) {
        PlayWorld world;
        ShowSky(world, {c.repeatX, 0, c.factorX, 0}, 30, 0);
        EXPECT_EQ(world.Pixel(c.red, 3), kRed) << c.repeatX << " " << c.factorX;
        EXPECT_EQ(world.Pixel(c.notRed, 3), kBlack) << c.repeatX << " " << c.factorX;
    }
}

// One column (x 48-51) of the 100 x 6 tile repeated down the view: rows
// whose bottoms are 6 apart, the first at 1 or below, scrolled by the y
// factor. The red square fills the 4 rows above a row's bottom.
TEST(SpriteVisuals, SkyRowsRepeatDownTheView) {
    const struct {
        std::int32_t repeatY, factorY, cameraY;
        std::vector<int> red, black;  // rows at x 49
    } cases[] = {
        {1, 1024, 0, {2, 5, 8, 11, 14}, {0, 1, 6, 7, 12}},  // bottoms 6, 12, 18: 0 steps on to 6
        {1, 1024, 5, {0, 3, 6, 9}, {1, 2, 7, 8}},          // bottoms 1, 7, 13: 1 is kept
        {1, 1024, 8, {0, 3, 6, 9}, {4, 5, 10, 11}},        // 8 is 2 past a tile: bottoms 4, 10
        {1, 0, 5, {2, 5, 8}, {0, 1, 6, 7}},                // factor 0: still
        {0, 1024, 5, {2, 5}, {0, 1, 6, 8, 11}},            // one row, its bottom at 6
    };
    for (const auto& c : cases) {
        PlayWorld world;
        ShowSky(world, {0, c.repeatY, 0, c.factorY}, 0, c.cameraY);
        for (const int y : c.red) EXPECT_EQ(world.Pixel(49, y), kRed) << c.cameraY << " " << c.factorY << " " << y;
        for (const int y : c.black) EXPECT_EQ(world.Pixel(49, y), kBlack) << c.cameraY << " " << c.factorY << " " << y;
    }
}

// The backdrop's sprite stands at half the view's width and half the
// surface's height: on a map of 8 x 8 tiles the view is 192 x 192 pixels of
// the 240 x 320 surface, so the red square's anchor is (96, 160).
TEST(SpriteVisuals, TheHudBackdropStandsMidViewAcrossMidSurfaceDown) {
    PlayWorld world("type controller initial idle\ntype hud initial hud\nstate idle\nstate hud\non enter\n"
                    "    v_hudBackground 0\n");
    std::string rows = "type solid 15 -\nkey x solid\nlayer\n";
    for (int r = 0; r < 8; ++r) rows += "........\n";
    const vktools::Bytes map = MakeTestMap(rows + "end\n");
    ASSERT_TRUE(MapManager::parseMap(map.data(), static_cast<std::uint32_t>(map.size()),
                                     &world.client->getAdapter()->getMap()));
    world.client->getCamera()->SetupForMap(240, 320, 1);
    world.Make(1, 0, 0);
    world.Show();
    EXPECT_EQ(world.Pixel(94, 156), kRed);
    EXPECT_EQ(world.Pixel(97, 159), kRed);
    int drawn = 0;  // the square and nothing else around it
    for (int y = 150; y < 166; ++y) {
        for (int x = 88; x < 104; ++x) drawn += world.Pixel(x, y) != kBlack;
    }
    EXPECT_EQ(drawn, 16);
    EXPECT_EQ(world.Pixel(118, 156), kBlack);  // not half the surface's width
    EXPECT_EQ(world.Pixel(95, 94), kBlack);    // nor half the view's height
}

// b_szTiledAnimatable runs the rope sprite's animation (frame 0 has the
// box, frame 1 none, 100 ms each, looping); without a rope it does nothing.
TEST(SpriteVisuals, TiledSpritesAnimateByTheFrameTime) {
    PlayWorld world;
    AZ_Presenter* rope = world.Make(5, 40, 100);
    AZ_Presenter* plain = world.Make(3, 0, 0);
    const std::int32_t sprite = world.Word(rope, 89, 5);
    std::vector<int> widths;
    for (const std::int32_t dt : {0, 150, 100}) {
        for (AZ_Presenter* p : {rope, plain}) {
            const std::int32_t slot = p->findCodeSlot(54) != -1 ? p->findCodeSlot(54) : p->attach(54);
            AZ_GetUnit(54).update(p, slot, dt);
        }
        widths.push_back(world.Pool().getCollisionRectWidth(sprite));
    }
    EXPECT_EQ(widths, (std::vector<int>{4, 0, 4}));
    EXPECT_EQ(world.log.Text(), "");
}

TEST(SpriteVisuals, RopesHangDownToTheirTarget) {
    const struct {
        std::int32_t targetY;  // -1: none
        std::int32_t spacing;
        bool drawn;
    } cases[] = {{-1, 512, false}, {200, 512, true}, {112, 512, false}, {200, 0, false}};
    for (const auto& c : cases) {
        PlayWorld world;
        AZ_Presenter* rope = world.Make(5, 40, 100);
        AZ_Presenter_Singleton::setCodeSlotValue(rope->findCodeSlot(89) + 4, c.spacing);
        if (c.targetY >= 0) world.Make(3, 120, c.targetY + 12);  // the box's middle at targetY
        world.Show();
        EXPECT_EQ(world.Word(rope, 2, 0), 1) << c.targetY;  // its b_child paused
        EXPECT_EQ(world.Pixel(120, 121) == kRed, c.drawn) << c.targetY << " " << c.spacing;
    }
}

}  // namespace
