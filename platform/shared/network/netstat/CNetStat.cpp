#include "platform/shared/network/netstat/CNetStat.h"

#include <new>

#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/network/CWUtil.h"

CNetStatData::~CNetStatData() {
    CWUtil::FreeBlob(m_112);
    for (std::uint32_t i = 0; m_133.records != nullptr && i < m_133.count; ++i) {
        CWUtil::FreeBlob(m_133.records[i].run1);
        CWUtil::FreeBlob(m_133.records[i].run2);
    }
    delete[] m_133.records;
}

std::int32_t CNetStatData::Read(CArrayInputStream& stream) {
    switch (GetReplyId()) {
    case 48:
    case 115:
        return kNetOk;
    case 112:
        return CNetAPI::ReadBody(m_112, stream);
    case 113:
        m_113Flag = stream.ReadU8() & 1;
        return kNetOk;
    case 114:
        m_114Value = stream.ReadU32();
        return kNetOk;
    case 133: {
        m_133.value = stream.ReadU32();
        stream.ReadU8();  // dropped
        const std::uint8_t count = stream.ReadU8();
        std::int32_t result = AllocateRecords(m_133.records, count, 10, stream);
        if (result != kNetOk) return result;
        m_133.count = count;
        for (std::uint32_t i = 0; i < count && result == kNetOk; ++i) {
            Record133& r = m_133.records[i];
            r.value = stream.ReadU32();
            r.flag = static_cast<std::uint8_t>(stream.ReadU16() >> 15);
            result = CWUtil::ReadBlob16(r.run1, stream);
            if (result == kNetOk) result = CWUtil::ReadBlob16(r.run2, stream);
        }
        return result;
    }
    default:
        return CNetAPI::ReadBody(Body(), stream);
    }
}

std::int32_t CNetStat::Send112(std::uint32_t a) {
    const std::int32_t begun = BeginRequest(5);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU8(0);
    return EndRequest(out, 112, 112);
}

std::int32_t CNetStat::Send113(std::uint32_t a, std::uint32_t b, const std::uint8_t* run, std::uint32_t n,
                               std::uint8_t flag) {
    if (run == nullptr) n = 0;
    const std::int32_t begun = BeginRequest(n + 10);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(b);
    out.WriteU32(a);
    if (n > 0) out.Write(run, n);
    out.WriteU8(0);
    out.WriteU8(flag != 0 ? 1 : 0);
    return EndRequest(out, 113, 113);
}

std::int32_t CNetStat::Send114(const char16_t* name, std::uint32_t value) {
    if (!CanSend()) return kNetBusy;
    const bool hasName = name != nullptr && name[0] != u'\0';
    const std::uint32_t nameRecord = hasName ? 2 + Utf8PrefixedSize(name, WideStringLength(name)) : 0;
    // The record's length byte must hold it.
    if (nameRecord > 0xFF) return kNetBadArgument;
    const std::uint32_t size = 2 + (value != 0 ? 6 : 0) + nameRecord;
    const std::int32_t begun = BeginRequest(size);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU16(static_cast<std::uint16_t>(size));
    if (value != 0) {
        out.WriteU8(6);
        out.WriteU8(0);
        out.WriteU32(value);
    }
    if (hasName) {
        out.WriteU8(static_cast<std::uint8_t>(nameRecord));
        out.WriteU8(1);
        out.WriteText(name);
    }
    return EndRequest(out, 114, 114);
}

std::int32_t CNetStat::Send115(std::uint8_t flag) {
    const std::int32_t begun = BeginRequest(1);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU8(flag != 0 ? 0x80 : 0);
    return EndRequest(out, 115, 115);
}

std::int32_t CNetStat::Send116(std::uint32_t a, const std::uint8_t* run, std::uint32_t n) {
    if (run == nullptr) n = 0;
    const std::int32_t begun = BeginRequest(n + 5);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    if (n > 0) out.Write(run, n);
    out.WriteU8(0);
    return EndRequest(out, 116, 113);
}

std::int32_t CNetStat::Send133(std::uint32_t a, std::int32_t kind, std::uint16_t c, std::uint16_t d) {
    const std::int32_t begun = BeginRequest(10);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU16(static_cast<std::uint16_t>((kind & 3) << 14));
    out.WriteU32(a);
    out.WriteU16(c);
    out.WriteU16(d);
    return EndRequest(out, 133, 133);
}

std::int32_t CNetStat::Send134(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint8_t flag) {
    const std::int32_t begun = BeginRequest(14);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU16(flag != 0 ? 0x8000 : 0);
    out.WriteU32(a);
    out.WriteU32(b);
    out.WriteU32(c);
    return EndRequest(out, 134, 113);
}

CNetData* CNetStat::CreateData() { return new (std::nothrow) CNetStatData(); }

std::int32_t CNetStat::ParseData(CArrayInputStream& stream) {
    auto* data = static_cast<CNetStatData*>(GetData());
    DebugAssert(data != nullptr, "..\\..\\platform\\shared\\network\\netstat\\src\\CNetStat.cpp", 251);
    return EndOfReply(data->Read(stream), stream);
}
