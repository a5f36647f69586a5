#include "src/actionZel/AZ_Manager.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\AZ_Manager.cpp";

AZ_Manager* g_manager = nullptr;

// The interval 0x8000 as the 16-bit table holds it: read as -32768, which
// every positive frame time reaches, so the behaviour runs every frame.
constexpr std::int16_t kEveryFrame = -32768;

struct CodeLayout {
    std::uint8_t words;       // words of one instance
    std::uint8_t parameters;  // script parameters loaded by attach
    std::uint8_t instances;   // instances reserved in the code-slot memory
    std::int16_t interval;    // behaviours: update interval in ms
};

constexpr CodeLayout kLayout[AZ_FIRST_INSTRUCTION] = {
    {2, 1, 10, 32},  // 0 b_customCodeCallback
    {3, 2, 30, 32},  // 1 b_limitToMap
    {5, 3, 80, 32},  // 2 b_child
    {2, 1, 5, 32},  // 3 b_angle
    {6, 5, 10, 32},  // 4 b_camera
    {4, 3, 30, 32},  // 5 b_motion
    {3, 1, 10, 32},  // 6 b_bBoxCollidable
    {3, 2, 10, 128},  // 7 b_tileCollidable
    {4, 2, 20, 32},  // 8 b_gravity
    {3, 1, 10, 32},  // 9 b_szWorldCollidable
    {3, 1, 20, 32},  // 10 b_szCollidable
    {3, 2, 10, 32},  // 11 b_rotation
    {4, 3, 60, 32},  // 12 b_szAnimatable
    {2, 1, 10, 32},  // 13 b_szRotatable
    {6, 4, 10, 32},  // 14 b_eyes
    {3, 1, 1, 32},  // 15 b_aimTowardsTarget
    {3, 1, 10, 32},  // 16 b_lookAt
    {2, 1, 30, 32},  // 17 b_timer
    {6, 3, 20, 32},  // 18 b_directionalProximity
    {2, 1, 1, 32},  // 19 b_keyHeld
    {3, 2, 30, kEveryFrame},  // 20 b_health
    {2, 1, 20, 32},  // 21 b_armor
    {2, 1, 5, 32},  // 22 b_strength
    {2, 1, 10, 32},  // 23 b_regenerateHealthOverTime
    {3, 2, 10, 32},  // 24 b_deliverDamage
    {3, 2, 10, 32},  // 25 b_increaseHealth
    {2, 1, 10, 64},  // 26 b_healthBar
    {4, 3, 130, kEveryFrame},  // 27 b_boundingBox
    {5, 4, 1, 32},  // 28 b_hudBackgroundAnimatable
    {3, 0, 20, kEveryFrame},  // 29 b_hotspotImpact
    {2, 1, 10, 32},  // 30 b_directionalFacing
    {2, 1, 5, 32},  // 31 b_szGrabbable
    {1, 0, 20, 32},  // 32 b_ignore
    {9, 6, 30, 32},  // 33 b_rectangularProximity
    {9, 6, 30, 32},  // 34 b_circularProximity
    {7, 3, 1, 64},  // 35 b_grappleProximity
    {6, 2, 1, 32},  // 36 b_fireGrapple
    {7, 2, 1, 32},  // 37 b_swingOnGrapple
    {2, 1, 5, 32},  // 38 b_vehicle
    {4, 3, 1, 32},  // 39 b_hudOverlayAnimatable
    {4, 2, 130, 64},  // 40 b_drawable
    {4, 2, 64, 128},  // 41 b_actionBubble
    {3, 1, 10, 32},  // 42 b_relativeDirection
    {2, 1, 10, 32},  // 43 b_switchController
    {2, 1, 10, 32},  // 44 b_switch
    {6, 5, 10, 64},  // 45 b_textBox
    {4, 2, 10, 32},  // 46 b_textBoxScrollPage
    {3, 2, 1, 32},  // 47 b_textBoxAdvanceLine
    {4, 2, 10, 32},  // 48 b_edgeProximity
    {3, 0, 5, 32},  // 49 b_clipToScreen
    {4, 2, 10, 256},  // 50 b_multipleProximity
    {8, 6, 20, 32},  // 51 b_trackCharacter
    {2, 1, 10, 32},  // 52 b_relativeToCharacter
    {4, 1, 2, 32},  // 53 b_collisionGrapple
    {1, 0, 2, 32},  // 54 b_szTiledAnimatable
    {3, 2, 10, 32},  // 55 b_power
    {3, 2, 1, 32},  // 56 b_szHealthPowerId
    {3, 2, 10, 32},  // 57 b_addPower
    {2, 1, 10, 32},  // 58 b_checkPower
    {2, 1, 10, 32},  // 59 b_regeneratePowerOverTime
    {4, 0, 1, 32},  // 60 b_loader
    {2, 1, 1, 32},  // 61 b_loadProgressBar
    {3, 1, 10, 32},  // 62 b_changeLevelStringId
    {3, 2, 15, 32},  // 63 b_textWidget
    {1, 0, 1, 32},  // 64 b_widgetContainer
    {4, 2, 15, 32},  // 65 b_widgetSelectable
    {6, 5, 1, 32},  // 66 b_widgetScroll
    {4, 3, 10, 32},  // 67 b_moveTo
    {4, 2, 15, 32},  // 68 b_playSound
    {4, 2, 10, 32},  // 69 b_vibrate
    {2, 1, 1, 32},  // 70 b_widgetCursor
    {3, 0, 5, 32},  // 71 b_previousFocus
    {3, 1, 10, 32},  // 72 b_counter
    {4, 3, 1, 32},  // 73 b_comboBarAnimationIds
    {12, 5, 2, 32},  // 74 b_combo
    {3, 2, 2, 32},  // 75 b_addCombo
    {21, 20, 1, 32},  // 76 b_inGameTextBox
    {1, 0, 1, 32},  // 77 b_moveToNextPage
    {2, 1, 0, 0},  // 78 v_customCodeCallback
    {7, 0, 0, 0},  // 79 v_line
    {10, 4, 0, 0},  // 80 v_textBox
    {3, 1, 0, 0},  // 81 v_hudOverlay
    {3, 1, 0, 0},  // 82 v_hud
    {12, 0, 1, 0},  // 83 v_bar
    {3, 1, 1, 0},  // 84 v_hudBackground
    {3, 0, 1, 0},  // 85 v_hudBar
    {4, 2, 50, 0},  // 86 v_sz
    {8, 6, 2, 0},  // 87 v_szSkyBox
    {5, 4, 1, 0},  // 88 v_color
    {6, 4, 2, 0},  // 89 v_szTiledSprite
    {3, 2, 0, 0},  // 90 v_blend
    {5, 0, 10, 0},  // 91 v_rect
    {4, 2, 1, 0},  // 92 v_combo
    {6, 3, 1, 0},  // 93 v_inGameTextBox
};

