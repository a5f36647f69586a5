#include "platform/shared/core/CVector.h"

#include <algorithm>
#include <new>

#include "platform/shared/core/Debug.h"

CVector::CVector() { SetClassId(kClassId); }

CVector::~CVector() { delete[] m_data; }

std::int32_t CVector::Reallocate(std::int32_t n, bool exact) {
    DebugAssert(n >= 0, "CVector", 275);
    if (n < 0) return kBadSize;
    const std::int64_t wanted = exact ? n : std::max<std::int64_t>(10, 2 * static_cast<std::int64_t>(n));
    if (exact && wanted == 0) {
        delete[] m_data;
        m_data = nullptr;
        m_capacity = 0;
        return kOk;
    }
    if (!exact && wanted <= m_capacity) return kOk;
    // The storage was counted in 32-bit words: a byte size beyond 32 bits is
    // an allocation that cannot succeed.
    if (wanted * 4 > 0xFFFFFFFFll) return kNoMemory;
    const auto capacity = static_cast<std::int32_t>(wanted);
    auto* data = new (std::nothrow) std::uintptr_t[static_cast<std::size_t>(capacity)];
    if (data == nullptr) return kNoMemory;
    const std::int32_t kept = std::min(m_size, capacity);
    std::copy(m_data, m_data + kept, data);
    std::fill(data + kept, data + capacity, 0);
    delete[] m_data;
    m_data = data;
    m_capacity = capacity;
    return kOk;
}

std::int32_t CVector::InsertAt(std::int32_t index, std::uintptr_t value) {
    if (index < 0 || index > m_size) return kBadIndex;
    const std::int32_t result = Reallocate(m_size + 1, false);
    if (result != kOk) return result;
    std::copy_backward(m_data + index, m_data + m_size, m_data + m_size + 1);
    m_data[index] = value;
    ++m_size;
    return kOk;
}

std::int32_t CVector::RemoveAt(std::int32_t index, std::uintptr_t* removed) {
    if (index < 0 || index >= m_size) return kBadIndex;
    // Storage first, so that a failure leaves the elements untouched.
    const std::int32_t result = Reallocate(m_size - 1, false);
    if (result != kOk) return result;
    if (removed != nullptr) *removed = m_data[index];
    std::copy(m_data + index + 1, m_data + m_size, m_data + index);
    --m_size;
    return kOk;
}

std::int32_t CVector::Remove(std::uintptr_t value) {
    const std::int32_t index = IndexOf(value);
    if (index < 0) return kAbsent;
    return RemoveAt(index, nullptr);
}

std::int32_t CVector::Get(std::int32_t index, std::uintptr_t* value) const {
    if (index < 0 || index >= m_size) return kBadIndex;
    *value = m_data[index];
    return kOk;
}

std::int32_t CVector::Set(std::int32_t index, std::uintptr_t value) {
    if (index < 0 || index >= m_size) return kBadIndex;
    m_data[index] = value;
    return kOk;
}

std::int32_t CVector::IndexOf(std::int32_t start, std::uintptr_t value) const {
    for (std::int32_t i = std::max(start, 0); i < m_size; ++i) {
        if (m_data[i] == value) return i;
    }
    return -1;
}

std::int32_t CVector::LastIndexOf(std::int32_t start, std::uintptr_t value) const {
    for (std::int32_t i = std::min(start, m_size - 1); i >= 0; --i) {
        if (m_data[i] == value) return i;
    }
    return -1;
}

std::int32_t CVector::SetSize(std::int32_t n) {
    const std::int32_t result = Reallocate(n, false);
    if (result == kOk) m_size = n;
    return result;
}

std::int32_t CVector::Reserve(std::int32_t n) {
    if (n < 0) return kBadSize;
    return Reallocate(n, false);
}
