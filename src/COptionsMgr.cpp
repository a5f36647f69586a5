#include "src/COptionsMgr.h"

#include <cstring>

#include "platform/shared/components/FileUtil.h"

namespace {

constexpr const char16_t* kFileName = u"prefs.dat";

}  // namespace

std::uint8_t COptionsMgr::Load() {
    std::uint8_t bytes[kRecordSize];
    if (ReadSaveFile(kFileName, bytes, kRecordSize)) {
        std::memcpy(m_record, bytes, kRecordSize);
        return 1;
    }
    Reset();
    return Save();
}

std::uint8_t COptionsMgr::Save() { return WriteSaveFileSafely(kFileName, m_record, kRecordSize) ? 1 : 0; }

void COptionsMgr::Reset() {
    // Reserved bytes 0; sound and vibration on; the notice not shown yet.
    std::memset(m_record, 0, kRecordSize);
    m_record[kSoundOn] = 1;
    m_record[kVibrationOn] = 1;
}

void COptionsMgr::Delete() { DeleteSaveFile(kFileName); }

void COptionsMgr::SetSoundOn(std::uint8_t on) {
    switch (m_mode) {
        case 0: m_record[kSoundOn] = m_record[kVibrationOn] = 0; break;
        case 1: m_record[kSoundOn] = 0; break;
        case 2: m_record[kSoundOn] = on; break;
        default: break;
    }
}

void COptionsMgr::SetVibrationOn(std::uint8_t on) {
    switch (m_mode) {
        case 0: m_record[kSoundOn] = m_record[kVibrationOn] = 0; break;
        case 1:
            m_record[kSoundOn] = 0;
            m_record[kVibrationOn] = on;
            break;
        case 2: m_record[kVibrationOn] = on; break;
        default: break;
    }
}
