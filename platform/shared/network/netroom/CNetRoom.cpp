#include "platform/shared/network/netroom/CNetRoom.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/network/CWUtil.h"

CNetRoomData::~CNetRoomData() {
    delete[] m_117.records;
    for (std::uint32_t i = 0; m_119.records != nullptr && i < m_119.count; ++i) delete[] m_119.records[i].text;
    delete[] m_119.records;
}

std::int32_t CNetRoomData::Read(CArrayInputStream& stream) {
    std::int32_t result = kNetOk;
    switch (GetReplyId()) {
    case 117:
        m_117.value = stream.ReadU32();
        m_117.count = stream.ReadU16();
        result = AllocateRecords(m_117.records, m_117.count, 8, stream);
        if (result != kNetOk) {
            m_117.count = 0;
            return result;
        }
        for (std::uint32_t i = 0; i < m_117.count; ++i) {
            m_117.records[i] = {stream.ReadU32(), stream.ReadU16(), stream.ReadU16()};
        }
        break;
    case 118:
        m_118.value = stream.ReadU32();
        m_118.byte = stream.ReadU8();
        m_118.flag = stream.ReadU8() & 1;
        break;
    case 119:
        m_119.count = stream.ReadU16();
        result = AllocateRecords(m_119.records, m_119.count, 6, stream);
        if (result != kNetOk) {
            m_119.count = 0;
            return result;
        }
        for (std::uint32_t i = 0; i < m_119.count; ++i) {
            m_119.records[i].value = stream.ReadU32();
            result = CWUtil::ReadString(m_119.records[i].text, stream);
            if (result != kNetOk) return result;
        }
        break;
    case 120:
        m_120.flag = stream.ReadU8() & 1;
        break;
    case 121:
        m_121.value = stream.ReadU32();
        m_121.second = stream.ReadU16();
        break;
    default:
        return CNetAPI::ReadBody(Body(), stream);
    }
    stream.ReadU8();  // the closing byte, dropped
    return kNetOk;
}

std::int32_t CNetRoom::Send117(std::uint32_t a, std::uint32_t b, std::uint8_t flag) {
    const std::int32_t begun = BeginRequest(10);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU32(b);
    out.WriteU8(flag != 0 ? 1 : 0);
    out.WriteU8(0);
    return EndRequest(out, 117, 117);
}

std::int32_t CNetRoom::Send119(std::uint32_t a) {
    const std::int32_t begun = BeginRequest(5);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU8(0);
    return EndRequest(out, 119, 119);
}

std::int32_t CNetRoom::Send118Form(std::uint32_t a, std::uint32_t b, std::uint8_t f1, std::uint8_t f2,
                                   std::uint8_t second) {
    const std::int32_t begun = BeginRequest(11);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU32(b);
    out.WriteU8(static_cast<std::uint8_t>((f1 != 0 ? 2 : 0) | (f2 != 0 ? 1 : 0)));
    out.WriteU8(second);
    out.WriteU8(0);
    return EndRequest(out, 118, 0);
}

std::int32_t CNetRoom::Send118(std::uint32_t a, std::uint32_t b, std::uint8_t f1, std::uint8_t f2) {
    return Send118Form(a, b, f1, f2, 0);
}

std::int32_t CNetRoom::Send118Alt(std::uint32_t a, std::uint32_t b, std::uint8_t f1, std::uint8_t f2) {
    return Send118Form(a, b, f1, f2, 1);
}

std::int32_t CNetRoom::Send132(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const std::int32_t begun = BeginRequest(13);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU32(c);
    out.WriteU32(b);
    out.WriteU8(0);
    return EndRequest(out, 132, 0);
}

std::int32_t CNetRoom::Send132Alt(std::uint32_t a, std::uint32_t b, std::uint32_t c) { return Send132(a, b, c); }

std::int32_t CNetRoom::Send120(std::uint32_t a, std::uint32_t b) {
    const std::int32_t begun = BeginRequest(9);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    out.WriteU32(a);
    out.WriteU32(b);
    out.WriteU8(0);
    return EndRequest(out, 120, 120);
}

CNetData* CNetRoom::CreateData() { return new (std::nothrow) CNetRoomData(); }

std::int32_t CNetRoom::ParseData(CArrayInputStream& stream) {
    auto* data = static_cast<CNetRoomData*>(GetData());
    DebugAssert(data != nullptr, "..\\..\\platform\\shared\\network\\netroom\\src\\CNetRoom.cpp", 212);
    return EndOfReply(data->Read(stream), stream);
}
