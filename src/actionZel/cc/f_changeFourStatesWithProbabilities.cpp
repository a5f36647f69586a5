#include "src/actionZel/cc/f_changeFourStatesWithProbabilities.h"

#include "src/actionZel/AZ_Services.h"

void f_changeFourStatesWithProbabilities(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_changeFourStatesWithProbabilities), __LINE__);
    AZ_ChangeToWeightedState(presenter, AZ_ArgCursor(params, paramOffset), 4);
}
