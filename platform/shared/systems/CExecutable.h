// A unit of timed, repeated work that an executable registry runs with the
// executor's frame time.
#pragma once

#include <cstdint>

#include "platform/shared/systems/CPriorityClass.h"

class CExecutable : public CPriorityClass {
public:
    static constexpr std::uint32_t kClassId = 0x3422838B;
    static constexpr std::int32_t kForever = -1;

    // Results of Step.
    enum StepResult : std::int32_t { kRunning = 0, kFinished = 1, kDeleted = 2 };

    CExecutable() { SetClassId(kClassId); }

    // The work.
    virtual void Execute() = 0;

    // One step of the executable: in the executor's update phase it fires
    // once its accumulated time (1/1024 s) reaches the interval; in the draw
    // phase it fires at once. Each firing counts the repeat count down
    // (-1 never ends). A finished executable with auto-delete deletes itself
    // and the result is kDeleted.
    static std::int32_t Step(CExecutable* executable);

    std::int32_t GetRepeatCount() const { return m_repeatCount; }
    void SetRepeatCount(std::int32_t count) { m_repeatCount = count; }
    std::int32_t GetInterval() const { return m_interval; }
    void SetInterval(std::int32_t interval) { m_interval = interval; }
    // Time accumulated since the last firing; during Execute, the time this
    // firing covers.
    std::int32_t GetElapsed() const { return m_elapsed; }
    bool GetAutoDelete() const { return m_autoDelete; }
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }

private:
    void CountDown();

    std::int32_t m_repeatCount = kForever;
    std::int32_t m_interval = 0;
    std::int32_t m_elapsed = 0;
    bool m_autoDelete = false;
};
