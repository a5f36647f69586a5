// The behaviour units that the sample content does not attach, each
// attached by a scenario's own script over the sample archive and seen to
// do what it does in the whole game. A scenario's script is the sample
// script with some of its free character types (15 on) declared as probes,
// and their states added; level 0 starts with the controller, the player
// and the scenario's characters. The units a scenario claims to attach are
// listed in kScenarioUnits: each scenario checks that its script attached
// them, and the census checks that every code id 0-77 is attached by the
// sample content or by a scenario.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "src/game/AZ_Adapter.h"
#include "src/game/Camera.h"
#include "tests/e2e/LevelPlay.h"
#include "tools/ScriptAssembler.h"
#include "tools/SpriteArt.h"

namespace {

// The units each scenario attaches through its script.
const std::map<std::string, std::set<std::int32_t>> kScenarioUnits = {
    {"DataUnitsHoldTheirWords", {11, 14, 15, 16, 22, 35, 39, 43, 44, 47, 48, 66, 67}},
    {"TheCustomCodeHookBracketsEveryUpdate", {0}},
    {"AChildFollowsItsParentAndAnglesTurnSprites", {2, 3, 13, 38}},
    {"AnimatorsAdvanceTheirSprites", {28, 54}},
    {"HealthAndPowerChangeOverTime", {23, 58, 59}},
    {"AHeldKeyIsToldAgain", {19}},
    {"ASpriteObstaclePushesThePlayerBack", {9}},
    {"SearchesPassOverIgnoredCharacters", {32}},
    {"ProximityAndRelativeDirection", {50, 52}},
    {"TextBoxesTheLevelNameStepperAndTheCounter", {45, 46, 62, 63, 72}},
    {"CharactersMakeAMenu", {64, 65, 70, 71}},
    {"GrabbingMeetsTwoSpritePoints", {31}},
    {"ACharacterOffScreenIsKeptAtTheViewsEdge", {49}},
};

// The units and visuals whose words the scenarios read, besides health
// and power.
constexpr std::int32_t kChild = 2, kAngle = 3, kMotion = 5, kClipToScreen = 49, kScrollPage = 46, kStepper = 62, kTextWidget = 63,
                       kSelectable = 65, kPreviousFocus = 71, kHudBackground = 84, kSprite = 86, kTiledSprite = 89;
// The free types a scenario declares, in order.
constexpr std::int32_t kProbe = 15, kProbe2 = 16, kProbe3 = 17, kProbe4 = 18, kProbe5 = 19;

// A scenario: the sample script with the free types 15, 16, ... declared
// by these lines (their characters woken with the level's, once it has
// loaded), and these states added; level 0 with the player at 60 pixels
// and these characters. Play traces the attaches and checks that the
// scenario's units were among them.
class UnitScenario : public LevelPlay {
public:
    UnitScenario(const std::string& name, const std::vector<std::string>& types, const std::string& states,
                 const std::string& entities)
        : m_name(name) {
        std::string script = ContentText("scripts/characters.script");
        const std::string woken = "    f_resumeCharacter level_exit 1 1\n";
        for (std::size_t i = 0; i < types.size(); ++i) {
            const std::string free = "type free_" + std::to_string(kProbe + i) + " initial free\n";
            const std::size_t at = script.find(free);
            EXPECT_NE(at, std::string::npos) << free;
            if (at == std::string::npos) return;
            script.replace(at, free.size(), types[i] + "\n");
            const std::string type = types[i].substr(5, types[i].find(' ', 5) - 5);
            script.insert(script.find(woken) + woken.size(), "    f_resumeCharacter " + type + " 1 1\n");
        }
        SetScript(script + "\n" + states);
        SetEntities("entity controller 0 0\nentity player 60 264\n" + entities);
    }

