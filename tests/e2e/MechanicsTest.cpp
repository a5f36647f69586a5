// Play mechanics through the sample scripts, in the whole game on level 0's
// map: each scenario starts the level with the characters it needs, plays
// keys on the virtual clock and checks the exact values that the scripts'
// constants and the behaviours' arithmetic give (a tile is 1024 units of
// 24 pixels; the frame is 48 ms; y grows downwards).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/DDraw.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/Camera.h"
#include "tests/e2e/LevelPlay.h"
#include "tests/support/GameFlow.h"

namespace {

// Level 0's ground: its top row is 11, where a character standing on it
// keeps its feet 42 units (one pixel) above the row's top.
constexpr std::int32_t kGround = 11 * 1024 - 42;
// Walking speed 4096 (units per 1024 ms) over a frame of 48 ms.
constexpr std::int32_t kWalkStep = 4096 * 48 / 1024;
// The widths of the player's box (its feet, 10 pixels) and a walker's
// (half a tile).
constexpr std::int32_t kPlayerWidth = 426, kWalkerWidth = 512;
// Walking right into the stone wall (its first column is 25), a box stops
// one pixel short of the wall's tiles.
constexpr std::int32_t WallStop(std::int32_t width) { return 25 * 1024 - (width >> 1) - 42; }
constexpr std::int32_t kWallStop = WallStop(kPlayerWidth);
// The page that follows a level's exit.
constexpr char kLevelCompleteChain[] = "3 Shell/10 Game/5 Text";

// Level 0 with the controller and these characters (the entity list's
// lines; x and y in pixels of the feet).
std::string Entities(const std::string& lines) { return "entity controller 0 0\n" + lines; }

std::int32_t PixelsToUnits(std::int32_t pixels) { return (pixels << 10) / 24; }

// Keys for a frame of a scenario: each entry is down (true) or up.
struct KeyAt {
    int frame;
    WORD key;
    bool down;
};
void Inject(const std::vector<KeyAt>& keys, int frame) {
    for (const KeyAt& k : keys) {
        if (k.frame == frame) host::InjectKey(k.key, k.down);
    }
}

// ---------------------------------------------------------------- walking

// Walking moves the player by the walk speed's share of each frame, the
// way it faces: Right walks it right; Left first turns it (a key pointing
// away from the facing) and, pressed again, walks it left; a tap of Left
// within one frame turns it and leaves it standing.
TEST(Mechanics, WalkingMovesTheWalkSpeedEachFrame) {
    struct Row {
        const char* name;
        std::vector<KeyAt> keys;
        std::int32_t facing, step;
    };
    const std::vector<Row> rows = {
        {"right", {{1, VK_RIGHT, true}}, 0, kWalkStep},
        {"left", {{1, VK_LEFT, true}, {3, VK_LEFT, false}, {5, VK_LEFT, true}}, 1, -kWalkStep},
        {"left pressed and let go in one frame turns it", {{1, VK_LEFT, true}, {1, VK_LEFT, false}}, 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities("entity player 300 264\n"));
        std::vector<std::int32_t> xs, facings;
        play.Play([&](int frame) {
            Inject(row.keys, frame);
            const AZ_Presenter* player = Character(kPlayer);
            xs.push_back(player->getX());
            facings.push_back(player->getFacing());
            return frame < 20;
        });
        ASSERT_EQ(xs.size(), 21u);
        EXPECT_EQ(xs[0], PixelsToUnits(300));
        for (int frame = 8; frame <= 20; ++frame) {
            EXPECT_EQ(xs[frame] - xs[frame - 1], row.step) << frame;
            EXPECT_EQ(facings[frame], row.facing) << frame;
        }
    }
}

// ------------------------------------------------------------------ jumps

// A standing jump: up leaves the ground at once with the jump's speed less
// a frame of gravity, rises to its peak and falls back onto the ground,
// where it lands with the landing events in order (land, wall, landed),
// crouches and stands again. x never changes.
TEST(Mechanics, AJumpLeavesTheGroundAndLandsWithItsEventsInOrder) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 60 264\n"));
    EventTrace trace;
    std::vector<Pos> path;
    std::vector<std::string> states;
    std::int32_t player = -1;
    play.Play([&](int frame) {
        const AZ_Presenter* p = Character(kPlayer);
        if (frame == 0) {
            player = p->getId();
            trace.Clear();
            Press(VK_UP);
        }
        path.push_back(PosOf(p));
        states.push_back(play.TopState(p));
        return frame < 80;
    });
    ASSERT_EQ(path.size(), 81u);
    EXPECT_EQ(path[0], (Pos{PixelsToUnits(60), kGround}));
    // Off the ground in the next frame: (-3072 + 96) * 48 >> 10.
    EXPECT_EQ(path[1].y, kGround - 140);
    const auto peak = std::min_element(path.begin(), path.end(), [](Pos a, Pos b) { return a.y < b.y; });
    EXPECT_EQ(peak->y, 8982);
    EXPECT_EQ(peak - path.begin(), 31);
    // Down again; the frames in the air, then the crouch.
    int landed = 0;
    while (landed + 1 < 81 && !(landed > 1 && path[landed].y == kGround)) ++landed;
    EXPECT_EQ(landed, 60);
    EXPECT_EQ(states[landed - 1], "player_air");
    EXPECT_EQ(states[landed], "player_land");
    EXPECT_EQ(states[80], "player_stand");
    for (const Pos& pos : path) EXPECT_EQ(pos.x, PixelsToUnits(60));
    // Up (217) into the jump and the air (162 each), the start of the fall
    // (179), the landing (177, 167, 170) into the crouch (162), its end
    // (164) and the stand (162).
    EXPECT_EQ(trace.Of(player), (std::vector<std::int32_t>{217, 162, 162, 179, 177, 167, 170, 162, 164, 162}));
}

