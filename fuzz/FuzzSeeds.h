// Seed inputs of the fuzz targets, made by the tools/ writers.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "tools/BigFileWriter.h"
#include "tools/FontWriter.h"
#include "tools/NetReplyWriter.h"
#include "tools/OggTools.h"
#include "tools/ResourceWriters.h"

namespace fuzz {

// Writes the seeds into the corpus directory named on the command line when
// it is empty.
inline void SeedCorpus(int argc, char** argv, const std::vector<vktools::Bytes>& seeds) {
    namespace fs = std::filesystem;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') continue;
        std::error_code error;
        const fs::path dir(argv[i]);
        if (!fs::is_directory(dir, error) || !fs::is_empty(dir, error)) return;
        for (std::size_t n = 0; n < seeds.size(); ++n) {
            vktools::WriteHostFile((dir / ("seed" + std::to_string(n))).string(), seeds[n]);
        }
        return;
    }
}

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
#ifdef VK_GAME_ARCHIVE
    // The game's own archive, as the build made it from content/.
    std::ifstream game(VK_GAME_ARCHIVE, std::ios::binary);
    Bytes archive{std::istreambuf_iterator<char>(game), std::istreambuf_iterator<char>()};
    if (!archive.empty()) seeds.push_back(std::move(archive));
#endif
    return seeds;
}

// A network fuzz input: the number of piece sizes, the sizes (each one less
// than the pieces' length), then the reply.
inline vktools::Bytes NetInput(const vktools::Bytes& pieces, const vktools::Bytes& reply) {
    vktools::ByteWriter input;
    return input.U8(static_cast<std::uint8_t>(pieces.size())).Append(pieces).Append(reply).Take();
}

inline std::vector<vktools::Bytes> NetHttpSeeds() {
    using namespace vktools;
    Bytes body(2000);
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 7);
    const Bytes small(body.begin(), body.begin() + 300);
    return {NetInput({}, MakeHttpReply(200, small)),
            NetInput({0}, MakeHttpReply(200, small, {}, {"Server: x", "Connection: keep-alive"})),
            NetInput({6, 199}, MakeHttpReply(200, body, {600, 1, 255})),
            NetInput({12}, MakeHttpReply(200, body, {1, 2, 3})),
            NetInput({}, MakeHttpReply(404, small)),
            NetInput({2}, MakeHttpReply(200, {}, {7})),
            NetInput({}, MakeHttpReply(200, small, {}, {"transfer-encoding: CHUNKED"}))};
}

inline std::vector<vktools::Bytes> NetRawSeeds() {
    using namespace vktools;
    const Bytes payload = {1, 2, 3, 4, 5};
    return {NetInput({}, MakeRawReply(0x10, payload)), NetInput({0}, MakeRawReply(0x10, payload)),
            NetInput({0, 2}, MakeRawReply(0x10, payload)), NetInput({}, MakeRawReply(0x21, {}, 2)),
            NetInput({30}, MakeRawReply(0xF0, Bytes(100, 9), 12))};
}

inline std::vector<vktools::Bytes> NetReplySeeds() {
    std::vector<vktools::Bytes> seeds;
    for (const vktools::ServiceReply& reply : vktools::SampleServiceReplies()) {
        // Two items asked of the resource service (the count in the bits above the service).
        const auto pick = static_cast<std::uint8_t>(reply.service == 4 ? 4 | (1 << 3) : reply.service);
        vktools::ByteWriter input;
        seeds.push_back(input.U8(pick).U8(reply.replyId).Append(reply.body).Take());
    }
    return seeds;
}

// Hand-written device.conf, softkey.conf and properties texts, each with LF
// and with CRLF line ends, and hs.dat records.
inline std::vector<vktools::Bytes> ConfigSeeds() {
    const std::string texts[] = {
        "KEYMAP=4\nSOFT2=0xC2\nLEFT=0x25\nSELECTION=0x61\nSTAR=0x2A\nEXIT_ON_CLAMSHELL=0\nDISABLE_SOUND=1\n"
        "ONLY_ONE_KEY_PRESS=1\nTICKRATE=48\nCONTROL_TEXT=Up|Down \xE9\nSTRING_146=Paused\nLEVEL_INTRO_TEXT=Go\n",
        "LSK_PORTRAIT_X=4\nRSK_PORTRAIT_X=6\nLSK_LANDSCAPE_X=-10\nRSK_LANDSCAPE_X=12\n",
        "# build switches\nZel-Cheats-Enable = TRUE\nZel-Test-Localisation:false\n! note\nlevel=a:b\nlevel=2\n",
        // Numbers past the 32-bit range, which the readers saturate.
        "LSK_PORTRAIT_X=2147483647\nRSK_PORTRAIT_X=4222222222\nKEYMAP=4222222222\nlevel=-4222222222\n",
    };
    std::vector<vktools::Bytes> seeds;
    for (const std::string& text : texts) {
        std::string crlf;
        for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        seeds.emplace_back(text.begin(), text.end());
        seeds.emplace_back(crlf.begin(), crlf.end());
    }
    vktools::ByteWriter scores;
    for (const char16_t c : std::u16string(u"ANNA\0\0TOPGUNXYZ\0\0\0")) scores.U16(c);
    for (int i = 0; i < 3; ++i) scores.U16(static_cast<std::uint16_t>(u'a' + i)).U16(0).U16(0).U16(0).U16(0).U16(0);
    for (const std::uint32_t score : {900u, 500u, 500u, 20u, 0xFFFFFFF6u}) scores.U32(score);
    seeds.push_back(scores.Take());
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
