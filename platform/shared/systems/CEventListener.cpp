#include "platform/shared/systems/CEventListener.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/systems/CEvent.h"
#include "platform/shared/systems/CRegistry.h"

namespace {

constexpr const char* kListenerSource = "..\\..\\platform\\shared\\systems\\src\\CEventListener";

CRegistry* TypeRegistry(CRegistry* directory, std::uint32_t type, CRegistryElement** typeElement) {
    *typeElement = nullptr;
    if (!directory->Find(0, type, typeElement) || *typeElement == nullptr) return nullptr;
    return static_cast<CRegistry*>((*typeElement)->GetObject());
}

// Removes the listener's element from a type registry; when that leaves the
// registry empty, removes the type from the directory and deletes both.
void Leave(CRegistry* directory, CRegistryElement* typeElement, CRegistry* listeners, std::uintptr_t key) {
    CRegistryElement* element = nullptr;
    if (!listeners->Find(0, key, &element) || element == nullptr) return;
    listeners->Remove(element);
    delete element;
    if (!listeners->IsEmpty()) return;
    directory->Remove(typeElement);
    delete listeners;
    delete typeElement;
}

}  // namespace

CEventListener::~CEventListener() { UnregisterAll(); }

std::int32_t CEventListener::Register(const std::uint32_t* types, std::int32_t priority) {
    DebugAssert(types != nullptr, "platform\\shared\\systems\\inc\\CEventListener", 120);
    CRegistry* directory = GetListenerDirectory();
    if (directory == nullptr) return 0;
    RegisterForType(types[0], priority, directory);
    for (const std::uint32_t* type = types + 1; *type != 0; ++type) RegisterForType(*type, priority, directory);
    return 1;
}

void CEventListener::RegisterForType(std::uint32_t type, std::int32_t priority, CRegistry* directory) {
    DebugAssert(type != 0, kListenerSource, 48);
    CRegistryElement* typeElement = nullptr;
    CRegistry* listeners = TypeRegistry(directory, type, &typeElement);
    if (listeners == nullptr) {
        listeners = new (std::nothrow) CRegistry();
        DebugAssert(listeners != nullptr, kListenerSource, 55);
        auto* accelerator = new (std::nothrow) CRegistryAccelerateHandleQuery(150, 50, true);
        DebugAssert(accelerator != nullptr, kListenerSource, 58);
        listeners->SetAccelerator(accelerator);
        typeElement = directory->CreateElement(type, listeners, 0, CPriorityClass::kDefaultPriority);
        if (typeElement == nullptr) {
            delete listeners;
            return;
        }
        directory->Add(typeElement);
    }
    // Out of memory here leaves the listener unregistered for the type; an
    // empty type registry simply waits for the next registration.
    CRegistryElement* element = listeners->CreateElement(GetKey(), this, GetClassId(), priority);
    if (element != nullptr) listeners->Add(element);
}

void CEventListener::UnregisterFromType(std::uint32_t type, CRegistry* directory) {
    DebugAssert(type != 0, kListenerSource, 73);
    CRegistryElement* typeElement = nullptr;
    CRegistry* listeners = TypeRegistry(directory, type, &typeElement);
    if (listeners != nullptr) Leave(directory, typeElement, listeners, GetKey());
}

void CEventListener::UnregisterAll() {
    CRegistry* directory = GetListenerDirectory();
    if (directory == nullptr) return;
    CRegistryElement* typeElement = directory->GetFirst();
    while (typeElement != directory->GetSentinel()) {
        // Leave may delete the type's element: step past it first.
        CRegistryElement* next = typeElement->GetNext();
        Leave(directory, typeElement, static_cast<CRegistry*>(typeElement->GetObject()), GetKey());
        typeElement = next;
    }
}

