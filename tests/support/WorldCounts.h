// What the engine holds while a level is played, counted for the tests that
// play it: characters, presenters, unit instances and pooled sprites. A
// character that is gone must leave none of them behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WorldCounts {
    std::int32_t characters = 0;  // active rows
    std::int32_t presenters = 0;  // presenters in use, with a row or not
    std::int32_t sprites = 0;  // pooled sprites in use
    std::vector<std::int32_t> freeInstances;  // per code id, behaviours and visuals
};

// The running game's engine now.
WorldCounts CountWorld();
// Characters of the type now (of types derived from it too).
std::int32_t CountOfType(std::int32_t type);
// What no character holds: presenters in use without a row, and unit
// instances in use that no character's presenter holds ("presenter 18 of
// type 10", "instance of 53"), one a line; empty when there are none.
std::string Leftovers();
