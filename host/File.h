// File services: open, read, write, seek, size, close, move, delete, and the
// path of the running executable.
//
// Paths are in the phone's form: UTF-16 with backslash separators. They are
// converted at this edge (UTF-8, slashes) and handed to POSIX; a path the
// game builds from GetModuleFileNameW comes back to the same host file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "host/WinTypes.h"

using HMODULE = void*;
using LPWSTR = char16_t*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPDWORD = DWORD*;
using PLONG = LONG*;
struct SECURITY_ATTRIBUTES;  // never given: always null
struct OVERLAPPED;           // never given: always null

// Desired access.
constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
// Share mode (accepted; the host does not enforce sharing).
constexpr DWORD FILE_SHARE_READ = 0x00000001u;
// Creation disposition.
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;
// Seek origins.
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
// MoveFileExW flags.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001u;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008u;

constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Opens or creates a regular file; INVALID_HANDLE_VALUE on failure (a
// directory cannot be opened).
HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// Reads up to toRead bytes at the file position; *read gets the count moved
// (0 at the end of the file, which is still success). FALSE on an error.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED* overlapped);
// Writes toWrite bytes at the file position; *written gets the count moved.
// FALSE when not everything could be written.
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, OVERLAPPED* overlapped);
// Moves the file position by distance (signed; with distanceHigh the two
// make one 64-bit distance) from the origin. Returns the low 32 bits of the
// new position, or INVALID_SET_FILE_POINTER for a bad handle or origin, a
// position before the start, or (without distanceHigh) one past 4 GiB - 2.
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
// The file's size: low 32 bits, high ones in *sizeHigh. Without sizeHigh a
// size that does not fit in 32 bits is INVALID_FILE_SIZE.
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
// Makes the file's contents durable (fsync).
BOOL FlushFileBuffers(HANDLE file);
// Closes a handle from CreateFileW.
BOOL CloseHandle(HANDLE object);
// Renames a file; fails when the new name exists already.
BOOL MoveFileW(LPCWSTR existingName, LPCWSTR newName);
// Renames a file. With MOVEFILE_REPLACE_EXISTING an existing file under the
// new name is replaced in one atomic step (one of the two files always
// stands under the name); with MOVEFILE_WRITE_THROUGH the directory is then
// synced, so that the rename is durable. A failed sync after the rename is
// written to the debug output but not reported as a failure: the file
// stands under its new name.
BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags);
// Deletes a file (not a directory).
BOOL DeleteFileW(LPCWSTR fileName);
// The full path of the running executable (module must be null), in the
// phone's form, cut to size - 1 characters and terminated. Returns the count
// of characters stored without the terminator, or size when the path was
// cut; 0 on failure.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

namespace host {

// Names the directory that GetModuleFileNameW reports the executable in (a
// host path, UTF-8); the empty string returns to the executable's real
// directory. Tests and the Linux entry point's option use it.
void SetModuleDirectory(std::string_view directory);

// The host path of a path in the phone's form (UTF-8, slashes), and back.
std::string ToHostPath(std::u16string_view path);
std::u16string ToPhonePath(std::string_view path);

// Test hook: makes the next call of one file service fail. A failed
// WriteFile still writes half of the bytes, as a full storage would;
// DirectorySync fails the next directory sync of a MoveFileExW.
enum class FileFault { None, CreateFile, WriteFile, FlushFileBuffers, MoveFileEx, DirectorySync };
void InjectFileFault(FileFault fault);

// Test hook: while set, every call that would create, write, rename or
// delete a file fails with ERROR_ACCESS_DENIED, as in a read-only directory
// (which a test run as root cannot make).
void SetReadOnlyFiles(bool readOnly);

// Test hook: while set, told of every ReadFile before it reads: the file's
// host path, where it reads from and how many bytes it asks for.
using ReadObserver = std::function<void(const std::string& path, std::uint64_t offset, std::uint32_t bytes)>;
void SetReadObserver(ReadObserver observer);

}  // namespace host
