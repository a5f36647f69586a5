// Input stream that inflates a zlib stream held in memory (not owned)
// through a 512-byte window. The caller gives the uncompressed size, which
// is what Available counts down from.
#pragma once

#include <zlib.h>

#include <cstdint>

#include "platform/shared/components/CInputStream.h"

class CZipInputStream : public CInputStream {
public:
    static constexpr std::uint32_t kWindowSize = 512;

    CZipInputStream();
    explicit CZipInputStream(std::uint8_t swap);
    ~CZipInputStream() override;

    // Starts inflating sourceSize bytes at source, which are to yield
    // totalSize bytes. Returns 1, or 0 with the error flag set.
    int Open(const void* source, std::uint32_t sourceSize, std::uint32_t totalSize);
    void Close();

    std::uint32_t Available() override;
    void Skip(std::uint32_t n) override;
    void Read(void* dest, std::uint32_t n) override;

private:
    // Delivers n bytes to dest, or drops them when dest is null.
    void Pull(std::uint8_t* dest, std::uint32_t n);
    void Refill();
    void EndInflater();

    std::uint8_t m_active = 0;
    z_stream m_zstream;
    const std::uint8_t* m_source = nullptr;
    std::uint32_t m_sourceSize = 0;
    std::uint32_t m_consumed = 0;
    std::uint8_t m_window[kWindowSize];
    std::uint32_t m_fill = 0;
    std::uint32_t m_readPosition = 0;
    std::uint32_t m_total = 0;
    std::uint32_t m_delivered = 0;
};
