// A table of five scores with names, best first, and the last name entered,
// kept in hs.dat (92 bytes: the last name, five names, five signed 32-bit
// scores). Names are up to 6 16-bit characters, zero-terminated in the file
// only when shorter; the getters hand out terminated copies. There is one
// table, index 0.
#pragma once

#include <cstdint>

class CHighscoreMgr {
public:
    static constexpr std::uint32_t kRecordSize = 92;
    static constexpr std::int32_t kEntryCount = 5;
    static constexpr std::int32_t kNameLength = 6;

    CHighscoreMgr() = default;
    virtual ~CHighscoreMgr() = default;
    CHighscoreMgr(const CHighscoreMgr&) = delete;
    CHighscoreMgr& operator=(const CHighscoreMgr&) = delete;

    // Reads the record: 1 when it was read whole; otherwise the defaults are
    // written at once and the result is 0.
    std::uint8_t Load();
    std::uint8_t Save();
    void Reset();
    void Delete();

    const char16_t* GetLastName() const { return m_record.lastName; }
    // Keeps up to 6 characters of the name (null empties it) and saves.
    void SetLastName(const char16_t* name);
    // Null and 0 for a table other than 0 or an entry outside 0 to 4.
    const char16_t* GetName(std::int32_t table, std::int32_t entry) const;
    std::int32_t GetScore(std::int32_t table, std::int32_t entry) const;
    // Whether the score would enter table 0.
    bool IsHighscore(std::int32_t table, std::int32_t score) const;
    // Sets the last name, then places the score above the first entry at or
    // below it (a null or empty name as "xxx") and saves: the save's result.
    // 0 for a table other than 0; 1 when the score is below all five.
    std::uint8_t Insert(const char16_t* name, std::int32_t table, std::int32_t score);

private:
    static bool IsEntry(std::int32_t table, std::int32_t entry) {
        return table == 0 && entry >= 0 && entry < kEntryCount;
    }

    // Each name has one more character than the file holds, always 0.
    struct Record {
        char16_t lastName[kNameLength + 1] = {};
        char16_t names[kEntryCount][kNameLength + 1] = {};
        std::int32_t scores[kEntryCount] = {};
    };

    Record m_record;
};
