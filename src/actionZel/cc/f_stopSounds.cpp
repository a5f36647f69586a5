#include "src/actionZel/cc/f_stopSounds.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kPlaySound = 68;

}  // namespace

void f_stopSounds(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_stopSounds), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    client->getAdapter()->stopAllSounds();
    for (std::int32_t row = 0; row < client->getNumActive(); ++row) {
        AZ_Presenter* character = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        if (character->findCodeSlot(kPlaySound) != -1) character->detach(kPlaySound);
    }
}
