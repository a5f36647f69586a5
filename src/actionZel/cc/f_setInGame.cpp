#include "src/actionZel/cc/f_setInGame.h"

void f_setInGame(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setInGame), __LINE__);
}
