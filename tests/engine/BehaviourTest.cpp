// The behaviours in a level, run through the engine's frame: bodies and
// walls, gravity, the map's limits, children, angles, boxes, the camera,
// timers, held keys, the counter, sounds, vibrations and the loader.
#include <gtest/gtest.h>

#include <sstream>

#include "host/Clock.h"
#include "host/Vibrate.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/COptionsMgr.h"
#include "src/actionZel/AZ_Services.h"
#include "src/game/MapManager.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/LevelWorld.h"
#include "tests/engine/TokenProgram.h"
#include "tests/support/GameRun.h"
#include "tools/ArchiveBuilder.h"
#include "tools/OggTools.h"
#include "tools/ResourceIds.h"

namespace {

// 40 x 7 tiles: the ground on row 6 (standing y 6102), a wall at column 10
// (rows 4-5), a ceiling at columns 20-21 (row 3), a plank (3 | 32) at
// column 25 (row 5).
constexpr char kMap[] = R"(
type solid 15 -
type ceiling 12 -
type plank 35 -
key x solid
key c ceiling
key = plank
layer
........................................
........................................
........................................
....................cc..................
..........x.............................
..........x..............=..............
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
end
)";

// Type 0 starts loading level 0 behind a progress bar on 261; type 1
// handles every event the units raise; on type 2, 299 attaches a new timer;
// type 3 is put back at tile (3, 5) on 375.
// The map in the real adapter, the sample content with an oggenc tone of
// 100 ms as sound 1, the headless media player on the virtual clock.
struct World : LevelWorld {
    static std::string Script() {
        std::string script = "type controller initial idle\ntype body initial body\ntype retimer initial retimer\n"
                             "type fallen initial fallen\nstate fallen\non 375\n    f_setPosition 3 5\n"
                             "state idle\non 286\non 341\non 261\n    b_loader\n    b_loadProgressBar 0\n"
                             "    v_bar\n    v_rect\n    v_color 16 32 64 255\n    f_loadLevel 0 0 0 0 0 0 0\n"
                             "state retimer\non 299\n    b_timer 100\nstate body\n";
        for (int e : {167, 170, 177, 178, 179, 180, 210, 211, 215, 238, 242, 299, 341, 345, 346, 353, 354, 362, 375}) {
            script += "on " + std::to_string(e) + "\n";
        }
        return script;
    }
    World() : LevelWorld(Script()) {
        host::SetVirtualClock(0, 0);
        vktools::Content content = SampleContent();
        content.resources[0x09000224] = vktools::MakeResource(vktools::EncodeTone(800), vktools::kTagOggSound);
        content.resources.erase(0x09000228);  // sound 5: none
        EXPECT_TRUE(Open(content));
        const vktools::Bytes map = MakeTestMap(kMap);
        EXPECT_TRUE(MapManager::parseMap(map.data(), static_cast<std::uint32_t>(map.size()), &Adapter()->getMap()));
    }
    ~World() {
        host::ClearVirtualClock();
        host::SetVibrateResult(S_OK);
    }
};