    void Play(const std::function<bool(int frame)>& step, int frames) {
        AttachTrace trace;
        LevelPlay::Play(step, frames);
        const std::set<std::int32_t>& claimed = kScenarioUnits.at(m_name);
        for (std::int32_t id : claimed) EXPECT_TRUE(trace.Ids().contains(id)) << "unit " << id << " not attached";
    }

private:
    std::string m_name;
};

// What the character was told: the events it handled, but for the enter
// and exit of its states and the end of its timers.
std::vector<std::int32_t> Told(const EventTrace& trace, std::int32_t presenterId) {
    std::vector<std::int32_t> events = trace.Of(presenterId);
    std::erase_if(events, [](std::int32_t event) { return event == 162 || event == 163 || event == 299; });
    return events;
}

// The y of the collision rectangle of the sprite in the pool, which tells
// the frames of animation 7 of archetype 1 (the dialogue's bobbing marker)
// apart: -3 in its first frame, -2 in its second.
std::int32_t RectY(std::int32_t poolId) { return AZ_Client::getInstance()->getSpritePool()->getCollisionRectY(poolId); }

// ------------------------------------------------------------------ data

// Units that only hold what the script gives them: their words keep the
// parameters for as long as they are attached, and their private words are
// 0. b_hudOverlayAnimatable acts on a visual that the game's table gives
// no instance, so it too only holds its words.
TEST(UnitScenarios, DataUnitsHoldTheirWords) {
    struct Unit {
        std::int32_t id;
        std::vector<std::int32_t> words;  // 1 .. size - 1
    };
    const std::vector<Unit> units = {
        {11, {7, -8}},     {14, {1, 2, 3, 4, 0}},    {15, {5, 0}},     {16, {6, 0}},     {22, {9}},
        {35, {10, 11, 12, 0, 0, 0}}, {39, {2, 1, 5}}, {43, {13}},      {44, {14}},       {47, {15, 16}},
        {48, {17, 18, 0}}, {66, {19, 20, 21, 22, 23}}, {67, {24, 25, 26}},
    };
    UnitScenario scenario("DataUnitsHoldTheirWords", {"type holder initial holder_hold"}, R"(
state holder_hold
on enter
    b_rotation 7 -8
    b_eyes 1 2 3 4
    b_aimTowardsTarget 5
    b_lookAt 6
    b_strength 9
    b_grappleProximity 10 11 12
    b_hudOverlayAnimatable 2 1 5
    b_switchController 13
    b_switch 14
    b_textBoxAdvanceLine 15 16
    b_edgeProximity 17 18
    b_widgetScroll 19 20 21 22 23
    b_moveTo 24 25 26
)",
                          "entity holder 120 264\n");
    std::int32_t checked = 0;
    scenario.Play(
        [&](int frame) {
            const AZ_Presenter* holder = Character(kProbe);
            if (frame < 10) return true;
            for (const Unit& unit : units) {
                for (std::size_t k = 0; k < unit.words.size(); ++k) {
                    EXPECT_EQ(Word(holder, unit.id, static_cast<std::int32_t>(k + 1)), unit.words[k])
                        << "unit " << unit.id << " word " << k + 1;
                }
            }
            EXPECT_EQ(holder->getX(), (120 << 10) / 24);
            ++checked;
            return false;
        },
        20);
    EXPECT_EQ(checked, 1);
}

// ----------------------------------------------------------- custom code

// b_customCodeCallback makes the engine call the application's hook around
// each behaviour update of its character, with the unit's callback id:
// here around its own update and its timer's, every frame.
TEST(UnitScenarios, TheCustomCodeHookBracketsEveryUpdate) {
    UnitScenario scenario("TheCustomCodeHookBracketsEveryUpdate", {"type hooked initial hooked_run"}, R"(
state hooked_run
on enter
    b_customCodeCallback 7
    b_timer 30000
)",
                          "entity hooked 120 264\n");
    EventTrace trace;
    std::set<std::pair<std::int32_t, std::int32_t>> bracketed;
    scenario.Play(
        [&](int frame) {
            if (frame == 5) trace.Clear();
            if (frame == 6) bracketed = trace.Bracketed(Character(kProbe)->getId());
            return frame < 6;
        },
        20);
    EXPECT_EQ(bracketed, (std::set<std::pair<std::int32_t, std::int32_t>>{{7, 0}, {7, 17}}));
}

// --------------------------------------------------- child, angle, sprite

