#include "tests/support/WorldCounts.h"

#include <set>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/SZ_Pool.h"

namespace {

// Every instance slot of a behaviour or visual, in use or not.
template <typename Visit>
void ForEachInstance(Visit visit) {
    const AZ_Manager* manager = AZ_Client::getInstance()->getManager();
    for (std::int32_t id = 0; id < AZ_FIRST_INSTRUCTION; ++id) {
        const std::int32_t words = manager->getInstanceWords(id);
        for (std::int32_t slot = manager->getSlotStart(id); words > 0 && slot < manager->getSlotStart(id + 1);
             slot += words) {
            visit(id, slot, AZ_Presenter_Singleton::getCodeSlotValue(slot) != AZ_FREE);
        }
    }
}

}  // namespace

WorldCounts CountWorld() {
    AZ_Client* client = AZ_Client::getInstance();
    WorldCounts counts;
    counts.characters = client->getNumActive();
    counts.usedInstances.assign(AZ_FIRST_INSTRUCTION, 0);
    counts.heldInstances.assign(AZ_FIRST_INSTRUCTION, 0);
    const AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    for (std::int32_t id = 0; id < store->getPoolSize(); ++id) {
        const AZ_Presenter* presenter = AZ_Presenter::getPresenter(id);
        if (presenter->getCharacterType() == AZ_Presenter::kNone) continue;
        ++counts.presenters;
        for (std::int32_t code = 0; code < AZ_FIRST_INSTRUCTION; ++code) {
            counts.heldInstances[code] += presenter->findCodeSlot(code) != -1 ? 1 : 0;
        }
    }
    for (std::int32_t id = 1; id <= SZ_Pool::kSize; ++id) {
        counts.sprites += client->getSpritePool()->isInUse(id) ? 1 : 0;
    }
    ForEachInstance([&](std::int32_t id, std::int32_t, bool used) { counts.usedInstances[id] += used ? 1 : 0; });
    return counts;
}

AZ_Presenter* Character(std::int32_t type, std::int32_t nth) {
    const AZ_Client* client = AZ_Client::getInstance();
    std::int32_t row = client->findCharacterByType(type);
    for (; row != -1 && nth > 0; --nth) row = client->findNextCharacterByType(type, row);
    return row == -1 ? nullptr : AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
}

std::int32_t Word(const AZ_Presenter* presenter, std::int32_t codeId, std::int32_t word) {
    const std::int32_t slot = presenter != nullptr ? presenter->findCodeSlot(codeId) : -1;
    return slot == -1 ? kAbsent : AZ_Presenter_Singleton::getCodeSlotValue(slot + word);
}

bool Holds(const AZ_Presenter* presenter, std::int32_t codeId) {
    return presenter != nullptr && presenter->findCodeSlot(codeId) != -1;
}

std::int32_t CountOfType(std::int32_t type) {
    AZ_Client* client = AZ_Client::getInstance();
    std::int32_t count = 0;
    for (std::int32_t row = client->findCharacterByType(type); row != -1;
         row = client->findNextCharacterByType(type, row)) {
        ++count;
    }
    return count;
}

std::string Leftovers() {
    AZ_Client* client = AZ_Client::getInstance();
    std::string text;
    std::set<std::int32_t> held;
    const AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    for (std::int32_t id = 0; id < store->getPoolSize(); ++id) {
        const AZ_Presenter* presenter = AZ_Presenter::getPresenter(id);
        if (presenter->getCharacterType() == AZ_Presenter::kNone) continue;
        if (client->getActiveIndex(id) == -1) {
            text += "presenter " + std::to_string(id) + " of type " + std::to_string(presenter->getCharacterType());
            text += "\n";
            continue;
        }
        for (std::int32_t code = 0; code < AZ_FIRST_INSTRUCTION; ++code) {
            if (const std::int32_t slot = presenter->findCodeSlot(code); slot != -1) held.insert(slot);
        }
    }
    ForEachInstance([&](std::int32_t id, std::int32_t slot, bool used) {
        if (used && held.count(slot) == 0) text += "instance of " + std::to_string(id) + "\n";
    });
    return text;
}
