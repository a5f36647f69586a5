// The grapple hook, the rope swing and the text units in a level, run
// through the application's frames: a hook rising from its thrower under a
// ceiling of the map, a swing around a hook, text boxes and labels of the
// text pool, and the dialogue box that its instruction spawns.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "src/game/MapManager.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/engine/LevelWorld.h"
#include "tests/engine/TokenProgram.h"

namespace {

// 20 x 20 tiles: a block at columns 4-6, row 4 (its top at y 4096).
std::string MapText() {
    std::string rows;
    for (int r = 0; r < 20; ++r) rows += (r == 4 ? "....xxx............." : std::string(20, '.')) + "\n";
    return "type solid 15 -\nkey x solid\nlayer\n" + rows + "end\n";
}

// 3 throws a hook on 300 (child at its box top), which rises at 8192 per
// 1024 ms and stops at the ceiling; 5 a hook that only registers itself;
// 81 the dialogue box, whose page turns on 299 and 300.
const std::string kScript = R"(type ctl initial idle | type body initial idle | type f2 initial idle
type thrower initial thrower | type hook initial hook | type anchor initial anchor | type texter initial texter
)" + FillerTypes(7, 81) + R"(type box initial box
state idle | state texter | on 366 | on 367 | state anchor | on enter | b_collisionGrapple 0
state thrower | on enter | b_boundingBox 512 1024 0 | b_fireGrapple 0 0
on 300 | f_spawnCharacterRelative hook 2 0 0 1 0 0 0 0
on 292 | on 293 | on 294 | on 295 | on 296 | on 297 | on 298
state hook | on enter | v_szTiledSprite 0 0 4 256 | b_motion 0 -8192 0 | b_collisionGrapple 10000
on 190 | f_detachBehavior b_motion | on 328
state box | on enter | b_inGameTextBox 4 200 0 0 0 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 | v_inGameTextBox 0 0 0
on 299 | b_moveToNextPage | on 300 | b_moveToNextPage | on 529
)";

struct World : GameUnitWorld {
    World() : GameUnitWorld(kScript) {
        const vktools::Bytes map = MakeTestMap(MapText());
        EXPECT_TRUE(MapManager::parseMap(map.data(), static_cast<std::uint32_t>(map.size()),
                                         &client->getAdapter()->getMap()));
    }
};

// Plays a program of tokens on a fresh level, in frames of 48 ms on a
// 240 x 320 view:
//   @type,x,y  a character, the target   #id  presenter id as the target   L  face left   Xv / Yv  its x / y
//   c:p,...  attach unit c (an instruction: run it)   c.w=v  word w of unit c := v   Dc  detach unit c
//   Ee  raise engine event e on the target   Vw  a view w pixels wide   |n  n frames
//   ?c  "+c"/"-c" attached or not   ?c.w  the word   ^c.w,n  n frames, the word after each
//   ?N  the active characters   ?T  "T+" while the text pool holds string 2 (many lines), else "T-"
// The trace: the answers, each handled event "frame:event" ("/id" on
// another character), then "@x,y" of the target.
std::string Play(World& w, const std::string& program) {
    AZ_Client* client = w.client;
    w.Restart();
    client->getCamera()->SetupForMap(240, 320, 1);
    client->getCamera()->SetActiveLayer(0);
    w.hooks.calls.clear();
    AZ_Presenter* p = nullptr;
    std::string trace;
    std::int32_t frame = 0;
    const auto events = [&] { TraceHandledEvents(w.hooks.calls, p, frame, trace); };
    const auto word = [&](std::int32_t code, std::int32_t n) {
        return std::to_string(AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(code) + n)) + " ";
    };
    std::istringstream in(program);
    for (std::string token; in >> token;) {
        const char op = token[0];
        const std::vector<std::int32_t> n = TokenNumbers(token);
        const bool set = token.find('=') != std::string::npos, query = op == '?' && std::isdigit(token[1]);
        if (op == '@') p = w.PresenterOfRow(w.Spawn(n[0], n[1], n[2]));
        if (op == '#') p = AZ_Presenter::getPresenter(n[0]);
        if (op == 'L') p->setFacing(1);
        if (op == 'X') p->setX(n[0]);
        if (op == 'Y') p->setY(n[0]);
        if (op == 'D') p->detach(n[0]);
        if (op == 'E') client->raiseEvent(client->getActiveIndex(p->getId()), n[0]);
        if (op == 'V') client->getCamera()->SetupForMap(n[0], 320, 1);
        if (std::isdigit(op) && set) AZ_Presenter_Singleton::setCodeSlotValue(p->findCodeSlot(n[0]) + n[1], n[2]);
        if (std::isdigit(op) && !set) RunCode(p, n);
        if (query && n.size() == 2) trace += word(n[0], n[1]);
        if (query && n.size() == 1) trace.append(p->findCodeSlot(n[0]) != -1 ? "+" : "-").append(token, 1) += " ";
        if (token == "?N") trace += std::to_string(client->getNumActive()) + " ";
        if (token == "?T") trace += client->getAdapter()->layoutText(0, 2, 0, 10, 10) == 0 ? "T+ " : "T- ";
        events();
        const std::int32_t frames = op == '|' ? (n.empty() ? 1 : n[0]) : op == '^' ? n[2] : 0;
        for (std::int32_t f = 0; f < frames; ++f) {
            w.Tick(48);
            ++frame;
            events();
            if (op == '^') trace += word(n[0], n[1]);
        }
    }
    return trace + "@" + std::to_string(p->getX()) + "," + std::to_string(p->getY());
}

