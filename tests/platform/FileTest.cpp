// Files, safe save, the streams over files, arrays and zlib, and the text
// encodings (against iconv).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/File.h"
#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CFileInputStream.h"
#include "platform/shared/components/CFileOutputStream.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/CZipInputStream.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/components/U32Array.h"
#include "platform/shared/win32/CFileMgr_Win32.h"
#include "tests/platform/TestApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempDir.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;

std::u16string Of(const CStrWChar& s) { return s.GetBuffer() == nullptr ? u"" : s.GetBuffer(); }

// A scratch game directory with the application (and so its file manager).
class FileTest : public testing::Test {
protected:
    FileTest() { host::SetModuleDirectory(m_dir.Path()); }
    ~FileTest() override { host::SetModuleDirectory(""); }

    std::u16string Path(const char* name) const { return m_dir.Phone(name); }
    static ICFileMgr* Mgr() { return ICFileMgr::GetInstance(); }
    static std::string ReadBack(ICFile* file, std::uint32_t count) {
        std::string out(count, '\0');
        out.resize(file->Read(out.data(), count));
        return out;
    }

    TempDir m_dir;
    ScopedTestApp m_app;
};

TEST_F(FileTest, PathsDirectoriesAndFileNames) {
    // A file manager registered first is the one the getter finds.
    struct NoSaveDirectory : CFileMgr_Win32 {
        const char16_t* GetSaveDir() override { return u""; }
    };
    new NoSaveDirectory();  // owned by the application's singleton table
    CStrWChar path(u"hs.dat");
    MakeResourcePath(path, path.GetBuffer());  // the name may be the out string's own text
    EXPECT_EQ(Of(path), m_dir.Phone() + u"\\hs.dat");
    MakeSavePath(path, u"prefs.dat");
    EXPECT_EQ(Of(path), u"prefs.dat");
    const struct {
        const char16_t* path;
        const char16_t* directory;
        const char16_t* name;
    } cases[] = {
        {u"\\a\\b\\c.dat", u"\\a\\b", u"c.dat"}, {u"c.dat", u"", u"c.dat"}, {u"\\c.dat", u"\\", u"c.dat"},
        {u"a\\", u"a", u""},                     {nullptr, u"", u""},
    };
    for (const auto& c : cases) {
        CStrWChar out(u"stale");
        GetDirectory(out, c.path);
        EXPECT_EQ(Of(out), c.directory);
        GetFileName(out, c.path);
        EXPECT_EQ(Of(out), c.name);
    }
}

TEST_F(FileTest, WriteFileSafelyReplacesOrKeepsTheOldFile) {
    using host::FileFault;
    const struct {
        FileFault fault;
        bool ok;
    } cases[] = {{FileFault::CreateFile, false}, {FileFault::WriteFile, false}, {FileFault::FlushFileBuffers, false},
                 {FileFault::MoveFileEx, false},
                 // The rename is done and the new file whole: a save that succeeded, logged.
                 {FileFault::DirectorySync, true}};
    for (const auto& c : cases) {
        m_dir.Write("save.dat", "old contents");
        host::InjectFileFault(c.fault);
        DebugCapture capture;
        EXPECT_EQ(WriteFileSafely(Path("save.dat").c_str(), "new", 3), c.ok) << static_cast<int>(c.fault);
        host::InjectFileFault(FileFault::None);
        EXPECT_EQ(m_dir.Read("save.dat"), c.ok ? "new" : "old contents") << static_cast<int>(c.fault);
        EXPECT_FALSE(m_dir.Exists("temp.dat")) << static_cast<int>(c.fault);
        EXPECT_EQ(capture.Text().find("could not be synced") != std::string::npos, c.ok);
    }
    m_dir.Write("temp.dat", "leftover of an earlier run");
    EXPECT_TRUE(WriteSaveFileSafely(u"save.dat", "new!", 4));
    char buffer[8] = {};
    EXPECT_FALSE(ReadSaveFile(u"save.dat", buffer, 5));  // longer than the file
    EXPECT_TRUE(ReadSaveFile(u"save.dat", buffer, 4));
    EXPECT_STREQ(buffer, "new!");
    EXPECT_FALSE(m_dir.Exists("temp.dat"));

    // A bare file name keeps the temporary file beside it: a directory in the
    // way of "temp.dat" there makes the save fail.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.Path());
    std::filesystem::create_directory(m_dir.HostPath("temp.dat"));
    EXPECT_FALSE(WriteFileSafely(u"save.dat", "other", 5));
    EXPECT_EQ(m_dir.Read("save.dat"), "new!");
    std::filesystem::current_path(previous);
}

