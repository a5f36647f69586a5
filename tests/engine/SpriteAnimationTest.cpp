// Sprite animation and rotation and the head-up display's animators, over
// the sprite pool and sprite data from the tools/ writers (GameUnitWorld's
// art: animation 6 two 50-ms frames, 5 eight frames, 7 none), in 32-ms
// frames.
#include <gtest/gtest.h>

#include <string>

#include "tests/engine/GameUnitWorld.h"

namespace {

enum Type { kOnce, kTwice, kLoop, kSky, kBare, kRotor, kStill, kHudBack, kHudLoop, kHudBar, kCar, kWalker };

std::string State(const std::string& name, const std::string& calls) {
    return "state " + name + " | on enter | " + calls +
           " | on 164 | f_customCodeInstruction 164 | on 300 | f_resumeBehavior b_szAnimatable\n";
}

const std::string kScript =
    "type once initial once | type twice initial twice | type loop initial loop | type sky initial sky\n"
    "type bare initial bare | type rotor initial rotor | type still initial still | type hb initial hb\n"
    "type hbl initial hbl | type hudbar initial hudbar | type car initial car | type walker initial walker\n" +
    State("once", "v_sz 0 0 | b_szAnimatable 6 0 0") + State("twice", "v_sz 0 0 | b_szAnimatable 6 2 0") +
    State("loop", "v_sz 0 0 | b_szAnimatable 6 1 0") + State("sky", "v_szSkyBox 0 0 0 0 0 0 | b_szAnimatable 6 0 0") +
    State("bare", "b_szAnimatable 6 0 0") + State("rotor", "v_sz 0 0 | b_angle 0 | b_szRotatable 5") +
    State("still", "v_sz 0 0 | b_szRotatable 5") + State("hb", "v_hudBackground 0 | b_hudBackgroundAnimatable 6 2 0 0") +
    State("hbl", "v_hudBackground 0 | b_hudBackgroundAnimatable 6 1 0 0") +
    State("hudbar", "v_sz 0 0 | v_hudBar | b_szHealthPowerId 1 6") + State("car", "b_motion 0 0 1 | b_angle 0 | b_vehicle 0") +
    State("walker", "b_angle 0 | b_vehicle 0");

struct SpriteAnimationTest : ::testing::Test {
    // The sprite the character's visual keeps (the power bar's for v_hudBar).
    std::int32_t Sprite(const AZ_Presenter* p) const {
        for (const auto& [code, word] : {std::pair{85, 2}, {86, 3}, {87, 7}, {84, 2}}) {
            if (p->findCodeSlot(code) != -1) return world.Word(p, code, word);
        }
        return -1;
    }
    GameUnitWorld world{kScript};
    SZ_Pool& pool = *world.client->getSpritePool();
};

// Per frame '1' when 164 was raised, else 'f' while the sprite's animation
// is finished; then the status of the animating unit (12, 28 or 56) and the
// box of the sprite's frame (the second frame's at -3, mirrored at -1).
TEST_F(SpriteAnimationTest, AnimationsPlayMirrorAndEnd) {
    const struct {
        Type type;
        int turnAt, resumeAt;  // frame before which the character turns left / is resumed (0: never)
        std::string events;
        std::int32_t code, status, rectX;
    } cases[] = {
        {kOnce, 0, 0, "...1ffff", 12, 1, -3},
        {kTwice, 0, 0, "...1ffff", 12, 1, -3},  // only 1 loops
        {kLoop, 0, 0, "........", 12, 0, -3},   // frame 8 (256 ms) shows the second frame again
        {kOnce, 3, 0, ".....1ff", 12, 1, -1},   // restarted mirrored
        {kSky, 0, 0, "...1ffff", 12, 1, -3},    // the parallax sprite
        {kBare, 0, 0, "........", 12, AZ_FREE, 0},  // gone at the first update, silently
        {kOnce, 0, 6, "...1f1ff", 12, 1, -3},   // resumed when finished: at once again
        {kHudBack, 0, 0, "...fffff", 28, 0, -3},
        {kHudLoop, 0, 0, "........", 28, 0, -3},
        {kHudBar, 0, 0, "...fffff", 56, 1, -3},  // the power bar's unit pauses
    };
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make(c.type);
        std::string events;
        for (int frame = 1; frame <= 8; ++frame) {
            if (frame == c.turnAt) p->setFacing(1);
            if (frame == c.resumeAt) world.client->sendEvent(p->getId(), 300);
            world.log.clear();
            world.Tick(32);
            const bool finished = Sprite(p) != -1 && pool.isAnimationFinished(Sprite(p));
            events += world.log == "164p" + std::to_string(p->getId()) ? "1" : finished ? "f" : ".";
        }
        EXPECT_EQ(events, c.events) << c.type;
        EXPECT_EQ(p->findCodeSlot(c.code) == -1 ? AZ_FREE : world.Word(p, c.code, 0), c.status) << c.type;
        EXPECT_EQ(Sprite(p) == -1 ? 0 : pool.getCollisionRectX(Sprite(p)), c.rectX) << c.type;
    }
}

