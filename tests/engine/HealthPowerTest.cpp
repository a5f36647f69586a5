// Health, damage and healing over time, the health bar and power, in the
// engine's frames of 32 ms (64 for the bar, which updates every 64 ms).
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/engine/GameUnitWorld.h"

namespace {

enum Type { kVictim, kDamage, kSpread, kHeal, kArmour, kRegen, kPower40, kPower50, kPowerRegen, kCheck50, kCheck49,
            kLone, kBarOnly, kBar, kBarNoBox, kShrink };

// One type a state, in the order above; each logs the events 192 to 200,
// 333 and 334.
const std::pair<const char*, const char*> kStates[] = {
    {"victim", "b_health 0 0 | on 300 | b_deliverDamage 10 0 | on 301 | b_deliverDamage 50 0 | on 302 | "
               "b_increaseHealth 5 0 | on 303 | b_increaseHealth 20 0 | on 304 | b_deliverDamage 5 0"},
    {"dmg", "b_health 1000 1000 | b_deliverDamage 100 320"},
    {"spread", "b_health 1000 1000 | b_deliverDamage 10 50"},
    {"heal", "b_health 500 1000 | b_increaseHealth 10 50"},
    {"armour", "b_health 1000 1000 | b_armor 256 | b_deliverDamage 100 0"},
    {"regen", "b_health 936 1000 | b_regenerateHealthOverTime 1024"},
    {"pow40", "b_power 95 100 | b_addPower 10 40"},
    {"pow50", "b_power 95 100 | b_addPower 10 50"},
    {"powregen", "b_power 100 100 | b_regeneratePowerOverTime 1024"},
    {"chk50", "b_power 50 100 | b_checkPower 50"},
    {"chk49", "b_power 49 100 | b_checkPower 50"},
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
        for (int e : {192, 193, 194, 195, 196, 197, 198, 199, 200, 333, 334}) {
            states += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
        }
        states += "\n";
    }
    return types + states;
}

struct HealthPowerTest : ::testing::Test {
    // The log without the presenter ids.
    std::string Events() const { return std::regex_replace(world.log, std::regex("p[0-9]+"), ""); }
    GameUnitWorld world{Script()};
};

// Health (code 20) or power (55) after each frame, whether the changing
// unit is still attached after it, and the events raised. A victim's row
// sets its health and sends, before each frame, an event whose handler
// attaches an instant change: 300 and 304 damage of 10 and 5, 301 of 50,
// 302 and 303 healing of 5 and 20.
TEST_F(HealthPowerTest, AmountsSpreadOverTheirDuration) {
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
TEST_F(HealthPowerTest, UnitsWithoutTheirPartnersAndThePowerTest) {
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
    std::string attached;
    for (const std::int32_t code : {23, 24, 25, 26, 57, 58, 59}) attached += lone->findCodeSlot(code) != -1 ? "1" : "0";
    EXPECT_EQ(attached, "0000011");
    EXPECT_NE(barOnly->findCodeSlot(26), -1);
    EXPECT_EQ(world.Word(barOnly, 83, 3), 0);  // nothing configured
}

// The bar's fill and colour by health; 26 x 6 with insets 2, 13 pixels
// above the box (48 px) or 17 above the feet; health 0 removes the unit and
// the bar. In shrink mode a full bar is the normal one.
TEST_F(HealthPowerTest, HealthBarFollowsHealth) {
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
        for (int y = 30; y < 50; ++y) {
            for (int x = 80; x < 120; ++x) pixels[type == kShrink].push_back(world.Pixel(x, y));
        }
    }
    EXPECT_EQ(pixels[0], pixels[1]);
    EXPECT_EQ(std::count(pixels[0].begin(), pixels[0].end(), 0xFE00u), 18);  // a row of 26 - 4 - 4 pixels
}

}  // namespace
