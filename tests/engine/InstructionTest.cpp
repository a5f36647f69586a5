// Instructions run by assembled scripts through raiseEvent: state changes
// with their enter and exit events in order, random state choices against
// the adapter's generator, broadcasts and group flags, spawns and moves.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "src/actionZel/cc/b_child.h"
#include "tests/engine/ScriptUnits.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/ScriptWorld.h"
#include "tools/ScriptAssembler.h"

namespace {

using States = std::vector<std::int32_t>;

// f_customCodeInstruction n logs "n p<presenter>"; 100 draws from the
// adapter instead. States s1-s6 log k on enter and -k on exit. " | " starts
// a new line.
constexpr int kDraw = 100;
constexpr char kScript[] = R"(
type t initial s1 | type r initial rcv | type s initial sp | state s0
state s1 | on enter | f_customCodeInstruction 1 | on exit | f_customCodeInstruction -1 | f_customCodeInstruction 100
on 300 | f_changeState s4
on 301 | f_pushState s4
on 304 | f_overrideState s4 s5 | f_changeState s4
on 305 | f_maskBehParam 1 2 3 4 | f_changeState s4
on 306 | f_popState 1 | f_changeState s4
on 310 | f_changeStateWithProbability 512 s4 s5
on 311 | f_changeStateWithProbability 1025 s4 s5
on 312 | f_changeStateWithProbability 0 s4 s5
on 313 | f_changeFourStatesWithProbabilities 256 256 256 s2 s3 s4 s5
on 314 | f_changeEightStatesWithProbabilities 600 600 1 1 1 1 1 s2 s3 s4 s5 s2 s3 s4 s5
on 315 | f_unspawnCharacter | f_changeFourStatesWithProbabilities 256 256 256 s2 s3 s4 s5
on 316 | f_unspawnCharacter | f_changeStateWithProbability 512 s4 s5
state s2 | on enter | f_customCodeInstruction 2 | on exit | f_customCodeInstruction -2
on 302 | f_popState 0
on 303 | f_popState 1
state s3 | on enter | f_customCodeInstruction 3 | on exit | f_customCodeInstruction -3
state s4 | on enter | f_customCodeInstruction 4 | on exit | f_customCodeInstruction -4
state s5 | on enter | f_customCodeInstruction 5 | on exit | f_customCodeInstruction -5
state s6 | on enter | f_customCodeInstruction 6 | on exit | f_customCodeInstruction -6 | f_unspawnCharacter
state rcv
on 300 | f_customCodeInstruction 50
on 301 | f_broadcastEvent 302 r
on 302 | f_customCodeInstruction 52 | f_popState 1
on 303 | f_broadcastDistanceThreshold 300 r 100 100
on 304 | f_broadcastDistanceThreshold 300 r 0 100
on 305 | f_broadcastEventToChild 300 r
on 306 | f_broadcastEventToParent 300
on 307 | f_pauseCharacter r 1 0
on 308 | f_resumeCharacter r 0 1
on 309 | f_unspawnCharacter | f_freezeCharacter r
on 310 | f_customCodeInstruction 9 | f_generateEvent 310 | f_generateEvent 310
on 311 | f_unspawnCharacter | f_spawnCharacter r 0 0 -1
on 312 | f_broadcastEvent 311 r
on 313 | f_broadcastDistanceThreshold 302 r 200 200
on 314 | f_broadcastEventToChild 302 r
state sp | on enter | b_camera 0 0 0 0 0 | b_drawable 5 0 | v_rect
on 320 | f_spawnCharacterRelative r 0 512 0 1 1 0 0 0
on 321 | f_spawnCharacterRelative r 0 512 0 1 0 1 0 0
on 322 | f_spawnCharacterRelative r 1 0 0 0 0 0 0 0
on 323 | f_spawnCharacterRelative r 2 0 0 0 0 0 0 0
on 324 | f_setUserControlCharacter s 1 1 | f_spawnCharacterRelative r 5 10 -20 1 0 0 1 300
on 325 | f_spawnCharacter r 100 200 -1
on 326 | f_setPosition 3 5
on 327 | f_setPositionRelative r -32767 0
on 328 | f_setPositionRelative r 100 -32767
on 329 | f_setDirection 1
on 330 | f_changeDirection | f_changeDirection
on 340 | f_pauseBehavior b_drawable | f_pauseVisual v_rect | f_resumeVisual v_rect
on 341 | f_resumeBehavior b_drawable | f_detachVisual v_rect | f_detachBehavior b_camera
    f_detachAllBehaviors | f_changeCharacterType r
)";

