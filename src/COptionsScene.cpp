#include "src/COptionsScene.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "src/CGameApp.h"
#include "src/COptionsMgr.h"
#include "src/COptionsScreen.h"
#include "src/CTextScreen.h"
#include "src/SceneGameLayer.h"
#include "src/SceneUtil.h"

namespace {

constexpr const char* kSource = "COptionsScene";
constexpr std::uint32_t kTitle = 0x21FF011F;
constexpr std::uint32_t kStorageText = 0x21FF0125;
constexpr std::uint32_t kResetText = 0x21FF014C;

}  // namespace

std::int32_t COptionsScene::Init() {
    CStateMachineNode::Init();
    RequestState(kOptions, kPush);
    return 0;
}

void COptionsScene::LendIndicators(CWidgetScreen& screen) {
    if (m_up != nullptr && m_down != nullptr) scenes::LendIndicators(screen, *m_up, *m_down);
}

std::int32_t COptionsScene::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 90);
    *node = nullptr;
    switch (id) {
        case kOptions: {
            auto* options = new (std::nothrow) COptionsScreen();
            if (options == nullptr) break;
            options->SetTitle(kTitle);
            LendIndicators(*options);
            if (scenes::MenuSpritesLoaded()) {
                scenes::SetUpSprite(m_focus, scenes::kFocusAnimation);
                options->SetFocusSprite(&m_focus);
            }
            options->SetHideExtraItem(m_inGame);
            options->SetStyleFlags(scenes::kPageStyle);
            options->SetSoftkeys(scenes::kBackLabel, scenes::kAcceptLabel, 1, 1);
            *node = options;
            break;
        }
        case kStorageWarning: {
            CTextScreen* page = scenes::NewTextPage(0, 0, 0, scenes::kPageStyle);
            if (page == nullptr) break;
            page->SetTextId(kStorageText);
            LendIndicators(*page);
            *node = page;
            break;
        }
        case kResetQuestion: {
            CTextScreen* page = scenes::NewTextPage(0, scenes::kBackLabel, scenes::kAcceptLabel, scenes::kPageStyle);
            if (page != nullptr) page->SetTextId(kResetText);
            *node = page;
            break;
        }
        default: DebugAssert(false, kSource, 140); break;
    }
    return 0;
}

void COptionsScene::OnStateResult(std::uint32_t id, CNode* node) {
    DebugAssert(node != nullptr, kSource, 150);
    const bool accepted = node->GetResult() == 1;
    switch (id) {
        case kOptions: {
            const bool saved = CGameApp::GetOptionsMgr()->Save() != 0;
            if (!saved) {
                if (accepted) {
                    RequestState(kStorageWarning, kReplace);
                } else {
                    SetResult(2);
                }
            } else if (accepted && static_cast<COptionsScreen*>(node)->GetChosenId() == COptionsScreen::kExtraItem) {
                RequestState(kResetQuestion, kPush);
            } else {
                SetResult(2);
            }
            break;
        }
        case kStorageWarning: SetResult(1); break;
        case kResetQuestion:
            if (accepted) {
                scenes::ResetSaveData();
                SetResult(kResultReset);
            } else {
                RequestState(0, kPop);
            }
            break;
        default: DebugAssert(false, kSource, 190); break;
    }
}
