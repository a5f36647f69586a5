#include "tools/ByteWriter.h"

namespace vktools {

ByteWriter& ByteWriter::Put(std::uint64_t v, int size) {
    for (int i = 0; i < size; ++i) {
        const int shift = 8 * (m_bigEndian ? size - 1 - i : i);
        m_bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    return *this;
}

ByteWriter& ByteWriter::Append(const Bytes& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteWriter& ByteWriter::Append(std::string_view bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

void ByteWriter::PatchU32(std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        const int shift = 8 * (m_bigEndian ? 3 - i : i);
        m_bytes.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> shift);
    }
}

}  // namespace vktools
