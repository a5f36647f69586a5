// A class with an ordering priority: base of the frame executor, of
// executables and of registry elements (registries keep descending priority).
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CPriorityClass : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0xE9B2E9C7;
    static constexpr std::int32_t kDefaultPriority = 0x3FFFFFFF;

    CPriorityClass() : CClass(kClassId) {}
    explicit CPriorityClass(std::int32_t priority) : CClass(kClassId), m_priority(priority) {}

    std::int32_t GetPriority() const { return m_priority; }
    void SetPriority(std::int32_t priority) { m_priority = priority; }

private:
    std::int32_t m_priority = kDefaultPriority;
};
