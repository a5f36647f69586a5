// The game screen and the game class on the sample content's level 0, its
// frames probed in the back buffer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/CAdapterServices.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CGameScreen.h"
#include "tests/engine/EngineWorld.h"
#include "tests/engine/PlayWorld.h"

namespace {

constexpr std::uint32_t kGreen = 0x07E0, kBar = 0x1906;

// The game screen made (so the level has started) over the application's
// resources.
struct ScreenWorld : PlayWorld {
    ScreenWorld() {
        client->getAdapter()->setServices(&services);
        screen->Init();
    }
    // Level 0 loaded, as its script would, with the characters on its
    // ground: the view enabled when asked.
    void Load(bool view) {
        Camera* camera = client->getCamera();
        client->getAdapter()->loadLevel(0, 0, 0);
        camera->SetActiveLayer(0);
        camera->SetViewEnabled(view);
        camera->SetClearColour(0xFF00FF00);
        Make(1, 50, 280);
        Make(6, 100, 280);
    }
    std::uint8_t Frame() {
        std::uint8_t drew = 0;
        screen->Update(48);
        Paint([&] { drew = screen->Draw(); });
        return drew;
    }

    CAdapterServices services;
    std::unique_ptr<CGameScreen> screen = std::make_unique<CGameScreen>();
};

TEST(GameScreen, PaintsTheLevelInItsLayersWithTheBarAndReleasesThem) {
    for (const bool view : {true, false}) {
        ScreenWorld world;
        world.Load(view);
        EXPECT_EQ(world.Frame(), 1);
        // The ground covers priority 4, not 3; the clear colour shows only
        // without the view, and the bar only with it.
        EXPECT_EQ(world.Pixel(50, 278), kRed) << view;
        EXPECT_EQ(world.Pixel(100, 278) == kRed, !view) << view;
        EXPECT_EQ(world.Pixel(10, 10) == kGreen, !view) << view;
        EXPECT_EQ(world.Pixel(10, 310), view ? kBar : kGreen) << view;
        const std::size_t allocations = AllocationCount();
        for (int frame = 0; frame < 100; ++frame) world.Frame();
        EXPECT_EQ(AllocationCount(), allocations);
        world.screen->Exit();
        EXPECT_EQ(CGameApp::GetInstance()->GetBottomBar(), nullptr);
        EXPECT_EQ(world.client->getAdapter()->getTileset(), nullptr);
        EXPECT_EQ(world.client->getNumActive(), 0);
    }
}

TEST(GameScreen, EventsBecomeResultsAndRedraws) {
    using Events = std::vector<std::pair<std::uint32_t, std::uint16_t>>;
    const struct {
        Events events;
        std::uint8_t handled;  // the last event's
        std::int32_t result;
    } cases[] = {
        {{{EVENT_KEY_PRESS, 12}}, 1, 2},    {{{EVENT_KEY_PRESS, 16}}, 1, 2},    {{{EVENT_KEY_PRESS, 11}}, 0, 0},
        {{{EVENT_GAME_INTERRUPT_1, 0}}, 1, 3}, {{{EVENT_GAME_INTERRUPT_3, 0}}, 1, 4},
        {{{EVENT_GAME_INTERRUPT_4, 0}}, 1, 5}, {{{EVENT_SUSPEND, 0}}, 1, 2}, {{{EVENT_DISPLAY_CHANGED, 0}}, 1, 2},
        {{{EVENT_RESUME, 0}}, 1, 0},        {{{EVENT_GAME_INTERRUPT_1, 0}, {EVENT_GAME_INTERRUPT_4, 0}}, 1, 5},
    };
    for (const auto& c : cases) {
        CGameScreen screen;  // no game: none is needed
        std::uint8_t handled = 0;
        for (const auto& [id, param] : c.events) handled = screen.HandleEvent(id, param, 0);
        EXPECT_EQ(handled, c.handled) << c.events.back().first;
        EXPECT_EQ(screen.GetResult(), c.result) << c.events.back().first;
    }
    // A new screen paints once; then only after an update or a redraw.
    CGameScreen screen;
    EXPECT_EQ(screen.Draw(), 1);
    EXPECT_EQ(screen.Draw(), 0);
    screen.HandleEvent(EVENT_REDRAW, 0, 0);
    EXPECT_EQ(screen.Draw(), 1);
    screen.Update(48);
    EXPECT_EQ(screen.Draw(), 1);
}

TEST(GameScreen, TheLevelMenusChoiceCountsOnlyWhenItStartedTheGame) {
    for (const std::uint8_t fromMenu : {0, 1}) {
        ScreenWorld world;
        world.screen->Exit();
        world.hooks.calls.clear();
        CGameApp::GetGameData()->SetLevelSelected(fromMenu);
        world.client->getAdapter()->setSelectedLevel(5);
        world.screen->Init();
        EXPECT_EQ(world.hooks.Of({AZ_Hook::HandlerBegin}).back(), fromMenu ? "HandlerBegin 0 266" : "HandlerBegin 0 261");
    }
}

}  // namespace
