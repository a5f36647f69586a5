#include "platform/shared/tremor/TremorDecode.h"

#include <tremor/ivorbisfile.h>

#include <array>
#include <bit>
#include <cstring>
#include <new>

#include "host/ThirdPartyScope.h"
#include "platform/shared/core/Debug.h"

// The decoder delivers samples in host byte order; the buffer's contract is
// little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {

// Bytes in the staging buffer of one ov_read call.
constexpr int kStagingBytes = 512;
// The largest sample total whose byte count fits in 32 bits.
constexpr ogg_int64_t kMaxSamples = 0x7FFFFFFF;
// A packet decodes to at most half the largest block (8192) and takes at
// least one byte of the stream.
constexpr ogg_int64_t kMaxSamplesPerByte = 4096;

TremorMemorySource& Source(void* source) { return *static_cast<TremorMemorySource*>(source); }

// Ogg page layout: "OggS", version 0, header flags, granule position,
// serial number, sequence number, checksum, lacing count, lacing values,
// then the body (the sum of the lacing values).
constexpr std::uint64_t kPageHeaderBytes = 27;
constexpr std::uint64_t kMaxPageBytes = kPageHeaderBytes + 255 + 255 * 255;
constexpr std::uint8_t kEndOfStreamFlag = 0x04;

// The page checksum's CRC of each byte value.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t crc = i << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        table[i] = crc;
    }
    return table;
}();

bool PageChecksumHolds(const std::uint8_t* page, std::uint64_t length) {
    const std::uint32_t stored = page[22] | page[23] << 8 | page[24] << 16 | std::uint32_t{page[25]} << 24;
    return OggPageChecksum(page, length) == stored;
}

// Whether the data ends with a whole, intact page that ends its logical
// stream; finalGranule receives that page's granule position. The decoder
// takes the sound's length from the last intact page it finds, so a stream
// cut after any page would otherwise decode as a complete, shorter sound.
bool FindFinalPage(const std::uint8_t* data, std::uint64_t size, ogg_int64_t& finalGranule) {
    if (size < kPageHeaderBytes) return false;
    const std::uint64_t lowest = size > kMaxPageBytes ? size - kMaxPageBytes : 0;
    // Searched backwards: the capture pattern may also occur inside a body.
    for (std::uint64_t at = size - kPageHeaderBytes + 1; at-- > lowest;) {
        const std::uint8_t* page = data + at;
        if (std::memcmp(page, "OggS", 4) != 0 || page[4] != 0) continue;
        const std::uint64_t header = kPageHeaderBytes + page[26];
        if (header > size - at) continue;
        std::uint64_t length = header;
        for (std::uint64_t i = 0; i < page[26]; ++i) length += page[kPageHeaderBytes + i];
        if (length != size - at || !PageChecksumHolds(page, length)) continue;
        std::uint64_t granule = 0;
        for (int i = 7; i >= 0; --i) granule = granule << 8 | page[6 + i];
        finalGranule = static_cast<ogg_int64_t>(granule);
        return (page[5] & kEndOfStreamFlag) != 0;
    }
    return false;
}

// Every logical stream must be mono: the buffer holds one channel.
bool AllStreamsMono(OggVorbis_File& file) {
    const long links = ov_streams(&file);
    for (long i = 0; i < links; ++i) {
        const vorbis_info* info = ov_info(&file, static_cast<int>(i));
        if (info == nullptr || info->channels != 1) return false;
    }
    return links > 0;
}

