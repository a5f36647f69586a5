#include "src/CSaveGameMgr.h"

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/components/FileUtil.h"

namespace {

constexpr const char16_t* kFileName = u"savegame.dat";

}  // namespace

std::uint8_t CSaveGameMgr::Load() {
    std::uint8_t bytes[kRecordSize];
    if (ReadSaveFile(kFileName, bytes, kRecordSize)) {
        CArrayInputStream in;
        in.SetData(bytes, kRecordSize);
        m_record.started = in.ReadU8();
        in.Read(m_record.padding, sizeof m_record.padding);
        m_record.levelReached = in.ReadS32();
        m_record.character = in.ReadS32();
        return 1;
    }
    Reset();
    return Save();
}

std::uint8_t CSaveGameMgr::Save() {
    std::uint8_t bytes[kRecordSize];
    CArrayOutputStream out;
    out.Attach(bytes, kRecordSize);
    out.WriteU8(m_record.started);
    out.Write(m_record.padding, sizeof m_record.padding);
    out.WriteS32(m_record.levelReached);
    out.WriteS32(m_record.character);
    return WriteSaveFileSafely(kFileName, bytes, kRecordSize) ? 1 : 0;
}

void CSaveGameMgr::Reset() { m_record = Record(); }

void CSaveGameMgr::Delete() { DeleteSaveFile(kFileName); }