// Plays a program of tokens on a fresh level, in frames of 48 ms:
//   @type,x,y  a character (the target, and the key character)   #id  target presenter id
//   c:p,...  attach unit c (an instruction: run it)   c.w=v  word w of unit c := v   B  a box 512 x 1024
//   ~c  pause unit c   Dc  detach unit c   L  face left   U  the user character   tN  frames of N ms
//   K / k  key 3 down / up   O0 / O1  the sound option   F  the vibrator fails   T  a stylus tap
//   G  start level 0 (the controller is the target)   Q  ask for the stepwise load   |n  n frames
//   ?c  "+c"/"-c" attached or not   ?c.w  the word   ?C  camera target and x   ?v  a vibration runs
//   ?P  presenter 0's sound plays   ?S  any sound plays   ?Q  the load step, "v" with the view open, "t" with a tap
// The trace: the answers, each handled event "frame:event" ("/id" on
// another character), then "@x,y" ("<" facing left) of the target.
std::string Play(World& w, const std::string& program) {
    AZ_Client* client = w.client;
    Camera* camera = client->getCamera();
    AZ_Adapter* adapter = w.Adapter();
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    adapter->stopAllSounds();
    keys->HandleEvent(EVENT_KEY_UP, 6, 0);  // a key the last program left down
    client->getKeyManager()->update(-1);
    keys->EndFrame();
    client->reset();
    w.store->reset();
    camera->Reset();
    camera->SetBounds(960, 168);
    camera->SetActiveLayer(0);
    camera->SetViewEnabled(true);
    w.hooks.calls.clear();
    AZ_Presenter* p = nullptr;
    std::string trace;
    std::int32_t frame = 0, t = 48;
    const auto events = [&] { TraceHandledEvents(w.hooks.calls, p, frame, trace); };
    std::istringstream in(program);
    for (std::string token; in >> token;) {
        const char op = token[0];
        const std::vector<std::int32_t> n = TokenNumbers(token);
        const std::int32_t slot = p != nullptr && !n.empty() && n[0] < AZ_NUM_LOOKUP ? p->findCodeSlot(n[0]) : -1;
        if (op == '@') p = w.PresenterOfRow(w.Spawn(n[0], n[1], n[2]));
        if (op == '@') adapter->setKeyCharacter(p->getId());
        if (op == '#') p = AZ_Presenter::getPresenter(n[0]);
        if (op == 'G') adapter->startLevel(0);
        if (op == 'G') p = w.PresenterOfRow(client->findCharacterByType(0));
        if (op == 'B') RunCode(p, {27, 512, 1024, 0});
        if (op == '~') AZ_PauseCode(p, n[0]);
        if (op == 'D') p->detach(n[0]);
        if (op == 'L') p->setFacing(1);
        if (op == 'U') adapter->setUserCharacter(p->getId());
        if (op == 't') t = n[0];
        if (op == 'K' || op == 'k') keys->HandleEvent(op == 'K' ? EVENT_KEY_DOWN : EVENT_KEY_UP, 6, 0);
        if (op == 'O') CGameApp::GetOptionsMgr()->SetSoundOn(static_cast<std::uint8_t>(n[0]));
        if (op == 'F') host::SetVibrateResult(E_FAIL);
        if (op == 'Q') adapter->setPendingLevel(0, 0, 0);
        if (op == 'T') keys->SetPointerFlags(CKeyMgr::kPointerDown);
        const auto word = [](std::int32_t slot) { return AZ_Presenter_Singleton::getCodeSlotValue(slot); };
        const bool set = token.find('=') != std::string::npos, query = op == '?' && std::isdigit(token[1]);
        if (std::isdigit(op) && set) AZ_Presenter_Singleton::setCodeSlotValue(slot + n[1], n[2]);
        if (std::isdigit(op) && !set) RunCode(p, n);
        if (token == "?C") trace += std::to_string(camera->GetTargetX()) + "," + std::to_string(camera->GetX()) + " ";
        if (token == "?v") trace += player->IsVibrating(0) ? "v+ " : "v- ";
        const std::int32_t sound = token == "?P" ? word(AZ_Presenter::getPresenter(0)->findCodeSlot(68) + 3) : 0;
        if (token == "?P") trace += adapter->isSoundPlaying(sound) ? "P+ " : "P- ";
        if (token == "?S") trace += adapter->isSoundPlaying(0) ? "S+ " : "S- ";
        if (token == "?Q") trace.append("s").append(std::to_string(adapter->getLoadStep()));
        const bool tapped = keys->GetPointerFlags() != 0;
        if (token == "?Q") trace.append(camera->IsViewEnabled() ? "v" : "").append(tapped ? "t " : " ");
        if (query && n.size() == 2) trace += std::to_string(word(slot + n[1])) + " ";
        if (query && n.size() == 1) trace.append(slot != -1 ? "+" : "-").append(token, 1).append(" ");
        events();
        for (std::int32_t f = 0; op == '|' && f < (n.empty() ? 1 : n[0]); ++f) {
            keys->Tick(t);
            client->getKeyManager()->update(adapter->getKeyCharacter());
            keys->EndFrame();
            client->update(t);
            host::AdvanceVirtualClock(static_cast<std::uint32_t>(t));
            player->Update(static_cast<std::uint32_t>(t));
            ++frame;
            events();
        }
    }
    return trace + "@" + std::to_string(p->getX()) + "," + std::to_string(p->getY()) + (p->getFacing() ? "<" : "");
}

