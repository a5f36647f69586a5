#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "host/File.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/win32/CFileMgr_Win32.h"
#include "tests/platform/TestApp.h"
#include "tests/support/TempDir.h"

namespace {

std::u16string Of(const CStrWChar& s) { return s.GetBuffer() == nullptr ? u"" : s.GetBuffer(); }

// Every test runs in an application whose executable directory is its own
// temporary directory.
class FileUtilTest : public testing::Test {
protected:
    FileUtilTest() { host::SetModuleDirectory(m_dir.Path()); }
    ~FileUtilTest() override { host::SetModuleDirectory(""); }

    ICFileMgr* Mgr() { return ICFileMgr::GetInstance(); }
    std::u16string Path(const char* name) const { return m_dir.Phone(name); }

    // Makes the next call of that file service fail, then writes safely
    // over "old contents": the old file must stay complete and no
    // "temp.dat" may remain.
    void ExpectSafeWriteFailsCleanly(host::FileFault fault) {
        m_dir.Write("save.dat", "old contents");
        host::InjectFileFault(fault);
        EXPECT_FALSE(WriteFileSafely(Path("save.dat").c_str(), "new", 3));
        host::InjectFileFault(host::FileFault::None);
        EXPECT_EQ(m_dir.Read("save.dat"), "old contents");
        EXPECT_FALSE(m_dir.Exists("temp.dat"));
    }

