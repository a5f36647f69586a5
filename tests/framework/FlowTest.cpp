// The game's whole flow in the running application: keys injected through
// the applet on the virtual clock walk the scenes, and each step checks the
// chain of nodes reached (state id and class, scene by scene) and when.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "host/File.h"
#include "host/Window.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CGameScene.h"
#include "src/CMenuScreen.h"
#include "src/COptionsMgr.h"
#include "src/COptionsScreen.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/CSaveGameMgr.h"
#include "src/CTextScreen.h"
#include "src/CharacterSelectScreen.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/GameFlow.h"

namespace {

AZ_Adapter& Adapter() { return *AZ_Client::getInstance()->getAdapter(); }

// The start-up's variants: the first pages, and back ending the program.
TEST(Flow, StartUpVariants) {
    const struct {
        const char* what;
        int languages;
        std::string deviceConf;
        bool endsByItself;
        std::vector<Step> steps;
    } cases[] = {
        {"three languages", 3, "", false,
         {{"1 Init/1 Menu", {kDown, kDown, kEnter}}, {"1 Init/3 Menu", {}}}},
        // More than the menu holds: up from the first comes to the 20th.
        {"21 languages", 21, "", false,
         {{"1 Init/1 Menu", {kUp, kEnter}}, {"1 Init/3 Menu", {}, [] {
              EXPECT_EQ(Text(0x21FF0115), u"New game");
          }}}},
        {"no sound question", 1, "DISABLE_SOUND=1\n", false, {{"1 Init/4 ZelMovie", {}}}},
        {"the notice", 1, "TOUCHSCREEN_SUPPORT_MESSAGE=1\n", false,
         {{"1 Init/2 Text", {kEnter}}, {"1 Init/3 Menu", {}}}},
        {"back at the sound question", 1, "", true, {{"1 Init/3 Menu", {kEscape}}}},
        {"back at an intro picture", 1, "", true,
         {{"1 Init/3 Menu", {kEnter}}, {"1 Init/4 ZelMovie", {kEnter}}, {"2 Intro/1 Image", {kEscape}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FlowRun run;
        for (std::uint32_t i = 1; i < static_cast<std::uint32_t>(c.languages); ++i) {
            ASSERT_TRUE(vktools::AddLanguageCopy(run.content, 0x08000201 + i, u"Language " + std::u16string(1, u'A' + i)));
        }
        run.dir.Write("device.conf", "X=0\n" + c.deviceConf);
        run.Walk(c.steps);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.endedByItself, c.endsByItself);
        EXPECT_EQ(PrefsByte(run, 14), c.deviceConf.starts_with("TOUCH") ? 1 : 0);
    }
}

// The keys of the README's table of play, one a row ("F2, Escape").
std::vector<std::u16string> ReadmeKeysOfPlay() {
    std::ifstream in(VK_CONTENT_DIR "/../README.md");
    EXPECT_TRUE(in.good());
    std::vector<std::u16string> keys;
    bool table = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "| key | in play |") table = true;
        if (!table || line.starts_with("|---")) continue;
        if (!line.starts_with("| ")) break;
        const std::string key = line.substr(2, line.find(" |", 1) - 2);
        if (key != "key") keys.emplace_back(key.begin(), key.end());
    }
    return keys;
}

// The help text names the keys of play as the README's table does: a line
// for each of its rows, in order, starting with the row's keys.
void ExpectHelpNamesTheKeysOfPlay(const std::u16string& help) {
    std::vector<std::u16string> lines;
    for (std::size_t at = 0; at <= help.size();) {
        const std::size_t end = std::min(help.find(u'\n', at), help.size());
        lines.push_back(help.substr(at, end - at));
        at = end + 1;
    }
    const std::vector<std::u16string> keys = ReadmeKeysOfPlay();
    ASSERT_FALSE(keys.empty());
    ASSERT_EQ(lines.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_TRUE(lines[i].starts_with(keys[i] + u": ")) << i;
}

// The main menu's pages, each back to the same main menu, then the exit.
TEST(Flow, MainMenuPages) {
    for (const std::string controls : {"", "Keys: 2 4 6 8"}) {
        FlowRun run;
        run.dir.Write("device.conf", "X=0\n" + (controls.empty() ? "" : "CONTROL_TEXT=" + controls + "\n"));
        CNode* menu = nullptr;
        const auto same = [&] { EXPECT_EQ(Top(), menu); };
        run.Walk(ToMainMenu({
            {"3 Shell/3 Menu", {kUp, kEnter}, [&] { menu = Top(); }},  // up from the first: exit
            {"3 Shell/18 Menu", {kEscape}},
            {"3 Shell/3 Menu", {kDown, kDown, kDown, kEnter}, same},  // from exit round to help
            {"3 Shell/5 Text", {kEscape}, [&] {
                 EXPECT_EQ(TopText(), controls.empty() ? Text(0x21FF024B) : std::u16string(controls.begin(), controls.end()));
                 if (controls.empty()) ExpectHelpNamesTheKeysOfPlay(TopText());
             }},
            {"3 Shell/3 Menu", {kDown, kEnter}, same},
            {"3 Shell/4 Text", {kEscape}, [] { EXPECT_NE(TopText().find(u"9.1.0"), std::u16string::npos); }},
            {"3 Shell/3 Menu", {kDown, kEnter}, same},
            {"3 Shell/18 Menu", {kDown, kEnter}},  // yes: the program ends
        }));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.endedByItself);
    }
}

// Options saved as the page ends; the progress reset, or with saving
// failing the storage warning.
TEST(Flow, OptionsAndProgressReset) {
    for (const bool saving : {true, false}) {
        SCOPED_TRACE(saving);
        FlowRun run;
        run.dir.Write("device.conf", "X=0\nDISABLE_VIBRATION=0\n");
        run.dir.Write("savegame.dat", SaveGame(1, 2, 1));
        run.Walk(ToMainMenu({
            {"3 Shell/3 Menu", {kDown, kEnter}},
            {"3 Shell/6 Options/1 Options", {kEnter, kDown, kEnter, kEscape}},  // sound on, vibration off
            {"3 Shell/3 Menu", {kEnter}, [&] {
                 EXPECT_EQ(PrefsByte(run, 12), 1);
                 EXPECT_EQ(PrefsByte(run, 13), 0);
                 EXPECT_EQ(ICMediaPlayer::GetInstance()->IsSoundEnabled(), 1);
             }},
            {"3 Shell/6 Options/1 Options", {kUp, kEnter}, [&] { host::SetReadOnlyFiles(!saving); }},
            {saving ? "3 Shell/6 Options/3 Text" : "3 Shell/6 Options/2 Text", {kEnter}},
            {"3 Shell/3 Menu", {}, [&] {
                 host::SetReadOnlyFiles(false);
                 EXPECT_EQ(run.dir.Read("savegame.dat"), saving ? SaveGame(0, 0, 1) : SaveGame(1, 2, 1));
             }},
        }));
    }
}

TEST(Flow, NewGameAndPause) {
    FlowRun run;
    run.dir.Write("device.conf", "X=0\nLEVEL_INTRO_TEXT=" + std::string(600, 'x') + "\n");
    run.Walk(ToMainMenu({
        {"3 Shell/3 Menu", {kEnter}},
        {"3 Shell/7 CharacterSelect", {kRight, kEnter}},
        // The second character plays the levels 0 and 1 the other way round;
        // the device's text follows, all cut at 499 characters.
        {"3 Shell/9 Text", {kEnter}, [] {
             EXPECT_EQ(TopText(), (u"level 1" + Text(0x21FF0159) + std::u16string(600, u'x')).substr(0, 499));
         }},
        {"3 Shell/10 Game/2 Play", {kEscape}, [] { EXPECT_TRUE(Adapter().isLevelStarted()); }},
        {"3 Shell/10 Game/3 Menu", {kDown, kEnter}, [] { EXPECT_FALSE(ICMediaPlayer::GetInstance()->IsSoundPlaying(0)); }},
        {"3 Shell/10 Game/6 Options/1 Options", {kEscape}},
        {"3 Shell/10 Game/3 Menu", {kUp, kEnter}},
        {"3 Shell/10 Game/2 Play", {VK_F2}},
        {"3 Shell/10 Game/3 Menu", {kUp, kEnter}},
        {"3 Shell/10 Game/8 Menu", {kDown, kEnter}},
        {"3 Shell/3 Menu", {}, [] {
             EXPECT_EQ(CGameApp::GetSaveGameMgr()->GetCharacter(), 1);
             EXPECT_FALSE(Adapter().isLevelStarted());
         }},
    }));
}

TEST(Flow, ContinueFromTheLevelMenu) {
    // The level reached and the character saved, the last level offered.
    for (const auto& [saved, last] : {std::pair{SaveGame(1, 3, 0), u"level 4"}, {SaveGame(1, 40, 7), u"level 16"}}) {
        FlowRun run;
        run.dir.Write("savegame.dat", saved);
        run.Walk(ToMainMenu({
            {"3 Shell/3 Menu", {kEnter}},
            {"3 Shell/8 Menu", {kEnter}},  // the last focused
            // A copy: clang 14 captures no structured binding.
            {"3 Shell/9 Text", {kEscape}, [&, last = last] { EXPECT_TRUE(TopText().starts_with(last)); }},
            {"3 Shell/8 Menu", {kDown, kEnter}},  // round to the first: character 0's level 0
            {"3 Shell/9 Text", {}, [&] { EXPECT_EQ(TopText(), u"level 1" + Text(0x21FF0158)); }},
        }));
    }
}

// The game scene's pages behind the game screen's results (set here
// directly), from play with the second character: the retry question, the
// level-complete page, the end of the game, the closing page after the last
// level (either key ends play and releases the level) and the pause menu's
// help page.
TEST(Flow, GameSceneResults) {
    const auto closing = [] {
        const std::u16string format = Text(0x21FF0152);
        const std::size_t at = format.find(u"%i");  // the game data's counter
        ASSERT_NE(at, std::u16string::npos);
        EXPECT_EQ(TopText(), format.substr(0, at) + u"0" + format.substr(at + 2));
    };
    const auto help = [] { EXPECT_EQ(TopText(), Text(0x21FF024B)); };
    const struct {
        const char* what;
        std::int32_t level, result;  // the level played, the game screen's result
        std::vector<Step> steps;
        bool started;  // then, and the current level
        std::int32_t current;
    } cases[] = {
        {"retry: yes", 0, 3, {{"3 Shell/10 Game/4 Menu", {kEnter}}, {"3 Shell/10 Game/2 Play", {}}}, true, 0},
        {"retry: no", 0, 3, {{"3 Shell/10 Game/4 Menu", {kUp, kEnter}}, {"3 Shell/3 Menu", {}}}, false, 0},
        {"level complete", 0, 4,
         {{"3 Shell/10 Game/5 Text", {kEnter}, [] { EXPECT_EQ(TopText(), u"level 2" + Text(0x21FF0158)); }},
          {"3 Shell/10 Game/2 Play", {}}}, true, 1},
        {"level complete: back", 0, 4, {{"3 Shell/10 Game/5 Text", {kEscape}}, {"3 Shell/10 Game/3 Menu", {}}}, true, 0},
        // No level after the last: back to the main menu.
        {"the last level complete", 15, 4,
         {{"3 Shell/10 Game/5 Text", {kEnter}, [] { EXPECT_EQ(TopText(), u"level 17"); }}, {"3 Shell/3 Menu", {}}},
         false, 15},
        {"the game over", 0, 5, {{"3 Shell/3 Menu", {}}}, false, 0},
        {"the closing page", 0, 1, {{"3 Shell/10 Game/12 Text", {kEnter}, closing}, {"3 Shell/3 Menu", {}}}, false, 0},
        {"the closing page: back", 0, 1, {{"3 Shell/10 Game/12 Text", {kEscape}}, {"3 Shell/3 Menu", {}}}, false, 0},
        {"the pause menu's help page", 0, 2,
         {{"3 Shell/10 Game/3 Menu", {kDown, kDown, kEnter}}, {"3 Shell/10 Game/7 Text", {kEscape}, help},
          {"3 Shell/10 Game/3 Menu", {}}},
         true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FlowRun run;
        std::vector<Step> steps = {
            {"3 Shell/3 Menu", {kEnter}},
            {"3 Shell/7 CharacterSelect", {kRight, kEnter}},
            {"3 Shell/9 Text", {kEnter}},
            {"3 Shell/10 Game/2 Play", {}, [&] { Adapter().startLevel(c.level); }, [&] { Top()->SetResult(c.result); }},
        };
        steps.insert(steps.end(), c.steps.begin(), c.steps.end());
        steps.back().check = [&] {
            EXPECT_EQ(Adapter().isLevelStarted(), c.started);
            EXPECT_EQ(Adapter().getCurrentLevel(), c.current);
        };
        run.Walk(ToMainMenu(steps));
    }
}

// Each scene's table: the scene is walked to, the row's state is pushed on
// it (the root's replaced), the screen it made is described, given the
// chosen item and the result, and the transition that followed is read off
// the scene's stack, with the calls made checked then.
struct Row {
    std::uint32_t state;
    std::string creates;  // Describe of the state's node
    std::int32_t result;
    std::uint32_t chosen;  // the item's id (a menu's index), the character's key; 0: none
    std::string then;  // "push|replace|reset N Class", "pop", "result N", "none" or "quit"
    std::function<void(FlowRun&)> check = {};
    std::function<void(FlowRun&)> prepare = {};  // before the game starts
    std::function<void()> atScene = {};  // before the state is pushed
};

// The configuration the screens do not show otherwise (the menus' items:
// MenuPeek).
struct Peek : CMenuScreen {
    static constexpr auto kTitle = &Peek::GetTitleId;
};

// The options page's item with the widget id, or null.
CSelectItemWidget* OptionsItem(COptionsScreen* screen, std::uint32_t id) {
    for (const auto item : {OptionsPeek::kSound, OptionsPeek::kVibration, OptionsPeek::kExtra}) {
        if ((screen->*item).GetId() == id) return &(screen->*item);
    }
    return nullptr;
}

std::string Hex(std::uint32_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", id & 0xFFFu);
    return text;
}

// "Menu t146 s6 [149 148]": the class, the title, the style flags, the
// items' ids (a menu of names: their indexes) and the item focused first
// (@n, when not the first); a page's text when it is one of the texts the
// scenes show whole (=125); a scene's current state.
std::string Describe(CNode* node) {
    std::string text = ClassOf(node);
    if (auto* machine = dynamic_cast<CStateMachineNode*>(node)) {
        CNode* child = machine->GetCurrentNode();
        return child == nullptr ? text : text + "/" + std::to_string(machine->GetCurrentStateId()) + " " + ClassOf(child);
    }
    auto* screen = dynamic_cast<CWidgetScreen*>(node);
    if (screen == nullptr) return text;
    if (const std::uint32_t title = (screen->*Peek::kTitle)(); title != 0) text += " t" + Hex(title);
    text += " s" + std::to_string(screen->GetStyleFlags());
    if (auto* menu = dynamic_cast<CMenuScreen*>(node)) {
        text += " [";
        for (std::int32_t i = 0; i < menu->*MenuPeek::kCount; ++i) {
            text += (i > 0 ? " " : "") + Hex((menu->*MenuPeek::kItems)[i].GetId());
        }
        text += "]";
        if (menu->GetChosenId() != 0) text += " @" + std::to_string(menu->GetChosenId());
    }
    if (auto* page = dynamic_cast<CTextScreen*>(node)) {
        for (std::uint32_t id : {0x21FF021Eu, 0x21FF0125u, 0x21FF014Cu, 0x21FF024Bu}) {
            if (page->GetText() == Text(id)) text += " =" + Hex(id);
        }
    }
    return text;
}

// The chosen item (or character), then the result, given directly.
void Answer(CNode* node, std::int32_t result, std::uint32_t chosen) {
    if (chosen != 0) {
        if (auto* select = dynamic_cast<CharacterSelectScreen*>(node)) {
            select->HandleEvent(EVENT_KEY_PRESS, static_cast<std::uint16_t>(chosen), 0);
        } else if (auto* menu = dynamic_cast<CMenuScreen*>(node)) {
            // A menu takes the accept of its own items only.
            for (std::int32_t i = 0; i < menu->*MenuPeek::kCount; ++i) {
                CSelectItemWidget& item = (menu->*MenuPeek::kItems)[i];
                if (item.GetId() == chosen) menu->OnWidgetCommand(EVENT_WIDGET_ACCEPT, &item);
            }
        } else if (auto* options = dynamic_cast<COptionsScreen*>(node)) {
            // So does the options page.
            if (CSelectItemWidget* item = OptionsItem(options, chosen)) {
                options->OnWidgetCommand(EVENT_WIDGET_ACCEPT, item);
            }
        } else if (auto* screen = dynamic_cast<CGenericWidgetScreen*>(node)) {
            CSelectItemWidget item;
            item.SetId(chosen);
            screen->OnWidgetCommand(EVENT_WIDGET_ACCEPT, &item);
        }
    }
    node->SetResult(result);
}

// Runs each row in a game of its own: walk, then the scene given by
// scene() once it shows a node.
void PlayRows(const std::vector<Row>& rows, const std::vector<Step>& walk,
              const std::function<CStateMachineNode*()>& scene) {
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.state) + " " + std::to_string(row.result) + " " + Hex(row.chosen));
        FlowRun run;
        if (row.prepare) row.prepare(run);
        std::string creates, then;
        int phase = 0, depth = 0;
        std::uint32_t belowId = 0;
        const CNode* below = nullptr;
        const CNode* node = nullptr;
        run.after = [&] {
            CStateMachineNode* machine = scene();
            if (machine == nullptr || machine->GetCurrentNode() == nullptr) return phase > 0;
            CNode* top = machine->GetCurrentNode();
            switch (phase++) {
                case 0:
                    if (row.atScene) row.atScene();
                    below = top;
                    belowId = machine->GetCurrentStateId();
                    machine->RequestState(row.state,
                                          machine == Root() ? CStateMachineNode::kReplace : CStateMachineNode::kPush);
                    return false;
                case 1:
                    EXPECT_EQ(machine->GetCurrentStateId(), row.state);
                    node = top;
                    depth = machine->GetDepth();
                    creates = Describe(top);
                    Answer(top, row.result, row.chosen);
                    return false;
                case 2:
                    if (machine->GetResult() == 0) return false;
                    then = "result " + std::to_string(machine->GetResult());
                    break;
                default: {
                    // A new node may take the freed one's place: the ids tell.
                    const std::uint32_t id = machine->GetCurrentStateId();
                    const std::string target = " " + std::to_string(id) + " " + ClassOf(top);
                    if (machine->GetDepth() > depth) then = "push" + target;
                    else if (machine->GetDepth() < depth) then =
                        top == below && id == belowId ? "pop" : "reset" + target;
                    else then = top == node && id == row.state ? "none" : "replace" + target;
                }
            }
            if (row.check) row.check(run);
            return true;
        };
        run.Walk(walk);
        if (run.endedByItself) {
            EXPECT_EQ(run.exitCode, 0);
            if (then.empty()) then = "quit";
        }
        EXPECT_EQ(creates, row.creates);
        EXPECT_EQ(then, row.then);
        host::SetReadOnlyFiles(false);
    }
}

