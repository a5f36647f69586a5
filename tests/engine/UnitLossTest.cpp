// A unit raises an event and the handler takes the unit away: detaches it,
// destroys its character (whose presenter another character may take at
// once), detaches and attaches it again, or attaches it again in place.
// After the event a freed record stays free and a record attached afresh
// stays as that attach left it; while the character lives the unit still
// takes its steps that write only partners it finds again, its character
// or its further events, and once it is gone nothing follows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/game/MapManager.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/engine/LevelWorld.h"
#include "tests/engine/TokenProgram.h"

namespace {

// Every character hands each event the units raise (162 to 407, and the
// text box's end event 529) to f_customCodeInstruction, where the
// handler's action runs.
std::string Script() {
    std::string script = std::regex_replace(FillerTypes(0, 82), std::regex("initial idle"), "initial body");
    script += "state body";
    for (int e = 162; e <= 407; ++e) {
        script += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
    }
    return script + " | on 529 | f_customCodeInstruction 529\n";
}

// 40 x 7 tiles: the ground on row 6 (standing y 6102), a wall at column 10
// (rows 4-5).
constexpr char kMap[] = R"(
type solid 15 -
key x solid
layer
........................................
........................................
........................................
........................................
..........x.............................
..........x.............................
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
end
)";

// The sample content's sprites and strings, the map above, and a store
// that gives v_textBox an instance (the game's table gives it none). The
// level's load has run to its end before, so that b_loader finds nothing
// left to load.
struct World : GameUnitWorld {
    World() : GameUnitWorld(Script()) {
        AZ_Adapter* adapter = client->getAdapter();
        while (adapter->getLoadStep() < 4) adapter->loadLevelStep();
        const vktools::Bytes map = MakeTestMap(kMap);
        EXPECT_TRUE(MapManager::parseMap(map.data(), static_cast<std::uint32_t>(map.size()),
                                         &client->getAdapter()->getMap()));
        GiveTextVisualAnInstance();
    }
};

// What a handler does to the unit under test: detaches it, destroys its
// character, detaches and attaches it again, attaches it again in place,
// or destroys the character while a new one of its type takes the
// presenter, at its place, with the same codes attached afresh.
enum class Take { kDetach, kDestroy, kDetachAndAttach, kAttachAgain, kReplace };
constexpr Take kTakes[] = {Take::kDetach, Take::kDestroy, Take::kDetachAndAttach, Take::kAttachAgain, Take::kReplace};

// The code-slot memory, then x, y and facing of every presenter.
std::vector<std::int32_t> Snapshot() {
    std::vector<std::int32_t> words;
    for (std::int32_t i = 0; i < AZ_GetManager()->getTotalWords(); ++i) {
        words.push_back(AZ_Presenter_Singleton::getCodeSlotValue(i));
    }
    for (std::int32_t id = 0; id < AZ_Presenter_Singleton::getInstance()->getPoolSize(); ++id) {
        const AZ_Presenter* p = AZ_Presenter::getPresenter(id);
        words.insert(words.end(), {p->getX(), p->getY(), p->getFacing()});
    }
    return words;
}

// Every difference, in memory order: "w<code id>.<word>" in the code-slot
// memory, "p<presenter id>" for a position or facing.
std::string Differences(const std::vector<std::int32_t>& before, const std::vector<std::int32_t>& after) {
    const AZ_Manager* manager = AZ_GetManager();
    const std::int32_t words = manager->getTotalWords();
    std::string list, last;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        const auto at = static_cast<std::int32_t>(i);
        std::string place = "p" + std::to_string((at - words) / 3);
        if (at < words) {
            std::int32_t code = 0;
            while (at >= manager->getSlotStart(code + 1)) ++code;
            const std::int32_t word = (at - manager->getSlotStart(code)) % manager->getInstanceWords(code);
            place = "w" + std::to_string(code) + "." + std::to_string(word);
        }
        if (place != last) list.append(list.empty() ? "" : " ").append(place);
        last = place;
    }
    return list;
}

// The codes the presenter holds, in its run's order.
std::vector<std::int32_t> CodesOf(const AZ_Presenter* p) {
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    return std::vector<std::int32_t>(store->getCodeList() + p->getRunStart(), store->getCodeList() + p->getRunEnd());
}

