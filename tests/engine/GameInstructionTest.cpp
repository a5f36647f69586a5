// The level, option, menu, combo and text-box instructions run by assembled
// scripts through raiseEvent, against the game's adapter, camera, options
// and saved progress.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/CGameApp.h"
#include "src/COptionsMgr.h"
#include "src/CSaveGameMgr.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_AdapterServices.h"
#include "tests/engine/GameUnitWorld.h"

namespace {

enum Type { kCtl, kItem, kPlayer, kCounter = 4, kLoader, kSound, kMenu, kHolder, kQuitter, kHalted = 61, kBox = 81 };

const std::string kScript = R"(type ctl initial ctl | type item initial item | type player initial player
type p3 initial idle | type counter initial counter | type loader initial loader | type sound initial sound
type menu initial menu | type holder initial box | type quitter initial quitter
)" + FillerTypes(10, 61) + "type halted initial idle\n" + FillerTypes(62, 81) + R"(type box initial box
state idle | state ctl | on 300 | f_loadLevel 2 5 1 0 0 0 64
on 301 | f_setActiveLayer 9 | f_setActiveLayer 1
on 302 | f_setLayerScrollSpeed 7 512 256 | f_setLayerScrollSpeed 8 0 0 | f_setLayerScrollSpeed -1 0 0
on 303 | f_loadNextLevel | on 304 | f_exitInterrupt 4 | on 307 | f_resetSaveData | on 308 | f_unloadCurrentLevel
on 305 | f_disableSounds | f_disableVibration | f_enableSounds | f_enableVibration
on 306 | f_stopSounds | on 309 | f_testHacks | on 310 | f_setActiveLayer -1
on 320 | f_spawnInGameTextBox 1 0 1 1 0 none 0 none loader 0
on 321 | f_spawnInGameTextBox 2 0 0 0 2000 counter 0 300 loader 1
on 322 | f_spawnInGameTextBox 2 0 0 0 2000 counter 1 300 loader 1
on 568 | f_customCodeInstruction 568 | on 569 | f_customCodeInstruction 569
state quitter | on 309 | f_testHacks | on 568 | f_popState 0 | f_spawnCharacter ctl 0 0 0
state loader | on enter | b_loader | on 300 | f_loadLevel 2 5 1 0 0 0 64
state counter | on enter | b_counter 3 | state sound | on enter | b_playSound 1 0
state menu | on enter | b_widgetSelectable 1 0 | on 330 | f_widgetSelectItem 1 0 | on 331 | f_widgetSelectItem 0 1
on 332 | f_widgetSelectItem 1 1 | on 333 | f_activateSelected | on 334 | f_loadSelectedLevel
state item | on enter | b_textWidget 12 0 | b_changeLevelStringId 0 | on 359 | f_customCodeInstruction 359
on 360 | f_customCodeInstruction 360 | on 361 | f_customCodeInstruction 361
state player | on enter | b_combo 10 10 0 0 0 | on 340 | f_checkComboMeter | on 403 | f_customCodeInstruction 403
state box | on enter | b_inGameTextBox 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 | v_inGameTextBox 0 0 0
)";

// The level resources the adapter asks for.
struct Requests : AZ_AdapterServices {
    CBinRes* getData(std::uint32_t id) override { return ids.push_back(id), nullptr; }
    void releaseData(std::uint32_t) override {}
    CImage* createImage(std::uint32_t id) override { return ids.push_back(id), nullptr; }
    std::int32_t getSavedCharacter() override { return 0; }
    std::vector<std::uint32_t> ids;
};

struct GameInstructionTest : ::testing::Test {
    GameInstructionTest() { adapter.setServices(&requests); }
    GameUnitWorld world{kScript};
    AZ_Client& client = *world.client;
    AZ_Adapter& adapter = *client.getAdapter();
    Camera& camera = *client.getCamera();
    Requests requests;
};

