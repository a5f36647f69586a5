// prefs.dat, savegame.dat and hs.dat: their bytes, their defaults, and
// failed saves that keep the old file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "src/CHighscoreMgr.h"
#include "src/COptionsMgr.h"
#include "src/CSaveGameMgr.h"
#include "tests/framework/GameDirTest.h"

namespace {

using SaveFilesTest = GameDirTest;

std::string Narrow(const char16_t* text) {
    std::string out;
    for (; *text != 0; ++text) out += static_cast<char>(*text);
    return out;
}

TEST_F(SaveFilesTest, MissingOrShortFilesBecomeTheDefaults) {
    const struct {
        const char* file;
        std::size_t size;
        std::string defaults;
    } files[] = {{"prefs.dat", 16, std::string(12, '\0') + "\1\1" + std::string(2, '\0')},
                 {"savegame.dat", 12, std::string(12, '\0')},
                 {"hs.dat", 92, std::string(92, '\0')}};
    for (const int extra : {-99, -1, 1}) {  // no file, one byte short, one byte long
        for (const auto& f : files) {
            std::filesystem::remove(m_dir.HostPath(f.file));
            if (extra != -99) m_dir.Write(f.file, std::string(f.size + extra, '\x7F'));
        }
        COptionsMgr options;
        CSaveGameMgr progress;
        CHighscoreMgr scores;
        const bool whole = extra > 0;
        EXPECT_EQ(options.Load(), 1);
        EXPECT_EQ(progress.Load(), 1);
        EXPECT_EQ(scores.Load(), whole ? 1 : 0);
        for (const auto& f : files) EXPECT_EQ(m_dir.Read(f.file), whole ? std::string(f.size + 1, '\x7F') : f.defaults);
        EXPECT_EQ(options.IsSoundOn() + options.IsVibrationOn() + options.IsNoticeShown(), whole ? 3 * 0x7F : 2);
        EXPECT_EQ(progress.GetCharacter(), whole ? 0x7F7F7F7F : 0);
        EXPECT_EQ(options.GetMode(), 2);
    }
}

TEST_F(SaveFilesTest, RecordsByteForByte) {
    CSaveGameMgr progress;
    progress.SetStarted(1);
    progress.SetLevelReached(7);
    progress.SetCharacter(-2);
    ASSERT_EQ(progress.Save(), 1);
    // struct.pack('<B3xii', 1, 7, -2)
    EXPECT_EQ(m_dir.Read("savegame.dat"), std::string("\1\0\0\0\7\0\0\0\xFE\xFF\xFF\xFF", 12));
    CSaveGameMgr reread;
    EXPECT_EQ(reread.Load(), 1);
    EXPECT_EQ(reread.IsStarted() * 100 + reread.GetLevelReached() * 10 + reread.GetCharacter(), 168);

    COptionsMgr options;
    options.SetSoundOn(0);
    options.SetNoticeShown(1);
    ASSERT_EQ(options.Save(), 1);
    EXPECT_EQ(m_dir.Read("prefs.dat"), std::string(12, '\0') + std::string("\0\1\1\0", 4));
    options.Delete();
    EXPECT_FALSE(m_dir.Exists("prefs.dat"));
}

// Reserved and padding bytes read from a file are written back as they
// were: a save changes only the fields set. A reset zeroes them again.
TEST_F(SaveFilesTest, ReservedBytesAreWrittenBackAsRead) {
    std::string prefs;
    for (char byte = '\xA0'; prefs.size() < 16; ++byte) prefs += byte;
    m_dir.Write("prefs.dat", prefs);
    COptionsMgr options;
    ASSERT_EQ(options.Load(), 1);
    options.SetSoundOn(0);
    ASSERT_EQ(options.Save(), 1);
    EXPECT_EQ(m_dir.Read("prefs.dat"), prefs.substr(0, 12) + '\0' + prefs.substr(13));
    options.Reset();
    ASSERT_EQ(options.Save(), 1);
    EXPECT_EQ(m_dir.Read("prefs.dat"), std::string(12, '\0') + "\1\1" + std::string(2, '\0'));

    // struct.pack('<B3sii', 1, b'\xaa\xbb\xcc', 7, 2), then the level 8.
    m_dir.Write("savegame.dat", std::string("\1\xAA\xBB\xCC\7\0\0\0\2\0\0\0", 12));
    CSaveGameMgr progress;
    ASSERT_EQ(progress.Load(), 1);
    progress.SetLevelReached(8);
    ASSERT_EQ(progress.Save(), 1);
    EXPECT_EQ(m_dir.Read("savegame.dat"), std::string("\1\xAA\xBB\xCC\x08\0\0\0\2\0\0\0", 12));
    progress.Reset();
    ASSERT_EQ(progress.Save(), 1);
    EXPECT_EQ(m_dir.Read("savegame.dat"), std::string(12, '\0'));
}

TEST(OptionsMgr, ModesBoundTheSetters) {
    const struct {
        std::int32_t mode;
        bool sound;  // else vibration
        std::uint8_t on, soundAfter, vibrationAfter;
    } cases[] = {
        {0, true, 1, 0, 0}, {0, false, 1, 0, 0}, {1, true, 1, 0, 1}, {1, false, 1, 0, 1}, {1, false, 0, 0, 0},
        {2, true, 0, 0, 1}, {2, false, 0, 1, 0}, {2, true, 1, 1, 1}, {3, true, 0, 1, 1},  {-1, false, 0, 1, 1},
    };
    for (const auto& c : cases) {
        COptionsMgr options;
        options.SetMode(c.mode);
        c.sound ? options.SetSoundOn(c.on) : options.SetVibrationOn(c.on);
        EXPECT_EQ(options.IsSoundOn() * 10 + options.IsVibrationOn(), c.soundAfter * 10 + c.vibrationAfter)
            << c.mode << c.sound << int(c.on);
    }
}

// The table as "name:score,..." best first.
std::string Table(const CHighscoreMgr& scores) {
    std::string out;
    for (int i = 0; i < CHighscoreMgr::kEntryCount; ++i) {
        out += Narrow(scores.GetName(0, i)) + ':';
        out += std::to_string(scores.GetScore(0, i)) + ',';
    }
    return out;
}

TEST_F(SaveFilesTest, HighscoreInsert) {
    const auto fill = [](CHighscoreMgr& scores) {  // A:500 down to E:100
        for (const char16_t* name : {u"E", u"D", u"C", u"B", u"A"}) scores.Insert(name, 0, 100 * (u'F' - name[0]));
    };
    const struct {
        const char16_t* name;
        std::int32_t table, score;
        std::uint8_t result;
        const char* lastName;
        const char* expected;
    } cases[] = {
        {u"NEW", 0, 300, 1, "NEW", "A:500,B:400,NEW:300,C:300,D:200,"},
        {u"LOW", 0, 99, 1, "LOW", "A:500,B:400,C:300,D:200,E:100,"},
        {u"", 0, 600, 1, "", "xxx:600,A:500,B:400,C:300,D:200,"},
        {nullptr, 0, 100, 1, "", "A:500,B:400,C:300,D:200,xxx:100,"},
        {u"SEVENCH", 0, 450, 1, "SEVENC", "A:500,SEVENC:450,B:400,C:300,D:200,"},
        {u"T1", 1, 1000, 0, "T1", "A:500,B:400,C:300,D:200,E:100,"},
    };
    for (const auto& c : cases) {
        CHighscoreMgr scores;
        fill(scores);
        EXPECT_EQ(scores.Insert(c.name, c.table, c.score), c.result);
        EXPECT_EQ(Table(scores), c.expected);
        EXPECT_EQ(Narrow(scores.GetLastName()), c.lastName);
        CHighscoreMgr reread;
        ASSERT_EQ(reread.Load(), 1);
        EXPECT_EQ(Table(reread) + Narrow(reread.GetLastName()), c.expected + std::string(c.lastName));
    }
    // A 6-character name has no terminator in the file.
    CHighscoreMgr scores;
    scores.Insert(u"SEVENCH", 0, 1);
    const std::string name("S\0E\0V\0E\0N\0C\0", 12);
    EXPECT_EQ(m_dir.Read("hs.dat").substr(0, 24), name + name);
    EXPECT_EQ(scores.GetName(1, 0), nullptr);
    EXPECT_EQ(scores.GetName(0, 5), nullptr);
    EXPECT_EQ(scores.GetScore(0, -1), 0);
    EXPECT_TRUE(scores.IsHighscore(0, 0));
    EXPECT_FALSE(scores.IsHighscore(1, 0) || scores.IsHighscore(0, -1));
    // A full table: a score at or above the last entry's is a highscore.
    CHighscoreMgr full;
    fill(full);
    const std::tuple<std::int32_t, std::int32_t, bool> highscores[] = {
        {0, 100, true}, {0, 99, false}, {0, 101, true}, {0, 600, true}, {1, 600, false}};
    for (const auto& [table, score, expected] : highscores) {
        EXPECT_EQ(full.IsHighscore(table, score), expected) << table << " " << score;
    }
}

TEST_F(SaveFilesTest, FailedSavesKeepTheOldFile) {
    COptionsMgr options;
    CSaveGameMgr progress;
    CHighscoreMgr scores;
    for (const auto fault : {host::FileFault::CreateFile, host::FileFault::WriteFile, host::FileFault::FlushFileBuffers,
                             host::FileFault::MoveFileEx}) {
        for (const char* file : {"prefs.dat", "savegame.dat", "hs.dat"}) m_dir.Write(file, "old");
        host::InjectFileFault(fault);
        EXPECT_EQ(options.Save(), 0);
        host::InjectFileFault(fault);
        EXPECT_EQ(progress.Save(), 0);
        host::InjectFileFault(fault);
        EXPECT_EQ(scores.Save(), 0);
        for (const char* file : {"prefs.dat", "savegame.dat", "hs.dat"}) EXPECT_EQ(m_dir.Read(file), "old") << file;
    }
    // Missing files whose defaults cannot be written: the storage warning.
    for (const char* file : {"prefs.dat", "savegame.dat", "hs.dat"}) std::filesystem::remove(m_dir.HostPath(file));
    std::filesystem::create_directory(m_dir.HostPath("temp.dat"));
    EXPECT_EQ(options.Load() + progress.Load() + scores.Load(), 0);
    EXPECT_FALSE(m_dir.Exists("prefs.dat") || m_dir.Exists("savegame.dat") || m_dir.Exists("hs.dat"));
}

}  // namespace
