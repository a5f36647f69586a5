// Taps on the items of every menu of the game's flow, in the running game:
// one, two or three taps 48 ms apart on each item; a tap followed on the
// next tick by select, by back or by a tap on another item; a tap on one
// item and the select key in the same frame; and a tap while the menu
// slides in, which only focuses its item. Whatever the input, the scene
// reads the id of the item accepted first, in one frame, and makes one
// transition; the accepted item keeps the focus; a switch of the options
// page switches once per accept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
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

// Where the taps land: the menus' and the options' items (MenuPeek,
// OptionsPeek), the text pages' soft-key bar.
struct PagePeek : CWidgetScreen {
    static constexpr auto kSoftkeys = &PagePeek::m_softkeys;
};

// Item i of a menu or of the options page; null on a text page.
CUIWidget* ItemWidget(CNode* node, int i) {
    if (auto* menu = dynamic_cast<CMenuScreen*>(node)) return &(menu->*MenuPeek::kItems)[i];
    if (auto* options = dynamic_cast<COptionsScreen*>(node)) {
        return &(options->*(i == 0 ? OptionsPeek::kSound : i == 1 ? OptionsPeek::kVibration : OptionsPeek::kExtra));
    }
    return nullptr;
}

// The centre of item i of the screen (of a text page: its accept label).
std::pair<int, int> ItemPoint(CNode* node, int i) {
    CRect rect;
    if (CUIWidget* item = ItemWidget(node, i)) {
        rect = item->GetScreenRect();
    } else {
        rect = (static_cast<CWidgetScreen*>(node)->*PagePeek::kSoftkeys).GetScreenRect();
        rect.w = static_cast<std::int16_t>(rect.w / 2);
    }
    return {rect.x + rect.w / 2, rect.y + rect.h / 2};
}

// The focused item of a menu or the options page, when it is also
// selected; -1 when none is (or on a text page).
int FocusedItem(CNode* node, int count) {
    for (int i = 0; i < count; ++i) {
        const CUIWidget* item = ItemWidget(node, i);
        if (item != nullptr && item->IsFocused() && item->IsSelected()) return i;
    }
    return -1;
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
    std::string back = {};  // the chain after back, where back can end the menu (after a switch)
};

enum Pattern { kSingle, kDouble, kTriple, kWithKey, kThenSelect, kThenBack, kThenOther, kInIntro };
const char* const kPatternNames[] = {"one tap",
                                     "two taps",
                                     "three taps",
                                     "a tap and select",
                                     "a tap, then select",
                                     "a tap, then back",
                                     "a tap, then one on the next item",
                                     "a tap in the intro"};

struct Case {
    Pattern pattern;
    int item;  // the item tapped (first)
};

// One tick's input: a tap on an item (-1: none) and a key (0: none).
struct Input {
    int tap = -1;
    WORD key = 0;
};

// The case's input, a tick apart; in the intro, the tap while the menu
// slides in and select once the intro is over.
std::vector<Input> Inputs(const Case& c, int count) {
    const Input tap{c.item};
    switch (c.pattern) {
        case kSingle: return {tap};
        case kDouble: return {tap, tap};
        case kTriple: return {tap, tap, tap};
        case kWithKey: return {{c.item, VK_RETURN}};
        case kThenSelect:
        case kInIntro: return {tap, {-1, VK_RETURN}};
        case kThenBack: return {tap, {-1, VK_ESCAPE}};
        case kThenOther: return {tap, {(c.item + 1) % count}};
    }
    return {};
}

// What one case saw: the chains passed (the menu's first); while the menu
// had result 1, the ids read and the item focused (menus and the options
// page only); in how many ticks each option changed; whether the menu took
// anything during its intro, and the item focused as the intro ended.
struct Seen {
    bool hasItems = false;
    std::vector<std::string> chains;
    std::vector<std::uint32_t> chosen;
    std::vector<int> focused;
    int switches[3] = {};
    bool tookInIntro = false;
    int focusAfterIntro = -1;
};

constexpr int kWatchTicks = 12;  // after the last tap: long past any stale event

std::pair<bool, bool> Options() {
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    return {options->IsSoundOn() != 0, options->IsVibrationOn() != 0};
}

