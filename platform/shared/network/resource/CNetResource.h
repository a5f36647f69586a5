// Numbered items of data asked from a server (message 1, reply 1), each a
// block of bytes found by its type and id.
#pragma once

#include <cstdint>

#include "platform/shared/network/netapi/CNetAPI.h"

class CNetResourceData : public CNetData {
public:
    struct Item {
        std::uint8_t taken;  // its data was handed out
        std::uint32_t type;
        std::uint8_t id;
        NetBlob data;  // owned until taken
    };

    ~CNetResourceData() override;

    // -1 unless reply 1; else the index of the first item of the type and
    // id, or -1. With an output: the item's data (empty when not found);
    // with take the caller owns it and the item keeps none.
    std::int32_t GetItem(std::uint32_t type, std::uint8_t id, NetBlob* out, bool take);
    // One item of type 255 and id 0 with data.
    bool HasDefaultItem() const;
    std::uint8_t GetItemCount() const { return m_count; }

    // Reads count items of a reply 1.
    std::int32_t Read(CArrayInputStream& stream, std::uint32_t count);

private:
    std::uint8_t m_count = 0;
    Item* m_items = nullptr;
};

class CNetResource : public CNetAPI {
public:
    // 1 without ids or for a count outside 1-255 (the reply counts items in
    // one byte).
    std::int32_t RequestItems(std::uint8_t type, const std::uint8_t* ids, std::int32_t count);
    std::int32_t RequestDefault();

protected:
    CNetData* CreateData() override;
    std::int32_t ParseData(CArrayInputStream& stream) override;

private:
    std::int32_t m_requested = 0;
};