// ------------------------------------------------------------------ walls

// A wall stops the walking player: the step that would take its box (as
// wide as its feet) into the stone wall's first column, 25, meets the wall, and
// the walk turns the player round there and walks it back. Its box never
// enters the wall.
TEST(Mechanics, AWallStopsThePlayer) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 540 264\n"));
    std::vector<Pos> path;
    std::vector<std::int32_t> facings;
    play.Play([&](int frame) {
        if (frame == 1) host::InjectKey(VK_RIGHT, true);
        const AZ_Presenter* player = Character(kPlayer);
        path.push_back(PosOf(player));
        facings.push_back(player->getFacing());
        return frame < 30;
    });
    const int turned = static_cast<int>(std::find(facings.begin(), facings.end(), 1) - facings.begin());
    ASSERT_LT(turned, 29);
    EXPECT_EQ(turned, 14);
    // Walking from frame 2: 540 pixels and twelve steps.
    const std::int32_t before = PixelsToUnits(540) + 12 * kWalkStep;
    EXPECT_EQ(path[turned - 1].x, before);
    EXPECT_EQ((before + kWalkStep + (kPlayerWidth >> 1)) >> 10, 25);  // the next step's box reaches the wall
    // The hit leaves the player one pixel short of the wall; from there it
    // walks back a step a frame.
    EXPECT_EQ(path[turned].x, kWallStop);
    EXPECT_EQ(path[turned + 1].x, path[turned].x - kWalkStep);
    EXPECT_EQ(path[turned + 2].x, path[turned].x - 2 * kWalkStep);
    for (const Pos& pos : path) {
        EXPECT_LE(pos.x, kWallStop);
        EXPECT_EQ(pos.y, kGround);
    }
}

// ------------------------------------------------------------------- gaps

// Walking on into the gap (columns 30 to 32), the player falls below the
// map (14 rows), and the game asks whether to retry.
TEST(Mechanics, FallingIntoTheGapAsksToRetry) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 684 264\n"));
    std::vector<Pos> path;
    int below = -1, asked = -1;
    play.Play(
        [&](int frame) {
            if (frame == 1) host::InjectKey(VK_RIGHT, true);
            if (Chain() == kRetryChain) {
                asked = frame;
                return false;
            }
            const AZ_Presenter* player = Character(kPlayer);
            path.push_back(PosOf(player));
            if (below == -1 && player->getY() > 14 * 1024) below = frame;
            return true;
        },
        200);
    EXPECT_EQ(play.endChain, kRetryChain);
    EXPECT_EQ(below, 47);
    EXPECT_EQ(asked, 50);
}

// A wall hit moves the player to one pixel short of the wall's first
// column whatever the walk's answer to the hit does: the answer turns the
// player and attaches b_motion again with the walk speed, and the player is
// still there, so the hit's move is its own (were it dropped when the
// handler attaches the unit anew, the player would stand 150 units short of
// the wall).
TEST(Mechanics, AWallHitKeepsItsMoveThoughTheHandlerAttachesMotionAgain) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 540 264\n"));
    std::vector<std::int32_t> xs;
    play.Play([&](int frame) {
        if (frame == 1) host::InjectKey(VK_RIGHT, true);
        xs.push_back(Character(kPlayer)->getX());
        return frame < 16;
    });
    ASSERT_GT(xs.size(), 15u);
    EXPECT_EQ(xs[14], kWallStop);
    EXPECT_EQ(xs[15], kWallStop - kWalkStep);
}

// ------------------------------------------------------------------ foes