// A b_child that a script attaches follows presenter 0 (its parent word
// starts at 0; here the game's first controller), at its offsets, which
// its own b_motion moves (1024 a second: 48 a frame). b_angle holds
// degrees << 10; b_vehicle turns it to the way b_motion moves (right and
// down at once: 314.8 degrees); and b_szRotatable shows the frame of its
// animation that the angle selects: of the marker's two frames, the first
// for 0 and 350 degrees, the second for 90.
TEST(UnitScenarios, AChildFollowsItsParentAndAnglesTurnSprites) {
    UnitScenario scenario(
        "AChildFollowsItsParentAndAnglesTurnSprites",
        {"type follower initial follower_run", "type vehicle initial vehicle_run", "type turned_0 initial turned_at_0",
         "type turned_90 initial turned_at_90", "type turned_350 initial turned_at_350"},
        R"(
state follower_run
on enter
    b_timer 100
on timer_done
    b_motion 1024 0 0
    b_child 100 200 0

state vehicle_run
on enter
    b_angle 0
    b_motion 1024 1024 0
    b_vehicle 0

state turned_at_0
on enter
    v_sz 1 0
    b_angle 0
    b_szRotatable 7

state turned_at_90
on enter
    v_sz 1 0
    b_angle 90
    b_szRotatable 7

state turned_at_350
on enter
    v_sz 1 0
    b_angle 350
    b_szRotatable 7
)",
        "entity follower 100 100\nentity vehicle 120 100\nentity turned_0 140 200\nentity turned_90 160 200\n"
        "entity turned_350 180 200\n");
    std::vector<std::int32_t> offsets;
    std::int32_t angle = 0, rect0 = 0, rect90 = 0, rect350 = 0, angle90 = 0;
    bool followed = true;
    scenario.Play(
        [&](int frame) {
            const AZ_Presenter* follower = Character(kProbe);
            const AZ_Presenter* parent = AZ_Presenter::getPresenter(0);
            offsets.push_back(Word(follower, kChild, 1));
            followed = followed && follower->getX() == parent->getX() + Word(follower, kChild, 1) &&
                       follower->getY() == parent->getY() + 200;
            angle = Word(Character(kProbe2), kAngle, 1);
            rect0 = RectY(Word(Character(kProbe3), kSprite, 3));
            rect90 = RectY(Word(Character(kProbe4), kSprite, 3));
            rect350 = RectY(Word(Character(kProbe5), kSprite, 3));
            angle90 = Word(Character(kProbe4), kAngle, 1);
            return frame < 10;
        },
        20);
    ASSERT_EQ(offsets.size(), 11u);
    for (std::size_t i = 1; i < offsets.size(); ++i) EXPECT_EQ(offsets[i] - offsets[i - 1], 48) << i;
    EXPECT_TRUE(followed);
    EXPECT_EQ(angle, 322336);
    EXPECT_EQ(angle90, 90 << 10);
    EXPECT_EQ(rect0, -3);
    EXPECT_EQ(rect90, -2);
    EXPECT_EQ(rect350, -3);
}

// --------------------------------------------------------------- animators

// b_hudBackgroundAnimatable starts its animation on the sprite of the HUD
// background visual and advances it, and b_szTiledAnimatable advances the
// sprite of a tiled visual: both show the marker's two frames in turn, 300
// ms each (a frame every 6 or 7 frames of 48 ms); without the animators
// the sprites stay on their first frame.
TEST(UnitScenarios, AnimatorsAdvanceTheirSprites) {
    UnitScenario scenario("AnimatorsAdvanceTheirSprites",
                          {"type backdrop initial backdrop_run", "type tiled initial tiled_run",
                           "type still_tiled initial still_tiled_run"},
                          R"(
state backdrop_run
on enter
    v_hudBackground 1
    b_hudBackgroundAnimatable 7 1 0 0

state tiled_run
on enter
    v_szTiledSprite 1 0 7 256
    b_szTiledAnimatable

state still_tiled_run
on enter
    v_szTiledSprite 1 0 7 256
)",
                          "entity backdrop 100 100\nentity tiled 120 100\nentity still_tiled 140 100\n");
    std::vector<std::int32_t> backdrop, tiled, still;
    scenario.Play(
        [&](int frame) {
            backdrop.push_back(RectY(Word(Character(kProbe), kHudBackground, 2)));
            tiled.push_back(RectY(Word(Character(kProbe2), kTiledSprite, 5)));
            still.push_back(RectY(Word(Character(kProbe3), kTiledSprite, 5)));
            return frame < 20;
        },
        40);
    // The frames in which a sprite's frame changed.
    const auto changes = [](const std::vector<std::int32_t>& rects) {
        std::vector<int> frames;
        for (std::size_t i = 1; i < rects.size(); ++i) {
            if (rects[i] != rects[i - 1]) frames.push_back(static_cast<int>(i));
        }
        return frames;
    };
    const std::vector<int> turns = changes(backdrop);
    EXPECT_EQ(changes(tiled), turns);
    EXPECT_GE(turns.size(), 3u);
    for (std::size_t i = 1; i < turns.size(); ++i) {
        EXPECT_TRUE(turns[i] - turns[i - 1] == 6 || turns[i] - turns[i - 1] == 7) << turns[i] - turns[i - 1];
    }
    EXPECT_EQ(changes(still), std::vector<int>{});
    EXPECT_EQ(still[0], -3);
}

// -------------------------------------------------------- health, power

