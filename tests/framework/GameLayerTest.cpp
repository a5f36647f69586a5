// The game layer in the whole game over the sample content: a level played
// on the game screen, the cheat key, and what the adapter takes from the
// application.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CGameApp.h"
#include "src/CGameScreen.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/CSaveGameMgr.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Services.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/GameRun.h"
#include "tests/support/GoldenFrame.h"
#include "tests/support/ScriptWorld.h"

namespace {

constexpr std::uint32_t kLanguage = 0x08000300;

AZ_Adapter* Adapter() { return CGameApp::GetInstance()->GetEngineRuntime()->getAdapter(); }

// Level 0's dialogue as the content has it, two pages in its box.
constexpr char16_t kDialogue[] =
    u"Rin: The road north starts here. Mind the walkers.\n\nUnder the stone beam, down throws the hook; up lets go.";

// Script strings 1 (the dialogue), 12 and 100-129 ("y"), 14 "%d", 15 "%s!",
// 16 "7"; the notice stays.
vktools::TaggedBlob Strings() {
    std::map<std::uint16_t, std::u16string> texts{{0x147, u"Turn the phone"}, {0x169 + 1, kDialogue},
                                                  {0x169 + 12, u"x"}, {0x169 + 14, u"%d"}, {0x169 + 15, u"%s!"},
                                                  {0x169 + 16, u"7"}};
    for (std::uint16_t id = 100; id < 130; ++id) texts.emplace(0x169 + id, std::u16string(1, u'y'));
    return vktools::MakeLanguageAggregate(texts);
}

// The text box of the string (a number other than -1 formatted into it),
// drawn over black rows: a hash of the rows.
std::size_t TextBox(std::int32_t id, std::int32_t number) {
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
    std::fill_n(bits, 20 * pitch, 0);
    Adapter()->drawTextBox(0, 0, 0, 60, 20, 0, id, 0, 1, 16, 0, 0, number);
    const std::string rows(reinterpret_cast<char*>(bits), static_cast<std::size_t>(20 * pitch));
    surface->Unlock();
    return std::hash<std::string>{}(rows);
}

// The adapter's texts, sounds, options and progress.
void Services(const TempDir& dir) {
    AZ_Adapter* adapter = Adapter();
    const std::int32_t h = adapter->getFontHeight(0);
    ASSERT_GT(h, 0);
    const auto bound = [&](std::int32_t id) { return adapter->layoutText(0, id, 0, 100, 0) == 0; };
    DebugCapture log;
    // One slot for a string acquired twice: 30 strings fill the pool.
    adapter->acquireText(100);
    for (std::int32_t id = 100; id < 130; ++id) adapter->acquireText(id);
    EXPECT_EQ(log.Text(), "");
    adapter->acquireText(12);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"[ ERROR ] - Out of text pool "});
    // Freed slot 1 takes 129 as well; its first release frees slot 1.
    adapter->releaseText(101);
    adapter->acquireText(129);
    adapter->releaseText(129);
    EXPECT_TRUE(bound(129));
    adapter->releaseText(129);
    EXPECT_FALSE(bound(129));
    // device.conf's three lines of string 12; from line 1 on they fit
    // into two lines.
    adapter->unloadLevel();
    adapter->acquireText(12);
    EXPECT_EQ(adapter->layoutText(0, 12, 0, 100, 2 * h), 0);
    EXPECT_EQ(adapter->layoutText(0, 12, 1, 100, 2 * h), 1);
    // Numbers go into one-integer formats only.
    for (std::int32_t id : {14, 15, 16}) adapter->acquireText(id);
    EXPECT_EQ(TextBox(14, 7), TextBox(16, -1));
    EXPECT_EQ(TextBox(15, 7), TextBox(15, -1));
    EXPECT_NE(TextBox(15, 7), TextBox(16, -1));
    EXPECT_NE(TextBox(16, -1), TextBox(99, -1));  // a string not bound draws nothing

    // Sounds 1 to 11, held until the level unloads; the root's stay.
    CResMgr* resources = CGameApp::GetResMgr();
    EXPECT_EQ(adapter->playSound(0), -1);
    EXPECT_EQ(adapter->playSound(12), -1);
    EXPECT_EQ(adapter->playSound(3), -1);  // no such resource
    // One hold, however often the sound plays.
    const std::int64_t holds = resources->GetHoldCount();
    for (int i = 0; i < 3; ++i) adapter->playSound(1);
    const std::int32_t sound = adapter->playSound(1);
    EXPECT_GT(sound, 0);
    EXPECT_TRUE(adapter->isSoundPlaying(sound));
    EXPECT_EQ(resources->GetHoldCount(), holds + 1);
    adapter->unloadLevel();
    EXPECT_FALSE(adapter->isSoundPlaying(sound));
    EXPECT_FALSE(resources->IsCached(0x09000224));
    EXPECT_TRUE(resources->IsCached(0x09000221));
    adapter->setSoundOn(false);
    EXPECT_EQ(adapter->playSound(1), 0);
    EXPECT_FALSE(adapter->isSoundOn());

    // A lower level keeps the level reached; the character is stored.
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    saves->SetLevelReached(5);
    adapter->setSelectedCharacter(1);
    adapter->saveProgress(3);
    EXPECT_EQ(dir.Read("savegame.dat"), std::string("\1\0\0\0\5\0\0\0\1\0\0\0", 12));
}

