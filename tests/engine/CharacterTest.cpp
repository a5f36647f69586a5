// Characters: spawning into their state machines, the active rows and the
// per-type table, events offered down the stack and along the overrides,
// and handlers that change the rows they run on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/ScriptUnits.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/ScriptWorld.h"
#include "tools/ScriptAssembler.h"

namespace {

using Strings = std::vector<std::string>;
using States = std::vector<std::int32_t>;

constexpr char kInvalidCharacter[] = "[ AZ ][ ERROR ] - AZ_Client Invalid character Id\n";
constexpr char kInvalidState[] = "[ AZ ][ ERROR ] - AZ_Client Invalid state Id\n";
constexpr char kCycle[] = "[ AZ ][ ERROR ] - AZ_Client : State overrides form a cycle, examine script\n";

// Action n logs "n p<presenter>".
constexpr char kScript[] = R"(
event ping 300
event pong 301
type base_t initial b_idle                  # 0
type derived base base_t initial d_idle     # 1
type plain initial p_low                    # 2
type other initial o_idle                   # 3
type derived2 base derived initial d2_idle  # 4
state b_idle                                # 0
on enter
    f_customCodeInstruction 1
on ping
    f_customCodeInstruction 2
on exit
    f_customCodeInstruction 3
state d_idle                                # 1
on exit
    f_customCodeInstruction 4
state p_low                                 # 2
on ping
    f_customCodeInstruction 5
state p_top                                 # 3
on pong
state o_idle                                # 4
on ping
    f_customCodeInstruction 6
    b_drawable 7 0
    f_customCodeInstruction 7
state d2_idle                               # 5
on exit
    f_customCodeInstruction 8
)";

constexpr std::int32_t kPing = 300, kPong = 301;

struct CharacterTest : ::testing::Test {
    CharacterTest() {
        g_action = [this](AZ_Presenter* p, std::int32_t n) {
            actions.push_back(std::to_string(n) + " p" + std::to_string(p->getId()));
            if (onAction) onAction(p, n);
        };
    }
    ScriptUnits units{40};
    ScriptWorld world{kScript};
    AZ_Client& client = *world.client;
    Strings actions;
    std::function<void(AZ_Presenter*, std::int32_t)> onAction;
};

TEST_F(CharacterTest, ADerivedSpawnEntersThroughTheBaseHandler) {
    const std::int32_t row = world.Spawn(4);
    ASSERT_EQ(row, 0);
    EXPECT_EQ(world.Stack(row), (States{5}));
    // Each ancestor's initial state is overridden by its child's.
    EXPECT_EQ(client.getOverrideBase(row, 0), 1);
    EXPECT_EQ(client.getOverrideDerived(row, 0), 5);
    EXPECT_EQ(client.getOverrideBase(row, 1), 0);
    EXPECT_EQ(client.getOverrideDerived(row, 1), 1);
    EXPECT_EQ(actions, (Strings{"1 p0"}));  // d2_idle, d_idle list no enter: b_idle's runs
    EXPECT_EQ(world.hooks.Of({AZ_Hook::SpawnBegin, AZ_Hook::SpawnEnd, AZ_Hook::HandlerBegin, AZ_Hook::HandlerEnd}),
              (Strings{"SpawnBegin 0", "HandlerBegin 0 162", "HandlerBegin 0 162", "HandlerBegin 0 162",
                       "HandlerEnd 0 162", "SpawnEnd 0"}));
    // Exit runs on every state of the chain; the last one is returned.
    actions.clear();
    EXPECT_EQ(client.exitState(row), 0);
    EXPECT_EQ(actions, (Strings{"8 p0", "4 p0", "3 p0"}));
    for (std::int32_t type : {0, 1, 4}) EXPECT_EQ(client.getSingletonEntry(type), 0) << type;
    EXPECT_EQ(client.findCharacterByType(0), 0);
    EXPECT_EQ(client.findCharacterByType(2), -1);
}

