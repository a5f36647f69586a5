// The game service: messages 128, 131 and 135-137, each answered by the
// reply of the same id. Fields are named by their place on the wire.
#pragma once

#include <cstdint>

#include "platform/shared/network/netapi/CNetAPI.h"

class CNetGameData : public CNetData {
public:
    struct Record135 {
        std::uint32_t first;
        std::uint32_t second;
        std::int32_t kind;  // w AND 3
        std::uint8_t flag;  // bit 15 of w
        NetBlob run1;
        NetBlob run2;
    };
    struct Reply128 {
        std::uint8_t a = 0;
        std::uint8_t b = 0;
        std::uint32_t value = 0;
        NetBlob run;
    };
    struct Reply131 {
        std::uint8_t flag = 0;
    };
    struct Reply135 {
        std::uint16_t count = 0;
        Record135* records = nullptr;
    };
    // Replies 136 and 137.
    struct ReplyState {
        std::int32_t state = 0;
        NetBlob run1;
        NetBlob run2;
    };

    ~CNetGameData() override;

    const Reply128& Get128() const { return m_128; }
    const Reply131& Get131() const { return m_131; }
    const Reply135& Get135() const { return m_135; }
    const ReplyState& GetState() const { return m_state; }

    std::int32_t Read(CArrayInputStream& stream);

private:
    Reply128 m_128;
    Reply131 m_131;
    Reply135 m_135;
    ReplyState m_state;
};

class CNetGame : public CNetAPI {
public:
    // Runs are copied only when present and not empty; an absent run counts
    // as empty. A run of 136 longer than its u16 count can say gives 1.
    std::int32_t Send128(std::uint32_t a, std::uint32_t b, std::uint8_t flag, const std::uint8_t* run, std::uint32_t n);
    std::int32_t Send136(std::uint32_t a, std::uint32_t b, std::uint32_t c, const std::uint8_t* first, std::uint32_t p,
                         const std::uint8_t* second, std::uint32_t q);
    std::int32_t Send137(std::uint32_t a, std::uint32_t b);
    std::int32_t Send131(std::uint32_t a, std::uint32_t b);
    std::int32_t Send135(std::uint32_t a, std::uint16_t b);

    // Bits 12-14 of a reply's word: 1, 2 and 3 are states, the rest 0.
    static std::int32_t StateFromBits(std::uint32_t v) { return v >= 1 && v <= 3 ? static_cast<std::int32_t>(v) : 0; }

protected:
    CNetData* CreateData() override;
    std::int32_t ParseData(CArrayInputStream& stream) override;
};
