// The key manager driven by event sequences, frame by frame.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "platform/shared/core/SystemEvent.h"
#include "src/CDeviceConfig.h"
#include "src/CKeyMgr.h"
#include "tests/framework/GameDirTest.h"

namespace {

// Runs a script: "D<code>" key down, "U<code>" key up, "T<ms>" tick, "E"
// end of frame, "S" suspend.
void RunScript(CKeyMgr& keys, const std::string& script) {
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
        const int value = step.size() > 1 ? std::stoi(step.substr(1)) : 0;
        switch (step[0]) {
            case 'D': keys.HandleEvent(EVENT_KEY_DOWN, static_cast<std::uint16_t>(value), 0); break;
            case 'U': keys.HandleEvent(EVENT_KEY_UP, static_cast<std::uint16_t>(value), 0); break;
            case 'T': keys.Tick(value); break;
            case 'E': keys.EndFrame(); break;
            case 'S': keys.HandleEvent(EVENT_SUSPEND, 0, 0); break;
            default: ADD_FAILURE() << step;
        }
    }
}

// The state by game key: "p=5:1 r=5:1 held=5 last=5 idle=0 hold=5:48".
std::string State(const CKeyMgr& keys) {
    std::string p, r, held, hold;
    for (int k = -1; k <= 32; ++k) {
        const std::string at = std::to_string(k);
        if (keys.GetPressCount(k) != 0) p += (p.empty() ? "" : ",") + at + ":" + std::to_string(keys.GetPressCount(k));
        if (keys.GetReleaseCount(k) != 0)
            r += (r.empty() ? "" : ",") + at + ":" + std::to_string(keys.GetReleaseCount(k));
        if (keys.IsKeyHeld(k)) held += (held.empty() ? "" : ",") + at;
        if (keys.GetHoldTime(k) != 0)
            hold += (hold.empty() ? "" : ",") + at + ":" + std::to_string(keys.GetHoldTime(k));
    }
    EXPECT_EQ(keys.IsAnyKeyPressed(), !p.empty());
    EXPECT_EQ(keys.IsAnyKeyReleased(), !r.empty());
    EXPECT_EQ(keys.IsAnyKeyHeld(), !held.empty());
    return "p=" + p + " r=" + r + " held=" + held + " last=" + std::to_string(keys.GetLastKey()) +
           " idle=" + std::to_string(keys.GetIdleTime()) + " hold=" + hold;
}

TEST(KeyMgr, EventSequences) {
    const struct {
        bool onlyOneKey;
        const char* script;
        const char* expected;
    } cases[] = {
        {false, "D11 U11", "p=5:1 r=5:1 held= last=5 idle=0 hold="},
        {false, "D11 U11 E", "p= r= held= last=5 idle=0 hold="},
        {false, "D4 T48 E T30", "p= r= held=1 last=1 idle=78 hold=1:78"},
        {false, "D49 D57 D48 D35 D42 D15 D16 D3",
         "p=6:1,14:1,15:1,16:1,17:1,18:1,19:1,20:1 r= held=6,14,15,16,17,18,19,20 last=20 idle=0 hold="},
        {false, "D5 D5 U5", "p=2:2 r=2:1 held= last=2 idle=0 hold="},
        // The back key and codes without a game key only reset the idle time.
        {false, "T30 D12 D99 U12", "p= r= held= last=0 idle=0 hold="},
        {false, "U7", "p= r=4:1 held= last=0 idle=0 hold="},
        // A suspend lets go of the keys; the hold time goes at the next tick.
        {false, "D6 T48 S", "p=3:1 r= held= last=3 idle=48 hold=3:48"},
        {false, "D6 T48 S T10", "p=3:1 r= held= last=3 idle=58 hold="},
        {false, "T2147483000 T1000 T1000", "p= r= held= last=0 idle=2147483647 hold="},
        // Two keys at once cancel the frame; the first one's release counts.
        {true, "D4 D5", "p= r= held= last=0 idle=0 hold="},
        {true, "D4 E D5", "p= r= held= last=0 idle=0 hold="},
        {true, "D4 U4 D5", "p=1:1,2:1 r=1:1 held=2 last=2 idle=0 hold="},
        {true, "D4 D5 U4", "p= r=1:1 held= last=0 idle=0 hold="},
    };
    for (const auto& c : cases) {
        CDeviceConfig config;
        config.onlyOneKeyPress = c.onlyOneKey;
        CKeyMgr keys(config);
        RunScript(keys, c.script);
        EXPECT_EQ(State(keys), c.expected) << c.script;
    }
}

TEST(KeyMgr, EventsThatLetGoOfTheKeys) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {{EVENT_RESUME, 1},        {EVENT_RESUME_2, 1},
                                                             {EVENT_CLAMSHELL, 1},     {EVENT_SUSPEND, 0},
                                                             {EVENT_PAUSE_REQUEST, 0}, {EVENT_PAUSE_REQUEST_2, 0}};
    for (const auto& [id, consumed] : cases) {
        CDeviceConfig config;
        CKeyMgr keys(config);
        keys.HandleEvent(EVENT_KEY_DOWN, 4, 0);
        EXPECT_EQ(keys.HandleEvent(id, 0, 0), consumed) << std::hex << id;
        EXPECT_FALSE(keys.IsAnyKeyHeld()) << std::hex << id;
    }
}

TEST(KeyMgr, PointerAndAccessorBounds) {
    CDeviceConfig config;
    CKeyMgr keys(config);
    EXPECT_EQ(keys.HandleEvent(EVENT_POINTER_DOWN, 0, 0x00280014), 0u);
    keys.HandleEvent(EVENT_POINTER_MOVE, 0, 0xFFFF0001);
    EXPECT_EQ(keys.GetPointerFlags(), CKeyMgr::kPointerDown | CKeyMgr::kPointerMove);
    EXPECT_EQ(keys.GetPointerX() * 100000 + keys.GetPointerY(), 165535);
    keys.HandleEvent(EVENT_POINTER_UP, 0, 0x00280014);
    EXPECT_EQ(keys.GetPointerFlags(), 14u);
    EXPECT_EQ(keys.HandleEvent(EVENT_REDRAW, 0, 0), 0u);
    for (const int key : {-1, 20, 21, 31}) keys.SetHoldTime(key, 7);  // only game keys are written
    EXPECT_EQ(State(keys), "p= r= held= last=0 idle=0 hold=20:7");
}

using KeyRemapTest = GameDirTest;

TEST_F(KeyRemapTest, PairsMatchLettersInEitherCase) {
    CDeviceConfig config;
    CKeyMgr keys(config);
    EXPECT_EQ(keys.RemapDeviceKey(0x61), 0x61);  // no key map
    m_dir.Write("device.conf", "KEYS=4\nSELECTION=0x61\nUP=0x42\nDOWN=0x61\nSTAR=0x7B\n");
    config.ReadDeviceConfig();
    const struct {
        std::uint16_t code, expected;
    } cases[] = {{'a', 11}, {'A', 11}, {'b', 4}, {'B', 4}, {0x7B, '*'}, {0x5B, 0x5B}, {'c', 'c'}, {0x161, 0x161}};
    for (const auto& c : cases) EXPECT_EQ(keys.RemapDeviceKey(c.code), c.expected) << c.code;
}

}  // namespace