// The shell at once, with only the menus' sprites loaded.
std::vector<Step> ToShellAtOnce(std::vector<Step> more) {
    more.insert(more.begin(), Step{"1 Init/3 Menu", {}, {}, [] {
        SZ_Home* home = CGameApp::GetSpriteHome();
        home->QueueArchetypeCharacter(18, 0);
        while (home->ProcessLoadQueue(500)) {
        }
        Root()->RequestState(3, CStateMachineNode::kReplace);
    }});
    return more;
}

void Languages(FlowRun& run) {
    for (std::uint32_t i = 1; i < 3; ++i) vktools::AddLanguageCopy(run.content, 0x08000201 + i, u"L");
}
void NoSound(FlowRun& run) { run.dir.Write("device.conf", "X=0\nDISABLE_SOUND=1\n"); }
void Notice(FlowRun& run) { run.dir.Write("device.conf", "X=0\nTOUCHSCREEN_SUPPORT_MESSAGE=1\n"); }
bool Playing() { return ICMediaPlayer::GetInstance()->IsSoundPlaying(0); }

TEST(SceneTables, Root) {
    PlayRows({
        {1, "Init/3 Menu", 1, 0, "replace 2 Intro"},
        {1, "Init/3 Menu", 2, 0, "quit"},
        {2, "Intro/1 Image", 1, 0, "replace 3 Shell"},
        {2, "Intro/1 Image", 2, 0, "quit"},
        {3, "Shell/11 AnimatedImage", 2, 0, "quit"},
        {4, "", 0, 0, "quit"},  // the exit scene ends at once
    }, {}, Root);
}

