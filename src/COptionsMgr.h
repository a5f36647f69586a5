// The player's sound and vibration choices, kept in prefs.dat (16 bytes: 12
// reserved, sound on, vibration on, touch-screen notice shown, 1 reserved).
// The setters change the record in memory; callers save afterwards.
#pragma once

#include <cstdint>

class COptionsMgr {
public:
    static constexpr std::uint32_t kRecordSize = 16;

    COptionsMgr() = default;
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

    std::uint8_t IsSoundOn() const { return m_record.soundOn; }
    std::uint8_t IsVibrationOn() const { return m_record.vibrationOn; }
    std::uint8_t IsNoticeShown() const { return m_record.noticeShown; }
    void SetNoticeShown(std::uint8_t on) { m_record.noticeShown = on; }
    // Bounded by the mode: in mode 0 both end off; in mode 1 sound ends off.
    void SetSoundOn(std::uint8_t on);
    void SetVibrationOn(std::uint8_t on);

    // What the device allows (never stored): 0 neither sound nor vibration,
    // 1 vibration only, 2 both.
    std::int32_t GetMode() const { return m_mode; }
    void SetMode(std::int32_t mode) { m_mode = mode; }

private:
    struct Record {
        std::uint8_t soundOn = 1;
        std::uint8_t vibrationOn = 1;
        std::uint8_t noticeShown = 0;
    };

    Record m_record;
    std::int32_t m_mode = 2;
};
