#include "src/actionZel/cc/f_testHacks.h"

#include "src/CGameApp.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"

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
    const AZ_HeldCharacter self(presenter);
    if (AZ_IsJumpReduced() && !AZ_SendEventHolding(self, self, kJumpReduced)) return;
    if (AZ_HasTestString()) AZ_SendEventHolding(self, self, kTestString);
}
