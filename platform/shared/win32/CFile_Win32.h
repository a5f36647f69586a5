// An open file on the phone's file services: the handle, closed when the
// object is deleted.
#pragma once

#include "host/File.h"
#include "platform/shared/components/ICFile.h"

class CFile_Win32 : public ICFile {
public:
    CFile_Win32() = default;
    ~CFile_Win32() override;

    // Takes ownership of an open handle (the object must have none yet).
    void Attach(HANDLE handle) { m_handle = handle; }
    HANDLE GetHandle() const { return m_handle; }

    bool IsOpen() override { return m_handle != nullptr; }
    bool Seek(std::int32_t offset, int origin) override;
    std::uint32_t Tell() override;
    std::uint32_t Read(void* destination, std::uint32_t count) override;
    std::uint32_t Write(const void* source, std::uint32_t count) override;
    bool Flush() override;

private:
    HANDLE m_handle = nullptr;
};
