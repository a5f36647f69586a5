#include "src/CShellScene.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CGameScene.h"
#include "src/CImageScreen.h"
#include "src/CMenuScreen.h"
#include "src/COptionsScene.h"
#include "src/CSaveGameMgr.h"
#include "src/CTextScreen.h"
#include "src/CharacterSelectScreen.h"
#include "src/SceneGameLayer.h"

namespace {

constexpr const char* kSource = "CShellScene";
constexpr std::uint32_t kStorageText = 0x21FF0125;
constexpr std::uint32_t kLevelMenuTitle = 0x21FF0156;
constexpr std::uint32_t kExitTitle = 0x21FF0146;
constexpr std::uint32_t kTitleBackground = 0xFF041123;
constexpr std::int32_t kMainMenuItems = 5;

}  // namespace

std::int32_t CShellScene::Init() {
    CStateMachineNode::Init();
    RequestState(CGameApp::GetInstance()->GetStorageWarning() != 0 ? kStorageWarning : kTitle, kPush);
    return 0;
}

CNode* CShellScene::NewMainMenu() {
    const CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    m_menuItems[0] = saves->IsStarted() != 0 ? kContinue : kNewGame;
    m_menuItems[1] = kOptionsItem;
    m_menuItems[2] = kHelpItem;
    m_menuItems[3] = kAboutItem;
    m_menuItems[4] = kExitItem;
    CMenuScreen* menu = scenes::NewMenu(0, m_menuItems, kMainMenuItems, scenes::kPageStyle);
    if (menu == nullptr) return nullptr;
    menu->SetLogoPresenter(&m_logo);
    scenes::LendFocus(*menu, m_focus);
    scenes::LendIndicators(*menu, m_up, m_down);
    return menu;
}

CNode* CShellScene::NewLevelMenu() {
    // The saved level reached comes from a file: at most the last level.
    const std::int32_t last = scenes::CheckedLevel(scenes::UnlockedLevel());
    for (std::int32_t i = 0; i <= last; ++i) scenes::FormatLevelName(m_levelNames[i], scenes::kLevelNameLength, i + 1);
    for (std::int32_t i = 0; i <= last; ++i) m_levelNameList[i] = m_levelNames[i];
    auto* menu = new (std::nothrow) CMenuScreen();
    if (menu == nullptr) return nullptr;
    menu->SetTitle(kLevelMenuTitle);
    scenes::LendIndicators(*menu, m_up, m_down);
    menu->SetSoftkeys(scenes::kBackLabel, scenes::kAcceptLabel, 1, 1);
    scenes::LendFocus(*menu, m_focus);
    menu->SetItemsByWideString(0, m_levelNameList, last + 1);
    menu->SetLogoPresenter(&m_logo);
    menu->SelectIndex(last);
    return menu;
}

CNode* CShellScene::NewLevelIntro() {
    CTextScreen* page = scenes::NewTextPage(0, scenes::kBackLabel, scenes::kAcceptLabel, scenes::kPageStyle);
    if (page == nullptr) return nullptr;
    const std::int32_t level = scenes::CheckedLevel(scenes::SelectedLevel());
    scenes::SetLevelText(*page, m_levelNames[level], scenes::SelectedCharacter(), level);
    page->SetMarginsVertical(0, 0);
    return page;
}

CNode* CShellScene::NewTitle() {
    scenes::PlaySound(CGameApp::GetGameData()->GetTitleSound(), 255);
    scenes::ClearPointerFlags();
    auto* title = new (std::nothrow) AnimatedImageScreen();
    if (title == nullptr) return nullptr;
    title->SetContent(kTitleBackground, 0, 0, 2000);
    if (scenes::MenuSpritesLoaded()) {
        scenes::SetUpSprite(m_logo, scenes::kLogoAnimation);
        title->SetSprite(&m_logo);
    }
    title->SetMotion(512, 512, 512, 219, 1000, 1000);
    return title;
}