TEST_F(GameInstructionTest, LevelCameraAndProgress) {
    // Without b_loader the level loads during the call, with it the loader
    // starts again at step 0; the clear colour comes first either way.
    for (const Type type : {kCtl, kLoader}) {
        world.Restart();
        adapter.setPendingLevel(0, 0, 0);
        adapter.loadLevelStep();
        requests.ids.clear();
        client.raiseEvent(world.Spawn(type), 300);
        EXPECT_EQ(camera.GetClearColour(), 0xFF000040u);
        const std::vector<std::uint32_t> loaded{0x02000101, 0x03000108, 0x03000231};
        EXPECT_EQ(requests.ids, type == kCtl ? loaded : std::vector<std::uint32_t>{});
        EXPECT_EQ(adapter.getLoadStep(), type == kCtl ? 1 : 0);
    }
    // The layer as given, also before the map has given the camera its
    // layers (a controller setting it ahead of the load).
    for (const std::int32_t layers : {0, 3}) {
        world.Restart();
        camera.SetupForMap(camera.GetViewWidth(), camera.GetViewHeight(), layers);
        const std::int32_t ctl = world.Spawn(kCtl);
        for (const auto& [event, layer] : {std::pair{301, 1}, {310, -1}, {301, 1}}) {
            client.raiseEvent(ctl, event);
            EXPECT_EQ(camera.GetActiveLayer(), layer) << layers;
        }
    }
    const std::int32_t ctl = client.findCharacterByType(kCtl);
    client.raiseEvent(ctl, 302);
    EXPECT_EQ(camera.GetLayerParallaxX(7) * 10000 + camera.GetLayerParallaxY(7), 512 * 10000 + 256);
    client.raiseEvent(ctl, 304);
    EXPECT_EQ(client.getInterrupt(), 4);

    // The next level saved as reached, never past the last; interrupt 3.
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    for (const auto& [level, reached, saved] : {std::tuple{3, 5, 5}, {3, 2, 4}, {15, 0, 15}}) {
        adapter.startLevel(level);
        saves->SetLevelReached(reached);
        client.setInterrupt(0);
        client.raiseEvent(client.findCharacterByType(kCtl), 303);
        EXPECT_EQ(saves->GetLevelReached() * 10 + client.getInterrupt(), saved * 10 + 3) << level;
    }
    client.raiseEvent(client.findCharacterByType(kCtl), 307);
    EXPECT_EQ(saves->GetLevelReached() * 10 + saves->IsStarted(), 0);
    client.raiseEvent(client.findCharacterByType(kCtl), 308);
    EXPECT_EQ(client.getNumActive(), 0);
}

TEST_F(GameInstructionTest, SoundAndVibrationFollowTheOptionsMode) {
    for (const std::int32_t mode : {0, 1, 2}) {
        world.Restart();
        CGameApp::GetOptionsMgr()->SetMode(mode);
        world.Spawn(kSound);
        world.Spawn(kSound);
        client.raiseEvent(world.Spawn(kCtl), 305);  // both off, then on where allowed
        EXPECT_EQ(adapter.isSoundOn() * 10 + adapter.isVibrationOn(), (mode == 2) * 10 + (mode >= 1)) << mode;
        client.raiseEvent(2, 306);  // every b_playSound detached, the option kept
        EXPECT_EQ(world.PresenterOfRow(0)->findCodeSlot(68) + world.PresenterOfRow(1)->findCodeSlot(68), -2);
        EXPECT_EQ(adapter.isSoundOn(), mode == 2) << mode;
    }
    world.dir.Write("device.conf", "X=0\nREDUCE_JUMP=1\nSTRING_146=t\n");
    const_cast<CDeviceConfig&>(CGameApp::GetInstance()->GetDeviceConfig()).ReadDeviceConfig();
    client.raiseEvent(2, 309);
    EXPECT_EQ(world.log, "568p2 569p2");
    // One that its first event ends, its presenter taken by a new
    // character at once, raises no second.
    world.log.clear();
    client.raiseEvent(world.Spawn(kQuitter), 309);
    EXPECT_EQ(world.client->getCharacterType(3), kCtl);
    EXPECT_EQ(world.log, "");
}

