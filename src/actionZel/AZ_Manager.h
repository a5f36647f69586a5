// The per-code-id tables that lay out the code-slot memory and throttle the
// behaviours, and the dispatcher: the only road from the engine to a unit.
#pragma once

#include <cstdint>

#include "src/actionZel/AZ_Defs.h"
#include "src/actionZel/AZ_ParamArray.h"

class AZ_Presenter;

class AZ_Manager {
public:
    AZ_Manager();
    virtual ~AZ_Manager() = default;

    AZ_Manager(const AZ_Manager&) = delete;
    AZ_Manager& operator=(const AZ_Manager&) = delete;

    // First code-slot word of id 0-94's range; getSlotStart(id + 1) ends it.
    std::int32_t getSlotStart(std::int32_t codeId) const;
    // Words of one instance of id 0-93: status, parameters, private words.
    std::int32_t getInstanceWords(std::int32_t codeId) const;
    // 1 + the script parameters that an attach loads into words 1..p.
    std::int32_t getParameterWords(std::int32_t codeId) const;
    // Size of the code-slot memory.
    std::int32_t getTotalWords() const { return m_totalWords; }
    // Update interval of behaviour 0-77 in ms (-32768: every frame).
    std::int32_t getUpdateInterval(std::int32_t codeId) const;

    // Code-slot index of the first free instance of the id, or -1.
    std::int32_t findFreeInstance(std::int32_t codeId) const;

    // Calls the unit of the code id for the mode (AZ_DispatchMode). An id
    // outside its mode's range calls nothing. The parameter offset and array
    // are read by attach (its parameters) and by instructions.
    void dispatch(std::int32_t mode, AZ_Presenter* presenter, std::int32_t codeId, std::int32_t codeSlot,
                  std::int32_t frameTime, std::int32_t paramOffset, AZ_ParamArray params);

    // Closes the throttling of one frame, after every presenter's update.
    void endFrame();

    // Test hook: lays the code-slot memory out as the table does, but with
    // `instances` instances of the code id. A presenter store made before
    // keeps the size it has.
    void relayout(std::int32_t codeId, std::int32_t instances);

private:
    // Decides whether behaviour c runs in this frame, and with which time.
    bool throttle(std::int32_t codeId, std::int32_t& frameTime);
    void attachInstance(AZ_Presenter* presenter, std::int32_t codeId, std::int32_t codeSlot,
                        std::int32_t paramOffset, AZ_ParamArray params);

    std::int16_t m_slotStart[AZ_NUM_LOOKUP];
    std::int16_t m_totalWords;
    std::uint8_t m_instanceWords[AZ_FIRST_INSTRUCTION];
    std::uint8_t m_parameterWords[AZ_FIRST_INSTRUCTION];
    std::int16_t m_interval[AZ_NUM_BEHAVIORS];
    std::int16_t m_accumulator[AZ_NUM_BEHAVIORS] = {};
    std::uint8_t m_throttle[AZ_NUM_BEHAVIORS] = {};
};

// Script parameters that a call of the code id reads: a behaviour's or
// visual's parameter count, an instruction's argument count, 0 for any
// other id.
std::int32_t AZ_GetCallParameterCount(std::int32_t codeId);

// The engine's one manager. Its owner makes it known with AZ_SetManager
// before the presenter store is created, and clears it when deleting it.
AZ_Manager* AZ_GetManager();
void AZ_SetManager(AZ_Manager* manager);
