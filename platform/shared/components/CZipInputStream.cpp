#include "platform/shared/components/CZipInputStream.h"

#include <cstring>

#include "platform/shared/core/Debug.h"

CZipInputStream::CZipInputStream() : CZipInputStream(0) {}

CZipInputStream::CZipInputStream(std::uint8_t swap) : CInputStream(swap) {
    std::memset(&m_zstream, 0, sizeof m_zstream);
    std::memset(m_window, 0, sizeof m_window);
}

CZipInputStream::~CZipInputStream() { Close(); }

int CZipInputStream::Open(const void* source, std::uint32_t sourceSize, std::uint32_t totalSize) {
    Close();
    m_source = static_cast<const std::uint8_t*>(source);
    m_sourceSize = sourceSize;
    m_consumed = 0;
    m_total = totalSize;
    m_delivered = 0;
    m_fill = 0;
    m_readPosition = 0;
    m_error = 0;
    DebugAssert(!m_active, "..\\..\\platform\\shared\\components\\src\\CZipInputStream.cpp", 61);
    std::memset(&m_zstream, 0, sizeof m_zstream);
    if (inflateInit(&m_zstream) != Z_OK) {
        m_error = 1;
        return 0;
    }
    m_active = 1;
    return 1;
}

void CZipInputStream::EndInflater() {
    if (m_active) inflateEnd(&m_zstream);
    m_active = 0;
}

void CZipInputStream::Close() {
    EndInflater();
    m_source = nullptr;
    m_sourceSize = 0;
    m_consumed = 0;
    m_total = 0;
    m_delivered = 0;
}

std::uint32_t CZipInputStream::Available() { return m_error ? 0 : m_total - m_delivered; }

void CZipInputStream::Skip(std::uint32_t n) {
    if (n == 0) return;
    Pull(nullptr, n);
}

void CZipInputStream::Read(void* dest, std::uint32_t n) {
    if (dest == nullptr || n == 0) return;
    Pull(static_cast<std::uint8_t*>(dest), n);
}

void CZipInputStream::Pull(std::uint8_t* dest, std::uint32_t n) {
    std::uint32_t done = 0;
    if (Available() < n) m_error = 1;
    while (!m_error && done < n) {
        if (m_readPosition >= m_fill) {
            Refill();
            if (m_fill == 0) {
                m_error = 1;
                break;
            }
        }
        const std::uint32_t left = m_fill - m_readPosition;
        const std::uint32_t k = n - done < left ? n - done : left;
        if (dest != nullptr) std::memcpy(dest + done, m_window + m_readPosition, k);
        m_readPosition += k;
        m_delivered += k;
        done += k;
    }
    if (m_error && dest != nullptr) std::memset(dest + done, 0, n - done);
}

void CZipInputStream::Refill() {
    m_fill = 0;
    m_readPosition = 0;
    if (!m_active) return;
    m_zstream.next_in = const_cast<Bytef*>(m_source + m_consumed);
    m_zstream.avail_in = m_sourceSize - m_consumed;
    m_zstream.next_out = m_window;
    m_zstream.avail_out = kWindowSize;
    const int result = inflate(&m_zstream, Z_NO_FLUSH);
    if (result == Z_OK || result == Z_STREAM_END) {
        m_fill = kWindowSize - m_zstream.avail_out;
        m_consumed = m_sourceSize - m_zstream.avail_in;
    } else {
        m_error = 1;
    }
    // The end of the stream, like any failure, ends the inflater: later
    // refills yield nothing.
    if (result != Z_OK) EndInflater();
}