// Health and its bar (the bar follows within 64 ms): a walker that chases
// the player into a touch hurts it by two and knocks it back; spikes hurt
// by two whenever the player's second of immunity after a blow has run
// out, down to nothing, when the game asks to retry. The bar's fill is the
// health's percentage (<< 10), its colour gold from 66 %, orange from 33 %,
// red below.
TEST(Mechanics, FoesLowerHealthAndTheHealthBar) {
    struct Bar {
        std::int32_t health, fill;
        std::uint32_t colour;
        bool operator==(const Bar&) const = default;
    };
    constexpr std::uint32_t kGold = 0xFFFFC000, kOrange = 0xFFFF8A00, kRed = 0xFFDE4900;
    struct Row {
        const char* name;
        const char* entities;
        std::vector<KeyAt> keys;
        std::vector<Bar> bars;  // each change of health or bar, in order
        int frames;
    };
    const std::vector<Row> rows = {
        {"walker", "entity player 60 264\nentity walker 108 264 left\n", {}, {{10, 100 << 10, kGold},
                                                                                {8, 100 << 10, kGold},
                                                                                {8, 80 << 10, kGold},
                                                                                {6, 80 << 10, kGold},
                                                                                {6, 60 << 10, kOrange}},
         60},
        {"spikes", "entity player 60 264\nentity spikes 84 264\n", {{1, VK_RIGHT, true}, {3, VK_RIGHT, false}},
         {{10, 100 << 10, kGold},
          {8, 100 << 10, kGold},
          {8, 80 << 10, kGold},
          {6, 80 << 10, kGold},
          {6, 60 << 10, kOrange},
          {4, 60 << 10, kOrange},
          {4, 40 << 10, kOrange},
          {2, 40 << 10, kOrange},
          {2, 20 << 10, kRed},
          {0, 20 << 10, kRed}},
         200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities(row.entities));
        std::vector<Bar> bars;
        play.Play(
            [&](int frame) {
                Inject(row.keys, frame);
                const AZ_Presenter* player = Character(kPlayer);
                if (player == nullptr || Chain() != kPlayChain) return false;
                // Out of health, the bar goes with it.
                const Bar bar{Word(player, kHealth, 1), Word(player, kBar, 7),
                              static_cast<std::uint32_t>(Word(player, kBar, 9))};
                if (bar.fill == kAbsent) {
                    bars.push_back({bar.health, bars.back().fill, bars.back().colour});
                    return false;
                }
                NoteChange(bars, bar);
                return true;
            },
            row.frames);
        EXPECT_EQ(bars.size(), row.bars.size());
        for (std::size_t i = 0; i < std::min(bars.size(), row.bars.size()); ++i) {
            EXPECT_EQ(bars[i].health, row.bars[i].health) << i;
            EXPECT_EQ(bars[i].fill, row.bars[i].fill) << i;
            EXPECT_EQ(bars[i].colour, row.bars[i].colour) << i;
        }
    }
}

// The blade deals two: a walker's mail takes half of it, so the first
// blow leaves a walker one of its two, and the second defeats it; a bat,
// with one and no mail, goes at the first. A spark stands where a blow
// lands; a defeat leaves a puff, tells the player (foe_down, 463) and
// takes the foe with every unit it held. Each blow that lands feeds the
// player's combo (288). The walker walks away from the player; the player
// walks toward the bat flying at it and, as it comes within reach, stops
// and strikes at once.
TEST(Mechanics, BlowsOfTheBladeDefeatFoes) {
    struct Row {
        const char* name;
        const char* entities;
        std::int32_t type;
        std::vector<int> blows;  // empty: walk on and strike once the foe is near
        std::vector<std::int32_t> health;  // -1: gone
    };
    const std::vector<Row> rows = {
        {"walker", "entity player 60 264\nentity walker 76 264\n", kWalker, {1, 12}, {2, 1, -1}},
        {"bat", "entity player 60 264\nentity bat 200 255 left\n", kBat, {}, {1, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities(row.entities));
        EventTrace trace;
        std::int32_t foe = -1, player = -1;
        std::vector<std::int32_t> health;
        int sparks = 0, puffs = 0;
        bool nothingLeft = false, struck = false;
        play.Play([&](int frame) {
            if (frame == 0) {
                foe = Character(row.type)->getId();
                player = Character(kPlayer)->getId();
                trace.Clear();
            }
            const bool there = AZ_Client::getInstance()->getActiveIndex(foe) != -1;
            if (std::find(row.blows.begin(), row.blows.end(), frame) != row.blows.end()) Press(VK_RETURN);
            if (row.blows.empty() && frame == 1) host::InjectKey(VK_RIGHT, true);
            const std::int32_t gap = there ? AZ_Presenter::getPresenter(foe)->getX() - Character(kPlayer)->getX() : 0;
            if (row.blows.empty() && !struck && there && gap < 1200) {
                struck = true;
                host::InjectKey(VK_RIGHT, false);
                Press(VK_RETURN);
            }
            const std::int32_t now = there ? Word(AZ_Presenter::getPresenter(foe), kHealth, 1) : -1;
            NoteChange(health, now);
            if (!there) {
                nothingLeft = true;
                for (std::int32_t id = 0; id < AZ_FIRST_INSTRUCTION; ++id) {
                    nothingLeft = nothingLeft && !Holds(AZ_Presenter::getPresenter(foe), id);
                }
            }
            sparks = std::max(sparks, CountOfType(kSpark));
            puffs = std::max(puffs, CountOfType(kPuff));
            return frame < 30;
        });
        EXPECT_EQ(health, row.health);
        EXPECT_TRUE(nothingLeft);
        EXPECT_EQ(sparks, 1);
        EXPECT_EQ(puffs, 1);
        const std::vector<std::int32_t> events = trace.Of(player);
        EXPECT_EQ(std::count(events.begin(), events.end(), 288), static_cast<std::ptrdiff_t>(row.health.size() - 1));
        EXPECT_EQ(std::count(events.begin(), events.end(), 463), 1);
    }
}

// The level's flag waves toward the player: it faces left while the
// player is left of it, right once the player has walked past below it
// (the flag stands on the plank over columns 10 to 13, out of the player's
// reach).
TEST(Mechanics, TheFlagWavesTowardThePlayer) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 200 264\nentity level_exit 290 203\n"));
    std::vector<std::int32_t> facings;
    play.Play([&](int frame) {
        if (frame == 1) host::InjectKey(VK_RIGHT, true);
        const AZ_Presenter* flag = Character(kExit);
        const std::int32_t facing = flag->getFacing();
        NoteChange(facings, facing);
        return Character(kPlayer)->getX() < PixelsToUnits(360);
    });
    EXPECT_EQ(facings, (std::vector<std::int32_t>{1, 0}));
}

