// Seed inputs of the fuzz targets, made by the tools/ writers.
#pragma once

#include <string_view>
#include <tuple>
#include <vector>

#include "tools/BigFileWriter.h"
#include "tools/FontWriter.h"
#include "tools/OggTools.h"
#include "tools/ResourceWriters.h"

namespace fuzz {

inline std::vector<vktools::Bytes> BlobSeeds() {
    using namespace vktools;
    const Bytes text = {'v', 'e', 'l', 'k', 'o', 'r', 'i', 'n', ' ', 'v', 'e', 'l', 'k', 'o', 'r', 'i', 'n'};
    std::vector<Bytes> seeds = {MakeBlob(text), MakeCompressedBlob(text, 9), MakeBlob(MakeKeyset({1, 2, 0x03000005u})),
                                MakeCompressedBlob(MakeKeyset({7, 8}))};
    const std::vector<AggregateItem> items = {{3, {1, 2, 3}, 10}, {5, {}, 20}, {9, text, 30}};
    for (std::uint32_t bits = 0; bits < 8; ++bits) {
        seeds.push_back(MakeBlob(MakeAggregate(static_cast<std::uint16_t>(bits << 13), 1, items)));
    }
    seeds.push_back(MakeCompressedBlob(MakeAggregate(kAggregateExtras, 0, items)));
    return seeds;
}

inline std::vector<vktools::Bytes> BigFileSeeds() {
    using namespace vktools;
    std::vector<Bytes> seeds;
    const std::vector<Bytes> blobs = BlobSeeds();
    for (const auto form : {BigFileWriter::IdForm::List, BigFileWriter::IdForm::Range}) {
        BigFileWriter writer;
        std::uint32_t id = 1;
        for (const auto& blob : blobs) {
            writer.Add(id, id % 8, blob);
            id += id % 3 == 0 ? 5 : 1;
        }
        seeds.push_back(writer.Build(form));
    }
    return seeds;
}

// Fonts of both versions: sorted glyphs, advance-only records shadowing a
// glyph, negative offsets and advances, characters beyond 0x7F.
inline std::vector<vktools::Bytes> FontSeeds() {
    vktools::FontDesc desc;
    desc.heightBase = 9;
    desc.spacing = 1;
    desc.lineGap = 2;
    desc.glyphs = {{.character = u'A', .width = 6, .height = 9, .advance = 7},
                   {.character = u'b', .sourceX = 6, .width = 5, .height = 9, .xOffset = -1, .advance = 5},
                   {.character = u'z', .sourceX = 11, .sourceY = 9, .width = 4, .height = 5, .yOffset = 4,
                    .advance = -2},
                   {.character = 0x00E9, .sourceX = 15, .width = 5, .height = 9, .advance = 6},
                   {.character = 0x8000, .sourceX = 20, .width = 9, .height = 9, .advance = 10}};
    desc.advances = {{.character = u' ', .advance = 4}, {.character = u'b', .advance = 3}};
    std::vector<vktools::Bytes> seeds;
    for (const std::uint8_t version : {1, 2}) {
        desc.version = version;
        seeds.push_back(vktools::MakeFont(desc));
    }
    return seeds;
}

// Text parser inputs: a little-endian 16-bit width, a byte choosing the
// font, then the text as little-endian UTF-16 units.
inline std::vector<vktools::Bytes> TextParserSeeds() {
    const struct {
        std::uint16_t width;
        std::uint8_t font;
        std::u16string_view text;
    } inputs[] = {{80, 0, u"hello world"},      {40, 0, u"a\nb cdefgh"}, {20, 1, u"ab  cd\n\n\tef"},
                  {0xFFF0, 2, u"a b c d e f g"}, {5, 0, u"abcdef"},        {1000, 1, u"\x8000\x00E9 z\n"}};
    std::vector<vktools::Bytes> seeds;
    for (const auto& input : inputs) {
        vktools::ByteWriter writer;
        writer.U16(input.width).U8(input.font);
        for (const char16_t c : input.text) writer.U16(c);
        seeds.push_back(writer.Take());
    }
    return seeds;
}

// Short oggenc tones: empty, one sample, a few pages, stereo, another rate.
inline std::vector<vktools::Bytes> OggSeeds() {
    std::vector<vktools::Bytes> seeds;
    for (const auto& [samples, channels, rate] : {std::tuple{0, 1, 8000}, std::tuple{1, 1, 8000},
                                                   std::tuple{3000, 1, 8000}, std::tuple{500, 2, 8000},
                                                   std::tuple{800, 1, 11025}}) {
        seeds.push_back(vktools::EncodeTone(samples, channels, rate));
    }
    return seeds;
}

}  // namespace fuzz
