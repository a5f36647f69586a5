// Object events: an event is an executable that, when it fires, is delivered
// to the listeners registered for its type (in descending listener priority)
// or to one chosen listener. Listeners are found under the application's
// event root: the root holds the listener directory under
// kListenerDirectoryKey, the directory one registry per event type.
#pragma once

#include <array>
#include <cstdint>

#include "platform/shared/systems/CExecutable.h"

class CEventListener;
class CRegistry;

constexpr std::uintptr_t kListenerDirectoryKey = 0xF762DDF9;

// The application object's event root, or null.
CRegistry* GetEventRoot();
// The listener directory under the event root, or null.
CRegistry* GetListenerDirectory();

class CEvent : public CExecutable {
public:
    static constexpr std::uint32_t kClassId = 0x02720394;

    // Type 0, fires once, deletes itself when run by a registry.
    CEvent();
    // target: a listener's key (its address), 0 for every listener of the
    // type; interval in 1/1024 s.
    CEvent(std::uint32_t userWord, std::uint32_t type, std::uintptr_t target, std::int32_t interval,
           std::int32_t repeatCount);

    // Delivers the event.
    void Execute() override;

    std::uint32_t GetType() const { return m_type; }
    void SetType(std::uint32_t type) { m_type = type; }
    std::uint32_t GetUserWord() const { return m_userWord; }
    void SetUserWord(std::uint32_t userWord) { m_userWord = userWord; }
    std::uintptr_t GetTarget() const { return m_target; }
    void SetTarget(std::uintptr_t target) { m_target = target; }
    // Set once any listener reported the event handled.
    bool IsHandled() const { return m_handled; }
    // Set when a listener of the last delivery reported it handled.
    bool IsDelivered() const { return m_delivered; }

private:
    void Deliver(CEventListener* listener);

    std::uint32_t m_type = 0;
    std::uint32_t m_userWord = 0;
    std::uintptr_t m_target = 0;
    bool m_handled = false;
    bool m_delivered = false;
};

// An event with parameter triples.
class CMessage : public CEvent {
public:
    static constexpr std::uint32_t kClassId = 0x7B245719;
    static constexpr std::int32_t kMaxTriples = 8;
    using Triple = std::array<std::uint32_t, 3>;

    // Copies count triples in order (at most kMaxTriples; the rest are
    // dropped).
    CMessage(std::uint32_t userWord, std::uint32_t type, std::uintptr_t target, std::int32_t count,
             const Triple* triples);

    std::int32_t GetParamCount() const { return m_count; }
    const Triple& GetParam(std::int32_t index) const { return m_params[index]; }

private:
    std::int32_t m_count = 0;
    std::array<Triple, kMaxTriples> m_params = {};
};
