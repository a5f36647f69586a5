// The sample game as a player meets it: a new game played through both
// levels to the level-complete page after the last, and a fall into a pit
// that asks to retry, with recorded keys (data/sample-play.keys) injected on
// the virtual clock; the behaviour units the sample scripts attach; and the
// archive built twice by the content tool, byte for byte the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/Window.h"
#include "src/CGameApp.h"
#include "src/CRootNode.h"
#include "src/CSaveGameMgr.h"
#include "src/CStateMachineNode.h"
#include "src/CTextScreen.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Data.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_Adapter.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/GameRun.h"
#include "tests/support/TempDir.h"

namespace {

// One key event of a recorded plan, at a frame counted from the level's
// first frame with its dialogue.
struct KeyEvent {
    int frame = 0;
    WORD key = 0;
    enum { Press, Down, Up } action = Press;
};
using Plans = std::map<std::string, std::vector<KeyEvent>>;

Plans ReadPlans() {
    static const std::map<std::string, WORD> keys = {
        {"right", VK_RIGHT}, {"left", VK_LEFT}, {"up", VK_UP}, {"down", VK_DOWN}, {"select", VK_RETURN}};
    Plans plans;
    std::ifstream in(VK_TEST_DATA "/sample-play.keys");
    EXPECT_TRUE(in.good());
    std::vector<KeyEvent>* plan = nullptr;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first, key, action;
        if (!(words >> first)) continue;
        if (first == "plan" && words >> key) {
            plan = &plans[key];
            continue;
        }
        KeyEvent event;
        const bool read = plan != nullptr && (words >> key >> action) && keys.contains(key) &&
                          (action == "press" || action == "down" || action == "up");
        EXPECT_TRUE(read) << line;
        if (!read) continue;
        event.frame = std::stoi(first);
        event.key = keys.at(key);
        event.action = action == "press" ? KeyEvent::Press : action == "down" ? KeyEvent::Down : KeyEvent::Up;
        plan->push_back(event);
    }
    return plans;
}

// "3/10/2": the state ids of the nodes from the root down.
std::string Chain() {
    std::string chain;
    auto* machine = static_cast<CStateMachineNode*>(CGameApp::GetInstance()->GetRootNode());
    for (; machine != nullptr && machine->GetCurrentNode() != nullptr;
         machine = dynamic_cast<CStateMachineNode*>(machine->GetCurrentNode())) {
        if (!chain.empty()) chain += '/';
        chain += std::to_string(machine->GetCurrentStateId());
    }
    return chain;
}

CNode* Top() {
    CNode* node = CGameApp::GetInstance()->GetRootNode();
    while (auto* machine = dynamic_cast<CStateMachineNode*>(node)) {
        if (machine->GetCurrentNode() == nullptr) break;
        node = machine->GetCurrentNode();
    }
    return node;
}

constexpr char kPlay[] = "3/10/2", kCharacterSelection[] = "3/7", kRetry[] = "3/10/4", kLevelComplete[] = "3/10/5";
constexpr std::int32_t kDialogueType = 81, kPlayerType = 2;

// The whole game from its start: every page before play taken with select
// (the sound question answered no), the character chosen with the given
// key; in play, the plan of the script level runs from the first frame of
// its dialogue. atPage sees each page, and the start of each level ("level
// N", the script level), once when it is reached; the run ends when it
// returns false or after maxTicks.
struct SampleRun : GameRun {
    explicit SampleRun(WORD character) : character(character) { scenes = true; }

    void Play(const std::map<std::int32_t, std::string>& planOfScriptLevel,
              const std::function<bool(const std::string& chain)>& atPage, int maxTicks) {
        const Plans plans = ReadPlans();
        std::string last;
        const std::vector<KeyEvent>* plan = nullptr;
        int start = -1;
        bool stop = false, dialogue = false;
        exitCode = Run([&](int tick) {
            if (tick == 0 || stop) return;
            const std::string chain = Chain();
            const bool reached = chain != last;
            last = chain;
            if (chain != kPlay) {
                dialogue = false;
                // Once the page's opening is over, it is taken.
                if (reached && !atPage(chain)) {
                    stop = true;
                    host::InjectClose();
                    return;
                }
                if (Top()->GetElapsed() < Top()->GetTransitionTime() || tick % 2 != 0) return;
                if (chain == kCharacterSelection) Press(character);
                Press(VK_RETURN);
                return;
            }
            AZ_Client* client = AZ_Client::getInstance();
            AZ_Adapter* adapter = client->getAdapter();
            // A level (or its retry) starts with its dialogue.
            const bool opened = !dialogue && client->findCharacterByType(kDialogueType) != -1;
            dialogue = client->findCharacterByType(kDialogueType) != -1;
            if (opened) {
                start = tick;
                const std::int32_t scriptLevel =
                    AZ_LevelTable[CGameApp::GetSaveGameMgr()->GetCharacter()][adapter->getCurrentLevel()];
                plan = planOfScriptLevel.contains(scriptLevel) ? &plans.at(planOfScriptLevel.at(scriptLevel)) : nullptr;
                if (!atPage("level " + std::to_string(scriptLevel))) {
                    stop = true;
                    host::InjectClose();
                }
            }
            if (plan == nullptr || stop) return;
            for (const KeyEvent& event : *plan) {
                if (event.frame != tick - start) continue;
                if (event.action == KeyEvent::Press) Press(event.key);
                else host::InjectKey(event.key, event.action == KeyEvent::Down);
            }
        }, maxTicks);
    }