// The frame shown after ten frames of level 0 with the player at 60
// pixels and these characters, in pixels of the back buffer (the
// presented frame shows each of them doubled), with the camera's place.
struct Shown {
    std::vector<std::uint32_t> pixels;
    int width = 0, scale = 1;
    std::int32_t cameraX = 0, cameraY = 0;
};
Shown ShownWith(const std::string& entities) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 60 264\n" + entities));
    Shown shown;
    play.Play([&](int frame) {
        if (frame < 10) return true;
        const host::Frame* presented = host::LastPresentedFrame();
        const Camera* camera = AZ_Client::getInstance()->getCamera();
        shown.scale = presented->width / camera->GetScreenWidth();
        shown.width = camera->GetScreenWidth();
        for (int y = 0; y < camera->GetScreenHeight(); ++y) {
            for (int x = 0; x < shown.width; ++x) {
                shown.pixels.push_back(host::FramePixelRgb(*presented, x * shown.scale, y * shown.scale));
            }
        }
        shown.cameraX = camera->GetX();
        shown.cameraY = camera->GetY();
        return false;
    });
    return shown;
}

// The flag stands where the level puts it, drawn there and nowhere else:
// out of view, the frame is that of the same play without a flag; in view,
// only pixels of the flag's own picture differ from it (18 high on its
// feet, its cloth up to 10 wide on the side it faces).
TEST(Mechanics, TheFlagStandsWhereTheLevelPutsIt) {
    const struct {
        const char* name;
        std::int32_t x, y;  // pixels
        bool inView;
    } rows[] = {
        {"out of view, right", 700, 264, false},
        {"in view", 150, 264, true},
    };
    const Shown without = ShownWith("");
    ASSERT_FALSE(without.pixels.empty());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Shown with = ShownWith("entity level_exit " + std::to_string(row.x) + " " + std::to_string(row.y) + "\n");
        ASSERT_EQ(with.pixels.size(), without.pixels.size());
        ASSERT_EQ(with.cameraX, without.cameraX);
        const std::int32_t footX = Camera::WorldToPixel(PixelsToUnits(row.x)) - with.cameraX;
        const std::int32_t footY = Camera::WorldToPixel(PixelsToUnits(row.y)) - with.cameraY;
        int differing = 0, outside = 0;
        for (std::size_t i = 0; i < with.pixels.size(); ++i) {
            if (with.pixels[i] == without.pixels[i]) continue;
            const int x = static_cast<int>(i) % with.width, y = static_cast<int>(i) / with.width;
            ++differing;
            if (x < footX - 10 || x >= footX + 10 || y < footY - 18 || y >= footY) ++outside;
        }
        EXPECT_EQ(differing > 0, row.inView);
        EXPECT_EQ(outside, 0);
    }
}

