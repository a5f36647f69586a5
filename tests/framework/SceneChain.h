// The running game's stack of scenes and screens, read for the tests that
// walk the flow, and the sprites that its loading page would load.
#pragma once

#include <cstdint>
#include <string>

#include "src/CMenuScreen.h"

class CNode;
class CStateMachineNode;

// A menu's items and their count, for the taps on them.
struct MenuPeek : CMenuScreen {
    static constexpr auto kItems = &MenuPeek::m_items;
    static constexpr auto kCount = &MenuPeek::m_count;
};

// The class without its C and Scene or Screen: CShellScene is "Shell"; the
// game screen is "Play".
std::string ClassOf(CNode* node);
// The root node, and the node on top of the chain of current nodes.
CStateMachineNode* Root();
CNode* Top();
// "3 Shell/10 Game/3 Menu": each level's state id and class.
std::string Chain();
// The machine's child scene in the state, or null.
CStateMachineNode* Scene(CStateMachineNode* machine, std::uint32_t state);
// Every sprite the loading page loads, at once: for tests that go straight
// to the menus or the game.
void LoadGameSprites();
