#include "src/game/Velkorin.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/actionZel/AZ_Client.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\game\\Velkorin.cpp";

CRect Rect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    return CRect(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(w),
                 static_cast<std::int16_t>(h));
}

}  // namespace

Velkorin::Velkorin() {
    CGameApp* app = CGameApp::GetInstance();
    CResMgr* resources = CGameApp::GetResMgr();
    if (app != nullptr && resources != nullptr) app->SetBottomBar(resources->GetImage(kBottomBarId, 0));
    AZ_Client* client = AZ_Client::getInstance();
    if (client == nullptr) return;
    AZ_Adapter* adapter = client->getAdapter();
    const CGameData* data = CGameApp::GetGameData();
    adapter->startLevel(data != nullptr && data->IsLevelSelected() != 0 ? adapter->getSelectedLevel() : 0);
}

Velkorin::~Velkorin() {
    if (AZ_Client* client = AZ_Client::getInstance()) client->getAdapter()->releaseLevel();
    CGameApp* app = CGameApp::GetInstance();
    if (app == nullptr || app->GetBottomBar() == nullptr) return;
    app->SetBottomBar(nullptr);
    CGameApp::GetResMgr()->Release(kBottomBarId, 0);
}

void Velkorin::Update(std::int32_t dt) {
    AZ_Client* client = AZ_Client::getInstance();
    if (client == nullptr) return;
    client->getKeyManager()->update(client->getAdapter()->getKeyCharacter());
    client->update(dt);
}

void Velkorin::Paint() {
    AZ_Client* client = AZ_Client::getInstance();
    if (client == nullptr) return;
    Camera* camera = client->getCamera();
    const std::int32_t width = camera->GetScreenWidth(), height = camera->GetScreenHeight();
    const CRect screen = Rect(0, 0, width, height);
    CDrawUtil::FillRect(&screen, camera->GetClearColour());
    camera->Draw(true);
    client->render(4, 100);
    camera->Draw(false);
    client->render(0, 3);
    const CGameApp* app = CGameApp::GetInstance();
    CImage* bar = app != nullptr ? app->GetBottomBar() : nullptr;
    if (bar == nullptr || !camera->IsViewEnabled()) return;
    const CRect clip = Rect(0, height - bar->GetHeight(), width, bar->GetHeight());
    bar->Draw(&clip, 0, height - bar->GetHeight());
}

AZ_KeyManager* Velkorin::getEngineKeyManager() {
    AZ_Client* client = AZ_Client::getInstance();
    return client != nullptr ? client->getKeyManager() : nullptr;
}

void Velkorin::CheckArgument(std::uintptr_t argument) { DebugAssert(argument != 0, kSourcePath, __LINE__); }

void Velkorin::CheckSurface() {
    std::int32_t width, height;
    if (!AZ_GetSurfaceSize(&width, &height)) {
        AZ_Fail("[ AZ ][ ERROR ] - (Graphics) : Corrupt directX surface", kSourcePath, __LINE__);
    }
}
