#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>

#include "host/File.h"
#include "platform/shared/win32/CFileMgr_Win32.h"
#include "platform/shared/win32/CFile_Win32.h"
#include "tests/support/TempDir.h"

namespace {

class FileMgrTest : public testing::Test {
protected:
    FileMgrTest() {
        host::SetModuleDirectory(m_dir.Path());
        m_mgr = std::make_unique<CFileMgr_Win32>();
    }
    ~FileMgrTest() override { host::SetModuleDirectory(""); }

    std::u16string Path(const char* name) const { return m_dir.Phone(name); }
    std::string ReadBack(ICFile* file, std::uint32_t count) {
        std::string out(count, '\0');
        out.resize(file->Read(out.data(), count));
        return out;
    }

    TempDir m_dir;
    std::unique_ptr<CFileMgr_Win32> m_mgr;
};

TEST_F(FileMgrTest, DirectoriesAreTheExecutables) {
    EXPECT_EQ(std::u16string(m_mgr->GetResourceDir()), m_dir.Phone());
    EXPECT_EQ(std::u16string(m_mgr->GetSaveDir()), m_dir.Phone());
    EXPECT_EQ(std::u16string(m_mgr->GetPathSeparator()), u"\\");
    EXPECT_EQ(m_mgr->GetFreeSpace(), 0x7FFFFFFFu);
    EXPECT_EQ(m_mgr->GetClassId(), ICFileMgr::kClassId);

    host::SetModuleDirectory("");
    CFileMgr_Win32 real;
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    const std::string path(exe, static_cast<std::size_t>(n));
    EXPECT_EQ(std::u16string(real.GetSaveDir()),
              host::ToPhonePath(path.substr(0, path.find_last_of('/'))));
}

TEST_F(FileMgrTest, MissingAndEmptyFiles) {
    EXPECT_EQ(m_mgr->Open(Path("none").c_str(), ICFileMgr::kModeRead), nullptr);
    EXPECT_FALSE(m_mgr->Exists(Path("none").c_str()));
    EXPECT_EQ(m_mgr->GetFileSize(Path("none").c_str()), 0u);
    EXPECT_EQ(m_mgr->Open(nullptr, ICFileMgr::kModeWrite), nullptr);
    EXPECT_FALSE(m_mgr->Exists(nullptr));
    EXPECT_FALSE(m_mgr->Exists(m_dir.Phone().c_str()));  // a directory is no file

    m_dir.Write("empty", "");
    EXPECT_TRUE(m_mgr->Exists(Path("empty").c_str()));
    EXPECT_EQ(m_mgr->GetFileSize(Path("empty").c_str()), 0u);
    m_dir.Write("five", "12345");
    EXPECT_EQ(m_mgr->GetFileSize(Path("five").c_str()), 5u);
    m_mgr->Close(nullptr);
}

TEST_F(FileMgrTest, OpenModes) {
    struct Case {
        int mode;
        const char* write;
        const char* after;  // contents after writing over "abcdef"
    };
    const Case cases[] = {
        {ICFileMgr::kModeWrite, "xy", "xy"},
        {ICFileMgr::kModeUpdate, "xy", "xycdef"},
    };
    for (const auto& c : cases) {
        m_dir.Write("f", "abcdef");
        ICFile* file = m_mgr->Open(Path("f").c_str(), c.mode);
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(file->IsOpen());
        EXPECT_EQ(file->Tell(), 0u);
        EXPECT_EQ(ReadBack(file, 1), "");  // opened for writing only
        EXPECT_EQ(file->Write(c.write, 2), 2u);
        EXPECT_TRUE(file->Flush());
        m_mgr->Close(file);
        EXPECT_EQ(m_dir.Read("f"), c.after) << c.mode;
    }
    ICFile* created = m_mgr->Open(Path("new").c_str(), ICFileMgr::kModeUpdate);
    ASSERT_NE(created, nullptr);
    delete created;  // deleting the object closes it as well
    EXPECT_TRUE(m_dir.Exists("new"));

    ICFile* reader = m_mgr->Open(Path("f").c_str(), ICFileMgr::kModeRead);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->Write("z", 1), 0u);  // opened for reading only
    EXPECT_EQ(ReadBack(reader, 10), "xycdef");
    m_mgr->Close(reader);
}

