// Writers of the game's resource formats: stream strings, resource blobs
// (plain and zlib-compressed), aggregates and keysets. Everything is built
// byte by byte, independently of the readers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

// The stored UTF-8 form of 16-bit text: each unit encoded on its own in one
// to three bytes (surrogates separately, unit 0 as C0 80).
Bytes EncodeUtf8Units(std::u16string_view text);
// A stream string: big-endian u16 byte count, then EncodeUtf8Units.
Bytes MakeUtfString(std::u16string_view text);

// A zlib stream (RFC 1950) of data at the given level (0-9) made by zlib.
Bytes Deflate(const Bytes& data, int level);

// Blob header: length H (at least 3), flags byte and H - 3 filler bytes.
struct BlobHeader {
    std::uint16_t length = 4;
    std::uint8_t flags = 0;
    std::uint8_t filler = 0;
};
// A blob holding payload as it is.
Bytes MakeBlob(const Bytes& payload, BlobHeader header = {});
// A blob whose payload is compressed: flag bit 7 set, then U, K and the zlib
// stream of the data.
Bytes MakeCompressedBlob(const Bytes& data, int level = 6, BlobHeader header = {});
// A compressed payload with the sizes as given (for payloads that lie about
// them); MakeBlob with flags 0x80 wraps it.
Bytes MakeCompressedPayload(std::uint32_t uncompressedSize, std::uint32_t compressedSize, const Bytes& stream);

// Aggregate flag bits.
constexpr std::uint16_t kAggregateConsecutiveIds = 0x8000;
constexpr std::uint16_t kAggregateLongOffsets = 0x4000;
constexpr std::uint16_t kAggregateExtras = 0x2000;

struct AggregateItem {
    std::uint16_t id = 0;  // ignored with consecutive ids
    Bytes data;
    std::uint32_t extra = 0;  // written with kAggregateExtras
};
// An aggregate payload: flags, count, [base id], records, end offset,
// [extras], then the items' data in order.
Bytes MakeAggregate(std::uint16_t flags, std::uint16_t baseId, const std::vector<AggregateItem>& items);

// A keyset payload: u16 count, then the u32 keys.
Bytes MakeKeyset(const std::vector<std::uint32_t>& keys);

}  // namespace vktools