// The spark of a strike: where it stands, and the impact point of the walker
// struck (the walker nearest to it).
struct SparkSeen {
    std::int32_t walker = -1;
    std::pair<std::int32_t, std::int32_t> at, impact;
};
SparkSeen Spark() {
    AZ_Client* client = CGameApp::GetInstance()->GetEngineRuntime();
    SparkSeen seen;
    const std::int32_t row = client->findCharacterByType(12);
    if (row == -1) return seen;
    const AZ_Presenter* spark = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
    seen.at = {spark->getX(), spark->getY()};
    std::int32_t nearest = INT32_MAX;
    for (std::int32_t w = client->findCharacterByType(4); w != -1; w = AZ_GetNextCharacterOfType(4, w)) {
        const AZ_Presenter* walker = AZ_Presenter::getPresenter(client->getPresenterOfRow(w));
        if (std::abs(walker->getX() - spark->getX()) >= nearest) continue;
        nearest = std::abs(walker->getX() - spark->getX());
        seen.walker = walker->getId();
        const std::int32_t slot = walker->findCodeSlot(29);
        seen.impact = {AZ_Presenter_Singleton::getCodeSlotValue(slot + 1),
                       AZ_Presenter_Singleton::getCodeSlotValue(slot + 2)};
    }
    return seen;
}

