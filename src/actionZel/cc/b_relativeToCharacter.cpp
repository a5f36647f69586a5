#include "src/actionZel/cc/b_relativeToCharacter.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_relativeDirection.h"

namespace {

constexpr std::int32_t kToCharacter = 52;

}  // namespace

void b_relativeToCharacter_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kToCharacter, presenter, codeSlot, AZ_UNIT_SOURCE(b_relativeToCharacter), __LINE__);
}

void b_relativeToCharacter_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kToCharacter, presenter, codeSlot, AZ_UNIT_SOURCE(b_relativeToCharacter), __LINE__);
    const std::int32_t type = b_relativeToCharacter_getType(codeSlot);
    presenter->detach(kToCharacter);
    if (type == -1) return;
    AZ_ForEachCharacterOfType(type, [presenter](std::int32_t, const AZ_Presenter* other) {
        return AZ_RaiseRelativeDirection(presenter, other);
    });
}

void b_relativeToCharacter_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kToCharacter, presenter, codeSlot, AZ_UNIT_SOURCE(b_relativeToCharacter), __LINE__);
}