// The thrower stands at (5632, 15000), its box top at 14000; the block's
// hit is its top less a pixel. Frame 1 registers the hook, b_child then rests.
TEST(SwingAndText, GrappleHooks) {
    const struct {
        const char* what;
        const char* program;
        const char* trace;
    } cases[] = {
        {"thrown: registered, it rises and is set on the hit", "@3,5632,15000 E300 | ?36.4 #1 |26 ?53.2 ?5 |2",
         "0:300 1 27:190 4054 -5 @5632,4054"},
        {"a second hook does not take over", "@3,5632,15000 E300 E300 |2 ?36.4", "0:300 0:300 1 @5632,15000"},
        {"a rope of exactly the limit searches", "@3,5632,15000 E300 | #1 D5 53.2=0 Y3592 | ?53.2",
         "0:300 2:190 4054 @5632,4054"},
        {"one more: too long, no search, x follows", "@3,5632,15000 E300 | X6000 #1 D5 53.2=0 Y3591 | ?53.2",
         "0:300 2:328 0 @6000,3591"},
        // The block is caught by a probe whose bottom lies above y 5120.
        {"the last probe 10,000 above the top", "@3,5632,16143 E300 | #1 D5 53.2=0 Y5300 | ?53.2",
         "0:300 4054 @5632,5300"},
        {"one unit lower", "@3,5632,16144 E300 | #1 D5 53.2=0 Y5300 | ?53.2", "0:300 0 @5632,5300"},
        {"a thrower without a box: its top is its y", "@3,5632,16143 E300 | D27 #1 D5 53.2=0 Y5300 | ?53.2",
         "0:300 0 @5632,5300"},
        {"the second 8192", "@3,5632,14335 E300 | #1 D5 53.1=8192 53.2=0 Y5300 | ?53.2", "0:300 4054 @5632,5300"},
        {"one unit lower", "@3,5632,14336 E300 | #1 D5 53.1=8192 53.2=0 Y5300 | ?53.2", "0:300 0 @5632,5300"},
        {"the first 4096", "@3,5632,10239 E300 | #1 D5 53.1=4096 53.2=0 Y5300 | ?53.2", "0:300 4054 @5632,5300"},
        {"one unit lower", "@3,5632,10240 E300 | #1 D5 53.1=4096 53.2=0 Y5300 | ?53.2", "0:300 0 @5632,5300"},
        // One probe; the rope starts at y 2000.
        {"a hit 2048 below the hook", "@3,5632,10000 E300 | #1 D5 2.2=-8000 53.1=4096 53.2=0 53.3=9000 Y2006 |",
         "0:300 2:190 @5632,4054"},
        {"2049 below, the hook was below it",
         "@3,5632,10000 E300 | #1 D5 2.2=-8000 53.1=4096 53.2=0 53.3=9000 Y2005 | ?53.2",
         "0:300 0 @5632,2005"},
        {"2049 below, word 3 still 0", "@3,5632,10000 E300 | #1 D5 2.2=-8000 53.1=4096 53.2=0 53.3=0 Y2005 |",
         "0:300 2:190 @5632,4054"},
    };
    World world;
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

// A thrower at (5000, 10000), its hook found at the second update.
TEST(SwingAndText, Swings) {
    const struct {
        const char* what;
        const char* program;
        const char* trace;
    } cases[] = {
        {"straight below", "@3,5000,10000 @5,5000,5904 #0 37:0,0 |2 ?37.5 ?37.4 ?37.3", "4096 276480 2 @5000,10000"},
        {"on the hook itself: a rope of 0, straight below", "@3,5000,10000 @5,5000,10000 #0 37:0,0 |2 ?37.5 ?37.4",
         "0 276480 @5000,10000"},
        {"no hook: the set-up waits", "@3,5000,10000 37:0,0 |3 ?37.3", "1 @5000,10000"},
        {"40,960 away", "@3,0,10000 @5,20480,-10480 #0 37:0,0 |2 ?37.3", "2 @0,10000"},
        {"40,961: released and gone", "@3,0,10000 @5,20481,-10480 #0 37:0,0 |2 ?37", "2:295 -37 @0,10000"},
        {"release 135 facing right: 315", "@3,5000,10000 @5,5000,5904 #0 37:90,135 |2 ?37.2 ?37.1",
         "322560 92160 @5000,10000"},
        {"facing left: 225, the speed negated", "@3,5000,10000 L @5,5000,5904 #0 37:90,135 |2 ?37.2 ?37.1",
         "230400 -92160 @5000,10000"},
        {"kept parameters are converted again",
         "@3,5000,10000 @5,5000,5904 #0 37:90,135 |2 37:-32767,-32767 | ?37.2 ?37.1",
         "330485760 94371840 @5000,10000"},
        {"speed 90 for 48 ms", "@3,5000,10000 @5,5000,5904 #0 37:90,170 |3 ?37.4", "280800 @5276,9988"},
        {"release 10: at once, from rest", "@3,5000,10000 @5,5000,5904 #0 37:90,10 |3 ?37.3 ?37.6",
         "3:295 3 0 @5276,9988"},
        {"with b_motion: half the speed", "@3,5000,10000 @5,5000,5904 #0 5:0,0,0 37:90,10 |3 ?37.3 ?37.6",
         "3:295 3 46080 @5276,9988"},
        {"release 175: pinned at 350", "@3,5000,10000 @5,5000,5904 #0 37:900,175 |12 ?37.3 ?37.4",
         "3:296 2 358400 @9028,6604"},
        {"at the release angle leftward: freed", "@3,5000,10000 L @5,5000,5904 #0 37:64,93 |3 ?37.3",
         "3:295 3 @4800,9992"},
        {"rightward: not", "@3,5000,10000 @5,5000,5904 #0 37:64,93 |3 ?37.3", "2 @5200,9992"},
        {"from 230: the entry, then the exit", "@3,2367,9042 @5,5000,5904 #0 37:900,175 |4", "3:298 4:296 @7848,8824"},
        {"both in one step: the entry only", "@3,2367,9042 @5,5000,5904 #0 37:2000,175 |3", "3:298 @8296,8308"},
        {"the pendulum turns, undamped", "@3,5000,10000 @5,5000,5904 #0 5:0,0,0 37:90,10 |110 ?37.6",
         "3:295 17:296 36:293 53:294 84:292 103:297 16845 @2280,8964"},
        {"climbing: 48 a frame, measured after the first", "@3,5000,10000 @5,5000,5904 #0 5:0,-1024,0 37:0,0 |3 ?37.5",
         "4000 @5000,9904"},
        {"never past the hook", "@3,5000,10000 @5,5000,9960 #0 5:0,-2048,0 37:0,0 |3 ?37.5", "0 @5000,9920"},
        {"b_fireGrapple detached: the hook destroyed, then 295", "@3,5000,10000 @5,5000,5904 #0 37:0,0 |3 D36 ?N | ?37",
         "1 4:295 -37 @5000,10000"},
        {"a hook id without a character: nothing destroyed", "@3,0,0 @1,0,0 #0 36.4=7 D36 ?N", "2 @0,0"},
    };
    World world;
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
    // Held at each angle of the swing (speed 0), the rope stays 4096 within 18.
    for (std::int32_t degrees = 190; degrees <= 350; ++degrees) {
        const std::string trace =
            Play(world, "@3,5000,10000 @5,5000,5904 #0 37:0,0 |2 37.4=" + std::to_string(degrees << 10) + " |");
        const std::int32_t x = std::stoi(trace.substr(1)), y = std::stoi(trace.substr(trace.find(',') + 1));
        EXPECT_NEAR(std::hypot(x - 5000, y - 5904), 4096, 18) << degrees;
    }
}

TEST(SwingAndText, TextBoxes) {
    const struct {
        const char* what;
        const char* program;
        const char* trace;
    } cases[] = {
        {"a text that fits", "@6,0,0 45:100,50,0,0,1 | ?46", "-46 @0,0"},
        {"overflow: 366 twice, page -1 then 0", "@6,0,0 45:50,5,0,0,2 ?46.3 | ?46.3", "0:366 -1 1:366 0 @0,0"},
        {"on a 176-pixel view, and again",
         "V176 @6,0,0 45:100,100,-7,160,1 ?45.3 ?45.4 45:-32767,-32767,-32767,-32767,-32767 ?45.3",
         "-5 160 -3 @0,0"},
        {"detached: the scroll unit and the string go", "@6,0,0 45:50,5,0,0,2 ?T D45 ?46 ?T", "0:366 T+ -46 T- @0,0"},
        {"the dialogue opens", "@0,0,0 160:2,0,1,0,0,-1,0,-1,81,0 #1 ^76.5,12",
         "9 19 28 38 48 57 67 76 86 96 105 112 @0,0"},
        {"the next page while it opens: kept, no effect", "@0,0,0 160:1,0,1,0,0,-1,0,-1,81,0 #1 | E300 ?77 ?93.1",
         "1:300 +77 0 @0,0"},
        {"the portrait on the left, in and out; the end event",
         "@0,0,0 160:1,0,1,0,0,-1,0,-1,81,0 #1 ?76.12 ^76.12,12 E300 ?76.11 ^76.12,6",
         "-40 -31 -21 -12 -2 0 0 0 0 0 0 0 0 12:300 1 -9 -19 -28 -38 17:529 -38 18:529 -38 @0,0"},
        {"on the right", "@0,0,0 160:1,0,0,0,0,-1,0,-1,81,0 #1 ?76.12 ^76.12,12 E300 ^76.12,6",
         "280 271 261 252 242 240 240 240 240 240 240 240 240 12:300 249 259 268 278 17:529 278 18:529 278 @0,0"},
        {"timed: one line a page, turned on 299", "@0,0,0 160:2,0,1,0,2000,-1,0,-1,81,0 #1 | ?76.19 ?76.14 |100 ?93.1",
         "36 20 42:299 84:299 2 @0,0"},
        {"the last page closes", "@0,0,0 160:1,0,1,0,2000,-1,0,-1,81,0 #1 |50 ?76.11 ?93.1",
         "42:299 47:529 48:529 49:529 50:529 1 0 @0,0"},
    };
    World world;
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

TEST(SwingAndText, PagesAndLabelsWithATextVisual) {
    const struct {
        const char* what;
        const char* program;
        const char* trace;
    } cases[] = {
        {"pages of 3 lines",
         "@6,0,0 80: 45:50,10,0,0,2 |2 ?80.5 ?80.6 ?80.7 ?80.8 ?80.9 46:1 ?80.9 ?46.3 46:1 ?80.9 46:1 ?80.9 46:0 46:1 "
         "?80.9 ?46.3",
         "0:366 2:366 120 32 120 32 0 3 1 6 2:367 9 9 3 @0,0"},
        {"lower than a line: pages of no lines, no 367", "@6,0,0 80: 45:50,1,0,0,2 | 46:1 46:1 ?80.9 ?46.3",
         "0:366 1:366 0 2 @0,0"},
        {"a label without a box", "@6,2048,4096 80: 63:2,0 | ?80.5 ?80.6 ?80.7 ?80.8", "100 15 48 96 @2048,4096"},
        {"with a box of 2048 x 1024", "@6,2048,4096 27:2048,1024,0 80: 63:2,0 | ?80.5 ?80.6", "48 24 @2048,4096"},
    };
    World world;
    world.GiveTextVisualAnInstance();
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

}  // namespace
