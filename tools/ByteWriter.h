// Builds a byte sequence from fixed-width values in a chosen byte order.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vktools {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    explicit ByteWriter(bool bigEndian = false) : m_bigEndian(bigEndian) {}

    ByteWriter& U8(std::uint8_t v) { return Put(v, 1); }
    ByteWriter& U16(std::uint16_t v) { return Put(v, 2); }
    ByteWriter& U32(std::uint32_t v) { return Put(v, 4); }
    ByteWriter& U64(std::uint64_t v) { return Put(v, 8); }
    ByteWriter& Append(const Bytes& bytes);
    ByteWriter& Append(std::string_view bytes);
    // Overwrites 4 bytes at offset (which must already exist).
    void PatchU32(std::size_t offset, std::uint32_t v);

    std::size_t Size() const { return m_bytes.size(); }
    const Bytes& Get() const { return m_bytes; }
    Bytes Take() { return std::move(m_bytes); }

private:
    ByteWriter& Put(std::uint64_t v, int size);

    bool m_bigEndian;
    Bytes m_bytes;
};

}  // namespace vktools
