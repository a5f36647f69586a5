#include "platform/shared/components/COutputStream.h"

#include "platform/shared/components/CInputStream.h"

void COutputStream::WriteValue(std::uint64_t value, std::uint32_t size) {
    std::uint8_t bytes[8];
    for (std::uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    if (m_swap && size > 1) ReverseBytes(bytes, size);
    Write(bytes, size);
}

void COutputStream::WriteU8(std::uint8_t value) { WriteValue(value, 1); }
void COutputStream::WriteS8(std::int8_t value) { WriteValue(static_cast<std::uint8_t>(value), 1); }
void COutputStream::WriteU16(std::uint16_t value) { WriteValue(value, 2); }
void COutputStream::WriteS16(std::int16_t value) { WriteValue(static_cast<std::uint16_t>(value), 2); }
void COutputStream::WriteU32(std::uint32_t value) { WriteValue(value, 4); }
void COutputStream::WriteS32(std::int32_t value) { WriteValue(static_cast<std::uint32_t>(value), 4); }
void COutputStream::WriteU64(std::uint64_t value) { WriteValue(value, 8); }
void COutputStream::WriteS64(std::int64_t value) { WriteValue(static_cast<std::uint64_t>(value), 8); }