// Tick 1: level 0 started on the game screen, its controller loading it
// one part a frame behind a progress bar. Tick 7: loaded, its characters
// awake, the player taking the health bar and the dialogue box opening and
// taking the keys; tick 20: its frame shows the map, the characters (the
// player under its bar), the head-up display and the open box with its
// portrait. Select turns its page, and again closes it: the player has the
// keys. Down throws the hook, which catches on the stone beam; the player
// swings on its rope and up lets go. Then the player jumps (up), lands,
// walks right over the spikes, strikes a walker coming at it (select, tick
// 248) and, walking on, is knocked back by it. Tick 266: the cheat key ('9')
// skips to the next level and saves it reached, but not past the last
// level; its event comes all the same. Then the adapter's texts, sounds,
// options and progress.
TEST(GameLayer, PlayOverTheApplication) {
    GameRun run;
    run.dir.Write("properties.dat", "Zel-Cheats-Enable = TRUE\n");
    run.dir.Write("device.conf", "X=0\nSTRING_12=a|b|c\n");
    run.content.resources[kLanguage] = Strings();
    run.content.resources.erase(0x09000226);  // sound 3: none
    HookRecorder hooks;
    std::int32_t player = -1, swing = 0, strikerY = 0;
    SparkSeen spark;
    const auto play = [] {
        SZ_Home* home = CGameApp::GetSpriteHome();
        for (std::int32_t archetype = 0; archetype < 4; ++archetype) home->QueueArchetypeCharacter(archetype, 0);
        while (home->ProcessLoadQueue(500)) {
        }
        ASSERT_EQ(CGameApp::GetInstance()->GetRootNode()->PushState(1, new CGameScreen()), 0);
    };
    const auto loaded = [&] {
        AZ_Client* client = CGameApp::GetInstance()->GetEngineRuntime();
        EXPECT_NE(Adapter()->getTileset(), nullptr);
        EXPECT_EQ(Adapter()->getMap().layerCount, 3);
        // Two controllers with their camera and sky, nine more entities,
        // the player's shadow, the head-up display, the combo display and the
        // dialogue, all awake.
        EXPECT_EQ(client->getNumActive(), 20);
        for (std::int32_t row = 0; row < client->getNumActive(); ++row) {
            const AZ_Presenter* presenter = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
            EXPECT_TRUE(presenter->isUpdateEnabled() && presenter->isRenderEnabled()) << row;
        }
        const Camera* camera = client->getCamera();
        EXPECT_EQ(camera->GetActiveLayer(), 1);
        EXPECT_EQ(camera->GetLayerParallaxX(0), 256);
        EXPECT_EQ(camera->GetLayerParallaxX(1), 1024);
        EXPECT_EQ(camera->GetClearColour(), 0xFF60A0E0u);
        EXPECT_TRUE(camera->IsViewEnabled());
        player = client->getPresenterOfRow(client->findCharacterByType(2));
        EXPECT_EQ(Adapter()->getKeyCharacter(), client->getPresenterOfRow(client->findCharacterByType(81)));
        AZ_SetHookListener(&hooks);
    };
    const auto press = [](WORD key) {
        host::InjectKey(key, true);
        host::InjectKey(key, false);
    };
    const auto cheat = [](std::int32_t level) {
        AZ_Client* client = CGameApp::GetInstance()->GetEngineRuntime();
        Adapter()->startLevel(level);
        client->getCamera()->SetViewEnabled(true);
        const std::int32_t controller = client->getPresenterOfRow(client->findCharacterByType(0));
        HookRecorder hooks;
        AZ_SetHookListener(&hooks);
        CGameApp::GetKeyMgr()->HandleEvent(EVENT_KEY_DOWN, '9', 0);
        client->getKeyManager()->update(controller);
        AZ_SetHookListener(nullptr);
        EXPECT_EQ(hooks.Of({AZ_Hook::HandlerBegin}).back(), "HandlerBegin " + std::to_string(controller) + " 220");
        EXPECT_EQ(Adapter()->getCurrentLevel(), level == 15 ? 15 : 4) << level;
        EXPECT_EQ(CGameApp::GetSaveGameMgr()->GetLevelReached(), level == 15 ? 0 : 4) << level;
    };
    EXPECT_EQ(run.Run(
                  [&](int tick) {
                      if (tick == 1) play();
                      if (tick == 7) loaded();
                      if (tick == 20) {
                          EXPECT_TRUE(MatchesGoldenFrame("level0-play"));
                      }
                      if (tick == 20 || tick == 22) press(VK_RETURN);
                      if (tick == 30) {
                          AZ_Client* client = CGameApp::GetInstance()->GetEngineRuntime();
                          EXPECT_EQ(client->findCharacterByType(81), -1);
                          EXPECT_EQ(Adapter()->getKeyCharacter(), player);
                          press(VK_DOWN);
                      }
                      if (tick == 60) swing = AZ_Presenter::getPresenter(player)->getY();
                      if (tick == 60 || tick == 140) press(VK_UP);
                      if (tick == 200) host::InjectKey(VK_RIGHT, true);
                      if (tick == 248) press('5');
                      if (tick == 250) {
                          spark = Spark();
                          strikerY = AZ_Presenter::getPresenter(player)->getY();
                      }
                      if (tick != 266) return;
                      AZ_SetHookListener(nullptr);
                      // Down: the hook thrown and holding, the swing past the bottom and let go of at its release
                      // angle; up: let go of, with a hop, the fall, the landing, its sound and crouch (163 162: the
                      // crouch's state; 164). Up: a jump; landed and crouching when right is pressed (214, 212,
                      // offered to the crouch and the state below); a walk over the spikes, struck twice (421), each
                      // blow through the hurt state (162, 163), the first leaving health in the band of 198. The
                      // strike ('5', 233) stops the walk; the blade's rectangle hits the walker (288 here, which
                      // feeds the combo under the walk; its sound, 3, is not there, 362); the hurt state's immunity
                      // ends (299). The walk goes on into the walker (165, 169): stopped, the player stands, learns
                      // the walker is in front (172, 325), is knocked back and hurt (162 of the air and the hurt
                      // state, health in the band of 196), and lands, where it stops. The walker coming on bumps it
                      // twice more: knocked back each time (the second time in the air), immune to harm meanwhile,
                      // and the run ends before it lands (its box as wide as its feet meets the walker a little
                      // later). 162 and 163 enter and leave states; an event the top state leaves is offered to the
                      // one below, down to the spawn state under all the player does.
                      std::string events, mine = "HandlerBegin " + std::to_string(player) + " ";
                      std::string walker = "HandlerBegin " + std::to_string(spark.walker) + " ", theirs;
                      for (const std::string& call : hooks.Of({AZ_Hook::HandlerBegin})) {
                          if (call.starts_with(mine)) events += call.substr(mine.size()) + " ";
                          if (call.starts_with(walker)) theirs += call.substr(walker.size()) + " ";
                      }
                      EXPECT_EQ(events,
                                "216 162 243 243 243 423 296 296 296 295 295 295 217 163 162 244 244 244 179 178 178 "
                                "178 177 167 170 163 162 362 362 362 164 163 162 217 162 163 162 244 244 244 179 177 "
                                "167 170 163 162 214 214 214 212 212 163 163 162 362 362 421 162 163 163 162 198 198 "
                                "362 362 421 162 163 163 162 233 162 260 260 260 288 288 288 362 362 362 299 299 299 "
                                "164 163 162 165 165 169 163 162 172 162 162 163 163 162 325 325 325 196 196 196 177 "
                                "167 170 163 162 362 362 362 164 163 162 165 165 169 165 165 169 172 162 162 163 163 "
                                "162 325 325 325 165 165 165 169 165 165 165 169 172 163 162 162 163 163 162 325 325 "
                                "325 ");
                      EXPECT_LT(swing, 11222 - 4 * 1024);  // more than four tiles above the ground
                      // Woken by its bubble (207), it walks; it sees the player (203) and
                      // chases. Struck (289), it is hurt (162), 170 as the blade met it
                      // within the frame, half its health gone (195); the collider of the
                      // bump (166, 169), the player in front of it (172) and on its left
                      // (324), each offered to the hurt state and the chase below; the
                      // hurt's timer (299) takes it back to the chase, and it bumps into
                      // the player twice more.
                      EXPECT_EQ(theirs.substr(theirs.find("207")),
                                "207 163 162 280 203 163 162 289 162 170 170 195 195 166 166 169 169 172 172 324 324 "
                                "299 163 162 166 169 166 169 172 324 166 169 166 169 172 324 ");
                      // The spark stood where the walker was struck: its own x, the
                      // striking player's height plus the blade's top.
                      EXPECT_EQ(spark.at, spark.impact);
                      EXPECT_EQ(spark.impact.second, strikerY + AZ_Adapter::pixelToWorld(-17));
                      // Health 6 of 10: the bar over the player turned orange.
                      const std::int32_t bar = AZ_Presenter::getPresenter(player)->findCodeSlot(83);
                      EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(bar + 9), static_cast<std::int32_t>(0xFFFF8A00));
                      EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(bar + 7), 60 << 10);
                      host::InjectKey(VK_RIGHT, false);
                      cheat(15);
                      cheat(3);
                      Services(run.dir);
                  },
                  266),
              0);
}

}  // namespace
