// The file manager: resolves the resource and save directories, opens,
// sizes, renames and deletes files. Paths are wide (UTF-16) strings in the
// phone's form.
#pragma once

#include <cstdint>

#include "platform/shared/components/CSingleton.h"
#include "platform/shared/components/ICFile.h"

class ICFileMgr : public CSingleton {
public:
    static constexpr std::uint32_t kClassId = 0x70FA1BDF;

    // Open modes.
    static constexpr int kModeRead = 0;    // an existing file, for reading
    static constexpr int kModeWrite = 1;   // a new or truncated file, for writing
    static constexpr int kModeUpdate = 2;  // for writing, keeping an existing file

    // The file manager: the one cached in the application object, else the
    // registered one, else a new CFileMgr_Win32. Null without an
    // application object.
    static ICFileMgr* GetInstance();

    // Clears the application object's cached pointer, then unregisters.
    ~ICFileMgr() override;
    ICFileMgr(const ICFileMgr&) = delete;
    ICFileMgr& operator=(const ICFileMgr&) = delete;

    // Directories without a trailing separator.
    virtual const char16_t* GetResourceDir() = 0;
    virtual const char16_t* GetSaveDir() = 0;
    virtual const char16_t* GetPathSeparator() = 0;
    // A new open file owned by the caller (give it back with Close), or null.
    virtual ICFile* Open(const char16_t* path, int mode) = 0;
    // Closes and deletes the file; null is ignored.
    virtual void Close(ICFile* file) = 0;
    // Whether the file can be opened for reading.
    virtual bool Exists(const char16_t* path) = 0;
    // The file's size in bytes; 0 when it cannot be opened for reading.
    virtual std::uint32_t GetFileSize(const char16_t* path) = 0;
    // Renames a file; fails when the new name exists already.
    virtual bool Rename(const char16_t* oldPath, const char16_t* newPath) = 0;
    virtual bool Delete(const char16_t* path) = 0;
    // Declared by the interface but not provided: they assert and return 0.
    virtual int Unsupported1() = 0;
    virtual int Unsupported2() = 0;
    virtual int Unsupported3() = 0;
    virtual std::uint32_t GetFreeSpace() = 0;
    // Renames source over target in one atomic step, made durable where the
    // storage allows: at every moment one complete file stands under the
    // target's name. True once the rename is done.
    virtual bool Replace(const char16_t* source, const char16_t* target) = 0;

protected:
    // Registers the file manager in the application's singleton table.
    ICFileMgr() : CSingleton(kClassId) {}
};
