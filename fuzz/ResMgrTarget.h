// The resource manager's fuzz target body and seeds, shared with the test
// that replays them. The input is the manifest of an archive whose other
// resources (texts in two language aggregates, images of each tag, a
// palette, data, a keyset and an aggregate of images and data) are fixed;
// its words also serve as the ids asked for.
#pragma once

#include <cstdint>
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
constexpr std::uint32_t kKeyset = ResId(kResKeyset, 0x12);
constexpr std::uint32_t kEnglish = ResId(kResAggregate, 0x20);
constexpr std::uint32_t kGerman = ResId(kResAggregate, 0x21);
constexpr std::uint32_t kBank = ResId(kResAggregate, 0x30);
constexpr std::uint32_t kPalImage = ResId(kResImage, 0x40);
constexpr std::uint32_t kNativeImage = ResId(kResImage, 0x41);
constexpr std::uint32_t kOddImage = ResId(kResImage, 0x42);
constexpr std::uint32_t kPalette = ResId(kResPalette, 0x43);

inline Bytes Bitmap(std::uint16_t bits) {
    BmpDesc bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.bitCount = bits;
    if (bits == 8) bmp.palette = {0xFF00FF, 0x102030, 0xA0B0C0};
    bmp.coloursUsed = bits == 8 ? 3 : 0;
    bmp.pixels = {0, 1, 2, 2, 1, 0};
    return MakeBmp(bmp);
}

// The archive with the input as its manifest.
inline Bytes Archive(const Bytes& manifest) {
    ArchiveBuilder a;
    a.AddManifestPayload(manifest);
    a.Add(kData, MakeResource({'d', 'a', 't', 'a'}));
    a.Add(kKeyset, MakeResource(MakeKeyset({kData, kPalImage})));
    a.Add(kEnglish, TaggedBlob{0, MakeBlobAggregate({{0, MakeText(u"Hello")},
                                                      {1, MakeText(u"\u00e9t\u00e9", true)},
                                                      {2, MakeResource({'A', 0xE4, 0xB8})}})});
    a.Add(kGerman, TaggedBlob{0, MakeLanguageAggregate({{0, u"Hallo"}}, true)});
    a.Add(kBank, TaggedBlob{0, MakeBlobAggregate({{1, MakeResource(Bitmap(8), kTagPalettizedImage, true)},
                                                   {2, MakeResource(Bitmap(24), kTagNativeImageToo)},
                                                   {3, MakeResource({1, 2, 3, 4, 5, 6, 7, 8})}})});
    a.Add(kPalImage, MakeResource(Bitmap(8), kTagPalettizedImage));
    a.Add(kNativeImage, MakeResource(Bitmap(24), kTagNativeImage, true));
    a.Add(kOddImage, MakeResource(Bitmap(8), 0x5EED));
    a.Add(kPalette, MakeResource({0, 0, 0, 0, 0x10, 0x20, 0x30, 0, 0xFF, 0xFF, 0xFF, 0}));
    return a.Build();
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
    ManifestDesc full;
    full.aliases = {kPalImage, 0, kPalette, kData, TextId(1), AliasId(kAliasPlain, 3), 0x07000001,
                    AliasId(kAliasPlain, 7), ResId(kResText, 1), AliasId(kAliasImage, 0), AggregateResId(kResImage, 0x30, 1)};
    full.flagCount = 2;
    full.nameLength = 10;
    full.languages = {{kEnglish, {1, 2}, Utf8Name(u"English")},
                      {kGerman, {3, 4}, Utf8Name(u"Deutsch")},
                      {kData, {5, 6}, {0xC3, 0x28}}};
    full.aggregates = {ResId(kResData, 0x31), kBank};
    ManifestDesc noFlags = full;
    noFlags.flagCount = 0;
    ManifestDesc noLanguages = full;
    noLanguages.languages.clear();
    ManifestDesc plain;
    plain.languages = {{kEnglish, {}, Utf8Name(u"x")}};
    return {MakeManifest(full), MakeManifest(noFlags), MakeManifest(noLanguages), MakeManifest(plain),
            MakeManifest(ManifestDesc{})};
}

// Opens the archive of the input's manifest, selects each language (and
// one past them) and gets every id the input's words and the alias list
// name. Needs an application with a blitter bound to a pixel format.
inline int FuzzResMgr(const std::uint8_t* data, std::size_t size) {
    using namespace resmgr;
    const Bytes archive = Archive(Bytes(data, data + size));
    if (!WriteScratch(archive.data(), archive.size())) return 0;
    CResMgr res;
    if (!res.Open(ScratchPath().c_str())) return 0;
    std::vector<std::uint32_t> ids = {TextId(0), TextId(1), TextId(2), AggregateResId(kResImage, 0x30, 1),
                                      AggregateResId(kResData, 0x31, 3)};
    for (std::uint32_t i = 0; i < 12; ++i) ids.push_back(AliasId(i % 3 == 0 ? kAliasImage : kAliasPlain, i));
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
