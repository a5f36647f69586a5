// Bitmap fonts of both versions from the tools/ writer, drawn into a
// recording image; the text parser and image tiling over the same image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CTextParser.h"
#include "tests/platform/FontTestSupport.h"
#include "tests/support/FailingAlloc.h"

namespace {

using fonttest::DrawCall;
using fonttest::FixedFont;
using fonttest::LoadedFont;
using fonttest::RecordingImage;
using Bytes = std::vector<std::uint8_t>;

TEST(Font, MeasureStopsBeforeTheCharacterThatPassesTheWidth) {
    LoadedFont f(FixedFont(u"abc", u"", 5, 1));
    ASSERT_EQ(f.loaded, 1);
    const struct {
        const char16_t* text;
        std::int32_t length, maxWidth, width, fit;
    } cases[] = {
        {u"abc", -1, -1, 17, 3}, {u"abc", -1, 11, 5, 1}, {u"abc", -1, 17, 11, 2},
        {u"abc", -1, 0, 0, 0},   {u"abc", 2, -1, 11, 2},
        {u"axb", -1, -1, 12, 3},  // x has no record: advance 0, spacing still added
    };
    for (const auto& c : cases) {
        std::int32_t fit = -7;
        EXPECT_EQ(f.font.Measure(c.text, c.length, c.maxWidth, &fit), c.width) << c.maxWidth;
        EXPECT_EQ(fit, c.fit) << c.maxWidth;
    }
    // With negative spacing the advance itself must fit, not only the step.
    LoadedFont tight(FixedFont(u"abc", u"", 5, -1));
    std::int32_t fit = 0;
    EXPECT_EQ(tight.font.Measure(u"abc", -1, 12, &fit), 9);
    EXPECT_EQ(fit, 2);
}

// Both versions give the same font; glyphs at or above 0x8000 are found
// (characters compare unsigned) and unknown characters are not drawn.
TEST(Font, BothVersionsLoadTheSameFont) {
    vktools::FontDesc desc = FixedFont(u"", u"", 0, -1);
    desc.heightBase = 12;
    desc.lineGap = 3;
    desc.glyphs = {
        {.character = u'g', .sourceX = 300, .sourceY = -2, .width = 7, .height = 11, .xOffset = -1, .yOffset = 4,
         .advance = 6, .unused = -128},
        {.character = u'\xF000', .sourceX = -5, .sourceY = 1000, .width = -1, .height = 127, .xOffset = 3,
         .yOffset = -128, .advance = 127, .unused = 5},
    };
    desc.advances = {{.character = u'\x3000', .advance = 12, .unused = 1}, {.character = u' ', .advance = 4}};
    CRect clip(0, 0, 100, 100);
    const std::vector<DrawCall> expected = {{&clip, 9, 24, 7, 11, 300, -2},
                                            {&clip, 15 + 3, 20 - 128, -1, 127, -5, 1000}};
    for (const std::uint8_t version : {1, 2}) {
        desc.version = version;
        LoadedFont f(desc);
        ASSERT_EQ(f.loaded, 1);
        EXPECT_EQ(f.font.GetHeight(), 15);
        EXPECT_EQ(f.font.GetLineGap(), 3);
        EXPECT_EQ(f.font.Measure(u"g\xF000 \x3000", -1, -1, nullptr), 6 + 127 + 4 + 12 - 3);
        RecordingImage sheet;
        f.font.SetImage(&sheet);
        f.font.DrawString(u"g\xF000 \x3000?", -1, &clip, 10, 20, 0);
        EXPECT_EQ(sheet.calls, expected) << int(version);
    }
}

TEST(Font, DrawStringAlignsByTheFirstFlagOfEachDirection) {
    // "AAA" measures 17 (three advances of 5 and two spacings), height 11.
    LoadedFont f(FixedFont(u"A", u"", 5, 1));
    RecordingImage sheet;
    f.font.SetImage(&sheet);
    const CRect rect(10, 20, 100, 50);
    const std::int32_t cases[][3] = {
        {0, 3, 4},        {2, 10, 4},    {4, 10 + 50 - 8, 4},  // halves rounded down separately
        {8, 93, 4},       {16, 3, 20},   {32, 3, 20 + 25 - 5}, {64, 3, 20 + 50 - 11},
        {8 | 64, 93, 59}, {4 | 8, 52, 4}, {32 | 64, 3, 40},     {1 | 128 | 256, 3, 4},  // no alignment bits
    };
    for (const auto& [flags, x, y] : cases) {
        sheet.calls.clear();
        f.font.DrawString(u"AAA", -1, &rect, 3, 4, flags);
        ASSERT_EQ(sheet.calls.size(), 3u) << flags;
        EXPECT_EQ(sheet.calls[0], (DrawCall{&rect, x, y, 5, 9, 0, 0})) << flags;
        EXPECT_EQ(sheet.calls[2].x, x + 12) << flags;
    }
}

TEST(Font, KerningAdvancesBlanksAndUnknownCharacters) {
    vktools::FontDesc desc = FixedFont(u"AV", u" ", 8, 1);
    desc.glyphs[0].xOffset = -2;
    desc.glyphs[1].advance = -3;
    desc.glyphs[1].yOffset = 2;
    LoadedFont f(desc);
    ASSERT_EQ(f.loaded, 1);
    EXPECT_EQ(f.font.GetCharAdvance(u'V'), -3);
    EXPECT_EQ(f.font.GetCharAdvance(u' '), 8);
    // Width below 0 and the largest maximum: the room left needs 64 bits.
    std::int32_t fit = 0;
    EXPECT_EQ(f.font.Measure(u"VVA", -1, INT32_MAX, &fit), 4);
    EXPECT_EQ(fit, 3);
    RecordingImage sheet;
    f.font.SetImage(&sheet);
    f.font.DrawString(u"A V?A", -1, nullptr, 100, 0, 0);
    const std::vector<DrawCall> expected = {
        {nullptr, 98, 0, 8, 9, 0, 0},
        {nullptr, 118, 2, 8, 9, 1, 0},  // after A (8 + 1) and the space (8 + 1)
        {nullptr, 114, 0, 8, 9, 0, 0},  // V moved back 3 - 1; '?' did not move
    };
    EXPECT_EQ(sheet.calls, expected);
}

// Resources the font refuses (or cannot allocate for) leave it empty,
// whatever it held before: a font without records, of height 0, whose
// characters measure 0 and draw nothing.
void ExpectRefused(const Bytes& bytes, std::size_t cut = SIZE_MAX, int failAlloc = -1) {
    const auto size = static_cast<std::uint32_t>(std::min(cut, bytes.size()));
    LoadedFont previous(FixedFont(u"x", u"", 1));
    FailNthNothrowNew(failAlloc);
    EXPECT_EQ(previous.font.Load(bytes.data(), size), 0) << size << " " << failAlloc;
    FailNthNothrowNew(-1);
    RecordingImage sheet;
    previous.font.SetImage(&sheet);
    const CRect rect(0, 0, 50, 50);
    std::int32_t fit = -1;
    EXPECT_EQ(previous.font.GetLineGap() + previous.font.GetHeight() + previous.font.GetCharAdvance(u'x'), 0);
    EXPECT_EQ(previous.font.Measure(u"xx", -1, 10, &fit), 0);
    EXPECT_EQ(fit, 2);
    previous.font.DrawString(u"xx", -1, &rect, 0, 0, CFont::kAlignHCentre | CFont::kAlignVCentre);
    EXPECT_TRUE(sheet.calls.empty()) << size << " " << failAlloc;
}

TEST(Font, ShortMalformedOrUnallocatedResourcesAreRefused) {
    for (const std::uint8_t version : {1, 2}) {
        vktools::FontDesc desc = FixedFont(u"ab\xFFFF", u" \n", 4);
        desc.version = version;
        const Bytes bytes = vktools::MakeFont(desc);
        for (std::size_t size = 0; size < bytes.size(); ++size) ExpectRefused(bytes, size);
        // Other versions, and bytes 1 and 2 not 0.
        for (const auto& [at, value] : {std::pair{0, 0}, {0, 3}, {1, 1}, {2, 0x80}}) {
            Bytes changed = bytes;
            changed[at] = static_cast<std::uint8_t>(value);
            ExpectRefused(changed);
        }
        // Unsorted glyphs, also when the order is right only as signed values.
        for (const std::u16string chars : {u"ba", u"\x8000\x7FFF"}) {
            desc = FixedFont(chars, u"", 2);
            desc.version = version;
            ExpectRefused(vktools::MakeFont(desc));
        }
    }
    // A string block longer than the data after it; counts beyond the records.
    vktools::FontDesc desc = FixedFont(u"ab", u" ", 2);
    desc.version = 2;
    Bytes bytes = vktools::MakeFont(desc);
    bytes[13] = 30;
    ExpectRefused(bytes);
    bytes = vktools::MakeFont(FixedFont(u"ab", u" ", 2));
    bytes[10] = 2;
    ExpectRefused(bytes);
    // Header, glyph table, advance table, character buffer.
    for (int n = 0; n < 4; ++n) ExpectRefused(vktools::MakeFont(FixedFont(u"ab", u" ", 4)), SIZE_MAX, n);
    // Duplicate characters count as sorted.
    EXPECT_EQ(LoadedFont(FixedFont(u"aa", u"", 2)).loaded, 1);
    // Version 2 with empty string blocks: the fewest bytes that hold the
    // records load (every character 0), a byte less does not.
    vktools::ByteWriter least;
    least.U8(2).U16(0).U16(0).U8(9).U16(0).U16(2).U16(1).U16(0).Append(Bytes(20, 0)).U16(0).Append(Bytes(2, 0));
    CGraphicFont font;
    EXPECT_EQ(font.Load(least.Get().data(), static_cast<std::uint32_t>(least.Size())), 1);
    ExpectRefused(least.Get(), least.Size() - 1);
}

TEST(Font, StringBlockWithTooFewCharactersLeavesZeros) {
    // One character for three advance records: the others get character 0.
    vktools::FontDesc desc = FixedFont(u"xyz", u"pqr", 2);
    desc.version = 2;
    desc.advances[1].advance = 7;
    desc.advances[2].advance = 9;
    Bytes bytes = vktools::MakeFont(desc);
    const std::size_t block = 12 + 2 + 3 + 3 * 10;
    ASSERT_EQ(bytes[block + 1], 3);
    bytes[block + 1] = 1;
    const auto cut = bytes.begin() + static_cast<std::ptrdiff_t>(block + 3);
    bytes.erase(cut, cut + 2);
    CGraphicFont font;
    ASSERT_EQ(font.Load(bytes.data(), static_cast<std::uint32_t>(bytes.size())), 1);
    EXPECT_EQ(font.GetCharAdvance(u'q'), 0);
    EXPECT_EQ(font.GetCharAdvance(u'z'), 2);
    EXPECT_EQ(font.GetCharAdvance(u'\0'), 7);
}

TEST(TextParser, BreaksLines) {
    // Letters, tabs and spaces advance 10; line feeds have no record.
    static LoadedFont font(FixedFont(u"\tabcdefghijklmnopqrstuvwxyz", u" ", 10));
    using Lines = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const std::u16string longText(70000, u'a');
    const struct {
        const char16_t* text;
        std::int32_t width;
        Lines lines;
    } cases[] = {
        {u"hello world", 80, {{0, 5}, {6, 5}}},
        {u"hello world", 110, {{0, 11}}},
        {u"ab\n\ncd", 1000, {{0, 2}, {4, 0}, {4, 2}}},
        {u"ab\n\n", 1000, {{0, 2}}},
        {u"abcdefghij", 40, {{0, 4}, {4, 4}, {8, 2}}},  // a word longer than the width
        {u"abcdef", 5, {}},                             // not even one character fits
        {u"ab  cd", 20, {{0, 2}, {3, 2}, {5, 1}}},      // one space goes, the second starts a line
        {u"a b c d", 50, {{0, 5}, {6, 1}}},             // the last space that fits
        {u"a\tb\tc", 30, {{0, 3}, {3, 2}}},             // tabs never break
        {u"a\nb cdefgh", 40, {{0, 1}, {2, 1}, {4, 4}, {8, 2}}},  // a line feed wins over a later space
        {longText.c_str(), 300000, {{0, 30000}, {30000, 30000}, {60000, 5535}}},  // 16-bit records: 65535 at most
    };
    for (const auto& c : cases) {
        CTextParser parser;
        parser.SetFont(&font.font);
        parser.SetText(c.text);
        parser.SetWidth(c.width);
        EXPECT_EQ(parser.Parse(), 0);
        Lines lines;
        for (std::int32_t i = 0; i < parser.GetLineCount(); ++i) {
            lines.emplace_back(parser.GetLineStart(i), parser.GetLineLength(i));
        }
        EXPECT_EQ(lines, c.lines) << std::u16string(c.text).size() << " at " << c.width;
    }
}

TEST(DrawUtil, TileImageCoversTheAreaCuttingTheLastRowAndColumn) {
    const CRect clip(0, 0, 100, 100);
    RecordingImage image(16, 16);
    CDrawUtil::TileImage(&clip, &image, 0, 0, 40, 20);
    const std::vector<DrawCall> expected = {
        {&clip, 0, 0, 16, 16, 0, 0}, {&clip, 16, 0, 16, 16, 0, 0}, {&clip, 32, 0, 8, 16, 0, 0},
        {&clip, 0, 16, 16, 4, 0, 0}, {&clip, 16, 16, 16, 4, 0, 0}, {&clip, 32, 16, 8, 4, 0, 0},
    };
    EXPECT_EQ(image.calls, expected);
    RecordingImage empty(16, 0);
    CDrawUtil::TileImage(&clip, &empty, 0, 0, 40, 20);  // would never advance
    EXPECT_TRUE(empty.calls.empty());
}

}  // namespace
