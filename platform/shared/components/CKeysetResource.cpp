#include "platform/shared/components/CKeysetResource.h"

#include <new>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CBinRes.h"

CKeysetResource::~CKeysetResource() { Free(); }

void CKeysetResource::Free() {
    delete[] m_keys;
    m_keys = nullptr;
    m_count = 0;
}

int CKeysetResource::Load(CBigFileReader* reader, std::uint32_t id) {
    Free();
    CBinRes blob;
    if (!blob.LoadFromBigFile(reader, id, 1)) return 0;
    CArrayInputStream in;
    in.SetData(blob.GetPayload(), blob.GetPayloadSize());
    const std::uint16_t count = in.ReadU16();
    if (count == 0) return in.HasError() ? 0 : 1;
    // Damaged data is refused before anything is allocated or read for it.
    if (std::uint64_t{count} * 4 > in.Available()) return 0;
    m_keys = new (std::nothrow) std::uint32_t[count];
    if (m_keys == nullptr) return 0;
    for (std::uint32_t i = 0; i < count; ++i) m_keys[i] = in.ReadU32();
    if (in.HasError()) {
        Free();
        return 0;
    }
    m_count = count;
    return 1;
}

std::uint32_t CKeysetResource::GetKey(std::uint32_t index) const {
    return index < m_count && m_keys != nullptr ? m_keys[index] : 0;
}