// Reaching the flag finishes the level: walking into it, and in a walking
// jump that crosses its column rising, at the top of the jump (2240 above
// the ground) and falling, each higher than a box of the flag's own height
// would reach. Up at frame 3 lifts the player from frame 4 on; the flag
// stands where the player's x is at the frame given.
TEST(Mechanics, ReachingTheFlagFinishesTheLevelAlsoInAJump) {
    const std::int32_t kX0 = PixelsToUnits(36);
    const auto xAt = [&](int frame) { return kX0 + (frame - 1) * kWalkStep; };
    const struct {
        const char* name;
        std::int32_t flagX;  // units
        bool jump;
        std::int32_t lowest, highest;  // the player's height above the ground where it reaches the flag
        int direction;  // -1 rising, 1 falling, 0 either
    } rows[] = {
        {"walking", PixelsToUnits(120), false, 0, 0, 0},
        {"rising", xAt(15), true, 1024, 2240, -1},
        {"at the top", xAt(34), true, 2100, 2240, 0},
        {"falling", xAt(53), true, 1024, 2240, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities("entity player 36 264\n") + "entity level_exit " +
                         std::to_string(row.flagX * 24 / 1024) + " 264\n");
        std::vector<std::int32_t> ys;
        int reached = -1;
        play.Play(
            [&](int frame) {
                if (frame == 1) host::InjectKey(VK_RIGHT, true);
                if (frame == 3 && row.jump) Press(VK_UP);
                // Then the level-complete page.
                if (reached != -1) return Chain() != kLevelCompleteChain;
                const AZ_Presenter* flag = Character(kExit);
                if (Chain() != kPlayChain || flag == nullptr || play.TopState(flag) == "exit_reached") {
                    reached = frame;
                    return true;
                }
                ys.push_back(Character(kPlayer)->getY());
                return true;
            },
            150);
        ASSERT_NE(reached, -1);
        ASSERT_GE(ys.size(), 2u);
        const std::int32_t height = kGround - ys.back(), dy = ys.back() - ys[ys.size() - 2];
        EXPECT_GE(height, row.lowest);
        EXPECT_LE(height, row.highest);
        if (row.direction != 0) {
            EXPECT_EQ(dy > 0 ? 1 : -1, row.direction);
        }
        EXPECT_EQ(play.endChain, kLevelCompleteChain);
    }
}

// -------------------------------------------------------------- pickups

// A gem within reach, taken with select (standing or walking), adds three
// power, one a frame at the end of its twelve frames; a heart that the
// player walks into heals four, one a frame at the end of 800 ms, up to the
// most health there is (the player comes from the spikes with 8).
TEST(Mechanics, PickupsAddPowerOrHealth) {
    struct Row {
        const char* name;
        const char* entities;
        std::vector<KeyAt> keys;
        std::int32_t unit;  // power or health
        std::vector<std::int32_t> values;
        std::int32_t type;  // the pickup's, gone once taken
    };
    const std::vector<Row> rows = {
        {"gem", "entity player 60 264\nentity pickup 66 264\n", {{1, VK_RETURN, true}, {2, VK_RETURN, false}},
         kPower, {3, 4, 5, 6}, kPickup},
        {"gem, walking", "entity player 60 264\nentity pickup 120 264\n",
         {{1, VK_RIGHT, true}, {11, VK_RETURN, true}, {12, VK_RETURN, false}, {12, VK_RIGHT, false}}, kPower,
         {3, 4, 5, 6}, kPickup},
        {"heart", "entity player 60 264\nentity spikes 60 264\nentity heart 150 264\n", {{6, VK_RIGHT, true}},
         kHealth, {8, 9, 10}, kHeart},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities(row.entities));
        std::vector<std::int32_t> values;
        bool taken = false;
        play.Play([&](int frame) {
            Inject(row.keys, frame);
            const std::int32_t now = Word(Character(kPlayer), row.unit, 1);
            NoteChange(values, now);
            taken = CountOfType(row.type) == 0;
            return frame < 60;
        });
        EXPECT_EQ(values, row.values);
        EXPECT_TRUE(taken);
    }
}

// The combo meter: the first blow of a combo adds nothing; the second,
// within the 1.5 s window, shows the meter in place and adds ten over half
// a second. 1.5 s after the last blow the combo is over and the display
// slides out, 100 pixels in a second, and hides; the meter keeps its ten.
TEST(Mechanics, TheComboMeterRisesAndFallsBack) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 60 264\nentity walker 76 264\n"));
    struct Combo {
        std::int32_t meter, count, offset, state;
    };
    std::vector<Combo> combo;
    play.Play([&](int frame) {
        if (frame == 1 || frame == 12) Press(VK_RETURN);
        const AZ_Presenter* player = Character(kPlayer);
        combo.push_back(
            {Word(player, kCombo, 1), Word(player, kCombo, 4), Word(player, kCombo, 5), Word(player, kCombo, 11)});
        return frame < 80;
    });
    ASSERT_EQ(combo.size(), 81u);
    // The blows land in frames 2 and 13.
    EXPECT_EQ(combo[2].count, 1);
    EXPECT_EQ(combo[2].state, 1);  // hidden
    EXPECT_EQ(combo[2].meter, 0);
    EXPECT_EQ(combo[13].count, 2);
    EXPECT_EQ(combo[13].state, -1);  // shown
    EXPECT_EQ(combo[13].offset, 0);
    // Ten over 500 ms: nothing in the first frame, then one a frame.
    std::vector<std::int32_t> meter;
    for (int frame = 13; frame <= 26; ++frame) meter.push_back(combo[frame].meter);
    EXPECT_EQ(meter, (std::vector<std::int32_t>{0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10}));
    // 1.5 s after the blow the combo is over, and the display slides out
    // by 100 pixels a second, rounded down.
    EXPECT_EQ(combo[45].count, 2);
    EXPECT_EQ(combo[46].count, 0);
    EXPECT_EQ(combo[46].state, 0);
    std::vector<std::int32_t> offsets;
    for (int frame = 45; frame <= 67; ++frame) offsets.push_back(combo[frame].offset);
    EXPECT_EQ(offsets, (std::vector<std::int32_t>{0,  4,  9,  14, 19, 24, 28, 33, 38, 43, 48, 52,
                                                  57, 62, 67, 72, 76, 81, 86, 91, 96, 100, 100}));
    EXPECT_EQ(combo[65].state, 0);
    EXPECT_EQ(combo[66].state, 1);
    EXPECT_EQ(combo[80].meter, 10);
}

