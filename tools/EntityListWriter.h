// Writer of entity lists, the characters a level starts with: an int16
// count, then per entity its type (bit 15 set: facing left), x and y in
// pixels (the character's horizontal centre and bottom).
//
// The text form, one entity a line, '#' starting a comment:
//
//   entity TYPE X Y [left]
//
// TYPE is a number or a name that the given lookup turns into one.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

struct EntityRecord {
    std::int32_t type = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool left = false;
};

// The list; the count is the records' unless given. Fields are written as
// their low 16 bits (the type's 15).
Bytes MakeEntityList(const std::vector<EntityRecord>& records, std::optional<std::int16_t> count = {});

// Character type number of a name, -1 when there is none.
using TypeLookup = std::function<std::int32_t(std::string_view)>;
// Reads the text form; false with the error ("file:line: message").
bool ParseEntityList(std::string_view text, const std::string& file, std::vector<EntityRecord>& records,
                     std::string& error, const TypeLookup& typeNumber = nullptr);

}  // namespace vktools