TEST(SceneTables, StartUp) {
    const auto language = [](std::uint32_t n) {
        return [n](FlowRun&) { EXPECT_TRUE(CGameApp::GetResMgr()->IsCached(0x08000201 + n)); };
    };
    const auto sound = [](std::uint8_t on) {
        return [on](FlowRun&) {
            EXPECT_EQ(CGameApp::GetOptionsMgr()->IsSoundOn(), on);
            EXPECT_EQ(ICMediaPlayer::GetInstance()->IsSoundEnabled(), on);
        };
    };
    const auto silent = [](FlowRun&) { EXPECT_FALSE(Playing()); };
    const auto noticeSaved = [](FlowRun& run) { EXPECT_EQ(PrefsByte(run, 14), 1); };
    PlayRows({
        {1, "Menu s4 [0 1 2]", 1, 2, "replace 3 Menu", language(2), Languages},
        {1, "Menu s4 [0 1 2]", 1, 1, "replace 4 ZelMovie", language(1),
         [](FlowRun& run) {
             Languages(run);
             NoSound(run);
         }},
        {1, "Menu s4 [0 1 2]", 2, 0, "result 2", {}, Languages},
        {2, "Text s14 =21E", 1, 0, "replace 3 Menu", noticeSaved, Notice},
        {2, "Text s14 =21E", 1, 0, "replace 4 ZelMovie", noticeSaved, NoSound},
        {2, "Text s14 =21E", 2, 0, "result 2"},
        {3, "Menu s4 [149 148]", 1, 0x21FF0148, "replace 4 ZelMovie", sound(1)},
        {3, "Menu s4 [149 148]", 1, 0x21FF0149, "replace 4 ZelMovie", sound(0)},
        {3, "Menu s4 [149 148]", 2, 0, "result 2"},
        {4, "ZelMovie", 1, 0, "replace 5 ResLoad", silent},
        {4, "ZelMovie", 2, 0, "result 2", silent},
        {5, "ResLoad", 1, 0, "result 1"},
        {5, "ResLoad", 2, 0, "result 2"},
    }, {}, [] { return Scene(Root(), 1); });
}