// Attaches the code as a fresh call would, every parameter kept.
void AttachKept(AZ_Presenter* p, std::int32_t code) {
    std::vector<std::int32_t> call(static_cast<std::size_t>(AZ_GetCallParameterCount(code)) + 1, -32767);
    call[0] = code;
    RunCode(p, call);
}

// Plays a program of tokens on a fresh level; the camera at pixel (0, 0)
// of a 240 x 320 view over the map, the view off until V:
//   @type,x,y  a character, the current one   #id  presenter id as the current one
//   c:p,...  attach unit c (an instruction: run it)   c.w=v  word w of unit c := v
//   Bw,h  a box   V  the view on   Z  the character's row only (dormant)
//   K  key 3 (left) held   |  a frame of 48 ms   Uc / Uc,t  unit c's update itself, with time 32 / t
//   !c,e / !c,e,n / !c,e,n,s  the next token is the trigger: at the n-th (first) handling of event e
//   during it, the handler takes unit c of the current character (of presenter s) away
// Answers what the trigger did after the handler: every difference from
// the world the handler left, then each event handled after it as
// "<event>p<presenter id>"; "ok" for neither, "-" when the event did not
// come.
std::string Play(World& w, const std::string& program, Take take) {
    AZ_Client* client = w.client;
    // Key 3 (left) down or up, and the key states advanced as a frame does.
    const auto key = [client](std::uint32_t event) {
        CKeyMgr* keys = CGameApp::GetKeyMgr();
        keys->HandleEvent(event, 6, 0);
        client->getKeyManager()->update(-1);
        keys->EndFrame();
    };
    key(EVENT_KEY_UP);  // a key the last program left down
    w.Restart();
    Camera* camera = client->getCamera();
    camera->SetupForMap(240, 320, 1);
    camera->SetActiveLayer(0);
    w.ViewFromOrigin();

    AZ_Presenter* p = nullptr;
    AZ_Presenter* subject = nullptr;
    std::int32_t unit = -1, event = -1, occurrence = 0;
    bool armed = false, acted = false;
    std::vector<std::int32_t> after;
    std::string events;
    g_action = [&](AZ_Presenter* receiver, std::int32_t e) {
        if (acted) events.append(" ").append(std::to_string(e)).append("p").append(std::to_string(receiver->getId()));
        if (!armed || e != event || --occurrence != 0) return;
        armed = false;
        const std::vector<std::int32_t> codes = CodesOf(subject);
        const std::int32_t type = subject->getCharacterType(), x = subject->getX(), y = subject->getY();
        const std::uint8_t facing = subject->getFacing();
        if (take == Take::kDestroy || take == Take::kReplace) {
            client->destroyCharacter(client->getActiveIndex(subject->getId()));
        }
        if (take == Take::kReplace) {
            AZ_Presenter* newcomer = w.store->createPresenter(type, x, y);
            EXPECT_EQ(newcomer, subject);
            newcomer->setFacing(facing);
            client->spawnCharacter(newcomer);
            for (const std::int32_t code : codes) AttachKept(newcomer, code);
        }
        if (take == Take::kDetach || take == Take::kDetachAndAttach) subject->detach(unit);
        if (take == Take::kDetachAndAttach || take == Take::kAttachAgain) AttachKept(subject, unit);
        after = Snapshot();
        acted = true;
    };
    std::string answer = "-";
    std::istringstream in(program);
    for (std::string token; in >> token;) {
        const char op = token[0];
        const std::vector<std::int32_t> n = TokenNumbers(token);
        const std::int32_t slot = p != nullptr && !n.empty() && n[0] < AZ_NUM_LOOKUP ? p->findCodeSlot(n[0]) : -1;
        const bool trigger = armed;
        if (op == '@') p = w.PresenterOfRow(w.Spawn(n[0], n[1], n[2]));
        if (op == '#') p = AZ_Presenter::getPresenter(n[0]);
        if (op == 'B') RunCode(p, {27, n[0], n[1], 0});
        if (op == 'V') camera->SetViewEnabled(true);
        if (op == 'Z') client->releaseRow(client->getActiveIndex(p->getId()));
        if (op == 'K') key(EVENT_KEY_DOWN);
        if (op == '|') w.Tick(48);
        if (op == 'U') AZ_GetUnit(n[0]).update(p, slot, n.size() > 1 ? n[1] : 32);
        if (std::isdigit(op) && token.find('=') != std::string::npos) {
            AZ_Presenter_Singleton::setCodeSlotValue(slot + n[1], n[2]);
        } else if (std::isdigit(op)) {
            RunCode(p, n);
        }
        if (trigger) {
            armed = false;
            if (acted) {
                answer = Differences(after, Snapshot()) + events;
                if (answer.empty()) answer = "ok";
                if (answer[0] == ' ') answer.erase(0, 1);
                acted = false;
            }
        }
        if (op == '!') {
            subject = n.size() > 3 ? AZ_Presenter::getPresenter(n[3]) : p;
            unit = n[0];
            event = n[1];
            occurrence = n.size() > 2 ? n[2] : 1;
            armed = true;
        }
    }
    g_action = nullptr;
    return answer;
}

