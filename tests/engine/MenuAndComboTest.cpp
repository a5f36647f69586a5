// Menus built from characters, the level name stepper and the combo meter
// in a level, run through the application's frames.
#include <gtest/gtest.h>

#include <sstream>

#include "src/CGameApp.h"
#include "src/CSaveGameMgr.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/engine/TokenProgram.h"

namespace {

// 1 a menu over the items (type 4) with a container and the cursors of
// type 5; 3 another such menu without a container; 8 a menu over the
// labels (6, string 20). The cursor hangs 100 right and 50 below its
// parent; items have a box 2048 high. 79 shows the combo bar: filling
// animation 3, full 5 (eight frames).
const std::string kScript = R"(type ctl initial ctl | type menu initial menu | type player initial player
type other initial other | type item initial item | type cursor initial cursor | type label initial label
type boxed initial boxed | type levels initial levels
)" + FillerTypes(9, 79) + R"(type display initial display
state idle | state ctl | on 342 | on 343 | on 355 | on 356 | on 357 | on 358
state menu | on enter | b_widgetSelectable 4 0 | b_widgetContainer | b_widgetCursor 5
state other | on enter | b_widgetSelectable 4 0 | b_widgetCursor 5
state levels | on enter | b_widgetSelectable 6 0
state player | on enter | b_combo 0 100 1500 0 0 | on 403
state item | on enter | b_boundingBox 512 2048 0 | on 359 | on 360
state cursor | on enter | b_child 100 50 0
state label | on enter | b_textWidget 20 0 | on 343 | on 344 | on 345 | on 346 | on 353
state boxed | on enter | b_textBox 50 50 0 0 20 | on 343 | on 344 | on 353
state display | on enter | v_combo 0 0 | b_comboBarAnimationIds 3 0 5
)";

// Plays a program of tokens on a fresh level in 48 ms frames:
//   @type,x,y  a character, the target   #id  presenter id as the target
//   c:p,...  attach unit c (an instruction: run it)   c.w=v  word w of unit c := v   Dc  detach unit c
//   |n  n frames   ?c.w  the word   ?c  "+c"/"-c" attached or not   ^c.w,n  n frames, the word after each
//   Rn  the save record's level reached := n   O  a saved game, sound and vibration on   K  the target takes keys
//   ?a  the target's combo bar animation   ?f  "F" when it has ended, else "L"   An  it := n   ?L  the level
// The trace: the answers, each handled event "frame:event" ("/id" on
// another character), then "@x,y" of the target.
std::string Play(GameUnitWorld& w, const std::string& program) {
    AZ_Client* client = w.client;
    AZ_Adapter* adapter = client->getAdapter();
    SZ_Pool* pool = client->getSpritePool();
    w.Restart();
    adapter->resetSaveData();
    adapter->setSoundOn(false);
    adapter->setVibrationOn(false);
    w.hooks.calls.clear();
    AZ_Presenter* p = nullptr;
    std::string trace;
    std::int32_t frame = 0;
    const auto word = [&](std::int32_t code, std::int32_t n) {
        return std::to_string(AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(code) + n)) + " ";
    };
    const auto bar = [&] { return AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(92) + 3); };
    std::istringstream in(program);
    for (std::string token; in >> token;) {
        const char op = token[0];
        const std::vector<std::int32_t> n = TokenNumbers(token);
        const bool set = token.find('=') != std::string::npos, query = op == '?' && std::isdigit(token[1]);
        if (op == '@') p = w.PresenterOfRow(w.Spawn(n[0], n.size() > 1 ? n[1] : 0, n.size() > 2 ? n[2] : 0));
        if (op == '#') p = AZ_Presenter::getPresenter(n[0]);
        if (op == 'D') p->detach(n[0]);
        if (op == 'K') adapter->setKeyCharacter(p->getId());
        if (op == 'A') pool->setAnimation(bar(), n[0], 0, 0);
        if (op == 'R') {
            CGameApp::GetSaveGameMgr()->SetLevelReached(n[0]);
            CGameApp::GetSaveGameMgr()->Save();
        }
        if (op == 'O') {
            adapter->setSavedGame(true);
            adapter->setSoundOn(true);
            adapter->setVibrationOn(true);
        }
        if (std::isdigit(op) && set) AZ_Presenter_Singleton::setCodeSlotValue(p->findCodeSlot(n[0]) + n[1], n[2]);
        if (std::isdigit(op) && !set) RunCode(p, n);
        if (query && n.size() == 2) trace += word(n[0], n[1]);
        if (query && n.size() == 1) trace.append(p->findCodeSlot(n[0]) != -1 ? "+" : "-").append(token, 1) += " ";
        if (token == "?a") trace += std::to_string(pool->getAnimation(bar())) + " ";
        if (token == "?f") trace += pool->isAnimationFinished(bar()) ? "F " : "L ";
        if (token == "?L") trace += std::to_string(adapter->getCurrentLevel()) + " ";
        TraceHandledEvents(w.hooks.calls, p, frame, trace);
        const std::int32_t frames = op == '|' ? (n.empty() ? 1 : n[0]) : op == '^' ? n[2] : 0;
        for (std::int32_t f = 0; f < frames; ++f) {
            w.Tick(48);
            ++frame;
            TraceHandledEvents(w.hooks.calls, p, frame, trace);
            if (op == '^') trace += word(n[0], n[1]);
        }
    }
    return trace + "@" + std::to_string(p->getX()) + "," + std::to_string(p->getY());
}

