#include "platform/shared/win32/CFile_Win32.h"

#include "platform/shared/core/Debug.h"

CFile_Win32::~CFile_Win32() {
    if (m_handle != nullptr) CloseHandle(m_handle);
}

bool CFile_Win32::Seek(std::int32_t offset, int origin) {
    if (m_handle == nullptr) return false;
    static constexpr DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (origin < kSeekBegin || origin > kSeekEnd) {
        DebugAssert(false, "CFile_Win32", __LINE__);
        return false;
    }
    return SetFilePointer(m_handle, offset, nullptr, kMethods[origin]) != INVALID_SET_FILE_POINTER;
}

std::uint32_t CFile_Win32::Tell() {
    if (m_handle == nullptr) return 0;
    const DWORD position = SetFilePointer(m_handle, 0, nullptr, FILE_CURRENT);
    return position == INVALID_SET_FILE_POINTER ? 0 : position;
}

std::uint32_t CFile_Win32::Read(void* destination, std::uint32_t count) {
    if (m_handle == nullptr) return 0;
    DWORD read = 0;
    ReadFile(m_handle, destination, count, &read, nullptr);
    return read;
}

std::uint32_t CFile_Win32::Write(const void* source, std::uint32_t count) {
    if (m_handle == nullptr) return 0;
    DWORD written = 0;
    WriteFile(m_handle, source, count, &written, nullptr);
    return written;
}

bool CFile_Win32::Flush() { return m_handle != nullptr && FlushFileBuffers(m_handle) != FALSE; }
