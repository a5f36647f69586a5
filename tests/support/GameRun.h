// The real game run in process, for tests: WinMain with the game's own
// application on the headless window, display and media backends and the
// virtual clock, in a temporary game directory that holds an archive built
// from the content (the sample content of content/ unless the test changes
// it) and whatever files the test writes there. The test program links the
// application's hooks (`gamehooks`).
//
//   GameRun run;
//   run.content.resources[0x03000258] = vktools::MakeResource(...);
//   run.dir.Write("properties.dat", "Zel-Cheats-Enable = TRUE\n");
//   EXPECT_EQ(run.Run([&](int tick) {
//       if (tick == 1) EXPECT_EQ(CGameApp::GetInstance()->AreCheatsEnabled(), 1);
//   }), 0);
#pragma once

#include <functional>
#include <string>

#include "host/DDraw.h"
#include "host/Window.h"
#include "tests/support/TempDir.h"
#include "tools/ContentBuilder.h"

// content/content.list's resources, made once per test program.
const vktools::Content& SampleContent();

class GameRun {
public:
    GameRun();

    // Runs the game to its end and returns its exit code. onTick runs once
    // after start-up (tick 0, before the start event) and then after every
    // tick of the frame timer (1, 2, ...; while the game is deactivated and
    // has no timer, every 48 ms of virtual time), where it may look at the
    // application (CGameApp::GetInstance) and inject input through the
    // host's hooks. After maxTicks ticks the window is closed.
    int Run(const std::function<void(int tick)>& onTick = {}, int maxTicks = 2);

    vktools::Content content;  // written as velkorin.big unless writeArchive is false
    bool writeArchive = true;
    // Whether the root node runs the game's scenes; without them it stays
    // empty for the test to push its own nodes.
    bool scenes = false;
    host::WindowOptions window;  // the headless screen (480 x 640 unless changed)
    host::DisplayFormat display = host::kDisplayRgb565;
    TempDir dir;
    // After a run: the text of the last message box it showed, if any.
    std::string messageBox;
};

// Input for a running game. A key pressed and released (a virtual key of
// the phone).
void Press(WORD key);
// A stylus tap at back-buffer pixels (the window shows them doubled).
void Tap(int x, int y);