// b_regenerateHealthOverTime adds its rate's share of each frame (1024 a
// second: 48) while below the maximum, and once at it raises the full
// event (200) once; b_regeneratePowerOverTime adds its share without a
// bound; b_checkPower tells whether the power reaches what it needs (333)
// or not (334), going at once.
TEST(UnitScenarios, HealthAndPowerChangeOverTime) {
    UnitScenario scenario("HealthAndPowerChangeOverTime",
                          {"type mender initial mender_run", "type filled initial filled_run",
                           "type charger initial charger_run", "type checker initial checker_run"},
                          R"(
state mender_run
on enter
    b_health 10 30000
    b_regenerateHealthOverTime 1024

state filled_run
on enter
    b_health 10 100
    b_regenerateHealthOverTime 1024
on 200

state charger_run
on enter
    b_power 0 10
    b_regeneratePowerOverTime 1024

state checker_run
on enter
    b_power 5 10
    b_checkPower 5
on 333
    b_checkPower 6
on 334
)",
                          "entity mender 100 100\nentity filled 120 100\nentity charger 140 100\n"
                          "entity checker 160 100\n");
    EventTrace trace;
    std::vector<std::int32_t> health, power;
    std::int32_t full = 0, filled = -1, checker = -1;
    scenario.Play(
        [&](int frame) {
            health.push_back(Word(Character(kProbe), kHealth, 1));
            power.push_back(Word(Character(kProbe3), kPower, 1));
            full = Word(Character(kProbe2), kHealth, 1);
            filled = Character(kProbe2)->getId();
            checker = Character(kProbe4)->getId();
            return frame < 10;
        },
        20);
    for (std::size_t i = 1; i < health.size(); ++i) {
        EXPECT_EQ(health[i] - health[i - 1], 48) << i;
        EXPECT_EQ(power[i] - power[i - 1], 48) << i;
    }
    EXPECT_GT(power.back(), 10);  // past the maximum
    EXPECT_EQ(full, 100);
    EXPECT_EQ(Told(trace, filled), std::vector<std::int32_t>{200});
    EXPECT_EQ(Told(trace, checker), (std::vector<std::int32_t>{333, 334}));
}

// ----------------------------------------------------------------- keys

// b_keyHeld waits for the key pressed last: still held when its time has
// run out (240 ms, five frames), it tells its character the key's press
// (Right's row, 214) and its direction (toward the facing, 212); let go
// of before, the release (210). The watcher attaches it as the walking
// player comes near (205).
TEST(UnitScenarios, AHeldKeyIsToldAgain) {
    struct Row {
        const char* name;
        bool letGo;
        std::vector<std::int32_t> told;
    };
    const Row rows[] = {{"held", false, {205, 214, 212}}, {"let go", true, {205, 210}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        UnitScenario scenario("AHeldKeyIsToldAgain", {"type watcher initial watcher_run"}, R"(
state watcher_run
on enter
    b_boundingBox 512 512 0
    b_rectangularProximity 2 1024 1024 8192 8192 0
on 205
    b_keyHeld 240
on 210
on 211
on 212
on 214
)",
                              "entity watcher 150 264\n");
        EventTrace trace;
        std::int32_t watcher = -1;
        scenario.Play(
            [&](int frame) {
                if (frame == 1) host::InjectKey(VK_RIGHT, true);
                watcher = Character(kProbe)->getId();
                const std::vector<std::int32_t> told = Told(trace, watcher);
                if (row.letGo && told == std::vector<std::int32_t>{205}) host::InjectKey(VK_RIGHT, false);
                return frame < 40;
            },
            60);
        EXPECT_EQ(Told(trace, watcher), row.told);
    }
}

// -------------------------------------------------------- sprite obstacle

// A character whose sprite is an obstacle (b_szCollidable with
// b_szWorldCollidable, for the player's type) pushes the walking player
// back out of its collision rectangle and stops it (291 and 168 to the
// player, 290 to the obstacle): the frame's step that reached the
// rectangle taken back twice (the player moved before the obstacle looked)
// and 100 more: 4288 + 192 - 2 * 192 - 100.
TEST(UnitScenarios, ASpriteObstaclePushesThePlayerBack) {
    UnitScenario scenario("ASpriteObstaclePushesThePlayerBack", {"type obstacle initial obstacle_run"}, R"(
state obstacle_run
on enter
    b_szAnimatable 0 1 0
    v_sz 1 0
    b_szCollidable 2
    b_szWorldCollidable 2
on 290
)",
                          "entity obstacle 120 264\n");
    EventTrace trace;
    std::int32_t obstacle = -1, furthest = 0, stoppedAt = -1;
    scenario.Play(
        [&](int frame) {
            if (frame == 1) host::InjectKey(VK_RIGHT, true);
            obstacle = Character(kProbe)->getId();
            const AZ_Presenter* player = Character(kPlayer);
            furthest = std::max(furthest, player->getX());
            if (stoppedAt == -1 && frame > 2 && Word(player, kMotion, 1) == 0) stoppedAt = player->getX();
            return frame < 20;
        },
        40);
    const std::vector<std::int32_t> told = Told(trace, obstacle);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told[0], 290);
    EXPECT_EQ(furthest, 4288);
    EXPECT_EQ(stoppedAt, 4288 + 192 - 2 * 192 - 100);
}

