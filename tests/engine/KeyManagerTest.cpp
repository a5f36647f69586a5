// The engine's key manager over the application's key manager, fed with
// key and pointer events as the application feeds it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "tests/engine/GameUnitWorld.h"
#include "tests/support/ScriptWorld.h"

namespace {

// Types 2 and 3 have a box 24 x 48 pixels; 81 is the text box.
std::string Script() {
    return "type controller initial idle\ntype other initial idle\ntype player initial boxed\n"
           "type heavy initial boxed\n" +
           FillerTypes(4, 81) + "type box initial idle\nstate idle\nstate boxed\non enter\n"
                                "    b_boundingBox 1024 2048 0\n";
}

struct Input {
    std::uint32_t id, code;  // a key code, or the pointer's x | y << 16
};
constexpr Input Down(std::uint32_t code) { return {EVENT_KEY_DOWN, code}; }
constexpr Input Up(std::uint32_t code) { return {EVENT_KEY_UP, code}; }
constexpr Input Tap(std::uint32_t x, std::uint32_t y) { return {EVENT_POINTER_DOWN, x | y << 16}; }
constexpr Input Lift(std::uint32_t x = 96, std::uint32_t y = 100) { return {EVENT_POINTER_UP, x | y << 16}; }

struct Frame {
    std::vector<Input> inputs;
    std::int32_t dt = 48;
    bool view = true;
};

// A character of the type (the player by default) at pixel (96, 192),
// facing left when asked, takes the keys; each frame's events go to the
// key manager, which then runs once as in the application's Update. The
// events the character got, frame by frame, and "back" for the back key
// posted to the application.
std::vector<std::string> Play(const std::vector<Frame>& frames, bool facingLeft, std::int32_t type = 2) {
    ScriptWorld world(Script());
    const std::int32_t row = world.Spawn(type, 4096, 8192);
    world.PresenterOfRow(row)->setFacing(facingLeft ? 1 : 0);
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    std::vector<std::string> got;
    for (const Frame& frame : frames) {
        world.client->getCamera()->SetViewEnabled(frame.view);
        for (const Input& input : frame.inputs) {
            keys->HandleEvent(input.id, static_cast<std::uint16_t>(input.code), input.code);
        }
        world.hooks.calls.clear();
        keys->Tick(frame.dt);
        world.client->getKeyManager()->update(world.client->getPresenterOfRow(row));
        keys->EndFrame();
        std::string events;
        for (const std::string& call : world.hooks.Of({AZ_Hook::HandlerBegin})) events += call.substr(15) + " ";
        world.Tick();
        if (std::exchange(world.appEvents, {}) == std::vector<std::uint32_t>{EVENT_KEY_PRESS}) events += "back ";
        got.push_back(events);
    }
    return got;
}

TEST(KeyManager, KeysAndTapsBecomeTheEventsOfTheCharacter) {
    const struct {
        const char* name;
        std::vector<Frame> frames;
        bool facingLeft;
        std::vector<std::string> events;
    } cases[] = {
        {"up twice within 450 ms", {{{Down(4), Up(4)}}, {{}, 402}, {{Down(4)}}}, false, {"217 244 ", "", "234 "}},
        {"up twice 451 ms apart", {{{Down(4), Up(4)}}, {{}, 403}, {{Down(4)}}}, false, {"217 244 ", "", "217 "}},
        {"key 7 after key 1", {{{Down(4), Up(4)}}, {{Down('2')}}}, false, {"217 244 ", "234 "}},
        {"the bar's first three quarters", {{{Tap(10, 330)}}, {{Tap(70, 330)}}, {{Tap(130, 330)}}}, false,
         {"228 ", "218 ", "226 "}},
        {"a tap above the box, then the release", {{{Tap(96, 100)}}, {{Lift()}}}, false, {"217 ", "244 "}},
        {"a tap inside the box", {{{Tap(96, 170)}}, {{Lift()}}}, false, {"233 ", "260 "}},
        {"left held facing left", {{{Down(6)}}, {{}}, {{Up(6)}}}, true, {"215 212 ", "", "242 239 "}},
        {"left held facing right", {{{Down(6)}}, {{Up(6)}}}, false, {"215 211 ", "242 238 "}},
        // Pressed and let go in one frame (a key, a tap beside the box
        // lifted at once): the direction's press, then its release.
        {"left in one frame facing right", {{{Down(6), Up(6)}}}, false, {"215 242 211 238 "}},
        {"right in one frame facing left", {{{Down(7), Up(7)}}}, true, {"214 241 211 238 "}},
        {"a tap left of the box, lifted", {{{Tap(60, 170), Lift(60, 170)}}}, true, {"215 242 212 239 "}},
        {"a tap right of the box, lifted", {{{Tap(130, 170), Lift(130, 170)}}}, false, {"214 241 212 239 "}},
        {"left and right in one frame", {{{Down(6), Up(6), Down(7), Up(7)}}, {{}}}, false, {"215 214 242 241 211 212 238 239 ", ""}},
        {"the bar's last quarter, once", {{{Tap(190, 330)}}, {{}}, {{Lift()}}}, false, {"back ", "", ""}},
        {"up without the view, released with it", {{{Down(4)}, 48, false}, {{Up(4)}}}, false, {"", "244 "}},
    };
    for (const auto& c : cases) EXPECT_EQ(Play(c.frames, c.facingLeft), c.events) << c.name;
}

// A tap inside the box (select on the players, select on the text box,
// nothing on others) and a tap on the bar's first quarter (key 6), lifted
// in the same frame or the next, then a frame without input: every key
// the tap made is released once.
TEST(KeyManager, EveryKeyATapMadeIsReleasedWhenTheStylusLifts) {
    const std::vector<Frame> boxOnce = {{{Tap(96, 170), Lift(96, 170)}}, {{}}};
    const std::vector<Frame> boxTwice = {{{Tap(96, 170)}}, {{Lift()}}, {{}}};
    const std::vector<Frame> barOnce = {{{Tap(10, 330), Lift(10, 330)}}, {{}}};
    const std::vector<Frame> barTwice = {{{Tap(10, 330)}}, {{Lift()}}, {{}}};
    const struct {
        std::int32_t type;
        const std::vector<Frame>& frames;
        std::vector<std::string> events;
    } cases[] = {
        {2, boxOnce, {"233 260 ", ""}}, {2, boxTwice, {"233 ", "260 ", ""}},
        {2, barOnce, {"228 255 ", ""}}, {2, barTwice, {"228 ", "255 ", ""}},
        {3, boxOnce, {"233 260 ", ""}}, {3, boxTwice, {"233 ", "260 ", ""}},
        {3, barOnce, {"228 255 ", ""}}, {3, barTwice, {"228 ", "255 ", ""}},
        // The text box takes any lift as select's release.
        {81, boxOnce, {"233 260 ", ""}}, {81, boxTwice, {"233 ", "260 ", ""}},
        {81, barOnce, {"228 255 ", ""}}, {81, barTwice, {"228 ", "260 255 ", ""}},
        {0, boxOnce, {"", ""}}, {0, boxTwice, {"", "", ""}},
        {0, barOnce, {"228 255 ", ""}}, {0, barTwice, {"228 ", "255 ", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Play(c.frames, false, c.type), c.events) << c.type << " " << c.frames.size();
        EXPECT_FALSE(CGameApp::GetKeyMgr() != nullptr && CGameApp::GetKeyMgr()->IsAnyKeyHeld());
    }
}

// b_keyHeld's events: the press event of every held key's row in the
// order of the press table (never a double press, key 14 without a level
// change), then the direction of 3 or 9 and of 4 or 11 by the facing.
TEST(KeyManager, HeldKeysSendTheirPressEvents) {
    const struct {
        std::vector<std::uint16_t> held;
        bool facingLeft;
        const char* events;
    } cases[] = {
        {{6}, false, "215 211 "},
        {{6}, true, "215 212 "},
        {{'*', '9', 6, 4}, false, "217 215 220 218 211 "},
        {{'6', 7}, true, "214 211 "},
        {{'2', '7'}, false, "217 222 "},
        {{}, false, ""},
    };
    for (const auto& c : cases) {
        ScriptWorld world(Script());
        const std::int32_t row = world.Spawn(2, 4096, 8192);
        AZ_Presenter* player = world.PresenterOfRow(row);
        player->setFacing(c.facingLeft ? 1 : 0);
        const std::int32_t level = world.client->getAdapter()->getCurrentLevel();
        CKeyMgr* keys = CGameApp::GetKeyMgr();
        for (const std::uint16_t code : c.held) keys->HandleEvent(EVENT_KEY_DOWN, code, code);
        world.hooks.calls.clear();
        world.client->getKeyManager()->sendHeldKeyEvents(player->getId());
        std::string events;
        for (const std::string& call : world.hooks.Of({AZ_Hook::HandlerBegin})) events += call.substr(15) + " ";
        EXPECT_EQ(events, c.events) << c.held.size();
        EXPECT_EQ(world.client->getAdapter()->getCurrentLevel(), level);
    }
}

}  // namespace
