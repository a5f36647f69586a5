// Decoding of the game's Ogg Vorbis sounds to 16-bit PCM with the integer
// decoder (Tremor), once, when a sound resource is loaded.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes one whole mono Ogg Vorbis stream held in memory into a new buffer
// of 16-bit little-endian samples, sized from the stream's sample total. On
// success the outputs receive the buffer (the caller releases it with
// delete[]) and its size in bytes. Fails, leaving the outputs untouched and
// nothing allocated, when the data is not an Ogg Vorbis stream, it does not
// end with the intact page that closes the stream (a cut stream), a stream is
// not mono, the last stream's length differs from its final granule position
// (it would start past sample 0), the total is negative, does not fit a
// 32-bit byte count or is more than the data can hold, the buffer cannot be had, decoding reports an error, or
// the decoded length differs from the total.
bool TremorDecodeToPcm(const std::uint8_t* data, std::uint32_t size, std::uint8_t** pcm, std::uint32_t* pcmSize);

// The checksum of an Ogg page of length bytes, as its bytes 22-25 carry it
// (little-endian): CRC-32 with polynomial 0x04C11DB7, no reflection, zero
// start, those four bytes counted as zeros.
std::uint32_t OggPageChecksum(const std::uint8_t* page, std::uint64_t length);

// The memory data source the decoder reads the stream from, and its four
// callbacks (stdio-like: read, seek, close, tell).
struct TremorMemorySource {
    const std::uint8_t* data = nullptr;  // not owned
    std::uint64_t size = 0;
    std::uint64_t position = 0;  // never past size
};

// Copies up to elementSize * count bytes from the current position; returns
// the number of bytes copied (0 at the end).
std::size_t TremorRead(void* destination, std::size_t elementSize, std::size_t count, void* source);
// whence 0: from the start, 1: from the position, 2: from the end (fseek's
// meaning). The new position is clamped to the data. Returns 0, or -1 for an
// unknown whence (the position is then unchanged).
int TremorSeek(void* source, std::int64_t offset, int whence);
// Nothing to release: the data belongs to the caller.
int TremorClose(void* source);
long TremorTell(void* source);