    TempDir m_dir;
    ScopedTestApp m_app;
};

TEST_F(FileUtilTest, SavePathsAreInTheExecutablesDirectory) {
    CStrWChar path;
    MakeSavePath(path, u"prefs.dat");
    EXPECT_EQ(Of(path), m_dir.Phone() + u"\\prefs.dat");
    MakeResourcePath(path, u"velkorin.big");
    EXPECT_EQ(Of(path), m_dir.Phone() + u"\\velkorin.big");
    path.AssignCStr(u"hs.dat");
    MakeSavePath(path, path.GetBuffer());  // the name may be the out string's own text
    EXPECT_EQ(Of(path), m_dir.Phone() + u"\\hs.dat");

    m_dir.Write("prefs.dat", "12");
    char buffer[2];
    EXPECT_TRUE(ReadSaveFile(u"prefs.dat", buffer, 2));
    EXPECT_TRUE(ReadResourceFile(u"prefs.dat", buffer, 2));
    EXPECT_TRUE(WriteSaveFile(u"prefs.dat", "345", 3));
    EXPECT_EQ(m_dir.Read("prefs.dat"), "345");
    EXPECT_TRUE(WriteSaveFileSafely(u"prefs.dat", "6789", 4));
    EXPECT_EQ(m_dir.Read("prefs.dat"), "6789");
    EXPECT_FALSE(m_dir.Exists("temp.dat"));
}

TEST_F(FileUtilTest, EmptyDirectoryGivesTheBareName) {
    // A file manager registered first is the one the getter finds.
    struct NoDirectory : CFileMgr_Win32 {
        const char16_t* GetResourceDir() override { return u""; }
        const char16_t* GetSaveDir() override { return u""; }
    };
    new NoDirectory();  // owned by the application's singleton table
    CStrWChar path;
    MakeSavePath(path, u"prefs.dat");
    EXPECT_EQ(Of(path), u"prefs.dat");
    MakeResourcePath(path, u"velkorin.big");
    EXPECT_EQ(Of(path), u"velkorin.big");
}

TEST(FileUtil, WithoutAnApplicationEverythingFails) {
    TempDir dir;
    dir.Write("f", "abc");
    char buffer[3];
    EXPECT_FALSE(ReadFileFully(dir.Phone("f").c_str(), buffer, 3));
    EXPECT_FALSE(WriteFileFully(dir.Phone("f").c_str(), "x", 1));
    EXPECT_FALSE(WriteFileSafely(dir.Phone("f").c_str(), "x", 1));
    EXPECT_EQ(dir.Read("f"), "abc");
    CStrChar text("held");
    EXPECT_FALSE(text.LoadFromFile(dir.Phone("f").c_str()));
    EXPECT_EQ(text.GetLength(), 0);
    CStrWChar path;
    MakeSavePath(path, u"prefs.dat");
    EXPECT_EQ(Of(path), u"prefs.dat");
}

TEST_F(FileUtilTest, DirectoryAndFileName) {
    struct Case {
        const char16_t* path;
        const char16_t* directory;
        const char16_t* name;
    };
    const Case cases[] = {
        {u"\\a\\b\\c.dat", u"\\a\\b", u"c.dat"},
        {u"c.dat", u"", u"c.dat"},
        {u"\\c.dat", u"\\", u"c.dat"},
        {u"a\\", u"a", u""},
        {u"\\", u"\\", u""},
        {u"", u"", u""},
        {nullptr, u"", u""},
    };
    for (const auto& c : cases) {
        CStrWChar out(u"stale");
        GetDirectory(out, c.path);
        EXPECT_EQ(Of(out), c.directory);
        out.AssignCStr(u"stale");
        GetFileName(out, c.path);
        EXPECT_EQ(Of(out), c.name);
    }
    CStrWChar self(u"\\a\\b.dat");
    GetFileName(self, self.GetBuffer());
    EXPECT_EQ(Of(self), u"b.dat");
}

TEST_F(FileUtilTest, ReadFileFully) {
    m_dir.Write("f", "abcdef");
    char buffer[16] = {};
    EXPECT_FALSE(ReadFileFully(Path("f").c_str(), buffer, 7));  // longer than the file
    EXPECT_TRUE(ReadFileFully(Path("f").c_str(), buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_TRUE(ReadFileFully(Path("f").c_str(), buffer, 6));
    EXPECT_FALSE(ReadFileFully(Path("none").c_str(), buffer, 1));
    EXPECT_TRUE(ReadFileFully(Path("none").c_str(), buffer, 0));  // nothing to read
    EXPECT_TRUE(ReadFileFully(Path("none").c_str(), nullptr, 4));
}

TEST_F(FileUtilTest, WriteFileFully) {
    m_dir.Write("f", "a much longer old text");
    EXPECT_TRUE(WriteFileFully(Path("f").c_str(), "new", 3));
    EXPECT_EQ(m_dir.Read("f"), "new");
    EXPECT_FALSE(WriteFileFully(Path("f").c_str(), nullptr, 3));
    EXPECT_FALSE(WriteFileFully(Path("f").c_str(), "x", 0));
    EXPECT_EQ(m_dir.Read("f"), "new");
    EXPECT_FALSE(WriteFileFully(Path("no\\such\\dir").c_str(), "x", 1));
    host::InjectFileFault(host::FileFault::WriteFile);
    EXPECT_FALSE(WriteFileFully(Path("f").c_str(), "abcd", 4));
}

TEST_F(FileUtilTest, WriteFileSafelyReplacesTheContents) {
    m_dir.Write("save.dat", "a much longer old text");
    EXPECT_TRUE(WriteFileSafely(Path("save.dat").c_str(), "new", 3));
    EXPECT_EQ(m_dir.Read("save.dat"), "new");
    EXPECT_FALSE(m_dir.Exists("temp.dat"));

    EXPECT_TRUE(WriteFileSafely(Path("fresh.dat").c_str(), "made", 4));  // no old file
    EXPECT_EQ(m_dir.Read("fresh.dat"), "made");

    m_dir.Write("temp.dat", "leftover of an earlier run");
    EXPECT_TRUE(WriteFileSafely(Path("save.dat").c_str(), "again", 5));
    EXPECT_EQ(m_dir.Read("save.dat"), "again");
    EXPECT_FALSE(m_dir.Exists("temp.dat"));

    EXPECT_TRUE(WriteFileSafely(Path("save.dat").c_str(), nullptr, 0));  // no data: delete
    EXPECT_FALSE(m_dir.Exists("save.dat"));
    EXPECT_TRUE(WriteFileSafely(Path("save.dat").c_str(), "x", 0));
}

TEST_F(FileUtilTest, WriteFileSafelyKeepsTheOldFileOnEveryFailure) {
    for (const auto fault : {host::FileFault::CreateFile, host::FileFault::WriteFile,
                             host::FileFault::FlushFileBuffers, host::FileFault::MoveFileEx}) {
        SCOPED_TRACE(static_cast<int>(fault));
        ExpectSafeWriteFailsCleanly(fault);
    }
    EXPECT_FALSE(WriteFileSafely(Path("no\\such\\dir\\save.dat").c_str(), "x", 1));
}

TEST_F(FileUtilTest, BareFileNameKeepsTheTemporaryFileBesideIt) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.Path());
    EXPECT_TRUE(WriteFileSafely(u"save.dat", "bare", 4));
    EXPECT_EQ(m_dir.Read("save.dat"), "bare");
    // A directory in the way of "temp.dat" here makes the save fail: the
    // temporary file is looked for beside the target, not at the root.
    std::filesystem::create_directory(m_dir.HostPath("temp.dat"));
    EXPECT_FALSE(WriteFileSafely(u"save.dat", "other", 5));
    EXPECT_EQ(m_dir.Read("save.dat"), "bare");
    std::filesystem::current_path(previous);
}

TEST_F(FileUtilTest, LoadNarrowText) {
    CStrChar s("held");
    EXPECT_FALSE(s.LoadFromFile(Path("none").c_str()));
    EXPECT_EQ(s.GetBuffer(), nullptr);
    m_dir.Write("empty", "");
    EXPECT_FALSE(s.LoadFromFile(Path("empty").c_str()));
    EXPECT_EQ(s.GetLength(), 0);

    m_dir.Write("conf", std::string("key=1\0x", 7));
    ASSERT_TRUE(s.LoadFromFile(Path("conf").c_str()));
    EXPECT_EQ(s.GetLength(), 7);
    EXPECT_EQ(std::string(s.GetBuffer(), 8), std::string("key=1\0x\0", 8));
    EXPECT_EQ(s.Find("=", 0), 3);
}

TEST_F(FileUtilTest, LoadWideText) {
    CStrWChar s;
    m_dir.Write("five", std::string("a\0\x34\x12z", 5));  // odd last byte dropped
    ASSERT_TRUE(s.LoadFromFile(Path("five").c_str()));
    EXPECT_EQ(s.GetLength(), 2);
    EXPECT_EQ(std::u16string(s.GetBuffer()), u"a\x1234");
    m_dir.Write("one", "z");
    EXPECT_TRUE(s.LoadFromFile(Path("one").c_str()));
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_FALSE(s.LoadFromFile(Path("none").c_str()));
    EXPECT_EQ(s.GetLength(), 0);
}

}  // namespace