// Decodes the opened stream into a new buffer of exactly 2 * total bytes;
// null when the total is unusable, memory is short, or the stream does not
// decode to exactly that length. The last stream must start at sample 0, so
// that its length is the final page's granule position: otherwise the
// decoder takes a raised final granule for a later start and reports the
// untrimmed length as the total.
std::uint8_t* DecodeAll(OggVorbis_File& file, ogg_int64_t finalGranule, std::uint32_t dataBytes,
                        std::uint32_t& bytes) {
    if (!AllStreamsMono(file)) return nullptr;
    if (ov_pcm_total(&file, static_cast<int>(ov_streams(&file) - 1)) != finalGranule) return nullptr;
    const ogg_int64_t total = ov_pcm_total(&file, -1);
    // A total the data cannot hold is a lie, refused before its buffer is
    // allocated.
    if (total < 0 || total > kMaxSamples || total > dataBytes * kMaxSamplesPerByte) return nullptr;
    const auto expected = static_cast<std::uint32_t>(total * 2);
    auto* buffer = new (std::nothrow) std::uint8_t[expected];
    if (buffer == nullptr) return nullptr;

    char staging[kStagingBytes];
    std::uint32_t appended = 0;
    long got;
    while ((got = ov_read(&file, staging, kStagingBytes, nullptr)) > 0) {
        // A stream longer than its total ends as a failure, never past the buffer.
        if (static_cast<std::uint64_t>(got) > expected - appended) break;
        std::memcpy(buffer + appended, staging, static_cast<std::size_t>(got));
        appended += static_cast<std::uint32_t>(got);
    }
    if (got != 0 || appended != expected) {
        delete[] buffer;
        return nullptr;
    }
    bytes = expected;
    return buffer;
}

}  // namespace

std::uint32_t OggPageChecksum(const std::uint8_t* page, std::uint64_t length) {
    std::uint32_t crc = 0;
    for (std::uint64_t i = 0; i < length; ++i) {
        const std::uint8_t byte = i >= 22 && i < 26 ? 0 : page[i];
        crc = (crc << 8) ^ kCrcTable[(crc >> 24) ^ byte];
    }
    return crc;
}

std::size_t TremorRead(void* destination, std::size_t elementSize, std::size_t count, void* source) {
    TremorMemorySource& src = Source(source);
    const std::uint64_t left = src.size - src.position;
    std::uint64_t n = left;
    if (elementSize == 0) {
        n = 0;
    } else if (count <= left / elementSize) {
        n = std::uint64_t{elementSize} * count;
    }
    if (n == 0) return 0;
    std::memcpy(destination, src.data + src.position, static_cast<std::size_t>(n));
    src.position += n;
    return static_cast<std::size_t>(n);
}

int TremorSeek(void* source, std::int64_t offset, int whence) {
    TremorMemorySource& src = Source(source);
    std::uint64_t base;
    switch (whence) {
        case 0: base = 0; break;
        case 1: base = src.position; break;
        case 2: base = src.size; break;
        default: return -1;
    }
    if (offset < 0) {
        const std::uint64_t back = 0 - static_cast<std::uint64_t>(offset);
        src.position = back > base ? 0 : base - back;
    } else {
        const auto forward = static_cast<std::uint64_t>(offset);
        src.position = forward > src.size - base ? src.size : base + forward;
    }
    return 0;
}

int TremorClose(void*) { return 0; }

long TremorTell(void* source) { return static_cast<long>(Source(source).position); }

bool TremorDecodeToPcm(const std::uint8_t* data, std::uint32_t size, std::uint8_t** pcm, std::uint32_t* pcmSize) {
    if (data == nullptr) size = 0;
    TremorMemorySource source{data, size, 0};
    const ov_callbacks callbacks{TremorRead, TremorSeek, TremorClose, TremorTell};
    OggVorbis_File file;
    int opened;
    {
        // Tremor's header reader loses a 4-byte list when a header after the
        // first is damaged; it is not ours to free.
        host::ThirdPartyScope headers;
        opened = ov_open_callbacks(&source, &file, nullptr, 0, callbacks);
    }
    if (opened < 0) {
        // Not an Ogg Vorbis stream: a bad resource, reported and refused.
        DebugPrintf("TREMOR: cannot open the stream (%d)", opened);
        return false;
    }
    std::uint32_t bytes = 0;
    std::uint8_t* buffer = nullptr;
    ogg_int64_t finalGranule = 0;
    if (FindFinalPage(data, size, finalGranule)) {
        buffer = DecodeAll(file, finalGranule, size, bytes);
    } else {
        DebugPrintf("TREMOR: the stream is cut short");
    }
    ov_clear(&file);
    if (buffer == nullptr) return false;
    *pcm = buffer;
    *pcmSize = bytes;
    return true;
}