std::string Script() { return std::regex_replace(kScript, std::regex(" \\| "), "\n"); }

struct InstructionTest : ::testing::Test {
    InstructionTest() {
        g_action = [this](AZ_Presenter* p, std::int32_t n) {
            if (n == kDraw) return draws.push_back(client.getAdapter()->randomRange(0, 1024));
            log.append(log.empty() ? "" : " ").append(std::to_string(n)).append("p").append(std::to_string(p->getId()));
        };
    }
    void Restart() {
        client.reset();
        world.store->reset();
        log.clear();
        draws.clear();
        TakeLog();
    }
    ScriptUnits units{4, 40, 91};
    ScriptWorld world{Script()};
    AZ_Client& client = *world.client;
    std::string log;
    std::vector<std::int32_t> draws;
};

TEST_F(InstructionTest, StateInstructionsUnwindAboveTheHandlingState) {
    const struct {
        States pushed;  // over p0's s1; p1 in s1 spawned after it
        std::int32_t event;
        std::string log;
        States stack;  // row 0's afterwards: p1's once p0 is gone
    } cases[] = {
        {{2, 3}, 300, "-3p0 -2p0 -1p0 4p0", {4}},  // handled at depth 2
        {{}, 301, "4p0", {4, 1}},
        {{2}, 302, "-2p0", {1}},
        {{2}, 303, "-2p0 1p0", {1}},
        {{}, 306, "-1p0", {1}},  // the last state popped: destroyed, the change after it does nothing
        {{}, 304, "-1p0 5p0", {5}},
        {{}, 305, "-1p0 4p0", {4}},
        {{6}, 300, "-6p0", {1}},  // s6's exit unspawns p0: the change stops, p1 is untouched
    };
    for (const auto& c : cases) {
        Restart();
        world.Spawn(0);
        for (std::int32_t s : c.pushed) client.pushState(0, s);
        world.Spawn(0);
        log.clear();
        client.raiseEvent(0, c.event);
        EXPECT_EQ(log, c.log) << c.event;
        EXPECT_EQ(world.Stack(0), c.stack) << c.event;
    }
}

// The index-th draw of 0..1024 from a generator seeded like the adapter's.
std::int32_t Draw(std::uint32_t seed, int index) {
    std::mt19937 reference(seed);
    reference.discard(static_cast<unsigned long long>(index));
    return static_cast<std::int32_t>(reference() % 1025);
}

TEST_F(InstructionTest, RandomChoicesDrawFromTheAdapter) {
    const struct {
        std::int32_t event;
        int pick, exit;  // indices of the instruction's and s1's exit draw, -1 none
        std::int32_t r;
        std::int32_t state;  // the new top, -1 no row
    } cases[] = {
        {310, 1, 0, 511, 4},   {310, 1, 0, 512, 5},   {311, 1, 0, 1024, 4}, {312, 1, 0, 0, 5},
        {313, 0, 1, 255, 2},   {313, 0, 1, 256, 3},   {313, 0, 1, 767, 4},  {313, 0, 1, 768, 5},
        {313, 0, 1, 1024, 5},  {314, 0, 1, 599, 2},   {314, 0, 1, 1024, 3},  // 1200 > 1024: s4 and s5 unreachable
        {315, 0, -1, 0, -1},   {316, -1, -1, 0, -1},  // no row: only the four-state draw is consumed
    };
    for (const auto& c : cases) {
        Restart();
        std::uint32_t seed = 1;  // the first whose pick is r
        while (c.pick >= 0 && Draw(seed, c.pick) != c.r) ++seed;
        client.getAdapter()->getRandom().Seed(seed);
        world.Spawn(0);
        client.raiseEvent(0, c.event);
        EXPECT_EQ(client.getNumActive() > 0 ? client.getTopState(0) : -1, c.state) << c.event << " r " << c.r;
        EXPECT_EQ(draws, c.exit == -1 ? std::vector<std::int32_t>{} : std::vector{Draw(seed, c.exit)}) << c.event;
        // The draws consumed: the next one is the generator's next.
        EXPECT_EQ(client.getAdapter()->randomRange(0, 1024), Draw(seed, std::max(c.pick, c.exit) + 1)) << c.event;
    }
}

