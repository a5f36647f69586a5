#include "src/SoftwareBlitter/CBmpFile.h"

#include <cstring>

#include "platform/shared/components/CArrayInputStream.h"

namespace {

constexpr const char* kSource = "CBmpFile";

// Bytes of one stored row: whole 32-bit words.
std::int64_t RowBytes(const BmpHeader& h) { return ((std::int64_t{h.width} * h.bitCount + 31) >> 5) * 4; }

}  // namespace

int CBmpFile::ParseHeader(const std::uint8_t* buffer, std::uint32_t size, BmpHeader* header) {
    BmpHeader h;
    CArrayInputStream in;
    if (!in.SetData(buffer, buffer != nullptr ? size : 0)) return 0;
    in.Read(h.signature, 2);
    h.fileSize = in.ReadU32();
    in.Skip(4);
    h.dataOffset = in.ReadU32();
    h.infoSize = in.ReadU32();
    h.width = in.ReadS32();
    h.height = in.ReadS32();
    h.planes = in.ReadU16();
    h.bitCount = in.ReadU16();
    h.compression = in.ReadU32();
    h.imageSize = in.ReadU32();
    h.xResolution = in.ReadS32();
    h.yResolution = in.ReadS32();
    h.coloursUsed = in.ReadS32();
    h.coloursImportant = in.ReadS32();
    if (in.HasError() || h.signature[0] != 'B' || h.signature[1] != 'M' || h.fileSize != size) return 0;
    if (h.width <= 0 || h.height <= 0 || h.compression != 0 || h.coloursUsed < 0) return 0;
    if (h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24) return 0;

    const std::int64_t paletteOffset = std::int64_t{h.infoSize} + 14;
    const std::int64_t entries = h.bitCount > 8 ? 0 : h.coloursUsed != 0 ? h.coloursUsed : 1 << h.bitCount;
    if (paletteOffset + entries * 4 > size) return 0;
    if (RowBytes(h) > size || h.dataOffset + RowBytes(h) * h.height > size) return 0;
    h.paletteOffset = static_cast<std::uint32_t>(paletteOffset);
    h.paletteSize = static_cast<std::uint32_t>(entries * 4);
    if (header != nullptr) *header = h;
    return 1;
}

CBmpFile::CBmpFile(const std::uint8_t* buffer, std::uint32_t size) : m_buffer(buffer), m_size(size) {
    DebugAssert(ParseHeader(buffer, size, &m_header) == 1, kSource, 12);
    m_stride = -RowBytes(m_header);
    if (m_header.paletteSize > 0) {
        m_palette = buffer + m_header.paletteOffset;
        m_paletteBytes = m_header.paletteSize;
    }
    m_topRow = m_header.dataOffset - (m_header.height - 1) * m_stride;
}

void CBmpCursor::Seek(int x, int y) {
    DebugAssert(x >= 0 && y >= 0 && x <= m_file->GetWidth() && y <= m_file->GetHeight(), kSource, 47);
    m_x = x;
    m_y = y;
    m_row = m_file->m_topRow + y * m_file->m_stride;
}

int CBmpCursor::GetPaletteIndex() const {
    if (m_file->GetPaletteSize() == 0) return -1;
    switch (m_file->GetBitCount()) {
        case 4: {
            const std::uint8_t pair = Row()[m_x / 2];
            return m_x % 2 == 0 ? pair >> 4 : pair & 15;
        }
        case 8:
            return Row()[m_x];
        default:
            DebugAssert(false, kSource, 92);
            return -1;
    }
}

std::uint32_t CBmpCursor::GetPixel() const {
    if (m_file->GetPaletteSize() > 0) {
        const std::uint32_t at = static_cast<std::uint32_t>(GetPaletteIndex()) * 4;
        if (at >= m_file->m_paletteBytes || m_file->m_paletteBytes - at < 4) return 0;
        const std::uint8_t* entry = m_file->m_palette + at;
        return entry[0] | entry[1] << 8 | entry[2] << 16 | static_cast<std::uint32_t>(entry[3]) << 24;
    }
    if (m_file->GetBitCount() == 24) {
        const std::uint8_t* bgr = Row() + std::int64_t{m_x} * 3;
        return bgr[0] | bgr[1] << 8 | bgr[2] << 16;
    }
    DebugAssert(false, kSource, 68);
    return 0;
}

void CBmpCursor::ReadRowIndices(std::uint8_t* dst, int n) const {
    if (m_file->GetPaletteSize() == 0) {
        std::memset(dst, 255, static_cast<std::size_t>(n));
        return;
    }
    DebugAssert(std::int64_t{m_x} + n <= m_file->GetWidth(), kSource, 103);
    const std::uint8_t* src = Row() + std::int64_t{m_x} * m_file->GetBitCount() / 8;
    switch (m_file->GetBitCount()) {
        case 4:
            if (m_x % 2 != 0 && n > 0) {
                *dst++ = *src++ & 15;
                --n;
            }
            for (int i = 0; i < n / 2; ++i, ++src) {
                *dst++ = *src >> 4;
                *dst++ = *src & 15;
            }
            if (n % 2 != 0) *dst = *src >> 4;
            break;
        case 8:
            std::memcpy(dst, src, static_cast<std::size_t>(n));
            break;
        default:
            DebugAssert(false, kSource, 128);
    }
}

void CBmpCursor::ReadColumnIndices(std::uint8_t* dst, int n) {
    if (m_file->GetPaletteSize() == 0) {
        std::memset(dst, 255, static_cast<std::size_t>(n));
        return;
    }
    DebugAssert(std::int64_t{m_y} + n <= m_file->GetHeight(), kSource, 139);
    for (int i = 0; i < n; ++i) {
        dst[i] = static_cast<std::uint8_t>(GetPaletteIndex());
        MoveY(1);
    }
    MoveY(-n);
}
