// A screen in the running game: pushed onto the still empty root node at
// the first tick (after the menus' sprites, 18/0, were loaded unless told
// otherwise), then driven by the 48 ms frame timer on the virtual clock,
// with keys and taps through the host's input.
#pragma once

#include <cstdint>
#include <functional>

#include "host/Window.h"
#include "tests/support/GameRun.h"

class CNode;

struct ScreenRun : GameRun {
    bool loadSprites = true;
    // make() gives the screen, configured (the sprites are loaded then);
    // step(n) runs after its nth update (0: right after its Init). The game
    // ends after that many steps.
    void Play(const std::function<CNode*()>& make, int steps, const std::function<void(int n)>& step);
};

// A key pressed and released (a virtual key of the phone).
void Press(WORD key);
// A stylus tap at back-buffer pixels.
void Tap(int x, int y);
// Draws the node into the back buffer now, as a frame does.
void DrawNow(CNode& node);
// The last presented frame's pixel at back-buffer pixels, 0xRRGGBB.
std::uint32_t ShownPixel(int x, int y);
// Pops the root's top node at the next update (its Exit runs then).
void PopScreen();
