#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "host/File.h"
#include "platform/shared/components/CFileInputStream.h"
#include "platform/shared/components/CFileOutputStream.h"
#include "platform/shared/win32/CFileMgr_Win32.h"
#include "tests/platform/TestApp.h"
#include "tests/support/TempDir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileStreams, ByteOrdersAndPerWriteErrors) {
    ScopedTestApp app;
    TempDir dir;
    const std::u16string path = dir.Phone("f.dat");
    for (const std::uint8_t swap : {0, 1}) {
        {
            CFileOutputStream out(swap);
            ASSERT_EQ(out.Open(path.c_str()), 1);
            out.WriteS16(-2);
            host::InjectFileFault(host::FileFault::WriteFile);
            out.WriteU8(9);
            EXPECT_EQ(out.HasError(), 1);
            out.WriteU32(0x01020304);
            EXPECT_EQ(out.HasError(), 0);  // not sticky
            out.Write(nullptr, 4);
            EXPECT_EQ(out.HasError(), 1);
        }
        EXPECT_EQ(dir.Read("f.dat")[2], swap ? 0x01 : 0x04);
        CFileInputStream in(swap);
        ASSERT_EQ(in.Open(path.c_str()), 1);
        EXPECT_EQ(in.ReadS16(), -2);
        EXPECT_EQ(in.ReadU32(), 0x01020304u);
        EXPECT_EQ(in.HasError(), 0);
    }
}

TEST(FileStreams, ShortReadsAreStickyAndZeroFilled) {
    ScopedTestApp app;
    TempDir dir;
    dir.Write("five.dat", "\x01\x02\x03\x04\x05");
    CFileInputStream in;
    ASSERT_EQ(in.Open(dir.Phone("five.dat").c_str()), 1);
    in.Skip(2);
    EXPECT_EQ(in.ReadU32(), 0u);
    EXPECT_EQ(in.HasError(), 1);
    std::uint8_t dest[3] = {9, 9, 9};
    in.Read(dest, 3);
    EXPECT_EQ(Bytes(dest, dest + 3), Bytes(3, 0));
}

TEST(FileStreams, NothingAvailablePastTheRecordedSize) {
    ScopedTestApp app;
    // A manager whose files stand past the size it reported when opened:
    // the bytes left must not wrap round to nearly 4 GiB.
    struct OpensAtTheEnd : CFileMgr_Win32 {
        ICFile* Open(const char16_t* path, int mode) override {
            ICFile* file = CFileMgr_Win32::Open(path, mode);
            if (file != nullptr) file->Seek(0, ICFile::kSeekEnd);
            return file;
        }
        std::uint32_t GetFileSize(const char16_t* path) override { return CFileMgr_Win32::GetFileSize(path) / 2; }
    };
    new OpensAtTheEnd();  // owned by the application's singleton table
    TempDir dir;
    dir.Write("ten.dat", "0123456789");
    CFileInputStream in;
    ASSERT_EQ(in.Open(dir.Phone("ten.dat").c_str()), 1);
    EXPECT_EQ(in.Available(), 0u);
}

TEST(FileStreams, SkipsMoreThanTwoGibibytesForward) {
    ScopedTestApp app;
    TempDir dir;
    // A sparse file of 2^31 + 16 bytes with a marker 2^31 + 8 bytes in.
    constexpr std::uint32_t kFar = 0x80000008u;
    const int fd = open(dir.HostPath("big.dat").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const bool made = ftruncate(fd, off_t{kFar} + 8) == 0 && pwrite(fd, "\x5A", 1, off_t{kFar}) == 1;
    close(fd);
    ASSERT_TRUE(made);
    CFileInputStream in;
    ASSERT_EQ(in.Open(dir.Phone("big.dat").c_str()), 1);
    in.ReadU8();
    in.Skip(kFar - 1);
    EXPECT_EQ(in.HasError(), 0);
    EXPECT_EQ(in.ReadU8(), 0x5A);
}

}  // namespace
