// A callback registered for event types, called with the event and itself.
#pragma once

#include <cstdint>

#include "platform/shared/systems/CPriorityClass.h"

class CEvent;
class CRegistry;

class CEventListener : public CPriorityClass {
public:
    static constexpr std::uint32_t kClassId = 0xA4303BB2;

    // Nonzero when it handled the event.
    using Callback = std::int32_t (*)(CEvent* event, CEventListener* listener);

    CEventListener() { SetClassId(kClassId); }
    // Unregisters from every type.
    ~CEventListener() override;

    CEventListener(const CEventListener&) = delete;
    CEventListener& operator=(const CEventListener&) = delete;

    void SetOwner(void* owner) { m_owner = owner; }
    void* GetOwner() const { return m_owner; }
    void SetCallback(Callback callback) { m_callback = callback; }
    Callback GetCallback() const { return m_callback; }
    void SetOwnerAndCallback(void* owner, Callback callback) {
        m_owner = owner;
        m_callback = callback;
    }

    // The listener's key in the type registries and the target of events.
    std::uintptr_t GetKey() const { return reinterpret_cast<std::uintptr_t>(this); }

    // Registers for each type of the zero-terminated list; 0 when there is
    // no listener directory.
    std::int32_t Register(const std::uint32_t* types, std::int32_t priority);
    // Creates the type's registry on first use.
    void RegisterForType(std::uint32_t type, std::int32_t priority, CRegistry* directory);
    // A type registry left empty is removed and deleted.
    void UnregisterFromType(std::uint32_t type, CRegistry* directory);
    void UnregisterAll();

private:
    void* m_owner = nullptr;
    Callback m_callback = nullptr;
};
