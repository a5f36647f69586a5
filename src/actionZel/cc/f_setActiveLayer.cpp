#include "src/actionZel/cc/f_setActiveLayer.h"

#include "src/actionZel/AZ_Client.h"

// Any layer is taken, also before the map gives the camera its layers: the
// camera's drawing, the tile sweeps and the parallax factors each keep to
// the layers there are.
void f_setActiveLayer(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setActiveLayer), __LINE__);
    AZ_Client::getInstance()->getCamera()->SetActiveLayer(AZ_ArgCursor(params, paramOffset).next());
}
