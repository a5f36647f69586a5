// The player's sound and vibration choices, kept in prefs.dat (16 bytes: 12
// reserved, sound on, vibration on, touch-screen notice shown, 1 reserved).
// The record is kept byte for byte: reserved bytes read from the file are
// written back as they were. The setters change the record in memory;
// callers save afterwards.
#pragma once

#include <cstdint>

class COptionsMgr {
public:
    static constexpr std::uint32_t kRecordSize = 16;

    COptionsMgr() { Reset(); }
    virtual ~COptionsMgr() = default;
    COptionsMgr(const COptionsMgr&) = delete;
    COptionsMgr& operator=(const COptionsMgr&) = delete;

    // Reads the record; a missing or short file is replaced by the defaults,
    // written at once, and the result is that write's.
    std::uint8_t Load();
    // Writes the record safely; 1 on success, else the old file stays.
    std::uint8_t Save();
    void Reset();
    void Delete();

    std::uint8_t IsSoundOn() const { return m_record[kSoundOn]; }
    std::uint8_t IsVibrationOn() const { return m_record[kVibrationOn]; }
    std::uint8_t IsNoticeShown() const { return m_record[kNoticeShown]; }
    void SetNoticeShown(std::uint8_t on) { m_record[kNoticeShown] = on; }
    // Bounded by the mode: in mode 0 both end off; in mode 1 sound ends off.
    void SetSoundOn(std::uint8_t on);
    void SetVibrationOn(std::uint8_t on);

    // What the device allows (never stored): 0 neither sound nor vibration,
    // 1 vibration only, 2 both.
    std::int32_t GetMode() const { return m_mode; }
    void SetMode(std::int32_t mode) { m_mode = mode; }

private:
    // Offsets of the flags in the record.
    static constexpr std::uint32_t kSoundOn = 12;
    static constexpr std::uint32_t kVibrationOn = 13;
    static constexpr std::uint32_t kNoticeShown = 14;

    std::uint8_t m_record[kRecordSize];
    std::int32_t m_mode = 2;
};