TEST(SceneTables, Intro) {
    PlayRows({
        {1, "Image", 1, 0, "replace 2 Image"},
        {1, "Image", 2, 0, "result 2"},
        {2, "Image", 1, 0, "result 1"},
        {2, "Image", 2, 0, "result 2"},
    }, {{"1 Init/3 Menu", {}, {}, [] { Root()->RequestState(2, CStateMachineNode::kReplace); }}},
       [] { return Scene(Root(), 2); });
}

TEST(SceneTables, Shell) {
    const auto started = [](FlowRun& run) { run.dir.Write("savegame.dat", SaveGame(1, 3, 7)); };
    // The level chosen, whether from the menu, the character saved, and
    // the level intro's text id.
    const auto chose = [](std::int32_t level, std::uint8_t fromMenu, std::int32_t character, std::uint32_t intro) {
        return [=](FlowRun&) {
            EXPECT_EQ(Adapter().getSelectedLevel(), level);
            EXPECT_EQ(CGameApp::GetGameData()->IsLevelSelected(), fromMenu);
            EXPECT_EQ(CGameApp::GetSaveGameMgr()->GetCharacter(), character);
            EXPECT_EQ(TopText(), u"level " + std::u16string(1, static_cast<char16_t>(u'1' + level)) + Text(intro));
        };
    };
    const std::string menu = "Menu s6 [115 11A 11B 11C 11D]", yesNo = "Menu t146 s6 [149 148]";
    PlayRows({
        {1, "Text s6 =125", 1, 0, "replace 11 AnimatedImage"},
        {1, "Text s6 =125", 2, 0, "result 2"},
        {3, menu, 1, 0x21FF0115, "push 7 CharacterSelect"},
        {3, "Menu s6 [116 11A 11B 11C 11D]", 1, 0x21FF0116, "push 8 Menu", {}, started},
        {3, menu, 1, 0x21FF011A, "push 6 Options"},
        {3, menu, 1, 0x21FF011B, "push 5 Text"},
        {3, menu, 1, 0x21FF011C, "push 4 Text"},
        {3, menu, 1, 0x21FF011D, "push 18 Menu"},
        {3, menu, 2, 0, "push 18 Menu"},
        {4, "Text t11C s6", 2, 0, "pop"},
        {4, "Text t11C s6", 1, 0, "none", [](FlowRun&) { EXPECT_EQ(Top()->GetResult(), 0); }},
        {5, "Text t126 s6 =24B", 2, 0, "pop"},
        {5, "Text t126 s6 =24B", 1, 0, "none", [](FlowRun&) { EXPECT_EQ(Top()->GetResult(), 0); }},
        {6, "Options/1 Options", 3, 0, "reset 3 Menu"},
        {6, "Options/1 Options", 2, 0, "pop"},
        {6, "Options/1 Options", 1, 0, "pop"},
        {7, "CharacterSelect s0", 1, CUIWidget::kKeyRight, "push 9 Text", chose(0, 0, 1, 0x21FF0159)},
        {7, "CharacterSelect s0", 1, CUIWidget::kKeyLeft, "push 9 Text", chose(0, 0, 0, 0x21FF0158)},
        {7, "CharacterSelect s0", 2, 0, "pop"},
        // The saved character 7 plays the first one's levels.
        {8, "Menu t156 s0 [0 1 2 3] @3", 1, 1, "push 9 Text", chose(1, 1, 7, 0x21FF0159), started},
        {8, "Menu t156 s0 [0 1 2 3] @3", 2, 0, "pop", {}, started},
        {9, "Text s6", 1, 0, "reset 10 Game", [](FlowRun&) { EXPECT_FALSE(Playing()); }},  // the title's sound
        {9, "Text s6", 2, 0, "pop"},
        {10, "Game/2 Play", 2, 0, "replace 3 Menu"},
        {10, "Game/2 Play", 1, 0, "none"},
        {11, "AnimatedImage", 1, 0, "replace 3 Menu"},
        {11, "AnimatedImage", 2, 0, "result 2"},
        {18, yesNo, 1, 0x21FF0148, "result 2"},
        {18, yesNo, 1, 0x21FF0149, "pop"},
        {18, yesNo, 2, 0, "pop"},
    }, ToShellAtOnce({}), [] { return Scene(Root(), 3); });
}

