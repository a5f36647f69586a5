#include "platform/shared/components/CAggregateResource.h"

#include <cstring>
#include <new>

#include "platform/shared/components/CArrayInputStream.h"

namespace {

constexpr std::uint16_t kConsecutiveIds = 0x8000;
constexpr std::uint16_t kLongOffsets = 0x4000;
constexpr std::uint16_t kExtras = 0x2000;
constexpr std::uint32_t kIdMask = 0x7FFF;

}  // namespace

CAggregateResource::~CAggregateResource() { Free(); }

void CAggregateResource::Free() {
    m_blob.Free();
    delete[] m_extras;
    m_extras = nullptr;
    delete[] m_ids;
    m_ids = nullptr;
    delete[] m_offsets;
    m_offsets = nullptr;
    m_count = 0;
    m_base = nullptr;
}

int CAggregateResource::Load(CBigFileReader* reader, std::uint32_t id) {
    Free();
    if (!m_blob.LoadFromBigFile(reader, id, 1) || !Parse()) {
        Free();
        return 0;
    }
    return 1;
}

int CAggregateResource::Parse() {
    CArrayInputStream in;
    in.SetData(m_blob.GetPayload(), m_blob.GetPayloadSize());
    m_base = m_blob.GetPayload();
    const std::uint16_t flags = in.ReadU16();
    const std::uint16_t n = in.ReadU16();
    if (n == 0) return in.HasError() ? 0 : 1;
    // The table must fit in what is left: damaged data is refused before
    // anything is allocated or read for up to 65,535 records.
    const std::uint64_t recordBytes =
        ((flags & kConsecutiveIds) ? 0 : 2) + ((flags & kLongOffsets) ? 4 : 2) + ((flags & kExtras) ? 4 : 0);
    const std::uint64_t tableBytes = ((flags & kConsecutiveIds) ? 2 : 0) + n * recordBytes + 4;
    if (tableBytes > in.Available()) return 0;
    m_ids = new (std::nothrow) std::uint32_t[n];
    m_offsets = new (std::nothrow) std::uint32_t[n + 1];
    if (m_ids == nullptr || m_offsets == nullptr) return 0;
    const std::uint32_t base = (flags & kConsecutiveIds) ? in.ReadU16() : 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        m_ids[i] = (flags & kConsecutiveIds) ? base + i : in.ReadU16();
        m_offsets[i] = (flags & kLongOffsets) ? in.ReadU32() : in.ReadU16();
    }
    m_offsets[n] = in.ReadU32();
    if (flags & kExtras) {
        m_extras = new (std::nothrow) std::uint32_t[n];
        if (m_extras == nullptr) return 0;
        for (std::uint32_t i = 0; i < n; ++i) m_extras[i] = in.ReadU32();
    }
    if (in.HasError()) return 0;
    // Every sub-resource must lie inside the payload, in order.
    for (std::uint32_t i = 0; i < n; ++i) {
        if (m_offsets[i] > m_offsets[i + 1]) return 0;
    }
    if (m_offsets[n] > m_blob.GetPayloadSize()) return 0;
    m_count = n;
    return 1;
}

std::int32_t CAggregateResource::FindIndex(std::uint32_t id) const {
    const std::uint32_t key = id & kIdMask;
    for (std::uint32_t i = 0; i < m_count; ++i) {
        if (m_ids[i] == key) return static_cast<std::int32_t>(i);
    }
    return -1;
}

std::uint32_t CAggregateResource::GetSize(std::uint32_t id) const {
    const std::int32_t i = FindIndex(id);
    return i < 0 ? 0 : m_offsets[i + 1] - m_offsets[i];
}

std::uint32_t CAggregateResource::GetExtra(std::uint32_t id) const {
    const std::int32_t i = FindIndex(id);
    return i < 0 || m_extras == nullptr ? 0 : m_extras[i];
}

void CAggregateResource::Read(std::uint32_t id, void* destination) const {
    const std::int32_t i = FindIndex(id);
    if (i < 0 || destination == nullptr) return;
    const std::uint32_t size = m_offsets[i + 1] - m_offsets[i];
    if (size > 0) std::memcpy(destination, m_base + m_offsets[i], size);
}
