// The game's whole flow in the running application: keys injected through
// the applet on the virtual clock walk the scenes, and each step checks the
// chain of nodes reached (state id and class, scene by scene) and when.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "host/File.h"
#include "host/Window.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CDestroyScene.h"
#include "src/CGameApp.h"
#include "src/CGameScene.h"
#include "src/CImageScreen.h"
#include "src/CInitScene.h"
#include "src/CIntroScene.h"
#include "src/CMenuScreen.h"
#include "src/COptionsScene.h"
#include "src/COptionsScreen.h"
#include "src/CProgressScreen.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/CSaveGameMgr.h"
#include "src/CShellScene.h"
#include "src/CTextScreen.h"
#include "src/CZelMovieScreen.h"
#include "src/CharacterSelectScreen.h"
#include "src/actionZel/AZ_Client.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/framework/ScreenRun.h"
#include "tests/support/GoldenFrame.h"

namespace {

template <typename T>
bool Is(CNode* node) {
    return dynamic_cast<T*>(node) != nullptr;
}

std::string ClassOf(CNode* node) {
    if (Is<CInitScene>(node)) return "Init";
    if (Is<CIntroScene>(node)) return "Intro";
    if (Is<CShellScene>(node)) return "Shell";
    if (Is<CGameScene>(node)) return "Game";
    if (Is<COptionsScene>(node)) return "Options";
    if (Is<CDestroyScene>(node)) return "Destroy";
    if (Is<CMenuScreen>(node)) return "menu";
    if (Is<COptionsScreen>(node)) return "options";
    if (Is<CharacterSelectScreen>(node)) return "select";
    if (Is<CTextScreen>(node)) return "text";
    if (Is<AnimatedImageScreen>(node)) return "title";
    if (Is<CImageScreen>(node)) return "image";
    if (Is<CZelMovieScreen>(node)) return "movie";
    if (Is<CResLoadScreen>(node)) return "loading";
    return "node";
}

CNode* Top() {
    CNode* node = CGameApp::GetInstance()->GetRootNode();
    while (auto* machine = dynamic_cast<CStateMachineNode*>(node)) {
        if (machine->GetCurrentNode() == nullptr) return node;
        node = machine->GetCurrentNode();
    }
    return node;
}

// "3 Shell/10 Game/3 menu": each level's state id and class.
std::string Chain() {
    std::string chain;
    const auto* machine = static_cast<const CStateMachineNode*>(CGameApp::GetInstance()->GetRootNode());
    while (machine != nullptr && machine->GetCurrentNode() != nullptr) {
        if (!chain.empty()) chain += "/";
        chain += std::to_string(machine->GetCurrentStateId()) + " " + ClassOf(machine->GetCurrentNode());
        machine = dynamic_cast<const CStateMachineNode*>(machine->GetCurrentNode());
    }
    return chain;
}

template <typename T>
T& TopAs() {
    return *dynamic_cast<T*>(Top());
}

std::u16string TopText() { return TopAs<CTextScreen>().GetText(); }

std::uint8_t PrefsByte(const GameRun& run, int n) { return static_cast<std::uint8_t>(run.dir.Read("prefs.dat").at(n)); }

std::string SaveGame(std::uint8_t started, std::int32_t level, std::int32_t character) {
    std::string bytes(12, '\0');
    bytes[0] = static_cast<char>(started);
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = static_cast<char>(static_cast<std::uint32_t>(level) >> (8 * i));
        bytes[8 + i] = static_cast<char>(static_cast<std::uint32_t>(character) >> (8 * i));
    }
    return bytes;
}

// One step of a walk: the chain waited for, then the keys pressed at once
// when the top screen's intro is over (none: the walk waits for the next
// chain), and a check made when the chain is reached.
struct Step {
    std::string chain;
    std::vector<WORD> keys;
    std::function<void()> check = {};
    // Run before the keys, once the intro is over and the screen has run
    // as long.
    std::function<void()> settled = {};
    int waitMs = 0;
};

constexpr WORD kUp = VK_UP, kDown = VK_DOWN, kRight = VK_RIGHT, kEnter = VK_RETURN, kEscape = VK_ESCAPE;

struct FlowRun : GameRun {
    FlowRun() { scenes = true; }

