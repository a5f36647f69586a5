#include "platform/shared/core/CSystemEventQueue.h"

void CSystemEventQueue::Push(const SystemEvent& event) {
    if (m_count >= kMaxEvents) return;
    m_records[m_count] = event;
    ++m_count;
}

void CSystemEventQueue::GetEvent(std::int32_t index, SystemEvent& event) const {
    event = SystemEvent{};
    if (index >= 0 && index < m_count) event = m_records[index];
}
