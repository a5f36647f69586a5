// Taps on the items of every menu of the game's flow, in the running game:
// one, two or three taps 48 ms apart on each item, a tap on one item and
// the select key in the same frame, and a tap while the menu slides in.
// Whatever the taps, the scene reads the id of the item accepted first, in
// one frame, and makes one transition; a switch of the options page
// switches once per tap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/Vibrate.h"
#include "host/Window.h"
#include "src/CGameApp.h"
#include "src/CGameScene.h"
#include "src/CMenuScreen.h"
#include "src/COptionsMgr.h"
#include "src/COptionsScene.h"
#include "src/COptionsScreen.h"
#include "src/CShellScene.h"
#include "src/CStateMachineNode.h"
#include "src/SceneUtil.h"
#include "tests/support/GameFlow.h"
#include "tests/framework/ScreenRun.h"

namespace {

// Where the taps land: the menus' items (MenuPeek), the options' and the
// text pages' soft-key bar.
struct OptionsPeek : COptionsScreen {
    static constexpr auto kSound = &OptionsPeek::m_soundItem;
    static constexpr auto kVibration = &OptionsPeek::m_vibrationItem;
    static constexpr auto kExtra = &OptionsPeek::m_extraItem;
};
struct PagePeek : CWidgetScreen {
    static constexpr auto kSoftkeys = &PagePeek::m_softkeys;
};

// The centre of item i of the screen (of a text page: its accept label).
std::pair<int, int> ItemPoint(CNode* node, int i) {
    CRect rect;
    if (auto* menu = dynamic_cast<CMenuScreen*>(node)) {
        rect = (menu->*MenuPeek::kItems)[i].GetScreenRect();
    } else if (auto* options = dynamic_cast<COptionsScreen*>(node)) {
        rect = (options->*(i == 0 ? OptionsPeek::kSound : i == 1 ? OptionsPeek::kVibration : OptionsPeek::kExtra))
                   .GetScreenRect();
    } else {
        rect = (static_cast<CWidgetScreen*>(node)->*PagePeek::kSoftkeys).GetScreenRect();
        rect.w = static_cast<std::int16_t>(rect.w / 2);
    }
    return {rect.x + rect.w / 2, rect.y + rect.h / 2};
}

// What the scene reads of a screen with result 1: a menu's chosen id, else
// the result itself.
std::uint32_t Chosen(CNode* node) {
    if (auto* menu = dynamic_cast<CMenuScreen*>(node)) return menu->GetChosenId();
    if (auto* options = dynamic_cast<COptionsScreen*>(node)) return options->GetChosenId();
    return 1;
}

enum Machine { kRootMachine, kShellMachine, kGameMachine, kOptionsMachine };

CStateMachineNode* MachineOf(Machine machine) {
    CStateMachineNode* shell = Scene(Root(), 3);
    switch (machine) {
        case kRootMachine: return Root();
        case kShellMachine: return shell;
        case kGameMachine: return Scene(shell, CShellScene::kGame);
        case kOptionsMachine: return Scene(shell, CShellScene::kOptions);
    }
    return nullptr;
}

struct Request {
    Machine machine;
    std::uint32_t state;
    std::uint32_t kind;
};

// An item: the id the scene reads and the chain that follows ("quit": the
// program would end); or a switch of the options page, which ends nothing,
// and the option it switches (1 sound, 2 vibration).
struct Item {
    std::uint32_t id;
    std::string then;
    int switches = 0;
    bool IsSwitch() const { return switches != 0; }
};

struct Menu {
    const char* name;
    std::function<void(GameRun&)> prepare;
    std::vector<Request> route;  // from anywhere, one request a frame
    std::string chain;
    int focus;  // the item focused first
    std::vector<Item> items;
};

enum Pattern { kSingle, kDouble, kTriple, kWithKey, kInIntro };
const char* const kPatternNames[] = {"one tap", "two taps", "three taps", "a tap and select", "a tap in the intro"};

struct Case {
    Pattern pattern;
    int item;  // the item tapped
};

// What one case saw: the chains passed (the menu's first), the ids read
// while the menu had result 1, and how often each option switched.
struct Seen {
    std::vector<std::string> chains;
    std::vector<std::uint32_t> chosen;
    int switches[3] = {};
};

constexpr int kWatchTicks = 12;  // after the last tap: long past any stale event

std::pair<bool, bool> Options() {
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    return {options->IsSoundOn() != 0, options->IsVibrationOn() != 0};
}

// Runs the cases on the menu in one game: each walks the route, waits for
// the menu, taps, then watches.
void PlayMenu(const Menu& menu, const std::vector<Case>& cases,
              const std::function<void(const Case&, const Seen&)>& check) {
    GameRun run;
    run.scenes = true;
    if (menu.prepare) menu.prepare(run);
    std::size_t at = 0;
    std::size_t step = 0;
    int phase = 0;  // 0 route, 1 wait for the menu, 2 taps and watch
    int tapped = 0, watched = 0;
    CNode* node = nullptr;
    Seen seen;
    std::pair<bool, bool> options;
    const auto tap = [&](int item) {
        const auto [x, y] = ItemPoint(node, item);
        Tap(x, y);
    };
    run.Run([&](int tick) {
        if (tick == 1) LoadGameSprites();
        if (tick == 0 || at == cases.size()) return;
        const Case& c = cases[at];
        if (phase == 0) {
            const Request& request = menu.route[step];
            if (CStateMachineNode* machine = MachineOf(request.machine)) {
                machine->RequestState(request.state, request.kind);
                if (++step == menu.route.size()) phase = 1;
            }
            return;
        }
        if (phase == 1) {
            if (Chain() != menu.chain) return;
            node = Top();
            const int intro = c.pattern == kInIntro ? node->GetTransitionTime() / 2 : node->GetTransitionTime();
            if (node->GetElapsed() < intro) return;
            phase = 2;
            tapped = watched = 0;
            seen = Seen{};
            seen.chains.push_back(Chain());
            options = Options();
        }
        // The menu still on top with its result: what its scene reads now.
        const std::string chain = Chain();
        if (chain == menu.chain && Top() == node && node->GetResult() == 1) seen.chosen.push_back(Chosen(node));
        const std::pair<bool, bool> now = Options();
        seen.switches[1] += now.first != options.first ? 1 : 0;
        seen.switches[2] += now.second != options.second ? 1 : 0;
        options = now;
        CStateMachineNode* shell = Scene(Root(), 3);
        const bool quits = shell != nullptr && shell->GetResult() == 2;
        const std::string last = quits ? "quit" : chain;
        if (last != seen.chains.back()) seen.chains.push_back(last);

        // The taps: the pattern's, then (in the intro) one more once the
        // intro is over.
        const int taps = c.pattern == kTriple ? 3 : c.pattern == kSingle || c.pattern == kWithKey ? 1 : 2;
        const bool waitIntro = c.pattern == kInIntro && tapped == 1;
        // The node is read only while the chain shows it.
        if (tapped < taps && seen.chains.size() == 1 &&
            (!waitIntro || node->GetElapsed() >= node->GetTransitionTime())) {
            tap(c.item);
            if (c.pattern == kWithKey) Press(VK_RETURN);
            ++tapped;
            return;
        }
        if (!quits && ++watched < kWatchTicks) return;
        // The shell's result 2 would end the program: a new shell instead.
        if (quits) Root()->RequestState(3, CStateMachineNode::kReplace);
        check(c, seen);
        ++at;
        step = 0;
        phase = 0;
    }, 60 * static_cast<int>(cases.size()) + 40);
    EXPECT_EQ(at, cases.size()) << menu.name << ": cases left undone";
    host::TakeVibrationCalls();  // the options' samples, not for the tests after
}

// A new shell, then the requests.
std::vector<Request> Route(std::vector<Request> more) {
    more.insert(more.begin(), {kRootMachine, 3, CStateMachineNode::kReplace});
    return more;
}

std::string SaveGame(char started, char level) { return {started, 0, 0, 0, level, 0, 0, 0, 0, 0, 0, 0}; }

const std::vector<Menu>& Menus() {
    using scenes::kNo;
    using scenes::kYes;
    constexpr auto kPush = CStateMachineNode::kPush;
    constexpr auto kReset = CStateMachineNode::kReset;
    const std::string game = "3 Shell/10 Game/";
    static const std::vector<Menu> menus = {
        {"sound question", {}, {{kRootMachine, 1, CStateMachineNode::kReplace}}, "1 Init/3 Menu", 0,
         {{kNo, "1 Init/4 ZelMovie"}, {kYes, "1 Init/4 ZelMovie"}}},
        {"language menu",
         [](GameRun& run) {
             for (std::uint32_t i = 1; i < 3; ++i) vktools::AddLanguageCopy(run.content, 0x08000201 + i, u"L");
         },
         {{kRootMachine, 1, CStateMachineNode::kReplace}}, "1 Init/1 Menu", 0,
         {{0, "1 Init/3 Menu"}, {1, "1 Init/3 Menu"}, {2, "1 Init/3 Menu"}}},
        {"main menu", {}, Route({{kShellMachine, CShellScene::kMainMenu, kReset}}), "3 Shell/3 Menu", 0,
         {{CShellScene::kNewGame, "3 Shell/7 CharacterSelect"},
          {CShellScene::kOptionsItem, "3 Shell/6 Options/1 Options"},
          {CShellScene::kHelpItem, "3 Shell/5 Text"},
          {CShellScene::kAboutItem, "3 Shell/4 Text"},
          {CShellScene::kExitItem, "3 Shell/18 Menu"}}},
        {"level menu", [](GameRun& run) { run.dir.Write("savegame.dat", SaveGame(1, 3)); },
         Route({{kShellMachine, CShellScene::kLevelMenu, kReset}}), "3 Shell/8 Menu", 3,
         {{0, "3 Shell/9 Text"}, {1, "3 Shell/9 Text"}, {2, "3 Shell/9 Text"}, {3, "3 Shell/9 Text"}}},
        {"options", [](GameRun& run) { run.dir.Write("device.conf", "X=0\nDISABLE_VIBRATION=0\n"); },
         Route({{kShellMachine, CShellScene::kOptions, kReset}}), "3 Shell/6 Options/1 Options", 0,
         {{0, "", 1}, {0, "", 2}, {COptionsScreen::kExtraItem, "3 Shell/6 Options/3 Text"}}},
        {"reset question", {},
         Route({{kShellMachine, CShellScene::kOptions, kReset},
                {kOptionsMachine, COptionsScene::kResetQuestion, kPush}}),
         "3 Shell/6 Options/3 Text", 0, {{1, "3 Shell/3 Menu"}}},
        {"exit question", {},
         Route({{kShellMachine, CShellScene::kMainMenu, kReset}, {kShellMachine, CShellScene::kExitQuestion, kPush}}),
         "3 Shell/18 Menu", 0, {{kNo, "3 Shell/3 Menu"}, {kYes, "quit"}}},
        {"pause menu", {},
         Route({{kShellMachine, CShellScene::kGame, kReset}, {kGameMachine, CGameScene::kPause, kPush}}),
         game + "3 Menu", 0,
         {{CGameScene::kResume, game + "2 Play"},
          {CShellScene::kOptionsItem, game + "6 Options/1 Options"},
          {CShellScene::kHelpItem, game + "7 Text"},
          {CGameScene::kQuitItem, game + "8 Menu"}}},
        {"retry question", {},
         Route({{kShellMachine, CShellScene::kGame, kReset}, {kGameMachine, CGameScene::kRetry, kPush}}),
         game + "4 Menu", 1, {{kNo, "3 Shell/3 Menu"}, {kYes, game + "2 Play"}}},
        {"quit question", {},
         Route({{kShellMachine, CShellScene::kGame, kReset}, {kGameMachine, CGameScene::kQuit, kPush}}),
         game + "8 Menu", 0, {{kNo, game + "2 Play"}, {kYes, "3 Shell/3 Menu"}}},
    };
    return menus;
}

class MenuChoice : public testing::TestWithParam<std::size_t> {};

TEST_P(MenuChoice, TakesOneChoice) {
    const Menu& menu = Menus()[GetParam()];
    const int count = static_cast<int>(menu.items.size());
    std::vector<Case> cases;
    for (int i = 0; i < count; ++i) {
        for (Pattern pattern : {kSingle, kDouble, kTriple}) cases.push_back({pattern, i});
    }
    // Select takes the focused item before the tap on another is seen.
    cases.push_back({kWithKey, menu.focus == count - 1 ? 0 : count - 1});
    cases.push_back({kInIntro, 0});
    PlayMenu(menu, cases, [&](const Case& c, const Seen& seen) {
        SCOPED_TRACE(std::string(kPatternNames[c.pattern]) + " on item " + std::to_string(c.item));
        // With select, the focused item is accepted; a switch takes the
        // tap as well.
        const Item& tapped = menu.items[c.item];
        const Item& first = c.pattern == kWithKey ? menu.items[menu.focus] : tapped;
        const Item& ending = first.IsSwitch() && c.pattern == kWithKey ? tapped : first;
        const int taps = c.pattern == kDouble ? 2 : c.pattern == kTriple ? 3 : 1;
        int switches[3] = {};
        if (ending.IsSwitch()) switches[ending.switches] += c.pattern == kWithKey ? 1 : taps;
        if (c.pattern == kWithKey && first.IsSwitch()) switches[first.switches] += 1;
        using Ids = std::vector<std::uint32_t>;
        EXPECT_EQ(seen.chosen, ending.IsSwitch() ? Ids{} : Ids{ending.id});
        const std::vector<std::string> chains = ending.IsSwitch() ? std::vector<std::string>{menu.chain}
                                                                  : std::vector<std::string>{menu.chain, ending.then};
        EXPECT_EQ(seen.chains, chains);
        // The sound question sets the sound as it ends.
        if (menu.items[0].IsSwitch()) {
            EXPECT_EQ(seen.switches[1], switches[1]);
            EXPECT_EQ(seen.switches[2], switches[2]);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Flow, MenuChoice, testing::Range<std::size_t>(0, Menus().size()),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             std::string name = Menus()[info.param].name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// A menu's first focus by an id that none of its items has: the first item
// gets the focus, and no item is selected, not even one past the list (of a
// menu configured again after showing more items).
TEST(MenuScreen, SelectByAnIdNotListed) {
    static const std::uint32_t ids[] = {scenes::kNo, scenes::kYes};
    struct Probe : CMenuScreen {
        bool Selected(int i) const { return m_items[i].IsSelected(); }
        void Unselect(int i) { m_items[i].Select(false); }
        bool Focused(int i) const { return m_items[i].IsFocused(); }
    };
    for (const std::uint32_t id : {scenes::kYes, 0x21FF0120u}) {
        ScreenRun run;
        Probe* menu = nullptr;
        const bool listed = id == scenes::kYes;
        run.Play([&] {
            menu = new Probe;
            menu->SetItemsById(0, ids, 2);
            menu->SelectById(id);
            return menu;
        }, 2, [&](int n) {
            if (n != 2) return;
            EXPECT_EQ(menu->Focused(0), !listed) << std::hex << id;
            EXPECT_EQ(menu->Focused(1), listed) << std::hex << id;
            // Only "no" is listed now; "yes" was the second item.
            menu->Exit();
            menu->Unselect(1);
            menu->SetItemsById(0, ids, 1);
            menu->SelectById(scenes::kYes);
            for (int i = 1; i < CMenuScreen::kMaxItems; ++i) EXPECT_FALSE(menu->Selected(i)) << i;
        });
    }
}

}  // namespace
