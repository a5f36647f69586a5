#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "host/File.h"
#include "tests/support/TempDir.h"

namespace {

HANDLE Open(const std::u16string& path, DWORD disposition) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(HostFile, CreationDispositions) {
    TempDir dir;
    const std::u16string path = dir.Phone() + u"\\caf\u00e9.dat";  // UTF-8 on the host side
    EXPECT_EQ(Open(path, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
    // Contents after opening over "old!"; the game's own modes are tested through its file manager.
    const std::pair<DWORD, const char*> cases[] = {{CREATE_NEW, nullptr}, {TRUNCATE_EXISTING, ""}, {9, nullptr}};
    for (const auto& [disposition, after] : cases) {
        dir.Write("caf\xC3\xA9.dat", "old!");
        HANDLE h = Open(path, disposition);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, after != nullptr) << disposition;
        EXPECT_TRUE(h == INVALID_HANDLE_VALUE || CloseHandle(h) == TRUE);
        EXPECT_EQ(dir.Read("caf\xC3\xA9.dat"), after ? after : "old!") << disposition;
    }
}

TEST(HostFile, ModuleFileNameFollowsTheGameDirectory) {
    char real[4096];
    const ssize_t n = readlink("/proc/self/exe", real, sizeof real - 1);
    ASSERT_GT(n, 0);
    const std::string exe(real, static_cast<std::size_t>(n));
    char16_t buffer[260];
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 260), host::ToPhonePath(exe).size());
    EXPECT_EQ(std::u16string(buffer), host::ToPhonePath(exe));

    host::SetModuleDirectory("/srv/game/");
    GetModuleFileNameW(nullptr, buffer, 260);
    EXPECT_EQ(std::u16string(buffer), u"\\srv\\game\\" + host::ToPhonePath(exe.substr(exe.find_last_of('/') + 1)));
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 5u);  // cut and terminated
    EXPECT_EQ(std::u16string(buffer), u"\\srv");
    host::SetModuleDirectory("");
}

}  // namespace
