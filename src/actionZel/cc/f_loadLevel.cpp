#include "src/actionZel/cc/f_loadLevel.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kLoader = 60;

}  // namespace

void f_loadLevel(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_loadLevel), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t entities = args.next(), map = args.next(), tileset = args.next();
    args.next();  // read and not used
    const std::int32_t red = args.next(), green = args.next(), blue = args.next();
    AZ_Client* client = AZ_Client::getInstance();
    // The channels are not masked: a value above 255 spills into the next.
    client->getCamera()->SetClearColour(0xFF000000u | static_cast<std::uint32_t>(red) << 16 |
                                        static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue));
    if (presenter->findCodeSlot(kLoader) != -1) {
        client->getAdapter()->setPendingLevel(entities, map, tileset);
    } else {
        client->getAdapter()->loadLevel(entities, map, tileset);
    }
}
