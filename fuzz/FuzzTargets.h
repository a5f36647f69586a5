// Bodies of the fuzz targets, shared with the test that replays their seeds.
// Each takes arbitrary bytes and drives the readers over them; the
// sanitizers report anything out of bounds.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/File.h"
#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CKeysetResource.h"
#include "platform/shared/graphics/2d/CTextParser.h"
#include "platform/shared/tremor/TremorDecode.h"
#include "tests/platform/FontTestSupport.h"
#include "tools/BigFileWriter.h"
#include "tools/ScratchDir.h"

namespace fuzz {

// A per-process scratch file in the phone's form, in a scratch directory
// removed at the program's end.
inline const std::u16string& ScratchPath() {
    static const vktools::ScratchDir dir("vk-fuzz-");
    static const std::u16string path = [] {
        if (dir.Path().empty()) std::abort();
        return host::ToPhonePath(dir.Path() + "/scratch.big");
    }();
    return path;
}

inline bool WriteScratch(const std::uint8_t* data, std::size_t size) {
    return vktools::WriteHostFile(host::ToHostPath(ScratchPath()), vktools::Bytes(data, data + size));
}

// Loads the entry of id in every resource form and touches what loaded.
inline void LoadEverything(CBigFileReader& reader, std::uint32_t id) {
    CBinRes res;
    if (res.LoadFromBigFile(&reader, id, 1)) {
        volatile std::uint8_t sink = 0;
        for (std::uint32_t i = 0; i < res.GetPayloadSize(); i += 97) sink = sink + res.GetPayload()[i];
    }
    CAggregateResource aggregate;
    if (aggregate.Load(&reader, id)) {
        for (std::uint32_t sub = 0; sub < 64; ++sub) {
            std::vector<std::uint8_t> out(aggregate.GetSize(sub) + 1);
            aggregate.Read(sub, out.data());
            aggregate.GetExtra(sub);
        }
    }
    CKeysetResource keyset;
    if (keyset.Load(&reader, id)) {
        for (std::uint32_t i = 0; i <= keyset.GetCount(); ++i) keyset.GetKey(i);
    }
}

// The input is a whole archive.
inline int FuzzBigFile(const std::uint8_t* data, std::size_t size) {
    if (!WriteScratch(data, size)) return 0;
    CBigFileReader reader;
    if (reader.Open(ScratchPath().c_str())) {
        std::uint8_t buffer[64];
        for (std::uint32_t id = 0; id < 24; ++id) {
            reader.FindIndex(id);
            reader.GetEntryType(id);
            reader.ReadEntry(id, buffer, sizeof buffer);
            LoadEverything(reader, id);
        }
    }
    return 0;
}

// The input is one blob, stored under id 1 of an archive.
inline int FuzzBlob(const std::uint8_t* data, std::size_t size) {
    vktools::BigFileWriter writer;
    writer.Add(1, 3, vktools::Bytes(data, data + size));
    const vktools::Bytes archive = writer.Build(vktools::BigFileWriter::IdForm::List);
    if (!WriteScratch(archive.data(), archive.size())) return 0;
    CBigFileReader reader;
    if (reader.Open(ScratchPath().c_str())) LoadEverything(reader, 1);
    if (size > 0) {
        auto* copy = new std::uint8_t[size];
        std::memcpy(copy, data, size);
        CBinRes res;
        res.InitFromMemory(0, copy, static_cast<std::uint32_t>(size), 1);
    }
    return 0;
}

// A broken invariant ends the process, so that the fuzzer reports it.
inline void Require(bool holds) {
    if (!holds) std::abort();
}

// The input is a font resource; its bytes taken as UTF-16 units are also the
// text measured and drawn, after a fixed text. A resource the loader refuses
// leaves an empty font, which must measure and draw as well.
inline int FuzzFont(const std::uint8_t* data, std::size_t size) {
    if (size < 3 || size > 0xFFFF) return 0;
    fonttest::RecordingImage image(32, 24);
    CGraphicFont font;
    font.SetImage(&image);
    font.Load(data, static_cast<std::uint32_t>(size));

    std::u16string own;
    for (std::size_t i = 0; i + 1 < size && own.size() < 256; i += 2) {
        own.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    const CRect clip(2, 3, 50, 20);
    for (const std::u16string& text : {std::u16string(u"Az b\x00E9\x8000\xFFFF \n\t"), own}) {
        const auto length = static_cast<std::int32_t>(text.size());
        for (const std::int32_t maxWidth : {-1, 0, 7, 40}) {
            std::int32_t fit = -1;
            font.Measure(text.c_str(), length, maxWidth, &fit);
            Require(fit >= 0 && fit <= length);
        }
        font.Measure(text.c_str(), -1, -1, nullptr);
        for (const std::int32_t flags : {0, CFont::kAlignLeft | CFont::kAlignTop,
                                         CFont::kAlignHCentre | CFont::kAlignVCentre,
                                         CFont::kAlignRight | CFont::kAlignBottom}) {
            font.DrawString(text.c_str(), length, &clip, -5, 7, flags);
        }
        if (length > 0) font.GetCharAdvance(text[0]);
    }
    font.GetHeight();
    font.GetLineGap();
    return 0;
}

// The input: a little-endian 16-bit width (signed), a byte choosing one of
// three fonts (plain, negative spacing, advances of 0 and below), then the
// text as UTF-16 units. The lines must follow each other inside the text.
inline int FuzzTextParser(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    static fonttest::LoadedFont plain(fonttest::FixedFont(u"\tabcdefghijklmnopqrstuvwxyz", u" ", 10));
    static fonttest::LoadedFont tight(fonttest::FixedFont(u"abcdefgh\x00E9\x8000", u" \t", 7, -9));
    static fonttest::LoadedFont flat(fonttest::FixedFont(u"abc", u" z", 0, -1));
    CGraphicFont* const fonts[] = {&plain.font, &tight.font, &flat.font};

    std::u16string text;
    for (std::size_t i = 3; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    CTextParser parser;
    parser.SetFont(fonts[data[2] % 3]);
    parser.SetText(text.c_str());
    parser.SetWidth(static_cast<std::int16_t>(data[0] | data[1] << 8));
    Require(parser.Parse() == 0);

    const auto length = static_cast<std::int32_t>(
        std::min({text.find(u'\0'), text.size(), std::size_t{CTextParser::kMaxTextLength}}));
    std::int32_t end = 0;
    for (std::int32_t i = 0; i < parser.GetLineCount(); ++i) {
        const std::int32_t start = parser.GetLineStart(i);
        Require(start >= end && start + parser.GetLineLength(i) <= length);
        end = start + parser.GetLineLength(i);
    }
    return 0;
}

// The input is an Ogg Vorbis stream. Its page checksums are set right
// first, so that changed bytes reach the decoder rather than fail a
// checksum. A second decode of the same bytes must give the same result: the
// same answer, and on success the same samples.
inline int FuzzOgg(const std::uint8_t* data, std::size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    std::vector<std::uint8_t> stream(data, data + size);
    const std::string_view text(reinterpret_cast<const char*>(stream.data()), size);
    for (std::size_t at = text.find("OggS"); at != std::string_view::npos && size - at >= 27;
         at = text.find("OggS", at + 1)) {
        std::uint8_t* page = stream.data() + at;
        std::size_t length = 27 + page[26];
        for (std::size_t i = 0; i < page[26] && 27 + i < size - at; ++i) length += page[27 + i];
        if (length > size - at) continue;
        const std::uint32_t crc = OggPageChecksum(page, length);
        for (int i = 0; i < 4; ++i) page[22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    }
    std::uint8_t* pcm[2] = {};
    std::uint32_t bytes[2] = {};
    bool ok[2];
    for (int i = 0; i < 2; ++i) {
        ok[i] = TremorDecodeToPcm(stream.data(), static_cast<std::uint32_t>(size), &pcm[i], &bytes[i]);
    }
    const std::unique_ptr<std::uint8_t[]> first(pcm[0]);
    const std::unique_ptr<std::uint8_t[]> second(pcm[1]);
    Require(ok[0] == ok[1] && bytes[0] == bytes[1]);
    Require(!ok[0] || bytes[0] == 0 || std::memcmp(pcm[0], pcm[1], bytes[0]) == 0);
    return 0;
}

inline void RemoveScratch() { unlink(host::ToHostPath(ScratchPath()).c_str()); }

}  // namespace fuzz
