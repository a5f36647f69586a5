#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "fuzz/ResMgrTarget.h"
#include "host/Clock.h"
#include "host/WaveOut.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/support/DebugCapture.h"
#include "tools/OggTools.h"

namespace {

using namespace fuzz::resmgr;

std::u16string Text(const char16_t* text) { return text != nullptr ? std::u16string(text) : u"<null>"; }
std::string Payload(const CBinRes* blob) {
    return blob != nullptr ? std::string(blob->GetPayload(), blob->GetPayload() + blob->GetPayloadSize()) : "<null>";
}

class ResMgrTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_app.Open(Archive(MakeManifest(FullManifest()))), 1);
        Res().SelectLanguage(0);
    }
    CResMgr& Res() { return m_app.Resources(); }

    ScopedFrameworkApp m_app;
};

// Scripts of gets, releases and frees. A data object handed out is marked
// (its first byte upper-cased), so that each later get tells a fresh load
// from the object handed out before.
TEST(ResMgrCache, ReferenceCounting) {
    enum Op { Get, Detach, Release, ForceRelease, Free, ForceFree };
    enum Seen { Null, Fresh, Marked, None };
    struct Step {
        Op op;
        std::uint32_t id;
        Seen seen;
        bool cachedAfter;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } scripts[] = {
        {"two gets share one object; two releases free it, a third is ignored",
         {{Get, kData, Fresh, true}, {Get, kData, Marked, true}, {Release, kData, None, true},
          {Release, kData, None, false}, {Release, kData, None, false}, {Get, kData, Fresh, true}}},
        {"keep-cached ids stay at count 0 until forced",
         {{Get, kKept, Fresh, true}, {Release, kKept, None, true}, {Get, kKept, Marked, true},
          {Release, kKept, None, true}, {Release, kKept, None, true}, {Free, kKept, None, true},
          {Get, kKept, Marked, true}, {ForceRelease, kKept, None, false}, {Get, kKept, Fresh, true},
          {ForceFree, kKept, None, false}}},
        {"a detach get of an entry others hold leaves it to them",
         {{Get, kData, Fresh, true}, {Detach, kData, Fresh, true}, {Get, kData, Marked, true},
          {Release, kData, None, true}, {Release, kData, None, false}}},
        {"a detach get without other holders takes the entry",
         {{Detach, kData, Fresh, false}, {Get, kKept, Fresh, true}, {Release, kKept, None, true},
          {Detach, kKept, Marked, false}, {Get, kKept, Fresh, true}}},
        {"free drops the entry whatever its count",
         {{Get, kData, Fresh, true}, {Get, kData, Marked, true}, {Free, kData, None, false},
          {Release, kData, None, false}}},
        {"missing resources cache nothing",
         {{Get, ResId(kResData, 0x99), Null, false}, {Get, AggregateResId(kResData, 0x30, 9), Null, false}}},
    };
    for (const auto& script : scripts) {
        SCOPED_TRACE(script.name);
        ScopedFrameworkApp app;
        ASSERT_EQ(app.Open(Archive(MakeManifest(FullManifest()))), 1);
        CResMgr& res = app.Resources();
        for (const Step& step : script.steps) {
            CBinRes* blob = nullptr;
            switch (step.op) {
                case Get: blob = res.GetData(step.id, 0); break;
                case Detach: blob = res.GetData(step.id, 1); break;
                case Release: res.Release(step.id, 0); break;
                case ForceRelease: res.Release(step.id, 1); break;
                case Free: res.Free(step.id, 0); break;
                case ForceFree: res.Free(step.id, 1); break;
            }
            EXPECT_EQ(blob != nullptr, step.seen == Fresh || step.seen == Marked);
            if (blob != nullptr) {
                std::uint8_t& first = blob->GetPayload()[0];  // lower case as loaded
                EXPECT_EQ((first & 0x20) != 0, step.seen == Fresh);
                first &= ~0x20;
                if (step.op == Detach) delete blob;
            }
            EXPECT_EQ(res.IsCached(step.id) == 1, step.cachedAfter);
        }
    }
}

