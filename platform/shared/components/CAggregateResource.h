// A blob that packs many small sub-resources, each with its own 15-bit id.
// Its (inflated) payload: u16 flags (bit 15 consecutive ids from a base,
// bit 14 u32 offsets, bit 13 a u32 extra per sub-resource), u16 count N;
// when N > 0: [u16 base id], N records ([u16 id], u16 or u32 offset), a u32
// end offset and [N u32 extras]. Offsets count from the payload's start and
// sub-resource i runs to the next offset.
#pragma once

#include <cstdint>

#include "platform/shared/components/CBinRes.h"

class CBigFileReader;

class CAggregateResource {
public:
    CAggregateResource() = default;
    ~CAggregateResource();

    CAggregateResource(const CAggregateResource&) = delete;
    CAggregateResource& operator=(const CAggregateResource&) = delete;

    // Loads and parses the aggregate of id. Offsets that decrease or run past
    // the payload fail the load. Returns 1 or 0; a failed load leaves the
    // object empty.
    int Load(CBigFileReader* reader, std::uint32_t id);
    void Free();

    // Position of the first sub-resource whose id is id & 0x7FFF, or -1.
    std::int32_t FindIndex(std::uint32_t id) const;
    std::uint8_t Has(std::uint32_t id) const { return FindIndex(id) >= 0 ? 1 : 0; }
    // Bytes of the sub-resource, 0 when absent.
    std::uint32_t GetSize(std::uint32_t id) const;
    // Its extra value, 0 when absent or when the aggregate has none.
    std::uint32_t GetExtra(std::uint32_t id) const;
    // Copies the sub-resource's GetSize bytes to destination.
    void Read(std::uint32_t id, void* destination) const;

private:
    int Parse();

    CBinRes m_blob;
    std::uint32_t m_count = 0;
    std::uint32_t* m_extras = nullptr;
    std::uint32_t* m_ids = nullptr;
    std::uint32_t* m_offsets = nullptr;
    const std::uint8_t* m_base = nullptr;
};
