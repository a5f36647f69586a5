#include "src/actionZel/cc/f_loadNextLevel.h"

#include <algorithm>

#include "src/actionZel/AZ_Client.h"

namespace {

constexpr std::int32_t kLastLevel = 15;
constexpr std::int32_t kNextLevel = 3;

}  // namespace

void f_loadNextLevel(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_loadNextLevel), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    AZ_Adapter* adapter = client->getAdapter();
    adapter->saveProgress(std::min(adapter->getCurrentLevel() + 1, kLastLevel));
    client->setInterrupt(kNextLevel);
}
