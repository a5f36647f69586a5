#include "src/CHighscoreMgr.h"

#include <cstring>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/components/FileUtil.h"

namespace {

constexpr const char16_t* kFileName = u"hs.dat";

// Up to 6 characters of the name, the rest of the field 0.
void CopyName(char16_t* field, const char16_t* name) {
    std::int32_t i = 0;
    for (; name != nullptr && i < CHighscoreMgr::kNameLength && name[i] != u'\0'; ++i) field[i] = name[i];
    for (; i < CHighscoreMgr::kNameLength; ++i) field[i] = u'\0';
}

void ReadName(CArrayInputStream& in, char16_t* field) {
    for (std::int32_t i = 0; i < CHighscoreMgr::kNameLength; ++i) field[i] = in.ReadU16();
}

void WriteName(CArrayOutputStream& out, const char16_t* field) {
    for (std::int32_t i = 0; i < CHighscoreMgr::kNameLength; ++i) out.WriteU16(field[i]);
}

}  // namespace

std::uint8_t CHighscoreMgr::Load() {
    std::uint8_t bytes[kRecordSize];
    if (ReadSaveFile(kFileName, bytes, kRecordSize)) {
        CArrayInputStream in;
        in.SetData(bytes, kRecordSize);
        ReadName(in, m_record.lastName);
        for (auto& name : m_record.names) ReadName(in, name);
        for (std::int32_t& score : m_record.scores) score = in.ReadS32();
        return 1;
    }
    Reset();
    Save();
    return 0;
}

std::uint8_t CHighscoreMgr::Save() {
    std::uint8_t bytes[kRecordSize];
    CArrayOutputStream out;
    out.Attach(bytes, kRecordSize);
    WriteName(out, m_record.lastName);
    for (const auto& name : m_record.names) WriteName(out, name);
    for (const std::int32_t score : m_record.scores) out.WriteS32(score);
    return WriteSaveFileSafely(kFileName, bytes, kRecordSize) ? 1 : 0;
}

void CHighscoreMgr::Reset() { m_record = Record(); }

void CHighscoreMgr::Delete() { DeleteSaveFile(kFileName); }

void CHighscoreMgr::SetLastName(const char16_t* name) {
    CopyName(m_record.lastName, name);
    Save();
}

const char16_t* CHighscoreMgr::GetName(std::int32_t table, std::int32_t entry) const {
    return IsEntry(table, entry) ? m_record.names[entry] : nullptr;
}

std::int32_t CHighscoreMgr::GetScore(std::int32_t table, std::int32_t entry) const {
    return IsEntry(table, entry) ? m_record.scores[entry] : 0;
}

bool CHighscoreMgr::IsHighscore(std::int32_t table, std::int32_t score) const {
    return table == 0 && score >= m_record.scores[kEntryCount - 1];
}

std::uint8_t CHighscoreMgr::Insert(const char16_t* name, std::int32_t table, std::int32_t score) {
    SetLastName(name);
    if (table != 0) return 0;
    std::int32_t at = 0;
    while (at < kEntryCount && m_record.scores[at] > score) ++at;
    if (at == kEntryCount) return 1;
    for (std::int32_t i = kEntryCount - 1; i > at; --i) {
        m_record.scores[i] = m_record.scores[i - 1];
        std::memcpy(m_record.names[i], m_record.names[i - 1], sizeof m_record.names[i]);
    }
    m_record.scores[at] = score;
    CopyName(m_record.names[at], name == nullptr || name[0] == u'\0' ? u"xxx" : name);
    return Save();
}