    WORD character;
    int exitCode = -1;
};

std::u16string PageText() { return dynamic_cast<CTextScreen*>(Top())->GetText(); }

// The player's health, -1 without a player.
std::int32_t PlayerHealth() {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = client->findCharacterByType(kPlayerType);
    if (row == -1) return -1;
    const std::int32_t slot = AZ_Presenter::getPresenter(client->getPresenterOfRow(row))->findCodeSlot(20);
    return slot == -1 ? -1 : AZ_Presenter_Singleton::getCodeSlotValue(slot + 1);
}

// A new game with the left-hand character plays script levels 0 and 1 in
// turn: each one's recorded keys reach its exit with health left, and the
// level-complete page follows each, saving the next level reached.
TEST(SampleGame, NewGamePlaysBothLevelsToTheirExits) {
    SampleRun run(VK_LEFT);
    std::vector<std::string> seen;
    run.Play({{0, "level0"}, {1, "level1"}},
             [&](const std::string& chain) {
                 if (chain == kLevelComplete) {
                     const std::int32_t level = AZ_Client::getInstance()->getAdapter()->getCurrentLevel();
                     EXPECT_GT(PlayerHealth(), 0) << level;
                     EXPECT_EQ(CGameApp::GetSaveGameMgr()->GetLevelReached(), level + 1);
                     EXPECT_TRUE(PageText().starts_with(level == 0 ? u"level 2" : u"level 3"));
                     seen.push_back("complete " + std::to_string(level));
                     // After the last level the run ends.
                     if (level == 1) return false;
                 }
                 if (chain.starts_with("level ")) seen.push_back(chain);
                 return true;
             },
             3000);
    EXPECT_EQ(seen, (std::vector<std::string>{"level 0", "complete 0", "level 1", "complete 1"}));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.dir.Read("savegame.dat"), std::string("\1\0\0\0\2\0\0\0\0\0\0\0", 12));
}

// The right-hand character starts in script level 1; running on into the
// first pit, the player falls below the map and the game asks whether to
// retry, the answer yes preselected: taken, the level starts again.
TEST(SampleGame, AFallIntoAPitAsksToRetry) {
    SampleRun run(VK_RIGHT);
    std::vector<std::string> seen;
    run.Play({{1, "fall"}},
             [&](const std::string& chain) {
                 if (chain.starts_with("level ")) {
                     seen.push_back(chain);
                     return seen.size() == 1;
                 }
                 if (chain != kRetry) return true;
                 seen.push_back("retry");
                 AZ_Client* client = AZ_Client::getInstance();
                 const AZ_Presenter* player =
                     AZ_Presenter::getPresenter(client->getPresenterOfRow(client->findCharacterByType(kPlayerType)));
                 EXPECT_GT(player->getY(), client->getAdapter()->getMapHeight());
                 return true;
             },
             1500);
    EXPECT_EQ(seen, (std::vector<std::string>{"level 1", "retry", "level 1"}));
}

// The behaviours (code ids 0 to 77) that the sample scripts attach, read
// from the script tables of the archive the game loaded. An id not listed
// is a unit no sample character uses.
TEST(SampleGame, TheBehavioursTheScriptsAttach) {
    const std::set<std::int32_t> expected = {1,  4,  5,  6,  7,  8,  10, 12, 17, 18, 20, 24, 25, 26, 27, 29, 33, 34, 36,
                                             37, 40, 41, 42, 49, 51, 53, 55, 56, 57, 60, 61, 68, 69, 73, 74, 75, 76, 77};
    GameRun run;
    std::set<std::int32_t> attached;
    run.Run([&](int tick) {
        if (tick != 1) return;
        const AZ_Data* data = CGameApp::GetInstance()->GetEngineRuntime()->getData();
        for (std::int32_t call = 0; call < data->getNumCalls(); ++call) {
            if (data->getCallCode(call) < AZ_FIRST_VISUAL) attached.insert(data->getCallCode(call));
        }
    });
    EXPECT_EQ(attached, expected);
}

// Two runs of the content tool over content/ write the same bytes, and the
// build's own archive is those bytes too.
TEST(SampleGame, TheArchiveBuildsTheSameTwice) {
    const TempDir dir;
    std::vector<std::string> archives;
    for (const char* name : {"first.big", "second.big"}) {
        const std::string command = std::string(VK_CONTENT_TOOL) + " " VK_CONTENT_DIR "/content.list " + dir.HostPath(name);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        archives.push_back(TempDir::ReadHost(dir.HostPath(name)));
    }
    EXPECT_FALSE(archives[0].empty());
    EXPECT_TRUE(archives[0] == archives[1]);
    EXPECT_TRUE(archives[0] == TempDir::ReadHost(VK_GAME_ARCHIVE));
}

}  // namespace
