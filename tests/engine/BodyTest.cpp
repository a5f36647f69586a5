// Bodies moving through the level: velocity and walls, gravity and
// landings, the map's limits, children on their anchors, the angle, the
// box's sizes and the camera following its character.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_motion.h"
#include "tests/engine/BodyWorld.h"
#include "tests/support/DebugCapture.h"

namespace {

using Events = std::vector<int>;
constexpr std::int32_t T = 1024;         // a tile in world units
constexpr std::int32_t kGround = 6 * T - 42;  // standing on row 6
constexpr std::int32_t kMotion = 5, kTiles = 7, kGravity = 8, kBox = 27;

// A body of box 512 x 1024 with b_motion (and b_tileCollidable when asked).
AZ_Presenter* Body(BodyWorld& world, std::int32_t x, std::int32_t y, bool left,
                   std::initializer_list<std::int32_t> motion, int tiles) {
    AZ_Presenter* p = world.Make(1, x, y, left);
    BodyWorld::Attach(p, kBox, {512, 1024, 0});
    BodyWorld::Attach(p, kMotion, motion);
    if (tiles != 0) BodyWorld::Attach(p, kTiles, {0, 0});
    if (tiles == 2) AZ_PauseCode(p, kTiles);
    return p;
}

TEST(Bodies, MoveByVelocityAndStopAtWalls) {
    const struct {
        const char* what;
        std::int32_t x;
        bool left;
        std::int32_t vx, vy, flip, t;
        int tiles;  // 0 none, 1 running, 2 paused
        bool paused;
        std::int32_t endX, endY, endVx;
        Events events;
    } cases[] = {
        {"48 ms at 1024 moves 48", 2 * T, false, 1024, 512, 1, 48, 1, false, 2 * T + 48, kGround + 24, 1024, {}},
        {"facing left with the flip", 2 * T, true, 1024, 0, 1, 48, 1, false, 2 * T - 48, kGround, 1024, {}},
        {"facing left without it", 2 * T, true, 1024, 0, 0, 48, 1, false, 2 * T + 48, kGround, 1024, {}},
        {"paused", 2 * T, false, 1024, 0, 0, 48, 1, true, 2 * T, kGround, 1024, {}},
        {"no time", 2 * T, false, 1024, 0, 0, 0, 1, false, 2 * T, kGround, 1024, {}},
        {"wall to the right: 42 short", 10 * T - 276, false, 1024, 0, 0, 48, 1, false, 10 * T - 256 - 42, kGround, 0,
         {167}},
        {"wall to the left: flush", 11 * T + 276, true, 1024, 0, 1, 48, 1, false, 10 * T + T + 256, kGround, 0, {167}},
        {"inside the leading column", 9 * T, false, 1024, 0, 0, 48, 1, false, 9 * T + 48, kGround, 1024, {}},
        {"tiles paused: through the wall", 10 * T - 276, false, 1024, 0, 0, 48, 2, false, 10 * T - 228, kGround, 1024,
         {}},
        {"without tiles: through the wall", 10 * T - 276, false, 1024, 0, 0, 48, 0, false, 10 * T - 228, kGround, 1024,
         {}},
    };
    BodyWorld world;
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = Body(world, c.x, kGround, c.left, {c.vx, c.vy, c.flip}, c.tiles);
        if (c.paused) AZ_PauseCode(p, kMotion);
        world.Step(c.t);
        EXPECT_EQ(p->getX(), c.endX) << c.what;
        EXPECT_EQ(p->getY(), c.endY) << c.what;
        EXPECT_EQ(BodyWorld::Word(p, kMotion, 1), c.endVx) << c.what;
        EXPECT_EQ(world.Events(p), c.events) << c.what;
    }
}