// ------------------------------------------------------------- searches

// The nearest-target search passes over characters with b_ignore: a
// watcher whose nearest target (one of a derived type) is ignored finds
// the far one and reports it away (282) at once; a watcher whose nearest
// target is not ignored reports it near (205).
TEST(UnitScenarios, SearchesPassOverIgnoredCharacters) {
    UnitScenario scenario("SearchesPassOverIgnoredCharacters",
                          {"type watcher initial watcher_run", "type target initial target_run",
                           "type ignored base target initial ignored_run", "type watcher_2 initial watcher_2_run",
                           "type noticed initial target_run"},
                          R"(
state watcher_run
on enter
    b_boundingBox 512 512 0
    b_rectangularProximity 16 1024 1024 4096 4096 0
on 205
on 282

state target_run
on enter
    b_boundingBox 512 512 0

state ignored_run
on enter
    b_boundingBox 512 512 0
    b_ignore

state watcher_2_run
on enter
    b_boundingBox 512 512 0
    b_rectangularProximity 19 1024 1024 4096 4096 0
on 205
on 282
)",
                          "entity watcher 200 100\nentity ignored 200 100\nentity target 600 100\n"
                          "entity watcher_2 300 100\nentity noticed 300 100\nentity noticed 700 100\n");
    EventTrace trace;
    std::int32_t watcher = -1, watcher2 = -1;
    scenario.Play(
        [&](int frame) {
            watcher = Character(kProbe)->getId();
            watcher2 = Character(kProbe4)->getId();
            return frame < 5;
        },
        20);
    EXPECT_EQ(Told(trace, watcher), std::vector<std::int32_t>{282});
    EXPECT_EQ(Told(trace, watcher2), std::vector<std::int32_t>{205});
}

// b_multipleProximity tells its character when two of a type stand near
// at its height, one of them behind it (313; already at the update that
// the level's loading gives each character it places), and when not (314);
// b_relativeToCharacter tells a pair where each stands from the other:
// the holder, facing right, has the other in front (172) on its right
// (325); the other, facing left, has the holder in front (172) on its left
// (324).
TEST(UnitScenarios, ProximityAndRelativeDirection) {
    UnitScenario scenario("ProximityAndRelativeDirection",
                          {"type flanked initial flanked_run", "type flanker initial flanker_run",
                           "type alone initial alone_run", "type holder initial holder_run",
                           "type partner initial partner_run"},
                          R"(
state flanked_run
on enter
    b_boundingBox 512 512 0
    b_multipleProximity 16 1000
on 313
on 314

state flanker_run
on enter
    b_boundingBox 512 512 0

state alone_run
on enter
    b_boundingBox 512 512 0
    b_multipleProximity 19 1000
on 313
on 314

state holder_run
on enter
    b_boundingBox 512 512 0
    b_timer 100
on timer_done
    b_relativeToCharacter 19
on 171
on 172
on 324
on 325

state partner_run
on enter
    b_boundingBox 512 512 0
on 171
on 172
on 324
on 325
)",
                          "entity flanker 288 100\nentity flanker 319 100\nentity flanked 300 100\n"
                          "entity alone 400 100\nentity holder 500 100\nentity partner 560 100 left\n");
    EventTrace trace;
    std::int32_t flanked = -1, alone = -1, holder = -1, partner = -1;
    scenario.Play(
        [&](int frame) {
            flanked = Character(kProbe)->getId();
            alone = Character(kProbe3)->getId();
            holder = Character(kProbe4)->getId();
            partner = Character(kProbe5)->getId();
            return frame < 20;
        },
        40);
    EXPECT_EQ(Told(trace, flanked), std::vector<std::int32_t>{313});
    EXPECT_EQ(Told(trace, alone), std::vector<std::int32_t>{314});
    EXPECT_EQ(Told(trace, holder), (std::vector<std::int32_t>{172, 325}));
    EXPECT_EQ(Told(trace, partner), (std::vector<std::int32_t>{172, 324}));
}