    // Runs the steps; the times (virtual ms from the start event) at which
    // each chain was reached, -1 for those never reached. The game ends by
    // itself or is closed a few frames after the last step.
    std::vector<int> Walk(const std::vector<Step>& steps, int maxTicks = 2000) {
        std::vector<int> times(steps.size(), -1);
        std::size_t at = 0;
        int closeAt = -1;
        std::string traced;
        DWORD start = 0;
        exitCode = Run([&](int tick) {
            if (tick == 0) {
                start = GetTickCount();
                return;
            }
            lastTick = tick;
            if (std::getenv("FLOW_TRACE") != nullptr && Chain() != traced) {
                traced = Chain();
                std::fprintf(stderr, "TRACE %d %s\n", static_cast<int>(GetTickCount() - start), traced.c_str());
            }
            if (tick == closeAt) host::InjectClose();
            if (at >= steps.size()) return;
            const Step& step = steps[at];
            if (times[at] < 0) {
                if (Chain() != step.chain) return;
                times[at] = static_cast<int>(GetTickCount() - start);
                if (step.check) step.check();
            }
            const int now = static_cast<int>(GetTickCount() - start);
            if (Chain() != step.chain) {
                ADD_FAILURE() << "left " << step.chain << " for " << Chain() << " at " << now;
                at = steps.size();
                return;
            }
            CNode* top = Top();
            if (top->GetElapsed() < top->GetTransitionTime() || now - times[at] < step.waitMs) return;
            if (step.settled) step.settled();
            for (WORD key : step.keys) Press(key);
            if (++at == steps.size()) closeAt = tick + 4;
        }, maxTicks);
        endedByItself = closeAt < 0 || lastTick < closeAt;
        for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_GE(times[i], 0) << "never reached: " << steps[i].chain;
        return times;
    }

    int exitCode = -1;
    int lastTick = 0;
    bool endedByItself = false;
};

