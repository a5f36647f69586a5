#include "src/actionZel/cc/f_loadSzArchetypeCharacter.h"

void f_loadSzArchetypeCharacter(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_loadSzArchetypeCharacter), __LINE__);
}