// The answers of the five takes, in their order, when the handler's take
// leaves the character alive in the first, third and fourth, and nothing
// may follow the other two.
std::string Live(const std::string& answer) {
    return answer + " / ok / " + answer + " / " + answer + " / ok";
}

// A row of the loss table: the unit (the first word) and what it does, the
// program, and the answers for the five takes.
struct LossCase {
    const char* what;
    std::string program;
    std::string answers = Live("ok");
};

// Each row's answers for the five takes (Live: the unit's steps after the
// event while the character lives, nothing once it is gone). A unit never
// writes its own record after losing it, so no answer names a word of the
// unit under test: only the partners it finds again (b_motion's velocity,
// the struck character's impact point, the text box's visual, the menu's
// selectable), its character's position and the events that follow.
const std::vector<LossCase>& LossCases() {
    const std::string thrower = "@3,2367,9042 B512,1024 36:0,0 @5,5000,5904 53:0 U53 #0 ";
    const std::string hook = "@3,10500,12000 B512,1024 @5,10500,0 2:0,0,0 89:0,0,0,0 ";
    const std::string menu = "@4,0,0 @4,0,0 @4,0,0 @1,0,0 65:4,0 ";
    const std::string boxes = "@1,2000,2000 B512,1024 @2,2000,2000 B512,1024 5:512,0,0 6:1 ";
    static const std::vector<LossCase> cases = {
        // Motion, gravity, the map's limits, box collision.
        {"b_motion 167", "@1,9964,6102 B512,1024 5:1024,0,0 7:0,0 !5,167 U5,48"},
        {"b_gravity 177", "@1,5120,5902 B512,1024 5:0,2048,0 8:2048,4096 !8,177 U8,48", Live("w5.2 167p0 170p0")},
        {"b_gravity 167", "@1,5120,5902 B512,1024 5:0,2048,0 8:2048,4096 !8,167 U8,48", Live("w5.2 170p0")},
        {"b_gravity 170", "@1,5120,5902 B512,1024 5:0,2048,0 8:2048,4096 !8,170 U8,48", Live("w5.2")},
        {"b_gravity 179", "@1,5120,1024 B512,1024 5:0,0,0 8:32767,1024 !8,179 U8,48", Live("178p0 180p0")},
        {"b_gravity 178", "@1,5120,1024 B512,1024 5:0,0,0 8:32767,1024 !8,178 U8,48", Live("180p0")},
        {"b_gravity 180", "@1,5120,1024 B512,1024 5:0,0,0 8:32767,1024 !8,180 U8,48"},
        {"b_limitToMap 375", "@1,100,7668 B512,1024 1:0,1 !1,375 U1"},
        {"b_bBoxCollidable 166", boxes + "!6,166 U6", Live("w5.1 p1 165p1 169p0 169p1")},
        {"b_bBoxCollidable 165", boxes + "!6,165 U6", Live("w5.1 p1 169p0 169p1")},
        {"b_bBoxCollidable 169 on the other", boxes + "!6,169 U6", Live("w5.1 p1 169p1")},
        {"b_bBoxCollidable 169 on itself", boxes + "!6,169,2 U6"},
        // The collider (presenter 0) taken: while it lives it is recorded
        // and gets its 169; once gone, neither, and its presenter's new
        // character gets nothing.
        {"b_bBoxCollidable 166, the collider taken", boxes + "!0,166,1,0 U6",
         "w5.1 w6.2 p1 165p1 169p0 169p1 / w5.1 p1 165p1 169p1 / w5.1 w6.2 p1 165p1 169p0 169p1 / "
         "w5.1 w6.2 p1 165p1 169p0 169p1 / w5.1 p1 165p1 169p1"},
        {"b_bBoxCollidable 165, the collider taken", boxes + "!0,165,1,0 U6",
         "w5.1 w6.2 p1 169p0 169p1 / w5.1 p1 169p1 / w5.1 w6.2 p1 169p0 169p1 / w5.1 w6.2 p1 169p0 169p1 / "
         "w5.1 p1 169p1"},
        // Timers, keys, counters, health and power.
        {"b_timer 299", "@1,0,0 17:10 !17,299 U17"},
        {"b_keyHeld 210", "@1,0,0 19:500 !19,210 U19"},
        {"b_keyHeld 215", "@1,0,0 K 19:10 !19,215 U19", Live("211p0")},
        {"b_counter 345", "@1,0,0 72:3 !72,345 72:3"},
        {"b_counter 354", "@1,0,0 72:1 !72,354 72:1"},
        {"b_deliverDamage 195", "@1,0,0 20:100,100 24:50,0 !24,195 U24"},
        {"b_deliverDamage 198", "@1,0,0 20:100,100 24:50,100 !24,198 U24"},
        {"b_deliverDamage 199", "@1,0,0 20:10,100 24:50,0 !24,199 U24"},
        {"b_regenerateHealthOverTime 200", "@1,0,0 20:99,100 23:1024 !23,200 U23"},
        {"b_increaseHealth 200, its time up", "@1,0,0 20:99,100 25:10,20 !25,200 U25"},
        {"b_increaseHealth 193, its time up", "@1,0,0 20:5,100 25:10,20 !25,193 U25"},
        {"b_increaseHealth 200, time left", "@1,0,0 20:99,100 25:10,100 !25,200 U25"},
        {"b_checkPower 333", "@1,0,0 55:10,100 !58,333 58:5"},
        // Sprites: animation, collision, grabbing.
        {"b_szAnimatable 164", "@1,0,0 86:0,0 12:6,0,0 !12,164 U12,200"},
        {"b_szCollidable 289", "@2,0,0 B512,1024 @1,0,0 86:0,0 12:9,1,0 10:2 !10,289 U10", Live("169p0 288p1")},
        {"b_szCollidable 169", "@2,0,0 B512,1024 @1,0,0 86:0,0 12:9,1,0 10:2 !10,169 U10", Live("288p1")},
        {"b_szCollidable 288", "@2,0,0 B512,1024 @1,0,0 86:0,0 12:9,1,0 10:2 !10,288 U10"},
        {"b_szCollidable, the second of two hit",
         "@2,0,0 B512,1024 @2,0,0 B512,1024 29: @1,0,0 86:0,0 12:9,1,0 10:2 !10,169 U10",
         Live("w29.2 289p1 169p1 288p2")},
        {"b_szWorldCollidable 291", "@2,0,0 5:0,0,0 @1,0,0 9:2 9.2=0 !9,291 U9", Live("170p0 290p1")},
        {"b_szWorldCollidable 290", "@2,0,0 5:0,0,0 @1,0,0 9:2 9.2=0 !9,290 U9"},
        // The struck or pushed character (presenter 0) taken: its second
        // event only while it lives.
        {"b_szCollidable 289, the struck one taken", "@2,0,0 B512,1024 @1,0,0 86:0,0 12:9,1,0 10:2 !0,289,1,0 U10",
         "w10.0 169p0 288p1 / w10.0 288p1 / w10.0 169p0 288p1 / w10.0 169p0 288p1 / w10.0 288p1"},
        {"b_szWorldCollidable 291, the pushed one taken", "@2,0,0 5:0,0,0 @1,0,0 9:2 9.2=0 !0,291,1,0 U9",
         "170p0 290p1 / 290p1 / 170p0 290p1 / 170p0 290p1 / 290p1"},
        {"b_szGrabbable 181", "@2,0,0 86:0,0 12:9,1,0 @1,0,0 86:0,0 12:9,1,0 31:2 !31,181 U31"},
        // Sensing.
        {"b_directionalProximity 203", "@2,1024,0 @1,0,0 18:2,2048,4096 !18,203 U18"},
        {"b_circularProximity 201", "@2,3072,0 B512,1024 @1,0,0 B512,1024 34:2,4096,8192 !34,201 U34"},
        {"b_rectangularProximity 206",
         "@2,500,0 B512,512 @1,0,0 B1024,1024 33:2,2048,2048,4096,4096,1 !33,206 U33"},
        {"b_multipleProximity 313", "@2,-500,0 @2,800,0 @1,0,0 50:2,1000 !50,313 U50"},
        {"b_relativeDirection 171", "@2,0,0 @1,1000,0 18:2,2048,4096 U18 42:18 !42,171 U42",
         Live("324p1 172p0 325p0")},
        {"b_relativeToCharacter 171", "@2,0,0 @1,1000,0 52:2 !52,171 U52", Live("324p1 172p0 325p0")},
        {"b_relativeDirection 172, the other taken", "@2,0,0 @1,1000,0 18:2,2048,4096 U18 42:18 !0,172,1,0 U42",
         "325p0 / ok / 325p0 / 325p0 / ok"},
        {"b_drawable 208", "V @1,2048,2048 B1024,1024 40:1,1 !40,208 U40"},
        {"b_drawable 285", "V @1,50000,2048 B1024,1024 40:1,1 !40,285 U40"},
        {"b_drawable, dormant: 162", "V @1,2048,2048 B1024,1024 40:1,1 Z !40,162 U40", Live("208p0")},
        {"b_actionBubble 207", "V @1,12252,2048 B1024,1024 41:4096,0 !41,207 U41"},
        {"b_actionBubble 284", "V @1,12252,2048 B1024,1024 41:0,0 !41,284 U41"},
        {"b_actionBubble, dormant: 162", "V @1,12252,2048 B1024,1024 41:4096,0 Z !41,162 U41", Live("207p0")},
        {"b_clipToScreen 311", "V @1,2048,2048 B2048,2048 40:1,1 49: U40 !49,311 U49"},
        {"b_clipToScreen 312", "V @1,-5000,2048 B2048,2048 40:1,1 49: U40 !49,312 U49"},
        // The rope swing: set-up, the marks, the release.
        {"b_swingOnGrapple 295, the hook too far", "@3,0,10000 36:0,0 @5,20481,-10480 53:0 U53 #0 37:0,0 !37,295 U37"},
        {"b_swingOnGrapple 298", thrower + "37:900,175 U37,48 !37,298 U37,48", Live("p0")},
        {"b_swingOnGrapple 298 on the release step", thrower + "37:900,60 U37,48 !37,298 U37,48", Live("p0 295p0")},
        {"b_swingOnGrapple 295 on the release step", thrower + "37:900,60 U37,48 !37,295 U37,48"},
        {"b_swingOnGrapple 295, the hook gone", thrower + "37:900,175 U37,48 36.4=-1 !37,295 U37,48"},
        // The hook: the rope too long, and caught on the ground.
        {"b_collisionGrapple 328", hook + "53:100 !53,328 U53"},
        {"b_collisionGrapple 190", hook + "53:20000 !53,190 U53"},
        // Text. A handler that attaches b_textBox again has its visual
        // start at the top already.
        {"b_textBox 366 at the attach", "@6,0,0 80: 80.9=5 !45,366 45:50,5,0,0,2", "w80.9 / ok / ok / ok / ok"},
        {"b_textBox 366 at the update", "@6,0,0 80: 45:50,5,0,0,2 !45,366 U45"},
        {"b_textBoxScrollPage 367", "@6,0,0 80: 45:50,20,0,0,2 | | 46:1 46:1 !46,367 46:1"},
        // The end event goes to every character of the type, a new one too.
        {"b_inGameTextBox, its end event", "@1,0,0 76:4,200 76.11=1 76.17=367 76.18=1 !76,529 U76,48",
         "ok / ok / ok / ok / 529p0"},
        // Loading, sounds, menus. A selectable attached afresh has no item
        // type and finds no item to focus.
        {"b_playSound 362", "@1,0,0 68:1000,0 !68,362 U68"},
        {"b_loader 341", "@0,0,0 @1,0,0 60: 60.3=1 !60,341 U60", Live("286p0")},
        {"b_changeLevelStringId 343 at the attach", "@1,0,0 63:12,0 !62,343 62:0"},
        {"b_changeLevelStringId 342", "@1,0,0 62:0 !62,342 U62", Live("355p0 357p0")},
        {"b_widgetContainer 359", menu + "64: !64,359 U64"},
        {"f_widgetSelectItem 360", menu + "65.3=0 !65,360 131:1,0", "ok / ok / ok / w65.3 359p0 / ok"},
        {"f_widgetSelectItem 359", menu + "65.3=0 !65,359 131:1,0"},
    };
    return cases;
}

