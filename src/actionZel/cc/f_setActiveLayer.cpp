#include "src/actionZel/cc/f_setActiveLayer.h"

#include <algorithm>

#include "src/actionZel/AZ_Client.h"

void f_setActiveLayer(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setActiveLayer), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t layer = args.next();
    Camera* camera = AZ_Client::getInstance()->getCamera();
    if (layer < -1 || layer > std::min(Camera::kMaxLayers, camera->GetLayerCount()) - 1) return;
    camera->SetActiveLayer(layer);
}