TEST(Behaviours, RunTheirCharacters) {
    const struct {
        const char* what;
        const char* program;
        const char* trace;
    } cases[] = {
        // Motion, walls (standing on the ground: y 6102).
        {"48 ms at 1024 moves 48", "@1,2048,6102 B 5:1024,512,1 7:0,0 |", "@2096,6126"},
        {"facing left: flipped, word kept", "@1,2048,6102 L 5:1024,0,1 | ?5.1", "1024 @2000,6102<"},
        {"a wall on the right: 42 short", "@1,9964,6102 B 5:1024,0,0 7:0,0 | ?5.1", "1:167 0 @9942,6102"},
        {"on the left: flush", "@1,11540,6102 L B 5:1024,0,1 7:0,0 |", "1:167 @11520,6102<"},
        {"inside the leading column", "@1,9216,6102 B 5:1024,0,0 7:0,0 |", "@9264,6102"},
        {"tiles paused: through", "@1,9964,6102 B 5:1024,0,0 7:0,0 ~7 |", "@10012,6102"},
        // Gravity.
        {"179; 178 at 3072", "@1,5120,1024 B 5:0,0,0 8:2048,4096 |31 ?5.2 | ?5.2",
         "1:179 2976 32:178 4096 @5120,3440"},
        {"to terminal speed at once", "@1,5120,1024 B 5:0,0,0 8:32767,1024 |", "1:179 1:178 1:180 @5120,1072"},
        {"landing", "@1,5120,5902 B 5:0,2048,0 8:2048,4096 | ?5.2", "1:177 1:167 1:170 0 @5120,6102"},
        {"on a plank", "@1,26112,4778 B 5:0,2048,0 8:2048,4096 |", "1:177 1:167 1:170 @26112,5590"},
        {"resting: put back, silently", "@1,5120,6092 B 5:0,0,0 8:2048,4096 |3", "@5120,6102"},
        {"into a ceiling", "@1,20992,5150 B 5:0,-2048,0 8:2048,4096 |", "1:177 1:167 1:170 @20992,5120"},
        // The map's limits (40960 x 7168).
        {"no box: the position", "@1,-100,-5 1:0,0 |", "@0,0"},
        {"the box's left and top", "@1,100,500 B 1:0,0 |", "@256,1024"},
        {"below, held", "@1,300,7668 B 1:1,1 |2", "@300,7168"},
        {"below: told, on the edge not", "@1,300,7168 B 1:0,1 @1,300,7668 B 1:0,1 |2", "1:375 2:375 @300,7668"},
        {"below: the handler's move stands", "@3,100,7668 B 1:0,1 |", "1:375 @3072,5120"},
        // Children (the view 240 x 320 at the origin).
        {"no parent", "@1,777,888 2:100,-50,0 2.4=-1 | ?2.1", "100 @777,888"},
        {"a script's child follows presenter 0", "@1,5000,3000 L @1,777,888 2:100,-50,1 | ?2.1", "100 @4900,2950<"},
        {"the view's bottom centre, never mirrored", "@1,777,888 L 2:100,-50,1 2.4=-2 |", "@5220,13603"},
        {"its own velocity", "@1,5000,3000 @1,777,888 2:100,-50,0 5:1024,0,0 |2 ?2.1", "196 @5196,2950"},
        {"a later parent first", "@0,0,0 @1,777,888 2:100,-50,0 2.4=2 @1,5000,3000 5:1024,0,0 #1 |",
         "@5148,2950"},
        {"spawned", "@1,5000,3000 5:1024,0,0 120:1,0,100,-50,1,0,0,0,0 #1 |", "@5148,2950"},
        // Boxes: a negative size made positive once (65535 added); a kept one stays.
        {"negative sizes", "@1,0,0 27:-1,-32768,0 ?27.1 ?27.2 27:-32767,-32767,0 ?27.1 ?27.2 27:0,5,0 ?27.1",
         "65534 32767 65534 32767 0 @0,0"},
        // An angle.
        {"an angle, kept and shifted again", "@1,0,0 3:90 ?3.1 3:-32767 ?3.1", "92160 94371840 @0,0"},
        // The camera: the character at pixel 480 of a 960-pixel map, a quarter of the view ahead.
        {"not the user character", "@0,0,0 @1,20480,4096 4:256,0,0,0,1 | ?C", "0,0 @20480,4096"},
        {"snapped, both ways", "@1,20480,4096 U 4:256,0,0,0,1 | ?C L | ?C", "420,420 300,300 @20480,4096<"},
        {"scrolling", "@1,20480,4096 U 4:256,0,0,0,0 | ?C", "420,78 @20480,4096"},
        {"velocity lead, flip 2", "@1,20480,4096 L U 5:1024,0,2 4:0,0,1024,0,1 | ?C", "383,383 @20432,4096<"},
        // Timers and held keys, 32 ms frames.
        {"a timer of 100", "t32 @1,0,0 17:100 |3 ?17.1 | ?17", "4 4:299 -17 @0,0"},
        {"a timer of 0", "t32 @1,0,0 17:0 |", "1:299 @0,0"},
        {"attached again by its event: a fresh one", "t32 @2,0,0 17:40 |2 ?17.1", "2:299 100 @0,0"},
        {"held 500 ms", "t32 @1,0,0 19:500 K |15 ?19 | ?19", "1:215 1:211 +19 16:215 16:211 -19 @0,0"},
        {"released early", "t32 @1,0,0 19:500 K |2 k |", "1:215 1:211 3:242 3:238 3:210 @0,0"},
        // The counter.
        {"limit 3", "@1,0,0 72:3 72:3 72:3 72:3 | ?72 72:3 ?72.2", "0:345 0:346 0:354 -72 0 @0,0"},
        {"limit 1", "@1,0,0 72:1 72:1 | ?72", "0:354 -72 @0,0"},
        {"limit 20", "@1,0,0 72:20 72:20 72:20 72:20 72:20 72:20 72:20 72:20 72:20 72:20 72:20",
         "0:345 0:346 0:347 0:348 0:349 0:350 0:351 0:352 0:353 0:353 @0,0"},
        // Sounds (100 ms), vibrations (200 ms): a handle of 0 or -1 ends a one-shot and stops nothing.
        {"a one-shot ends once played out", "@1,0,0 68:1,0 |4", "4:362 @0,0"},
        {"a loop starts again", "@1,0,0 68:1,1 |3 ?P | ?P", "P- P+ @0,0"},
        {"a loop stops when detached", "@1,0,0 68:1,1 | ?S D68 ?S", "S+ S- @0,0"},
        {"option off", "@1,0,0 68:1,1 @1,0,0 O0 68:1,0 O1 | ?P", "1:362 P+ @0,0"},
        {"no such sound", "@1,0,0 68:1,1 @1,0,0 68:5,0 | ?P", "1:362 P+ @0,0"},
        {"a vibration runs its time", "@1,0,0 69:0,200 |5 ?69 | ?69", "+69 -69 @0,0"},
        {"detached early: left to run", "@1,0,0 69:0,200 D69 |4 ?v | ?v", "v+ v- @0,0"},
        {"the vibrator fails", "F @1,0,0 69:0,200 | ?69", "-69 @0,0"},
        // The level start: a count, four steps, then the view and the events;
        // the backdrop covers the view, the bar runs two steps ahead, then hides.
        {"the level start", "G T | ?83.7 ?Q ?91.3 ?91.4 | ?83.7 | ?83.7 | ?83.7 | ?83.7 ?Q | ?83.0 ?Q",
         "0:287 0:387 0:261 0 s0t 240 320 51200 51200 76800 102400 s4t 6:341 6:286 1 s4v @0,0"},
        // The border: 0xFF000080 at 500 ms, 0xFF00007F at 1500, kept at 2000, which is taken off.
        {"the bar's border", "G |2 83.11=452 | ?83.10 83.11=1452 | ?83.10 83.11=1952 | ?83.10 ?83.11",
         "0:287 0:387 0:261 -16777088 -16777089 -16777089 0 @0,0"},
        {"no controller; nothing more to load: it waits", "@1,0,0 60: Q |6 60: |3 ?60.3 ?60.1", "6:341 0 0 @0,0"},
    };
    World world;
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

TEST(BehavioursDeathTest, GravityWithoutMotionStops) {
    // The child forks from this world: a child that ran the test again
    // would make scratch directories of its own, and die before removing
    // them.
    GTEST_FLAG_SET(death_test_style, "fast");
    World world;
    EXPECT_DEATH(Play(world, "@1,0,0 B 8:2048,4096 |"),
                 FailedCheck("[ AZ ][ ERROR ] - Access to codeSlot with negative id", AZ_UNIT_HEADER(b_motion)));
}

}  // namespace
