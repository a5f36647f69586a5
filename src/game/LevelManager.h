// The entity list resource: the characters a level starts with.
//
// Little-endian int16 words: the entity count n, then n records of three
// words: type (bits 0-14) with bit 15 set for facing left, x and y in pixels
// (uint16; x the character's horizontal centre, y its bottom).
#pragma once

#include <cstdint>

class LevelManager {
public:
    // Spawns the entities of the list resource of the id, then drops the
    // resource; a missing one is logged.
    static void loadEntities(std::uint32_t resourceId);
    // Spawns the records of the list: each becomes a presenter and a
    // character, runs one update with time 0, stands on the ground below it
    // when it has b_tileCollidable, and starts paused and hidden. The count
    // is bounded by the records present; a record whose presenter or
    // character is refused is skipped with a line.
    static void spawnEntities(const std::uint8_t* data, std::uint32_t size);
};
