// Level 0 of the sample content played on the game screen: every character
// the content spawns for something a player can repeat is gone once its
// part is over, with its presenter, its unit instances and its sprites. The
// grapple hook, however the throw ends (caught and let go of, missed, let go
// of before the hook rose, left for a walk or a knock-back, the level
// ended); the puff of a pickup taken, and the pickup; the spark of a strike;
// a defeated walker or bat, and a heart taken; the opening dialogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "src/CGameApp.h"
#include "src/CGameScreen.h"
#include "src/CRootNode.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tests/support/WorldCounts.h"
#include "tests/support/DebugCapture.h"

namespace {

constexpr std::int32_t kInFront = 172;  // a walker met in front: knocked back

AZ_Client* Client() { return CGameApp::GetInstance()->GetEngineRuntime(); }

// The player put down at pixels (x, y), its bottom centre, facing right.
void Place(std::int32_t x, std::int32_t y) {
    AZ_Presenter* player = Character(kPlayer);
    player->setX(AZ_Adapter::pixelToWorld(x));
    player->setY(AZ_Adapter::pixelToWorld(y));
    player->setFacing(0);
}

// What a player does, at frames counted from the scenario's start, and
// the character it makes appear; checked once the last frame has run, and
// played that many times.
struct Scenario {
    const char* what;
    std::int32_t type;
    int frames;
    std::vector<std::pair<int, std::function<void()>>> actions;
    int times = 1;
    std::int32_t pickupsLeft = -1;  // -1: not counted
};

std::function<void()> Keys(std::vector<WORD> keys) {
    return [keys] {
        for (WORD key : keys) Press(key);
    };
}

TEST(SpawnLifetime, NothingARepeatedActionSpawnsStaysBehind) {
    const auto underTheBeam = [] { Place(60, 264); };
    const auto reach = [](std::int32_t type) {
        return [type] {
            const AZ_Presenter* foe = Character(type);
            Place(foe->getX() * 24 / 1024 - 20, 264);
        };
    };
    const std::vector<Scenario> scenarios = {
        {"caught on the beam and let go of", kHook, 70,
         {{0, underTheBeam}, {1, Keys({VK_DOWN})}, {30, Keys({VK_UP})}}, 3},
        {"missed: nothing above", kHook, 50, {{0, [] { Place(200, 264); }}, {1, Keys({VK_DOWN})}}, 3},
        {"let go of in the frame after the throw", kHook, 50,
         {{0, underTheBeam}, {1, Keys({VK_DOWN})}, {2, Keys({VK_UP})}}, 2},
        {"left for a walk while it holds", kHook, 80,
         {{0, underTheBeam},
          {1, Keys({VK_DOWN})},
          {30, [] { host::InjectKey(VK_RIGHT, true); }},
          {36, [] { host::InjectKey(VK_RIGHT, false); }}}},
        {"knocked back while it holds", kHook, 80,
         {{0, underTheBeam},
          {1, Keys({VK_DOWN})},
          {30, [] { Client()->raiseEvent(Client()->findCharacterByType(kHeavyPlayer), kInFront); }}}},
        {"the first pickup taken", kPuff, 40, {{0, [] { Place(276, 204); }}, {2, Keys({VK_RETURN})}}, 1, 1},
        {"the second pickup taken", kPuff, 40, {{0, [] { Place(468, 156); }}, {2, Keys({VK_RETURN})}}, 1, 0},
        // Two blows defeat a walker, one a bat: each leaves in a puff, gone
        // with its presenter and units.
        {"a walker struck", kSpark, 40, {{0, reach(kWalker)}, {1, Keys({VK_RETURN})}}, 2},
        {"a bat struck", kSpark, 40, {{0, reach(kBat)}, {1, Keys({VK_RETURN})}}},
        {"the heart touched", kPuff, 40, {{0, [] { Place(564, 264); }}}},
        {"the level started again with the hook out", kHook, 14,
         {{0, underTheBeam}, {1, Keys({VK_DOWN})}, {12, [] { Client()->getAdapter()->retryCurrentLevel(); }}}},
    };
    std::vector<const Scenario*> plan;
    for (const Scenario& s : scenarios) plan.insert(plan.end(), s.times, &s);
    GameRun run;
    DebugCapture log;
    std::size_t at = 0;
    int start = -1, seen = 0;
    run.Run([&](int tick) {
        if (tick == 1) {
            LoadGameSprites();
            ASSERT_EQ(Root()->PushState(1, new CGameScreen()), 0);
        }
        // The dialogue opens once the level is loaded; its two pages turned,
        // it is gone.
        if (tick == 20 || tick == 22) Press(VK_RETURN);
        if (tick == 30) {
            EXPECT_EQ(CountOfType(kDialogue), 0);
            EXPECT_EQ(Leftovers(), "");
            start = tick;
        }
        if (start < 0 || at == plan.size()) return;
        const Scenario& s = *plan[at];
        const int frame = tick - start;
        for (const auto& [when, action] : s.actions) {
            if (when == frame) action();
        }
        seen = std::max(seen, CountOfType(s.type));
        if (frame < s.frames) return;
        SCOPED_TRACE(std::string(s.what) + " (step " + std::to_string(at + 1) + ")");
        EXPECT_GE(seen, 1) << "never appeared";
        EXPECT_EQ(CountOfType(s.type), 0);
        EXPECT_EQ(Leftovers(), "");
        EXPECT_TRUE(s.pickupsLeft < 0 || CountOfType(kPickup) == s.pickupsLeft);
        EXPECT_EQ(log.ErrorLines(), "");
        log.Clear();
        start = tick + 1;
        seen = 0;
        if (++at == plan.size()) host::InjectClose();
    }, 1200);
    EXPECT_EQ(at, plan.size());
}

}  // namespace