TEST(SceneTables, Options) {
    const auto readOnly = [] { host::SetReadOnlyFiles(true); };
    const auto reset = [](FlowRun& run) { EXPECT_EQ(run.dir.Read("savegame.dat"), SaveGame(0, 0, 1)); };
    const auto started = [](FlowRun& run) { run.dir.Write("savegame.dat", SaveGame(1, 2, 1)); };
    const std::string options = "Options t11F s6";
    PlayRows({
        {1, options, 1, 0x21FF014A, "push 3 Text"},
        {1, options, 1, COptionsScreen::kSoundItem, "result 2", [](FlowRun& run) { EXPECT_EQ(PrefsByte(run, 12), 0); }},
        {1, options, 2, 0, "result 2"},
        {1, options, 1, 0x21FF014A, "replace 2 Text", {}, {}, readOnly},
        {1, options, 2, 0, "result 2", {}, {}, readOnly},
        {2, "Text s6 =125", 2, 0, "result 1"},
        {3, "Text s6 =14C", 1, 0, "result 3", reset, started},
        {3, "Text s6 =14C", 2, 0, "pop"},
    }, ToShellAtOnce({{"3 Shell/11 AnimatedImage", {}, {},
                       [] { Scene(Root(), 3)->RequestState(6, CStateMachineNode::kPush); }}}),
       [] { return Scene(Scene(Root(), 3), 6); });
}

// A game scene lent no sprites still opens its help page.
TEST(SceneTables, GameHelpWithoutSprites) {
    ScreenRun run;
    CGameScene* game = nullptr;
    run.Play([&] { return game = new CGameScene(); }, 3, [&](int n) {
        if (n == 1) {
            game->RequestState(CGameScene::kHelp, CStateMachineNode::kPush);
        } else if (n == 3) {
            EXPECT_EQ(Describe(game), "Game/7 Text");
        }
    });
}

}  // namespace