TEST_F(FileTest, WholeFileLoadsAndShortReads) {
    CStrChar narrow("held");
    EXPECT_FALSE(narrow.LoadFromFile(Path("none").c_str()));
    EXPECT_EQ(narrow.GetBuffer(), nullptr);
    m_dir.Write("f", std::string("key=1\0x", 7));
    ASSERT_TRUE(narrow.LoadFromFile(Path("f").c_str()));
    EXPECT_EQ(std::string(narrow.GetBuffer(), 8), std::string("key=1\0x\0", 8));
    CStrWChar wide;
    m_dir.Write("f", std::string("a\0\x34\x12z", 5));  // odd last byte dropped
    ASSERT_TRUE(wide.LoadFromFile(Path("f").c_str()));
    EXPECT_EQ(Of(wide), u"a\x1234");

    // The file shrank after its size was taken: every whole-file load fails.
    struct StaleSize : CFileMgr_Win32 {
        std::uint32_t GetFileSize(const char16_t* path) override { return CFileMgr_Win32::GetFileSize(path) + 2; }
    };
    delete Mgr();  // replaced: the new one is owned by the application's singleton table
    new StaleSize();
    CBinRes blob;
    const std::u16string f = Path("f");
    EXPECT_EQ(std::tuple(blob.LoadFromFile(f.c_str()), narrow.LoadFromFile(f.c_str()), wide.LoadFromFile(f.c_str())),
              std::tuple(0, false, false));
    EXPECT_TRUE(blob.GetPayload() == nullptr && narrow.GetBuffer() == nullptr && wide.GetBuffer() == nullptr);
}

TEST_F(FileTest, OpenModesSeeksRenameAndDelete) {
    // Contents after writing "xy" over "abcdef".
    for (const auto& [mode, after] : {std::pair{ICFileMgr::kModeWrite, "xy"}, std::pair{ICFileMgr::kModeUpdate, "xycdef"}}) {
        m_dir.Write("f", "abcdef");
        std::unique_ptr<ICFile> file(Mgr()->Open(Path("f").c_str(), mode));
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(ReadBack(file.get(), 1), "");  // opened for writing only
        EXPECT_EQ(file->Write("xy", 2), 2u);
        Mgr()->Close(file.release());
        EXPECT_EQ(m_dir.Read("f"), after) << mode;
    }
    EXPECT_EQ(Mgr()->GetFileSize(Path("none").c_str()), 0u);
    EXPECT_EQ(Mgr()->Open(Path("none").c_str(), ICFileMgr::kModeRead), nullptr);
    EXPECT_FALSE(Mgr()->Exists(m_dir.Phone().c_str()));  // a directory is no file
    std::unique_ptr<ICFile> file(Mgr()->Open(Path("f").c_str(), ICFileMgr::kModeRead));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Write("z", 1), 0u);  // opened for reading only
    EXPECT_TRUE(file->Seek(-5, ICFile::kSeekEnd));
    EXPECT_FALSE(file->Seek(-2, ICFile::kSeekCurrent));  // before the start: the position stays
    EXPECT_EQ(file->Tell(), 1u);
    EXPECT_EQ(ReadBack(file.get(), 100), "ycdef");
    EXPECT_EQ(ReadBack(file.get(), 1), "");
    file.reset();

    m_dir.Write("b", "B");
    EXPECT_FALSE(Mgr()->Rename(Path("f").c_str(), Path("b").c_str()));  // never replaces
    EXPECT_EQ(m_dir.Read("b"), "B");
    EXPECT_TRUE(Mgr()->Rename(Path("f").c_str(), Path("c").c_str()));
    EXPECT_EQ(m_dir.Read("c"), "xycdef");
    EXPECT_TRUE(Mgr()->Delete(Path("c").c_str()));
    EXPECT_FALSE(Mgr()->Delete(Path("c").c_str()));
}

