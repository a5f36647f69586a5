#include "src/actionZel/cc/b_szGrabbable.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/v_sz.h"
#include "src/game/AZ_Adapter.h"

namespace {

constexpr std::int32_t kId = 31;
constexpr std::int32_t kSprite = 86;
constexpr std::int32_t kGrabbed = 181;

}  // namespace

void b_szGrabbable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szGrabbable), __LINE__);
}

void b_szGrabbable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szGrabbable), __LINE__);
    const std::int32_t sprite = presenter->getCodeSlot(kSprite);
    if (sprite == -1) return;
    AZ_Client* client = AZ_Client::getInstance();
    SZ_Pool* pool = client->getSpritePool();
    const std::int32_t own = v_sz_getPoolId(sprite);
    const std::int32_t rx = pool->getRect3X(own), ry = pool->getRect3Y(own);
    const std::int32_t type = b_szGrabbable_getGrabberType(codeSlot);
    presenter->detach(kId);
    if (rx == 0 || ry == 0) return;
    const std::int32_t row = client->findCharacterByType(type);
    if (row == -1) return;
    const AZ_Presenter* grabber = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
    const std::int32_t grabberSprite = grabber->getCodeSlot(kSprite);
    if (grabberSprite == -1) return;
    const std::int32_t gx = pool->getRect2X(v_sz_getPoolId(grabberSprite));
    if (gx == 0) return;
    presenter->setX(WrapSub32(WrapAdd32(grabber->getX(), AZ_Adapter::pixelToWorld(gx)), AZ_Adapter::pixelToWorld(rx)));
    client->sendEvent(grabber->getId(), kGrabbed);
}

void b_szGrabbable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szGrabbable), __LINE__);
}
