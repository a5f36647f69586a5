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

std::string Script() {
    std::string s;
    const char* types[] = {"victim", "dmg", "spread", "heal", "armour", "regen", "pow40", "pow50", "powregen",
                           "chk50", "chk49", "lone", "baronly", "bar", "barnobox", "shrink"};
    for (const char* t : types) s += std::string("type ") + t + " initial " + t + "\n";
    const std::pair<const char*, const char*> states[] = {
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
    for (const auto& [name, calls] : states) {
        s += std::string("state ") + name + " | on enter | " + calls + "\n";
        for (int e = 192; e <= 200; ++e) s += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
        for (int e : {333, 334}) s += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
        s += "\n";
    }
    return s;
}

struct HealthPowerTest : ::testing::Test {
    // The log without the presenter ids.
    std::string Events() const { return std::regex_replace(world.log, std::regex("p[0-9]+"), ""); }
    GameUnitWorld world{Script()};
};

// The band events come through the units that change health, each event
// of the row followed by a frame in which an instant change applies.
TEST_F(HealthPowerTest, HealthChangesRaiseTheirBandEvents) {
    const struct {
        std::int32_t health, max;
        std::vector<std::int32_t> events;
        std::string raised;
    } cases[] = {
        {30, 100, {300, 304}, "193"},  // 20 enters 11..25, 15 stays in it
        {100, 100, {301}, "195"},      // the bands passed over are not told
        {0, 100, {302}, ""},           // 192 only from above 10 %
        {0, 100, {303}, "193"},
        {11, 200, {300}, ""},          // 0 %
        {95, 100, {303, 302}, "200 200"},
        {5, 100, {300, 300}, "199 199"},
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(kVictim);
        world.SetWords(p, 20, {{1, c.health}, {2, c.max}});
        for (const std::int32_t e : c.events) {
            world.client->sendEvent(p->getId(), e);
            world.Tick(32);
        }
        EXPECT_EQ(Events(), c.raised) << c.health << " " << c.events[0];
    }
}

// Health or power after each frame, whether the changing unit is still
// attached after it, and the events raised.
TEST_F(HealthPowerTest, AmountsSpreadOverTheirDuration) {
    const struct {
        Type type;
        std::int32_t code, unit;
        std::vector<std::int32_t> values;
        std::string attached, raised;
    } cases[] = {
        {kDamage, 20, 24, {990, 980, 970, 960, 950, 940, 930, 920, 910, 900, 900}, "11111111110", "198"},
        {kSpread, 20, 24, {994, 987, 990}, "110", ""},   // the overshoot given back
        {kHeal, 20, 25, {506, 513, 513}, "100", "196"},  // gone with its duration: 13 in all
        {kArmour, 20, 24, {925}, "0", ""},
        {kRegen, 20, 23, {968, 1000, 1000}, "111", "200"},
        {kPower40, 55, 57, {100, 100, 94}, "110", ""},   // each step clamped on its own
        {kPower50, 55, 57, {100, 100, 97}, "110", ""},
        {kPowerRegen, 55, 59, {132, 164, 196}, "111", ""},  // no bound
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* p = world.Make(c.type);
        std::vector<std::int32_t> values;
        std::string attached;
        for (std::size_t frame = 0; frame < c.values.size(); ++frame) {
            world.Tick(32);
            values.push_back(world.Word(p, c.code, 1));
            attached += p->findCodeSlot(c.unit) != -1 ? "1" : "0";
        }
        EXPECT_EQ(values, c.values) << c.type;
        EXPECT_EQ(attached, c.attached) << c.type;
        EXPECT_EQ(Events(), c.raised) << c.type;
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
