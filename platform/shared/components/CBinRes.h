// One resource blob: a header (its length H as u16, a flags byte whose bit 7
// marks a compressed payload, then bytes not interpreted here) and a
// payload. A compressed payload is u32 U, u32 K and a zlib stream of K bytes
// that inflates to U bytes; after inflation the blob holds the U bytes only.
//
// The blob owns its data, a buffer allocated with new[]; the buffers handed
// to InitFromMemory and InitRaw must be allocated the same way.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CBigFileReader;

class CBinRes : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x374FB423;
    static constexpr std::uint8_t kCompressedFlag = 0x80;

    CBinRes();
    ~CBinRes() override;

    CBinRes(const CBinRes&) = delete;
    CBinRes& operator=(const CBinRes&) = delete;

    // Loads the archive entry of id & 0x7FFF (id 0 is refused) and inflates
    // a compressed payload when asked. Returns 1 or 0.
    int LoadFromBigFile(CBigFileReader* reader, std::uint32_t id, std::uint8_t inflate);
    // Takes ownership of a whole blob (header included) and parses it; on a
    // failure other than inflation the buffer is freed and the object empty.
    int InitFromMemory(std::uint32_t type, std::uint8_t* data, std::uint32_t size, std::uint8_t inflate);
    // Takes ownership of a blob whose header is described by the arguments.
    int InitRaw(std::uint32_t type, std::uint32_t headerLength, std::uint8_t* data, std::uint32_t size,
                std::uint8_t compressed, std::uint8_t inflate);
    // Reads a whole file as a blob without header.
    int LoadFromFile(const char16_t* path);
    // Replaces a compressed payload by its inflated bytes. A failure leaves
    // the blob as it was. Returns 1 (also when there is nothing to do) or 0.
    int Inflate();
    // Frees the data and zeroes every field.
    void Free();
    // Zeroes every field without freeing: the caller has taken the buffer.
    void Detach();

    std::uint8_t* GetData() const { return m_data; }
    std::uint32_t GetSize() const { return m_size; }
    std::uint32_t GetType() const { return m_type; }
    std::uint8_t IsCompressed() const { return m_compressed; }
    std::uint8_t* GetPayload() const { return m_payload; }
    std::uint32_t GetPayloadSize() const { return m_payloadSize; }

private:
    // Parses the header of the data just taken; headerBytes is how many
    // header bytes the caller reads (3, or 4 with the uninterpreted one).
    int ParseHeader(std::uint32_t headerBytes);
    // Stores the described header; false when it does not lie inside the data.
    bool SetHeader(std::uint32_t headerLength, std::uint8_t compressed);

    std::uint8_t* m_data = nullptr;
    std::uint32_t m_size = 0;
    std::uint32_t m_type = 0;
    std::uint32_t m_headerLength = 0;
    std::uint8_t m_compressed = 0;
    std::uint8_t* m_payload = nullptr;
    std::uint32_t m_payloadSize = 0;
};

// Bit 29 of a resource id (a resource inside a bank).
inline std::uint32_t IdHasBit29(std::uint32_t id) { return (id >> 29) & 1; }
