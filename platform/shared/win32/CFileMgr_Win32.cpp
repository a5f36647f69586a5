#include "platform/shared/win32/CFileMgr_Win32.h"

#include <new>

#include "host/File.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/win32/CFile_Win32.h"

CFileMgr_Win32* CFileMgr_Win32::Create() { return new (std::nothrow) CFileMgr_Win32(); }

CFileMgr_Win32::CFileMgr_Win32() {
    m_directory[0] = u'\0';
    GetModuleFileNameW(nullptr, m_directory, kMaxPath);
    m_directory[kMaxPath - 1] = u'\0';
    // Cut at the last backslash: the directory without the file name.
    char16_t* lastSeparator = nullptr;
    for (char16_t* p = m_directory; *p != u'\0'; ++p) {
        if (*p == u'\\') lastSeparator = p;
    }
    if (lastSeparator != nullptr) *lastSeparator = u'\0';
}

ICFile* CFileMgr_Win32::Open(const char16_t* path, int mode) { return OpenFile(path, mode); }

CFile_Win32* CFileMgr_Win32::OpenFile(const char16_t* path, int mode) {
    if (path == nullptr) return nullptr;
    struct Mapping {
        DWORD access;
        DWORD disposition;
    };
    static constexpr Mapping kModes[] = {
        {GENERIC_READ, OPEN_EXISTING},   // kModeRead
        {GENERIC_WRITE, CREATE_ALWAYS},  // kModeWrite
        {GENERIC_WRITE, OPEN_ALWAYS},    // kModeUpdate
    };
    if (mode < kModeRead || mode > kModeUpdate) {
        DebugAssert(false, "CFileMgr_Win32", __LINE__);
        return nullptr;
    }
    auto* file = new (std::nothrow) CFile_Win32();
    if (file == nullptr) return nullptr;
    HANDLE handle = CreateFileW(path, kModes[mode].access, FILE_SHARE_READ, nullptr, kModes[mode].disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        delete file;
        return nullptr;
    }
    file->Attach(handle);
    return file;
}

bool CFileMgr_Win32::Exists(const char16_t* path) {
    ICFile* file = Open(path, kModeRead);
    if (file == nullptr) return false;
    Close(file);
    return true;
}

std::uint32_t CFileMgr_Win32::GetFileSize(const char16_t* path) {
    CFile_Win32* file = OpenFile(path, kModeRead);
    if (file == nullptr) return 0;
    const DWORD size = ::GetFileSize(file->GetHandle(), nullptr);
    Close(file);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

bool CFileMgr_Win32::Rename(const char16_t* oldPath, const char16_t* newPath) {
    if (oldPath == nullptr || newPath == nullptr) return false;
    return MoveFileW(oldPath, newPath) != FALSE;
}

bool CFileMgr_Win32::Delete(const char16_t* path) { return path != nullptr && DeleteFileW(path) != FALSE; }

int CFileMgr_Win32::ReportUnsupported(int line) {
    DebugAssert(false, "CFileMgr_Win32", line);
    return 0;
}

bool CFileMgr_Win32::Replace(const char16_t* source, const char16_t* target) {
    if (source == nullptr || target == nullptr) return false;
    return MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
