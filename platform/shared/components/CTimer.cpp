#include "platform/shared/components/CTimer.h"

void CTimer::Start(std::int32_t milliseconds, bool repeat) {
    m_remaining = milliseconds;
    m_period = repeat ? milliseconds : 0;
    m_active = true;
}

std::int32_t CTimer::Update(std::int32_t elapsed) {
    if (!m_active) return 0;
    m_remaining -= elapsed;
    std::int32_t count = 0;
    while (m_remaining <= 0) {
        ++count;
        if (m_period < 1) {
            m_active = false;
            return count;
        }
        m_remaining += m_period;
    }
    return count;
}
