#include "platform/shared/network/highscore/CNetHighscore.h"

#include <climits>
#include <new>

#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/network/CWUtil.h"

namespace {

constexpr std::int32_t kMaxQueued = 255;

char16_t* CopyText(const char16_t* text) {
    auto* copy = new (std::nothrow) char16_t[WideStringLength(text) + 1u];
    return copy != nullptr ? CopyWideString(copy, text) : nullptr;
}

std::uint32_t TextSize(const char16_t* text) {
    return Utf8PrefixedSize(text, text != nullptr ? WideStringLength(text) : 0);
}

}  // namespace

CNetHighscoreSubmission::~CNetHighscoreSubmission() {
    delete[] m_name;
    delete[] m_second;
}

CNetHighscoreData::~CNetHighscoreData() {
    for (std::uint32_t b = 0; b < m_boardCount; ++b) {
        delete[] m_scores[b];
        if (m_names[b] != nullptr) {
            for (std::uint32_t i = 0; i < m_entryCounts[b]; ++i) delete[] m_names[b][i];
        }
        delete[] m_names[b];
    }
    delete[] m_modes;
    delete[] m_entryCounts;
    delete[] m_validCounts;
    delete[] m_scores;
    delete[] m_names;
}

std::int32_t CNetHighscoreData::GetBoardCount() const { return GetReplyId() == 87 ? m_boardCount : 0; }

std::int32_t CNetHighscoreData::GetBoardMode(std::int32_t index) const {
    return index >= 0 && index < GetBoardCount() ? m_modes[index] : -1;
}

std::int32_t CNetHighscoreData::FindBoard(std::uint8_t mode) const {
    for (std::int32_t b = 0; b < GetBoardCount(); ++b) {
        if (m_modes[b] == mode) return b;
    }
    return -1;
}

std::int32_t CNetHighscoreData::GetEntryCount(std::uint8_t mode) const {
    const std::int32_t b = FindBoard(mode);
    return b < 0 ? -1 : m_validCounts[b];
}

const std::int32_t* CNetHighscoreData::GetScores(std::uint8_t mode) const {
    const std::int32_t b = FindBoard(mode);
    return b < 0 ? nullptr : m_scores[b];
}

char16_t* const* CNetHighscoreData::GetNames(std::uint8_t mode) const {
    const std::int32_t b = FindBoard(mode);
    return b < 0 ? nullptr : m_names[b];
}

std::int32_t CNetHighscoreData::Read(CArrayInputStream& stream) {
    const std::uint8_t count = stream.ReadU8();
    if (stream.HasError() != 0 || count == 0) return kNetOk;
    // Each board holds at least its mode and entry count.
    std::int32_t result = AllocateRecords(m_modes, count, 2, stream);
    if (result == kNetOk) result = AllocateRecords(m_entryCounts, count, 0, stream);
    if (result == kNetOk) result = AllocateRecords(m_validCounts, count, 0, stream);
    if (result == kNetOk) result = AllocateRecords(m_scores, count, 0, stream);
    if (result == kNetOk) result = AllocateRecords(m_names, count, 0, stream);
    if (result != kNetOk) return result;
    m_boardCount = count;
    for (std::uint32_t b = 0; b < count; ++b) {
        m_modes[b] = stream.ReadU8();
        const std::uint8_t entries = stream.ReadU8();
        // An entry is a score and a text count at least.
        result = AllocateRecords(m_scores[b], entries, 6, stream);
        if (result == kNetOk) result = AllocateRecords(m_names[b], entries, 0, stream);
        if (result != kNetOk) return result;
        m_entryCounts[b] = entries;
        const std::int32_t empty = IsDescending(m_modes[b]) ? INT_MIN : INT_MAX;
        m_validCounts[b] = entries;
        for (std::uint32_t i = 0; i < entries; ++i) {
            m_scores[b][i] = stream.ReadS32();
            result = CWUtil::ReadString(m_names[b][i], stream);
            if (result != kNetOk) return result;
            if (m_scores[b][i] == empty && m_validCounts[b] == entries) m_validCounts[b] = static_cast<std::uint8_t>(i);
        }
    }
    return kNetOk;
}

CNetHighscore::~CNetHighscore() { ClearQueue(); }

std::int32_t CNetHighscore::RequestScores(std::uint8_t mode) {
    const std::int32_t begun = BeginRequest(1);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU8(mode);
    return EndRequest(out, 88, 87);
}

std::int32_t CNetHighscore::QueueScore(std::uint8_t mode, const char16_t* name, std::int32_t score,
                                       const char16_t* second) {
    if (!CanSend()) return kNetBusy;
    if (mode == 0 || m_queue.GetCount() >= kMaxQueued) return kNetBadArgument;
    auto* submission = new (std::nothrow) CNetHighscoreSubmission();
    if (submission == nullptr) return kNetNoMemory;
    submission->m_mode = mode;
    submission->m_score = score;
    submission->m_name = CopyText(name != nullptr && name[0] != u'\0' ? name : u"xxx");
    submission->m_second = second != nullptr ? CopyText(second) : nullptr;
    if (submission->m_name == nullptr || (second != nullptr && submission->m_second == nullptr)) {
        delete submission;
        return kNetNoMemory;
    }
    m_queue.AddHead(submission, nullptr);
    return kNetOk;
}

std::int32_t CNetHighscore::SubmitQueued() {
    if (!CanSend()) return kNetBusy;
    Reset(1);
    if (m_queue.GetCount() == 0) return kNetNothingToSend;
    std::uint32_t size = 1;
    for (CLinkListNode* node = m_queue.GetHead(); node != nullptr; node = node->GetNext()) {
        const auto* s = static_cast<const CNetHighscoreSubmission*>(node);
        size += 1 + 4 + TextSize(s->m_name) + TextSize(s->m_second);
    }
    const std::int32_t begun = BeginRequest(size);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU8(static_cast<std::uint8_t>(m_queue.GetCount()));
    for (CLinkListNode* node = m_queue.GetHead(); node != nullptr; node = node->GetNext()) {
        const auto* s = static_cast<const CNetHighscoreSubmission*>(node);
        out.WriteU8(s->m_mode);
        out.WriteS32(s->m_score);
        out.WriteText(s->m_name);
        out.WriteText(s->m_second);
    }
    if (!out.Failed()) ClearQueue();
    return EndRequest(out, 90, 80);
}

void CNetHighscore::ClearQueue() {
    while (CLinkListNode* node = m_queue.GetHead()) {
        node->Unlink();
        delete static_cast<CNetHighscoreSubmission*>(node);
    }
}

CNetData* CNetHighscore::CreateData() { return new (std::nothrow) CNetHighscoreData(); }

std::int32_t CNetHighscore::ParseData(CArrayInputStream& stream) {
    auto* data = static_cast<CNetHighscoreData*>(GetData());
    DebugAssert(data != nullptr, "..\\..\\platform\\shared\\network\\highscore\\src\\CNetHighscore.cpp", 233);
    std::int32_t result = kNetOk;
    switch (GetReplyId()) {
    case 80:
        break;
    case 87:
        result = data->Read(stream);
        break;
    default:
        result = ReadBody(data->Body(), stream);
        break;
    }
    return EndOfReply(result, stream);
}
