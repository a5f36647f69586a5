// A fixed-capacity buffer of wide characters into which a longer text is
// composed piece by piece: each append goes after what is there and is cut
// where the buffer is full (capacity - 1 characters and the terminator).
// Also the program's version and build information texts.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CTextBuf : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x622F053A;
    static constexpr std::int32_t kNoMemory = 2;

    CTextBuf() { SetClassId(kClassId); }
    ~CTextBuf() override { Free(); }

    CTextBuf(const CTextBuf&) = delete;
    CTextBuf& operator=(const CTextBuf&) = delete;

    // With the current capacity nothing changes; otherwise the storage is
    // replaced by one of capacity characters (none for capacity <= 0),
    // whose content is undefined until an append or Clear. Returns 0, or
    // kNoMemory, leaving no storage.
    std::int32_t Allocate(std::int32_t capacity);
    void Clear();
    // Appends do nothing without room for one character and the
    // terminator, or for a null text.
    void AppendWide(const char16_t* text);
    // Byte for character.
    void AppendNarrow(const char* text);
    // Nothing at all when the bytes hold a malformed or cut sequence.
    void AppendUtf8(const std::uint8_t* bytes, std::uint32_t count);
    // Nothing for id 0 or a missing text.
    void AppendStringResource(std::uint32_t id);
    void AppendNewlines(std::int32_t n);
    void Free();

    char16_t* GetBuffer() const { return m_buffer; }
    std::int32_t GetLength() const { return m_length; }

private:
    // Free characters, terminator included, when an append has room; else 0.
    std::uint32_t Room() const;
    void UpdateLength();

    char16_t* m_buffer = nullptr;
    std::int32_t m_length = 0;
    std::int32_t m_capacity = 0;
};

// "1.0", cut to fit size characters with its terminator.
void GetVersionText(char16_t* destination, std::uint32_t size);
// Six line feeds, "$Name:  $", a line feed, then the build's date and time
// in the compiler's forms ("Dec  4 2008 16:13:51"); cut to fit size
// characters with its terminator.
void GetBuildInfoText(char16_t* destination, std::uint32_t size);
