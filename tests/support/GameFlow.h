// The game's flow as tests walk it over GameRun (with the game's scenes):
// where it stands (the chain of state machines from the root down, each
// level's state id and class), what the top page says, and walks that wait
// for each screen in turn and press keys on it, on the virtual clock.
//
//   FlowRun run;
//   run.Walk(ToMainMenu({{"3 Shell/3 Menu", {kEnter}}, {"3 Shell/7 CharacterSelect", {}}}));
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/Window.h"
#include "src/CMenuScreen.h"
#include "src/COptionsScreen.h"
#include "tests/support/GameRun.h"

class CNode;
class CStateMachineNode;

// A menu's items, their texts and their count, for the taps on them and
// what they say.
struct MenuPeek : CMenuScreen {
    static constexpr auto kItems = &MenuPeek::m_items;
    static constexpr auto kTexts = &MenuPeek::m_texts;
    static constexpr auto kCount = &MenuPeek::m_count;
};
// The options page's three items.
struct OptionsPeek : COptionsScreen {
    static constexpr auto kSound = &OptionsPeek::m_soundItem;
    static constexpr auto kVibration = &OptionsPeek::m_vibrationItem;
    static constexpr auto kExtra = &OptionsPeek::m_extraItem;
};

// The class without its C and Scene or Screen: CShellScene is "Shell"; the
// game screen is "Play".
std::string ClassOf(CNode* node);
// The root node, and the current node of the deepest state machine.
CStateMachineNode* Root();
CNode* Top();
// "3 Shell/10 Game/3 Menu": each level's state id and class.
std::string Chain();
// The chains of the character selection, of the game screen in play and
// of the retry question.
inline constexpr char kCharacterSelectChain[] = "3 Shell/7 CharacterSelect", kPlayChain[] = "3 Shell/10 Game/2 Play",
                      kRetryChain[] = "3 Shell/10 Game/4 Menu";
// The machine's child scene in the state, or null.
CStateMachineNode* Scene(CStateMachineNode* machine, std::uint32_t state);
// Every sprite the loading page loads, as (archetype, character): 0 of
// archetypes 0 to 20, and 1 and 2 of 2, 16 and 17.
std::vector<std::pair<std::int32_t, std::int32_t>> GameSprites();
// Those sprites loaded at once: for tests that go straight to the menus or
// the game.
void LoadGameSprites();
// The text of the top node, a text page.
std::u16string TopText();
// A text resource of the language chosen, as the resource manager gives it
// (empty when the content has none).
std::u16string Text(std::uint32_t id);

// A byte of prefs.dat in the run's game directory.
std::uint8_t PrefsByte(const GameRun& run, int n);
// savegame.dat: started, padding, level reached, character (small values).
std::string SaveGame(char started, char level, char character);

inline constexpr WORD kUp = VK_UP, kDown = VK_DOWN, kLeft = VK_LEFT, kRight = VK_RIGHT, kEnter = VK_RETURN,
                      kEscape = VK_ESCAPE;

// Called at every tick of a run that takes each page of the flow: once the
// top page's opening is over, at even ticks, select (on the character
// selection, the character's arrow first).
void TakePage(int tick, WORD character);

// One step of a walk: the chain waited for, a check when it is reached,
// then (once the top screen's intro is over and waitMs have passed) the
// settled check and the keys, pressed at once. The chain must not change
// before.
struct Step {
    std::string chain;
    std::vector<WORD> keys;
    std::function<void()> check = {};
    std::function<void()> settled = {};
    int waitMs = 0;
};

struct FlowRun : GameRun {
    FlowRun() { scenes = true; }

    // The times (virtual ms from the start event) at which each chain was
    // reached. The game ends by itself or is closed a few frames after the
    // last step (or once `after` holds), at the latest after maxTicks.
    std::vector<int> Walk(const std::vector<Step>& steps);

    // Polled at every tick after the last step until it returns true.
    std::function<bool()> after;
    // Runs at every tick (from 1) before the step's own work.
    std::function<void(int tick)> everyTick;
    int maxTicks = 2000;
    int exitCode = -1;
    int lastTick = 0;
    bool endedByItself = false;
};

// From the start, with the sound off and every page taken at once, to the
// shell; ToMainMenu goes on to the main menu, where the steps start.
std::vector<Step> ToShell(std::vector<Step> more);
std::vector<Step> ToMainMenu(std::vector<Step> more);
