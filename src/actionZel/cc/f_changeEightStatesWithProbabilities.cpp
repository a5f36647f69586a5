#include "src/actionZel/cc/f_changeEightStatesWithProbabilities.h"

#include "src/actionZel/AZ_Services.h"

void f_changeEightStatesWithProbabilities(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_changeEightStatesWithProbabilities), __LINE__);
    AZ_ChangeToWeightedState(presenter, AZ_ArgCursor(params, paramOffset), 8);
}
