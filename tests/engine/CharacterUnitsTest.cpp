// The behaviours of sprite animation and rotation, heading, health, damage,
// the health bar and power, over the sprite pool and sprite data from the
// tools/ writers (GameUnitWorld's art: animation 6 two 50-ms frames, 5
// eight frames, 7 none), in the engine's frames of 32 ms (64 for the health
// bar, which updates every 64 ms).
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "tests/engine/GameUnitWorld.h"

namespace {

enum Type { kOnce, kTwice, kLoop, kSky, kBare, kRotor, kStill, kHudBack, kHudLoop, kHudBar, kCar, kWalker, kVictim,
            kDamage, kSpread, kHeal, kArmour, kRegen, kPower40, kPower50, kPowerRegen, kCheck50, kCheck49, kLone,
            kBarOnly, kBar, kBarNoBox, kShrink };

// One type a state, in the order above; each logs the events 164, 192 to
// 200, 333 and 334, and resumes b_szAnimatable on 310.
const std::pair<const char*, const char*> kStates[] = {
    {"once", "v_sz 0 0 | b_szAnimatable 6 0 0"}, {"twice", "v_sz 0 0 | b_szAnimatable 6 2 0"},
    {"loop", "v_sz 0 0 | b_szAnimatable 6 1 0"}, {"sky", "v_szSkyBox 0 0 0 0 0 0 | b_szAnimatable 6 0 0"},
    {"bare", "b_szAnimatable 6 0 0"}, {"rotor", "v_sz 0 0 | b_angle 0 | b_szRotatable 5"},
    {"still", "v_sz 0 0 | b_szRotatable 5"}, {"hb", "v_hudBackground 0 | b_hudBackgroundAnimatable 6 2 0 0"},
    {"hbl", "v_hudBackground 0 | b_hudBackgroundAnimatable 6 1 0 0"},
    {"hudbar", "v_sz 0 0 | v_hudBar | b_szHealthPowerId 1 6"},
    {"car", "v_sz 0 0 | b_motion 0 0 1 | b_angle 0 | b_vehicle 0 | b_szRotatable 5"},
    {"walker", "b_angle 0 | b_vehicle 0"},
    {"victim", "b_health 0 0 | on 300 | b_deliverDamage 10 0 | on 301 | b_deliverDamage 50 0 | on 302 | "
               "b_increaseHealth 5 0 | on 303 | b_increaseHealth 20 0 | on 304 | b_deliverDamage 5 0"},
    {"dmg", "b_health 1000 1000 | b_deliverDamage 100 320"}, {"spread", "b_health 1000 1000 | b_deliverDamage 10 50"},
    {"heal", "b_health 500 1000 | b_increaseHealth 10 50"},
    {"armour", "b_health 1000 1000 | b_armor 256 | b_deliverDamage 100 0"},
    {"regen", "b_health 936 1000 | b_regenerateHealthOverTime 1024"}, {"pow40", "b_power 95 100 | b_addPower 10 40"},
    {"pow50", "b_power 95 100 | b_addPower 10 50"}, {"powregen", "b_power 100 100 | b_regeneratePowerOverTime 1024"},
    {"chk50", "b_power 50 100 | b_checkPower 50"}, {"chk49", "b_power 49 100 | b_checkPower 50"},
    {"lone", "b_deliverDamage 10 0 | b_increaseHealth 10 0 | b_regenerateHealthOverTime 10 | b_addPower 10 0 | "
             "b_checkPower 10 | b_regeneratePowerOverTime 10 | b_healthBar 0"},
    {"baronly", "v_bar | b_healthBar 0"},
    {"bar", "b_health 100 100 | b_boundingBox 1024 2048 0 | v_bar | b_healthBar 0"},
    {"barnobox", "b_health 100 100 | v_bar | b_healthBar 0"},
    {"shrink", "b_health 100 100 | b_boundingBox 1024 2048 0 | v_bar | b_healthBar 1"},
};

std::string Script() {
    std::string types, states;
    for (const auto& [name, calls] : kStates) {
        types += std::string("type ") + name + " initial " + name + "\n";
        states += std::string("state ") + name + " | on enter | " + calls;
        states += " | on 310 | f_resumeBehavior b_szAnimatable";
        for (int e : {164, 192, 193, 194, 195, 196, 197, 198, 199, 200, 333, 334}) {
            states += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
        }
        states += "\n";
    }
    return types + states;
}

struct CharacterUnitsTest : ::testing::Test {
    // The sprite the character's visual keeps (the power bar's for v_hudBar).
    std::int32_t Sprite(const AZ_Presenter* p) const {
        for (const auto& [code, word] : {std::pair{85, 2}, {86, 3}, {87, 7}, {84, 2}}) {
            if (p->findCodeSlot(code) != -1) return world.Word(p, code, word);
        }
        return -1;
    }
    // The log without the presenter ids.
    std::string Events() const { return std::regex_replace(world.log, std::regex("p[0-9]+"), ""); }
    GameUnitWorld world{Script()};
    SZ_Pool& pool = *world.client->getSpritePool();
};

// Per frame '1' when 164 was raised, else 'f' while the sprite's animation
// is finished; then the status of the animating unit (12, 28 or 56) and the
// box of the sprite's frame (the second frame's at -3, mirrored at -1).
TEST_F(CharacterUnitsTest, AnimationsPlayMirrorAndEnd) {
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
            if (frame == c.resumeAt) world.client->sendEvent(p->getId(), 310);
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

// The view shown for an angle: eight views (frame k's box at k - 4), each
// covering its angle less 22.5 degrees up to plus 22.5, turns and negative
// angles brought into one turn. A vehicle heads (degrees << 10) where its
// stored velocity goes, and its view follows in the same frame; without
// b_motion the angle stays.
TEST_F(CharacterUnitsTest, ViewsFollowTheAngleAndVehiclesTheirHeading) {
    const struct {
        Type type;
        std::int32_t angle, vx, vy, facing, animation, heading, frame;  // frame -1: no sprite
    } cases[] = {
        {kRotor, 345600, 0, 0, 0, 5, 345600, 0},   {kRotor, 368639, 0, 0, 0, 5, 368639, 0},
        {kRotor, 0, 0, 0, 0, 5, 0, 0},             {kRotor, 23029, 0, 0, 0, 5, 23029, 0},
        {kRotor, 23040, 0, 0, 0, 5, 23040, 1},     {kRotor, 51200, 0, 0, 0, 5, 51200, 1},
        {kRotor, 358400, 0, 0, 0, 5, 358400, 0},   {kRotor, 345599, 0, 0, 0, 5, 345599, 7},
        {kRotor, -10240, 0, 0, 0, 5, -10240, 0},   {kRotor, 378880, 0, 0, 0, 5, 378880, 0},
        {kRotor, -30720, 0, 0, 0, 5, -30720, 7},   {kRotor, 788480, 0, 0, 0, 5, 788480, 1},
        {kRotor, 51200, 0, 0, 0, 7, 51200, 3},     // no frames: left alone
        {kStill, 0, 0, 0, 0, 5, 0, 3},             // no b_angle: left alone
        {kCar, 7, 1024, 0, 0, 5, 0, 0},            {kCar, 7, 0, -1024, 0, 5, 92160, 2},
        {kCar, 7, -1024, 0, 0, 5, 184320, 4},      {kCar, 7, 0, 1024, 0, 5, 276480, 6},
        {kCar, 7, 1024, 1024, 0, 5, 322336, 7},    {kCar, 7, 0, 0, 0, 5, 0, 0},
        {kCar, 7, 1024, 0, 1, 5, 0, 0},            // facing left: still the stored x
        {kCar, 7, 40000, -40000, 0, 5, 46304, 1},  // a square beyond 32 bits
        {kWalker, 7, 1024, 0, 0, 5, 7, -1},
    };
    for (const auto& c : cases) {
        world.Restart();
        AZ_Presenter* p = world.Make(c.type);
        p->setFacing(c.facing);
        if (Sprite(p) != -1 && c.animation != 5) pool.setAnimation(Sprite(p), c.animation, 0, 1);
        if (Sprite(p) != -1) pool.setFrame(Sprite(p), 3);
        if (p->findCodeSlot(3) != -1) world.SetWords(p, 3, {{1, c.angle}});
        if (p->findCodeSlot(5) != -1) world.SetWords(p, 5, {{1, c.vx}, {2, c.vy}});
        world.Tick(32);
        const std::int32_t frame = Sprite(p) == -1 ? -1 : c.animation == 5 ? pool.getCollisionRectX(Sprite(p)) + 4 : 3;
        EXPECT_EQ(p->findCodeSlot(3) == -1 ? c.heading : world.Word(p, 3, 1), c.heading) << c.angle << " " << c.vx;
        EXPECT_EQ(frame, c.frame) << c.angle << " " << c.vx << " " << c.vy;
    }
}

// Health (code 20) or power (55) after each frame, whether the changing
// unit is still attached after it, and the events raised. A victim's row
// sets its health and sends, before each frame, an event whose handler
// attaches an instant change: 300 and 304 damage of 10 and 5, 301 of 50,
// 302 and 303 healing of 5 and 20.
TEST_F(CharacterUnitsTest, AmountsSpreadOverTheirDuration) {
    const struct {
        Type type;
        std::int32_t health, max;
        std::vector<std::int32_t> sends;
        std::int32_t code, unit;
        std::vector<std::int32_t> values;
        std::string attached, raised;
    } cases[] = {
        {kVictim, 30, 100, {300, 304}, 20, 24, {20, 15}, "00", "193"},  // 15 stays in 11..25
        {kVictim, 100, 100, {301}, 20, 24, {50}, "0", "195"},           // the bands passed over are not told
        {kVictim, 20, 100, {300}, 20, 24, {10}, "0", "192"},            // from above 10 % into 1..10
        {kVictim, 40, 100, {300}, 20, 24, {30}, "0", "194"},
        {kVictim, 80, 100, {300}, 20, 24, {70}, "0", "197"},
        {kVictim, 0, 100, {302}, 20, 25, {5}, "0", ""},                 // 192 only from above 10 %
        {kVictim, 0, 100, {303}, 20, 25, {20}, "0", "193"},
        {kVictim, 11, 200, {300}, 20, 24, {1}, "0", ""},  // 0 %
        {kVictim, 95, 100, {303, 302}, 20, 25, {100, 100}, "00", "200 200"},
        {kVictim, 5, 100, {300, 300}, 20, 24, {0, 0}, "00", "199 199"},
        {kDamage, 0, 0, {}, 20, 24, {990, 980, 970, 960, 950, 940, 930, 920, 910, 900, 900}, "11111111110", "198"},
        {kSpread, 0, 0, {}, 20, 24, {994, 987, 990}, "110", ""},    // the overshoot given back
        {kHeal, 0, 0, {}, 20, 25, {506, 513, 513}, "100", "196"},   // gone with its duration: 13 in all
        {kArmour, 0, 0, {}, 20, 24, {925}, "0", ""},
        {kRegen, 0, 0, {}, 20, 23, {968, 1000, 1000}, "111", "200"},
        {kPower40, 0, 0, {}, 55, 57, {100, 100, 94}, "110", ""},    // each step clamped on its own
        {kPower50, 0, 0, {}, 55, 57, {100, 100, 97}, "110", ""},
        {kPowerRegen, 0, 0, {}, 55, 59, {132, 164, 196}, "111", ""},  // no bound
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(c.type);
        if (c.max != 0) world.SetWords(p, 20, {{1, c.health}, {2, c.max}});
        std::vector<std::int32_t> values;
        std::string attached;
        for (std::size_t frame = 0; frame < c.values.size(); ++frame) {
            if (frame < c.sends.size()) world.client->sendEvent(p->getId(), c.sends[frame]);
            world.Tick(32);
            values.push_back(world.Word(p, c.code, 1));
            attached += p->findCodeSlot(c.unit) != -1 ? "1" : "0";
        }
        EXPECT_EQ(values, c.values) << c.type << " " << c.health;
        EXPECT_EQ(attached, c.attached) << c.type << " " << c.health;
        EXPECT_EQ(Events(), c.raised) << c.type << " " << c.health;
    }
}

// Without their partners the units leave or idle; the power test is gone
// before its event is handled.
TEST_F(CharacterUnitsTest, UnitsWithoutTheirPartnersAndThePowerTest) {
    world.Restart();
    g_action = [this](AZ_Presenter* p, std::int32_t n) {
        world.log += std::to_string(n) + (p->findCodeSlot(58) == -1 ? "gone " : "held ");
    };
    world.Make(kCheck50);
    world.Make(kCheck49);
    const AZ_Presenter* lone = world.Make(kLone);
    const AZ_Presenter* barOnly = world.Make(kBarOnly);
    world.Tick(32);
    EXPECT_EQ(world.log, "333gone 334gone ");
    std::string attached = barOnly->findCodeSlot(26) != -1 ? "1" : "0";
    for (const std::int32_t code : {23, 24, 25, 26, 57, 58, 59}) attached += lone->findCodeSlot(code) != -1 ? "1" : "0";
    EXPECT_EQ(attached, "10000011");  // b_healthBar with a bar but no health stays
    EXPECT_EQ(world.Word(barOnly, 83, 3), 0);  // and configures nothing
}

// The bar's fill and colour by health; 26 x 6 with insets 2, 13 pixels
// above the box (48 px) or 17 above the feet; health 0 removes the unit and
// the bar. In shrink mode a full bar is the normal one.
TEST_F(CharacterUnitsTest, HealthBarFollowsHealth) {
    const struct {
        Type type;
        std::int32_t health, max;
        std::vector<std::int32_t> words;  // v_bar 1 .. 9, empty: gone
    } cases[] = {
        {kBar, 100, 100, {-13, -61, 26, 6, 2, 2, 102400, -16777216, static_cast<std::int32_t>(0xFFFFC000)}},
        {kBar, 65, 100, {-13, -61, 26, 6, 2, 2, 65 << 10, -16777216, static_cast<std::int32_t>(0xFFFF8A00)}},
        {kBar, 33, 100, {-13, -61, 26, 6, 2, 2, 33 << 10, -16777216, static_cast<std::int32_t>(0xFFFF8A00)}},
        {kBar, 32, 100, {-13, -61, 26, 6, 2, 2, 32 << 10, -16777216, static_cast<std::int32_t>(0xFFDE4900)}},
        {kBar, 5, 0, {-13, -61, 26, 6, 2, 2, 0, -16777216, static_cast<std::int32_t>(0xFFDE4900)}},  // no maximum
        {kBarNoBox, 100, 100, {-13, -17, 26, 6, 2, 2, 102400, -16777216, static_cast<std::int32_t>(0xFFFFC000)}},
        {kShrink, 50, 100, {-7, -61, 15, 6, 2, 2, 50 << 10, -16777216, static_cast<std::int32_t>(0xFFFF8A00)}},
        {kBar, 0, 100, {}},
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(c.type);
        world.SetWords(p, 20, {{1, c.health}, {2, c.max}});
        world.Tick(64);
        std::vector<std::int32_t> words;
        for (int w = 1; w <= 9 && p->findCodeSlot(83) != -1; ++w) words.push_back(world.Word(p, 83, w));
        EXPECT_EQ(words, c.words) << c.type << " " << c.health;
        EXPECT_EQ(p->findCodeSlot(26) != -1, !c.words.empty());
    }
    // The full bar drawn, the same in both modes.
    std::vector<std::uint32_t> pixels[2];
    for (const Type type : {kBar, kShrink}) {
        world.Restart();
        world.Make(type, 100, 100);
        world.Fill(0xFF808080);
        world.Tick(64);
        for (int i = 0; i < 40 * 20; ++i) pixels[type == kShrink].push_back(world.Pixel(80 + i % 40, 30 + i / 40));
    }
    EXPECT_EQ(pixels[0], pixels[1]);
    EXPECT_EQ(std::count(pixels[0].begin(), pixels[0].end(), 0xFE00u), 18);  // a row of 26 - 4 - 4 pixels
}

}  // namespace
