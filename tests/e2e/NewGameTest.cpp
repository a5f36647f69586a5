// A new game as a player plays it, with the recorded keys of
// tests/e2e/data/sample-play.keys: the character selection, the first
// level's intro and play to its exit, the level-complete page and the
// progress saved; the game left there, Continue offers the second level in
// the level menu, which is played to its exit in turn; after it the game
// is over and the main menu comes back.
//
// The level menu offers every level up to the one reached, and the last
// level's exit saves the next one as reached, as every level's does; the
// game knows no number of levels below its table's sixteen, so after the
// last level the menu offers a third, whose page is the end text and whose
// start (script level 2, which the scripts answer with the end of the game)
// leads back to the main menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/CMenuScreen.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tests/support/RecordedPlay.h"
#include "tests/support/WorldCounts.h"

namespace {

constexpr std::uint32_t kLevelIntro0 = 0x21FF0158, kLevelIntro1 = 0x21FF0159, kGameEnd = 0x21FF015A;

// A menu's items, the focused one marked: "level 1|>level 2".
std::string MenuItems() {
    auto* menu = dynamic_cast<CMenuScreen*>(Top());
    if (menu == nullptr) return "not a menu: " + Chain();
    std::string items;
    for (std::int32_t i = 0; i < menu->*MenuPeek::kCount; ++i) {
        if (i > 0) items += '|';
        if ((menu->*MenuPeek::kItems)[i].IsFocused()) items += '>';
        for (const char16_t* c = (menu->*MenuPeek::kTexts)[i]; *c != 0; ++c) items += static_cast<char>(*c);
    }
    return items;
}

std::int32_t CurrentLevel() { return AZ_Client::getInstance()->getAdapter()->getCurrentLevel(); }

// A level's page: its name on a line of its own, then the intro text.
void ExpectLevelPage(const std::u16string& name, std::uint32_t intro) {
    EXPECT_EQ(TopText(), name + Text(intro));
    EXPECT_TRUE(TopText().starts_with(name + u"\n"));
}

TEST(NewGame, PlaysBothLevelsToTheirExitsAndContinues) {
    FlowRun run;
    run.maxTicks = 3000;
    RecordedPlay play({{0, "level0"}, {1, "level1"}});
    std::vector<std::int32_t> levelsStarted;
    run.everyTick = [&](int tick) {
        if (const std::int32_t level = play.Tick(tick); level != -1) levelsStarted.push_back(level);
    };
    // The level-complete page shows the next level's page.
    const auto completed = [&](std::int32_t level, const std::string& saved, const std::u16string& next,
                               std::uint32_t intro) {
        return [=, &run] {
            EXPECT_EQ(CurrentLevel(), level);
            EXPECT_GT(Word(Character(kPlayer), kHealth, 1), 0);  // the player's health
            EXPECT_EQ(run.dir.Read("savegame.dat"), saved);
            ExpectLevelPage(next, intro);
        };
    };
    run.Walk(ToMainMenu({
        {"3 Shell/3 Menu", {kEnter}, {}, [] { EXPECT_EQ(MenuItems(), ">New game|Options|Help|About|Exit"); }},
        {"3 Shell/7 CharacterSelect", {kLeft, kEnter}},
        {"3 Shell/9 Text", {kEnter}, [] { ExpectLevelPage(u"level 1", kLevelIntro0); }},
        {kPlayChain, {}},
        // The first level's exit: its progress saved. Back goes to the
        // pause menu, whose quit ends the game.
        {"3 Shell/10 Game/5 Text", {kEscape}, completed(0, SaveGame(1, 1, 0), u"level 2", kLevelIntro1)},
        {"3 Shell/10 Game/3 Menu", {kUp, kEnter}},
        {"3 Shell/10 Game/8 Menu", {kDown, kEnter}},
        {"3 Shell/3 Menu", {kEnter}, {}, [] { EXPECT_EQ(MenuItems(), ">Continue|Options|Help|About|Exit"); }},
        {"3 Shell/8 Menu", {kEnter}, {}, [] { EXPECT_EQ(MenuItems(), "level 1|>level 2"); }},
        {"3 Shell/9 Text", {kEnter}, [] { ExpectLevelPage(u"level 2", kLevelIntro1); }},
        {kPlayChain, {}},
        // After the last level: the end, then the main menu.
        {"3 Shell/10 Game/5 Text", {kEnter}, completed(1, SaveGame(1, 2, 0), u"level 3", kGameEnd)},
        {kPlayChain, {}},
        {"3 Shell/3 Menu", {kEnter}},
        {"3 Shell/8 Menu", {kEnter}, {}, [] { EXPECT_EQ(MenuItems(), "level 1|level 2|>level 3"); }},
        {"3 Shell/9 Text", {kEnter}, [] { ExpectLevelPage(u"level 3", kGameEnd); }},
        {kPlayChain, {}},
        {"3 Shell/3 Menu", {}},
    }));
    EXPECT_EQ(levelsStarted, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