// Throttle decision of a behaviour for the current frame.
enum Throttle : std::uint8_t { kUndecided = 0, kSkip = 1, kRunInterval = 2, kRunAccumulated = 3 };

bool IsIdBelow(std::int32_t codeId, std::int32_t end) { return codeId >= 0 && codeId < end; }

}  // namespace

AZ_Manager* AZ_GetManager() { return g_manager; }
void AZ_SetManager(AZ_Manager* manager) { g_manager = manager; }

std::int32_t AZ_GetCallParameterCount(std::int32_t codeId) {
    if (IsIdBelow(codeId, AZ_FIRST_INSTRUCTION)) return kLayout[codeId].parameters;
    if (IsIdBelow(codeId, AZ_NUM_CODE_IDS)) return AZ_GetUnit(codeId).argumentCount;
    return 0;
}
AZ_Manager::AZ_Manager() { relayout(-1, 0); }

void AZ_Manager::relayout(std::int32_t codeId, std::int32_t instances) {
    std::int32_t start = 0;
    for (std::int32_t c = 0; c < AZ_FIRST_INSTRUCTION; ++c) {
        const CodeLayout& layout = kLayout[c];
        m_slotStart[c] = static_cast<std::int16_t>(start);
        m_instanceWords[c] = layout.words;
        m_parameterWords[c] = static_cast<std::uint8_t>(layout.parameters + 1);
        if (c < AZ_NUM_BEHAVIORS) m_interval[c] = layout.interval;
        start += layout.words * (c == codeId ? instances : layout.instances);
    }
    m_slotStart[AZ_FIRST_INSTRUCTION] = static_cast<std::int16_t>(start);
    m_totalWords = static_cast<std::int16_t>(start);
}

std::int32_t AZ_Manager::getSlotStart(std::int32_t codeId) const {
    if (!IsIdBelow(codeId, AZ_NUM_LOOKUP)) DebugAssert(false, kSourcePath, __LINE__);
    return m_slotStart[codeId];
}

std::int32_t AZ_Manager::getInstanceWords(std::int32_t codeId) const {
    if (!IsIdBelow(codeId, AZ_FIRST_INSTRUCTION)) DebugAssert(false, kSourcePath, __LINE__);
    return m_instanceWords[codeId];
}

std::int32_t AZ_Manager::getParameterWords(std::int32_t codeId) const {
    if (!IsIdBelow(codeId, AZ_FIRST_INSTRUCTION)) DebugAssert(false, kSourcePath, __LINE__);
    return m_parameterWords[codeId];
}

std::int32_t AZ_Manager::getUpdateInterval(std::int32_t codeId) const {
    if (!IsIdBelow(codeId, AZ_NUM_BEHAVIORS)) DebugAssert(false, kSourcePath, __LINE__);
    return m_interval[codeId];
}

std::int32_t AZ_Manager::findFreeInstance(std::int32_t codeId) const {
    if (!IsIdBelow(codeId, AZ_FIRST_INSTRUCTION)) return -1;
    for (std::int32_t slot = m_slotStart[codeId]; slot < m_slotStart[codeId + 1]; slot += m_instanceWords[codeId]) {
        if (AZ_Presenter_Singleton::getCodeSlotValue(slot) == AZ_FREE) return slot;
    }
    return -1;
}