TEST_F(InstructionTest, GroupInstructionsReachTheirCharacters) {
    const struct {
        std::int32_t row;
        std::vector<std::int32_t> events;
        std::string log;
        int flags;  // of each of p0-p3: 100 updated, 10 drawn, 1 frozen
        std::array<std::int32_t, 4> parents = {-1, 0, 1, -2};
    } cases[] = {
        {1, {301}, "52p0 52p1 52p2 52p3", 0},  // each destroyed receiver's successor gets it
        // Three receivers in range, then three children, destroying
        // themselves; then the broadcaster too.
        {0, {313, 302}, "52p1 52p2 52p3 52p0", 0},
        {0, {314, 302}, "52p1 52p2 52p3 52p0", 0, {-1, 0, 0, 0}},
        {0, {303}, "50p2", 110},               // strictly nearer, the broadcaster left out
        {0, {304}, "", 110},
        {0, {305}, "50p1", 110},
        {1, {306}, "50p0", 110},
        {3, {306}, "", 110},  // the view as parent
        {0, {307, 308}, "", 10},
        {1, {309}, "", 111},  // p1 frozen without a row
    };
    for (const auto& c : cases) {
        Restart();
        // p1 exactly 100 away in x, p2 99 away in x and y, p3 exactly 100 in y.
        for (const auto& [x, y] : {std::pair{1000, 1000}, {1100, 1000}, {1099, 1099}, {1000, 900}}) {
            world.Spawn(1, x, y);
        }
        for (std::int32_t id = 1; id < 4; ++id) {
            b_child_setParent(world.PresenterOfRow(id)->attach(2), c.parents[static_cast<std::size_t>(id)]);
        }
        for (std::int32_t event : c.events) client.raiseEvent(c.row, event);
        EXPECT_EQ(log, c.log) << c.events[0];
        for (std::int32_t id = 0; id < 4; ++id) {
            const AZ_Presenter* p = AZ_Presenter::getPresenter(id);
            EXPECT_EQ(p->isUpdateEnabled() * 100 + p->isRenderEnabled() * 10 + p->isFrozen(), c.flags) << c.events[0];
        }
    }
}

TEST_F(InstructionTest, ABroadcastToReceiversThatReplaceThemselvesEnds) {
    world.Spawn(1);
    world.Spawn(1);
    DebugCapture capture;
    client.raiseEvent(0, 312);
    EXPECT_EQ(client.getNumActive(), 2);
    EXPECT_NE(capture.Text().find("receivers keep replacing themselves"), std::string::npos);
}

