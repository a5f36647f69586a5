#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "host/File.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/components/ICFile.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/win32/CFileMgr_Win32.h"
#include "tests/platform/TestApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/TempDir.h"

namespace {

std::u16string Of(const CStrWChar& s) { return s.GetBuffer() == nullptr ? u"" : s.GetBuffer(); }

class FileUtilTest : public testing::Test {
protected:
    FileUtilTest() { host::SetModuleDirectory(m_dir.Path()); }
    ~FileUtilTest() override { host::SetModuleDirectory(""); }

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

TEST_F(FileUtilTest, PathBuilders) {
    // A file manager registered first is the one the getter finds.
    struct NoSaveDirectory : CFileMgr_Win32 {
        const char16_t* GetSaveDir() override { return u""; }
    };
    new NoSaveDirectory();  // owned by the application's singleton table
    CStrWChar path;
    MakeSavePath(path, u"prefs.dat");
    EXPECT_EQ(Of(path), u"prefs.dat");
    path.AssignCStr(u"hs.dat");
    MakeResourcePath(path, path.GetBuffer());  // the name may be the out string's own text
    EXPECT_EQ(Of(path), m_dir.Phone() + u"\\hs.dat");
}

TEST_F(FileUtilTest, DirectoryAndFileName) {
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

TEST_F(FileUtilTest, ReadAndWriteWholeFiles) {
    EXPECT_TRUE(WriteSaveFile(u"f", "abcdef", 6));
    EXPECT_EQ(m_dir.Read("f"), "abcdef");
    char buffer[16] = {};
    EXPECT_FALSE(ReadFileFully(Path("f").c_str(), buffer, 7));  // longer than the file
    EXPECT_TRUE(ReadSaveFile(u"f", buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "abcd");
}

TEST_F(FileUtilTest, WriteFileSafelyReplacesOrKeepsTheOldFile) {
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
        EXPECT_EQ(capture.Text().find("could not be synced") != std::string::npos, c.fault == FileFault::DirectorySync);
    }
    m_dir.Write("temp.dat", "leftover of an earlier run");
    EXPECT_TRUE(WriteSaveFileSafely(u"save.dat", "new", 3));
    EXPECT_EQ(m_dir.Read("save.dat"), "new");
    EXPECT_FALSE(m_dir.Exists("temp.dat"));
}

TEST_F(FileUtilTest, BareFileNameKeepsTheTemporaryFileBesideIt) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.Path());
    EXPECT_TRUE(WriteFileSafely(u"save.dat", "bare", 4));
    // A directory in the way of "temp.dat" here makes the save fail: the
    // temporary file is looked for beside the target, not at the root.
    std::filesystem::create_directory(m_dir.HostPath("temp.dat"));
    EXPECT_FALSE(WriteFileSafely(u"save.dat", "other", 5));
    EXPECT_EQ(m_dir.Read("save.dat"), "bare");
    std::filesystem::current_path(previous);
}

TEST_F(FileUtilTest, LoadTextFromFile) {
    CStrChar narrow("held");
    EXPECT_FALSE(narrow.LoadFromFile(Path("none").c_str()));
    EXPECT_EQ(narrow.GetBuffer(), nullptr);
    m_dir.Write("conf", std::string("key=1\0x", 7));
    ASSERT_TRUE(narrow.LoadFromFile(Path("conf").c_str()));
    EXPECT_EQ(std::string(narrow.GetBuffer(), 8), std::string("key=1\0x\0", 8));
    EXPECT_EQ(narrow.GetLength(), 7);

    CStrWChar wide;
    m_dir.Write("five", std::string("a\0\x34\x12z", 5));  // odd last byte dropped
    ASSERT_TRUE(wide.LoadFromFile(Path("five").c_str()));
    EXPECT_EQ(wide.GetLength(), 2);
    EXPECT_EQ(std::u16string(wide.GetBuffer()), u"a\x1234");
}

TEST_F(FileUtilTest, WholeFileLoadsRefuseShortReads) {
    // The file shrank after its size was taken: the read falls short.
    struct StaleSize : CFileMgr_Win32 {
        std::uint32_t GetFileSize(const char16_t* path) override { return CFileMgr_Win32::GetFileSize(path) + 2; }
    };
    new StaleSize();  // owned by the application's singleton table
    m_dir.Write("f", "abcdef");
    const std::u16string path = Path("f");
    CBinRes blob;
    EXPECT_EQ(blob.LoadFromFile(path.c_str()), 0);
    EXPECT_EQ(blob.GetPayload(), nullptr);
    CStrChar narrow("held");
    EXPECT_FALSE(narrow.LoadFromFile(path.c_str()));
    EXPECT_EQ(narrow.GetBuffer(), nullptr);
    CStrWChar wide(u"held");
    EXPECT_FALSE(wide.LoadFromFile(path.c_str()));
    EXPECT_EQ(wide.GetBuffer(), nullptr);
}

TEST_F(FileUtilTest, OpenModes) {
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
    EXPECT_NE(std::unique_ptr<ICFile>(Mgr()->Open(Path("new").c_str(), ICFileMgr::kModeUpdate)), nullptr);  // created

    std::unique_ptr<ICFile> reader(Mgr()->Open(Path("f").c_str(), ICFileMgr::kModeRead));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->Write("z", 1), 0u);  // opened for reading only
    EXPECT_EQ(ReadBack(reader.get(), 10), "xycdef");
}