// A menu (p0) over items p1-p3; a full combo meter.
TEST_F(GameInstructionTest, MenusCombosAndTheSelectedLevel) {
    const struct {
        int focus;
        std::int32_t event;
        std::string log;
        int after;
    } cases[] = {
        {-1, 330, "359p1", 1}, {1, 330, "360p1 359p2", 2}, {3, 330, "360p3 359p3", 3}, {3, 332, "360p3 359p1", 1},
        {1, 331, "360p1 359p3", 3}, {-1, 331, "359p3", 3}, {2, 333, "361p2", 2}, {-1, 333, "", -1},
    };
    for (const auto& c : cases) {
        world.Restart();
        const AZ_Presenter* menu = world.Make(kMenu);
        for (int i = 0; i < 3; ++i) world.Spawn(kItem);
        world.SetWords(menu, 65, {{3, c.focus}});
        client.raiseEvent(0, c.event);
        EXPECT_EQ(world.log + " " + std::to_string(world.Word(menu, 65, 3)), c.log + " " + std::to_string(c.after));
    }
    // The focused item's string id (12) less the first level's names it.
    for (const auto& [focus, base, text, level] :
         {std::tuple{true, 10, true, 2}, {true, 12, true, 0}, {true, 14, true, 0}, {true, 10, false, 0},
          {false, 10, true, 0}}) {
        world.Restart();
        adapter.startLevel(7);
        const AZ_Presenter* menu = world.Make(kMenu);
        AZ_Presenter* item = world.Make(kItem);
        world.SetWords(menu, 65, {{3, focus ? item->getId() : -1}});
        world.SetWords(item, 62, {{2, base}});
        if (!text) item->detach(63);
        client.raiseEvent(client.getActiveIndex(menu->getId()), 334);
        EXPECT_EQ(adapter.getCurrentLevel(), level) << base << text;
    }
    for (const std::int32_t meter : {10, 9, 11}) {
        world.Restart();
        world.SetWords(world.Make(kPlayer), 74, {{1, meter}});
        client.raiseEvent(0, 340);
        EXPECT_EQ(world.log, meter >= 10 ? "403p0" : "") << meter;
    }
}

TEST_F(GameInstructionTest, TextBoxesAreSpawnedAndFilled) {
    const std::int32_t right = camera.GetViewWidth() + 40;
    const struct {
        std::int32_t event, count;  // the counter's (limit 3), -1 none
        bool taken;                 // another character holds the box's behaviour and visual
        std::vector<int> words;     // 4, 8, 9, 12, 13, 16, 17, 18, 20; empty: none written
        std::int32_t timer;         // b_timer's time, -1 none
    } cases[] = {
        {320, -1, false, {1, 1, 1, -40, -1, 0, -1, 81, 0}, -1},
        {321, 3, false, {}, -1},  // nothing left on the counter: no box
        {321, 1, false, {2, 0, 0, right, 2, 2000, 300 - 162, 5, 1}, 2000},
        {322, 3, false, {2, 0, 0, right, 0, 2000, 300 - 162, 5, 1}, 2000},
        {320, -1, true, {}, -1},
    };
    for (const auto& c : cases) {
        world.Restart();
        const std::int32_t ctl = world.Spawn(kCtl);
        const AZ_Presenter* halted = world.Make(kHalted);
        if (c.count != -1) world.SetWords(world.Make(kCounter), 72, {{2, c.count}});
        if (c.taken) world.Spawn(kHolder);
        std::vector<std::int32_t> before;  // b_customCodeCallback's instances
        for (std::int32_t i = 0; i < 21; ++i) before.push_back(AZ_Presenter_Singleton::getCodeSlotValue(i));
        client.raiseEvent(ctl, c.event);
        client.raiseEvent(ctl, c.event);  // a second box replaces the first
        const std::int32_t row = client.findCharacterByType(kBox);
        EXPECT_EQ(client.findNextCharacterByType(kBox, row), -1) << c.event;
        EXPECT_EQ(row == -1, c.count == 3 && c.event == 321) << c.event;
        const bool keys = c.event == 320;  // a key-advanced box takes the keys and halts type 61
        EXPECT_EQ(halted->isUpdateEnabled(), !keys) << c.event;
        if (row == -1) continue;
        const AZ_Presenter* box = world.PresenterOfRow(row);
        EXPECT_EQ(adapter.getKeyCharacter() == box->getId(), keys) << c.event;
        EXPECT_EQ(box->findCodeSlot(17) == -1 ? -1 : world.Word(box, 17, 1), c.timer) << c.event;
        std::vector<int> words;
        for (const int w : {4, 8, 9, 12, 13, 16, 17, 18, 20}) {
            if (!c.taken) words.push_back(world.Word(box, 76, w));
        }
        EXPECT_EQ(words, c.words) << c.event;
        for (std::int32_t i = 0; i < 21; ++i) EXPECT_EQ(AZ_Presenter_Singleton::getCodeSlotValue(i), before[i]) << i;
    }
}

}  // namespace