// ------------------------------------------------------------------ text

// b_textBox lays its string out in its box (half the view wide, a tenth of
// it high): the dialogue's string overflows, so it takes a scroll unit and
// says so (366) at its attach and at its first update; a script's
// b_textBoxScrollPage then finds no text visual (the game's table gives
// none) and leaves the page where it is. b_textWidget holds its string in
// the text pool while attached; b_changeLevelStringId on it, at its first
// attach, shows the highest level reached (0: the base name) and says so
// (343). b_counter counts the entries of a state that attaches it: none,
// then 345 and 346, 354 at its limit of 3, and afresh.
TEST(UnitScenarios, TextBoxesTheLevelNameStepperAndTheCounter) {
    UnitScenario scenario("TextBoxesTheLevelNameStepperAndTheCounter",
                          {"type boxer initial boxer_run", "type namer initial namer_run",
                           "type counter initial counting"},
                          R"(
state boxer_run
on enter
    b_textBox 50 10 0 0 1
on 366
    b_textBoxScrollPage 1 0

state namer_run
on enter
    b_textWidget 2 0
    b_changeLevelStringId 1
    b_timer 3000
on 343
on timer_done
    f_detachBehavior b_textWidget

state counting
on enter
    b_counter 3
    b_timer 100
on timer_done
    f_changeState counting
on 345
on 346
on 354
)",
                          "entity boxer 100 100\nentity namer 120 100\nentity counter 140 100\n");
    EventTrace trace;
    std::int32_t boxer = -1, namer = -1, counter = -1, page = -2, step = -2, shown = -2, base = -2;
    std::vector<std::int32_t> bound;
    scenario.Play(
        [&](int frame) {
            const AZ_Presenter* b = Character(kProbe);
            boxer = b->getId();
            page = Word(b, kScrollPage, 3);
            step = Word(b, kScrollPage, 1);
            const AZ_Presenter* n = Character(kProbe2);
            namer = n->getId();
            if (frame == 0) {
                shown = Word(n, kTextWidget, 1);
                base = Word(n, kStepper, 2);
            }
            counter = Character(kProbe3)->getId();
            // The string is held while the widget is attached: laid out in a
            // box one pixel high, it does not fit; not held, it counts as
            // fitting.
            const std::int32_t fits = AZ_Client::getInstance()->getAdapter()->layoutText(0, 2, 0, 20, 1);
            NoteChange(bound, fits);
            return frame < 60;
        },
        80);
    EXPECT_EQ(Told(trace, boxer), (std::vector<std::int32_t>{366, 366}));
    EXPECT_EQ(page, 0);
    EXPECT_EQ(step, 1);
    EXPECT_EQ(Told(trace, namer), std::vector<std::int32_t>{343});
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(base, 2);
    EXPECT_EQ(bound, (std::vector<std::int32_t>{0, 1}));
    const std::vector<std::int32_t> counted = Told(trace, counter);
    ASSERT_GE(counted.size(), 6u);
    EXPECT_EQ(std::vector<std::int32_t>(counted.begin(), counted.begin() + 6),
              (std::vector<std::int32_t>{345, 346, 354, 345, 346, 354}));
}

// ------------------------------------------------------------------ menu

