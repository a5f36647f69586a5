#include "platform/shared/components/FileUtil.h"

#include "platform/shared/components/ICFileMgr.h"

namespace {

constexpr const char16_t* kTempFileName = u"temp.dat";

char16_t Separator(ICFileMgr* manager) { return manager == nullptr ? u'\\' : manager->GetPathSeparator()[0]; }

void AppendSeparator(CStrWChar& path, char16_t separator) {
    const char16_t text[] = {separator, u'\0'};
    path.Append(text);
}

void MakePath(CStrWChar& out, const char16_t* directory, char16_t separator, const char16_t* name) {
    // Built aside: the name may be the out string's own text.
    CStrWChar path(directory);
    if (path.GetLength() > 0) AppendSeparator(path, separator);
    path.Append(name);
    out.Assign(path);
}

}  // namespace

void MakeResourcePath(CStrWChar& out, const char16_t* name) {
    ICFileMgr* manager = ICFileMgr::GetInstance();
    MakePath(out, manager == nullptr ? nullptr : manager->GetResourceDir(), Separator(manager), name);
}

void MakeSavePath(CStrWChar& out, const char16_t* name) {
    ICFileMgr* manager = ICFileMgr::GetInstance();
    MakePath(out, manager == nullptr ? nullptr : manager->GetSaveDir(), Separator(manager), name);
}

void GetDirectory(CStrWChar& out, const char16_t* path) {
    // Copied first: the path may be the out string's own text.
    const CStrWChar whole(path);
    out.Clear();
    if (path == nullptr) return;
    const std::int32_t last = whole.FindChar(0, Separator(ICFileMgr::GetInstance()));
    if (last >= 0) out.Assign(whole.Substring(0, last - 1));
}

void GetFileName(CStrWChar& out, const char16_t* path) {
    // Copied first: the path may be the out string's own text.
    const CStrWChar whole(path);
    out.Clear();
    if (path == nullptr) return;
    const std::int32_t last = whole.FindChar(0, Separator(ICFileMgr::GetInstance()));
    out.Assign(last < 0 ? whole : whole.Substring(last + 1, whole.GetLength()));
}

bool ReadFileFully(const char16_t* path, void* buffer, std::uint32_t count) {
    if (buffer == nullptr || count == 0) return true;
    ICFileMgr* manager = ICFileMgr::GetInstance();
    ICFile* file = manager == nullptr ? nullptr : manager->Open(path, ICFileMgr::kModeRead);
    if (file == nullptr) return false;
    const bool ok = file->Read(buffer, count) == count;
    manager->Close(file);
    return ok;
}

bool WriteFileFully(const char16_t* path, const void* buffer, std::uint32_t count) {
    if (buffer == nullptr || count == 0) return false;
    ICFileMgr* manager = ICFileMgr::GetInstance();
    ICFile* file = manager == nullptr ? nullptr : manager->Open(path, ICFileMgr::kModeWrite);
    if (file == nullptr) return false;
    const bool ok = file->Write(buffer, count) == count;
    manager->Close(file);
    return ok;
}

bool WriteFileSafely(const char16_t* path, const void* buffer, std::uint32_t count) {
    ICFileMgr* manager = ICFileMgr::GetInstance();
    if (manager == nullptr) return false;
    if (buffer == nullptr || count == 0) {
        manager->Delete(path);
        return true;
    }
    // "temp.dat" beside the target: a bare file name keeps it in the same
    // (current) directory, and the rename never crosses file systems.
    const char16_t separator = Separator(manager);
    CStrWChar temp;
    GetDirectory(temp, path);
    if (temp.GetLength() > 0 && temp.GetBuffer()[temp.GetLength() - 1] != separator) AppendSeparator(temp, separator);
    temp.Append(kTempFileName);

    ICFile* file = manager->Open(temp.GetBuffer(), ICFileMgr::kModeWrite);
    if (file == nullptr) return false;
    bool ok = file->Write(buffer, count) == count && file->Flush();
    manager->Close(file);
    // The old file stays in place until the complete new one replaces it.
    ok = ok && manager->Replace(temp.GetBuffer(), path);
    if (!ok) manager->Delete(temp.GetBuffer());
    return ok;
}

bool ReadResourceFile(const char16_t* name, void* buffer, std::uint32_t count) {
    CStrWChar path;
    MakeResourcePath(path, name);
    return ReadFileFully(path.GetBuffer(), buffer, count);
}

bool ReadSaveFile(const char16_t* name, void* buffer, std::uint32_t count) {
    CStrWChar path;
    MakeSavePath(path, name);
    return ReadFileFully(path.GetBuffer(), buffer, count);
}

bool WriteSaveFile(const char16_t* name, const void* buffer, std::uint32_t count) {
    CStrWChar path;
    MakeSavePath(path, name);
    return WriteFileFully(path.GetBuffer(), buffer, count);
}

bool WriteSaveFileSafely(const char16_t* name, const void* buffer, std::uint32_t count) {
    CStrWChar path;
    MakeSavePath(path, name);
    return WriteFileSafely(path.GetBuffer(), buffer, count);
}

bool DeleteSaveFile(const char16_t* name) {
    ICFileMgr* manager = ICFileMgr::GetInstance();
    if (manager == nullptr) return false;
    CStrWChar path;
    MakeSavePath(path, name);
    return manager->Delete(path.GetBuffer());
}