TEST(Bodies, FallAndLandUnderGravity) {
    const struct {
        const char* what;
        std::int32_t a, terminal, x, y, vy, frames;
        std::string trace;  // "frame:event ..."
        std::int32_t endVy, endY;  // endY -1: not checked
    } cases[] = {
        {"falling to three quarters of the terminal speed", 2048, 4096, 5 * T, T, 0, 32, "1:179 32:178 ", 4096, -1},
        {"one update from rest to the terminal speed", 32767, 1024, 5 * T, T, 0, 1, "1:179 1:178 1:180 ", 1024, -1},
        {"landing on the ground", 2048, 4096, 5 * T, kGround - 200, 2048, 1, "1:177 1:167 1:170 ", 0, kGround},
        {"landing on a plank, half a tile lower", 2048, 4096, 25 * T + 512, 5 * T - 342, 2048, 1,
         "1:177 1:167 1:170 ", 0, 5 * T - 42 + 512},
        {"resting: put back on the ground, silently", 2048, 4096, 5 * T, kGround - 10, 0, 3, "", 0, kGround},
        {"rising into a ceiling", 2048, 4096, 20 * T + 512, 5 * T + 30, -2048, 1, "1:177 1:167 1:170 ", 0, 5 * T},
        {"no acceleration", 0, 4096, 5 * T, T, 100, 2, "", 100, T + 8},
    };
    BodyWorld world;
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = Body(world, c.x, c.y, false, {0, c.vy, 0}, 0);
        BodyWorld::Attach(p, kGravity, {c.a, c.terminal});
        std::string trace;
        for (int frame = 1; frame <= c.frames; ++frame) {
            world.Step();
            for (int e : world.Events(p)) trace += std::to_string(frame) + ":" + std::to_string(e) + " ";
        }
        EXPECT_EQ(trace, c.trace) << c.what;
        EXPECT_EQ(BodyWorld::Word(p, kMotion, 2), c.endVy) << c.what;
        EXPECT_TRUE(c.endY == -1 || p->getY() == c.endY) << c.what << " " << p->getY();
    }
}

TEST(BodiesDeathTest, GravityWithoutMotionStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    BodyWorld world;
    AZ_Presenter* p = world.Make(1, 5 * T, T);
    BodyWorld::Attach(p, kBox, {512, 1024, 0});
    BodyWorld::Attach(p, kGravity, {2048, 4096});
    EXPECT_DEATH(world.Step(), FailedCheck("[ AZ ][ ERROR ] - Access to codeSlot with negative id",
                                           AZ_UNIT_HEADER(b_motion)));
}

TEST(Bodies, TheMapHoldsTheBox) {
    constexpr std::int32_t kWidth = 40 * T, kHeight = 8 * T;
    const struct {
        const char* what;
        std::int32_t w, h, clamp, below, x, y;
        std::int32_t endX, endY;
        Events events;  // over two updates; the position after the first
    } cases[] = {
        {"no box: the position itself", -1, 0, 0, 0, -100, -5, 0, 0, {}},
        {"no box, past the right edge", -1, 0, 0, 0, kWidth + 40, 100, kWidth, 100, {}},
        {"the box's left and top edges", 512, 1024, 0, 0, 100, 500, 256, 1024, {}},
        {"the box's right edge", 512, 1024, 0, 0, kWidth, 2000, kWidth - 256, 2000, {}},
        {"a box wider than the map", 90000, 1024, 0, 0, 100, 2000, kWidth - 45000, 2000, {}},
        {"below, held on the edge", 512, 1024, 1, 1, 100, kHeight + 500, 256, kHeight, {}},
        {"below, told every update", 512, 1024, 0, 1, 300, kHeight + 500, 300, kHeight + 500, {375, 375}},
        {"on the bottom edge", 512, 1024, 0, 1, 300, kHeight, 300, kHeight, {}},
        {"below with neither flag", 512, 1024, 0, 0, 300, kHeight + 500, 300, kHeight + 500, {}},
    };
    BodyWorld world;
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make(1, c.x, c.y);
        if (c.w != -1) AZ_Presenter_Singleton::setCodeSlotValue(BodyWorld::Attach(p, kBox, {0, c.h, 0}) + 1, c.w);
        BodyWorld::Attach(p, 1, {c.clamp, c.below});
        world.Step();
        EXPECT_EQ(p->getX(), c.endX) << c.what;
        EXPECT_EQ(p->getY(), c.endY) << c.what;
        world.Step();
        EXPECT_EQ(world.Events(p), c.events) << c.what;
    }
}