TEST_F(FileMgrTest, SeekTellAndShortReads) {
    m_dir.Write("f", "0123456789");
    std::unique_ptr<ICFile> file(m_mgr->Open(Path("f").c_str(), ICFileMgr::kModeRead));
    ASSERT_NE(file, nullptr);
    struct Case {
        std::int32_t offset;
        int origin;
        bool ok;
        std::uint32_t tell;
    };
    const Case cases[] = {
        {-3, ICFile::kSeekEnd, true, 7},    {-2, ICFile::kSeekCurrent, true, 5}, {4, ICFile::kSeekBegin, true, 4},
        {-5, ICFile::kSeekCurrent, false, 4}, {20, ICFile::kSeekBegin, true, 20}, {0, ICFile::kSeekEnd, true, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file->Seek(c.offset, c.origin), c.ok) << c.offset << "/" << c.origin;
        EXPECT_EQ(file->Tell(), c.tell) << c.offset << "/" << c.origin;
    }
    ASSERT_TRUE(file->Seek(6, ICFile::kSeekBegin));
    EXPECT_EQ(ReadBack(file.get(), 100), "6789");
    EXPECT_EQ(ReadBack(file.get(), 1), "");
}

TEST_F(FileMgrTest, RenameNeverReplacesAndDelete) {
    m_dir.Write("a", "A");
    m_dir.Write("b", "B");
    EXPECT_FALSE(m_mgr->Rename(Path("a").c_str(), Path("b").c_str()));
    EXPECT_EQ(m_dir.Read("b"), "B");
    EXPECT_TRUE(m_mgr->Rename(Path("a").c_str(), Path("c").c_str()));
    EXPECT_EQ(m_dir.Read("c"), "A");
    EXPECT_FALSE(m_dir.Exists("a"));
    EXPECT_FALSE(m_mgr->Rename(nullptr, Path("d").c_str()));
    EXPECT_FALSE(m_mgr->Rename(Path("c").c_str(), nullptr));

    EXPECT_TRUE(m_mgr->Replace(Path("c").c_str(), Path("b").c_str()));
    EXPECT_EQ(m_dir.Read("b"), "A");
    EXPECT_FALSE(m_mgr->Replace(Path("c").c_str(), Path("b").c_str()));  // source gone

    EXPECT_TRUE(m_mgr->Delete(Path("b").c_str()));
    EXPECT_FALSE(m_mgr->Delete(Path("b").c_str()));
    EXPECT_FALSE(m_mgr->Delete(nullptr));
}

TEST(CFile_Win32, WithoutAFileEverythingFails) {
    CFile_Win32 file;
    char byte = 0;
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Seek(0, ICFile::kSeekBegin));
    EXPECT_EQ(file.Tell(), 0u);
    EXPECT_EQ(file.Read(&byte, 1), 0u);
    EXPECT_EQ(file.Write(&byte, 1), 0u);
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(file.GetClassId(), ICFile::kClassId);
}

TEST_F(FileMgrTest, ProgrammingErrorsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    m_dir.Write("f", "x");
    EXPECT_DEATH(m_mgr->Open(Path("f").c_str(), 3), "ASSERT FAILED - File: CFileMgr_Win32");
    EXPECT_DEATH(m_mgr->Unsupported2(), "ASSERT FAILED - File: CFileMgr_Win32");
    std::unique_ptr<ICFile> file(m_mgr->Open(Path("f").c_str(), ICFileMgr::kModeRead));
    ASSERT_NE(file, nullptr);
    EXPECT_DEATH(file->Seek(0, 3), "ASSERT FAILED - File: CFile_Win32");
}

}  // namespace
