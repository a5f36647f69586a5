// The game scene: the screen of play and its pages (the pause menu with
// options, help and the quit question; the retry question; the
// level-complete page; the closing page). The menus' sprites are the
// shell's. 2 when play ends, with the level released.
#pragma once

#include <cstdint>

#include "src/CStateMachineNode.h"

class SZ_Presenter;

class CGameScene : public CStateMachineNode {
public:
    enum State : std::uint32_t {
        kGame = 2,
        kPause = 3,
        kRetry = 4,
        kLevelComplete = 5,
        kOptions = 6,
        kHelp = 7,
        kQuit = 8,
        kClosing = 12,
    };
    // The pause menu's items (options and help are the main menu's).
    static constexpr std::uint32_t kResume = 0x21FF0134;
    static constexpr std::uint32_t kQuitItem = 0x21FF0138;

    std::int32_t Init() override;
    // Lent by the shell.
    virtual void SetPresenters(SZ_Presenter* logo, SZ_Presenter* focus, SZ_Presenter* up, SZ_Presenter* down);

protected:
    std::int32_t CreateState(CNode** node, std::uint32_t id) override;
    void OnStateResult(std::uint32_t id, CNode* node) override;

private:
    CNode* NewPauseMenu();
    CNode* NewQuestion(std::uint32_t titleId);
    CNode* NewLevelComplete();
    void OnGameResult(std::int32_t result);
    void OnPauseMenu(std::uint32_t chosen);
    // Result 2 with the level released.
    void EndPlay();

    SZ_Presenter* m_logo = nullptr;
    SZ_Presenter* m_focus = nullptr;
    SZ_Presenter* m_up = nullptr;
    SZ_Presenter* m_down = nullptr;
};