void AZ_Manager::dispatch(std::int32_t mode, AZ_Presenter* presenter, std::int32_t codeId, std::int32_t codeSlot,
                          std::int32_t frameTime, std::int32_t paramOffset, AZ_ParamArray params) {
    switch (mode) {
    case AZ_MODE_UPDATE:
        if (!IsIdBelow(codeId, AZ_NUM_BEHAVIORS)) return;
        if (AZ_Presenter_Singleton::getCodeSlotValue(codeSlot) != 0) return;  // free or paused
        if (frameTime > 0 && !throttle(codeId, frameTime)) return;
        AZ_GetUnit(codeId).update(presenter, codeSlot, frameTime);
        return;
    case AZ_MODE_ATTACH:
        if (IsIdBelow(codeId, AZ_FIRST_INSTRUCTION)) attachInstance(presenter, codeId, codeSlot, paramOffset, params);
        return;
    case AZ_MODE_DETACH: {
        if (!IsIdBelow(codeId, AZ_FIRST_INSTRUCTION)) return;
        // A record that the callback's events attached afresh is left alone.
        const AZ_HeldInstance freed(codeSlot);
        AZ_GetUnit(codeId).detach(presenter, codeSlot);
        if (!freed.held()) return;
        for (std::int32_t w = 1; w < m_instanceWords[codeId]; ++w) {
            AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + w, AZ_FREE);
        }
        return;
    }
    case AZ_MODE_RENDER:
        if (codeId < AZ_FIRST_VISUAL || codeId >= AZ_FIRST_INSTRUCTION) return;
        if (AZ_Presenter_Singleton::getCodeSlotValue(codeSlot) != 0) return;
        AZ_GetUnit(codeId).render(presenter, codeSlot);
        return;
    default:
        if (codeId < AZ_FIRST_INSTRUCTION || codeId >= AZ_FIRST_EVENT) return;
        AZ_GetUnit(codeId).instruction(presenter, paramOffset, params);
        return;
    }
}

// Loads the call's parameters (-32767 keeps the word; a word still free
// becomes 0), runs the attach callback, then zeroes the private words it
// left free: a fresh instance's callback still sees them at -32767. When
// an event of the callback took the instance away (detached, its character
// destroyed, attached again), the record is the handler's and stays as it
// left it.
void AZ_Manager::attachInstance(AZ_Presenter* presenter, std::int32_t codeId, std::int32_t codeSlot,
                                std::int32_t paramOffset, AZ_ParamArray params) {
    const std::int32_t parameterWords = m_parameterWords[codeId];
    DebugAssert(parameterWords <= m_instanceWords[codeId], kSourcePath, __LINE__);
    for (std::int32_t w = 1; w < parameterWords; ++w) {
        const std::int32_t value = params[WrapAdd32(paramOffset, w - 1)];
        if (value != AZ_FREE) {
            AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + w, value);
        } else if (AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + w) == AZ_FREE) {
            AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + w, 0);
        }
    }
    const AZ_HeldInstance instance(codeSlot);
    AZ_GetUnit(codeId).attach(presenter, codeSlot);
    if (!instance.held()) return;
    for (std::int32_t w = parameterWords; w < m_instanceWords[codeId]; ++w) {
        if (AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + w) == AZ_FREE) {
            AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + w, 0);
        }
    }
}

// The decision is per behaviour id, made by its first running instance in
// the frame, so every instance of the id gets the same time.
bool AZ_Manager::throttle(std::int32_t codeId, std::int32_t& frameTime) {
    std::int16_t& accumulated = m_accumulator[codeId];
    const std::int16_t interval = m_interval[codeId];
    switch (m_throttle[codeId]) {
    case kSkip:
        return false;
    case kRunInterval:
        frameTime = interval;
        return true;
    case kRunAccumulated:
        frameTime = accumulated & ~15;
        return true;
    default:
        break;
    }
    accumulated = static_cast<std::int16_t>(WrapAdd32(accumulated, frameTime));  // 16 bits, wrapping
    if (frameTime >= interval) {
        frameTime = accumulated & ~15;
        m_throttle[codeId] = kRunAccumulated;
        return true;
    }
    if (accumulated <= interval) {
        m_throttle[codeId] = kSkip;
        return false;
    }
    frameTime = interval;
    accumulated = static_cast<std::int16_t>(accumulated - interval);
    m_throttle[codeId] = kRunInterval;
    return true;
}

// A frame run with the accumulated time drops its remainder below 16 ms.
void AZ_Manager::endFrame() {
    for (std::int32_t c = 0; c < AZ_NUM_BEHAVIORS; ++c) {
        if (m_throttle[c] == kRunAccumulated) m_accumulator[c] = 0;
        m_throttle[c] = kUndecided;
    }
}
