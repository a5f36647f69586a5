#include "platform/shared/systems/CEvent.h"

#include <algorithm>

#include "platform/shared/core/CApp.h"
#include "platform/shared/systems/CEventListener.h"
#include "platform/shared/systems/CRegistry.h"

CRegistry* GetEventRoot() {
    CApp* app = CApp::GetInstance();
    return app != nullptr ? app->GetEventRoot() : nullptr;
}

CRegistry* GetListenerDirectory() {
    CRegistry* root = GetEventRoot();
    CRegistryElement* element = nullptr;
    if (root == nullptr || !root->Find(0, kListenerDirectoryKey, &element) || element == nullptr) return nullptr;
    return static_cast<CRegistry*>(element->GetObject());
}

CEvent::CEvent() {
    SetClassId(kClassId);
    SetRepeatCount(1);
    SetAutoDelete(true);
}

CEvent::CEvent(std::uint32_t userWord, std::uint32_t type, std::uintptr_t target, std::int32_t interval,
               std::int32_t repeatCount)
    : m_type(type), m_userWord(userWord), m_target(target) {
    SetClassId(kClassId);
    SetInterval(interval);
    SetRepeatCount(repeatCount);
    SetAutoDelete(true);
}

void CEvent::Deliver(CEventListener* listener) {
    CEventListener::Callback callback = listener->GetCallback();
    if (callback != nullptr && callback(this, listener) != 0) {
        m_delivered = true;
        m_handled = true;
    }
}

void CEvent::Execute() {
    m_delivered = false;
    CRegistry* directory = GetListenerDirectory();
    if (directory == nullptr) return;
    CRegistryElement* typeElement = nullptr;
    if (!directory->Find(0, m_type, &typeElement) || typeElement == nullptr) return;
    auto* listeners = static_cast<CRegistry*>(typeElement->GetObject());
    if (m_target != 0) {
        CRegistryElement* element = nullptr;
        if (listeners->Find(0, m_target, &element) && element != nullptr) {
            Deliver(static_cast<CEventListener*>(element->GetObject()));
        }
        return;
    }
    for (CRegistryIterator it(*listeners); !it.IsDone(); it.Next()) {
        Deliver(static_cast<CEventListener*>(it.Current()->GetObject()));
    }
}

CMessage::CMessage(std::uint32_t userWord, std::uint32_t type, std::uintptr_t target, std::int32_t count,
                   const Triple* triples)
    : CEvent(userWord, type, target, 0, 1), m_count(std::clamp(count, 0, kMaxTriples)) {
    SetClassId(kClassId);
    std::copy(triples, triples + m_count, m_params.begin());
}
