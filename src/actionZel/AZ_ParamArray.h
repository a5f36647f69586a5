// The scripts' parameter array as the dispatcher hands it on: a view over
// little-endian int16 words inside the script resource, read byte by byte
// because the payload may lie at any address.
#pragma once

#include <cstdint>

class AZ_ParamArray {
public:
    constexpr AZ_ParamArray() = default;
    constexpr AZ_ParamArray(const std::uint8_t* bytes, std::int32_t count) : m_bytes(bytes), m_count(count) {}

    std::int32_t size() const { return m_count; }

    // Word index, widened with its sign. A read outside the array gives 0.
    std::int32_t operator[](std::int32_t index) const {
        if (index < 0 || index >= m_count) return 0;
        const std::uint8_t* word = m_bytes + 2 * static_cast<std::int64_t>(index);
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(word[0] | word[1] << 8));
    }

private:
    const std::uint8_t* m_bytes = nullptr;
    std::int32_t m_count = 0;
};

// An instruction's arguments: the entries from its call's offset on, one
// per argument, read in order.
class AZ_ArgCursor {
public:
    AZ_ArgCursor(AZ_ParamArray params, std::int32_t offset) : m_params(params), m_at(offset) {}
    std::int32_t next() { return m_params[m_at++]; }

private:
    AZ_ParamArray m_params;
    std::int32_t m_at;
};
