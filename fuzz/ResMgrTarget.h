// The resource manager's fuzz target body and seeds, and the archive they
// run on, shared with the tests. The input is the manifest of an archive
// whose other resources are fixed; its words also serve as the ids asked
// for.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CKeysetResource.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tools/ArchiveBuilder.h"
#include "tools/BmpWriter.h"
#include "tools/ResourceWriters.h"

namespace fuzz {

namespace resmgr {

using namespace vktools;

constexpr std::uint32_t kData = ResId(kResData, 0x10);
constexpr std::uint32_t kKept = ResId(kResData, 0x11) | kKeepCached;
constexpr std::uint32_t kKeyset = ResId(kResKeyset, 0x12);
constexpr std::uint32_t kEnglish = ResId(kResAggregate, 0x20);
constexpr std::uint32_t kGerman = ResId(kResAggregate, 0x21);
constexpr std::uint32_t kBank = ResId(kResAggregate, 0x30);  // aggregate index 0x30
constexpr std::uint32_t kPalImage = ResId(kResImage, 0x40);
constexpr std::uint32_t kNativeImage = ResId(kResImage, 0x41);
constexpr std::uint32_t kOddImage = ResId(kResImage, 0x42);  // of an unknown tag
constexpr std::uint32_t kPalette = ResId(kResPalette, 0x43);
constexpr std::uint32_t kBankImage = AggregateResId(kResImage, 0x30, 1);
constexpr std::uint32_t kBankData = AggregateResId(kResData, 0x30, 2);
constexpr std::uint32_t kHello = TextId(5);
constexpr std::uint32_t kMalformed = TextId(6);
constexpr std::uint32_t kPacked = TextId(7);
constexpr std::uint32_t Plain(std::uint32_t index) { return AliasId(kAliasPlain, index); }

// A 3 x 2 bitmap of four colours, 8 bits per pixel.
inline Bytes Bmp8() {
    BmpDesc bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.palette = {0xFF00FF, 0x102030, 0xA0B0C0, 0x00FF00};
    bmp.coloursUsed = 4;
    bmp.pixels = {0, 1, 2, 3, 2, 1};
    return MakeBmp(bmp);
}

inline TaggedBlob DataOf(std::string_view text, bool compressed = false) {
    return MakeResource(Bytes(text.begin(), text.end()), 0, compressed);
}

// Aliases: an image with its palette at 0; plain ones from 3 on, among
// them targets the manager refuses, a cycle and a chain of nine (9 -> 10 ->
// ... -> 17 -> data); at 18 an image whose "palette" is data; at 21 an
// alias of the image alias.
inline ManifestDesc FullManifest() {
    ManifestDesc m;
    m.aliases = {kPalImage, 0, kPalette, kData, kHello, Plain(3), 0x07000001, Plain(7), ResId(kResText, 5)};
    for (std::uint32_t i = 9; i < 17; ++i) m.aliases.push_back(Plain(i + 1));
    m.aliases.insert(m.aliases.end(), {kData, kPalImage, 0, kData, AliasId(kAliasImage, 0)});
    m.flagCount = 2;
    m.nameLength = 12;
    m.languages = {{kEnglish, {1, 2}, Utf8Name(u"English")},
                   {kGerman, {3}, Utf8Name(u"Deutsch")},
                   {kData, {}, {0xC3, 0x28}}};          // no aggregate; a malformed name
    m.aggregates = {ResId(kResData, 0x31), kBank};  // index 0x31 names data
    return m;
}

// The archive of the given manifest: data (one kept cached), a keyset, two
// language aggregates (texts plain, malformed and compressed), an aggregate
// of a compressed image and data, images of each tag and a palette
// (colours 0x000000, 0x445566, ...).
inline ArchiveBuilder Archive(const Bytes& manifest) {
    ArchiveBuilder a;
    a.AddManifestPayload(manifest);
    a.Add(kData, DataOf("data-0x10"));
    a.Add(kKept, DataOf("kept-0x11"));
    a.Add(kKeyset, MakeResource(MakeKeyset({kData, kKept})));
    a.Add(kEnglish, MakeBlobAggregate({{5, MakeText(u"Hello")},
                                       {6, MakeResource({'A', 0xC3})},
                                       {7, MakeText(u"Zipped \u00e9\u4e2d", true)}}));
    a.Add(kGerman, MakeLanguageAggregate({{5, u"Hallo"}}));
    a.Add(kBank, MakeBlobAggregate(
                     {{1, MakeResource(Bmp8(), kTagPalettizedImage, true)}, {2, DataOf("sub-2", true)}}, true));
    a.Add(kPalImage, MakeResource(Bmp8(), kTagPalettizedImage));
    a.Add(kNativeImage, MakeResource(Bmp8(), kTagNativeImage));
    a.Add(kOddImage, MakeResource(Bmp8(), 0x5EED));
    a.Add(kPalette, MakeResource({0, 0, 0, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0, 0xFF, 0xFF, 0xFF, 0}));
    return a;
}

// Whether the program could pass the id: the ids of its own that stop it
// through the assertions are not asked for.
inline bool Askable(std::uint32_t id) {
    const std::uint32_t type = TypeOf(id);
    if (type == kResText) return (id & kInAggregate) != 0;
    if (type == kResAlias) return ((id >> 16) & 0xFF) <= kAliasPlain;
    return type == kResImage || type == kResData || type == kResPalette || type == kResKeyset ||
           type == kResAggregate || type == kResSound;
}

// Every typed get that takes the id, shared and detached.
inline void GetEverything(CResMgr& res, std::uint32_t id) {
    const std::uint32_t type = TypeOf(id);
    const bool alias = type == kResAlias;
    if (res.GetResource(id, 0) != nullptr) res.Release(id, 0);
    if (type == kResText || alias) {
        if (const char16_t* text = res.GetText(id, 0)) {
            volatile char16_t sink = text[0];
            (void)sink;
            res.Release(id, 0);
        }
        delete[] res.GetText(id, 1);
    }
    if (type == kResData || alias) delete res.GetData(id, 1);
    if (type == kResPalette || alias) delete res.GetPalette(id, 1);
    if (type == kResSound || alias) delete res.GetSound(id, 1);
    if (type == kResImage || alias) delete res.GetImage(id, 1);
    if (type == kResKeyset || alias) delete res.GetKeyset(id, 1);
    if (type == kResAggregate || alias) delete res.GetAggregate(id, 1);
    if (type == kResImage) {
        delete res.CreateImage(id, nullptr, 0, 1);
        delete res.CreatePalettizedImage(id, nullptr, 0, 0);
    }
}

}  // namespace resmgr

// Seeds: manifests of every shape the manager reads.
inline std::vector<vktools::Bytes> ResMgrSeeds() {
    using namespace resmgr;
    ManifestDesc noFlags = FullManifest();
    noFlags.flagCount = 0;
    ManifestDesc noLanguages = FullManifest();
    noLanguages.languages.clear();
    return {MakeManifest(FullManifest()), MakeManifest(noFlags), MakeManifest(noLanguages), MakeManifest({})};
}

// Opens the archive of the input's manifest, selects each language (and
// one past them) and gets every id the input's words and the alias list
// name. Needs an application with a blitter bound to a pixel format.
inline int FuzzResMgr(const std::uint8_t* data, std::size_t size) {
    using namespace resmgr;
    const Bytes archive = Archive(Bytes(data, data + size)).Build();
    if (!WriteScratch(archive.data(), archive.size())) return 0;
    CResMgr res;
    if (!res.Open(ScratchPath().c_str())) return 0;
    std::vector<std::uint32_t> ids = {kData, kKept, kKeyset, kBank, kPalImage, kNativeImage, kOddImage, kPalette,
                                      kHello, kMalformed, kPacked, kBankImage, kBankData,
                                      AggregateResId(kResData, 0x31, 2)};
    for (std::uint32_t i = 0; i < 24; ++i) ids.push_back(AliasId(i % 3 == 0 ? kAliasImage : kAliasPlain, i));
    for (std::size_t at = 0; at + 4 <= size && ids.size() < 64; at += 4) {
        ids.push_back(data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24);
    }
    const std::uint32_t languages = res.GetLanguageCount() < 4 ? res.GetLanguageCount() : 4;
    for (std::uint32_t n = 0; n <= languages; ++n) {
        res.SelectLanguage(n);
        res.SetShowTextIds(n == 1 ? 1 : 0);
        if (const char16_t* name = res.GetLanguageName(n)) {
            volatile char16_t sink = name[0];
            (void)sink;
        }
        for (const std::uint32_t id : ids) {
            if (Askable(id)) GetEverything(res, id);
        }
    }
    return 0;
}

}  // namespace fuzz