TEST_F(FileTest, FileStreamsPerWriteErrorsShortReadsAndFarSkips) {
    {
        CFileOutputStream out(1);
        ASSERT_EQ(out.Open(Path("f").c_str()), 1);
        out.WriteS16(-2);
        host::InjectFileFault(host::FileFault::WriteFile);
        out.WriteU8(9);
        EXPECT_EQ(out.HasError(), 1);
        out.WriteU32(0x01020304);
        EXPECT_EQ(out.HasError(), 0);  // not sticky
        out.Write(nullptr, 4);
        EXPECT_EQ(out.HasError(), 1);
    }
    EXPECT_EQ(m_dir.Read("f"), "\xFF\xFE\x01\x02\x03\x04");
    CFileInputStream in(1);
    ASSERT_EQ(in.Open(Path("f").c_str()), 1);
    EXPECT_EQ(in.ReadS16(), -2);
    in.Skip(1);
    EXPECT_EQ(in.ReadU32(), 0u);  // 3 left
    EXPECT_EQ(in.HasError(), 1);
    std::uint8_t dest[3] = {9, 9, 9};
    in.Read(dest, 3);  // sticky, zero-filled
    EXPECT_EQ(Bytes(dest, dest + 3), Bytes(3, 0));

    // A sparse file of 2^31 + 16 bytes with a marker 2^31 + 8 bytes in.
    constexpr std::uint32_t kFar = 0x80000008u;
    const int fd = open(m_dir.HostPath("big.dat").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const bool made = ftruncate(fd, off_t{kFar} + 8) == 0 && pwrite(fd, "\x5A", 1, off_t{kFar}) == 1;
    close(fd);
    ASSERT_TRUE(made);
    ASSERT_EQ(in.Open(Path("big.dat").c_str()), 1);
    in.ReadU8();
    in.Skip(kFar - 1);
    EXPECT_EQ(in.HasError(), 0);
    EXPECT_EQ(in.ReadU8(), 0x5A);

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
    delete Mgr();
    new OpensAtTheEnd();
    ASSERT_EQ(in.Open(Path("f").c_str()), 1);
    EXPECT_EQ(in.Available(), 0u);
}

TEST(ArrayStreams, TypedValuesInBothByteOrdersAndErrors) {
    const Bytes bytes = {0xFF, 0x01, 0x80, 0x01, 0x02, 0x03, 0x84, 1, 2, 3, 4, 5, 6, 7, 0x88};
    const struct {
        std::uint8_t swap;
        std::int16_t s16;
        std::uint32_t u32;
        std::uint64_t u64;
    } cases[] = {
        {0, -32767, 0x84030201u, 0x8807060504030201ull},
        {1, 0x0180, 0x01020384u, 0x0102030405060788ull},
    };
    for (const auto& c : cases) {
        CArrayInputStream in(c.swap);
        ASSERT_EQ(in.SetData(bytes.data(), 15), 1);
        EXPECT_EQ(in.ReadS8(), -1);
        EXPECT_EQ(in.ReadS16(), c.s16);
        EXPECT_EQ(in.ReadU32(), c.u32);
        EXPECT_EQ(in.ReadS64(), static_cast<std::int64_t>(c.u64));
        EXPECT_EQ(in.HasError(), 0);
        EXPECT_EQ(in.ReadU8(), 0);  // past the end: the error sticks
        EXPECT_EQ(in.HasError(), 1);
        Bytes written(15);
        CArrayOutputStream out(c.swap);
        ASSERT_EQ(out.Attach(written.data(), 15), 1);
        out.WriteS8(-1);
        out.WriteS16(c.s16);
        out.WriteU32(c.u32);
        out.WriteS64(static_cast<std::int64_t>(c.u64));
        EXPECT_EQ(out.HasError(), 0);
        EXPECT_EQ(written, bytes);
        out.WriteU8(0);  // no room
        EXPECT_EQ(out.HasError(), 1);
        out.Write(bytes.data(), 0);
        EXPECT_EQ(out.HasError(), 0);  // not sticky
    }
    CArrayInputStream in;
    in.SetData(bytes.data(), 5);
    in.Skip(2);
    EXPECT_EQ(in.ReadU32(), 0u);  // 3 left
    std::uint8_t dest[2] = {9, 9};
    in.Read(dest, 2);  // the error sticks although bytes are left
    EXPECT_EQ(Bytes(dest, dest + 2), Bytes(2, 0));
}

TEST(ArrayStreams, UTFTextHasABigEndianCountInEitherByteOrder) {
    const char16_t withNul[] = {u'a', 0, u'b'};
    // "a\u00e9\u20ac" takes 1 + 2 + 3 bytes; only whole sequences are written. A text
    // too long for the 16-bit count is refused whole.
    const struct {
        std::u16string text;
        std::uint32_t capacity;
        Bytes stored;
        std::uint8_t error;
    } cases[] = {
        {std::u16string(withNul, 3), 16, {0, 4, 'a', 0xC0, 0x80, 'b'}, 0},
        {u"a\u00e9\u20ac", 7, {0, 6, 'a', 0xC3, 0xA9}, 1},
        {u"a\u00e9\u20ac", 2, {0, 2}, 1},  // nothing of the text fits
        {std::u16string(0x5556, u'\u20ac'), 70000, {0xEE, 0xEE}, 1},  // 65538 bytes
    };
    for (const std::uint8_t swap : {0, 1}) {
        for (const auto& c : cases) {
            Bytes buffer(c.capacity, 0xEE);
            CArrayOutputStream out(swap);
            out.Attach(buffer.data(), c.capacity);
            out.WriteUTF(c.text.data(), static_cast<std::uint32_t>(c.text.size()));
            EXPECT_EQ(out.HasError(), c.error) << c.capacity;
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + static_cast<long>(c.stored.size())), c.stored);
            if (c.error) continue;
            CArrayInputStream in(swap);
            in.SetData(buffer.data(), static_cast<std::uint32_t>(c.stored.size()));
            char16_t text[8];
            EXPECT_EQ(in.ReadUTF(text, 8), c.text.size());
            EXPECT_EQ(std::u16string(text, c.text.size()), c.text);
        }
    }
}

