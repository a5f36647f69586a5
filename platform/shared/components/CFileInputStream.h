// Input stream over a file opened for reading through the file manager.
#pragma once

#include <cstdint>

#include "platform/shared/components/CInputStream.h"

class ICFile;

class CFileInputStream : public CInputStream {
public:
    CFileInputStream() = default;
    explicit CFileInputStream(std::uint8_t swap) : CInputStream(swap) {}
    ~CFileInputStream() override;

    // Opens the file for reading; a missing or empty file, or one that cannot
    // be opened, fails with the error flag set. Returns 1 or 0.
    int Open(const char16_t* path);
    // Closes the file; the error flag is kept.
    void Close();

    std::uint32_t Available() override;
    void Skip(std::uint32_t n) override;
    void Read(void* dest, std::uint32_t n) override;

private:
    std::uint32_t m_fileSize = 0;
    ICFile* m_file = nullptr;
};
