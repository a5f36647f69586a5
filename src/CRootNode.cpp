#include "src/CRootNode.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/ICCore.h"
#include "src/CDestroyScene.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CInitScene.h"
#include "src/CIntroScene.h"
#include "src/CResMgr.h"
#include "src/CShellScene.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

constexpr const char* kSource = "CRootNode";

}  // namespace

std::int32_t CRootNode::Init() {
    CStateMachineNode::Init();
    CResMgr* resources = CGameApp::GetResMgr();
    CGameData* data = CGameApp::GetGameData();
    if (resources != nullptr && data != nullptr) {
        data->SetSplashSound(resources->GetSound(kSplashSound, 0));
        data->SetTitleSound(resources->GetSound(kTitleSound, 0));
    }
    RequestState(1, kPush);
    return 0;
}

void CRootNode::Exit() {
    CStateMachineNode::Exit();
    SZ_Home* home = CGameApp::GetSpriteHome();
    if (home != nullptr && home->IsConstructed() && !home->IsLoadQueueProcessing()) home->DumpAllArchetypeCharacters();
    CResMgr* resources = CGameApp::GetResMgr();
    CGameData* data = CGameApp::GetGameData();
    if (resources == nullptr || data == nullptr) return;
    // Only what Init got goes back: another holder's reference stays.
    if (data->GetTitleSound() != nullptr) resources->Release(kTitleSound, 0);
    if (data->GetSplashSound() != nullptr) resources->Release(kSplashSound, 0);
    data->SetTitleSound(nullptr);
    data->SetSplashSound(nullptr);
}

std::int32_t CRootNode::CreateState(CNode** node, std::uint32_t id) {
    DebugAssert(node != nullptr, kSource, 150);
    switch (id) {
        case 1: *node = new (std::nothrow) CInitScene(); break;
        case 2: *node = new (std::nothrow) CIntroScene(); break;
        case 3: *node = new (std::nothrow) CShellScene(); break;
        case 4: *node = new (std::nothrow) CDestroyScene(); break;
        default:
            DebugAssert(false, kSource, 171);
            *node = nullptr;
            break;
    }
    return 0;
}

void CRootNode::OnStateResult(std::uint32_t id, CNode* node) {
    DebugAssert(node != nullptr, kSource, 180);
    const std::int32_t result = node->GetResult();
    switch (id) {
        case 1: RequestState(result == 1 ? 2 : 4, kReplace); break;
        case 2: RequestState(result == 1 ? 3 : 4, kReplace); break;
        case 3:
            if (result == 2) {
                RequestState(4, kReplace);
            } else {
                DebugAssert(false, kSource, 203);
            }
            break;
        case 4:
            if (ICCore* core = ICCore::GetInstance()) core->Quit(0);
            break;
        default: DebugAssert(false, kSource, 214); break;
    }
}
