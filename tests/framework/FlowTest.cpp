// The game's whole flow in the running application: keys injected through
// the applet on the virtual clock walk the scenes, and each step checks the
// chain of nodes reached (state id and class, scene by scene) and when.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "host/Clock.h"
#include "host/File.h"
#include "host/Window.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/CSaveGameMgr.h"
#include "src/CTextScreen.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/GoldenFrame.h"

namespace {

// The class without its C and Scene or Screen: CShellScene is "Shell"; the
// game screen is "Play".
std::string ClassOf(CNode* node) {
    std::string name = typeid(*node).name();
    if (name.find("GameScreen") != std::string::npos) return "Play";
    name = name.substr(name.find_first_not_of("0123456789"));
    if (name.size() > 1 && name[0] == 'C' && std::isupper(static_cast<unsigned char>(name[1]))) name.erase(0, 1);
    for (const char* end : {"Scene", "Screen"}) {
        if (name.ends_with(end)) name.resize(name.size() - std::string(end).size());
    }
    return name;
}

CNode* Top() {
    CNode* node = CGameApp::GetInstance()->GetRootNode();
    while (auto* machine = dynamic_cast<CStateMachineNode*>(node)) {
        if (machine->GetCurrentNode() == nullptr) break;
        node = machine->GetCurrentNode();
    }
    return node;
}

// "3 Shell/10 Game/3 Menu": each level's state id and class.
std::string Chain() {
    std::string chain;
    auto* machine = static_cast<CStateMachineNode*>(CGameApp::GetInstance()->GetRootNode());
    for (; machine != nullptr && machine->GetCurrentNode() != nullptr;
         machine = dynamic_cast<CStateMachineNode*>(machine->GetCurrentNode())) {
        if (!chain.empty()) chain += '/';
        chain.append(std::to_string(machine->GetCurrentStateId())).append(" ").append(ClassOf(machine->GetCurrentNode()));
    }
    return chain;
}

std::u16string TopText() { return dynamic_cast<CTextScreen*>(Top())->GetText(); }

std::u16string Text(std::uint32_t id) {
    std::u16string text = CGameApp::GetResMgr()->GetText(id, 0);
    CGameApp::GetResMgr()->Release(id, 0);
    return text;
}

AZ_Adapter& Adapter() { return *AZ_Client::getInstance()->getAdapter(); }

std::uint8_t PrefsByte(const GameRun& run, int n) { return static_cast<std::uint8_t>(run.dir.Read("prefs.dat").at(n)); }

// savegame.dat: started, padding, level reached, character (small values).
std::string SaveGame(char started, char level, char character) {
    return {started, 0, 0, 0, level, 0, 0, 0, character, 0, 0, 0};
}

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

constexpr WORD kUp = VK_UP, kDown = VK_DOWN, kRight = VK_RIGHT, kEnter = VK_RETURN, kEscape = VK_ESCAPE;

struct FlowRun : GameRun {
    FlowRun() { scenes = true; }

    // The times (virtual ms from the start event) at which each chain was
    // reached. The game ends by itself or is closed a few frames after the
    // last step.
    std::vector<int> Walk(const std::vector<Step>& steps) {
        std::vector<int> times(steps.size(), -1);
        std::size_t at = 0;
        int closeAt = -1;
        DWORD start = 0;
        exitCode = Run([&](int tick) {
            const int now = static_cast<int>(GetTickCount() - start);
            if (tick == 0) start = GetTickCount();
            lastTick = tick;
            if (tick == closeAt) host::InjectClose();
            if (tick == 0 || at >= steps.size()) return;
            const Step& step = steps[at];
            if (times[at] < 0 && Chain() == step.chain) {
                times[at] = now;
                if (step.check) step.check();
            }
            if (times[at] < 0) return;
            if (Chain() != step.chain) {
                ADD_FAILURE() << "left " << step.chain << " for " << Chain() << " at " << now;
                at = steps.size();
                return;
            }
            if (Top()->GetElapsed() < Top()->GetTransitionTime() || now - times[at] < step.waitMs) return;
            if (step.settled) step.settled();
            for (WORD key : step.keys) Press(key);
            if (++at == steps.size()) closeAt = tick + 4;
        }, 2000);
        endedByItself = closeAt < 0 || lastTick < closeAt;
        for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_GE(times[i], 0) << "never reached: " << steps[i].chain;
        return times;
    }

