#include "src/actionZel/cc/b_camera.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 4;
constexpr std::int32_t kMotion = 5;

// (a * b) >> 10, on 32 bits.
std::int32_t Share(std::int32_t a, std::int32_t b) { return WrapMul32(a, b) >> 10; }

}  // namespace

void b_camera_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_camera), __LINE__);
}

void b_camera_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_camera), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    if (client->getUserCharacter() != presenter->getId()) return;
    Camera* camera = client->getCamera();
    const bool left = presenter->getFacing() == 1;
    std::int32_t width = camera->GetViewWidth();
    const std::int32_t height = camera->GetViewHeight();
    std::int32_t vx = 0, vy = 0;
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    if (motion != -1) {
        vx = Camera::WorldToPixel(b_motion_getVelocityX(motion));
        vy = Camera::WorldToPixel(b_motion_getVelocityY(motion));
        if (left && b_motion_getFlipWithFacing(motion) == 1) vx = WrapNeg32(vx);
    }
    if (left) width = -width;
    const std::int32_t leadX =
        WrapAdd32(Share(vx, b_camera_getVelocityLeadX(codeSlot)), Share(width, b_camera_getScreenLeadX(codeSlot)));
    const std::int32_t leadY =
        WrapAdd32(Share(vy, b_camera_getVelocityLeadY(codeSlot)), Share(height, b_camera_getScreenLeadY(codeSlot)));
    if (b_camera_getSnap(codeSlot) == 1) camera->SetSnap(true);
    camera->LookAt(WrapAdd32(presenter->getX(), AZ_Adapter::pixelToWorld(leadX)),
                   WrapAdd32(presenter->getY(), AZ_Adapter::pixelToWorld(leadY)), 0);
    // A snap, asked here or elsewhere, serves one target only.
    camera->SetSnap(false);
    camera->UpdateScroll(frameTime);
}

void b_camera_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_camera), __LINE__);
}
