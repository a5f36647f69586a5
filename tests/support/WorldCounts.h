// The engine's world while a level of the sample content is played, for the
// tests that play it: the content's character types, the characters of a
// type and their units' words, and counts of what the engine holds
// (characters, presenters, unit instances and pooled sprites). A character
// that is gone must leave none of them behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class AZ_Presenter;

// Character types of the sample content.
inline constexpr std::int32_t kPlayer = 2, kHeavyPlayer = 3, kWalker = 4, kPickup = 5, kPuff = 6, kHook = 10,
                              kSpark = 12, kBat = 13, kHeart = 14, kExit = 80, kDialogue = 81;
// Code ids of the units whose words the tests read.
inline constexpr std::int32_t kHealth = 20, kPower = 55, kCombo = 74, kInGameTextBox = 76, kBar = 83,
                              kTextBoxVisual = 93;

// The nth active character of the type (a derived type counts), null when
// there is none.
AZ_Presenter* Character(std::int32_t type, std::int32_t nth = 0);
// Word of the character's unit (a behaviour or visual code id), or
// kAbsent when the character does not hold the unit.
constexpr std::int32_t kAbsent = -99999;
std::int32_t Word(const AZ_Presenter* presenter, std::int32_t codeId, std::int32_t word);
bool Holds(const AZ_Presenter* presenter, std::int32_t codeId);

struct WorldCounts {
    std::int32_t characters = 0;  // active rows
    std::int32_t presenters = 0;  // presenters in use, with a row or not
    std::int32_t sprites = 0;  // pooled sprites in use
    // Per code id, behaviours and visuals: instances in use, and instances
    // the presenters in use hold (one each at most), a presenter kept
    // without a row included.
    std::vector<std::int32_t> usedInstances, heldInstances;
};

// The running game's engine now.
WorldCounts CountWorld();
// Characters of the type now (of types derived from it too).
std::int32_t CountOfType(std::int32_t type);
// What no character holds: presenters in use without a row, and unit
// instances in use that no character's presenter holds ("presenter 18 of
// type 10", "instance of 53"), one a line; empty when there are none.
std::string Leftovers();
