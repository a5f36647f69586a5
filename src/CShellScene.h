// The shell scene: the storage warning (when saving failed at start-up),
// the title, the main menu and its pages (options, help, about, the exit
// question), the character selection or the level menu, the level intro
// and the game scene. It owns the menus' sprites, which it lends to its
// screens and to the game scene. 2 when the player leaves the program.
#pragma once

#include <cstdint>

#include "src/CStateMachineNode.h"
#include "src/SceneUtil.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

class CShellScene : public CStateMachineNode {
public:
    enum State : std::uint32_t {
        kStorageWarning = 1,
        kMainMenu = 3,
        kAbout = 4,
        kHelp = 5,
        kOptions = 6,
        kCharacterSelect = 7,
        kLevelMenu = 8,
        kLevelIntro = 9,
        kGame = 10,
        kTitle = 11,
        kExitQuestion = 18,
    };
    // The main menu's items.
    static constexpr std::uint32_t kNewGame = 0x21FF0115;
    static constexpr std::uint32_t kContinue = 0x21FF0116;
    static constexpr std::uint32_t kOptionsItem = 0x21FF011A;
    static constexpr std::uint32_t kHelpItem = 0x21FF011B;
    static constexpr std::uint32_t kAboutItem = 0x21FF011C;
    static constexpr std::uint32_t kExitItem = 0x21FF011D;

    std::int32_t Init() override;

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;

private:
    CNode* NewMainMenu();
    CNode* NewLevelMenu();
    CNode* NewLevelIntro();
    CNode* NewTitle();
    void OnMainMenu(std::uint32_t chosen);

    SZ_Presenter m_focus;
    SZ_Presenter m_up;
    SZ_Presenter m_down;
    SZ_Presenter m_logo;
    std::uint32_t m_menuItems[8] = {};
    char16_t m_levelNames[scenes::kLevelCount][scenes::kLevelNameLength] = {};
    const char16_t* m_levelNameList[scenes::kLevelCount] = {};  // the level menu's, into the texts
};
