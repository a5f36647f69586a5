// The game layer as the scenes reach it: the screen of play and the
// adapter's levels, selections and saved progress. The scenes call only
// these, so that what stands behind them can change in one place.
#pragma once

#include <cstdint>

class CNode;

namespace scenes {

// The screen of play (null when it cannot be allocated).
CNode* NewGameScreen();

// The level reached in the saved progress, and its character.
std::int32_t UnlockedLevel();
std::int32_t SelectedCharacter();
// The player's choices in the menus.
void SelectCharacter(std::int32_t character);
void SelectLevel(std::int32_t level);
std::int32_t SelectedLevel();

// The level the adapter started last.
std::int32_t CurrentLevel();
void StartLevel(std::int32_t level);
void RetryLevel();
void ReleaseLevel();
// The saved progress forgotten (and saved).
void ResetSaveData();

}  // namespace scenes