// ------------------------------------------------------------- dialogue

// The level's dialogue opens at 200 pixels a second to 35 % of the view's
// 296 rows while its portrait (24 wide) slides in from the left; select
// does nothing until it is open, then turns the page, and on the last page
// closes it: the portrait slides out, the box is gone and the player holds
// the keys.
TEST(Mechanics, TheDialoguePagesAndCloses) {
    LevelPlay play;
    play.closeDialogue = false;
    play.SetEntities(Entities("entity player 60 264\n"));
    struct Box {
        std::int32_t height, page, closing, portrait;
    };
    std::vector<Box> boxes;
    int gone = -1;
    bool keys = false;
    play.Play([&](int frame) {
        if (frame == 5 || frame == 20 || frame == 30) Press(VK_RETURN);
        const AZ_Presenter* box = Character(kDialogue);
        if (box == nullptr) {
            gone = frame;
            keys = AZ_Client::getInstance()->getAdapter()->getKeyCharacter() == Character(kPlayer)->getId();
            return false;
        }
        boxes.push_back({Word(box, kInGameTextBox, 5), Word(box, kTextBoxVisual, 1), Word(box, kInGameTextBox, 11),
                         Word(box, kInGameTextBox, 12)});
        return frame < 60;
    });
    ASSERT_EQ(boxes.size(), 33u);
    EXPECT_EQ(gone, 33);
    EXPECT_TRUE(keys);
    std::vector<std::int32_t> heights, portrait;
    for (int frame = 0; frame <= 12; ++frame) heights.push_back(boxes[frame].height);
    EXPECT_EQ(heights, (std::vector<std::int32_t>{0, 9, 19, 28, 38, 48, 57, 67, 76, 86, 96, 103, 103}));
    for (int frame = 0; frame <= 4; ++frame) portrait.push_back(boxes[frame].portrait);
    EXPECT_EQ(portrait, (std::vector<std::int32_t>{-24, -15, -5, 0, 0}));
    // Select while it opens (frame 5) turns nothing; open, it turns the
    // page (20), and on the last page starts the closing (30).
    EXPECT_EQ(boxes[20].page, 0);
    EXPECT_EQ(boxes[21].page, 1);
    EXPECT_EQ(boxes[30].closing, 0);
    EXPECT_EQ(boxes[31].closing, 1);
    EXPECT_EQ(boxes[31].portrait, -9);
    EXPECT_EQ(boxes[32].portrait, -19);
}

