#include "src/actionZel/cc/f_setLayerScrollSpeed.h"

#include "src/actionZel/AZ_Client.h"

void f_setLayerScrollSpeed(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setLayerScrollSpeed), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t layer = args.next(), x = args.next(), y = args.next();
    if (layer < 0 || layer >= Camera::kMaxLayers) return;
    AZ_Client::getInstance()->getCamera()->SetLayerParallax(layer, x, y);
}
