#include "platform/shared/components/CArrayInputStream.h"

#include <cstring>

#include "platform/shared/components/TextEncoding.h"

int CArrayInputStream::SetData(const void* data, std::uint32_t size) {
    m_error = 1;
    if (data == nullptr && size != 0) return 0;
    m_data = static_cast<const std::uint8_t*>(data);
    m_size = size;
    m_position = 0;
    m_error = 0;
    return 1;
}

void CArrayInputStream::Reset() {
    m_size = 0;
    m_data = nullptr;
    m_position = 0;
}

std::uint32_t CArrayInputStream::Available() {
    if (m_data == nullptr || m_error) return 0;
    return m_size - m_position;
}

void CArrayInputStream::Skip(std::uint32_t n) {
    if (n == 0) return;
    if (Available() >= n) {
        m_position += n;
    } else {
        m_error = 1;
    }
}

void CArrayInputStream::Read(void* dest, std::uint32_t n) {
    if (dest == nullptr || n == 0) return;
    if (Available() >= n) {
        std::memcpy(dest, m_data + m_position, n);
        m_position += n;
    } else {
        m_error = 1;
    }
    if (m_error) std::memset(dest, 0, n);
}

std::uint32_t CArrayInputStream::ReadUtf8Chars(std::uint32_t n, char16_t* wideDest, std::uint32_t capacity) {
    if (wideDest == nullptr || capacity == 0) return 0;
    wideDest[0] = u'\0';
    if (Available() < n) {
        m_error = 1;
        return 0;
    }
    const std::uint32_t chars = Utf8ToUtf16(m_data + m_position, n, wideDest, capacity);
    m_position += n;
    return chars;
}

std::uint32_t CArrayInputStream::ReadUTF(char16_t* wideDest, std::uint32_t capacity) {
    return ReadUtf8Chars(ReadU16BigEndian(), wideDest, capacity);
}

std::uint16_t CArrayInputStream::ReadU16BigEndian() {
    const std::uint8_t swap = m_swap;
    m_swap = 1;
    const std::uint16_t value = ReadU16();
    m_swap = swap;
    return value;
}
