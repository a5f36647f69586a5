// The room service: messages 117-120 and 132, replies 117-121. The fields
// have no names beyond their place and width on the wire.
#pragma once

#include <cstdint>

#include "platform/shared/network/netapi/CNetAPI.h"

// The reply's fields by reply id; the set of the reply received is filled,
// an unknown id keeps the body.
class CNetRoomData : public CNetData {
public:
    struct Record117 {
        std::uint32_t value;
        std::uint16_t first;
        std::uint16_t second;
    };
    struct Record119 {
        std::uint32_t value;
        char16_t* text;  // owned; null for an empty one
    };
    struct Reply117 {
        std::uint32_t value = 0;
        std::uint16_t count = 0;
        Record117* records = nullptr;
    };
    struct Reply118 {
        std::uint32_t value = 0;
        std::uint8_t byte = 0;
        std::uint8_t flag = 0;
    };
    struct Reply119 {
        std::uint16_t count = 0;
        Record119* records = nullptr;
    };
    struct Reply120 {
        std::uint8_t flag = 0;
    };
    struct Reply121 {
        std::uint32_t value = 0;
        std::uint16_t second = 0;
    };

    ~CNetRoomData() override;

    const Reply117& Get117() const { return m_117; }
    const Reply118& Get118() const { return m_118; }
    const Reply119& Get119() const { return m_119; }
    const Reply120& Get120() const { return m_120; }
    const Reply121& Get121() const { return m_121; }

    std::int32_t Read(CArrayInputStream& stream);

private:
    Reply117 m_117;
    Reply118 m_118;
    Reply119 m_119;
    Reply120 m_120;
    Reply121 m_121;
};

class CNetRoom : public CNetAPI {
public:
    std::int32_t Send117(std::uint32_t a, std::uint32_t b, std::uint8_t flag);
    std::int32_t Send119(std::uint32_t a);
    std::int32_t Send118(std::uint32_t a, std::uint32_t b, std::uint8_t f1, std::uint8_t f2);
    std::int32_t Send118Alt(std::uint32_t a, std::uint32_t b, std::uint8_t f1, std::uint8_t f2);
    // Both write a, c, b: the same 13 bytes.
    std::int32_t Send132(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    std::int32_t Send132Alt(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    std::int32_t Send120(std::uint32_t a, std::uint32_t b);

protected:
    CNetData* CreateData() override;
    std::int32_t ParseData(CArrayInputStream& stream) override;

private:
    std::int32_t Send118Form(std::uint32_t a, std::uint32_t b, std::uint8_t f1, std::uint8_t f2, std::uint8_t second);
};