// From the start, with the sound off, every page taken at once, to the
// shell.
std::vector<Step> ToShell(std::vector<Step> more) {
    std::vector<Step> steps = {
        {"1 Init/3 menu", {kEnter}},  // "No" comes first
        {"1 Init/4 movie", {kEnter}},
        {"2 Intro/1 image", {kEnter}},
        {"2 Intro/2 image", {kEnter}},
    };
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

// The same, on to the main menu, where the first of the steps starts.
std::vector<Step> ToMainMenu(std::vector<Step> more) {
    more.insert(more.begin(), Step{"3 Shell/11 title", {kEnter}});
    return ToShell(more);
}

TEST(Flow, ColdBoot) {
    FlowRun run;
    bool soundPlayed = false;
    const std::vector<int> times = run.Walk({
        {"1 Init/3 menu", {kDown, kEnter}, [&] {
             EXPECT_EQ(run.dir.Read("prefs.dat").size(), 16u);
             EXPECT_EQ(run.dir.Read("savegame.dat").size(), 12u);
         }, [] { EXPECT_TRUE(MatchesGoldenFrame("flow-sound-question")); }},
        {"1 Init/4 movie", {}, [&] { soundPlayed = ICMediaPlayer::GetInstance()->IsSoundPlaying(0); }},
        {"1 Init/5 loading", {}, [&] { EXPECT_FALSE(ICMediaPlayer::GetInstance()->IsSoundPlaying(0)); }},
        {"2 Intro/1 image", {}, [&] {
             const SZ_Home* home = CGameApp::GetSpriteHome();
             for (int archetype = 0; archetype <= 20; ++archetype) {
                 EXPECT_TRUE(home->IsArchetypeCharacterLoaded(archetype, 0)) << archetype;
             }
             for (int archetype : {2, 16, 17}) EXPECT_TRUE(home->IsArchetypeCharacterLoaded(archetype, 2)) << archetype;
         }},
        {"2 Intro/2 image", {}},
        // Half way through the logo's motion.
        {"3 Shell/11 title", {}, {}, [] { EXPECT_TRUE(MatchesGoldenFrame("flow-title")); }, 1500},
        {"3 Shell/3 menu", {}, {}, [] { EXPECT_TRUE(MatchesGoldenFrame("flow-main-menu")); }},
    });
    EXPECT_EQ(PrefsByte(run, 12), 1);  // yes: sound on
    EXPECT_TRUE(soundPlayed);
    // The movie's 3000 ms, the loading, 2000 ms for each picture and the
    // title: 2000 ms after the logo's 300 ms animation.
    ASSERT_EQ(times.size(), 7u);
    EXPECT_EQ(times[0], 48);  // the first frame
    EXPECT_GE(times[2] - times[1], 3000);
    EXPECT_LT(times[2] - times[1], 3000 + 2 * 48);
    EXPECT_GE(times[4] - times[3], 2000);
    EXPECT_LT(times[4] - times[3], 2000 + 2 * 48);
    EXPECT_GE(times[5] - times[4], 2000);
    EXPECT_GE(times[6] - times[5], 2300);
    EXPECT_LT(times[6] - times[5], 2300 + 2 * 48);
}


// The start-up's variants: what the first pages are, and back leaving.
TEST(Flow, StartUpVariants) {
    const struct {
        const char* what;
        int languages;
        const char* deviceConf;
        bool readOnly;
        std::vector<Step> steps;
        bool endsByItself;
    } cases[] = {
        {"three languages", 3, "", false,
         {{"1 Init/1 menu", {kDown, kDown, kEnter}}, {"1 Init/3 menu", {}, [] {
              EXPECT_EQ(CGameApp::GetResMgr()->GetLanguageCount(), 3u);
          }}},
         false},
        {"no sound question", 1, "DISABLE_SOUND=1\n", false, {{"1 Init/4 movie", {}}}, false},
        {"the notice once", 1, "TOUCHSCREEN_SUPPORT_MESSAGE=1\n", false,
         {{"1 Init/2 text", {kEnter}}, {"1 Init/3 menu", {}}}, false},
        {"read-only storage", 1, "", true, ToShell({{"3 Shell/1 text", {kEnter}}, {"3 Shell/11 title", {}}}), false},
        {"back at the sound question", 1, "", false, {{"1 Init/3 menu", {kEscape}}}, true},
        {"back at an intro picture", 1, "", false,
         {{"1 Init/3 menu", {kEnter}}, {"1 Init/4 movie", {kEnter}}, {"2 Intro/1 image", {kEscape}}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FlowRun run;
        static const char16_t* const names[] = {u"Deutsch", u"Français"};
        for (int i = 1; i < c.languages; ++i) {
            ASSERT_TRUE(vktools::AddLanguageCopy(run.content, 0x08000200 + static_cast<std::uint32_t>(i), names[i - 1]));
        }
        run.dir.Write("device.conf", std::string("X=0\n") + c.deviceConf);
        host::SetReadOnlyFiles(c.readOnly);
        run.Walk(c.steps);
        host::SetReadOnlyFiles(false);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.endedByItself, c.endsByItself);
        if (std::string(c.deviceConf).find("TOUCH") != std::string::npos) {
            EXPECT_EQ(PrefsByte(run, 14), 1);
        }
    }
}

std::u16string Text(std::uint32_t id) {
    std::u16string text = CGameApp::GetResMgr()->GetText(id, 0);
    CGameApp::GetResMgr()->Release(id, 0);
    return text;
}

// The main menu's pages, and the same main menu after each.
TEST(Flow, MainMenuPages) {
    const struct {
        const char* deviceConf;
        std::u16string help;  // empty: the help text of the archive
    } cases[] = {{"", u""}, {"CONTROL_TEXT=Keys: 2 4 6 8\n", u"Keys: 2 4 6 8"}};
    for (const auto& c : cases) {
        FlowRun run;
        run.dir.Write("device.conf", std::string("X=0\n") + c.deviceConf);
        CNode* menu = nullptr;
        const auto same = [&] { EXPECT_EQ(Top(), menu); };
        run.Walk(ToMainMenu({
            {"3 Shell/3 menu", {kUp, kEnter}, [&] { menu = Top(); }},  // up from the first: exit
            {"3 Shell/18 menu", {kEscape}},
            {"3 Shell/3 menu", {kDown, kDown, kDown, kEnter}, same},  // down from exit, round to help
            {"3 Shell/5 text", {kEscape}, [&] { EXPECT_EQ(TopText(), c.help.empty() ? Text(0x21FF024B) : c.help); }},
            {"3 Shell/3 menu", {kDown, kEnter}, same},
            {"3 Shell/4 text", {kEscape}, [] { EXPECT_NE(TopText().find(u"9.1.0"), std::u16string::npos); }},
            {"3 Shell/3 menu", {}, same},
        }));
    }
}

TEST(Flow, OptionsAndProgressReset) {
    for (const bool saving : {true, false}) {
        SCOPED_TRACE(saving);
        FlowRun run;
        run.dir.Write("device.conf", "X=0\nDISABLE_VIBRATION=0\n");
        run.dir.Write("savegame.dat", SaveGame(1, 2, 1));
        std::vector<Step> steps = {
            {"3 Shell/3 menu", {kDown, kEnter}},
            // Sound on and vibration off, then back.
            {"3 Shell/6 Options/1 options", {kEnter, kDown, kEnter, kEscape}},
            {"3 Shell/3 menu", {kEnter}, [&] {
                 EXPECT_EQ(PrefsByte(run, 12), 1);
                 EXPECT_EQ(PrefsByte(run, 13), 0);
                 EXPECT_EQ(ICMediaPlayer::GetInstance()->IsSoundEnabled(), 1);
             }},
            {"3 Shell/6 Options/1 options", {kUp, kEnter}, [&] { host::SetReadOnlyFiles(!saving); }},
        };
        if (saving) {
            steps.push_back({"3 Shell/6 Options/3 text", {kEnter}});
            steps.push_back({"3 Shell/3 menu", {}, [&] {
                EXPECT_EQ(static_cast<CStateMachineNode*>(CGameApp::GetInstance()->GetRootNode()->GetCurrentNode())->GetDepth(), 1);
                EXPECT_EQ(run.dir.Read("savegame.dat"), SaveGame(0, 0, 1));
            }});
        } else {
            steps.push_back({"3 Shell/6 Options/2 text", {kEnter}, [] { host::SetReadOnlyFiles(false); }});
            steps.push_back({"3 Shell/3 menu", {}, [&] { EXPECT_EQ(run.dir.Read("savegame.dat"), SaveGame(1, 2, 1)); }});
        }
        run.Walk(ToMainMenu(steps));
    }
}

TEST(Flow, NewGameAndPause) {
    FlowRun run;
    run.Walk(ToMainMenu({
        {"3 Shell/3 menu", {kEnter}},
        {"3 Shell/7 select", {kRight, kEnter}},
        // The second character plays the levels 0 and 1 the other way round.
        {"3 Shell/9 text", {kEnter}, [] { EXPECT_EQ(TopText(), u"level 1" + Text(0x21FF0159)); }},
        {"3 Shell/10 Game/2 node", {kEscape}},
        {"3 Shell/10 Game/3 menu", {kDown, kEnter}, [] { EXPECT_FALSE(ICMediaPlayer::GetInstance()->IsSoundPlaying(0)); }},
        {"3 Shell/10 Game/6 Options/1 options", {kEscape}},
        {"3 Shell/10 Game/3 menu", {kUp, kEnter}},
        {"3 Shell/10 Game/2 node", {VK_F2}},
        {"3 Shell/10 Game/3 menu", {kUp, kEnter}},
        {"3 Shell/10 Game/8 menu", {kDown, kEnter}},
        {"3 Shell/3 menu", {}, [] { EXPECT_EQ(CGameApp::GetSaveGameMgr()->GetCharacter(), 1); }},
    }));
}

TEST(Flow, ContinueFromTheLevelMenu) {
    const struct {
        std::string saved;
        std::u16string chosen, first;  // the intro of the preselected level, and of the first
    } cases[] = {
        {SaveGame(1, 3, 0), u"level 4", u"level 1"},
        // A level and a character out of range: 16 levels, character 0.
        {SaveGame(1, 40, 7), u"level 16", u"level 1"},
    };
    for (const auto& c : cases) {
        FlowRun run;
        run.dir.Write("savegame.dat", c.saved);
        run.Walk(ToMainMenu({
            {"3 Shell/3 menu", {kEnter}},
            {"3 Shell/8 menu", {kEnter}},
            {"3 Shell/9 text", {kEscape}, [&] { EXPECT_EQ(TopText().substr(0, c.chosen.size()), c.chosen); }},
            // Down from the last level comes round to the first.
            {"3 Shell/8 menu", {kDown, kEnter}},
            {"3 Shell/9 text", {}, [&] { EXPECT_EQ(TopText(), c.first + Text(0x21FF0158)); }},
        }));
    }
}

TEST(Flow, ExitQuestion) {
    FlowRun run;
    run.Walk(ToMainMenu({
        {"3 Shell/3 menu", {kUp, kEnter}},
        {"3 Shell/18 menu", {kEnter}},  // no
        {"3 Shell/3 menu", {kEnter}},
        {"3 Shell/18 menu", {kDown, kEnter}},  // yes
    }));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.endedByItself);
}

}  // namespace
