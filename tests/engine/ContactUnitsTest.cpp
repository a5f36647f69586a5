// The behaviours of characters meeting: box and sprite collision, facing
// the nearest, grabbing and relative direction, through the engine's frame
// over the sprite pool and GameUnitWorld's art (animation 9: a 48 x 48
// collision box above the point, 2048 x 2048 world units, and the
// rectangles of kinds 2 and 3).
#include <gtest/gtest.h>

#include <cctype>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Services.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/engine/TokenProgram.h"

namespace {

constexpr int kEvents[] = {165, 166, 168, 169, 170, 171, 172, 181, 288, 289, 290, 291, 324, 325, 406, 407};

// Types 0 to 15 and 16, derived from 2, all in a state that reports the
// events above.
std::string Script() {
    std::string script = FillerTypes(0, 16);
    script = std::regex_replace(script, std::regex("initial idle"), "initial body");
    script += "type derived base f2 initial body\nstate body";
    for (int e : kEvents) script += " | on " + std::to_string(e) + " | f_customCodeInstruction " + std::to_string(e);
    return script + "\n";
}

// Plays a program of tokens on a fresh level, in frames of 32 ms:
//   @type,x,y  a character, the current one   #id  presenter id as the current one
//   c:p,...  attach unit c with its parameters   c.w=v  word w of unit c := v
//   Bw,h  a box   Sa  a sprite playing animation a   L  face left
//   |  a frame   Uc,t  only unit c's update, with time t   mE  E's handler moves its character by 3000
//   aE,n  E's handler plays animation n on the current character
//   xE  E's handler destroys its character
//   ?c  "+c"/"-c" attached or not   ?c.w  the word
// The trace: answers and handled events "E/id" (with "*" while the receiver
// still holds b_relativeDirection or b_relativeToCharacter), then "@x,y"
// ("<" facing left) of the current character.
std::string Play(GameUnitWorld& w, const std::string& program) {
    w.Restart();
    AZ_Presenter* p = nullptr;
    std::string trace;
    std::int32_t mover = 0, animator = 0, animation = 0, ender = 0;
    AZ_Presenter* animated = nullptr;
    g_action = [&](AZ_Presenter* q, std::int32_t e) {
        const bool held = q->findCodeSlot(42) != -1 || q->findCodeSlot(52) != -1;
        trace += std::to_string(e) + "/" + std::to_string(q->getId()) + (held ? "* " : " ");
        if (e == mover) q->setX(q->getX() + 3000);
        if (e == animator) RunCode(animated, {12, animation, 1, 0});
        AZ_Client* client = AZ_Client::getInstance();
        if (e == ender) client->destroyCharacter(client->getActiveIndex(q->getId()));
    };
    std::istringstream in(program);
    for (std::string token; in >> token;) {
        const char op = token[0];
        const std::vector<std::int32_t> n = TokenNumbers(token);
        const std::int32_t slot = p != nullptr && !n.empty() ? p->findCodeSlot(n[0]) : -1;
        const bool set = token.find('=') != std::string::npos;
        if (op == '@') p = w.PresenterOfRow(w.Spawn(n[0], n[1], n[2]));
        if (op == '#') p = AZ_Presenter::getPresenter(n[0]);
        if (op == 'B') RunCode(p, {27, n[0], n[1], 0});
        if (op == 'S') RunCode(p, {86, 0, 0});
        if (op == 'S') RunCode(p, {12, n[0], 1, 0});
        if (op == 'L') p->setFacing(1);
        if (op == 'm') mover = n[0];
        if (op == 'x') ender = n[0];
        if (op == 'a') std::tie(animator, animation, animated) = std::tuple(n[0], n[1], p);
        if (op == '|') w.Tick(32);
        if (op == 'U') AZ_GetManager()->dispatch(AZ_MODE_UPDATE, p, n[0], slot, n[1], 0, {});
        if (std::isdigit(op) && set) AZ_Presenter_Singleton::setCodeSlotValue(slot + n[1], n[2]);
        if (std::isdigit(op) && !set) RunCode(p, n);
        if (op == '?' && n.size() == 2) trace += std::to_string(AZ_Presenter_Singleton::getCodeSlotValue(slot + n[1])) + " ";
        if (op == '?' && n.size() == 1) trace.append(slot != -1 ? "+" : "-").append(token, 1).append(" ");
    }
    g_action = nullptr;
    return trace + "@" + std::to_string(p->getX()) + "," + std::to_string(p->getY()) + (p->getFacing() ? "<" : "");
}

struct Case {
    const char* what;
    const char* program;
    const char* trace;
};

void Check(const std::vector<Case>& cases) {
    GameUnitWorld world(Script());
    for (const auto& c : cases) EXPECT_EQ(Play(world, c.program), c.trace) << c.what;
}

TEST(ContactUnits, BoxesCollide) {
    Check({
        {"overlapping: events, not pushed", "@1,0,0 B512,1024 6:2 @2,256,0 B512,1024 #0 | ?6.2",
         "166/1 165/0 169/1 169/0 1 @0,0"},
        {"overlapping, no time: no hit", "@1,0,0 B512,1024 6:2 @2,256,0 B512,1024 #0 U6,0 ?6.2", "-1 @0,0"},
        {"met within the frame, moving right: 128 clear, stopped",
         "@1,0,0 B512,1024 5:10240,0,0 6:2 @2,1000,0 B1024,1024 #0 | ?5.1 ?6.2",
         "166/1 165/0 169/1 169/0 0 1 @104,0"},
        {"too far for the frame", "@1,0,0 B512,1024 5:1024,0,0 6:2 @2,1000,0 B1024,1024 #0 | ?6.2", "-1 @32,0"},
        {"moving left on the collider's x: to the left",
         "@1,1000,0 B512,1024 5:-1024,0,0 6:2 @2,1000,0 B1024,1024 #0 | ?5.1", "166/1 165/0 169/1 169/0 0 @104,0"},
        {"type 2 falling onto 14: above it whatever its height",
         "@2,0,0 B512,1024 5:0,1024,0 6:14 @14,0,1500 B512,2048 #0 | ?5.2", "166/1 165/0 169/1 169/0 0 @0,348"},
        {"derived from the type: hit", "@1,0,0 B512,1024 6:2 @16,256,0 B512,1024 #0 | ?6.2",
         "166/1 165/0 169/1 169/0 1 @0,0"},
        {"no box: word kept", "@1,0,0 6:2 6.2=7 @2,0,0 B512,1024 #0 | ?6.2", "7 @0,0"},
        {"a zero box: word kept", "@1,0,0 B0,1024 6:2 6.2=7 @2,0,0 B512,1024 #0 | ?6.2", "7 @0,0"},
        {"the other without a box", "@1,0,0 B512,1024 6:2 6.2=7 @2,0,0 #0 | ?6.2", "-1 @0,0"},
        {"only itself of the type", "@1,0,0 B512,1024 6:1 6.2=7 | ?6.2", "-1 @0,0"},
    });
}

TEST(ContactUnits, SpritesCollide) {
    Check({
        {"before the first test", "@1,0,0 S9 10:2 9:2 ?10.2 ?9.2", "0 -1 @0,0"},
        {"overlapping: paused with the first", "@1,0,0 S9 10:2 @2,500,0 B512,1024 #0 | ?10.0 ?10.2",
         "289/1 169/1 288/0 1 1 @0,0"},
        {"met within the frame", "@1,0,0 S9 10:2 @2,1792,0 B512,1024 5:-32768,0,0 #0 | ?10.2",
         "289/1 170/1 288/0 1 @0,0"},
        {"two hit: 288 once, the first named",
         "@1,0,0 S9 10:2 @2,500,0 B512,1024 @2,-500,0 B512,1024 #0 | ?10.2",
         "289/1 169/1 289/2 169/2 288/0 1 @0,0"},
        {"three hit, each ending itself on its first event: each hears it once",
         "@1,0,0 S9 10:2 @2,500,0 B512,1024 @2,-500,0 B512,1024 @2,0,0 B512,1024 x289 #0 | ?10.2",
         "289/1 289/2 289/3 288/0 1 @0,0"},
        {"the frame changed by the first hit's handler: read again, no rectangle, no second",
         "@1,0,0 S9 10:2 @2,500,0 B512,1024 @2,-500,0 B512,1024 #0 a289,7 | ?10.2", "289/1 169/1 288/0 1 @0,0"},
        {"the impact point", "@1,0,3000 S9 10:2 @2,500,3000 B512,1024 29: | ?29.1 ?29.2",
         "289/1 169/1 288/0 500 952 @500,3000"},
        {"ignored", "@1,0,0 S9 10:2 @2,500,0 B512,1024 32: #0 | ?10.2", "-1 @0,0"},
        {"a zero-width box", "@1,0,0 S9 10:2 @2,500,0 B0,1024 #0 | ?10.2", "-1 @0,0"},
        {"no rectangle in the frame", "@1,0,0 S7 10:2 @2,500,0 B512,1024 #0 | ?10.2", "-1 @0,0"},
        {"type -1", "@1,0,0 S9 10:-1 10.2=7 @2,500,0 B512,1024 #0 | ?10.2", "7 @0,0"},
        {"type beyond the count", "@1,0,0 S9 10:17 10.2=7 @2,500,0 B512,1024 #0 | ?10.2", "7 @0,0"},
        // The obstacle: 1024 for 32 ms back, 100 more; twice once it moved.
        {"pushed back and stopped", "@1,0,0 S9 10:2 9:2 @2,500,0 B512,1024 5:1024,0,0 | ?5.1 #0 ?10.0 ?9.2 #1",
         "291/1 168/1 290/0 0 0 -1 @368,0"},
        {"already moved this frame", "@2,500,0 B512,1024 5:1024,0,0 @1,0,0 S9 10:2 9:2 #0 |",
         "291/0 168/0 290/1 @368,0"},
        {"standing still", "@1,0,0 S9 10:2 9:2 @2,500,0 B512,1024 5:0,0,0 | ?5.1 ?5.2",
         "291/1 170/1 290/0 0 0 @500,0"},
        {"falling faster than it walks", "@1,0,0 S9 10:2 9:2 @2,500,0 B512,1024 5:-512,1024,0 | ?5.1 ?5.2",
         "291/1 170/1 290/0 -512 0 @600,-132"},
        {"a derived type is not pushed", "@1,0,0 S9 10:2 9:2 @16,500,0 B512,1024 5:1024,0,0 | #0 ?9.2",
         "-1 @0,0"},
    });
}

TEST(ContactUnits, FacingAndGrabbing) {
    Check({
        {"nobody, own x negative: right", "@1,-5,0 30:2 L |", "@-5,0"},
        {"nobody, own x positive: left", "@1,5,0 30:2 |", "@5,0<"},
        {"a tie: the first met", "@2,-100,0 @2,100,0 @1,0,0 30:2 |", "@0,0<"},
        {"straight above: left", "@2,0,-500 @1,0,0 30:2 |", "@0,0<"},
        {"itself skipped", "@2,100,0 @2,0,0 L 30:2 |", "@0,0"},
        {"1,000 units beats 60,000", "@2,-60000,0 @2,1000,0 @1,0,0 L 30:2 |", "@0,0"},
        {"each square shifted on its own: (23, 23) is nearer than (-32, 0)", "@2,-32,0 @2,23,23 @1,0,0 L 30:2 |",
         "@0,0"},
        // Grabber point 12 px (512), own point -6 px (-256).
        {"grabbed", "@2,5000,0 S9 @1,0,77 S9 31:2 | ?31", "181/0 -31 @5768,77"},
        {"no tag-3 rectangle", "@2,5000,0 S9 @1,0,77 S4 31:2 | ?31", "-31 @0,77"},
        {"no grabber rectangle", "@2,5000,0 S4 @1,0,77 S9 31:2 | ?31", "-31 @0,77"},
        {"no sprite yet: waits", "@2,5000,0 S9 @1,0,77 31:2 | ?31 S9 | ?31", "+31 181/0 -31 @5768,77"},
    });
}

TEST(ContactUnits, RelativeDirections) {
    Check({
        {"O right of H", "@2,2000,0 @1,1000,0 6:15 6.2=0 42:6 | ?42", "172/1 325/1 171/0 324/0 -42 @1000,0"},
        {"equal x, facing right", "@2,1000,0 @1,1000,0 6:15 6.2=0 42:6 |", "171/1 325/1 172/0 325/0 @1000,0"},
        {"equal x, facing left", "@2,1000,0 L @1,1000,0 L 6:15 6.2=0 42:6 |", "172/1 325/1 171/0 325/0 @1000,0<"},
        {"on the box's edge, above the feet", "@2,1512,-1 @1,1000,0 B1024,1024 6:15 6.2=0 42:6 |",
         "407/0 172/1 325/1 171/0 324/0 @1000,0"},
        {"on the edge, level", "@2,1512,0 @1,1000,0 B1024,1024 6:15 6.2=0 42:6 |",
         "406/0 172/1 325/1 171/0 324/0 @1000,0"},
        {"beyond the edge", "@2,1513,0 @1,1000,0 B1024,1024 6:15 6.2=0 42:6 |", "172/1 325/1 171/0 324/0 @1000,0"},
        {"from b_szCollidable", "@2,0,0 @1,1000,0 10:15 10.2=0 42:10 |", "171/1 324/1 172/0 325/0 @1000,0"},
        {"from b_szWorldCollidable", "@2,0,0 @1,1000,0 9:2 10:15 10.2=0 42:9 |", "171/1 324/1 172/0 325/0 @1000,0"},
        {"b_szWorldCollidable alone", "@2,0,0 @1,1000,0 9:2 9.2=0 42:9 | ?42", "-42 @1000,0"},
        {"from proximity", "@2,0,0 @1,1000,0 18:2,0,0 18.5=0 42:18 |", "171/1 324/1 172/0 325/0 @1000,0"},
        {"another source", "@2,0,0 @1,1000,0 5:0,0,0 42:5 ?42.2 |", "-1 @1000,0"},
        {"the partner gone", "@2,0,0 @1,1000,0 6:15 6.2=5 42:6 | ?42", "-42 @1000,0"},
        // Each to the type: the holder moves 3000 on 324, which changes later pairs.
        {"three in turn", "@2,0,0 @2,2000,0 @2,3000,0 @1,1000,0 m324 52:2 |",
         "171/3 324/3 172/0 325/0 171/3 324/3 172/1 325/1 171/3 324/3 172/2 325/2 @10000,0"},
        {"three in turn, each ending itself on its first event: each hears it once",
         "@2,2000,0 @2,3000,0 @2,4000,0 @1,1000,0 x171 52:2 |",
         "172/3 325/3 171/0 172/3 325/3 171/1 172/3 325/3 171/2 @1000,0"},
        {"with itself", "@2,1000,0 B1024,1024 52:2 |", "407/0 171/0 325/0 172/0 325/0 @1000,0"},
        {"nobody", "@2,1000,0 52:-1 | ?52", "-52 @1000,0"},
    });
}

}  // namespace
