// The pictures of play as the whole game draws them, compared with golden
// frames: each level's first frame once it has loaded (reached through the
// level menu of a saved game), and the Grey Keep's opening dialogue once
// its box has opened. The title and the main menu are the cold boot's
// (ColdBootTest.cpp).
#include <gtest/gtest.h>

#include <string>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_inGameTextBox.h"
#include "src/game/Camera.h"
#include "tests/support/GameFlow.h"
#include "tests/support/GoldenFrame.h"
#include "tests/support/WorldCounts.h"

namespace {

// Whether the level's dialogue box stands at its full height.
bool DialogueOpen() {
    const AZ_Presenter* dialogue = Character(kDialogue);
    if (dialogue == nullptr) return false;
    const std::int32_t box = dialogue->findCodeSlot(kInGameTextBox);
    return box != -1 && b_inGameTextBox_getTargetHeight(box) > 0 &&
           b_inGameTextBox_getHeight(box) == b_inGameTextBox_getTargetHeight(box);
}

TEST(LevelFrames, FirstFrameOfEachLevelAndTheOpenDialogue) {
    const struct {
        const char* first;  // the golden frame of the level's first frame
        const char* dialogue;  // of its dialogue open, or none
        std::vector<WORD> levelMenu;  // the keys that choose it
    } cases[] = {
        {"e2e-level0-first", nullptr, {kUp, kEnter}},
        {"e2e-level1-first", "e2e-level1-dialogue", {kEnter}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        FlowRun run;
        run.dir.Write("savegame.dat", SaveGame(1, 1, 0));
        bool first = false, dialogue = c.dialogue == nullptr;
        run.everyTick = [&](int) {
            if (Chain() != kPlayChain) return;
            if (!first && AZ_Client::getInstance()->getCamera()->IsViewEnabled()) {
                first = true;
                EXPECT_TRUE(MatchesGoldenFrame(c.first));
            }
            if (!dialogue && DialogueOpen()) {
                dialogue = true;
                EXPECT_TRUE(MatchesGoldenFrame(c.dialogue));
            }
        };
        run.after = [&] { return first && dialogue; };
        run.Walk(ToMainMenu({
            {"3 Shell/3 Menu", {kEnter}},
            {"3 Shell/8 Menu", c.levelMenu},
            {"3 Shell/9 Text", {kEnter}},
            {kPlayChain, {}},
        }));
        EXPECT_TRUE(first);
        EXPECT_TRUE(dialogue);
    }
}

}  // namespace
