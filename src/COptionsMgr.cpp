#include "src/COptionsMgr.h"

#include "platform/shared/components/FileUtil.h"

namespace {

constexpr const char16_t* kFileName = u"prefs.dat";
// Offsets of the flags; the bytes before and after them are reserved, 0.
constexpr std::uint32_t kSoundOn = 12;
constexpr std::uint32_t kVibrationOn = 13;
constexpr std::uint32_t kNoticeShown = 14;

}  // namespace

std::uint8_t COptionsMgr::Load() {
    std::uint8_t bytes[kRecordSize];
    if (ReadSaveFile(kFileName, bytes, kRecordSize)) {
        m_record.soundOn = bytes[kSoundOn];
        m_record.vibrationOn = bytes[kVibrationOn];
        m_record.noticeShown = bytes[kNoticeShown];
        return 1;
    }
    Reset();
    return Save();
}

std::uint8_t COptionsMgr::Save() {
    std::uint8_t bytes[kRecordSize] = {};
    bytes[kSoundOn] = m_record.soundOn;
    bytes[kVibrationOn] = m_record.vibrationOn;
    bytes[kNoticeShown] = m_record.noticeShown;
    return WriteSaveFileSafely(kFileName, bytes, kRecordSize) ? 1 : 0;
}

void COptionsMgr::Reset() { m_record = Record(); }

void COptionsMgr::Delete() { DeleteSaveFile(kFileName); }

void COptionsMgr::SetSoundOn(std::uint8_t on) {
    switch (m_mode) {
        case 0: m_record.soundOn = m_record.vibrationOn = 0; break;
        case 1: m_record.soundOn = 0; break;
        case 2: m_record.soundOn = on; break;
        default: break;
    }
}

void COptionsMgr::SetVibrationOn(std::uint8_t on) {
    switch (m_mode) {
        case 0: m_record.soundOn = m_record.vibrationOn = 0; break;
        case 1:
            m_record.soundOn = 0;
            m_record.vibrationOn = on;
            break;
        case 2: m_record.vibrationOn = on; break;
        default: break;
    }
}