TEST(UnitLoss, AfterItsEventAUnitGoesOnOnlyWithWhatTheHandlerLeft) {
    World world;
    for (const auto& c : LossCases()) {
        std::string answers;
        for (const Take take : kTakes) {
            answers.append(answers.empty() ? "" : " / ").append(Play(world, c.program, take));
        }
        EXPECT_EQ(answers, c.answers) << c.what;
    }
}

// The census: every behaviour and visual that raises an event has a row in
// the loss table above, so that a new unit cannot skip the rule of holding
// its instance across events. The units' sources, the client's and the
// shared services' are read: a function raises when its body names the
// client's call that runs a handler, or a function that raises (of its own
// file first, where it defines one of the name, so that helpers of the same
// name in two files stay apart). A unit raises when one of its entry points
// does.

bool InWord(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The text with its comments, literals and preprocessor lines blanked.
std::string CodeOf(const std::string& text) {
    std::string code = text;
    const auto blank = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < code.size(); ++i) {
            if (code[i] != '\n') code[i] = ' ';
        }
    };
    bool lineStart = true;
    for (std::size_t i = 0; i < code.size();) {
        const char c = code[i];
        std::size_t end = i + 1;
        if (lineStart && c == '#') {
            while (end < code.size() && !(code[end] == '\n' && code[end - 1] != '\\')) ++end;
        } else if (c == '/' && i + 1 < code.size() && code[i + 1] == '/') {
            end = code.find('\n', i);
        } else if (c == '/' && i + 1 < code.size() && code[i + 1] == '*') {
            end = std::min(code.find("*/", i + 2), code.size() - 2) + 2;
        } else if (c == '"' || c == '\'') {
            // A quote inside a number (1'000) separates digits.
            std::size_t start = i;
            while (start > 0 && InWord(code[start - 1])) --start;
            if (c == '\'' && start < i && std::isdigit(static_cast<unsigned char>(code[start]))) {
                ++i;
                continue;
            }
            while (end < code.size() && code[end] != c) end += code[end] == '\\' ? 2 : 1;
            ++end;
        } else {
            if (c == '\n') lineStart = true;
            else if (c != ' ' && c != '\t') lineStart = false;
            ++i;
            continue;
        }
        end = std::min(end, code.size());
        blank(i, end);
        i = end;
    }
    return code;
}