// p0 the spawner at (10000, 20000), p1 a target at (5000, 7000), p2 one
// 64 tiles to the right of the spawner; a new character is the next one.
TEST_F(InstructionTest, SpawnAndPositionInstructions) {
    enum Setup { kPlain, kIgnoreNear, kNoTarget, kRowsFull, kNoChildInstance };
    const struct {
        std::uint8_t facing;
        Setup setup;
        std::int32_t event;
        std::string spawner, spawned;  // "x y facing", then " child ox oy follow parent"
    } cases[] = {
        {1, kPlain, 320, "10000 20000 1", "9488 20000 1 child 512 0 1 0"},
        {1, kPlain, 321, "10000 20000 1", "10512 20000 1 child 512 0 0 0"},
        {0, kPlain, 322, "10000 20000 0", "10000 19488 0"},
        {0, kPlain, 323, "10000 20000 0", "10000 18976 0"},
        {0, kPlain, 324, "10000 20000 0", "9994 26817 0 child 10 -20 0 -2"},  // the view snapped to the spawner
        {0, kPlain, 325, "10000 20000 0", "100 200 1"},
        {0, kPlain, 326, "3072 5120 0", ""},
        {0, kPlain, 327, "10000 7000 0", ""},  // p1 is nearer in 64 bits
        {0, kIgnoreNear, 327, "10000 20000 0", ""},
        {1, kNoTarget, 328, "10000 20000 1", ""},  // nothing happens, nothing is logged
        {1, kPlain, 328, "4900 20000 1", ""},
        {1, kPlain, 329, "10000 20000 0", ""},
        {1, kPlain, 330, "10000 20000 1", ""},
        {1, kRowsFull, 320, "10000 20000 1", ""},  // refused: its presenter released
        {1, kNoChildInstance, 320, "10000 20000 1", "9488 20000 1"},
    };
    const auto describe = [](std::int32_t id) {
        const AZ_Presenter* p = AZ_Presenter::getPresenter(id);
        std::ostringstream text;
        if (p->getCharacterType() != AZ_Presenter::kNone) {
            text << p->getX() << ' ' << p->getY() << ' ' << +p->getFacing();
        }
        const std::int32_t slot = p->findCodeSlot(2);
        for (int w = 1; slot != -1 && w <= 4; ++w) {
            text << (w == 1 ? " child " : " ") << AZ_Presenter_Singleton::getCodeSlotValue(slot + w);
        }
        return text.str();
    };
    for (const auto& c : cases) {
        Restart();
        client.getCamera()->SetBounds(4000, 4000);
        world.Spawn(2, 10000, 20000);
        world.Spawn(1, 5000, 7000);
        world.Spawn(1, 10000 + 65536, 20000);
        world.PresenterOfRow(0)->setFacing(c.facing);
        if (c.setup == kIgnoreNear || c.setup == kNoTarget) world.PresenterOfRow(1)->attach(32);
        if (c.setup == kNoTarget) world.PresenterOfRow(2)->attach(32);
        while (c.setup == kRowsFull && client.getNumActive() < 64) world.Spawn(1);
        for (std::int32_t slot = 0; c.setup == kNoChildInstance && slot < 80 * 5; slot += 5) {
            AZ_Presenter_Singleton::setCodeSlotValue(client.getManager()->getSlotStart(2) + slot, 0);
        }
        const std::int32_t next = world.store->getHighWaterMark();
        TakeLog();
        DebugCapture capture;
        client.raiseEvent(0, c.event);
        EXPECT_EQ(capture.Text().find("Invalid Id"), std::string::npos) << c.event;
        EXPECT_EQ(describe(0), c.spawner) << c.event;
        EXPECT_EQ(describe(next), c.spawned) << c.event;
        EXPECT_EQ(log, c.event == 324 ? "50p3" : "") << c.event;  // the event sent to the new character
        // The spawner is the user character: moved, it runs its camera at once.
        const bool moved = (c.event == 327 || c.event == 328) && c.setup != kNoTarget;
        EXPECT_EQ(TakeLog().size(), moved ? 1u : 0u) << c.event;
    }
}

TEST_F(InstructionTest, OneLineInstructionsActOnTheOwnPresenter) {
    world.Spawn(2);
    AZ_Presenter* p = world.PresenterOfRow(0);
    client.raiseEvent(0, 340);
    EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(40)), 1);
    EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(p->findCodeSlot(91)), 0);
    TakeLog();
    client.raiseEvent(0, 341);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"D91 p0", "D4 p0", "D40 p0"}));
    EXPECT_EQ(p->getCharacterType(), 1);

    // Handlers that raise their own event again stop at 64 nested.
    world.Spawn(1);
    DebugCapture capture;
    client.raiseEvent(1, 310);
    EXPECT_EQ(log.size(), 64 * std::string(" 9p1").size() - 1);
    EXPECT_EQ(capture.Text(), "[ AZ ][ ERROR ] - AZ_Client : Events nested too deeply, examine script\n");
}

// Each call reads its own entries from its offset, whoever else reads them.
TEST(Instructions, OverlappingCallsReadTheirOwnEntries) {
    ScriptUnits units{};
    std::string log;
    g_action = [&](AZ_Presenter*, std::int32_t n) { log += std::to_string(n) + " "; };
    vktools::RawScript script;
    script.characters = {{-1, 0}}, script.states = {0}, script.events = {{0, 0}, {5, 3}};
    // Entering: position (3, 5), event 5 + 162 (whose call reads 78), then 77.
    script.calls = {{124, 0}, {108, 1}, {94, 2}, {94, 3}}, script.parameters = {3, 5, 77, 78};
    ScriptWorld world(vktools::WriteRawScript(script));
    world.Spawn(0);
    EXPECT_EQ(log, "78 77 ");
    EXPECT_EQ(world.PresenterOfRow(0)->getX(), 3072);
    EXPECT_EQ(world.PresenterOfRow(0)->getY(), 5120);
}

}  // namespace