TEST(U32ArrayLoad, ReadsRawWordsOrFailsWithoutMemory) {
    const std::uint8_t bytes[] = {1, 0, 0, 0, 2, 0, 0, 0, 9};
    CArrayInputStream s(1);
    s.SetData(bytes, sizeof bytes);
    U32Array a;
    ASSERT_EQ(a.LoadFromStream(s), 1);
    EXPECT_EQ(a.count, 2u);
    EXPECT_EQ(a.words[1], 2u);  // never byte-reversed
    s.SetData(bytes, sizeof bytes);
    FailNthNothrowNew(0);
    EXPECT_EQ(a.LoadFromStream(s), 0);
    FailNthNothrowNew(-1);
    EXPECT_EQ(a.count, 0u);  // no count over missing words
    EXPECT_EQ(a.words, nullptr);
}

TEST(ZipInputStream, InflatesEveryLevelInAnyChunkSize) {
    for (const std::uint32_t size : {0u, 1u, 513u, 70000u}) {
        const Bytes data = MakeSampleData(size, size);
        for (int level = 0; level <= 9; ++level) {
            const Bytes stream = vktools::Deflate(data, level);
            for (const std::uint32_t chunk : {1u, 3u, 511u, 512u, 4096u}) {
                CZipInputStream zip;
                ASSERT_EQ(zip.Open(stream.data(), static_cast<std::uint32_t>(stream.size()), size), 1);
                Bytes out(size);
                for (std::uint32_t done = 0; done < size; done += chunk) {
                    zip.Read(out.data() + done, std::min(size - done, chunk));
                }
                ASSERT_EQ(zip.HasError(), 0) << size << " " << level << " " << chunk;
                ASSERT_EQ(out, data) << size << " " << level << " " << chunk;
            }
        }
    }
}