struct Case {
    const char* what;
    const char* program;
    const char* trace;
};

void PlayAll(std::initializer_list<Case> cases) {
    GameUnitWorld world(kScript);
    for (const Case& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

// The menu is presenter 0, the items 1-3 at x 1000, 3000, 5000, y 3000.
#define ITEMS "@4,1000,3000 @4,3000,3000 @4,5000,3000"

TEST(MenuAndCombo, FocusAndCursors) {
    PlayAll({
        {"-1 at attach, the first item at the first update, no event", "@1 ?65.3 " ITEMS " #0 | ?65.3",
         "-1 1 @0,0"},
        {"a paused selectable: the container gives it with 359", "@1 65.0=1 " ITEMS " #0 | ?65.3", "1:359/1 1 @0,0"},
        {"an empty group stays -1", "@1 |2 131:1,1 ?65.3", "-1 @0,0"},
        {"wrap forward from the last", "@1 " ITEMS " #0 65.3=3 131:1,1 ?65.3", "0:360/3 0:359/1 1 @0,0"},
        {"wrap backward from the first", "@1 " ITEMS " #0 65.3=1 131:0,1 ?65.3", "0:360/1 0:359/3 3 @0,0"},
        {"past the end without wrap keeps it", "@1 " ITEMS " #0 65.3=3 131:1,0 ?65.3", "0:360/3 0:359/3 3 @0,0"},
        {"one item stays", "@1 @4 #0 65.3=1 131:1,1 131:0,1 ?65.3", "0:360/1 0:359/1 0:360/1 0:359/1 1 @0,0"},
        {"a focus that is no item: first forward", "@1 " ITEMS " #0 65.3=0 131:1,0 ?65.3", "0:360 0:359/1 1 @0,0"},
        {"and last backward", "@1 " ITEMS " #0 65.3=0 131:0,0 ?65.3", "0:360 0:359/3 3 @0,0"},
        // The box is 2048 high: its middle lies 1024 above the item's y.
        {"the cursor at x + offset and the box middle", "@1 " ITEMS " @5 2.4=0 |2 ?2.0", "1 @1100,1976"},
        {"its y without a box", "@1 " ITEMS " #1 D27 @5 2.4=0 |2 ?2.0", "1 @1100,3000"},
        {"another menu's cursor is paused, not moved", "@1 " ITEMS " @3 @5,7,9 2.4=4 |2 ?2.0", "1 @7,9"},
        {"the user and key characters recorded", "@0 @0 K 71 ?71.2", "1 @0,0"},
    });
}

TEST(MenuAndCombo, LevelNameStepper) {
    PlayAll({
        {"first attach with reached 2 shows base + 2", "R2 @6 62:0 ?62.2 ?63.1", "0:345 20 22 @0,0"},
        {"reached 0 always shows the base", "@6 62:0 62:1 62:-1 ?63.1", "0:343 0:343 0:343 20 @0,0"},
        {"+1 at base + reached wraps, -1 at base back", "R2 @6 62:0 62:1 ?63.1 62:-1 ?63.1",
         "0:345 0:343 20 0:345 22 @0,0"},
        {"step 0 repeats the index", "R3 @6 62:0 62:-1 62:0 ?63.1", "0:346 0:345 0:345 22 @0,0"},
        {"a base of 0 is never kept", "R2 @6 63.1=0 62:0 62:0 ?62.2 ?63.1", "0:345 0:345 2 4 @0,0"},
        {"a text box alone steps without bounds; 10 or more is 353", "@7 62:0 62:10 ?45.5 62:1 ?45.5",
         "0:343 0:353 30 0:353 31 @0,0"},
        {"text-less: no game, sound and vibration off", "@0 K @0 62:0 | ?62", "0:343 1:342/0 1:356/0 1:358/0 -62 @0,0"},
        {"text-less: a game, sound and vibration on", "O @0 K @0 62:0 |2 ?62",
         "0:343 1:343/0 1:355/0 1:357/0 -62 @0,0"},
        {"the focused name's level starts", "R3 @8 @6 62:0 62:1 @6 62:0 62:-1 #0 | 131:1,0 132 ?L",
         "0:346 0:343 0:346 0:345 1:360/1 1:359/2 1:287 1:386 1:263 2 @0,0"},
    });
}

// The player (presenter 0, window 1500, max 100) and the display (1); a
// hit "75:10,500" is worth 10 over 500 ms. SHOWN: a combo of 2 just hit,
// as a hit leaves it (a b_addCombo removed in an update makes b_combo
// miss that frame's update, so the timed rows set the words).
#define SHOWN "74.4=2 74.5=0 74.6=0 74.8=0 74.9=0 74.11=-1"
TEST(MenuAndCombo, ComboMeter) {
    PlayAll({
        {"hit 1 adds and shows nothing", "@2 @79 #0 75:10,500 ?75 |20 ?74.1 ?74.4 ?74.11", "-75 0 1 1 @0,0"},
        {"hit 2 shows the display and adds 10 over 500 ms",
         "@2 @79 #0 75:10,500 75:10,500 ?74.5 ?74.6 ?74.10 ?74.11 |11 ?74.1 ?75 | ?74.1 ?75",
         "0 0 2 -1 10 +75 10 -75 @0,0"},
        {"hit 3 adds 20", "@2 @79 #0 75:10,0 75:10,0 | 75:10,500 ?75.1", "20 @0,0"},
        {"hit 11 adds the maximum", "@2 @79 #0 74.4=10 75:10,500 ?75.1", "100 @0,0"},
        {"20 over 500 ms at 48 ms", "@2 @79 #0 74.4=2 75:10,500 ^74.1,12 ?75",
         "1 3 5 7 9 11 13 15 17 19 20 20 -75 @0,0"},
        {"a re-attach drops the rest", "@2 @79 #0 74.4=1 75:10,500 |3 75:10,500 ?75.1 ?75.2", "20 500 @0,0"},
        {"95 + 10: full animation, looping, 100 stored", "@2 @79 ?a #0 74.1=95 74.4=1 75:10,0 | #1 ?a |10 ?f #0 ?74.1",
         "65535 5 L 100 @0,0"},
        {"at 100 nothing switches", "@2 @79 #0 74.1=100 74.4=1 #1 A0 #0 75:10,0 | #1 ?a", "0 @0,0"},
        {"below the maximum back to filling", "@2 @79 #0 74.1=50 74.4=1 #1 A5 #0 75:10,0 | #1 ?a", "3 @0,0"},
        {"a miss throws the display out, the state kept",
         "@2 @79 #0 74.4=4 74.11=-1 75:0,500 ?74.4 ?74.5 ?74.6 ?74.11 #1 ?a", "0 100 100 -1 3 @0,0"},
        {"the window ends the combo, 1000 ms later hidden",
         "@2 @79 #0 74.1=50 " SHOWN " |31 ?74.4 | ?74.4 ?74.11 |19 ?74.11 | ?74.5 ?74.6 ?74.11",
         "2 0 0 0 100 100 1 @0,0"},
        {"a full bar stays", "@2 @79 #0 74.1=100 " SHOWN " |52 ?74.5 ?74.6 ?74.11", "0 100 1 @0,0"},
        {"window 0 ends it at the next update", "@2 @79 #0 74.3=0 75:10,0 75:10,500 | ?74.4 ?74.11", "0 0 @0,0"},
        {"full raises 403", "@2 #0 74.1=100 159 74.1=99 159", "0:403 @0,0"},
        {"without b_combo it goes at attach", "@0 75:10,500 ?75", "-75 @0,0"},
        {"without a display the step is used up", "@2 75:10,0 75:10,0 | ?74.1 ?75", "0 -75 @0,0"},
        {"a display without its units: the meter written", "@2 @79 D92 D73 #0 75:10,0 75:10,0 | ?74.1", "10 @0,0"},
        {"bar ids without v_combo do nothing", "@79 D92 |2 ?73", "+73 @0,0"},
    });
}

}  // namespace
