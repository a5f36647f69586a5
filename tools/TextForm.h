// What the text forms of the tools/ writers share: lines, words, numbers
// and whole files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vktools {

// A decimal or 0x hexadecimal number with an optional sign, nothing else.
bool ParseInt(std::string_view text, std::int64_t& value);
// The line without its '#' comment, split at whitespace.
std::vector<std::string> Words(std::string_view line);
// The text without its leading and trailing blanks and tabs.
std::string_view Trim(std::string_view text);
// Calls visit(line number from 1, line without its line feed) for each
// line until visit returns false; false then.
template <typename Visit>
bool ForEachLine(std::string_view text, Visit visit) {
    for (int number = 1; !text.empty(); ++number) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!visit(number, line)) return false;
    }
    return true;
}
// The whole file; false when it cannot be read.
bool ReadTextFile(const std::string& path, std::string& text);

}  // namespace vktools
