#include "platform/shared/systems/CExecutableRegistry.h"

#include "platform/shared/core/Debug.h"

void CExecutableRegistry::Execute() {
    CRegistryElement* element = GetFirst();
    while (element != GetSentinel()) {
        DebugAssert(element->GetObject() != nullptr, "..\\..\\platform\\shared\\systems\\src\\CExecutableRegistry", 42);
        const std::int32_t result = CExecutable::Step(static_cast<CExecutable*>(element->GetObject()));
        CRegistryElement* next = element->GetNext();
        if (result == CExecutable::kDeleted) {
            Remove(element);
            delete element;
        }
        element = next;
    }
}
