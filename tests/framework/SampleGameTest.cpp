// The sample game as a player meets it: a fall into a pit that asks to
// retry, with recorded keys (tests/support/RecordedPlay.h) injected on the
// virtual clock; the behaviour units the sample scripts attach; and the
// archive built twice by the content tool, byte for byte the same. The
// end-to-end suite (tests/e2e) plays both levels to their exits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/Window.h"
#include "src/CGameApp.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Data.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tests/support/GameRun.h"
#include "tests/support/RecordedPlay.h"
#include "tests/support/TempDir.h"
#include "tests/support/WorldCounts.h"

namespace {

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
        RecordedPlay play(planOfScriptLevel);
        std::string last;
        bool stop = false;
        const auto end = [&] {
            stop = true;
            host::InjectClose();
        };
        Run([&](int tick) {
            if (tick == 0 || stop) return;
            const std::int32_t started = play.Tick(tick);
            const std::string chain = Chain();
            const bool reached = chain != last;
            last = chain;
            if (chain == kPlayChain) {
                if (started != -1 && !atPage("level " + std::to_string(started))) end();
                return;
            }
            if (reached && !atPage(chain)) {
                end();
                return;
            }
            TakePage(tick, character);
        }, maxTicks);
    }

    WORD character;
};

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
                 if (chain != kRetryChain) return true;
                 seen.push_back("retry");
                 EXPECT_GT(Character(kPlayer)->getY(), AZ_Client::getInstance()->getAdapter()->getMapHeight());
                 return true;
             },
             1500);
    EXPECT_EQ(seen, (std::vector<std::string>{"level 1", "retry", "level 1"}));
}

// The behaviours (code ids 0 to 77) that the sample scripts attach, read
// from the script tables of the archive the game loaded. An id not listed
// is a unit no sample character uses.
TEST(SampleGame, TheBehavioursTheScriptsAttach) {
    const std::set<std::int32_t> expected = {1,  4,  5,  6,  7,  8,  10, 12, 17, 18, 20, 21, 24, 25, 26, 27, 29, 30, 33, 34,
                                             36, 37, 40, 41, 42, 51, 53, 55, 56, 57, 60, 61, 68, 69, 73, 74, 75, 76, 77};
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
