// The sprite pool and the sprite visuals, over the application's sprite
// home built from sprites drawn in the content's art form.
#include <gtest/gtest.h>

#include <string>

#include "src/CGameApp.h"
#include "src/ridaroVoz3/SZ_Home.h"
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
        AZ_Presenter* sky = world.Make(4, 0, 0);
        const std::int32_t slot = sky->findCodeSlot(87);
        AZ_Presenter_Singleton::setCodeSlotValue(slot + 3, c.repeatX);
        AZ_Presenter_Singleton::setCodeSlotValue(slot + 5, c.factorX);
        world.Pool().setAnimation(world.Word(sky, 87, 7), 0, 0, 1);  // as the animation behaviour does
        world.client->getCamera()->SetSnap(true);
        world.client->getCamera()->LookAtPixels(30 + 120, 160, 0);
        world.Show();
        EXPECT_EQ(world.Pixel(c.red, 3), kRed) << c.repeatX << " " << c.factorX;
        EXPECT_EQ(world.Pixel(c.notRed, 3), kBlack) << c.repeatX << " " << c.factorX;
    }
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
