// The engine's key manager over the application's key manager, fed with
// key and pointer events as the application feeds it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "tests/support/ScriptWorld.h"

namespace {

// Type 2 has a box 24 x 48 pixels.
constexpr char kScript[] = R"(
type controller initial idle
type other initial idle
type player initial boxed
state idle
state boxed
on enter
    b_boundingBox 1024 2048 0
)";

struct Input {
    std::uint32_t id, code;  // a key code, or the pointer's x | y << 16
};
constexpr Input Down(std::uint32_t code) { return {EVENT_KEY_DOWN, code}; }
constexpr Input Up(std::uint32_t code) { return {EVENT_KEY_UP, code}; }
constexpr Input Tap(std::uint32_t x, std::uint32_t y) { return {EVENT_POINTER_DOWN, x | y << 16}; }
constexpr Input Lift() { return {EVENT_POINTER_UP, 96 | 100 << 16}; }

struct Frame {
    std::vector<Input> inputs;
    std::int32_t dt = 48;
    bool view = true;
};

// The player at pixel (96, 192), facing left when asked, takes the keys;
// each frame's events go to the key manager, which then runs once as in
// the application's Update. The events the player got, frame by frame,
// and "back" for the back key posted to the application.
std::vector<std::string> Play(const std::vector<Frame>& frames, bool facingLeft) {
    ScriptWorld world(kScript);
    const std::int32_t row = world.Spawn(2, 4096, 8192);
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
        {"the bar's last quarter", {{{Tap(190, 330)}}}, false, {"back "}},
        {"up without the view, released with it", {{{Down(4)}, 48, false}, {{Up(4)}}}, false, {"", "244 "}},
    };
    for (const auto& c : cases) EXPECT_EQ(Play(c.frames, c.facingLeft), c.events) << c.name;
}

}  // namespace
