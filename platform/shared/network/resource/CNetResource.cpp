#include "platform/shared/network/resource/CNetResource.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/network/CWUtil.h"

CNetResourceData::~CNetResourceData() {
    for (std::uint32_t i = 0; m_items != nullptr && i < m_count; ++i) CWUtil::FreeBlob(m_items[i].data);
    delete[] m_items;
}

std::int32_t CNetResourceData::GetItem(std::uint32_t type, std::uint8_t id, NetBlob* out, bool take) {
    if (out != nullptr) *out = NetBlob{};
    if (GetReplyId() != 1) return -1;
    for (std::int32_t i = 0; i < m_count; ++i) {
        Item& item = m_items[i];
        if (item.id != id || item.type != type) continue;
        if (out != nullptr) {
            *out = item.data;
            if (take) {
                item.taken = 1;
                item.data = NetBlob{};
            }
        }
        return i;
    }
    return -1;
}

bool CNetResourceData::HasDefaultItem() const {
    return GetReplyId() == 1 && m_count == 1 && m_items[0].type == 255 && m_items[0].id == 0 &&
           m_items[0].data.length >= 1;
}

std::int32_t CNetResourceData::Read(CArrayInputStream& stream, std::uint32_t count) {
    std::int32_t result = AllocateRecords(m_items, count, 5, stream);
    if (result != kNetOk) return result;
    m_count = static_cast<std::uint8_t>(count);
    for (std::uint32_t i = 0; i < count && result == kNetOk; ++i) {
        m_items[i].type = stream.ReadU8();
        m_items[i].id = stream.ReadU8();
        const std::uint16_t n = stream.ReadU16();
        stream.ReadU8();  // dropped
        result = CWUtil::ReadBlob(m_items[i].data, stream, n);
    }
    return result;
}

std::int32_t CNetResource::RequestItems(std::uint8_t type, const std::uint8_t* ids, std::int32_t count) {
    if (!CanSend()) return kNetBusy;
    if (ids == nullptr || count < 1 || count > 255) return kNetBadArgument;
    const std::int32_t begun = BeginRequest(static_cast<std::uint32_t>(count) * 4);
    if (begun != kNetOk) return begun;
    CNetPayloadStream out = PayloadStream();
    for (std::int32_t i = 0; i < count; ++i) {
        out.WriteU8(0);
        out.WriteU8(type);
        out.WriteU8(ids[i]);
        out.WriteU8(ids[i]);
    }
    m_requested = count;
    DebugPrintf("Sending resource request for %i item(s)", count);
    return EndRequest(out, 1, 1);
}

std::int32_t CNetResource::RequestDefault() {
    static const std::uint8_t kDefaultId = 0;
    return RequestItems(255, &kDefaultId, 1);
}

CNetData* CNetResource::CreateData() { return new (std::nothrow) CNetResourceData(); }

std::int32_t CNetResource::ParseData(CArrayInputStream& stream) {
    auto* data = static_cast<CNetResourceData*>(GetData());
    DebugAssert(data != nullptr, "..\\..\\platform\\shared\\network\\resource\\src\\CNetResource.cpp", 176);
    const std::int32_t result = data->GetReplyId() == 1 ? data->Read(stream, static_cast<std::uint32_t>(m_requested))
                                                        : ReadBody(data->Body(), stream);
    return EndOfReply(result, stream);
}