TEST_F(FileUtilTest, SizesSeeksAndShortReads) {
    m_dir.Write("f", "0123456789");
    EXPECT_EQ(Mgr()->GetFileSize(Path("f").c_str()), 10u);
    EXPECT_EQ(Mgr()->GetFileSize(Path("none").c_str()), 0u);
    EXPECT_EQ(Mgr()->Open(Path("none").c_str(), ICFileMgr::kModeRead), nullptr);
    EXPECT_FALSE(Mgr()->Exists(m_dir.Phone().c_str()));  // a directory is no file
    std::unique_ptr<ICFile> file(Mgr()->Open(Path("f").c_str(), ICFileMgr::kModeRead));
    ASSERT_NE(file, nullptr);
    const struct {
        std::int32_t offset;
        int origin;
        bool ok;
        std::uint32_t tell;
    } cases[] = {
        {-3, ICFile::kSeekEnd, true, 7}, {-2, ICFile::kSeekCurrent, true, 5}, {-6, ICFile::kSeekCurrent, false, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(file->Seek(c.offset, c.origin), c.ok) << c.offset << "/" << c.origin;
        EXPECT_EQ(file->Tell(), c.tell) << c.offset << "/" << c.origin;
    }
    ASSERT_TRUE(file->Seek(6, ICFile::kSeekBegin));
    EXPECT_EQ(ReadBack(file.get(), 100), "6789");
    EXPECT_EQ(ReadBack(file.get(), 1), "");
}

TEST_F(FileUtilTest, RenameNeverReplacesAndDelete) {
    m_dir.Write("a", "A");
    m_dir.Write("b", "B");
    EXPECT_FALSE(Mgr()->Rename(Path("a").c_str(), Path("b").c_str()));
    EXPECT_EQ(m_dir.Read("b"), "B");
    EXPECT_TRUE(Mgr()->Rename(Path("a").c_str(), Path("c").c_str()));
    EXPECT_EQ(m_dir.Read("c"), "A");
    EXPECT_FALSE(m_dir.Exists("a"));
    EXPECT_TRUE(Mgr()->Delete(Path("c").c_str()));
    EXPECT_FALSE(Mgr()->Delete(Path("c").c_str()));
}

TEST_F(FileUtilTest, ProgrammingErrorsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    m_dir.Write("f", "x");
    EXPECT_DEATH(Mgr()->Open(Path("f").c_str(), 3), "ASSERT FAILED - File: CFileMgr_Win32");
}

}  // namespace
