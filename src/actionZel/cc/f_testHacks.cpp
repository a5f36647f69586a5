#include "src/actionZel/cc/f_testHacks.h"

#include "src/CGameApp.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kJumpReduced = 568, kTestString = 569;

}  // namespace

bool AZ_IsJumpReduced() {
    const CGameApp* app = CGameApp::GetInstance();
    return app != nullptr && app->GetDeviceConfig().reduceJump != 0;
}

bool AZ_HasTestString() {
    const CGameApp* app = CGameApp::GetInstance();
    return app != nullptr && app->GetDeviceConfig().GetText(CDeviceConfig::kString146) != nullptr;
}

void f_testHacks(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_testHacks), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    if (AZ_IsJumpReduced()) client->sendEvent(presenter->getId(), kJumpReduced);
    if (AZ_HasTestString()) client->sendEvent(presenter->getId(), kTestString);
}