// A menu of characters: items of one type, a menu that holds the focus
// (its selectable paused, so the container gives the first focus and tells
// the item, 359), a cursor that the menu spawned as its child, placed by
// b_widgetCursor on the focused item (at its x plus the cursor's offset,
// -256, and the middle of its box), and the focus moved on by the
// instruction (the old item told 360, the new 359). b_previousFocus
// records who had the user control and the keys: the player.
TEST(UnitScenarios, CharactersMakeAMenu) {
    UnitScenario scenario("CharactersMakeAMenu",
                          {"type menu initial menu_run", "type item initial item_run",
                           "type cursor initial cursor_run"},
                          R"(
state menu_run
on enter
    b_widgetSelectable 16 0
    f_pauseBehavior b_widgetSelectable
    b_widgetContainer
    b_widgetCursor 17
    b_previousFocus
    f_spawnCharacterRelative cursor 0 -256 0 1 0 0 0 0
    b_timer 3000
on timer_done
    f_widgetSelectItem 1 1

state item_run
on enter
    b_boundingBox 512 512 0
on 359
on 360

state cursor_run
)",
                          "entity menu 100 100\nentity item 140 150\nentity item 180 150\nentity item 220 150\n");
    EventTrace trace;
    struct Seen {
        std::int32_t focus;
        Pos cursor;
    };
    std::vector<Seen> seen;
    std::vector<std::int32_t> items;
    std::int32_t player = -1, previousUser = -2, previousKeys = -2;
    Pos cursorAtEnd{};
    scenario.Play(
        [&](int frame) {
            const AZ_Presenter* menu = Character(kProbe);
            if (frame == 0) {
                for (std::int32_t i = 0; i < 3; ++i) items.push_back(Character(kProbe2, i)->getId());
                player = Character(kPlayer)->getId();
                previousUser = Word(menu, kPreviousFocus, 1);
                previousKeys = Word(menu, kPreviousFocus, 2);
            }
            const AZ_Presenter* cursor = Character(kProbe3);
            const Seen now{Word(menu, kSelectable, 3), PosOf(cursor)};
            if (seen.empty() || seen.back().focus != now.focus) seen.push_back(now);
            cursorAtEnd = now.cursor;
            return frame < 60;
        },
        80);
    ASSERT_EQ(items.size(), 3u);
    ASSERT_EQ(seen.size(), 2u);
    const auto at = [](std::int32_t pixelsX) { return Pos{(pixelsX << 10) / 24 - 256, (150 << 10) / 24 - 256}; };
    EXPECT_EQ(seen[0].focus, items[0]);
    EXPECT_EQ(seen[0].cursor, at(140));
    EXPECT_EQ(seen[1].focus, items[1]);
    EXPECT_EQ(cursorAtEnd, at(180));
    EXPECT_EQ(Told(trace, items[0]), (std::vector<std::int32_t>{359, 360}));
    EXPECT_EQ(Told(trace, items[1]), std::vector<std::int32_t>{359});
    EXPECT_EQ(Told(trace, items[2]), std::vector<std::int32_t>{});
    EXPECT_EQ(previousUser, player);
    EXPECT_EQ(previousKeys, player);
}

// ------------------------------------------------------------------ grab

// b_szGrabbable moves its character so that the point its sprite marks
// for being held (a rectangle of kind 3) meets the point that the
// grabber's sprite marks for holding (kind 2), horizontally, and tells the
// grabber (181); then it is gone. The sample sprites mark no such points:
// the scenario's archive adds two animations to archetype 1 that do (the
// held point 3 pixels right of the sprite's origin, the holding one 5).
TEST(UnitScenarios, GrabbingMeetsTwoSpritePoints) {
    UnitScenario scenario("GrabbingMeetsTwoSpritePoints",
                          {"type grabbed initial grabbed_run", "type grabber initial grabber_run"}, R"(
state grabbed_run
on enter
    b_szAnimatable 13 1 0
    v_sz 1 0
    b_timer 100
on timer_done
    b_szGrabbable 16

state grabber_run
on enter
    b_szAnimatable 14 1 0
    v_sz 1 0
on 181
)",
                          "entity grabbed 100 264\nentity grabber 200 264\n");
    std::string sprites = ContentText("sprites/game.sprites");
    const std::string boxes = "box padGold FFE0C040 30 3\n", sky = "\n# 2: the sky's tile of clouds";
    ASSERT_NE(sprites.find(boxes), std::string::npos);
    sprites.insert(sprites.find(boxes) + boxes.size(), "box held_point -1 2 2 3\nbox holding_point -1 2 2 2\n");
    ASSERT_NE(sprites.find(sky), std::string::npos);
    sprites.insert(sprites.find(sky),
                   "\nlayer held walker_a -6 -14 held_point 3 -6\nlayer holding walker_b -6 -14 holding_point 5 -9\n"
                   "frame held held 0 0\nframe holding holding 0 0\n"
                   "animation 13 held 1000\nanimation 14 holding 1000\n");
    vktools::SpriteSet set;
    std::string error;
    ASSERT_TRUE(vktools::ParseSpriteArt(sprites, "game.sprites", set, error)) << error;
    for (const auto& [id, blob] : vktools::MakeSpriteResources(set)) scenario.content.resources[id] = blob;
    EventTrace trace;
    std::int32_t grabber = -1;
    std::vector<std::int32_t> gaps;
    bool gone = true;
    scenario.Play(
        [&](int frame) {
            const AZ_Presenter* g = Character(kProbe);
            grabber = Character(kProbe2)->getId();
            gaps.push_back(g->getX() - Character(kProbe2)->getX());
            gone = gone && !Holds(g, 31);
            return frame < 5;
        },
        20);
    EXPECT_EQ(gaps.front(), AZ_Adapter::pixelToWorld(5) - AZ_Adapter::pixelToWorld(3));
    EXPECT_EQ(gaps.back(), gaps.front());
    EXPECT_TRUE(gone);
    EXPECT_EQ(Told(trace, grabber), std::vector<std::int32_t>{181});
}

