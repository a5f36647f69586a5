#include "platform/shared/network/netgame/CNetGame.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/network/CWUtil.h"

namespace {

std::uint32_t RunLength(const std::uint8_t* run, std::uint32_t n) { return run != nullptr ? n : 0; }

void WriteRun(CNetPayloadStream& out, const std::uint8_t* run, std::uint32_t n) {
    if (run != nullptr && n > 0) out.Write(run, n);
}

}  // namespace

CNetGameData::~CNetGameData() {
    CWUtil::FreeBlob(m_128.run);
    for (std::uint32_t i = 0; m_135.records != nullptr && i < m_135.count; ++i) {
        CWUtil::FreeBlob(m_135.records[i].run1);
        CWUtil::FreeBlob(m_135.records[i].run2);
    }
    delete[] m_135.records;
    CWUtil::FreeBlob(m_state.run1);
    CWUtil::FreeBlob(m_state.run2);
}

std::int32_t CNetGameData::Read(CArrayInputStream& stream) {
    std::int32_t result = kNetOk;
    switch (GetReplyId()) {
    case 128:
        m_128.a = stream.ReadU8();
        m_128.b = stream.ReadU8();
        m_128.value = stream.ReadU32();
        // Every byte but the closing one; without a closing byte the body is short.
        if (stream.Available() < 1) return kNetCorrupt;
        result = CWUtil::ReadBlob(m_128.run, stream, stream.Available() - 1);
        break;
    case 131:
        m_131.flag = stream.ReadU8() & 1;
        break;
    case 135:
        m_135.count = stream.ReadU16();
        result = AllocateRecords(m_135.records, m_135.count, 14, stream);
        if (result != kNetOk) {
            m_135.count = 0;
            return result;
        }
        for (std::uint32_t i = 0; i < m_135.count && result == kNetOk; ++i) {
            Record135& r = m_135.records[i];
            r.first = stream.ReadU32();
            const std::uint16_t w = stream.ReadU16();
            r.flag = static_cast<std::uint8_t>(w >> 15);
            r.kind = w & 3;
            r.second = stream.ReadU32();
            result = CWUtil::ReadBlob16(r.run1, stream);
            if (result == kNetOk) result = CWUtil::ReadBlob16(r.run2, stream);
        }
        break;
    case 136:
    case 137:
        m_state.state = CNetGame::StateFromBits((stream.ReadU16() >> 12) & 7u);
        result = CWUtil::ReadBlob16(m_state.run1, stream);
        if (result == kNetOk) result = CWUtil::ReadBlob16(m_state.run2, stream);
        return result;  // no closing byte
    default:
        return CNetAPI::ReadBody(Body(), stream);
    }
    if (result == kNetOk) stream.ReadU8();  // the closing byte, dropped
    return result;
}

std::int32_t CNetGame::Send128(std::uint32_t a, std::uint32_t b, std::uint8_t flag, const std::uint8_t* run,
                               std::uint32_t n) {
    n = RunLength(run, n);
    const std::int32_t begun = BeginRequest(n + 10);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(b);
    out.WriteU32(a);
    out.WriteU8(flag != 0 ? 1 : 0);
    out.WriteU8(0);
    WriteRun(out, run, n);
    return EndRequest(out, 128, 128);
}

std::int32_t CNetGame::Send136(std::uint32_t a, std::uint32_t b, std::uint32_t c, const std::uint8_t* first,
                               std::uint32_t p, const std::uint8_t* second, std::uint32_t q) {
    if (!CanSend()) return kNetBusy;
    p = RunLength(first, p);
    q = RunLength(second, q);
    if (p > 0xFFFF || q > 0xFFFF) return kNetBadArgument;
    const std::int32_t begun = BeginRequest(p + q + 17);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(b);
    out.WriteU32(a);
    out.WriteU32(c);
    out.WriteU16(static_cast<std::uint16_t>(q));
    WriteRun(out, second, q);
    out.WriteU16(static_cast<std::uint16_t>(p));
    WriteRun(out, first, p);
    out.WriteU8(0);
    return EndRequest(out, 136, 136);
}

std::int32_t CNetGame::Send137(std::uint32_t a, std::uint32_t b) {
    const std::int32_t begun = BeginRequest(9);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(b);
    out.WriteU32(a);
    out.WriteU8(0);
    return EndRequest(out, 137, 137);
}

std::int32_t CNetGame::Send131(std::uint32_t a, std::uint32_t b) {
    const std::int32_t begun = BeginRequest(8);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(b);
    out.WriteU32(a);
    return EndRequest(out, 131, 131);
}

std::int32_t CNetGame::Send135(std::uint32_t a, std::uint16_t b) {
    const std::int32_t begun = BeginRequest(7);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU16(b);
    out.WriteU8(0);
    return EndRequest(out, 135, 135);
}

CNetData* CNetGame::CreateData() { return new (std::nothrow) CNetGameData(); }

std::int32_t CNetGame::ParseData(CArrayInputStream& stream) {
    auto* data = static_cast<CNetGameData*>(GetData());
    DebugAssert(data != nullptr, "..\\..\\platform\\shared\\network\\netgame\\src\\CNetGame.cpp", 247);
    return EndOfReply(data->Read(stream), stream);
}
