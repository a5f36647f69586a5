// The units behind the code ids. Every behaviour (0-77), visual (78-93) and
// instruction (94-161) is a set of free functions named after its file
// (b_motion_attach, v_sz_render, f_changeState), reached only through the
// dispatcher, which finds them in one table indexed by code id
// (cc/AZ_UnitTable.cpp). Nothing registers at run time.
#pragma once

#include <array>
#include <cstdint>

#include "platform/shared/core/Debug.h"
#include "src/actionZel/AZ_Defs.h"
#include "src/actionZel/AZ_ParamArray.h"

class AZ_Presenter;

using AZ_SlotCallback = void (*)(AZ_Presenter* presenter, std::int32_t codeSlot);
using AZ_UpdateCallback = void (*)(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
using AZ_InstructionCallback = void (*)(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);

struct AZ_Unit {
    const char* name;
    std::int32_t codeId;
    AZ_SlotCallback attach;              // behaviours and visuals
    AZ_UpdateCallback update;            // behaviours
    AZ_SlotCallback render;              // visuals
    AZ_SlotCallback detach;              // behaviours and visuals
    AZ_InstructionCallback instruction;  // instructions
    std::int32_t argumentCount;          // instructions: parameters each call reads
    bool placeholder;                    // not built yet: it only validates its arguments
};

// Table entries of a built unit, from the unit's functions.
#define AZ_BEHAVIOR_UNIT(id, unit) \
    AZ_Unit { #unit, id, unit##_attach, unit##_update, nullptr, unit##_detach, nullptr, 0, false }
#define AZ_VISUAL_UNIT(id, unit) \
    AZ_Unit { #unit, id, unit##_attach, nullptr, unit##_render, unit##_detach, nullptr, 0, false }
#define AZ_INSTRUCTION_UNIT(id, unit, arguments) \
    AZ_Unit { #unit, id, nullptr, nullptr, nullptr, nullptr, unit, arguments, false }

namespace az_detail {
extern std::array<AZ_Unit, AZ_NUM_CODE_IDS> g_units;
}

// The unit of code id 0-161.
inline const AZ_Unit& AZ_GetUnit(std::int32_t codeId) {
    if (codeId < 0 || codeId >= AZ_NUM_CODE_IDS) DebugAssert(false, "..\\..\\src\\actionZel\\AZ_Unit.h", __LINE__);
    return az_detail::g_units[static_cast<std::size_t>(codeId)];
}

// Test hook: puts another unit in the id's entry and returns the one it held.
AZ_Unit AZ_SwapUnit(std::int32_t codeId, const AZ_Unit& unit);

// The checks every behaviour and visual callback begins with: presenter not
// null, code slot not -1, inside the id's range, on an instance boundary.
// A failed check logs its line and fails the debug assertion.
void AZ_CheckInstance(std::int32_t codeId, const AZ_Presenter* presenter, std::int32_t codeSlot,
                      const char* sourcePath, int sourceLine);
// The check every instruction begins with: presenter not null.
void AZ_CheckPresenter(const AZ_Presenter* presenter, const char* sourcePath, int sourceLine);

// Word `word` of the id's instance at codeSlot, after the accessor checks
// (slot not negative, inside the id's range, on an instance boundary).
std::int32_t AZ_GetUnitWord(std::int32_t codeId, std::int32_t codeSlot, std::int32_t word, const char* sourcePath,
                            int sourceLine);
void AZ_SetUnitWord(std::int32_t codeId, std::int32_t codeSlot, std::int32_t word, std::int32_t value,
                    const char* sourcePath, int sourceLine);

// Accessors of a unit's words, declared in the unit's header
// (src/actionZel/cc/<unit>.h), whose path and line the checks report:
//   AZ_UNIT_GETTER(b_child, 2, Parent, 4)  ->  int32_t b_child_getParent(int32_t codeSlot)
//   AZ_UNIT_SETTER(b_timer, 17, Time, 1)   ->  void b_timer_setTime(int32_t codeSlot, int32_t value)
#define AZ_UNIT_HEADER(unit) "..\\..\\src\\actionZel\\cc\\" #unit ".h"
// The source path a unit's checks report.
#define AZ_UNIT_SOURCE(unit) "..\\..\\src\\actionZel\\cc\\" #unit ".cpp"
#define AZ_UNIT_GETTER(unit, id, field, word)                                         \
    inline std::int32_t unit##_get##field(std::int32_t codeSlot) {                   \
        return AZ_GetUnitWord(id, codeSlot, word, AZ_UNIT_HEADER(unit), __LINE__);   \
    }
#define AZ_UNIT_SETTER(unit, id, field, word)                                         \
    inline void unit##_set##field(std::int32_t codeSlot, std::int32_t value) {       \
        AZ_SetUnitWord(id, codeSlot, word, value, AZ_UNIT_HEADER(unit), __LINE__);   \
    }
