// The behaviours that sense other characters and the view: the nearest
// searches, directional, rectangular, circular and multiple proximity,
// tracking, drawing priority, the action bubble and the screen-edge
// marker, on GameUnitWorld's level with its camera.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Services.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/engine/TokenProgram.h"

namespace {

constexpr int kEvents[] = {162, 201, 202, 203, 204, 205, 206, 207, 208, 277, 278, 280,
                           281, 282, 283, 284, 285, 311, 312, 313, 314, 171, 324};

std::string Script() {
    std::string script = std::regex_replace(FillerTypes(0, 8), std::regex("initial idle"), "initial body");
    script += "state body";
    for (int e : kEvents) script += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
    return script + "\n";
}

// Plays a program of tokens on a fresh level; the camera sits at pixel
// (0, 0) of a 240 x 320 view, off until V:
//   @type,x,y  a character, the current one   #id  presenter id as the current one
//   c:p,...  attach unit c   c.w=v  word w of unit c := v   -c  detach c
//   Bw,h  a box   L  face left   Xx,y  move to   K  remove it   Z  its row only (dormant)
//   Uc / Uc,t  unit c's update itself, with time 32 / t   |  a frame of 32 ms
//   V  view on   Pl,fx,fy  layer l's factors   Nk,type,excluded  search k
//   (0 same height, 1 of type, 2 target) from the current character
//   ?c.w  the word   ?x  the position
// The trace: answers and handled events ("E/id" on another character).
std::string Play(GameUnitWorld& w, const std::string& program) {
    w.Restart();
    Camera* camera = w.client->getCamera();
    camera->SetViewEnabled(false);
    w.ViewFromOrigin();
    AZ_Presenter* p = nullptr;
    bool wake = false;
    std::string trace;
    g_action = [&](AZ_Presenter* q, std::int32_t e) {
        if (e == 162 && !wake) return;
        trace.append(std::to_string(e));
        if (q != p) trace.append("/").append(std::to_string(q->getId()));
        trace.append(" ");
    };
    std::istringstream in(program);
    for (std::string token; in >> token;) {
        const char op = token[0];
        const std::vector<std::int32_t> n = TokenNumbers(token);
        const std::int32_t slot = p != nullptr && !n.empty() ? p->findCodeSlot(n[0]) : -1;
        wake = op == 'U';
        if (op == '@') p = w.PresenterOfRow(w.Spawn(n[0], n[1], n[2]));
        if (op == '#') p = AZ_Presenter::getPresenter(n[0]);
        if (op == 'B') RunCode(p, {27, n[0], n[1], 0});
        if (op == 'L') p->setFacing(1);
        if (op == 'X') p->setX(n[0]);
        if (op == 'X' && n.size() > 1) p->setY(n[1]);
        if (op == 'K') w.client->destroyCharacter(w.client->getActiveIndex(p->getId()));
        if (op == 'Z') w.client->releaseRow(w.client->getActiveIndex(p->getId()));
        if (op == '-') p->detach(n[0]);
        if (op == 'U') AZ_GetUnit(n[0]).update(p, slot, n.size() > 1 ? n[1] : 32);
        if (op == '|') w.Tick(32);
        if (op == 'V') camera->SetViewEnabled(true);
        if (op == 'P') camera->SetLayerParallax(n[0], n[1], n[2]);
        if (op == 'N') {
            auto search = n[0] == 0 ? AZ_FindNearestAtSameHeight : n[0] == 1 ? AZ_FindNearestOfType : AZ_FindNearestTarget;
            trace += std::to_string(search(p, n[1], n[2])) + " ";
        }
        if (std::isdigit(op) && token.find('=') != std::string::npos) {
            AZ_Presenter_Singleton::setCodeSlotValue(slot + n[1], n[2]);
        } else if (std::isdigit(op)) {
            RunCode(p, n);
        }
        if (op == '?' && token[1] == 'x') trace += std::to_string(p->getX()) + " ";
        if (op == '?' && token[1] != 'x') trace += std::to_string(AZ_Presenter_Singleton::getCodeSlotValue(slot + n[1])) + " ";
    }
    g_action = nullptr;
    return trace;
}

struct Case {
    const char* what;
    std::string program;
    const char* trace;
};

void Check(const std::vector<Case>& cases) {
    GameUnitWorld world(Script());
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

// Presenter 0 searches; each search answers a presenter id or -1.
TEST(ProximityUnits, NearestSearches) {
    Check({
        {"feet within the own box", "@1,0,0 B512,1024 @2,100,-1024 #0 N0,2,-1 N1,2,-1 N2,2,-1", "1 1 1 "},
        {"above the box", "@1,0,0 B512,1024 @2,100,-1025 #0 N0,2,-1 N1,2,-1", "-1 1 "},
        {"within the other's box", "@1,0,0 @2,100,2000 B512,2048 #0 N0,2,-1", "1 "},
        {"the other's default height", "@1,0,0 @2,100,1024 @2,100,1025 #0 N0,2,-1", "1 "},
        {"below the default height", "@1,0,0 @2,100,1025 #0 N0,2,-1", "-1 "},
        {"own type: only the target search skips it", "@2,0,0 @2,100,0 #0 N0,2,-1 N1,2,-1 N2,2,-1", "1 1 -1 "},
        {"ties to the first met", "@1,0,0 @2,-100,0 @2,100,0 #0 N0,2,-1 N1,2,-1 N2,2,-1", "1 1 1 "},
        {"excluded", "@1,0,0 @2,-100,0 @2,200,0 #0 N0,2,1 N1,2,1 N2,2,1", "2 2 2 "},
        {"ignored: the target search only", "@1,0,0 @2,100,0 32: #0 N0,2,-1 N1,2,-1 N2,2,-1", "1 1 -1 "},
        {"1,000 units beats 60,000", "@1,0,0 @2,-60000,0 @2,1000,0 #0 N0,2,-1 N1,2,-1 N2,2,-1", "2 2 2 "},
        {"alone 100,000 away: found", "@1,0,0 @2,100000,0 #0 N0,2,-1 N1,2,-1 N2,2,-1", "1 1 1 "},
    });
}

TEST(ProximityUnits, DirectionalBands) {
    Check({
        {"near, between, far, between, near",
         "@2,1024,0 @1,0,0 18:2,2048,4096 U18 #0 X3000 #1 U18 #0 X5000 #1 U18 #0 X3000 #1 U18 #0 X1000 #1 U18 ?18.4",
         "203 280 203 1 "},
        {"mirrored facing left",
         "@2,-1024,0 @1,0,0 L 18:2,2048,4096 U18 #0 X-5000 #1 U18 #0 X5000 #1 U18 #0 X1000 #1 U18",
         "203 280 281 204 "},
        {"far behind, then first seen between", "@2,-5000,0 @1,0,0 18:2,2048,4096 U18 18:2,2048,4096 #0 X-3000 #1 U18 ?18.4",
         "281 6 "},
        {"in front at dx 0", "@2,0,0 @1,0,0 18:2,2048,4096 U18", "203 "},
        {"nobody: 280 once", "@1,0,0 18:2,2048,4096 U18 U18 ?18.5", "280 -1 "},
        {"the target gone in state 3", "@2,5000,0 @1,0,0 18:2,2048,4096 U18 #0 K #1 U18", "280 280 "},
        {"a new target restarts the band", "@2,1000,0 @1,0,0 18:2,2048,4096 U18 @2,500,0 #1 U18", "203 203 "},
        {"no time: nothing", "@2,1024,0 @1,0,0 18:2,2048,4096 U18,0 ?18.4 ?18.5", "0 -1 "},
        {"relative direction from the target", "@2,0,0 @1,1000,0 18:2,2048,4096 U18 42:18 U42", "204 171 324 "},
    });
}

TEST(ProximityUnits, RectangularAndCircularBands) {
    const std::string rect = "@1,0,0 B1024,1024 33:2,2048,2048,4096,4096,";
    const std::string circle = "@1,0,0 B512,1024 34:2,4096,8192 ";
    Check({
        {"far at once", "@2,50000,0 " + rect + "0 U33 ?33.7", "282 2 "},
        {"near in front, then far in front", "@2,500,0 B512,512 " + rect + "1 U33 #0 X50000 #1 U33", "206 283 "},
        {"facing off: 205 and 282 only", "@2,500,0 " + rect + "0 U33 #0 X50000 #1 U33", "205 282 "},
        {"equal x is not in front", "@2,0,0 " + rect + "1 U33", "205 "},
        {"the right edge holds a point", "@2,1024,0 " + rect + "0 U33", "205 "},
        {"just beyond it: between", "@2,1025,0 " + rect + "0 U33 ?33.7", "0 "},
        {"the bottom edge holds it", "@2,0,512 " + rect + "0 U33", "205 "},
        {"the left edge does not", "@2,-1024,0 " + rect + "0 U33 ?33.7", "0 "},
        {"the state is the unit's", "@2,50000,0 " + rect + "0 U33 @2,500,0 #1 U33", "282 205 "},
        {"no own box: nothing", "@2,500,0 @1,0,0 33:2,2048,2048,4096,4096,0 U33 ?33.7", "0 "},
        {"3072 ahead: near", "@2,3072,0 B512,1024 " + circle + "U34 ?34.7", "201 1 "},
        {"4096 ahead: between", "@2,4096,0 B512,1024 " + circle + "U34 ?34.7", "6 "},
        {"4096 behind: near behind", "@2,-4096,0 B512,1024 " + circle + "U34", "202 "},
        {"far both ways", "@2,9000,0 B512,1024 " + circle + "U34 #0 X-9000 #1 U34", "277 278 "},
        {"equal x facing right: in front", "@2,0,2048 B512,1024 " + circle + "U34", "201 "},
        {"equal x facing left: behind", "@2,0,2048 B512,1024 " + circle + "L U34", "202 "},
        {"a target without a box", "@2,0,0 " + circle + "U34 ?34.7 ?34.8", "0 0 "},
        {"nobody: 277 once", circle + "U34 U34", "277 "},
    });
}

TEST(ProximityUnits, FlankAndTrack) {
    const std::string tracker = "B512,1024 5:500,500,1 51:2,0,1,1024,0,1 ";
    Check({
        {"one behind, one ahead: 313 once; ahead at 1000: 314",
         "@2,-500,0 @2,800,0 @1,0,0 50:2,1000 U50 U50 #1 X1000 #2 U50", "313 314 "},
        {"both ahead", "@2,500,0 @2,800,0 @1,0,0 50:2,1000 U50", "314 "},
        {"one only", "@2,-500,0 @1,0,0 50:2,1000 U50", "314 "},
        {"steered up only", "@2,3000,-4000 B512,1024 @1,0,0 " + tracker + "U51 ?5.1 ?5.2 ?5.3 ?51.7", "0 -819 0 1 "},
        {"arrived", "@2,200,0 B512,1024 @1,0,0 " + tracker + "51.2=1 U51 ?5.1 ?5.2 ?5.3", "0 0 0 "},
        {"facing away, no turn: stopped", "@2,0,0 B512,1024 @1,0,0 L " + tracker + "51.6=0 U51 ?5.1 ?5.2 ?5.3 ?51.7",
         "0 0 1 1 "},
        {"100,000 away", "@2,100000,0 B512,1024 @1,0,0 " + tracker + "51.2=1 U51 ?5.1", "1024 "},
        {"three trackers", "@2,0,0 B512,1024 @1,-3000,0 " + tracker + "@1,-2000,0 " + tracker + "@1,-1000,0 " + tracker +
                               "#1 U51 #2 U51 #3 U51 #1 ?51.7 #2 ?51.7 #3 ?51.7",
         "1 0 2 "},
    });
}

TEST(ProximityUnits, ViewTracking) {
    const std::string seen = "B1024,1024 40:1,1 ";
    Check({
        {"in view", "V @1,2048,2048 " + seen + "U40 ?40.3 U40 ?40.3", "208 2 1 "},
        {"out of view", "V @1,50000,2048 " + seen + "U40 ?40.3 U40 ?40.3", "285 4 3 "},
        {"dormant: made active first", "V @1,2048,2048 " + seen + "Z U40", "162 208 "},
        {"view off: out", "@1,2048,2048 " + seen + "U40", "285 "},
        {"tracking off", "V @1,2048,2048 B1024,1024 40:1,0 U40 ?40.3", "0 "},
        {"priority -3 on a layer of factor 512", "P2,512,1024 @1,2048,0 40:-3,0 ?x -40 ?x", "4096 2048 "},
        {"re-attached: no second conversion", "P2,512,1024 @1,2048,0 40:-3,1 U40 40:-3,1 ?x ?40.3", "285 4096 0 "},
        {"priority -9: none", "@1,2048,0 40:-9,0 ?x -40 ?x", "2048 2048 "},
        {"a factor-0 layer: none, the active layer's view", "V P2,0,0 @1,2048,2048 40:-3,1 ?x U40 -40 ?x",
         "2048 208 2048 "},
        // The view ends at 10,240 units; the box starts 1,500 beyond it.
        {"bubble 2048 wider each side", "V @1,12252,2048 B1024,1024 41:4096,0 U41 U41", "207 "},
        {"no bubble", "V @1,12252,2048 B1024,1024 41:0,0 U41", "284 "},
        {"dormant bubble", "V @1,12252,2048 B1024,1024 41:4096,0 Z U41", "162 207 "},
    });
}

TEST(ProximityUnits, ClipToScreen) {
    const std::string clip = "40:1,1 49: ";
    Check({
        {"leaving left", "V @1,-5000,2048 B2048,2048 " + clip + "U40 U49 ?49.1 U40 U49 ?49.1 ?49.2 X2048 U40 U49",
         "285 312 -117 24 48 208 311 "},
        {"far right without a box", "V @1,50000,2048 " + clip + "U40 U40 U49 ?49.1", "285 235 "},
        {"above", "V @1,2048,-5000 B2048,2048 " + clip + "U40 U40 U49 ?49.2", "285 48 "},
        {"below", "V @1,2048,50000 B2048,2048 " + clip + "U40 U40 U49 ?49.2", "285 320 "},
        {"sideways keeps its height", "V @1,50000,4096 B2048,2048 " + clip + "U40 U40 U49 ?49.2", "285 96 "},
        {"4 seen twice", "V @1,50000,2048 " + clip + "U40 U49 U49", "285 312 312 "},
        {"no b_drawable", "V @1,50000,2048 49: 49.1=7 U49 ?49.1", "7 "},
    });
}

// v_sz draws the marker sprite (animation 4, a 4 x 4 yellow square above
// and left of its point) at the marker while the character is off screen.
TEST(ProximityUnits, SpriteDrawnAtTheMarker) {
    GameUnitWorld world(Script());
    Play(world, "V @1,50000,2048 40:1,1 49: 86:0,0 12:4,1,0 U40 U40 U49");
    world.Fill(0xFF000000);
    world.Tick(1);
    EXPECT_EQ(world.Pixel(233, 46), kYellow565);
    EXPECT_EQ(world.Others(0, 0, 230, 320, kBlack565), 0);
}

}  // namespace
