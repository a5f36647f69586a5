// A screen in the running game: pushed onto the still empty root node at
// the first tick (after the menus' sprites, 18/0, were loaded unless told
// otherwise), then driven by the 48 ms frame timer on the virtual clock,
// with keys and taps through the host's input. After the last step the
// screen is popped, and every resource it took must have been given back.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/Window.h"
#include "tests/support/GameRun.h"

class CNode;

struct ScreenRun : GameRun {
    bool loadSprites = true;
    // Resources the screen loads for others to use (a bank's).
    std::vector<std::uint32_t> kept;
    // make() gives the screen, configured (the sprites are loaded then);
    // step(n) runs after its nth update (0: right after its Init).
    void Play(const std::function<CNode*()>& make, int steps, const std::function<void(int n)>& step);

private:
    // The archive's resources and texts the cache holds now.
    std::vector<std::uint32_t> Cached() const;
};

// Stacks the node on the root node inside a holder that leaves its results
// to the test (the root's own table does not know them); 0 when stacked.
std::int32_t PushOnRoot(CNode* node);

// Draws the node into the back buffer now, as a frame does.
void DrawNow(CNode& node);
// The last presented frame's pixel at back-buffer pixels, 0xRRGGBB.
std::uint32_t ShownPixel(int x, int y);
