#include "platform/shared/tremor/TremorDecode.h"

#include <tremor/ivorbisfile.h>

#include <bit>
#include <cstring>
#include <new>

#include "platform/shared/core/Debug.h"

// The decoder delivers samples in host byte order; the buffer's contract is
// little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {

// Bytes in the staging buffer of one ov_read call.
constexpr int kStagingBytes = 512;
// The largest sample total whose byte count fits in 32 bits.
constexpr ogg_int64_t kMaxSamples = 0x7FFFFFFF;

TremorMemorySource& Source(void* source) { return *static_cast<TremorMemorySource*>(source); }

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
// decode to exactly that length.
std::uint8_t* DecodeAll(OggVorbis_File& file, std::uint32_t& bytes) {
    if (!AllStreamsMono(file)) return nullptr;
    const ogg_int64_t total = ov_pcm_total(&file, -1);
    if (total < 0 || total > kMaxSamples) return nullptr;
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
    const int opened = ov_open_callbacks(&source, &file, nullptr, 0, callbacks);
    if (opened < 0) {
        // Not an Ogg Vorbis stream: a bad resource, reported and refused.
        DebugPrintf("TREMOR: cannot open the stream (%d)", opened);
        return false;
    }
    std::uint32_t bytes = 0;
    std::uint8_t* buffer = DecodeAll(file, bytes);
    ov_clear(&file);
    if (buffer == nullptr) return false;
    *pcm = buffer;
    *pcmSize = bytes;
    return true;
}
