// The statistics service: messages 112-116, 133 and 134. Fields are named
// by their place on the wire.
#pragma once

#include <cstdint>

#include "platform/shared/network/netapi/CNetAPI.h"

class CNetStatData : public CNetData {
public:
    struct Record133 {
        std::uint32_t value;
        std::uint8_t flag;  // bit 15 of its word
        NetBlob run1;
        NetBlob run2;
    };
    struct Reply133 {
        std::uint32_t value = 0;
        std::uint8_t count = 0;
        Record133* records = nullptr;
    };

    ~CNetStatData() override;

    // Reply 112's body.
    const NetBlob& Get112() const { return m_112; }
    std::uint8_t Get113Flag() const { return m_113Flag; }
    std::uint32_t Get114Value() const { return m_114Value; }
    const Reply133& Get133() const { return m_133; }

    std::int32_t Read(CArrayInputStream& stream);

private:
    NetBlob m_112;
    std::uint8_t m_113Flag = 0;
    std::uint32_t m_114Value = 0;
    Reply133 m_133;
};

class CNetStat : public CNetAPI {
public:
    // Runs are copied only when present and not empty; an absent run counts
    // as empty.
    std::int32_t Send112(std::uint32_t a);
    std::int32_t Send113(std::uint32_t a, std::uint32_t b, const std::uint8_t* run, std::uint32_t n, std::uint8_t flag);
    // Typed records: the value when not 0, the name when present and not
    // empty (1 when its record would not fit its one-byte length).
    std::int32_t Send114(const char16_t* name, std::uint32_t value);
    std::int32_t Send115(std::uint8_t flag);
    std::int32_t Send116(std::uint32_t a, const std::uint8_t* run, std::uint32_t n);
    std::int32_t Send133(std::uint32_t a, std::int32_t kind, std::uint16_t c, std::uint16_t d);
    std::int32_t Send134(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint8_t flag);

protected:
    CNetData* CreateData() override;
    std::int32_t ParseData(CArrayInputStream& stream) override;
};
