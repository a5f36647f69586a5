// The host's clock, file and text services.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "host/Clock.h"
#include "host/Debug.h"
#include "host/File.h"
#include "tests/support/TempDir.h"

namespace {

TEST(SystemTimeToFileTime, KnownDatesAndBadFields) {
    const std::tuple<SYSTEMTIME, BOOL, std::uint64_t> cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, TRUE, 0},
        {{2000, 2, 2, 29, 12, 30, 15, 250}, TRUE, 125963010152500000ull},
        {{2001, 2, 0, 29, 0, 0, 0, 0}, FALSE, 0},
    };
    for (const auto& [st, ok, units] : cases) {
        FILETIME ft{};
        ASSERT_EQ(SystemTimeToFileTime(&st, &ft), ok) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
        EXPECT_EQ((std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime, units) << st.wYear;
    }
}

TEST(HostFile, CreationDispositionsAndTheModuleFileName) {
    TempDir dir;
    const std::u16string path = dir.Phone() + u"\\caf\u00e9.dat";  // UTF-8 on the host side
    // Contents after opening over "old!"; the game's own modes are tested through its file manager.
    const std::pair<DWORD, const char*> cases[] = {{CREATE_NEW, nullptr}, {TRUNCATE_EXISTING, ""}, {9, nullptr}};
    for (const auto& [disposition, after] : cases) {
        dir.Write("caf\xC3\xA9.dat", "old!");
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, after != nullptr) << disposition;
        EXPECT_TRUE(h == INVALID_HANDLE_VALUE || CloseHandle(h) == TRUE);
        EXPECT_EQ(dir.Read("caf\xC3\xA9.dat"), after ? after : "old!") << disposition;
    }
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

TEST(HostUtf, RoundTripsAndReplacesMalformedInput) {
    EXPECT_EQ(host::ToUtf8(u"\u00e9\U0001F600"), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(host::ToUtf16("\xC3\xA9\xF0\x9F\x98\x80"), u"\u00e9\U0001F600");
    EXPECT_EQ(host::ToUtf16("\xC3" "a\x80\xC0\xAF"), u"\uFFFDa\uFFFD\uFFFD\uFFFD");  // truncated, stray, overlong
    EXPECT_EQ(host::ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
    const char16_t lone[] = {0xD800, u'a', 0};
    EXPECT_EQ(host::ToUtf8(lone), "\xEF\xBF\xBD" "a");
}

TEST(VirtualClock, StepsAtEveryTickRead) {
    host::SetVirtualClock(0xFFFFFFF0u, 0);
    host::SetVirtualClockStep(10);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFFAu);
    EXPECT_EQ(GetTickCount(), 4u);  // wraps like the device's count
    host::SetVirtualClockStep(0);
    EXPECT_EQ(GetTickCount(), 14u);
    EXPECT_EQ(GetTickCount(), 14u);
    host::SetVirtualClockStep(5);
    host::ClearVirtualClock();  // ends the step too
    host::SetVirtualClock(100, 0);
    EXPECT_EQ(GetTickCount(), 100u);
    EXPECT_EQ(GetTickCount(), 100u);
    host::ClearVirtualClock();
}

}  // namespace
