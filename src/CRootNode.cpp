#include "src/CRootNode.h"

#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CResMgr.h"
#include "src/ridaroVoz3/SZ_Home.h"

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

std::int32_t CRootNode::CreateState(CNode** node, std::uint32_t /*id*/) {
    *node = nullptr;
    return 0;
}

void CRootNode::OnStateResult(std::uint32_t /*id*/, CNode* /*node*/) {}
