#include "platform/shared/systems/CExecutable.h"

#include "platform/shared/systems/CAppExecutor.h"

void CExecutable::CountDown() {
    if (m_repeatCount != 0 && m_repeatCount != kForever) --m_repeatCount;
}

std::int32_t CExecutable::Step(CExecutable* executable) {
    if (executable->m_repeatCount != 0) {
        // Without an executor there is no frame: an update phase of no time.
        const CAppExecutor* executor = GetAppExecutor();
        if (executor != nullptr && executor->GetPhase() != CAppExecutor::kUpdate) {
            executable->Execute();
            executable->CountDown();
        } else {
            executable->m_elapsed += executor != nullptr ? executor->GetFrameTimeSeconds() : 0;
            if (executable->m_elapsed >= executable->m_interval) {
                executable->Execute();
                executable->CountDown();
                executable->m_elapsed = 0;
            }
        }
    }
    if (executable->m_autoDelete && executable->m_repeatCount == 0) {
        delete executable;
        return kDeleted;
    }
    return executable->m_repeatCount == 0 ? kFinished : kRunning;
}
