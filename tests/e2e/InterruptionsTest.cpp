// What interrupts play, as a player meets it in the first level: the pause
// menu from the right soft key and from a tap on the bottom bar, the
// options reached from it (sound switched off there is saved in prefs.dat)
// and back to play; the window deactivated and activated again; the phone
// turned to landscape, which shows the notice, and upright again; and the
// end key, which ends the program.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/Window.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "tests/support/GameFlow.h"
#include "tests/support/GoldenFrame.h"

namespace {

constexpr char kPause[] = "3 Shell/10 Game/3 Menu";
// Play settles once the level has loaded and its dialogue is open.
constexpr int kSettleMs = 1000;
constexpr int kInterruptionTicks = 10;

// A tap on the bottom bar's rightmost quarter, the back key's place.
void TapBackOnTheBar() { Tap(220, 312); }

TEST(Interruptions, PauseOptionsDeactivationLandscapeAndTheEndKey) {
    FlowRun run;
    // An interruption lasts some ticks; `during` checks it at its last tick
    // but one, `end` ends it.
    int endAt = -1;
    std::function<void()> during, end;
    run.everyTick = [&](int tick) {
        if (tick == endAt - 1) during();
        if (tick == endAt) end();
    };
    const auto interrupt = [&](std::function<void()> start, std::function<void()> check, std::function<void()> stop) {
        return [=, &run, &endAt, &during, &end] {
            start();
            endAt = run.lastTick + kInterruptionTicks;
            during = check;
            end = stop;
        };
    };
    // The game stands while it is deactivated: no frame runs (the key
    // manager's idle time grows with every frame).
    std::int32_t idleAtSuspend = 0;
    const auto idleTime = [] { return CGameApp::GetKeyMgr()->GetIdleTime(); };
    const auto deactivate = interrupt(
        [&] {
            idleAtSuspend = idleTime();
            host::InjectActivation(false);
        },
        [&] {
            EXPECT_TRUE(host::GetGxState().suspended);
            EXPECT_EQ(Chain(), kPlayChain);
            EXPECT_EQ(idleTime(), idleAtSuspend);
        },
        [] { host::InjectActivation(true); });
    // In landscape the notice takes the screen's place.
    const auto turn = interrupt(
        [] { host::RotateScreen(); },
        [] {
            EXPECT_EQ(CGameApp::GetInstance()->GetRunState(), CGameApp::kInterrupted);
            EXPECT_TRUE(MatchesGoldenFrame("landscape-notice"));
        },
        [] { host::RotateScreen(); });
    const auto paused = [] {
        EXPECT_FALSE(ICMediaPlayer::GetInstance()->IsSoundPlaying(0));
        EXPECT_FALSE(host::GetGxState().suspended);
        EXPECT_EQ(CGameApp::GetInstance()->GetRunState(), CGameApp::kRunning);
    };
    std::vector<Step> steps = ToMainMenu({
        {"3 Shell/3 Menu", {kEnter}},
        {"3 Shell/7 CharacterSelect", {kLeft, kEnter}},
        {"3 Shell/9 Text", {kEnter}},
        {kPlayChain, {VK_F2}, {}, {}, kSettleMs},  // the right soft key
        {kPause, {kEnter}, paused},  // resume
        {kPlayChain, {}, {}, TapBackOnTheBar, kSettleMs},
        {kPause, {kDown, kEnter}, paused},
        // Sound, on, switched off; back saves the options.
        {"3 Shell/10 Game/6 Options/1 Options", {kEnter, kEscape}, [&] {
             EXPECT_EQ(PrefsByte(run, 12), 1);
             EXPECT_EQ(ICMediaPlayer::GetInstance()->IsSoundEnabled(), 1);
         }},
        // The pause menu as it was left: up to resume.
        {kPause, {kUp, kEnter}, [&] {
             EXPECT_EQ(run.dir.Read("prefs.dat"), std::string(16, '\0'));
             EXPECT_EQ(ICMediaPlayer::GetInstance()->IsSoundEnabled(), 0);
         }},
        // Deactivated, the game waits; activated, it stands paused.
        {kPlayChain, {}, {}, deactivate, kSettleMs},
        {kPause, {kEnter}, paused},
        {kPlayChain, {}, {}, turn, kSettleMs},
        {kPause, {kEnter}, paused},
        {kPlayChain, {VK_F4}, {}, {}, kSettleMs},
    });
    steps[0].keys = {kDown, kEnter};  // sound: yes
    run.Walk(steps);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.endedByItself);
}

}  // namespace