// Eight views (frame k's box at k - 4): each covers its angle less 22.5
// degrees up to plus 22.5, turns and negative angles brought into one turn.
TEST_F(SpriteAnimationTest, RotationShowsTheViewOfTheAngle) {
    const struct {
        Type type;
        std::int32_t angle, animation, frame;
    } cases[] = {
        {kRotor, 345600, 5, 0},  {kRotor, 368639, 5, 0}, {kRotor, 0, 5, 0},      {kRotor, 23029, 5, 0},
        {kRotor, 23040, 5, 1},   {kRotor, 51200, 5, 1},  {kRotor, 358400, 5, 0}, {kRotor, 345599, 5, 7},
        {kRotor, -10240, 5, 0},  {kRotor, 378880, 5, 0}, {kRotor, -30720, 5, 7}, {kRotor, 788480, 5, 1},
        {kRotor, 51200, 7, 3},   // no frames: left alone
        {kStill, 0, 5, 3},       // no b_angle: left alone
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(c.type);
        if (c.animation != 5) pool.setAnimation(Sprite(p), c.animation, 0, 1);
        pool.setFrame(Sprite(p), 3);
        if (p->findCodeSlot(3) != -1) world.SetWords(p, 3, {{1, c.angle}});
        world.Tick(32);
        const std::int32_t frame = c.animation == 5 ? pool.getCollisionRectX(Sprite(p)) + 4 : 3;
        EXPECT_EQ(frame, c.frame) << c.angle;
    }
}

// The heading of the stored velocity, degrees << 10; without b_motion the
// angle stays.
TEST_F(SpriteAnimationTest, VehiclesHeadWhereTheyGo) {
    const struct {
        Type type;
        std::int32_t vx, vy, facing, angle;
    } cases[] = {
        {kCar, 1024, 0, 0, 0},        {kCar, 0, -1024, 0, 92160},      {kCar, -1024, 0, 0, 184320},
        {kCar, 0, 1024, 0, 276480},   {kCar, 1024, 1024, 0, 322336},   {kCar, 0, 0, 0, 0},
        {kCar, 1024, 0, 1, 0},        // facing left: still the stored x
        {kCar, 40000, -40000, 0, 46304},  // a square beyond 32 bits
        {kWalker, 1024, 0, 0, 7},
    };
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make(c.type);
        p->setFacing(c.facing);
        world.SetWords(p, 3, {{1, 7}});
        if (p->findCodeSlot(5) != -1) world.SetWords(p, 5, {{1, c.vx}, {2, c.vy}});
        world.Tick(32);
        EXPECT_EQ(world.Word(p, 3, 1), c.angle) << c.vx << " " << c.vy;
    }
}

}  // namespace
