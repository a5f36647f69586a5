// The wire helpers of the network library: the keyed hash behind request
// keys and frame checksums, URL splitting, the counted strings and blobs of
// replies, and the device-information block. Everything on the wire is
// big-endian.
#pragma once

#include <cstdint>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/COutputStream.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/network/NetTypes.h"

namespace CWUtil {

// One-at-a-time hash over the key bytes and then the data bytes, each taken
// as a signed byte, from seed. Width 4 gives the 32-bit hash, 2 its 16-bit
// fold and 8 an 8-bit fold; any other width is a programming error.
std::uint32_t Hash(std::uint32_t seed, const std::uint8_t* key, std::int32_t keyLength, const std::uint8_t* data,
                   std::int32_t dataLength, std::int32_t width);

// The 8-byte request key: the 32-bit hash of the six numbers' text
// "%d_%d_%d_%d_%d_%d", seeded with the hash of the key text, written
// big-endian twice.
void GenerateKey(std::uint8_t* out, std::int32_t n0, std::int32_t n1, std::int32_t n2, std::int32_t n3, std::int32_t n4,
                 std::int32_t n5, const char* keyText);

// The frame checksum: the 16-bit fold over the 18 header bytes, then the
// extra header, then the payload, the key hashed again before each part.
std::uint16_t Checksum(const std::uint8_t* key, std::int32_t keyLength, const std::uint8_t* header,
                       std::int32_t headerLength, const std::uint8_t* extra, std::int32_t extraLength,
                       const std::uint8_t* payload, std::int32_t payloadLength);

// Splits [scheme "://"] host [":" port] ["/" path]; the first ':' after the
// scheme separates the port. 0, or 1 for no URL or a port outside 1-65535.
std::int32_t ParseURL(const char* url, CStrChar& host, std::uint16_t& port, CStrChar& path);

// A u16 byte count and that many UTF-8 bytes as a new[] text (null for a
// count of 0). 0, 2 no memory, 5 too few bytes.
std::int32_t ReadString(char16_t*& text, CArrayInputStream& stream);
// n bytes (ReadBlob) or a u16 count and that many (ReadBlob16) into a new
// blob. 0, 2 no memory, 5 too few bytes; the blob is empty on failure.
std::int32_t ReadBlob(NetBlob& blob, CInputStream& stream, std::uint32_t n);
std::int32_t ReadBlob16(NetBlob& blob, CInputStream& stream);
void FreeBlob(NetBlob& blob);

// 8 bytes: 2, 8, the render surface's width and height (s16), 16, the
// platform code.
void WriteDeviceInfo(COutputStream& stream);
std::int32_t GetDeviceInfoSize();

}  // namespace CWUtil

// Interleaves two 16-bit texts into a blob: their lengths, then b and a
// XOR-ed with each other, big-endian. 0; 1 for an empty text; 2 no memory;
// 0 with an empty blob when either text is absent.
std::int32_t ScrambleStringPair(NetBlob& out, const char16_t* a, const char16_t* b);

std::uint32_t HostToNet32(std::uint32_t value);
std::uint16_t HostToNet16(std::uint16_t value);
std::uint16_t NetToHost16(std::uint16_t value);
