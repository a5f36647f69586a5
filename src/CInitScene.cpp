#include "src/CInitScene.h"

#include <new>

#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/Debug.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CMenuScreen.h"
#include "src/COptionsMgr.h"
#include "src/CProgressScreen.h"
#include "src/CResMgr.h"
#include "src/CTextScreen.h"
#include "src/CZelMovieScreen.h"
#include "src/SceneUtil.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

constexpr const char* kSource = "CInitScene";
constexpr std::uint32_t kSoundQuestionText = 0x21FF0113;
constexpr std::uint32_t kNoticeText = 0x21FF021E;
constexpr std::uint32_t kNoticeStyle = 14;
constexpr std::uint32_t kStartStyle = 4;
constexpr std::uint32_t kLoadingImage = 0x02000245;
constexpr std::uint32_t kLoadingBank = 0x05000241;
constexpr std::uint32_t kBlack = 0xFF000000;

// The sprites loaded before the menus, in this order: archetype, character.
constexpr std::int32_t kLoadOrder[][2] = {
    {0, 0},  {1, 0},  {2, 0},  {2, 1},  {2, 2},  {3, 0},  {4, 0},  {5, 0},  {6, 0},  {7, 0},
    {8, 0},  {9, 0},  {10, 0}, {11, 0}, {12, 0}, {13, 0}, {14, 0}, {15, 0}, {16, 0}, {16, 1},
    {16, 2}, {17, 0}, {17, 1}, {17, 2}, {18, 0}, {19, 0}, {20, 0}, {18, 0},
};

const CDeviceConfig& Config() { return CGameApp::GetInstance()->GetDeviceConfig(); }

}  // namespace

std::int32_t CInitScene::Init() {
    CStateMachineNode::Init();
    CResMgr* resources = CGameApp::GetResMgr();
    if (resources->GetLanguageCount() >= 2) {
        RequestState(kLanguageMenu, kPush);
        return 0;
    }
    resources->SelectLanguage(0);
    if (Config().touchscreenSupportMessage != 0 && CGameApp::GetOptionsMgr()->IsNoticeShown() == 0) {
        RequestState(kNotice, kPush);
    } else {
        RequestAfterLanguage(kPush);
    }
    return 0;
}

void CInitScene::RequestAfterLanguage(std::uint32_t kind) {
    if (Config().disableSound != 0) {
        RequestState(kSplash, kReplace);
    } else {
        RequestState(kSoundQuestion, kind);
    }
}

CNode* CInitScene::NewLanguageMenu() {
    const CResMgr* resources = CGameApp::GetResMgr();
    std::int32_t count = static_cast<std::int32_t>(resources->GetLanguageCount());
    if (count > kMaxLanguages) {
        DebugPrintf("CInitScene: %d languages, the menu shows the first %d", count, kMaxLanguages);
        count = kMaxLanguages;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        m_languageNames[i] = resources->GetLanguageName(static_cast<std::uint32_t>(i));
    }
    auto* menu = new (std::nothrow) CMenuScreen();
    if (menu == nullptr) return nullptr;
    menu->SetSoftkeys(scenes::kBackLabel, scenes::kAcceptLabel, 1, 1);
    menu->SetStyleFlags(kStartStyle);
    menu->SetItemsByWideString(0, m_languageNames, count);
    menu->SetMarginsVertical(0, 0);
    return menu;
}

std::int32_t CInitScene::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 150);
    *node = nullptr;
    switch (id) {
        case kLanguageMenu: *node = NewLanguageMenu(); break;
        case kNotice: {
            CTextScreen* page = scenes::NewTextPage(0, scenes::kAcceptLabel, scenes::kBackLabel, kNoticeStyle);
            if (page != nullptr) page->SetTextId(kNoticeText);
            COptionsMgr* options = CGameApp::GetOptionsMgr();
            options->SetNoticeShown(1);
            options->Save();
            *node = page;
            break;
        }
        case kSoundQuestion: {
            CMenuScreen* menu = scenes::NewMenu(0, scenes::kNoYes, 2, kStartStyle);
            if (menu != nullptr) {
                menu->SetItemsById(kSoundQuestionText, scenes::kNoYes, 2);
                menu->SetMarginsVertical(0, 0);
            }
            *node = menu;
            break;
        }
        case kSplash:
            scenes::ClearPointerFlags();
            *node = new (std::nothrow) CZelMovieScreen();
            scenes::PlaySound(CGameApp::GetGameData()->GetSplashSound(), 0);
            break;
        case kLoading: {
            SZ_Home* home = CGameApp::GetSpriteHome();
            for (const auto& [archetype, character] : kLoadOrder) home->QueueArchetypeCharacter(archetype, character);
            auto* screen = new (std::nothrow) CResLoadScreen();
            if (screen != nullptr) {
                screen->SetContent(kBlack, kLoadingImage, 0);
                screen->SetBank(kLoadingBank, 0);
            }
            *node = screen;
            break;
        }
        default: DebugAssert(false, kSource, 236); break;
    }
    return 0;
}

void CInitScene::OnStateResult(std::uint32_t id, CNode* node) {
    DebugAssert(node != nullptr, kSource, 250);
    const std::int32_t result = node->GetResult();
    if (id == kSplash) scenes::StopSounds();
    if (result != 1) {
        // Every state's back (and the menus' other results) ends the scene.
        SetResult(2);
        return;
    }
    switch (id) {
        case kLanguageMenu:
            CGameApp::GetResMgr()->SelectLanguage(static_cast<CMenuScreen*>(node)->GetChosenId());
            RequestAfterLanguage(kReplace);
            break;
        case kNotice: RequestAfterLanguage(kReplace); break;
        case kSoundQuestion: {
            COptionsMgr* options = CGameApp::GetOptionsMgr();
            const std::uint32_t chosen = static_cast<CMenuScreen*>(node)->GetChosenId();
            if (chosen == scenes::kYes) {
                options->SetSoundOn(1);
            } else if (chosen == scenes::kNo) {
                options->SetSoundOn(0);
            } else {
                DebugAssert(false, kSource, 292);
            }
            if (ICMediaPlayer* media = ICMediaPlayer::GetInstance()) {
                media->SetSoundEnabled(options->IsSoundOn());
                media->SetVibrationEnabled(options->IsVibrationOn());
            }
            RequestState(kSplash, kReplace);
            break;
        }
        case kSplash: RequestState(kLoading, kReplace); break;
        case kLoading: SetResult(1); break;
        default: DebugAssert(false, kSource, 320); break;
    }
}
