// Output stream into a file created (or truncated) through the file manager.
// The error flag reports the last write.
#pragma once

#include <cstdint>

#include "platform/shared/components/COutputStream.h"

class ICFile;

class CFileOutputStream : public COutputStream {
public:
    CFileOutputStream() = default;
    explicit CFileOutputStream(std::uint8_t swap) : COutputStream(swap) {}
    ~CFileOutputStream() override;

    // Creates or truncates the file. Returns 1, or 0 with the error flag set.
    int Open(const char16_t* path);
    void Close();

    void Write(const void* source, std::uint32_t n) override;

private:
    ICFile* m_file = nullptr;
};
