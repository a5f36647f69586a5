#include "platform/shared/systems/CRegistry.h"

#include <new>

#include "platform/shared/core/CHash.h"
#include "platform/shared/core/Debug.h"

namespace {
constexpr const char* kRegistrySource = "..\\..\\platform\\shared\\systems\\src\\CRegistry";
constexpr const char* kAcceleratorSource = "..\\..\\platform\\shared\\systems\\inc\\CRegistryAccelerateHandleQuery";

bool IsElement(const CRegistryElement* element) { return element->GetClassId() == CRegistryElement::kClassId; }
}  // namespace

CRegistryElement::CRegistryElement(std::uintptr_t key, CClass* object, std::uint32_t classId, std::int32_t priority)
    : m_key(key), m_objectClassId(classId), m_object(object) {
    SetClassId(kClassId);
    SetPriority(priority);
}

bool CRegistryElement::Resolve(CRegistryResolver& resolver) {
    CClass* object = resolver.ResolveKey(m_key);
    if (object == nullptr) return false;
    m_object = object;
    m_resolved = true;
    return true;
}

CRegistry::CRegistry() : m_first(&m_sentinel), m_last(&m_sentinel) { SetClassId(kClassId); }

CRegistry::~CRegistry() { delete m_accelerator; }

CRegistryElement* CRegistry::CreateElement(std::uintptr_t key, std::int32_t priority) {
    return new (std::nothrow) CRegistryElement(key, nullptr, 0, priority);
}

CRegistryElement* CRegistry::CreateElement(std::uintptr_t key, CClass* object, std::uint32_t classId,
                                           std::int32_t priority) {
    return new (std::nothrow) CRegistryElement(key, object, classId, priority);
}

void CRegistry::Add(CRegistryElement* element) {
    CRegistryElement* existing = nullptr;
    DebugAssert(!Find(element->GetClassId(), element->m_key, &existing), kRegistrySource, 24);
    if (UsesAccelerator()) {
        m_accelerator->Add(element);
        return;
    }
    DebugAssert(IsElement(element), kRegistrySource, 30);
    if (m_last == &m_sentinel) {
        element->m_prev = nullptr;
        element->m_next = &m_sentinel;
        m_sentinel.m_prev = element;
        m_first = m_last = element;
        return;
    }
    // From the end backwards: after the last element of at least the same
    // priority, so equal priorities keep their arrival order.
    for (CRegistryElement* at = m_last;; at = at->m_prev) {
        if (at->GetPriority() >= element->GetPriority()) {
            element->m_prev = at;
            element->m_next = at->m_next;
            at->m_next = element;
            if (element->m_next == &m_sentinel) m_last = element;
            element->m_next->m_prev = element;
            return;
        }
        if (at == m_first) {
            m_first->m_prev = element;
            element->m_prev = nullptr;
            element->m_next = m_first;
            m_first = element;
            return;
        }
    }
}

bool CRegistry::Remove(CRegistryElement* element) {
    if (UsesAccelerator()) return m_accelerator->Remove(element);
    DebugAssert(IsElement(element), kRegistrySource, 90);
    if (element->m_prev == nullptr) {
        m_first = element->m_next;
        if (m_first == &m_sentinel) {
            m_last = &m_sentinel;
            m_sentinel.m_prev = nullptr;
            return true;
        }
    } else {
        element->m_prev->m_next = element->m_next;
    }
    element->m_next->m_prev = element->m_prev;
    if (element->m_next == &m_sentinel) m_last = m_sentinel.m_prev;
    return true;
}

void CRegistry::Clear() {
    if (UsesAccelerator()) {
        m_accelerator->Clear();
        return;
    }
    // The sentinel forgets the old last element too, so that nothing in the
    // registry points at elements whose owners may now delete them.
    m_first = m_last = &m_sentinel;
    m_sentinel.m_prev = nullptr;
}

