// The applet's queue of application events: a fixed array, so that posting
// and flushing never allocate. At most 24 events wait at a time; a further
// one is dropped.
#pragma once

#include <cstdint>

#include "platform/shared/core/SystemEvent.h"

class CSystemEventQueue {
public:
    static constexpr std::int32_t kSlots = 25;
    static constexpr std::int32_t kMaxEvents = 24;

    CSystemEventQueue() = default;
    virtual ~CSystemEventQueue() = default;

    // Appends the record, or drops it when 24 are already queued.
    void Push(const SystemEvent& event);
    // Clears the record, then copies slot index into it when that slot is
    // queued.
    void GetEvent(std::int32_t index, SystemEvent& event) const;
    std::int32_t GetCount() const { return m_count; }
    void Clear() { m_count = 0; }

private:
    SystemEvent m_records[kSlots] = {};
    std::int32_t m_count = 0;
};
