// A list of 32-bit keys: the payload is a u16 count, then count u32 keys.
#pragma once

#include <cstdint>

class CBigFileReader;

class CKeysetResource {
public:
    CKeysetResource() = default;
    ~CKeysetResource();

    CKeysetResource(const CKeysetResource&) = delete;
    CKeysetResource& operator=(const CKeysetResource&) = delete;

    // Loads the keyset of id. Returns 1 or 0; a failed load leaves it empty.
    int Load(CBigFileReader* reader, std::uint32_t id);
    void Free();

    std::uint32_t GetCount() const { return m_count; }
    // The key at index, 0 when index is not below the count.
    std::uint32_t GetKey(std::uint32_t index) const;

private:
    std::uint32_t m_count = 0;
    std::uint32_t* m_keys = nullptr;
};