// Runs the cases on the menu in one game: each walks the route, waits for
// the menu, gives the input, then watches.
void PlayMenu(const Menu& menu, const std::vector<Case>& cases,
              const std::function<void(const Case&, const Seen&)>& check) {
    GameRun run;
    run.scenes = true;
    if (menu.prepare) menu.prepare(run);
    const int count = static_cast<int>(menu.items.size());
    std::size_t at = 0;
    std::size_t step = 0;
    int phase = 0;  // 0 route, 1 wait for the menu, 2 input and watch
    std::size_t given = 0;
    int watched = 0;
    CNode* node = nullptr;
    Seen seen;
    std::pair<bool, bool> options;
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
            given = watched = 0;
            seen = Seen{};
            seen.hasItems = ItemWidget(node, 0) != nullptr;
            seen.chains.push_back(Chain());
            options = Options();
        }
        // The menu still on top: what its scene reads now.
        const std::string chain = Chain();
        const std::pair<bool, bool> now = Options();
        if (chain == menu.chain && Top() == node) {
            if (node->GetResult() == 1) {
                seen.chosen.push_back(Chosen(node));
                if (seen.hasItems) seen.focused.push_back(FocusedItem(node, count));
            }
            const bool inIntro = node->GetElapsed() < node->GetTransitionTime();
            if (inIntro && (node->GetResult() != 0 || now != options)) seen.tookInIntro = true;
        }
        seen.switches[1] += now.first != options.first ? 1 : 0;
        seen.switches[2] += now.second != options.second ? 1 : 0;
        options = now;
        CStateMachineNode* shell = Scene(Root(), 3);
        const bool quits = shell != nullptr && shell->GetResult() == 2;
        const std::string last = quits ? "quit" : chain;
        if (last != seen.chains.back()) seen.chains.push_back(last);

        // The input, a tick apart (in the intro: the rest once it is over).
        // The node is read only while the chain shows it.
        const std::vector<Input> inputs = Inputs(c, count);
        const bool waitIntro = c.pattern == kInIntro && given == 1;
        if (given < inputs.size() && seen.chains.size() == 1 &&
            (!waitIntro || node->GetElapsed() >= node->GetTransitionTime())) {
            if (waitIntro) seen.focusAfterIntro = FocusedItem(node, count);
            const Input& input = inputs[given++];
            if (input.tap != -1) {
                const auto [x, y] = ItemPoint(node, input.tap);
                Tap(x, y);
            }
            if (input.key != 0) Press(input.key);
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
        {"level menu", [](GameRun& run) { run.dir.Write("savegame.dat", SaveGame(1, 3, 0)); },
         Route({{kShellMachine, CShellScene::kLevelMenu, kReset}}), "3 Shell/8 Menu", 3,
         {{0, "3 Shell/9 Text"}, {1, "3 Shell/9 Text"}, {2, "3 Shell/9 Text"}, {3, "3 Shell/9 Text"}}},
        {"options", [](GameRun& run) { run.dir.Write("device.conf", "X=0\nDISABLE_VIBRATION=0\n"); },
         Route({{kShellMachine, CShellScene::kMainMenu, kReset}, {kShellMachine, CShellScene::kOptions, kPush}}),
         "3 Shell/6 Options/1 Options", 0,
         {{0, "", 1}, {0, "", 2}, {COptionsScreen::kExtraItem, "3 Shell/6 Options/3 Text"}}, "3 Shell/3 Menu"},
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
        for (Pattern pattern : {kSingle, kDouble, kTriple, kThenSelect, kThenBack, kThenOther}) {
            if (pattern != kThenOther || count > 1) cases.push_back({pattern, i});
        }
    }
    // Select takes the focused item before the tap on another is seen.
    cases.push_back({kWithKey, menu.focus == count - 1 ? 0 : count - 1});
    // The tap in the intro moves the focus away from the first one.
    cases.push_back({kInIntro, (menu.focus + 1) % count});
    PlayMenu(menu, cases, [&](const Case& c, const Seen& seen) {
        SCOPED_TRACE(std::string(kPatternNames[c.pattern]) + " on item " + std::to_string(c.item));
        // The accepts (the item, -1 for back) in the order the menu gets
        // them, each with the tick it arrives in: a key arrives in the tick
        // after it is given, a tap's accept one tick later (it comes back
        // from the menu's update). Select takes the item focused then; a tap
        // in the intro only focuses its item.
        struct Accept {
            int tick;
            int item;
        };
        std::vector<Accept> accepts;
        int focus = menu.focus;
        const std::vector<Input> inputs = Inputs(c, count);
        for (int i = 0; i < static_cast<int>(inputs.size()); ++i) {
            if (inputs[i].key == VK_RETURN) accepts.push_back({i + 1, focus});
            if (inputs[i].key == VK_ESCAPE) accepts.push_back({i + 1, -1});
            if (inputs[i].tap == -1) continue;
            focus = inputs[i].tap;
            if (c.pattern != kInIntro) accepts.push_back({i + 2, focus});
        }
        std::stable_sort(accepts.begin(), accepts.end(),
                         [](const Accept& a, const Accept& b) { return a.tick < b.tick; });
        // Switches switch; the first other item, or back, ends the menu and
        // nothing after it counts.
        constexpr int kNone = -2;
        int ending = kNone;
        std::map<std::pair<int, int>, int> flips;  // (option, tick): switches
        for (const Accept& accept : accepts) {
            if (accept.item == -1 || !menu.items[accept.item].IsSwitch()) {
                ending = accept.item;
                break;
            }
            ++flips[{menu.items[accept.item].switches, accept.tick}];
        }
        // Seen are the ticks that changed an option: two switches in one
        // tick show as none.
        int switches[3] = {};
        for (const auto& [at, n] : flips) switches[at.first] += n % 2;
        using Ids = std::vector<std::uint32_t>;
        const bool byItem = ending >= 0;
        EXPECT_EQ(seen.chosen, byItem ? Ids{menu.items[ending].id} : Ids{});
        std::vector<std::string> chains{menu.chain};
        if (ending != kNone) chains.push_back(byItem ? menu.items[ending].then : menu.back);
        EXPECT_EQ(seen.chains, chains);
        // The item accepted keeps the focus while the scene reads it.
        EXPECT_EQ(seen.focused, seen.hasItems && byItem ? std::vector<int>{ending} : std::vector<int>{});
        if (menu.items[0].IsSwitch()) {
            EXPECT_EQ(seen.switches[1], switches[1]);
            EXPECT_EQ(seen.switches[2], switches[2]);
        }
        // During the intro a tap focuses and selects its item, and nothing
        // is accepted.
        EXPECT_FALSE(seen.tookInIntro);
        if (c.pattern == kInIntro && seen.hasItems) {
            EXPECT_EQ(seen.focusAfterIntro, c.item);
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
