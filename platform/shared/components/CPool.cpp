#include "platform/shared/components/CPool.h"

#include <new>

#include "platform/shared/core/Debug.h"

namespace {
constexpr const char* kPoolSource = "CPool";
}

CPool::CPool(std::uint32_t slotCount, std::uint32_t elementSize, bool growable) {
    SetClassId(kClassId);
    Init(slotCount, elementSize, growable);
}

CPool::CPool() { SetClassId(kClassId); }

CPool::CPool(CPool* parent)
    : m_parent(parent), m_slotCount(parent->m_slotCount), m_elementSize(parent->m_elementSize), m_growable(true) {
    SetClassId(kClassId);
    AllocateBlock();
}

CPool::~CPool() {
    delete m_next;
    ReleaseBlock();
}

void CPool::Init(std::uint32_t slotCount, std::uint32_t elementSize, bool growable) {
    m_parent = nullptr;
    m_next = nullptr;
    ReleaseBlock();
    m_slotCount = slotCount;
    m_elementSize = elementSize;
    m_growable = growable;
    AllocateBlock();
}

void CPool::AllocateBlock() {
    // A block that cannot be had leaves the pool empty (cursor == block end)
    // so that Alloc moves on to the chain or reports null.
    const std::uint64_t bytes = static_cast<std::uint64_t>(m_slotCount) * m_elementSize;
    if (bytes == 0 || bytes > 0xFFFFFFFFu) return;
    m_block = new (std::nothrow) unsigned char[bytes];
    m_freeStack = new (std::nothrow) unsigned char*[m_slotCount];
    if (m_block == nullptr || m_freeStack == nullptr) {
        ReleaseBlock();
        return;
    }
    m_cursor = m_block;
    m_blockEnd = m_block + bytes;
}

void CPool::ReleaseBlock() {
    delete[] m_block;
    delete[] m_freeStack;
    m_block = nullptr;
    m_freeStack = nullptr;
    m_freeCount = 0;
    m_cursor = nullptr;
    m_blockEnd = nullptr;
}

void* CPool::Alloc(std::uint32_t size) {
    DebugAssert(size == m_elementSize, kPoolSource, 90);
    if (m_freeCount > 0) return m_freeStack[--m_freeCount];
    if (m_cursor < m_blockEnd) {
        void* slot = m_cursor;
        m_cursor += m_elementSize;
        return slot;
    }
    if (m_next != nullptr) return m_next->Alloc(size);
    if (!m_growable || m_block == nullptr) return nullptr;
    CPool* next = new (std::nothrow) CPool(this);
    if (next == nullptr) return nullptr;
    if (next->m_block == nullptr) {
        delete next;
        return nullptr;
    }
    m_next = next;
    return m_next->Alloc(size);
}

void CPool::Free(void* address) {
    if (address == nullptr) return;
    const auto addr = reinterpret_cast<std::uintptr_t>(address);
    if (addr >= reinterpret_cast<std::uintptr_t>(m_block) && addr < reinterpret_cast<std::uintptr_t>(m_blockEnd)) {
        m_freeStack[m_freeCount++] = static_cast<unsigned char*>(address);
        const std::uint64_t freedBytes = static_cast<std::uint64_t>(m_freeCount) * m_elementSize;
        if (m_parent != nullptr && m_next == nullptr &&
            freedBytes == static_cast<std::uint64_t>(m_cursor - m_block)) {
            // Every slot this last pool handed out is back: it leaves the chain.
            m_parent->m_next = nullptr;
            delete this;
        }
        return;
    }
    if (m_next != nullptr) {
        m_next->Free(address);
        return;
    }
    DebugAssert(false, kPoolSource, 139);
}

CManagedPool::CManagedPool(std::int32_t tableBuckets, std::uint32_t slotCount, std::uint32_t elementSize,
                           bool growable) {
    Init(slotCount, elementSize, growable);
    m_live.Init(tableBuckets, slotCount, growable);
}

CManagedPool::~CManagedPool() { CManagedPool::DestroyAll(); }

void* CManagedPool::Alloc(std::uint32_t size) {
    void* slot = CPool::Alloc(size);
    const auto key = reinterpret_cast<std::uintptr_t>(slot);
    m_live.Insert(key, key);
    return slot;
}

void CManagedPool::Free(void* address) {
    m_live.Remove(reinterpret_cast<std::uintptr_t>(address));
    CPool::Free(address);
}

void CManagedPool::DestroyAll() {
    for (std::int32_t b = 0; b < m_live.GetBucketCount(); ++b) {
        CHashNode* node = m_live.GetBucket(b);
        while (node != nullptr) {
            CHashNode* next = node->next;  // Free below unlinks this node
            const std::uintptr_t value = node->value;
            if (value != 0) {
                reinterpret_cast<CClass*>(value)->~CClass();
                Free(reinterpret_cast<void*>(value));
            } else {
                m_live.Remove(0);
            }
            node = next;
        }
    }
}
