#include "src/CGameScene.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "src/CMenuScreen.h"
#include "src/COptionsScene.h"
#include "src/CTextScreen.h"
#include "src/SceneGameLayer.h"
#include "src/SceneUtil.h"

namespace {

constexpr const char* kSource = "CGameScene";
constexpr std::uint32_t kPauseTitle = 0x21FF0133;
constexpr std::uint32_t kRetryTitle = 0x21FF0135;
constexpr std::uint32_t kQuitTitle = 0x21FF0145;
constexpr std::uint32_t kClosingTitle = 0x21FF0151;
constexpr std::uint32_t kOptionsItem = 0x21FF011A;
constexpr std::uint32_t kHelpItem = 0x21FF011B;
constexpr std::uint32_t kPauseItems[4] = {CGameScene::kResume, kOptionsItem, kHelpItem, CGameScene::kQuitItem};

}  // namespace

std::int32_t CGameScene::Init() {
    CStateMachineNode::Init();
    RequestState(kGame, kPush);
    return 0;
}

void CGameScene::SetPresenters(SZ_Presenter* logo, SZ_Presenter* focus, SZ_Presenter* up, SZ_Presenter* down) {
    m_logo = logo;
    m_focus = focus;
    m_up = up;
    m_down = down;
}

CNode* CGameScene::NewPauseMenu() {
    scenes::StopSounds();
    CMenuScreen* menu = scenes::NewMenu(kPauseTitle, kPauseItems, 4, scenes::kPageStyle);
    if (menu == nullptr) return nullptr;
    menu->SetLogoPresenter(m_logo);
    if (m_up != nullptr && m_down != nullptr) scenes::LendIndicators(*menu, *m_up, *m_down);
    if (m_focus != nullptr) scenes::LendFocus(*menu, *m_focus);
    return menu;
}

CNode* CGameScene::NewQuestion(std::uint32_t titleId) {
    CMenuScreen* menu = scenes::NewMenu(titleId, scenes::kNoYes, 2, scenes::kPageStyle);
    if (menu == nullptr) return nullptr;
    menu->SetLogoPresenter(m_logo);
    if (m_focus != nullptr) scenes::LendFocus(*menu, *m_focus);
    return menu;
}

CNode* CGameScene::NewLevelComplete() {
    CTextScreen* page = scenes::NewTextPage(0, 0, scenes::kAcceptLabel, scenes::kPageStyle);
    if (page == nullptr) return nullptr;
    const std::int32_t next = scenes::CurrentLevel() + 1;
    char16_t name[scenes::kLevelNameLength];
    scenes::FormatLevelName(name, scenes::kLevelNameLength, next + 1);
    scenes::SetLevelText(*page, name, scenes::SelectedCharacter(), next);
    page->SetMarginsVertical(0, 0);
    return page;
}

std::int32_t CGameScene::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 420);
    *node = nullptr;
    switch (id) {
        case kGame: *node = scenes::NewGameScreen(); break;
        case kPause: *node = NewPauseMenu(); break;
        case kRetry: {
            scenes::StopSounds();
            auto* menu = static_cast<CMenuScreen*>(NewQuestion(kRetryTitle));
            if (menu != nullptr) menu->SelectIndex(1);
            *node = menu;
            break;
        }
        case kLevelComplete: *node = NewLevelComplete(); break;
        case kOptions: {
            auto* options = new (std::nothrow) COptionsScene();
            if (options == nullptr) break;
            options->SetInGame(1);
            options->SetIndicatorPresenters(m_up, m_down);
            *node = options;
            break;
        }
        case kHelp: *node = scenes::NewHelpPage(m_up, m_down, m_logo); break;
        case kQuit: *node = NewQuestion(kQuitTitle); break;
        case kClosing: {
            CTextScreen* page =
                scenes::NewTextPage(kClosingTitle, scenes::kBackLabel, scenes::kAcceptLabel, scenes::kPageStyle);
            if (page == nullptr) break;
            page->SetCounterText();
            page->SetLogoPresenter(m_logo);
            *node = page;
            break;
        }
        default: DebugAssert(false, kSource, 470); break;
    }
    return 0;
}

void CGameScene::EndPlay() {
    SetResult(2);
    scenes::ReleaseLevel();
}

void CGameScene::OnGameResult(std::int32_t result) {
    switch (result) {
        case 1: RequestState(kClosing, kReset); break;
        case 2: RequestState(kPause, kPush); break;
        case 3: RequestState(kRetry, kPush); break;
        case 4: RequestState(kLevelComplete, kPush); break;
        case 5: EndPlay(); break;
        default: DebugAssert(false, kSource, 483); break;
    }
}

void CGameScene::OnPauseMenu(std::uint32_t chosen) {
    switch (chosen) {
        case kResume: RequestState(0, kPop); break;
        case kOptionsItem: RequestState(kOptions, kPush); break;
        case kHelpItem: RequestState(kHelp, kPush); break;
        case kQuitItem: RequestState(kQuit, kPush); break;
        default: DebugAssert(false, kSource, 539); break;
    }
}

void CGameScene::OnStateResult(std::uint32_t id, CNode* node) {
    DebugAssert(node != nullptr, kSource, 490);
    const std::int32_t result = node->GetResult();
    const bool accepted = result == 1;
    const std::uint32_t chosen =
        id == kPause || id == kRetry || id == kQuit ? static_cast<CMenuScreen*>(node)->GetChosenId() : 0;
    switch (id) {
        case kGame: OnGameResult(result); break;
        case kPause:
            if (accepted) {
                OnPauseMenu(chosen);
            } else {
                RequestState(0, kPop);
            }
            break;
        case kRetry:
            if (accepted && chosen == scenes::kYes) {
                RequestState(0, kPop);
                scenes::RetryLevel();
            } else {
                EndPlay();
            }
            break;
        case kLevelComplete:
            if (accepted) {
                // After the last level there is none to start: back to the
                // main menu.
                const std::int32_t next = scenes::CurrentLevel() + 1;
                if (next >= scenes::kLevelCount) {
                    EndPlay();
                } else {
                    RequestState(0, kPop);
                    scenes::StartLevel(next);
                }
            } else {
                RequestState(kPause, kPush);
            }
            node->ClearResult();
            break;
        case kOptions: RequestState(0, kPop); break;
        case kHelp:
            if (result == 2) RequestState(0, kPop);
            node->ClearResult();
            break;
        case kQuit:
            if (accepted && chosen == scenes::kYes) {
                EndPlay();
            } else {
                DebugAssert(!accepted || chosen == scenes::kNo, kSource, 616);
                RequestState(0, kPop);
            }
            break;
        case kClosing: EndPlay(); break;
        default: DebugAssert(false, kSource, 640); break;
    }
}