std::int32_t CShellScene::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 640);
    *node = nullptr;
    switch (id) {
        case kStorageWarning: {
            CTextScreen* page = scenes::NewTextPage(0, scenes::kBackLabel, scenes::kAcceptLabel, scenes::kPageStyle);
            if (page == nullptr) break;
            page->SetTextId(kStorageText);
            page->SetMarginsVertical(0, 0);
            scenes::LendIndicators(*page, m_up, m_down);
            *node = page;
            break;
        }
        case kMainMenu: *node = NewMainMenu(); break;
        case kAbout: {
            CTextScreen* page = scenes::NewTextPage(kAboutItem, scenes::kBackLabel, 0, scenes::kPageStyle);
            if (page == nullptr) break;
            scenes::LendIndicators(*page, m_up, m_down);
            page->SetVersionText();
            *node = page;
            break;
        }
        case kHelp: *node = scenes::NewHelpPage(&m_up, &m_down, nullptr); break;
        case kOptions: {
            auto* options = new (std::nothrow) COptionsScene();
            if (options == nullptr) break;
            options->SetIndicatorPresenters(&m_up, &m_down);
            options->SetInGame(0);
            *node = options;
            break;
        }
        case kCharacterSelect: {
            auto* select = new (std::nothrow) CharacterSelectScreen();
            if (select != nullptr) select->SetSoftkeys(scenes::kBackLabel, 0, 1, 1);
            *node = select;
            break;
        }
        case kLevelMenu: *node = NewLevelMenu(); break;
        case kLevelIntro: *node = NewLevelIntro(); break;
        case kGame: {
            scenes::StopSounds();
            auto* game = new (std::nothrow) CGameScene();
            if (game != nullptr) game->SetPresenters(&m_logo, &m_focus, &m_up, &m_down);
            *node = game;
            break;
        }
        case kTitle: *node = NewTitle(); break;
        case kExitQuestion: {
            CMenuScreen* menu = scenes::NewMenu(kExitTitle, scenes::kNoYes, 2, scenes::kPageStyle);
            if (menu != nullptr) scenes::LendFocus(*menu, m_focus);
            *node = menu;
            break;
        }
        default: DebugAssert(false, kSource, 760); break;
    }
    return 0;
}

void CShellScene::OnMainMenu(std::uint32_t chosen) {
    switch (chosen) {
        case kNewGame: RequestState(kCharacterSelect, kPush); break;
        case kContinue: RequestState(kLevelMenu, kPush); break;
        case kOptionsItem: RequestState(kOptions, kPush); break;
        case kHelpItem: RequestState(kHelp, kPush); break;
        case kAboutItem: RequestState(kAbout, kPush); break;
        case kExitItem: RequestState(kExitQuestion, kPush); break;
        default: DebugAssert(false, kSource, 799); break;
    }
}

void CShellScene::OnStateResult(std::uint32_t id, CNode* node) {
    DebugAssert(node != nullptr, kSource, 780);
    const std::int32_t result = node->GetResult();
    const bool accepted = result == 1;
    switch (id) {
        case kStorageWarning:
            if (accepted) {
                RequestState(kTitle, kReplace);
            } else {
                SetResult(2);
            }
            break;
        case kMainMenu:
            if (accepted) {
                OnMainMenu(static_cast<CMenuScreen*>(node)->GetChosenId());
            } else {
                RequestState(kExitQuestion, kPush);
            }
            break;
        case kAbout:
        case kHelp:
            // The pages have no accept: only back leaves them.
            if (result == 2) RequestState(0, kPop);
            node->ClearResult();
            break;
        case kOptions:
            if (result == COptionsScene::kResultReset) {
                RequestState(kMainMenu, kReset);
            } else {
                RequestState(0, kPop);
            }
            break;
        case kCharacterSelect: {
            if (!accepted) {
                RequestState(0, kPop);
                break;
            }
            const std::int32_t character = static_cast<CharacterSelectScreen*>(node)->GetChoice();
            scenes::SelectCharacter(character);
            CGameApp::GetGameData()->SetLevelSelected(0);
            scenes::SelectLevel(0);
            scenes::FormatLevelName(m_levelNames[0], scenes::kLevelNameLength, 1);
            RequestState(kLevelIntro, kPush);
            CGameApp::GetSaveGameMgr()->SetCharacter(character);
            break;
        }
        case kLevelMenu:
            if (!accepted) {
                RequestState(0, kPop);
                break;
            }
            scenes::SelectLevel(static_cast<std::int32_t>(static_cast<CMenuScreen*>(node)->GetChosenId()));
            CGameApp::GetGameData()->SetLevelSelected(1);
            RequestState(kLevelIntro, kPush);
            scenes::SelectCharacter(CGameApp::GetSaveGameMgr()->GetCharacter());
            break;
        case kLevelIntro:
            if (accepted) {
                RequestState(kGame, kReset);
            } else {
                RequestState(0, kPop);
            }
            break;
        case kGame:
            if (result == 2) RequestState(kMainMenu, kReplace);
            break;
        case kTitle:
            if (accepted) {
                RequestState(kMainMenu, kReplace);
            } else {
                SetResult(2);
            }
            break;
        case kExitQuestion: {
            const std::uint32_t chosen = static_cast<CMenuScreen*>(node)->GetChosenId();
            if (accepted && chosen == scenes::kYes) {
                SetResult(2);
            } else {
                DebugAssert(!accepted || chosen == scenes::kNo, kSource, 866);
                RequestState(0, kPop);
            }
            break;
        }
        default: DebugAssert(false, kSource, 880); break;
    }
}
