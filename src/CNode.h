// The base of the game's scenes and screens. A node can be initialised,
// exited, given events, updated with the frame time and drawn, and it
// reports one result code to the state machine that owns it (0: none yet).
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"
#include "platform/shared/core/SystemEvent.h"

class CNode : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x02642625;
    static constexpr std::int32_t kMaxElapsed = 0x7FFFFFFF;

    CNode() : CClass(kClassId) {}
    ~CNode() override = default;

    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    // 0 for success.
    virtual std::int32_t Init() { return 0; }
    virtual void Exit() {}
    // 1 when the event was handled.
    virtual std::uint8_t HandleEvent(std::uint32_t /*id*/, std::uint16_t /*param1*/, std::uintptr_t /*param2*/) {
        return 0;
    }
    // Counts dt into the elapsed time, which stops at kMaxElapsed.
    virtual std::uint32_t Update(std::uint32_t dt);
    // 1 when the node drew something.
    virtual std::uint8_t Draw() { return 0; }
    // Only the first result counts until it is cleared.
    virtual void SetResult(std::int32_t result) {
        if (m_result == 0) m_result = result;
    }
    virtual std::int32_t GetResult() const { return m_result; }
    virtual void ClearResult() { m_result = 0; }

    // Made active, the node's elapsed time starts again at 0.
    void SetActive(std::uint8_t active);
    std::uint8_t IsActive() const { return m_active; }
    std::int32_t GetElapsed() const { return m_elapsed; }
    // The intro transition's length in ms, and how much of it has run.
    std::int32_t GetTransitionTime() const { return m_transitionTime; }
    std::int32_t GetTransitionElapsed() const { return m_elapsed < m_transitionTime ? m_elapsed : m_transitionTime; }

protected:
    // The events after which a screen paints itself again: redraw, the
    // pause requests and resume.
    static bool IsRedrawEvent(std::uint32_t id) {
        return id == EVENT_REDRAW || id == EVENT_PAUSE_REQUEST || id == EVENT_CLAMSHELL || id == EVENT_RESUME;
    }
    // Replaces whatever result the node has.
    void StoreResult(std::int32_t result) { m_result = result; }
    void SetTransitionTime(std::int32_t ms) { m_transitionTime = ms; }
    void ResetElapsed() { m_elapsed = 0; }

private:
    std::int32_t m_result = 0;
    std::int32_t m_elapsed = 0;
    std::int32_t m_transitionTime = 0;
    std::uint8_t m_active = 0;
};
