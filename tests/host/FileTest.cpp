#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "host/Debug.h"
#include "host/File.h"
#include "tests/support/TempDir.h"

namespace {

HANDLE Open(const std::u16string& path, DWORD access, DWORD disposition) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAll(HANDLE h, DWORD count) {
    std::string out(count, '\0');
    DWORD read = 0xDEAD;
    EXPECT_EQ(ReadFile(h, out.data(), count, &read, nullptr), TRUE);
    out.resize(read);
    return out;
}

TEST(HostFile, CreationDispositions) {
    TempDir dir;
    const auto path = dir.Phone("a.dat");
    EXPECT_EQ(Open(path, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open(path, GENERIC_WRITE, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(dir.Exists("a.dat"));

    struct Case {
        DWORD disposition;
        bool succeeds;
        const char* after;  // contents after opening over "old!"
    };
    const Case cases[] = {
        {CREATE_ALWAYS, true, ""},   {OPEN_ALWAYS, true, "old!"}, {OPEN_EXISTING, true, "old!"},
        {CREATE_NEW, false, "old!"}, {TRUNCATE_EXISTING, true, ""}, {9, false, "old!"},
    };
    for (const auto& c : cases) {
        dir.Write("a.dat", "old!");
        HANDLE h = Open(path, GENERIC_WRITE, c.disposition);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.succeeds) << c.disposition;
        if (h != INVALID_HANDLE_VALUE) {
            EXPECT_EQ(CloseHandle(h), TRUE);
        }
        EXPECT_EQ(dir.Read("a.dat"), c.after) << c.disposition;
    }
    HANDLE created = Open(dir.Phone("new.dat"), GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    EXPECT_TRUE(dir.Exists("new.dat"));

    // Directories are not files.
    EXPECT_EQ(Open(dir.Phone(), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

TEST(HostFile, ReadWriteSeekAndSize) {
    TempDir dir;
    HANDLE w = Open(dir.Phone("f.bin"), GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(w, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_EQ(WriteFile(w, "0123456789", 10, &written, nullptr), TRUE);
    EXPECT_EQ(written, 10u);
    char byte = 0;
    DWORD read = 7;
    EXPECT_EQ(ReadFile(w, &byte, 1, &read, nullptr), FALSE);  // write-only handle
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(FlushFileBuffers(w), TRUE);
    EXPECT_EQ(CloseHandle(w), TRUE);

    HANDLE h = Open(dir.Phone("f.bin"), GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(h, nullptr), 10u);
    DWORD high = 5;
    EXPECT_EQ(GetFileSize(h, &high), 10u);
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(WriteFile(h, "x", 1, &written, nullptr), FALSE);  // read-only handle

    struct Seek {
        LONG distance;
        DWORD method;
        DWORD position;  // INVALID_SET_FILE_POINTER: refused, position kept
        const char* next3;
    };
    const Seek seeks[] = {
        {4, FILE_BEGIN, 4, "456"},
        {-2, FILE_CURRENT, 5, "567"},  // after reading 3 bytes at 4 the position was 7
        {-3, FILE_END, 7, "789"},
        {-11, FILE_END, INVALID_SET_FILE_POINTER, ""},  // before the start
        {0, 3, INVALID_SET_FILE_POINTER, ""},
        {12, FILE_BEGIN, 12, ""},  // past the end reads nothing
    };
    for (const auto& s : seeks) {
        EXPECT_EQ(SetFilePointer(h, s.distance, nullptr, s.method), s.position) << s.distance;
        if (s.position != INVALID_SET_FILE_POINTER) {
            EXPECT_EQ(ReadAll(h, 3), s.next3) << s.distance;
        }
    }
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
    EXPECT_EQ(ReadAll(h, 100), "0123456789");  // short read at the end is success
    LONG distanceHigh = 0;
    EXPECT_EQ(SetFilePointer(h, 2, &distanceHigh, FILE_BEGIN), 2u);
    EXPECT_EQ(distanceHigh, 0);
    EXPECT_EQ(CloseHandle(h), TRUE);

    EXPECT_EQ(SetFilePointer(INVALID_HANDLE_VALUE, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetFileSize(nullptr, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(CloseHandle(INVALID_HANDLE_VALUE), FALSE);
}

TEST(HostFile, MoveAndDelete) {
    TempDir dir;
    dir.Write("a", "A");
    dir.Write("b", "B");
    EXPECT_EQ(MoveFileW(dir.Phone("a").c_str(), dir.Phone("b").c_str()), FALSE);  // never replaces
    EXPECT_EQ(dir.Read("a"), "A");
    EXPECT_EQ(dir.Read("b"), "B");
    EXPECT_EQ(MoveFileW(dir.Phone("a").c_str(), dir.Phone("c").c_str()), TRUE);
    EXPECT_FALSE(dir.Exists("a"));
    EXPECT_EQ(dir.Read("c"), "A");
    EXPECT_EQ(MoveFileW(dir.Phone("missing").c_str(), dir.Phone("d").c_str()), FALSE);

    EXPECT_EQ(MoveFileExW(dir.Phone("c").c_str(), dir.Phone("b").c_str(), 0), FALSE);
    EXPECT_EQ(MoveFileExW(dir.Phone("c").c_str(), dir.Phone("b").c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
              TRUE);
    EXPECT_FALSE(dir.Exists("c"));
    EXPECT_EQ(dir.Read("b"), "A");

    EXPECT_EQ(DeleteFileW(dir.Phone("b").c_str()), TRUE);
    EXPECT_FALSE(dir.Exists("b"));
    EXPECT_EQ(DeleteFileW(dir.Phone("b").c_str()), FALSE);
    EXPECT_EQ(DeleteFileW(dir.Phone().c_str()), FALSE);  // not a directory
    EXPECT_EQ(DeleteFileW(nullptr), FALSE);
}

TEST(HostFile, PathsAreConvertedAtTheEdge) {
    TempDir dir;
    const std::string name = "caf\xC3\xA9.dat";  // UTF-8 on the host side
    dir.Write(name, "x");
    std::u16string phone = dir.Phone() + u"\\caf\u00e9.dat";
    HANDLE h = Open(phone, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_EQ(host::ToHostPath(u"\\a\\b.c"), "/a/b.c");
    EXPECT_EQ(host::ToPhonePath("/a/b.c"), u"\\a\\b.c");
}

TEST(HostFile, ModuleFileName) {
    char real[4096];
    const ssize_t n = readlink("/proc/self/exe", real, sizeof real - 1);
    ASSERT_GT(n, 0);
    const std::string exe(real, static_cast<std::size_t>(n));
    const std::string exeName = exe.substr(exe.find_last_of('/') + 1);

    char16_t buffer[260];
    DWORD got = GetModuleFileNameW(nullptr, buffer, 260);
    EXPECT_EQ(std::u16string(buffer), host::ToPhonePath(exe));
    EXPECT_EQ(got, host::ToPhonePath(exe).size());

    host::SetModuleDirectory("/srv/game/");
    got = GetModuleFileNameW(nullptr, buffer, 260);
    EXPECT_EQ(std::u16string(buffer), host::ToPhonePath("/srv/game/" + exeName));
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 5u);  // cut and terminated
    EXPECT_EQ(std::u16string(buffer), u"\\srv");
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 0), 0u);
    int module = 0;
    EXPECT_EQ(GetModuleFileNameW(&module, buffer, 260), 0u);

    host::SetModuleDirectory("");
    GetModuleFileNameW(nullptr, buffer, 260);
    EXPECT_EQ(std::u16string(buffer), host::ToPhonePath(exe));
}

TEST(HostFile, InjectedFaultsHitOnce) {
    TempDir dir;
    const auto path = dir.Phone("f");
    host::InjectFileFault(host::FileFault::CreateFile);
    EXPECT_EQ(Open(path, GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    HANDLE h = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);

    DWORD written = 0;
    host::InjectFileFault(host::FileFault::WriteFile);
    EXPECT_EQ(WriteFile(h, "abcdef", 6, &written, nullptr), FALSE);
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(WriteFile(h, "gh", 2, &written, nullptr), TRUE);
    host::InjectFileFault(host::FileFault::FlushFileBuffers);
    EXPECT_EQ(FlushFileBuffers(h), FALSE);
    EXPECT_EQ(FlushFileBuffers(h), TRUE);
    CloseHandle(h);
    EXPECT_EQ(dir.Read("f"), "abcgh");

    host::InjectFileFault(host::FileFault::MoveFileEx);
    EXPECT_EQ(MoveFileExW(path.c_str(), dir.Phone("g").c_str(), MOVEFILE_REPLACE_EXISTING), FALSE);
    EXPECT_EQ(MoveFileExW(path.c_str(), dir.Phone("g").c_str(), MOVEFILE_REPLACE_EXISTING), TRUE);
    host::InjectFileFault(host::FileFault::None);
}

}  // namespace
