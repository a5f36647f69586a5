#include "src/actionZel/cc/f_loadArchetypeCharacter.h"

void f_loadArchetypeCharacter(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_loadArchetypeCharacter), __LINE__);
}