TEST_F(ResMgrTest, TextsOfTheCurrentLanguage) {
    EXPECT_EQ(Res().GetLanguageCount(), 3u);
    EXPECT_EQ(Text(Res().GetLanguageName(1)), u"Deutsch");
    EXPECT_EQ(Text(Res().GetLanguageName(2)), u"");  // malformed
    EXPECT_EQ(Res().GetLanguageName(3), nullptr);
    EXPECT_EQ(Bytes(Res().GetLanguageFlags(1), Res().GetLanguageFlags(1) + 2), (Bytes{3, 0}));
    EXPECT_EQ(Res().GetLanguageFlags(3), nullptr);

    DebugCapture quiet;
    const struct {
        std::int32_t language;  // -1 keeps the current one
        std::uint8_t showIds;
        std::uint32_t id;
        const char16_t* text;  // null: missing, or shown as the id
    } cases[] = {
        {0, 0, kHello, u"Hello"},
        {-1, 0, kMalformed, u""},  // malformed UTF-8: empty, not null
        {-1, 0, kPacked, u"Zipped \u00e9\u4e2d"},
        {-1, 0, Plain(4), u"Hello"},
        {1, 0, kHello, u"Hallo"},
        {1, 0, kPacked, nullptr},
        {1, 1, TextId(0x147), nullptr},  // 0x21ff0147
        {1, 1, AggregateResId(kResText, 0x30, 2), u"sub-2"},  // another aggregate reads normally
        {2, 0, kHello, nullptr},  // its "aggregate" is data
        {3, 0, kHello, nullptr},  // beyond the count: none current
        {7, 1, kHello, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " " << std::hex << c.id);
        if (c.language >= 0) Res().SelectLanguage(static_cast<std::uint32_t>(c.language));
        Res().SetShowTextIds(c.showIds);
        std::u16string expected = c.text != nullptr ? c.text : u"<null>";
        if (c.showIds && (c.id >> 16 & 0xFF) == kCurrentLanguage) {
            char shown[24];
            std::snprintf(shown, sizeof shown, "0x%8.8x", c.id);
            expected.assign(shown, shown + std::char_traits<char>::length(shown));
        }
        EXPECT_EQ(Text(Res().GetText(c.id, 0)), expected);
        Res().Release(c.id, 1);
    }
}

TEST_F(ResMgrTest, AliasesAndAggregates) {
    // Plain aliases, chains of up to eight and aggregate sub-resources.
    const std::pair<std::uint32_t, const char*> data[] = {{Plain(3), "data-0x10"},
                                                          {Plain(5), "data-0x10"},
                                                          {Plain(10), "data-0x10"},
                                                          {kBankData, "sub-2"},
                                                          {AggregateResId(kResData, 0x30, 9), "<null>"}};
    for (const auto& [id, payload] : data) {
        EXPECT_EQ(Payload(Res().GetData(id, 0)), payload) << std::hex << id;
        Res().Release(id, 0);
    }
    EXPECT_EQ(Res().IsCached(kBank), 1);  // it served a resource: kept
    EXPECT_EQ(Res().GetHoldCount(), 0);  // its own references left out

    // The image alias takes the palette resource's colours.
    for (const std::uint32_t id : {AliasId(kAliasImage, 0), Plain(21), kPalImage}) {
        auto* image = static_cast<CPalettizedImage*>(Res().GetImage(id, 0));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetClassId(), CPalettizedImage::kClassId);
        EXPECT_EQ(image->GetPalette()[1],
                  CSoftwareImage::ConvertColour(kPixelFormatRgb565, id == kPalImage ? 0x102030 : 0x445566));
        EXPECT_EQ(Res().IsCached(kPalette), 0);  // given back after use
    }
    CSoftwareImage* inBank = Res().GetImage(kBankImage, 0);  // compressed inside a compressed aggregate
    ASSERT_NE(inBank, nullptr);
    EXPECT_EQ(inBank->GetWidth(), 3);
    const CKeysetResource* keyset = Res().GetKeyset(kKeyset, 0);
    ASSERT_NE(keyset, nullptr);
    EXPECT_EQ(keyset->GetKey(1), kKept);
    EXPECT_EQ(Res().GetHoldCount(), 5);  // the three images, the one in the bank and the keyset
}

