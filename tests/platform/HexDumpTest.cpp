#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shared/win32/CCore_Win32.h"
#include "tests/support/DebugCapture.h"

namespace {

std::vector<std::string> Dump(const char* label, const std::vector<std::uint8_t>& bytes) {
    DebugCapture capture;
    CCore_Win32::HexDump(label, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    const std::string text = capture.Text();
    EXPECT_TRUE(text.empty() || text.back() == '\n');
    return capture.Lines();
}

TEST(HexDump, ShortLastLineKeepsTheColumns) {
    const std::vector<std::uint8_t> bytes = {0x00, 'A', '%', 0x7F, ' ', '~', 0x1F, 0xFF, 'h', 'i'};
    const std::vector<std::string> expected = {
        "abc: 0000: 00 41 25 7f 20 7e 1f ff   .A%. ~..",
        "abc: 0008: 68 69 " + std::string(18, ' ') + "  hi",
    };
    EXPECT_EQ(Dump("abc", bytes), expected);
}

TEST(HexDump, LabelIsCutToNineCharacters) {
    const auto lines = Dump("abcdefghijkl", {'z'});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "abcdefghi: 0000: 7a " + std::string(21, ' ') + "  z");
}

TEST(HexDump, LabelAndBytesAreWrittenAsPlainText) {
    const auto lines = Dump("%s%n%d", {'%', 'n'});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "%s%n%d: 0000: 25 6e " + std::string(18, ' ') + "  %n");
}

TEST(HexDump, LineCountFollowsTheLength) {
    struct Case {
        std::size_t length;
        std::size_t lines;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {8, 1}, {9, 2}, {16, 2}, {17, 3}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes(c.length);
        for (std::size_t i = 0; i < c.length; ++i) bytes[i] = static_cast<std::uint8_t>('a' + i);
        const auto lines = Dump("L", bytes);
        ASSERT_EQ(lines.size(), c.lines) << c.length;
        if (c.length % 8 == 0 && c.length > 0) {
            // A multiple of 8 ends with a full line and no filler.
            const std::string offset = c.length == 8 ? "0000" : "0008";
            EXPECT_EQ(lines.back().substr(0, 9), "L: " + offset + ": ") << c.length;
            EXPECT_EQ(lines.back().size(), 9u + 8 * 3 + 2 + 8) << c.length;
        }
    }
}

}  // namespace
