#include "src/actionZel/cc/f_changeStateWithProbability.h"

#include "src/actionZel/AZ_Services.h"

void f_changeStateWithProbability(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_changeStateWithProbability), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t threshold = args.next(), stateA = args.next(), stateB = args.next();
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = AZ_ExitHandlingState(client->getActiveIndex(presenter->getId()));
    if (row == -1) return;
    // Drawn after the exit events, whose handlers may draw as well.
    const std::int32_t draw = client->getAdapter()->randomRange(0, 1024);
    AZ_EnterNewTopState(row, threshold > draw ? stateA : stateB);
}