bool CRegistry::Find(std::uint32_t classId, std::uintptr_t key, CRegistryElement** element) {
    if (UsesAccelerator()) return m_accelerator->Find(classId, key, element);
    if (classId == 0 && key == 0) return false;
    for (CRegistryElement* at = m_first; at != &m_sentinel; at = at->m_next) {
        if (key != 0) {
            if (at->m_key != key) continue;
            if (classId == 0) {
                *element = at;
                return true;
            }
            if (at->m_objectClassId != classId) break;
            // A keyed reference (no object of its own, or one resolved by
            // key) is found but not handed out.
            *element = (at->m_object != nullptr && !at->m_resolved) ? at : nullptr;
            return true;
        }
        if (at->m_objectClassId == classId) {
            *element = at;
            return true;
        }
    }
    *element = nullptr;
    return false;
}

void CRegistry::SetAccelerator(Accelerator* accelerator) {
    delete m_accelerator;
    m_accelerator = accelerator;
    if (accelerator != nullptr) accelerator->Attach(this);
}

CRegistryAccelerateHandleQuery::CRegistryAccelerateHandleQuery(std::int32_t buckets, std::uint32_t poolBlock,
                                                               bool growable) {
    SetClassId(kClassId);
    DebugAssert(m_index == nullptr, kAcceleratorSource, 93);
    m_index = new (std::nothrow) CHash();
    if (m_index != nullptr && !m_index->Init(buckets, poolBlock, growable)) {
        delete m_index;
        m_index = nullptr;
    }
    DebugAssert(m_index != nullptr, kAcceleratorSource, 95);
}

CRegistryAccelerateHandleQuery::~CRegistryAccelerateHandleQuery() { delete m_index; }

void CRegistryAccelerateHandleQuery::Add(CRegistryElement* element) {
    DebugAssert(m_registry != nullptr && m_index != nullptr, kAcceleratorSource, 104);
    DebugAssert(IsElement(element), kAcceleratorSource, 105);
    m_busy = true;
    m_registry->Add(element);
    m_busy = false;
    m_index->Insert(element->GetKey(), reinterpret_cast<std::uintptr_t>(element));
}

bool CRegistryAccelerateHandleQuery::Remove(CRegistryElement* element) {
    DebugAssert(m_registry != nullptr && m_index != nullptr, kAcceleratorSource, 117);
    DebugAssert(IsElement(element), kAcceleratorSource, 118);
    m_busy = true;
    const bool removed = m_registry->Remove(element);
    m_busy = false;
    if (removed) m_index->Remove(element->GetKey());
    return removed;
}

void CRegistryAccelerateHandleQuery::Clear() {
    DebugAssert(m_registry != nullptr && m_index != nullptr, kAcceleratorSource, 134);
    m_busy = true;
    m_registry->Clear();
    m_busy = false;
    m_index->RemoveAll();
}

bool CRegistryAccelerateHandleQuery::Find(std::uint32_t classId, std::uintptr_t key, CRegistryElement** element) {
    DebugAssert(m_registry != nullptr && m_index != nullptr, kAcceleratorSource, 148);
    if (key == 0) {
        if (classId == 0) return false;
        m_busy = true;
        const bool found = m_registry->Find(classId, 0, element);
        m_busy = false;
        return found;
    }
    std::uintptr_t value = 0;
    auto* found = m_index->Find(key, &value) ? reinterpret_cast<CRegistryElement*>(value) : nullptr;
    if (found != nullptr && classId != 0 && found->GetObjectClassId() != classId) found = nullptr;
    *element = found;
    return found != nullptr;
}

void CRegistryAccelerateHandleQuery::Attach(CRegistry* registry) {
    Accelerator::Attach(registry);
    DebugAssert(m_registry != nullptr && m_index != nullptr, kAcceleratorSource, 172);
    for (CRegistryElement* at = registry->GetFirst(); at != registry->GetSentinel(); at = at->GetNext()) {
        m_index->Insert(at->GetKey(), reinterpret_cast<std::uintptr_t>(at));
    }
}