// Archive data that would have stopped the program gives one log line and
// a missing resource, with nothing cached.
TEST_F(ResMgrTest, ArchiveDataThatDoesNotFit) {
    const struct {
        const char* what;
        std::uint32_t id;
    } cases[] = {
        {"a target of an unknown type", Plain(6)},
        {"a cyclic chain", Plain(7)},
        {"a text target outside any aggregate", Plain(8)},
        {"a chain of nine", Plain(9)},
        {"an image alias whose palette is data", AliasId(kAliasImage, 18)},
        {"an image of unknown tag", kOddImage},
        {"an aggregate list entry that is data", AggregateResId(kResData, 0x31, 1)},
        {"a typed get whose alias resolves to another type", Plain(3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DebugCapture log;
        void* object = c.id == Plain(3)              ? static_cast<void*>(Res().GetText(c.id, 0))
                       : TypeOf(c.id) == kResImage ? static_cast<void*>(Res().GetImage(c.id, 0))
                       : TypeOf(c.id) == kResData  ? static_cast<void*>(Res().GetData(c.id, 0))
                                                   : Res().GetResource(c.id, 0);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(Res().IsCached(c.id), 0);
        ASSERT_EQ(log.Lines().size(), 1u) << log.Text();
        EXPECT_EQ(log.Lines()[0].rfind("RESMGR: ", 0), 0u) << log.Text();
    }
    // A typed get of an alias cached as another type is refused, the entry kept.
    ASSERT_NE(Res().GetResource(Plain(3), 0), nullptr);
    DebugCapture log;
    EXPECT_EQ(Res().GetText(Plain(3), 0), nullptr);
    Res().Release(Plain(3), 0);
    EXPECT_EQ(Res().IsCached(Plain(3)), 0);
    Res().SelectLanguage(2);  // its "aggregate" is data: logged, none current
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST_F(ResMgrTest, CreatedImagesAreTheCallers) {
    const struct {
        std::uint32_t id;
        std::uint8_t rotated;
        std::int32_t width;  // 0: not palettized
    } cases[] = {{kPalImage, 0, 3}, {kPalImage, 1, 2}, {kBankImage, 1, 2}, {kNativeImage, 0, 0}};
    for (const auto& c : cases) {
        DebugCapture log;
        CPalettizedImage* image = Res().CreatePalettizedImage(c.id, nullptr, 0, c.rotated);
        EXPECT_EQ(image != nullptr ? image->GetWidth() : 0, c.width) << std::hex << c.id;
        EXPECT_EQ(Res().IsCached(c.id), 0);
        delete image;
    }
    CSoftwareImage* native = Res().CreateImage(kNativeImage, nullptr, 0, 1);
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->GetClassId(), CNativeImage::kClassId);
    delete native;
    {
        DebugCapture log;
        EXPECT_EQ(Res().CreateImage(kOddImage, nullptr, 0, 0), nullptr);
    }
    EXPECT_DEATH(Res().CreatePalettizedImage(kData, nullptr, 0, 0), "CResMgr, Line: 418");
}

TEST_F(ResMgrTest, IdsThatTheProgramGetsWrongStopIt) {
    EXPECT_DEATH(Res().GetText(kData, 0), "CResMgr, Line: 296");
    EXPECT_DEATH(Res().GetImage(kPalette, 0), "CResMgr, Line: 314");
    EXPECT_DEATH(Res().GetKeyset(kData, 0), "CResMgr, Line: 350");
    EXPECT_DEATH(Res().GetResource(0x07000001, 0), "CResMgr, Line: 615");
    EXPECT_DEATH(Res().GetText(ResId(kResText, 5), 0), "CResMgr, Line: 680");
    EXPECT_DEATH(Res().GetResource(AliasId(2, 0), 0), "CResMgr, Line: 935");
}

TEST(ResMgrOpen, ManifestsOfEveryShape) {
    const Bytes good = MakeManifest(FullManifest());
    ManifestDesc noFlags = FullManifest();
    noFlags.flagCount = 0;
    ManifestDesc noLanguages = FullManifest();
    noLanguages.languages.clear();
    const auto counted = [](std::uint32_t aliases, std::uint32_t languages, std::uint32_t flags,
                            std::uint32_t nameLength, std::uint32_t aggregates) {
        ByteWriter w;
        w.U32(aliases).U32(languages).U32(flags).U32(nameLength);
        if (languages != 0 && flags != 0) w.U32(kEnglish).U8(0);
        return w.U32(aggregates).Take();
    };
    const std::size_t namesStart = 4 + 22 * 4 + 12 + 3 * 4 + 3 * 2;  // 22 aliases, 3 languages of 2 flags
    const struct {
        const char* what;
        Bytes manifest;
        int opened;
        std::uint32_t languages;
        const char* bankData;  // read through the aggregate list
    } cases[] = {
        {"whole", good, 1, 3, "sub-2"},
        {"no flags: the language arrays are absent", MakeManifest(noFlags), 1, 0, "sub-2"},
        {"no languages, the name length still read", MakeManifest(noLanguages), 1, 0, "sub-2"},
        {"cut in the aggregate list", Bytes(good.begin(), good.end() - 1), 0, 0, "<null>"},
        {"cut in the names", Bytes(good.begin(), good.begin() + namesStart + 20), 0, 0, "<null>"},
        {"an alias count beyond the payload", counted(0x40000000, 0, 0, 0, 0), 0, 0, "<null>"},
        {"a language count beyond the payload", counted(0, 0x10000000, 1, 0, 0), 0, 0, "<null>"},
        {"language records beyond the payload", counted(0, 1, 0xFFFFFFFF, 0xFFFFFFFF, 0), 0, 0, "<null>"},
        {"an aggregate count beyond the payload", counted(0, 0, 0, 0, 0x40000000), 0, 0, "<null>"},
        {"one language, name length 0", counted(0, 1, 1, 0, 0), 1, 1, "<null>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedFrameworkApp app;
        EXPECT_EQ(app.Open(Archive(c.manifest)), c.opened);
        EXPECT_EQ(app.Resources().GetLanguageCount(), c.languages);
        EXPECT_EQ(Payload(app.Resources().GetData(kBankData, 0)), c.bankData);
        if (c.languages == 1) {
            EXPECT_EQ(Text(app.Resources().GetLanguageName(0)), u"");
        }
    }
    ScopedFrameworkApp app;
    ArchiveBuilder noManifest;
    noManifest.Add(kData, DataOf("x"));
    EXPECT_EQ(app.Open(noManifest), 0);
    EXPECT_EQ(app.Resources().Open(nullptr), 0);
    EXPECT_EQ(app.Resources().Open(u"/nonexistent/velkorin.big"), 0);
}

// UTF-16 as glibc's iconv encodes it in UTF-8.
Bytes IconvUtf8(const std::u16string& text) {
    iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in;
    for (const char16_t c : text) in += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(cd);
    return Bytes(out.data(), outPtr);
}

TEST(ResMgrTexts, RandomTextsEncodedByIconvReadBack) {
    std::mt19937 rng(17);
    std::map<std::uint16_t, TaggedBlob> texts;
    std::vector<std::u16string> expected;
    for (std::uint16_t entry = 0; entry < 60; ++entry) {
        std::u16string text(1 + rng() % 40, u'\0');  // a blob's payload is never empty
        for (char16_t& c : text) {
            do c = static_cast<char16_t>(rng() % (entry % 3 == 0 ? 0x80 : 0x10000));
            while (c == 0 || (c >= 0xD800 && c <= 0xDFFF));
        }
        texts[entry] = MakeResource(IconvUtf8(text), 0, entry % 2 == 1);
        expected.push_back(text);
    }
    ManifestDesc manifest;
    manifest.languages = {{kEnglish, {}, Utf8Name(u"x")}};
    ArchiveBuilder archive;
    archive.AddManifest(manifest);
    archive.Add(kEnglish, MakeBlobAggregate(texts));
    ScopedFrameworkApp app;
    ASSERT_EQ(app.Open(archive), 1);
    app.Resources().SelectLanguage(0);
    for (std::uint16_t entry = 0; entry < expected.size(); ++entry) {
        EXPECT_EQ(Text(app.Resources().GetText(TextId(entry), 0)), expected[entry]) << entry;
    }
}

TEST(ResMgrSounds, OggVorbisBecomesPcmThatPlays) {
    const Bytes ogg = vktools::EncodeTone(4000);  // half a second at 8 kHz
    const Bytes reference = vktools::RunVorbisTool("oggdec -Q -R -b 16 -e 0 -s 1", ogg);
    ASSERT_EQ(reference.size(), 8000u);
    Bytes damaged = ogg;
    for (std::size_t i = ogg.size() / 2; i < ogg.size() / 2 + 64; ++i) damaged[i] ^= 0x5A;
    constexpr std::uint32_t kTone = 0x09000221, kDamaged = 0x09000222, kRaw = 0x09000223;
    ArchiveBuilder archive;
    archive.AddManifest({});
    archive.Add(kTone, MakeResource(ogg, kTagOggSound));
    archive.Add(kDamaged, MakeResource(damaged, kTagOggSound));
    archive.Add(kRaw, MakeResource({1, 2, 3, 4}, 7));

    host::SetMediaBackend(host::MediaBackend::Headless);
    host::SetVirtualClock(0, 0);
    host::TakeHeadlessAudio();
    {
        ScopedFrameworkApp app;
        ASSERT_EQ(app.Open(archive), 1);
        CResMgr& res = app.Resources();
        {
            DebugCapture quiet;
            EXPECT_EQ(res.GetSound(kDamaged, 0), nullptr);
        }
        const CBinRes* raw = res.GetSound(kRaw, 0);  // another tag: as it is
        ASSERT_NE(raw, nullptr);
        EXPECT_EQ(raw->GetType(), 7u);
        EXPECT_EQ(Payload(raw), "\x01\x02\x03\x04");

        const CBinRes* tone = res.GetSound(kTone, 0);
        ASSERT_NE(tone, nullptr);
        EXPECT_EQ(tone->GetType(), kTagPcmSound);
        ASSERT_EQ(tone->GetPayloadSize(), reference.size());
        ICMediaPlayer* player = ICMediaPlayer::GetInstance();
        const std::uint32_t sound = player->PlaySound(tone->GetPayload(), tone->GetPayloadSize(), 0, 0);
        ASSERT_NE(sound, 0u);
        host::AdvanceVirtualClock(100);
        const std::vector<std::int16_t> played = host::TakeHeadlessAudio();
        ASSERT_EQ(played.size(), 800u);
        EXPECT_GT(*std::max_element(played.begin(), played.end()), 4000);

        // Freeing the sound while it plays stops it before the samples go.
        res.Free(kTone, 1);
        EXPECT_FALSE(player->IsSoundPlaying(sound));
        host::AdvanceVirtualClock(100);
    }
    host::ClearVirtualClock();
}

}  // namespace
