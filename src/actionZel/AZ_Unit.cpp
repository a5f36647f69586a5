#include "src/actionZel/AZ_Unit.h"

#include "platform/shared/core/Debug.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

// Where a slot lies relative to the id's instances.
enum SlotPlace { kOnInstance, kOutside, kInside };

SlotPlace PlaceOf(std::int32_t codeId, std::int32_t codeSlot) {
    const AZ_Manager* manager = AZ_GetManager();
    const std::int32_t start = manager->getSlotStart(codeId);
    if (codeSlot < start || codeSlot >= manager->getSlotStart(codeId + 1)) return kOutside;
    return (codeSlot - start) % manager->getInstanceWords(codeId) == 0 ? kOnInstance : kInside;
}

// The shared end of both check lists: the range and the instance boundary.
void CheckPlace(std::int32_t codeId, std::int32_t codeSlot, const char* sourcePath, int sourceLine) {
    const bool visual = codeId >= AZ_FIRST_VISUAL;
    switch (PlaceOf(codeId, codeSlot)) {
    case kOutside:
        AZ_Fail(visual ? "[ AZ ][ ERROR ] - Access to codeSlot outside visuals space"
                       : "[ AZ ][ ERROR ] - Access to codeSlot outside behaviors space",
                sourcePath, sourceLine);
        break;
    case kInside:
        AZ_Fail(visual ? "[ AZ ][ ERROR ] - Access to invalid codeSlot inside visuals space"
                       : "[ AZ ][ ERROR ] - Access to invalid codeSlot inside behaviors space",
                sourcePath, sourceLine);
        break;
    case kOnInstance:
        break;
    }
}

void CheckAccessor(std::int32_t codeId, std::int32_t codeSlot, const char* sourcePath, int sourceLine) {
    if (codeSlot < 0) AZ_Fail("[ AZ ][ ERROR ] - Access to codeSlot with negative id", sourcePath, sourceLine);
    CheckPlace(codeId, codeSlot, sourcePath, sourceLine);
}

}  // namespace

void AZ_LogError(const char* line) { DebugPrintf("%s", line); }

void AZ_Fail(const char* line, const char* sourcePath, int sourceLine) {
    AZ_LogError(line);
    DebugAssert(false, sourcePath, sourceLine);
}

AZ_Unit AZ_SwapUnit(std::int32_t codeId, const AZ_Unit& unit) {
    const AZ_Unit old = AZ_GetUnit(codeId);
    az_detail::g_units[static_cast<std::size_t>(codeId)] = unit;
    return old;
}

void AZ_CheckPresenter(const AZ_Presenter* presenter, const char* sourcePath, int sourceLine) {
    if (presenter == nullptr) AZ_Fail("[ AZ ][ ERROR ] - Access to Presenter with -1 id", sourcePath, sourceLine);
}

void AZ_CheckInstance(std::int32_t codeId, const AZ_Presenter* presenter, std::int32_t codeSlot,
                      const char* sourcePath, int sourceLine) {
    AZ_CheckPresenter(presenter, sourcePath, sourceLine);
    if (codeSlot == -1) AZ_Fail("[ AZ ][ ERROR ] - Access to codeSlot with -1 id", sourcePath, sourceLine);
    CheckPlace(codeId, codeSlot, sourcePath, sourceLine);
}

std::int32_t AZ_GetUnitWord(std::int32_t codeId, std::int32_t codeSlot, std::int32_t word, const char* sourcePath,
                            int sourceLine) {
    CheckAccessor(codeId, codeSlot, sourcePath, sourceLine);
    return AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word);
}

void AZ_SetUnitWord(std::int32_t codeId, std::int32_t codeSlot, std::int32_t word, std::int32_t value,
                    const char* sourcePath, int sourceLine) {
    CheckAccessor(codeId, codeSlot, sourcePath, sourceLine);
    AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + word, value);
}
