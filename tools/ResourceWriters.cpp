#include "tools/ResourceWriters.h"

#include <zlib.h>

#include <cstdlib>

namespace vktools {

Bytes EncodeUtf8Units(std::u16string_view text) {
    Bytes out;
    for (const char16_t u : text) {
        if (u >= 1 && u <= 0x7F) {
            out.push_back(static_cast<std::uint8_t>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<std::uint8_t>(0xC0 | (u >> 6)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<std::uint8_t>(0xE0 | (u >> 12)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

Bytes MakeUtfString(std::u16string_view text) {
    const Bytes utf8 = EncodeUtf8Units(text);
    if (utf8.size() > 0xFFFF) std::abort();
    ByteWriter w(true);
    w.U16(static_cast<std::uint16_t>(utf8.size())).Append(utf8);
    return w.Take();
}

Bytes Deflate(const Bytes& data, int level) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), level) != Z_OK) std::abort();
    out.resize(size);
    return out;
}

Bytes MakeBlob(const Bytes& payload, BlobHeader header) {
    if (header.length < 3) std::abort();
    ByteWriter w;
    w.U16(header.length).U8(header.flags);
    for (int i = 3; i < header.length; ++i) w.U8(header.filler);
    return w.Append(payload).Take();
}

Bytes MakeCompressedPayload(std::uint32_t uncompressedSize, std::uint32_t compressedSize, const Bytes& stream) {
    ByteWriter w;
    return w.U32(uncompressedSize).U32(compressedSize).Append(stream).Take();
}

Bytes MakeCompressedBlob(const Bytes& data, int level, BlobHeader header) {
    const Bytes stream = Deflate(data, level);
    header.flags |= 0x80;
    return MakeBlob(MakeCompressedPayload(static_cast<std::uint32_t>(data.size()),
                                          static_cast<std::uint32_t>(stream.size()), stream),
                    header);
}

Bytes MakeAggregate(std::uint16_t flags, std::uint16_t baseId, const std::vector<AggregateItem>& items) {
    const bool consecutive = (flags & kAggregateConsecutiveIds) != 0;
    const bool longOffsets = (flags & kAggregateLongOffsets) != 0;
    const bool extras = (flags & kAggregateExtras) != 0;
    const std::size_t n = items.size();
    std::size_t tableSize = 4;
    if (n > 0) {
        tableSize += (consecutive ? 2 : 0) + n * ((consecutive ? 0 : 2) + (longOffsets ? 4 : 2)) + 4 +
                     (extras ? 4 * n : 0);
    }
    ByteWriter w;
    w.U16(flags).U16(static_cast<std::uint16_t>(n));
    if (n == 0) return w.Take();
    if (consecutive) w.U16(baseId);
    std::size_t offset = tableSize;
    for (const auto& item : items) {
        if (!consecutive) w.U16(item.id);
        if (longOffsets) {
            w.U32(static_cast<std::uint32_t>(offset));
        } else {
            if (offset > 0xFFFF) std::abort();
            w.U16(static_cast<std::uint16_t>(offset));
        }
        offset += item.data.size();
    }
    w.U32(static_cast<std::uint32_t>(offset));
    if (extras) {
        for (const auto& item : items) w.U32(item.extra);
    }
    for (const auto& item : items) w.Append(item.data);
    return w.Take();
}

Bytes MakeKeyset(const std::vector<std::uint32_t>& keys) {
    ByteWriter w;
    w.U16(static_cast<std::uint16_t>(keys.size()));
    for (const std::uint32_t key : keys) w.U32(key);
    return w.Take();
}

}  // namespace vktools