// The index of the bracket closing the one at `open`, or the end.
std::size_t Closing(const std::string& code, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < code.size(); ++i) {
        if (code[i] == code[open]) ++depth;
        if (code[i] == (code[open] == '(' ? ')' : '}') && --depth == 0) return i;
    }
    return code.size();
}

// The end of the word (letters, digits, '_') that begins at `at`.
std::size_t WordEnd(const std::string& code, std::size_t at) {
    while (at < code.size() && InWord(code[at])) ++at;
    return at;
}

std::size_t SkipSpace(const std::string& code, std::size_t at) {
    while (at < code.size() && std::isspace(static_cast<unsigned char>(code[at]))) ++at;
    return at;
}

// The identifiers of the code.
std::vector<std::string> Names(const std::string& code) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < code.size(); ++at) {
        const std::size_t end = WordEnd(code, at);
        if (end > at && !std::isdigit(static_cast<unsigned char>(code[at]))) names.push_back(code.substr(at, end - at));
        at = std::max(at, end);
    }
    return names;
}

// A function the code defines, a class's member by its name alone: a name,
// its parameters and a body in braces. A body is skipped whole, so that
// its statements and lambdas belong to the function.
struct Definition {
    std::string file, name, body;
};

void AddDefinitions(const std::string& file, const std::string& code, std::vector<Definition>& found) {
    static const std::set<std::string> statements = {"if", "for", "while", "switch", "catch", "return", "sizeof"};
    static const std::set<std::string> qualifiers = {"const", "noexcept", "override", "final"};
    for (std::size_t at = 0; at < code.size();) {
        const std::size_t end = WordEnd(code, at);
        if (end == at) {
            ++at;
            continue;
        }
        const std::string name = code.substr(at, end - at);
        const std::size_t open = SkipSpace(code, end);
        at = end;
        if (open == code.size() || code[open] != '(' || statements.contains(name)) continue;
        std::size_t brace = SkipSpace(code, Closing(code, open) + 1);
        while (brace < code.size() && qualifiers.contains(code.substr(brace, WordEnd(code, brace) - brace))) {
            brace = SkipSpace(code, WordEnd(code, brace));
        }
        if (brace == code.size() || code[brace] != '{') continue;
        at = Closing(code, brace);
        found.push_back({file, name, code.substr(brace, at - brace)});
    }
}

