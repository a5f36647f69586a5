// The file manager on the phone's file services. Resources and saves both
// live in the running executable's directory.
#pragma once

#include "platform/shared/components/ICFileMgr.h"

class CFile_Win32;

class CFileMgr_Win32 : public ICFileMgr {
public:
    static constexpr int kMaxPath = 260;

    // A new file manager, or null when out of memory.
    static CFileMgr_Win32* Create();

    CFileMgr_Win32();

    const char16_t* GetResourceDir() override { return m_directory; }
    const char16_t* GetSaveDir() override { return m_directory; }
    const char16_t* GetPathSeparator() override { return u"\\"; }
    ICFile* Open(const char16_t* path, int mode) override;
    void Close(ICFile* file) override { delete file; }
    bool Exists(const char16_t* path) override;
    std::uint32_t GetFileSize(const char16_t* path) override;
    bool Rename(const char16_t* oldPath, const char16_t* newPath) override;
    bool Delete(const char16_t* path) override;
    int Unsupported1() override { return ReportUnsupported(__LINE__); }
    int Unsupported2() override { return ReportUnsupported(__LINE__); }
    int Unsupported3() override { return ReportUnsupported(__LINE__); }
    std::uint32_t GetFreeSpace() override { return 0x7FFFFFFF; }
    bool Replace(const char16_t* source, const char16_t* target) override;

private:
    CFile_Win32* OpenFile(const char16_t* path, int mode);
    static int ReportUnsupported(int line);

    // The executable's directory, without a trailing separator.
    char16_t m_directory[kMaxPath];
};
