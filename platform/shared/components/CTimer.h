// Software countdown in milliseconds, advanced by its owner with the frame
// time; one-shot, or repeating with a period.
#pragma once

#include <cstdint>

class CTimer {
public:
    CTimer() = default;
    virtual ~CTimer() = default;

    // Restarts the timer; a repeating timer adds the period back at each
    // expiry, a period below 1 makes it one-shot.
    void Start(std::int32_t milliseconds, bool repeat);
    // Clears the active flag; period and remaining time stay.
    void Stop() { m_active = false; }
    bool IsActive() const { return m_active; }
    std::int32_t GetRemaining() const { return m_remaining; }
    // Counts the elapsed time down; returns the number of expiries in this
    // step (at most 1 for a one-shot timer, which then stops).
    std::int32_t Update(std::int32_t elapsed);

private:
    std::int32_t m_period = 0;
    std::int32_t m_remaining = 0;
    bool m_active = false;
};
