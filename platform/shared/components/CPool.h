// Fixed-size slot allocators. A pool hands out slots of one block, reusing
// freed slots first (last freed, first handed out); a growable pool chains a
// further pool of the same shape once it is full, and an emptied last pool
// of a chain deletes itself.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"
#include "platform/shared/core/CHash.h"

class CPool : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x0016699C;

    CPool(std::uint32_t slotCount, std::uint32_t elementSize, bool growable);
    ~CPool() override;

    CPool(const CPool&) = delete;
    CPool& operator=(const CPool&) = delete;

    // A slot of exactly the element size, or null when the chain is full and
    // cannot grow (or its storage could not be allocated).
    virtual void* Alloc(std::uint32_t size);
    // Gives a slot back; null is ignored.
    virtual void Free(void* address);

    std::uint32_t GetSlotCount() const { return m_slotCount; }
    std::uint32_t GetElementSize() const { return m_elementSize; }
    CPool* GetNextPool() const { return m_next; }

protected:
    // Empty pool for CManagedPool, which calls Init itself.
    CPool();
    void Init(std::uint32_t slotCount, std::uint32_t elementSize, bool growable);

private:
    // The chained form: same shape as the parent, always growable.
    explicit CPool(CPool* parent);
    void AllocateBlock();
    void ReleaseBlock();

    CPool* m_parent = nullptr;
    CPool* m_next = nullptr;
    unsigned char* m_block = nullptr;
    unsigned char** m_freeStack = nullptr;
    std::int32_t m_freeCount = 0;
    std::uint32_t m_slotCount = 0;
    std::uint32_t m_elementSize = 0;
    unsigned char* m_cursor = nullptr;
    unsigned char* m_blockEnd = nullptr;
    bool m_growable = false;
};

// A pool that records its live slots so that it can destroy every object
// still living in them at once. The objects must derive from CClass.
class CManagedPool : public CPool {
public:
    CManagedPool(std::int32_t tableBuckets, std::uint32_t slotCount, std::uint32_t elementSize, bool growable);
    ~CManagedPool() override;

    void* Alloc(std::uint32_t size) override;
    void Free(void* address) override;
    // Runs the destructor of every object living in a recorded slot and gives
    // the slot back, so that nothing is destroyed twice.
    virtual void DestroyAll();

    const CHash& GetLiveTable() const { return m_live; }

private:
    CHash m_live;
};