    int exitCode = -1;
    int lastTick = 0;
    bool endedByItself = false;
};

// From the start, with the sound off and every page taken at once, to the
// shell; ToMainMenu goes on to the main menu, where the steps start.
std::vector<Step> ToShell(std::vector<Step> more) {
    more.insert(more.begin(), {{"1 Init/3 Menu", {kEnter}}, {"1 Init/4 ZelMovie", {kEnter}},
                               {"2 Intro/1 Image", {kEnter}}, {"2 Intro/2 Image", {kEnter}}});
    return more;
}
std::vector<Step> ToMainMenu(std::vector<Step> more) {
    more.insert(more.begin(), Step{"3 Shell/11 AnimatedImage", {kEnter}});
    return ToShell(more);
}

TEST(Flow, ColdBoot) {
    FlowRun run;
    bool soundPlayed = false;
    const auto sounds = [] { return ICMediaPlayer::GetInstance()->IsSoundPlaying(0); };
    const std::vector<int> times = run.Walk({
        {"1 Init/3 Menu", {kDown, kEnter}, [&] {
             EXPECT_EQ(run.dir.Read("prefs.dat").size(), 16u);
             EXPECT_EQ(run.dir.Read("savegame.dat").size(), 12u);
         }, [] { EXPECT_TRUE(MatchesGoldenFrame("flow-sound-question")); }},
        {"1 Init/4 ZelMovie", {}, [&] { soundPlayed = sounds(); }},
        {"1 Init/5 ResLoad", {}, [&] { EXPECT_FALSE(sounds()); }},
        {"2 Intro/1 Image", {}, [] {
             const SZ_Home* home = CGameApp::GetSpriteHome();
             for (int archetype = 0; archetype <= 20; ++archetype) {
                 EXPECT_TRUE(home->IsArchetypeCharacterLoaded(archetype, 0)) << archetype;
             }
             for (int archetype : {2, 16, 17}) EXPECT_TRUE(home->IsArchetypeCharacterLoaded(archetype, 2));
         }},
        {"2 Intro/2 Image", {}},
        // Half way through the logo's motion.
        {"3 Shell/11 AnimatedImage", {}, {}, [] { EXPECT_TRUE(MatchesGoldenFrame("flow-title")); }, 1500},
        {"3 Shell/3 Menu", {}, {}, [] { EXPECT_TRUE(MatchesGoldenFrame("flow-main-menu")); }},
    });
    EXPECT_EQ(PrefsByte(run, 12), 1);  // yes: sound on
    EXPECT_TRUE(soundPlayed);
    ASSERT_EQ(times.size(), 7u);
    EXPECT_EQ(times[0], 48);  // the first frame
    // The movie's 3000 ms, 2000 ms for each picture, and the title's 2000
    // ms after the logo's 300 ms animation, each to the next frame.
    for (const auto& [step, ms] : {std::pair{1, 3000}, {3, 2000}, {4, 2000}, {5, 2300}}) {
        EXPECT_GE(times[step + 1] - times[step], ms) << step;
        EXPECT_LT(times[step + 1] - times[step], ms + 2 * 48) << step;
    }
}

// The start-up's variants: the first pages, and back ending the program.
TEST(Flow, StartUpVariants) {
    const struct {
        const char* what;
        int languages;
        std::string deviceConf;
        bool readOnly, endsByItself;
        std::vector<Step> steps;
    } cases[] = {
        {"three languages", 3, "", false, false,
         {{"1 Init/1 Menu", {kDown, kDown, kEnter}}, {"1 Init/3 Menu", {}}}},
        // More than the menu holds: up from the first comes to the 20th.
        {"21 languages", 21, "", false, false,
         {{"1 Init/1 Menu", {kUp, kEnter}}, {"1 Init/3 Menu", {}, [] {
              EXPECT_EQ(Text(0x21FF0115), u"New game");
          }}}},
        {"no sound question", 1, "DISABLE_SOUND=1\n", false, false, {{"1 Init/4 ZelMovie", {}}}},
        {"the notice", 1, "TOUCHSCREEN_SUPPORT_MESSAGE=1\n", false, false,
         {{"1 Init/2 Text", {kEnter}}, {"1 Init/3 Menu", {}}}},
        {"read-only storage", 1, "", true, false, ToShell({{"3 Shell/1 Text", {kEnter}}, {"3 Shell/11 AnimatedImage", {}}})},
        {"back at the sound question", 1, "", false, true, {{"1 Init/3 Menu", {kEscape}}}},
        {"back at an intro picture", 1, "", false, true,
         {{"1 Init/3 Menu", {kEnter}}, {"1 Init/4 ZelMovie", {kEnter}}, {"2 Intro/1 Image", {kEscape}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FlowRun run;
        for (std::uint32_t i = 1; i < static_cast<std::uint32_t>(c.languages); ++i) {
            ASSERT_TRUE(vktools::AddLanguageCopy(run.content, 0x08000201 + i, u"Language " + std::u16string(1, u'A' + i)));
        }
        run.dir.Write("device.conf", "X=0\n" + c.deviceConf);
        host::SetReadOnlyFiles(c.readOnly);
        run.Walk(c.steps);
        host::SetReadOnlyFiles(false);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.endedByItself, c.endsByItself);
        EXPECT_EQ(c.readOnly || PrefsByte(run, 14) == (c.deviceConf.starts_with("TOUCH") ? 1 : 0), true);
    }
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
            {"3 Shell/9 Text", {kEscape}, [&] { EXPECT_TRUE(TopText().starts_with(last)); }},
            {"3 Shell/8 Menu", {kDown, kEnter}},  // round to the first: character 0's level 0
            {"3 Shell/9 Text", {}, [&] { EXPECT_EQ(TopText(), u"level 1" + Text(0x21FF0158)); }},
        }));
    }
}

// The game scene's pages behind the game screen's results (set here
// directly), from play with the second character.
TEST(Flow, GameSceneResults) {
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

}  // namespace
