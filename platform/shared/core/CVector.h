// Growable array of word values (integers or pointers, hence uintptr_t).
// Operations report a result code; the storage grows to twice the needed
// size with a floor of 10 elements and never shrinks except by Compact.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CVector : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x36034282;

    enum Result : std::int32_t {
        kOk = 0,
        kNoMemory = 2,
        kBadSize = 3,
        kBadIndex = 5,
        kAbsent = 6,
    };

    CVector();
    ~CVector() override;

    CVector(const CVector&) = delete;
    CVector& operator=(const CVector&) = delete;

    std::int32_t GetSize() const { return m_size; }
    std::int32_t GetCapacity() const { return m_capacity; }
    std::uintptr_t* GetData() const { return m_data; }
    bool IsEmpty() const { return m_size == 0; }

    // Size 0; storage and element values stay.
    void Clear() { m_size = 0; }
    std::int32_t Add(std::uintptr_t value) { return InsertAt(m_size, value); }
    std::int32_t InsertAt(std::int32_t index, std::uintptr_t value);
    std::int32_t RemoveAt(std::int32_t index, std::uintptr_t* removed);
    // Removes the first element equal to the value.
    std::int32_t Remove(std::uintptr_t value);
    std::int32_t Get(std::int32_t index, std::uintptr_t* value) const;
    std::int32_t Set(std::int32_t index, std::uintptr_t value);

    // First index at or after start (last at or before start) holding the
    // value, or -1. A start outside the elements is brought inside.
    std::int32_t IndexOf(std::uintptr_t value) const { return IndexOf(0, value); }
    std::int32_t IndexOf(std::int32_t start, std::uintptr_t value) const;
    std::int32_t LastIndexOf(std::uintptr_t value) const { return LastIndexOf(m_size - 1, value); }
    std::int32_t LastIndexOf(std::int32_t start, std::uintptr_t value) const;

    std::int32_t SetSize(std::int32_t n);
    std::int32_t Reserve(std::int32_t n);
    // Storage of exactly the size (freed when empty).
    std::int32_t Compact() { return Reallocate(m_size, true); }
    // The one routine that changes the storage: capacity n when exact, else
    // max(10, 2n) but never less than the current capacity.
    std::int32_t Reallocate(std::int32_t n, bool exact);

private:
    std::uintptr_t* m_data = nullptr;
    std::int32_t m_size = 0;
    std::int32_t m_capacity = 0;
};