// The contrast ratio of two colours (0xRRGGBB) as WCAG measures it:
// (lighter + 0.05) / (darker + 0.05) of their relative luminances.
double Contrast(std::uint32_t a, std::uint32_t b) {
    const auto luminance = [](std::uint32_t rgb) {
        double sum = 0;
        const double weights[] = {0.2126, 0.7152, 0.0722};
        for (int c = 0; c < 3; ++c) {
            const double v = ((rgb >> (16 - 8 * c)) & 0xFF) / 255.0;
            sum += weights[c] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The dialogue's text reads on its white panel: every colour drawn in the
// text's rectangle of the open box, but the panel's own, contrasts with it
// by at least 7:1.
TEST(Mechanics, TheDialoguesTextReadsOnItsPanel) {
    LevelPlay play;
    play.closeDialogue = false;
    play.SetEntities(Entities("entity player 60 264\n"));
    std::map<std::uint32_t, int> colours;
    play.Play([&](int frame) {
        const AZ_Presenter* box = Character(kDialogue);
        const std::int32_t target = Word(box, kInGameTextBox, 19);
        if (Word(box, kInGameTextBox, 5) != target || frame < 15) return frame < 40;
        // Open: the text's rectangle, three margins in from the view's corner.
        const std::int32_t margin = Word(box, kInGameTextBox, 1);
        const host::Frame* presented = host::LastPresentedFrame();
        const int scale = presented->width / AZ_Client::getInstance()->getCamera()->GetScreenWidth();
        for (std::int32_t y = 3 * margin; y < 3 * margin + Word(box, kInGameTextBox, 14); ++y) {
            for (std::int32_t x = 3 * margin; x < 3 * margin + Word(box, kInGameTextBox, 15); ++x) {
                ++colours[host::FramePixelRgb(*presented, x * scale, y * scale)];
            }
        }
        return false;
    });
    ASSERT_GT(colours.size(), 1u);
    const auto panel = std::max_element(colours.begin(), colours.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_EQ(panel->first, 0xFFFFFFu);
    for (const auto& [colour, count] : colours) {
        if (colour == panel->first) continue;
        EXPECT_GE(Contrast(colour, panel->first), 7.0) << std::hex << colour;
    }
}

// ------------------------------------------------------ faults of the play

// Keys pressed or let go of in the air change what the player does once
// down, never its way through the air: a walking jump keeps its speed and
// its arc whatever comes (the walk key let go of, up again, a strike, the
// hook), and lands walking on, or standing when the walk key is up then. A
// standing jump drifts the way the walk key is pressed.
TEST(ContentFaults, KeysInTheAirNeitherStopThePlayerNorLetItJumpAgain) {
    struct Row {
        const char* name;
        std::vector<KeyAt> keys;
        int drift;  // the first frame that moves the player
        bool walksOn;
    };
    const std::vector<KeyAt> walkingJump = {{1, VK_RIGHT, true}, {3, VK_UP, true}, {4, VK_UP, false}};
    const auto with = [&](std::vector<KeyAt> more, bool walking = true) {
        std::vector<KeyAt> keys = walking ? walkingJump : std::vector<KeyAt>{{3, VK_UP, true}, {4, VK_UP, false}};
        keys.insert(keys.end(), more.begin(), more.end());
        return keys;
    };
    const std::vector<Row> rows = {
        {"walking jump", with({}), 2, true},
        {"walk key let go", with({{15, VK_RIGHT, false}}), 2, false},
        {"up again", with({{15, VK_UP, true}, {16, VK_UP, false}}), 2, true},
        {"strike", with({{15, VK_RETURN, true}, {16, VK_RETURN, false}}), 2, true},
        {"hook", with({{15, VK_DOWN, true}, {16, VK_DOWN, false}}), 2, true},
        {"walk key let go and pressed again",
         with({{15, VK_RIGHT, false}, {20, VK_RIGHT, true}}), 2, true},
        {"standing jump", with({}, false), -1, false},
        {"standing jump, walk key pressed", with({{15, VK_RIGHT, true}}, false), 16, true},
    };
    std::vector<std::int32_t> arc;  // the standing jump's heights
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities("entity player 36 264\n"));
        std::vector<Pos> path;
        std::vector<std::string> states;
        play.Play([&](int frame) {
            Inject(row.keys, frame);
            const AZ_Presenter* player = Character(kPlayer);
            path.push_back(PosOf(player));
            states.push_back(play.TopState(player));
            return frame < 90;
        });
        ASSERT_EQ(path.size(), 91u);
        // Up at frame 3 leaves the ground in frame 4; down in frame 63.
        const int up = 4, down = 63;
        std::vector<std::int32_t> heights;
        for (int frame = up; frame <= down; ++frame) heights.push_back(path[frame].y);
        if (arc.empty()) arc = heights;
        EXPECT_EQ(heights, arc);
        EXPECT_EQ(path[up - 1].y, kGround);
        EXPECT_EQ(path[down].y, kGround);
        EXPECT_LT(path[down - 1].y, kGround);
        EXPECT_EQ(states[down], "player_land");
        // The way through the air: the walk's step every frame from the
        // first that moves the player, none before it.
        for (int frame = 1; frame < down; ++frame) {
            const std::int32_t moved = path[frame].x - path[frame - 1].x;
            EXPECT_EQ(moved, row.drift != -1 && frame >= row.drift ? kWalkStep : 0) << frame;
        }
        // Once down: walking on, or standing still.
        EXPECT_EQ(path[90].x - path[89].x, row.walksOn ? kWalkStep : 0);
        EXPECT_EQ(states[90], row.walksOn ? "player_walk" : "player_stand");
    }
}

// Walkers keep their feet on the ground: a wall turns one round (its box
// never reaches the wall's first column, 25), and off the edge of the gap
// (columns 30 to 32) one falls below the map and is gone, with every unit
// it held. Each walks away from the player, woken as the view meets it.
TEST(ContentFaults, WalkersTurnAtWallsAndFallIntoGaps) {
    struct Row {
        const char* name;
        const char* entities;
        bool falls;
    };
    const Row rows[] = {
        {"wall", "entity player 400 264\nentity walker 570 264\n", false},
        {"gap", "entity player 588 264\nentity walker 708 264\n", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        play.SetEntities(Entities(row.entities));
        std::int32_t walker = -1, furthest = 0, turnedAt = -1;
        int gone = -1;
        play.Play([&](int frame) {
            const AZ_Presenter* w = Character(kWalker);
            if (frame == 0) walker = w->getId();
            if (w == nullptr) {
                gone = frame;
                // Nothing of it is left: no character, no unit.
                const AZ_Presenter* was = AZ_Presenter::getPresenter(walker);
                EXPECT_EQ(AZ_Client::getInstance()->getActiveIndex(walker), -1);
                for (std::int32_t id = 0; id < AZ_FIRST_INSTRUCTION; ++id) EXPECT_FALSE(Holds(was, id)) << id;
                return false;
            }
            furthest = std::max(furthest, w->getX());
            if (turnedAt == -1 && w->getFacing() == 1) turnedAt = w->getX();
            return frame < 150;
        });
        EXPECT_EQ(gone != -1, row.falls);
        if (row.falls) continue;
        EXPECT_LT(furthest + (kWalkerWidth >> 1), 25 * 1024);
        // It turns where the wall met it: no further than it came, and no
        // nearer than one pixel short of the wall.
        EXPECT_LE(turnedAt, furthest);
        EXPECT_GE(turnedAt, WallStop(kWalkerWidth));
    }
}

// On the Grey Keep's map: the player stands on the two-block wall
// (columns 33 and 34, its top 216 pixels down) only with a foot over it.
// Placed with its feet at the wall's top, beside the left corner (792
// pixels) and the right (840), it stays there while a pixel of its feet
// (from 5 left of its x to 4 right) lies over the wall, and otherwise falls
// to the floor: with the picture wholly beside the wall, with the feet
// touching its edge, and with the feet a pixel clear of it.
TEST(ContentFaults, ThePlayerStandsOnAWallOnlyWithItsFeetOverIt) {
    constexpr std::int32_t kWallTop = 9 * 1024 - 42, kFloor = 11 * 1024 - 42;
    const struct {
        const char* name;
        std::int32_t x;  // pixels
        bool stands;
    } rows[] = {
        {"left, the picture beside the wall", 786, false},
        {"left, the feet at its edge", 787, false},
        {"left, a foot's pixel over it", 788, true},
        {"right, a foot's pixel over it", 844, true},
        {"right, the feet at its edge", 845, false},
        {"right, the picture beside it", 846, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlay play;
        // Level 0 played on the Grey Keep's map and tileset.
        play.content.resources[0x03000103] = play.content.resources.at(0x03000104);
        play.content.resources[0x02000100] = play.content.resources.at(0x02000101);
        play.SetEntities(Entities("entity player " + std::to_string(row.x) + " 216\n"));
        std::vector<std::int32_t> ys;
        play.Play([&](int frame) {
            NoteChange(ys, Character(kPlayer)->getY());
            return frame < 30;
        });
        ASSERT_FALSE(ys.empty());
        EXPECT_EQ(ys.back(), row.stands ? kWallTop : kFloor);
        if (row.stands) {
            EXPECT_EQ(ys, std::vector<std::int32_t>{kWallTop});
        }
    }
}

// A bat's sting takes three health, one a frame at the end of its time,
// and never more than what is left to take: the player walks away as it
// is stung, so no touch follows.
TEST(ContentFaults, AStingTakesNoMoreThanItsDamageInAnyFrame) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 300 264 left\nentity bat 330 250 left\n"));
    EventTrace trace;
    std::vector<std::int32_t> health;
    int stung = -1;
    play.Play([&](int frame) {
        const AZ_Presenter* player = Character(kPlayer);
        const std::vector<std::int32_t> events = trace.Of(player->getId());
        if (stung == -1 && std::find(events.begin(), events.end(), 461) != events.end()) {
            stung = frame;
            host::InjectKey(VK_LEFT, true);
        }
        const std::int32_t now = Word(player, kHealth, 1);
        NoteChange(health, now);
        return frame < 50;
    });
    EXPECT_NE(stung, -1);
    EXPECT_EQ(health, (std::vector<std::int32_t>{10, 9, 8, 7}));
}

// Letting go of the walk key as a strike starts ends the walk below the
// strike, not the strike: it plays on (five frames) and the player stands.
TEST(ContentFaults, LettingGoOfTheWalkKeyKeepsAStrike) {
    LevelPlay play;
    play.SetEntities(Entities("entity player 60 264\n"));
    std::vector<std::string> states;
    std::vector<std::int32_t> xs;
    play.Play([&](int frame) {
        if (frame == 1) host::InjectKey(VK_RIGHT, true);
        if (frame == 5) {
            host::InjectKey(VK_RIGHT, false);
            Press(VK_RETURN);
        }
        const AZ_Presenter* player = Character(kPlayer);
        states.push_back(play.TopState(player));
        xs.push_back(player->getX());
        return frame < 15;
    });
    ASSERT_EQ(states.size(), 16u);
    EXPECT_EQ(states[5], "player_walk");
    for (int frame = 6; frame <= 10; ++frame) EXPECT_EQ(states[frame], "player_attack") << frame;
    EXPECT_EQ(states[15], "player_stand");
    for (int frame = 6; frame <= 15; ++frame) EXPECT_EQ(xs[frame], xs[5]) << frame;
}

}  // namespace