// Names of the units (b_, v_, f_) whose entry points raise an event.
std::set<std::string> UnitsThatRaise() {
    namespace fs = std::filesystem;
    std::vector<Definition> functions;
    std::vector<fs::path> sources;
    for (const char* service : {"AZ_Client.cpp", "AZ_Services.h", "AZ_Services.cpp"}) {
        sources.push_back(fs::path(VK_ENGINE_SOURCE_DIR) / service);
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(VK_ENGINE_SOURCE_DIR) / "cc")) {
        sources.push_back(entry.path());
    }
    for (const fs::path& source : sources) {
        std::ifstream in(source);
        EXPECT_TRUE(in) << source;
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        AddDefinitions(source.filename().string(), CodeOf(text), functions);
    }
    // Raising names by file; a name is looked up in the file that names it
    // when that file defines one, else in every file.
    std::set<std::pair<std::string, std::string>> raising = {{"AZ_Client.cpp", "runHandler"}};
    std::set<std::pair<std::string, std::string>> defined;
    for (const Definition& f : functions) defined.insert({f.file, f.name});
    const auto raises = [&](const std::string& file, const std::string& name) {
        if (defined.contains({file, name})) return raising.contains({file, name});
        return std::any_of(raising.begin(), raising.end(), [&](const auto& r) { return r.second == name; });
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (const Definition& f : functions) {
            if (raising.contains({f.file, f.name})) continue;
            const std::vector<std::string> names = Names(f.body);
            if (std::any_of(names.begin(), names.end(), [&](const std::string& n) { return raises(f.file, n); })) {
                raising.insert({f.file, f.name});
                grew = true;
            }
        }
    }
    static const std::regex entry("([bv]_[A-Za-z0-9]+)_(attach|update|render|detach)|(f_[A-Za-z0-9]+)");
    std::set<std::string> units;
    for (const auto& [file, name] : raising) {
        std::smatch m;
        if (std::regex_match(name, m, entry)) units.insert(m[1].matched ? m.str(1) : m.str(3));
    }
    return units;
}

TEST(UnitLoss, EveryUnitThatRaisesAnEventHasARow) {
    const std::set<std::string> units = UnitsThatRaise();
    std::set<std::string> rows;
    for (const LossCase& c : LossCases()) rows.insert(std::string(c.what, WordEnd(c.what, 0)));
    for (const std::string& unit : units) {
        if (unit[0] != 'f') {
            EXPECT_TRUE(rows.contains(unit)) << unit << " raises an event and has no row";
        }
    }
    // Also a check of the scan: a row's unit is found raising.
    for (const std::string& row : rows) EXPECT_TRUE(units.contains(row)) << row << " has a row but raises nothing";
}

}  // namespace