TEST(Bodies, ChildrenFollowTheirAnchor) {
    constexpr std::int32_t kChild = 2, kSpawnRelative = 120;
    // The view is 240 x 320 pixels at the camera's origin: its bottom
    // centre is (5120, 13653) in world units.
    const struct {
        const char* what;
        // Makes the parent, if any, and the child (the child's b_child
        // offset is (100, -50) unless the maker writes its own words).
        std::function<AZ_Presenter*(BodyWorld&)> make;
        std::int32_t endX, endY, facing, offsetX;
    } cases[] = {
        {"no parent", [](BodyWorld& w) {
             AZ_Presenter* c = w.Make(1, 777, 888);
             AZ_Presenter_Singleton::setCodeSlotValue(BodyWorld::Attach(c, kChild, {100, -50, 0}) + 4, -1);
             return c;
         }, 777, 888, 0, 100},
        {"the parent gone", [](BodyWorld& w) {
             AZ_Presenter* parent = w.Make(1, 5000, 3000);
             AZ_Presenter* c = w.Make(1, 777, 888);
             AZ_Presenter_Singleton::setCodeSlotValue(BodyWorld::Attach(c, kChild, {100, -50, 0}) + 4, parent->getId());
             w.client->destroyCharacter(w.client->getActiveIndex(parent->getId()));
             return c;
         }, 777, 888, 0, 100},
        {"attached by a script call alone: presenter 0, facing left", [](BodyWorld& w) {
             w.Make(1, 5000, 3000, true);
             AZ_Presenter* c = w.Make(1, 777, 888);
             BodyWorld::Attach(c, kChild, {100, -50, 1});
             return c;
         }, 4900, 2950, 1, 100},
        {"the view's bottom centre, never mirrored", [](BodyWorld& w) {
             AZ_Presenter* c = w.Make(1, 777, 888, true);
             AZ_Presenter_Singleton::setCodeSlotValue(BodyWorld::Attach(c, kChild, {100, -50, 1}) + 4, -2);
             return c;
         }, 5220, 13603, 0, 100},
        {"the camera's origin", [](BodyWorld& w) {
             AZ_Presenter* c = w.Make(1, 777, 888, true);
             AZ_Presenter_Singleton::setCodeSlotValue(BodyWorld::Attach(c, kChild, {100, -50, 1}) + 4, -3);
             return c;
         }, 100, -50, 0, 100},
        {"its own velocity moves the offset", [](BodyWorld& w) {
             w.Make(1, 5000, 3000);
             AZ_Presenter* c = w.Make(1, 777, 888);
             BodyWorld::Attach(c, kChild, {100, -50, 0});
             BodyWorld::Attach(c, kMotion, {1024, 0, 0});
             return c;
         }, 5000 + 196, 2950, 0, 196},
        {"a parent with a higher index moves first", [](BodyWorld& w) {
             w.Make(0);
             AZ_Presenter* c = w.Make(1, 777, 888);
             AZ_Presenter* parent = w.Make(1, 5000, 3000);
             BodyWorld::Attach(parent, kMotion, {1024, 0, 0});
             AZ_Presenter_Singleton::setCodeSlotValue(BodyWorld::Attach(c, kChild, {100, -50, 0}) + 4, parent->getId());
             return c;
         }, 5000 + 96 + 100, 2950, 0, 100},
        {"spawned relative to its parent", [](BodyWorld& w) {
             AZ_Presenter* parent = w.Make(1, 5000, 3000);
             BodyWorld::Attach(parent, kMotion, {1024, 0, 0});
             const ScriptParams args{1, 0, 100, -50, 1, 0, 0, 0, 0};
             AZ_GetUnit(kSpawnRelative).instruction(parent, 0, args.View());
             return AZ_Presenter::getPresenter(w.client->getPresenterOfRow(1));
         }, 5000 + 96 + 100, 2950, 0, 100},
    };
    BodyWorld world;
    ASSERT_EQ(world.client->getCamera()->GetViewWidth(), 240);
    ASSERT_EQ(world.client->getCamera()->GetViewHeight(), 320);
    EXPECT_STREQ(AZ_GetUnit(kSpawnRelative).name, "f_spawnCharacterRelative");
    for (const auto& c : cases) {
        world.Restart();
        DebugCapture log;
        AZ_Presenter* child = c.make(world);
        world.Step(48, 2);
        EXPECT_EQ(std::pair(child->getX(), child->getY()), std::pair(c.endX, c.endY)) << c.what;
        EXPECT_EQ(child->getFacing(), c.facing) << c.what;
        EXPECT_EQ(BodyWorld::Word(child, kChild, 1), c.offsetX) << c.what;
        EXPECT_EQ(log.Text(), "") << c.what;
    }
}

