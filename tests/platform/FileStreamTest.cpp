#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "host/File.h"
#include "platform/shared/components/CFileInputStream.h"
#include "platform/shared/components/CFileOutputStream.h"
#include "tests/platform/TestApp.h"
#include "tests/support/TempDir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileStreams, WriteThenReadInBothByteOrders) {
    ScopedTestApp app;
    TempDir dir;
    for (const std::uint8_t swap : {0, 1}) {
        const std::u16string path = dir.Phone(swap ? "big.dat" : "little.dat");
        {
            CFileOutputStream out(swap);
            ASSERT_EQ(out.Open(path.c_str()), 1);
            out.WriteU8(0xAB);
            out.WriteS16(-2);
            out.WriteU32(0x01020304);
            out.WriteS64(-3);
            EXPECT_EQ(out.HasError(), 0);
        }
        const std::string bytes = dir.Read(swap ? "big.dat" : "little.dat");
        ASSERT_EQ(bytes.size(), 15u);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[3]), swap ? 0x01 : 0x04);
        CFileInputStream in(swap);
        ASSERT_EQ(in.Open(path.c_str()), 1);
        EXPECT_EQ(in.Available(), 15u);
        EXPECT_EQ(in.ReadU8(), 0xAB);
        EXPECT_EQ(in.ReadS16(), -2);
        EXPECT_EQ(in.ReadU32(), 0x01020304u);
        EXPECT_EQ(in.ReadS64(), -3);
        EXPECT_EQ(in.HasError(), 0);
        EXPECT_EQ(in.Available(), 0u);
    }
}

TEST(FileStreams, ShortReadsAreStickyAndZeroFilled) {
    ScopedTestApp app;
    TempDir dir;
    dir.Write("five.dat", "\x01\x02\x03\x04\x05");
    CFileInputStream in;
    ASSERT_EQ(in.Open(dir.Phone("five.dat").c_str()), 1);
    in.Skip(2);
    EXPECT_EQ(in.Available(), 3u);
    EXPECT_EQ(in.ReadU32(), 0u);
    EXPECT_EQ(in.HasError(), 1);
    EXPECT_EQ(in.Available(), 0u);
    EXPECT_EQ(in.ReadU8(), 0);
    std::uint8_t dest[3] = {9, 9, 9};
    in.Read(dest, 3);
    EXPECT_EQ(Bytes(dest, dest + 3), Bytes(3, 0));
    // Reopening starts afresh; a skip past the end fails and keeps the place.
    ASSERT_EQ(in.Open(dir.Phone("five.dat").c_str()), 1);
    EXPECT_EQ(in.HasError(), 0);
    in.Skip(6);
    EXPECT_EQ(in.HasError(), 1);
    in.Close();
    EXPECT_EQ(in.Available(), 0u);
}

TEST(FileStreams, OpenFailures) {
    ScopedTestApp app;
    TempDir dir;
    dir.Write("empty.dat", "");
    CFileInputStream in;
    EXPECT_EQ(in.Open(dir.Phone("empty.dat").c_str()), 0);
    EXPECT_EQ(in.HasError(), 1);
    EXPECT_EQ(in.Open(dir.Phone("missing.dat").c_str()), 0);
    EXPECT_EQ(in.Open(nullptr), 0);
    EXPECT_EQ(in.ReadU16(), 0);
    CFileOutputStream out;
    EXPECT_EQ(out.Open(dir.Phone("no/such/dir.dat").c_str()), 0);
    EXPECT_EQ(out.HasError(), 1);
    out.WriteU8(1);
    EXPECT_EQ(out.HasError(), 1);
}

TEST(FileStreams, EachWriteReportsItsOwnOutcome) {
    ScopedTestApp app;
    TempDir dir;
    CFileOutputStream out;
    ASSERT_EQ(out.Open(dir.Phone("out.dat").c_str()), 1);
    out.WriteU32(1);
    EXPECT_EQ(out.HasError(), 0);
    host::InjectFileFault(host::FileFault::WriteFile);
    out.WriteU32(2);
    EXPECT_EQ(out.HasError(), 1);
    out.WriteU32(3);
    EXPECT_EQ(out.HasError(), 0);
    // Opening again truncates the file.
    ASSERT_EQ(out.Open(dir.Phone("out.dat").c_str()), 1);
    out.Close();
    EXPECT_EQ(dir.Read("out.dat"), "");
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
    EXPECT_EQ(in.Available(), 8u);
    EXPECT_EQ(in.ReadU8(), 0x5A);
}

}  // namespace
