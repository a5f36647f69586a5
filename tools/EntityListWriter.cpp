#include "tools/EntityListWriter.h"

#include "tools/TextForm.h"

namespace vktools {

Bytes MakeEntityList(const std::vector<EntityRecord>& records, std::optional<std::int16_t> count) {
    ByteWriter out;
    out.U16(static_cast<std::uint16_t>(count.value_or(static_cast<std::int16_t>(records.size()))));
    for (const EntityRecord& e : records) {
        out.U16(static_cast<std::uint16_t>((e.type & 0x7FFF) | (e.left ? 0x8000 : 0)));
        out.U16(static_cast<std::uint16_t>(e.x)).U16(static_cast<std::uint16_t>(e.y));
    }
    return out.Take();
}

bool ParseEntityList(std::string_view text, const std::string& file, std::vector<EntityRecord>& records,
                     std::string& error, const TypeLookup& typeNumber) {
    return ForEachLine(text, [&](int number, std::string_view line) {
        const std::vector<std::string> words = Words(line);
        if (words.empty()) return true;
        const bool shape = words[0] == "entity" && (words.size() == 4 || (words.size() == 5 && words[4] == "left"));
        std::int64_t type = -1, x = -1, y = -1;
        if (shape && !ParseInt(words[1], type)) type = typeNumber ? typeNumber(words[1]) : -1;
        const auto inRange = [](std::int64_t v, std::int64_t max) { return v >= 0 && v <= max; };
        if (!shape || !inRange(type, 0x7FFF) || !ParseInt(words[2], x) || !ParseInt(words[3], y) ||
            !inRange(x, 0xFFFF) || !inRange(y, 0xFFFF)) {
            error = file + ":" + std::to_string(number) + ": expected 'entity TYPE X Y [left]' (a known type, 0-65535)";
            return false;
        }
        records.push_back({static_cast<std::int32_t>(type), static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                           words.size() == 5});
        return true;
    });
}

}  // namespace vktools