TEST(Bodies, AnglesAndBoxSizesFromTheScript) {
    BodyWorld world;
    AZ_Presenter* p = world.Make();
    BodyWorld::Attach(p, 3, {90});
    EXPECT_EQ(BodyWorld::Word(p, 3, 1), 92160);
    BodyWorld::Attach(p, 3, {AZ_FREE});  // kept, and shifted again
    EXPECT_EQ(BodyWorld::Word(p, 3, 1), 94371840);
    // A size's 16-bit pattern above 32767 comes back one short.
    const std::int32_t sizes[][2] = {{-1, 65534}, {-32768, 32767}, {0, 0}, {512, 512}};
    for (const auto& [given, kept] : sizes) {
        BodyWorld::Attach(p, kBox, {given, given, 0});
        EXPECT_EQ(std::pair(BodyWorld::Word(p, kBox, 1), BodyWorld::Word(p, kBox, 2)), std::pair(kept, kept)) << given;
    }
}

// The character at pixel 480 of a 960-pixel map, the view 240 wide.
TEST(Bodies, TheCameraLeadsTheUserCharacter) {
    const struct {
        const char* what;
        bool user, left, snapElsewhere;
        std::initializer_list<std::int32_t> camera, motion;  // motion {}: none
        std::int32_t targetX, endX;                         // pixels; endX -1: not there yet
    } cases[] = {
        {"a quarter of the view ahead, right", true, false, false, {256, 0, 0, 0, 1}, {}, 420, 420},
        {"and left", true, true, false, {256, 0, 0, 0, 1}, {}, 300, 300},
        {"scrolling toward it", true, false, false, {256, 0, 0, 0, 0}, {}, 420, -1},
        {"a snap asked elsewhere serves once", true, false, true, {256, 0, 0, 0, 0}, {}, 420, 420},
        {"velocity lead; flip 2 keeps its sign", true, true, false, {0, 0, 1024, 0, 1}, {1024, 0, 2}, 383, 383},
        {"not the user character", false, false, false, {256, 0, 0, 0, 1}, {}, 0, 0},
    };
    BodyWorld world;
    Camera* camera = world.client->getCamera();
    for (const auto& c : cases) {
        world.Restart();
        camera->Reset();
        camera->SetBounds(960, 192);
        world.Make(0);
        AZ_Presenter* p = world.Make(1, 20 * T, 4 * T, c.left);
        world.client->getAdapter()->setUserCharacter(c.user ? p->getId() : 0);
        if (c.motion.size() != 0) BodyWorld::Attach(p, kMotion, c.motion);
        BodyWorld::Attach(p, 4, c.camera);
        camera->SetSnap(c.snapElsewhere);
        world.Step();
        EXPECT_EQ(camera->GetTargetX(), c.targetX) << c.what;
        EXPECT_EQ(camera->GetX() == c.targetX, c.endX != -1) << c.what;
        // The snap is gone: the next target is scrolled to.
        p->setX(10 * T);
        world.Step();
        EXPECT_EQ(camera->GetX() == camera->GetTargetX(), c.camera.begin()[4] == 1 || !c.user) << c.what;
    }
}

}  // namespace
