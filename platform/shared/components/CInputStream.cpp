#include "platform/shared/components/CInputStream.h"

#include "platform/shared/core/Debug.h"

void ReverseBytes(void* bytes, std::uint32_t length) {
    DebugAssert(length % 2 == 0, "..\\..\\platform\\shared\\components\\src\\CInputStream.cpp", 23);
    auto* b = static_cast<std::uint8_t*>(bytes);
    for (std::uint32_t i = 0, j = length - 1; i < length / 2; ++i, --j) {
        const std::uint8_t t = b[i];
        b[i] = b[j];
        b[j] = t;
    }
}

std::uint64_t CInputStream::ReadValue(std::uint32_t size) {
    std::uint8_t bytes[8] = {};
    Read(bytes, size);
    if (m_swap && size > 1) ReverseBytes(bytes, size);
    std::uint64_t value = 0;
    for (std::uint32_t i = size; i-- > 0;) value = (value << 8) | bytes[i];
    return value;
}

std::uint8_t CInputStream::ReadU8() { return static_cast<std::uint8_t>(ReadValue(1)); }
std::int8_t CInputStream::ReadS8() { return static_cast<std::int8_t>(ReadValue(1)); }
std::uint16_t CInputStream::ReadU16() { return static_cast<std::uint16_t>(ReadValue(2)); }
std::int16_t CInputStream::ReadS16() { return static_cast<std::int16_t>(ReadValue(2)); }
std::uint32_t CInputStream::ReadU32() { return static_cast<std::uint32_t>(ReadValue(4)); }
std::int32_t CInputStream::ReadS32() { return static_cast<std::int32_t>(ReadValue(4)); }
std::uint64_t CInputStream::ReadU64() { return ReadValue(8); }
std::int64_t CInputStream::ReadS64() { return static_cast<std::int64_t>(ReadValue(8)); }