// ------------------------------------------------------------ view's edge

// b_clipToScreen keeps a character that is out of view at the view's edge:
// a flag far right of the view, told that it went off screen (312), has its
// marker where its box (12 pixels wide) touches the view's right edge, at
// its own height on the screen.
TEST(UnitScenarios, ACharacterOffScreenIsKeptAtTheViewsEdge) {
    UnitScenario scenario("ACharacterOffScreenIsKeptAtTheViewsEdge", {"type clipped initial clipped_run"}, R"(
state clipped_run
on enter
    b_drawable 35 1
    b_boundingBox 512 1024 0
    b_szAnimatable 12 1 0
    v_sz 1 0
    b_clipToScreen
on 311
on 312
)",
                          "entity clipped 700 264\n");
    EventTrace trace;
    std::int32_t clipped = -1, markerX = 0, markerY = 0, viewWidth = 0, screenY = 0;
    scenario.Play(
        [&](int frame) {
            const AZ_Presenter* c = Character(kProbe);
            clipped = c->getId();
            markerX = Word(c, kClipToScreen, 1);
            markerY = Word(c, kClipToScreen, 2);
            const Camera* camera = AZ_Client::getInstance()->getCamera();
            viewWidth = camera->GetViewWidth();
            screenY = Camera::WorldToPixel(c->getY()) - camera->GetY();
            return frame < 10;
        },
        20);
    EXPECT_EQ(Told(trace, clipped), (std::vector<std::int32_t>{312}));
    EXPECT_EQ(markerX, viewWidth - 6);
    EXPECT_EQ(markerY, screenY);
}

// ------------------------------------------------------- re-entered update

// A b_child that an entity's first state attaches follows presenter 0,
// the controller that loads the level. The loader gives each character it
// places an update at once; that update updates the child's parent first,
// and the parent is the controller whose loader is placing the characters:
// its loader runs again inside its own update and places the level's
// characters again, and so on until no presenter is left. The level must
// load once.
TEST(UnitScenarios, AChildOfTheLoadingControllerLetsTheLevelLoadOnce) {
    LevelPlay play;
    std::string script = ContentText("scripts/characters.script");
    const std::string free = "type free_15 initial free\n";
    script.replace(script.find(free), free.size(), "type follower initial follower_run\n");
    play.SetScript(script + "\nstate follower_run\non enter\n    b_child 100 200 0\n");
    play.SetEntities("entity controller 0 0\nentity player 60 264\nentity follower 100 100\n");
    play.maxTicks = 1500;
    std::int32_t followers = -1, players = -1;
    const int frames = play.Play([&](int) {
        followers = CountOfType(kProbe);
        players = CountOfType(kPlayer);
        return false;
    });
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(followers, 1);
    EXPECT_EQ(players, 1);
}

// ------------------------------------------------------------------ census

// Every code id 0-77 is attached by a script call of the sample content or
// by a scenario of this suite, and no unit of the engine is a placeholder.
TEST(UnitScenarios, EveryBehaviourIsAttachedByTheContentOrAScenario) {
    vktools::ScriptAssembler assembler;
    vktools::RawScript script;
    ASSERT_TRUE(assembler.Parse(ContentText("scripts/characters.script"), "characters.script") &&
                assembler.Build(script))
        << assembler.Error();
    std::set<std::int32_t> content;
    for (const auto& call : script.calls) {
        if (call.first < AZ_FIRST_VISUAL) content.insert(call.first);
    }
    // Each scenario listed is a test of this suite, which checks its list.
    std::set<std::string> tests;
    const testing::TestSuite* suite = testing::UnitTest::GetInstance()->current_test_suite();
    for (int i = 0; i < suite->total_test_count(); ++i) tests.insert(suite->GetTestInfo(i)->name());
    std::set<std::int32_t> scenarios;
    for (const auto& [name, ids] : kScenarioUnits) {
        EXPECT_TRUE(tests.contains(name)) << name;
        scenarios.insert(ids.begin(), ids.end());
    }
    std::vector<std::int32_t> neither;
    for (std::int32_t id = 0; id < AZ_FIRST_VISUAL; ++id) {
        if (!content.contains(id) && !scenarios.contains(id)) neither.push_back(id);
        EXPECT_FALSE(AZ_GetUnit(id).placeholder) << id;
    }
    EXPECT_EQ(neither, std::vector<std::int32_t>{});
}

}  // namespace