TEST(ZipInputStream, ShortAndDamagedStreamsFailZeroFilled) {
    const Bytes data = MakeSampleData(1000, 7);
    const Bytes stream = vktools::Deflate(data, 6);
    Bytes corrupt = stream;
    corrupt[0] ^= 0xFF;  // bad zlib header
    const Bytes truncated(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
    // {stream, the total it declares, bytes that read back before the zeros}
    const std::tuple<Bytes, std::uint32_t, std::size_t> cases[] = {
        {stream, 1500, 990}, {corrupt, 1000, 0}, {truncated, 1000, 0}};
    CZipInputStream zip;
    for (const auto& [source, total, good] : cases) {
        ASSERT_EQ(zip.Open(source.data(), static_cast<std::uint32_t>(source.size()), total), 1);
        EXPECT_EQ(zip.HasError(), 0);  // reopening starts afresh
        zip.Skip(10);
        Bytes out(total - 10, 0xEE);
        zip.Read(out.data(), total - 10);
        EXPECT_EQ(zip.HasError(), 1) << total;
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<long>(good), data.begin() + 10)) << total;
        EXPECT_EQ(Bytes(out.end() - 10, out.end()), Bytes(10, 0)) << total;
    }
}

TEST(TextEncoding, Utf8ToUtf16DecodesAndTerminates) {
    const struct {
        Bytes utf8;
        std::uint32_t capacity;
        std::u16string text;
        std::uint32_t result;
    } cases[] = {
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 3, u"A\u00e9", 3},  // terminator replaces the last unit
        {{0x41, 0xE2, 0x82}, 8, u"", 1},                         // truncated sequence empties the text
        {{0x80}, 8, u"", 0},                                     // continuation byte as lead
        {{0x41, 0xF0, 0x9F, 0x98, 0x80}, 8, u"", 1},             // no four-byte form
        {{0xC0, 0x80, 0x62}, 8, u"", 2},                         // C0 80 is unit 0, then b
        {{0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}, 8, u"\U0001F600", 2},  // surrogate halves
    };
    for (const auto& c : cases) {
        std::vector<char16_t> out(c.capacity + 1, u'#');
        out[c.capacity] = u'\0';
        EXPECT_EQ(Utf8ToUtf16(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size()), out.data(), c.capacity), c.result);
        EXPECT_EQ(std::u16string(out.data()), c.text);
    }
    std::uint8_t out[6] = {};
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600", 2, out, 6), 6u);  // unit by unit
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}));
    EXPECT_EQ(Utf16ToUtf8(u"A\u00e9\u20ac", 3, out, 5), 6u);  // whole sequences only, the full length told
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{0x41, 0xC3, 0xA9, 0xED}));
    EXPECT_EQ(Utf16ToUtf8Prefixed(u"abc", 3, out, 5), 5u);  // a little-endian length first
    EXPECT_EQ(Bytes(out, out + 5), (Bytes{0x03, 0x00, 0x61, 0x62, 0x63}));
    char16_t text[8];
    EXPECT_EQ(Utf8PrefixedToUtf16(out, 5, text, 8), 3u);
    EXPECT_EQ(std::u16string(text), u"abc");
}

TEST(TextEncoding, AgreesWithIconvOnTheBasicPlane) {
    iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::mt19937 rng(1234);
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        std::string le;
        for (std::size_t n = rng() % 200; text.size() < n;) {
            const auto u = static_cast<char16_t>(1 + rng() % 0xFFFF);
            if (u >= 0xD800 && u <= 0xDFFF) continue;
            text.push_back(u);
            le.append({static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)});
        }
        Bytes expected(text.size() * 3 + 4);
        char* inPtr = le.data();
        auto* outPtr = reinterpret_cast<char*>(expected.data());
        std::size_t inLeft = le.size(), outLeft = expected.size();
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
        expected.resize(expected.size() - outLeft);

        const auto count = static_cast<std::uint32_t>(text.size());
        const auto size = static_cast<std::uint32_t>(expected.size());
        Bytes out(expected.size());
        ASSERT_EQ(Utf16ToUtf8(text.data(), count, out.data(), size), size);
        ASSERT_EQ(out, expected);
        EXPECT_EQ(Utf8LengthOfUtf16(text.data(), count), size);
        EXPECT_EQ(Utf8CharCount(expected.data(), size), count);
        std::vector<char16_t> back(text.size() + 1);
        EXPECT_EQ(Utf8ToUtf16(expected.data(), size, back.data(), count + 1), count);
        EXPECT_EQ(std::u16string(back.data(), count), text);
    }
    iconv_close(cd);
}

}  // namespace
