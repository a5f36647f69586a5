#include "host/File.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <utility>

#include "host/Debug.h"
#include "host/LastError.h"

namespace {

struct HostFile {
    int fd;
    std::string path;  // the host path it was opened with
};

std::string g_moduleDirectory;
host::ReadObserver g_readObserver;
host::FileFault g_fault = host::FileFault::None;
bool g_readOnly = false;

// False, with the error recorded, while files are read-only.
bool MayChangeFiles() {
    if (!g_readOnly) return true;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}

bool TakeFault(host::FileFault fault) {
    if (g_fault != fault) return false;
    g_fault = host::FileFault::None;
    return true;
}

HostFile* FromHandle(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
    return static_cast<HostFile*>(handle);
}

std::string RealExecutablePath() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    return std::string(path, static_cast<std::size_t>(n));
}

std::string ExecutablePath() {
    std::string path = RealExecutablePath();
    if (g_moduleDirectory.empty()) return path;
    const std::size_t slash = path.find_last_of('/');
    return g_moduleDirectory + "/" + (slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string ParentDirectory(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool SyncDirectoryOf(const std::string& path) {
    if (TakeFault(host::FileFault::DirectorySync)) return false;
    const int fd = open(ParentDirectory(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

std::int64_t FileSizeOf(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

}  // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/, SECURITY_ATTRIBUTES* /*security*/,
                   DWORD creationDisposition, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/) {
    if (fileName == nullptr || TakeFault(host::FileFault::CreateFile)) return INVALID_HANDLE_VALUE;
    const bool read = (desiredAccess & GENERIC_READ) != 0;
    const bool write = (desiredAccess & GENERIC_WRITE) != 0;
    if ((write || creationDisposition != OPEN_EXISTING) && !MayChangeFiles()) return INVALID_HANDLE_VALUE;
    int flags = O_CLOEXEC | (read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY);
    switch (creationDisposition) {
        case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
        case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
        case OPEN_EXISTING: break;
        case OPEN_ALWAYS: flags |= O_CREAT; break;
        case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
        default: return INVALID_HANDLE_VALUE;
    }
    std::string path = host::ToHostPath(fileName);
    const int fd = open(path.c_str(), flags, 0666);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    auto* file = new (std::nothrow) HostFile{fd, std::move(path)};
    if (file == nullptr) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED* /*overlapped*/) {
    if (read != nullptr) *read = 0;
    HostFile* file = FromHandle(handle);
    if (file == nullptr || (buffer == nullptr && toRead != 0)) return FALSE;
    if (g_readObserver) {
        const off_t at = lseek(file->fd, 0, SEEK_CUR);
        if (at >= 0) g_readObserver(file->path, static_cast<std::uint64_t>(at), toRead);
    }
    DWORD done = 0;
    while (done < toRead) {
        const ssize_t n = ::read(file->fd, static_cast<char*>(buffer) + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FALSE;
        if (n == 0) break;  // end of file: success with a short count
        done += static_cast<DWORD>(n);
        if (read != nullptr) *read = done;
    }
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, LPDWORD written, OVERLAPPED* /*overlapped*/) {
    if (written != nullptr) *written = 0;
    HostFile* file = FromHandle(handle);
    if (file == nullptr || (buffer == nullptr && toWrite != 0)) return FALSE;
    DWORD limit = toWrite;
    if (TakeFault(host::FileFault::WriteFile)) limit = toWrite / 2;
    DWORD done = 0;
    while (done < limit) {
        const ssize_t n = ::write(file->fd, static_cast<const char*>(buffer) + done, limit - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return FALSE;
        done += static_cast<DWORD>(n);
        if (written != nullptr) *written = done;
    }
    return done == toWrite ? TRUE : FALSE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    HostFile* file = FromHandle(handle);
    if (file == nullptr) return INVALID_SET_FILE_POINTER;
    std::int64_t move = distance;
    if (distanceHigh != nullptr) {
        move = static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(*distanceHigh)) << 32) |
                                         static_cast<std::uint32_t>(distance));
    }
    std::int64_t base;
    switch (moveMethod) {
        case FILE_BEGIN: base = 0; break;
        case FILE_CURRENT: base = lseek(file->fd, 0, SEEK_CUR); break;
        case FILE_END: base = FileSizeOf(file->fd); break;
        default: return INVALID_SET_FILE_POINTER;
    }
    if (base < 0) return INVALID_SET_FILE_POINTER;
    // Both sides are far from the limits: base is a file offset, move fits
    // in 64 bits, and anything past 2^62 is refused.
    if (move > (std::int64_t{1} << 62) || base > (std::int64_t{1} << 62)) return INVALID_SET_FILE_POINTER;
    const std::int64_t position = base + move;
    if (position < 0) return INVALID_SET_FILE_POINTER;
    if (distanceHigh == nullptr && position >= std::int64_t{INVALID_SET_FILE_POINTER}) return INVALID_SET_FILE_POINTER;
    if (lseek(file->fd, position, SEEK_SET) < 0) return INVALID_SET_FILE_POINTER;
    if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
    HostFile* file = FromHandle(handle);
    const std::int64_t size = file == nullptr ? -1 : FileSizeOf(file->fd);
    if (size < 0) return INVALID_FILE_SIZE;
    const auto high = static_cast<DWORD>(static_cast<std::uint64_t>(size) >> 32);
    if (sizeHigh != nullptr) {
        *sizeHigh = high;
    } else if (high != 0) {
        return INVALID_FILE_SIZE;
    }
    return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE handle) {
    HostFile* file = FromHandle(handle);
    if (file == nullptr || TakeFault(host::FileFault::FlushFileBuffers)) return FALSE;
    return fsync(file->fd) == 0 ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE handle) {
    HostFile* file = FromHandle(handle);
    if (file == nullptr) return FALSE;
    const bool ok = close(file->fd) == 0;
    delete file;
    return ok ? TRUE : FALSE;
}

namespace {

BOOL Move(LPCWSTR existingName, LPCWSTR newName, DWORD flags) {
    if (existingName == nullptr || newName == nullptr || !MayChangeFiles()) return FALSE;
    const std::string from = host::ToHostPath(existingName);
    const std::string to = host::ToHostPath(newName);
    if ((flags & MOVEFILE_REPLACE_EXISTING) != 0) {
        // rename() replaces the target atomically.
        if (std::rename(from.c_str(), to.c_str()) != 0) return FALSE;
    } else if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        // A file system without the no-replace rename: a hard link fails on
        // an existing target just the same.
        if (errno != EINVAL && errno != ENOSYS) return FALSE;
        if (link(from.c_str(), to.c_str()) != 0) return FALSE;
        unlink(from.c_str());
    }
    if ((flags & MOVEFILE_WRITE_THROUGH) != 0 && !SyncDirectoryOf(to)) {
        // The move is done and the file whole; only its durability is in
        // doubt. A failure here would make a caller take the file for lost.
        OutputDebugStringW(u"MoveFileExW: renamed, but the directory could not be synced");
        OutputDebugStringW(u"\n");
    }
    return TRUE;
}

}  // namespace

BOOL MoveFileW(LPCWSTR existingName, LPCWSTR newName) { return Move(existingName, newName, 0); }

BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags) {
    if (TakeFault(host::FileFault::MoveFileEx)) return FALSE;
    return Move(existingName, newName, flags);
}

BOOL DeleteFileW(LPCWSTR fileName) {
    if (fileName == nullptr || !MayChangeFiles()) return FALSE;
    return unlink(host::ToHostPath(fileName).c_str()) == 0 ? TRUE : FALSE;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    if (module != nullptr || fileName == nullptr || size == 0) return 0;
    const std::string path = ExecutablePath();
    if (path.empty()) return 0;
    const std::u16string wide = host::ToPhonePath(path);
    const bool cut = wide.size() >= size;
    const std::size_t n = cut ? size - 1 : wide.size();
    for (std::size_t i = 0; i < n; ++i) fileName[i] = wide[i];
    fileName[n] = u'\0';
    return cut ? size : static_cast<DWORD>(n);
}

namespace host {

void SetModuleDirectory(std::string_view directory) {
    g_moduleDirectory.assign(directory);
    while (g_moduleDirectory.size() > 1 && g_moduleDirectory.back() == '/') g_moduleDirectory.pop_back();
}

std::string ToHostPath(std::u16string_view path) {
    std::string out = ToUtf8(path);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

std::u16string ToPhonePath(std::string_view path) {
    std::u16string out = ToUtf16(path);
    for (char16_t& c : out) {
        if (c == u'/') c = u'\\';
    }
    return out;
}

void InjectFileFault(FileFault fault) { g_fault = fault; }

void SetReadOnlyFiles(bool readOnly) { g_readOnly = readOnly; }

void SetReadObserver(ReadObserver observer) { g_readObserver = std::move(observer); }

}  // namespace host
