// The player's progress, kept in savegame.dat (12 bytes: started, 3 bytes
// padding, the highest level reached and the chosen character, signed 32-bit
// little-endian). Values, the padding included, are kept as read; their
// users check their range.
#pragma once

#include <cstdint>

class CSaveGameMgr {
public:
    static constexpr std::uint32_t kRecordSize = 12;

    CSaveGameMgr() = default;
    virtual ~CSaveGameMgr() = default;
    CSaveGameMgr(const CSaveGameMgr&) = delete;
    CSaveGameMgr& operator=(const CSaveGameMgr&) = delete;

    // As COptionsMgr: a missing or short file becomes the defaults, written
    // at once, and the result is that write's.
    std::uint8_t Load();
    std::uint8_t Save();
    void Reset();
    void Delete();

    std::uint8_t IsStarted() const { return m_record.started; }
    void SetStarted(std::uint8_t on) { m_record.started = on; }
    std::int32_t GetLevelReached() const { return m_record.levelReached; }
    void SetLevelReached(std::int32_t level) { m_record.levelReached = level; }
    std::int32_t GetCharacter() const { return m_record.character; }
    void SetCharacter(std::int32_t character) { m_record.character = character; }

private:
    struct Record {
        std::uint8_t started = 0;
        std::uint8_t padding[3] = {};
        std::int32_t levelReached = 0;
        std::int32_t character = 0;
    };

    Record m_record;
};