TEST_F(CharacterTest, EventsFallThroughTheStackAndTheDepthIsRestored) {
    const std::int32_t row = world.Spawn(2);
    std::vector<std::int32_t> depths;
    onAction = [&](AZ_Presenter*, std::int32_t) { depths.push_back(client.getHandlerDepth(row)); };
    client.pushState(row, 3);
    client.setHandlerDepth(row, 9);
    client.raiseEvent(row, kPing);  // p_top does not list it, p_low does
    EXPECT_EQ(actions, (Strings{"5 p0"}));
    EXPECT_EQ(depths, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(client.getHandlerDepth(row), 9);
    // A state listing the event without calls handles it: p_low is not asked.
    client.raiseEvent(row, kPong);
    EXPECT_EQ(actions.size(), 1u);
    // A filter result other than 1 counts every event as handled.
    world.hooks.calls.clear();
    world.hooks.handlerResult = 0;
    client.raiseEvent(row, kPing);
    EXPECT_EQ(actions.size(), 1u);
    EXPECT_EQ(world.hooks.Of({AZ_Hook::HandlerBegin, AZ_Hook::HandlerEnd}), (Strings{"HandlerBegin 0 300"}));
}

TEST_F(CharacterTest, TheStackKeepsThirteenStates) {
    const std::int32_t row = world.Spawn(2);
    for (std::int32_t s = 0; s < 12; ++s) client.pushState(row, s % 4);
    EXPECT_EQ(world.Stack(row).size(), 13u);
    DebugCapture capture;
    client.pushState(row, 5);  // the bottom state (2) is lost
    EXPECT_EQ(capture.Text(),
              "[ AZ ][ ERROR ] - AZ_Client: Out of stack memory for states, examine script for incorrect usage of "
              "push and pop instructions\n");
    EXPECT_EQ(world.Stack(row), (States{5, 3, 2, 1, 0, 3, 2, 1, 0, 3, 2, 1, 0}));
    capture.Clear();
    for (std::int32_t s : {5, 3, 2, 1, 0, 3, 2, 1, 0, 3, 2, 1}) EXPECT_EQ(client.popState(row), s);
    EXPECT_EQ(client.popState(row), -1);  // the last one
    EXPECT_EQ(capture.Text(), "");
    EXPECT_EQ(client.popState(row), -1);
    EXPECT_EQ(capture.Text(), "[ AZ ][ ERROR ] - AZ_Client: Trying to pop a character with no states, examine code\n");
}

TEST_F(CharacterTest, OverridesReplaceStatesOnTheStackAtOnce) {
    const std::int32_t row = world.Spawn(2);
    const std::int32_t id = client.getPresenterOfRow(row);
    client.pushState(row, 0);
    client.pushState(row, 3);
    client.overrideState(id, 2, 4);  // p_low at depth 2
    EXPECT_EQ(world.Stack(row), (States{3, 0, 4}));
    client.overrideState(id, 2, 5);  // the old derived state goes too
    EXPECT_EQ(world.Stack(row), (States{3, 0, 5}));
    client.unOverrideState(id, 2);
    EXPECT_EQ(world.Stack(row), (States{3, 0, 5}));
    client.pushState(row, 2);
    EXPECT_EQ(world.Stack(row), (States{2, 3, 0, 5}));

    // The 17th distinct override is not recorded, with the table's line.
    for (std::int32_t base = 100; base < 116; ++base) client.overrideState(id, base, 1);
    DebugCapture capture;
    client.overrideState(id, 116, 1);
    EXPECT_EQ(capture.Text(),
              "[ AZ ][ ERROR ] - AZ_Client : Pool for active characters full, increase AZ__MAX_ACTIVE_CHARACTERS in "
              "code or decrease action bubble size in b_actionBubble\n");
    EXPECT_EQ(client.getOverrideBase(row, 15), 115);
    client.setTopState(row, 116);
    EXPECT_EQ(client.getTopState(row), 116);
}

TEST_F(CharacterTest, BadStatesAndOverrideCyclesStopWithALine) {
    const std::int32_t row = world.Spawn(2);
    const std::int32_t id = client.getPresenterOfRow(row);
    const struct {
        const char* what;
        std::function<void()> act;
        std::string lines;
        States stack;
    } cases[] = {
        {"negative override", [&] { client.overrideState(id, 2, -3); }, kInvalidState, {2}},
        {"state past the script", [&] { client.pushState(row, 6); client.raiseEvent(row, kPing); },
         kInvalidState, {6, 2}},  // and p_low below still handles it
        {"cycle", [&] { client.overrideState(id, 4, 2); client.overrideState(id, 2, 4); }, "", {6, 4}},
        {"resolving a cycle", [&] { client.setTopState(row, 2); }, kCycle, {2, 4}},
        {"falling back along a cycle", [&] { client.raiseEvent(row, kPong); }, std::string(kCycle) + kCycle, {2, 4}},
        {"exiting along a cycle", [&] { client.exitState(row); }, kCycle, {2, 4}},
        {"bad rows and types",
         [&] { client.destroyCharacter(1), client.raiseEvent(-2, kPing), client.changeCharacterType(row, 5); },
         std::string(kInvalidCharacter) + kInvalidCharacter + kInvalidCharacter, {2, 4}},
    };
    for (const auto& c : cases) {
        DebugCapture capture;
        c.act();
        EXPECT_EQ(capture.Text(), c.lines) << c.what;
        EXPECT_EQ(world.Stack(row), c.stack) << c.what;
    }
    EXPECT_EQ(actions, (Strings{"5 p0"}));
    EXPECT_EQ(client.getNumActive(), 1);
    for (std::int32_t type : {-1, 5, 200}) EXPECT_EQ(client.findCharacterByType(type), -1) << type;
}

TEST_F(CharacterTest, ThePerTypeTableCountsLiveCharacters) {
    const std::int32_t a = world.Spawn(1), b = world.Spawn(1), c = world.Spawn(0);
    EXPECT_EQ(client.getSingletonEntry(1), -3);
    EXPECT_EQ(client.getSingletonEntry(0), -4);  // base_t counts its derived ones
    world.hooks.calls.clear();
    client.destroyCharacter(a);  // the row goes first, then the presenter
    EXPECT_EQ(world.hooks.Of({AZ_Hook::RowRemoveBegin, AZ_Hook::RowRemoveEnd, AZ_Hook::PresenterRelease}),
              (Strings{"RowRemoveBegin 0", "RowRemoveEnd 0", "PresenterRelease 0"}));
    EXPECT_EQ(client.getSingletonEntry(1), 1);  // the presenter id of the one left
    EXPECT_EQ(client.getSingletonEntry(0), -3);
    EXPECT_EQ(client.findCharacterByType(0), 0);
    EXPECT_EQ(client.findNextCharacterByType(0, 0), 1);
    client.changeCharacterType(b - 1, 3);  // the derived one becomes `other`
    EXPECT_EQ(client.getSingletonEntry(1), -1);
    EXPECT_EQ(client.getSingletonEntry(0), 2);
    EXPECT_EQ(client.getSingletonEntry(3), 1);
    EXPECT_EQ(world.PresenterOfRow(0)->getCharacterType(), 3);
    EXPECT_EQ(world.Stack(0), (States{1}));  // its states stay
    client.releaseRow(c - 1);
    EXPECT_EQ(client.getSingletonEntry(0), -1);
    EXPECT_EQ(client.getActiveIndex(2), -1);
    EXPECT_EQ(AZ_Presenter::getPresenter(2)->getCharacterType(), 0);  // the presenter is still held
}

TEST_F(CharacterTest, TheSixtyFifthSpawnIsRefused) {
    for (std::int32_t i = 0; i < 64; ++i) ASSERT_EQ(world.Spawn(3), i);
    AZ_Presenter* last = world.store->createPresenter(3, 0, 0);
    DebugCapture capture;
    EXPECT_EQ(client.spawnCharacter(last), -1);
    EXPECT_EQ(capture.Text(),
              "[ AZ ] [ ERROR ] : AZ_Client - Out of pool space for active entities on the screen, increase "
              "AZ__MAX_ACTIVE_CHARACTERS\n");
    EXPECT_EQ(client.getNumActive(), 64);
    EXPECT_EQ(last->getCharacterType(), AZ_Presenter::kNone);  // released
    EXPECT_EQ(client.getSingletonEntry(3), -65);
    client.reset();
    EXPECT_EQ(client.getNumActive(), 0);
    EXPECT_EQ(client.getSingletonEntry(3), -1);
}

// A handler that destroys an earlier row moves its own character to that
// row: the calls after it still reach the character, and its depth is
// given back there.
TEST_F(CharacterTest, AHandlerDestroyingRowsFollowsItsCharacter) {
    world.Spawn(2);
    const std::int32_t row = world.Spawn(3);
    onAction = [&](AZ_Presenter* p, std::int32_t n) {
        if (n == 6) client.destroyCharacter(0);
        if (n == 7 && p->getId() == 1) client.destroyCharacter(client.getActiveIndex(1));
    };
    client.setHandlerDepth(row, 4);
    client.raiseEvent(row, kPing);
    EXPECT_EQ(actions, (Strings{"6 p1", "7 p1"}));
    EXPECT_EQ(TakeLog(), (Strings{"A40 p1", "D40 p1"}));  // b_drawable on p1, detached by the destroy
    EXPECT_EQ(client.getNumActive(), 0);

    // Destroying itself first: the attach after it is skipped, the
    // instruction still runs, and the presenter's next owner starts clean.
    world.Spawn(3);
    actions.clear();
    onAction = [&](AZ_Presenter* p, std::int32_t n) {
        if (n == 6) client.destroyCharacter(client.getActiveIndex(p->getId()));
    };
    client.raiseEvent(0, kPing);
    EXPECT_EQ(actions, (Strings{"6 p0", "7 p0"}));
    EXPECT_EQ(TakeLog(), Strings{});
    EXPECT_EQ(world.store->createPresenter(2, 0, 0)->findCodeSlot(40), -1);

    // The depth goes back to the row the character has afterwards.
    world.Spawn(2);
    world.Spawn(3);
    onAction = [&](AZ_Presenter*, std::int32_t n) {
        if (n == 6) client.destroyCharacter(0);
    };
    client.setHandlerDepth(1, 4);
    client.raiseEvent(1, kPing);
    EXPECT_EQ(client.getHandlerDepth(0), 4);
}

TEST(Characters, ACallOfAnEventIsSkippedWithALine) {
    ScriptUnits units{5};
    vktools::RawScript script;
    script.characters = {{-1, 0}};
    script.states = {0};
    script.events = {{0, 0}};
    script.calls = {{162, 0}, {-1, 0}, {5, 0}};
    script.parameters = {1, 2, 3};
    ScriptWorld world(vktools::WriteRawScript(script));
    DebugCapture capture;
    EXPECT_EQ(world.Spawn(0), 0);
    EXPECT_EQ(capture.Text(),
              "[ AZ ][ ERROR ] - AZ_Client : Cannot do a call on an event, examine script\n"
              "[ AZ ][ ERROR ] - AZ_Presenter Invalid behavior / visual type\n");
    EXPECT_EQ(TakeLog(), (Strings{"A5 p0"}));
}

}  // namespace
