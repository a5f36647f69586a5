// The ordered directory of objects: a doubly linked list of elements kept in
// descending priority (equal priorities in the order they were added), each
// naming an object by a key and/or by its class id, with an optional
// accelerator that indexes the elements by key.
#pragma once

#include <cstdint>

#include "platform/shared/systems/CExecutable.h"

class CHash;
class CRegistryElement;

// Base of the registries: an executable that can also hold elements.
class CSystem : public CExecutable {
public:
    static constexpr std::uint32_t kClassId = 0x364E423D;

    CSystem() { SetClassId(kClassId); }

    virtual CRegistryElement* CreateElement(std::uintptr_t /*key*/, std::int32_t /*priority*/) { return nullptr; }
    virtual CRegistryElement* CreateElement(std::uintptr_t /*key*/, CClass* /*object*/, std::uint32_t /*classId*/,
                                            std::int32_t /*priority*/) {
        return nullptr;
    }
    virtual void Add(CRegistryElement* element) = 0;
    virtual bool Remove(CRegistryElement* element) = 0;
    virtual void Clear() = 0;
    virtual bool Find(std::uint32_t classId, std::uintptr_t key, CRegistryElement** element) = 0;
};

class CSystemElement : public CPriorityClass {
public:
    static constexpr std::uint32_t kClassId = 0x99C757B7;

    CSystemElement() { SetClassId(kClassId); }
};

// Looks keys up for CRegistryElement::Resolve.
class CRegistryResolver {
public:
    virtual ~CRegistryResolver() = default;
    // The object known under the key, or null.
    virtual CClass* ResolveKey(std::uintptr_t key) = 0;
};

class CRegistryElement : public CSystemElement {
public:
    static constexpr std::uint32_t kClassId = 0xB79257B5;

    CRegistryElement() { SetClassId(kClassId); }
    CRegistryElement(std::uintptr_t key, std::uint32_t classId, std::int32_t priority)
        : CRegistryElement(key, nullptr, classId, priority) {}
    CRegistryElement(CClass* object, std::uint32_t classId, std::int32_t priority)
        : CRegistryElement(0, object, classId, priority) {}
    CRegistryElement(std::uintptr_t key, CClass* object, std::uint32_t classId, std::int32_t priority);

    // Takes the object from the resolver's item for the key and marks the
    // element resolved; true on success.
    bool Resolve(CRegistryResolver& resolver);

    // 0 = none.
    std::uintptr_t GetKey() const { return m_key; }
    // The object's class id; 0 = unspecified.
    std::uint32_t GetObjectClassId() const { return m_objectClassId; }
    // Not owned; may be null when only a key is known.
    CClass* GetObject() const { return m_object; }
    bool IsResolved() const { return m_resolved; }
    CRegistryElement* GetPrev() const { return m_prev; }
    CRegistryElement* GetNext() const { return m_next; }

private:
    friend class CRegistry;

    bool m_resolved = false;
    std::uintptr_t m_key = 0;
    std::uint32_t m_objectClassId = 0;
    CClass* m_object = nullptr;
    CRegistryElement* m_prev = nullptr;
    CRegistryElement* m_next = nullptr;
};

class CRegistry : public CSystem {
public:
    static constexpr std::uint32_t kClassId = 0x431E438F;

    // An index that takes over the registry's add, remove, clear and find.
    // While busy, the registry runs its own list code instead of calling the
    // accelerator back.
    class Accelerator : public CClass {
    public:
        static constexpr std::uint32_t kClassId = 0x786E96C9;

        Accelerator() { SetClassId(kClassId); }
        virtual void Add(CRegistryElement* element) = 0;
        virtual bool Remove(CRegistryElement* element) = 0;
        virtual void Clear() = 0;
        virtual bool Find(std::uint32_t classId, std::uintptr_t key, CRegistryElement** element) = 0;
        virtual void Attach(CRegistry* registry) { m_registry = registry; }

        bool IsBusy() const { return m_busy; }

    protected:
        bool m_busy = false;
        CRegistry* m_registry = nullptr;
    };

    CRegistry();
    // Deletes the accelerator; the elements belong to their owners.
    ~CRegistry() override;

    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    void Execute() override {}
    CRegistryElement* CreateElement(std::uintptr_t key, std::int32_t priority) override;
    CRegistryElement* CreateElement(std::uintptr_t key, CClass* object, std::uint32_t classId,
                                    std::int32_t priority) override;
    void Add(CRegistryElement* element) override;
    // Unlinks the element (not deleted); true.
    bool Remove(CRegistryElement* element) override;
    // Empties the list; the elements are not deleted.
    void Clear() override;
    // By class id and key, by key, or by class id (0 = not given); the first
    // match in list order. Not found leaves a null element (and neither
    // given leaves the element out untouched).
    bool Find(std::uint32_t classId, std::uintptr_t key, CRegistryElement** element) override;

    // Deletes the current accelerator and attaches the new one (or none).
    void SetAccelerator(Accelerator* accelerator);

    // The first element, or the sentinel when empty; walk with GetNext until
    // the sentinel.
    CRegistryElement* GetFirst() const { return m_first; }
    CRegistryElement* GetLast() const { return m_last; }
    const CRegistryElement* GetSentinel() const { return &m_sentinel; }
    bool IsEmpty() const { return m_first == &m_sentinel; }

private:
    bool UsesAccelerator() const { return m_accelerator != nullptr && !m_accelerator->IsBusy(); }

    CRegistryElement m_sentinel;
    CRegistryElement* m_first;
    CRegistryElement* m_last;
    Accelerator* m_accelerator = nullptr;
};

// A position in a registry's list: starts at the first element and steps to
// the next or the previous one; done at the sentinel (or before the first).
class CRegistryIterator {
public:
    explicit CRegistryIterator(const CRegistry& registry) : m_registry(&registry), m_current(registry.GetFirst()) {}

    void Start() { m_current = m_registry->GetFirst(); }
    void Next() { m_current = m_current->GetNext(); }
    void Prev() { m_current = m_current->GetPrev(); }
    CRegistryElement* Current() const { return m_current; }
    bool IsDone() const { return m_current == m_registry->GetSentinel() || m_current == nullptr; }

private:
    const CRegistry* m_registry;
    CRegistryElement* m_current;
};

// Indexes a registry's elements by key in a hash table.
class CRegistryAccelerateHandleQuery : public CRegistry::Accelerator {
public:
    static constexpr std::uint32_t kClassId = 0x21D748FF;

    CRegistryAccelerateHandleQuery(std::int32_t buckets, std::uint32_t poolBlock, bool growable);
    ~CRegistryAccelerateHandleQuery() override;

    void Add(CRegistryElement* element) override;
    bool Remove(CRegistryElement* element) override;
    void Clear() override;
    bool Find(std::uint32_t classId, std::uintptr_t key, CRegistryElement** element) override;
    // Stores the registry and indexes every element it already holds.
    void Attach(CRegistry* registry) override;

private:
    CHash* m_index = nullptr;
};
