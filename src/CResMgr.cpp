#include "src/CResMgr.h"

#include <new>

#include "platform/shared/components/CAggregateResource.h"
#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CKeysetResource.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/tremor/TremorDecode.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

namespace {

constexpr const char* kSource = "..\\..\\src\\CResMgr";
constexpr std::uint32_t kFormMask = 0xFF0000;
constexpr std::uint32_t kPlainAliasForm = 0x10000;
constexpr std::uint32_t kImageAliasForm = 0;
constexpr std::uint32_t kShownIdLength = 24;

std::uint32_t TypeOf(std::uint32_t id) { return id & CResMgr::kTypeMask; }
std::uint32_t AggregateIndexOf(std::uint32_t id) { return (id >> 16) & 0xFF; }

void Refuse(std::uint32_t id, const char* reason, std::uint32_t other) {
    DebugPrintf("RESMGR: 0x%8.8x %s 0x%8.8x", id, reason, other);
}

}  // namespace

bool CResMgr::IsLoadable(std::uint32_t id) {
    switch (TypeOf(id)) {
        case kTypeText:
            return (id & kInAggregate) != 0;
        case kTypeImage:
        case kTypeData:
        case kTypePalette:
        case kTypeKeyset:
        case kTypeAggregate:
        case kTypeSound:
            return true;
        case kTypeAlias:
            return (id & kFormMask) == kImageAliasForm || (id & kFormMask) == kPlainAliasForm;
        default:
            return false;
    }
}

namespace {

// Reads count u32 words into a new array; false for no memory. The count
// was checked against the stream.
bool ReadWords(CArrayInputStream& in, std::uint32_t count, std::uint32_t*& words) {
    words = new (std::nothrow) std::uint32_t[count];
    if (words == nullptr) return false;
    for (std::uint32_t i = 0; i < count; ++i) words[i] = in.ReadU32();
    return true;
}

// Whether count records of recordBytes each can still be in the stream.
bool Fits(CArrayInputStream& in, std::uint64_t count, std::uint64_t recordBytes) {
    return recordBytes == 0 || count <= in.Available() / recordBytes;
}

// Characters of a language name's slot: the name length, but at least
// the terminator.
std::uint32_t NameSlot(std::uint32_t nameLength) { return nameLength != 0 ? nameLength : 1; }

// The media player when there is one; none is made for this.
ICMediaPlayer* ExistingPlayer() {
    CApp* app = CApp::GetInstance();
    return app != nullptr ? static_cast<ICMediaPlayer*>(app->GetCachedSingleton(CApp::CachedSingleton::MediaPlayer))
                          : nullptr;
}

}  // namespace

CResMgr::CResMgr() { m_cache.Init(100, 20, true); }

CResMgr::~CResMgr() {
    FreeManifest();
    for (std::int32_t i = 0; i < m_cache.GetBucketCount(); ++i) {
        for (CHashNode* node = m_cache.GetBucket(i); node != nullptr; node = node->next) {
            auto* entry = reinterpret_cast<Entry*>(node->value);
            FreeEntry(*entry);
            delete entry;
        }
    }
    m_cache.Destroy();
    m_reader.Close();
}

void CResMgr::FreeManifest() {
    delete[] m_aliases;
    m_aliases = nullptr;
    m_aliasCount = 0;
    delete[] m_languageAggregates;
    m_languageAggregates = nullptr;
    delete[] m_languageFlags;
    m_languageFlags = nullptr;
    delete[] m_nameScratch;
    m_nameScratch = nullptr;
    delete[] m_languageNames;
    m_languageNames = nullptr;
    m_languageCount = m_flagCount = m_nameLength = 0;
    delete[] m_aggregates;
    m_aggregates = nullptr;
    m_aggregateCount = 0;
}

int CResMgr::Open(const char16_t* path) {
    FreeManifest();
    if (path == nullptr || !m_reader.Open(path)) return 0;
    CBinRes manifest;
    if (!LoadBlob(manifest, kManifestId)) return 0;
    CArrayInputStream in;
    in.SetData(manifest.GetPayload(), manifest.GetPayloadSize());
    if (!ReadManifest(in)) {
        FreeManifest();  // nothing of a refused manifest is used
        return 0;
    }
    return 1;
}

bool CResMgr::ReadManifest(CArrayInputStream& in) {
    // Every count is bounded by what the manifest still holds, so that no
    // count allocates more than the archive could fill.
    const std::uint32_t aliasCount = in.ReadU32();
    if (aliasCount != 0) {
        if (!Fits(in, aliasCount, 4) || !ReadWords(in, aliasCount, m_aliases)) return false;
        m_aliasCount = aliasCount;
    }

    const std::uint32_t languageCount = in.ReadU32();
    const std::uint32_t flagCount = in.ReadU32();
    const std::uint32_t nameLength = in.ReadU32();
    if (languageCount != 0 && flagCount != 0) {
        if (!Fits(in, languageCount, std::uint64_t{4} + flagCount + nameLength)) return false;
        const std::uint32_t slot = NameSlot(nameLength);
        m_languageAggregates = new (std::nothrow) std::uint32_t[languageCount];
        m_languageFlags = new (std::nothrow) std::uint8_t[std::uint64_t{languageCount} * flagCount];
        m_nameScratch = new (std::nothrow) std::uint8_t[nameLength];
        m_languageNames = new (std::nothrow) char16_t[std::uint64_t{languageCount} * slot];
        if (m_languageAggregates == nullptr || m_languageFlags == nullptr || m_nameScratch == nullptr ||
            m_languageNames == nullptr) {
            return false;
        }
        m_languageCount = languageCount;
        m_flagCount = flagCount;
        m_nameLength = nameLength;
        for (std::uint32_t i = 0; i < languageCount; ++i) m_languageAggregates[i] = in.ReadU32();
        for (std::uint64_t i = 0; i < std::uint64_t{languageCount} * flagCount; ++i) m_languageFlags[i] = in.ReadU8();
        for (std::uint32_t i = 0; i < languageCount; ++i) {
            in.Read(m_nameScratch, nameLength);
            Utf8ToUtf16(m_nameScratch, nameLength, m_languageNames + std::uint64_t{i} * slot, slot);
        }
    }

    const std::uint32_t aggregateCount = in.ReadU32();
    if (aggregateCount != 0) {
        if (!Fits(in, aggregateCount, 4) || !ReadWords(in, aggregateCount, m_aggregates)) return false;
        m_aggregateCount = aggregateCount;
    }
    return in.HasError() == 0;
}

CResMgr::Entry* CResMgr::Find(std::uint32_t id) const {
    std::uintptr_t value = 0;
    return m_cache.Find(id, &value) ? reinterpret_cast<Entry*>(value) : nullptr;
}

std::uint8_t CResMgr::IsCached(std::uint32_t id) const { return Find(id) != nullptr ? 1 : 0; }

std::int64_t CResMgr::GetHoldCount() const {
    std::int64_t holds = 0;
    for (std::int32_t i = 0; i < m_cache.GetBucketCount(); ++i) {
        for (const CHashNode* node = m_cache.GetBucket(i); node != nullptr; node = node->next) {
            const auto* entry = reinterpret_cast<const Entry*>(node->value);
            if (entry->type != kTypeAggregate) holds += entry->count;
        }
    }
    return holds;
}

void* CResMgr::GetResource(std::uint32_t id, std::uint8_t detach) { return Get(id, detach, 0); }

bool CResMgr::Load(Entry& entry, std::uint32_t id, std::uint32_t type) {
    if (!LoadEntry(entry, id, 0)) return false;
    if (type == 0 || entry.type == type) return true;
    Refuse(id, "is not of type", type);
    FreeEntry(entry);
    return false;
}

void* CResMgr::Get(std::uint32_t id, std::uint8_t detach, std::uint32_t type) {
    if (Entry* entry = Find(id)) {
        if (type != 0 && entry->type != type) {
            Refuse(id, "is not of type", type);
            return nullptr;
        }
        if (detach && entry->count > 0) {
            // Others hold the cached object: the caller gets its own.
            Entry fresh{};
            return Load(fresh, id, type) ? fresh.object : nullptr;
        }
        ++entry->count;
        void* object = entry->object;
        if (detach) {
            m_cache.Remove(id);
            delete entry;
        }
        return object;
    }
    auto* entry = new (std::nothrow) Entry{};
    if (entry == nullptr) return nullptr;
    if (!Load(*entry, id, type)) {
        delete entry;
        return nullptr;
    }
    void* object = entry->object;
    if (detach) {
        delete entry;
        return object;
    }
    m_cache.Insert(id, reinterpret_cast<std::uintptr_t>(entry));
    if (Find(id) != entry) {  // no node for it: as if no memory for the object
        FreeEntry(*entry);
        delete entry;
        return nullptr;
    }
    return object;
}

char16_t* CResMgr::GetText(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypeText || TypeOf(id) == kTypeAlias, kSource, 296);
    return static_cast<char16_t*>(Get(id, detach, kTypeText));
}

CBinRes* CResMgr::GetPalette(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypePalette || TypeOf(id) == kTypeAlias, kSource, 305);
    return static_cast<CBinRes*>(Get(id, detach, kTypePalette));
}

CSoftwareImage* CResMgr::GetImage(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypeImage || TypeOf(id) == kTypeAlias, kSource, 314);
    return static_cast<CSoftwareImage*>(Get(id, detach, kTypeImage));
}

CBinRes* CResMgr::GetSound(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypeSound || TypeOf(id) == kTypeAlias, kSource, 323);
    return static_cast<CBinRes*>(Get(id, detach, kTypeSound));
}

CBinRes* CResMgr::GetData(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypeData || TypeOf(id) == kTypeAlias, kSource, 332);
    return static_cast<CBinRes*>(Get(id, detach, kTypeData));
}

CAggregateResource* CResMgr::GetAggregate(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypeAggregate || TypeOf(id) == kTypeAlias, kSource, 341);
    return static_cast<CAggregateResource*>(Get(id, detach, kTypeAggregate));
}

CKeysetResource* CResMgr::GetKeyset(std::uint32_t id, std::uint8_t detach) {
    DebugAssert(TypeOf(id) == kTypeKeyset || TypeOf(id) == kTypeAlias, kSource, 350);
    return static_cast<CKeysetResource*>(Get(id, detach, kTypeKeyset));
}

void CResMgr::Release(std::uint32_t id, std::uint8_t force) {
    Entry* entry = Find(id);
    if (entry == nullptr) return;
    if (--entry->count < 1) {
        if (!force && (id & kKeepCached)) {
            entry->count = 0;
            return;
        }
        Drop(id, entry);
    }
}

void CResMgr::Free(std::uint32_t id, std::uint8_t force) {
    Entry* entry = Find(id);
    if (entry == nullptr || (!force && (id & kKeepCached))) return;
    Drop(id, entry);
}

void CResMgr::Drop(std::uint32_t id, Entry* entry) {
    m_cache.Remove(id);
    FreeEntry(*entry);
    delete entry;
}

void CResMgr::FreeEntry(Entry& entry) {
    switch (entry.type) {
        case kTypeText:
            delete[] static_cast<char16_t*>(entry.object);
            break;
        case kTypeImage:
            delete static_cast<CSoftwareImage*>(entry.object);
            break;
        case kTypeSound:
            // The audio output must not play on from freed samples.
            if (auto* blob = static_cast<CBinRes*>(entry.object)) {
                if (ICMediaPlayer* player = ExistingPlayer()) player->StopSoundsUsing(blob->GetPayload());
            }
            [[fallthrough]];
        case kTypeData:
        case kTypePalette:
            delete static_cast<CBinRes*>(entry.object);
            break;
        case kTypeKeyset:
            delete static_cast<CKeysetResource*>(entry.object);
            break;
        case kTypeAggregate:
            delete static_cast<CAggregateResource*>(entry.object);
            break;
        default:
            DebugAssert(false, kSource, 669);
    }
    entry.object = nullptr;
}

bool CResMgr::LoadEntry(Entry& entry, std::uint32_t id, std::uint32_t depth) {
    entry.count = 1;
    entry.type = TypeOf(id);
    entry.object = nullptr;
    switch (entry.type) {
        case kTypeText:
            LoadText(entry, id);
            break;
        case kTypeImage:
            LoadImage(entry, id, 0);
            break;
        case kTypeData:
        case kTypePalette:
        case kTypeSound:
            LoadBinary(entry, id);
            break;
        case kTypeKeyset:
            LoadKeyset(entry, id);
            break;
        case kTypeAlias:
            LoadAlias(entry, id, depth);
            break;
        case kTypeAggregate:
            LoadAggregate(entry, id);
            break;
        default:
            DebugAssert(false, kSource, 615);
    }
    return entry.object != nullptr;
}

std::uint32_t CResMgr::GetAggregateIdFor(std::uint32_t id) const {
    if ((id & kInAggregate) == 0) return 0;
    const std::uint32_t index = AggregateIndexOf(id);
    if (index == kCurrentLanguage) return m_languageAggregate;
    for (std::uint32_t i = 0; i < m_aggregateCount; ++i) {
        if ((m_aggregates[i] & kEntryMask) == index) return m_aggregates[i];
    }
    return 0;
}

bool CResMgr::LoadBlob(CBinRes& blob, std::uint32_t id) {
    if ((id & kInAggregate) == 0) return blob.LoadFromBigFile(&m_reader, id, 1) == 1;
    const std::uint32_t aggregateId = GetAggregateIdFor(id);
    if (aggregateId == 0) return false;
    if (TypeOf(aggregateId) != kTypeAggregate) {
        Refuse(id, "lies in what is not an aggregate:", aggregateId);
        return false;
    }
    // This reference is kept: an aggregate that served a resource stays.
    CAggregateResource* aggregate = GetAggregate(aggregateId, 0);
    if (aggregate == nullptr) return false;
    const std::uint32_t size = aggregate->GetSize(id);
    if (size == 0) return false;
    auto* data = new (std::nothrow) std::uint8_t[size];
    if (data == nullptr) return false;
    aggregate->Read(id, data);
    return blob.InitFromMemory(aggregate->GetExtra(id), data, size, 1) == 1;
}

void CResMgr::LoadText(Entry& entry, std::uint32_t id) {
    DebugAssert((id & kInAggregate) != 0, kSource, 680);
    DebugAssert(TypeOf(id) == kTypeText, kSource, 681);
    if (m_showTextIds && AggregateIndexOf(id) == kCurrentLanguage) {
        auto* text = new (std::nothrow) char16_t[kShownIdLength];
        if (text != nullptr) SWNPrintf(text, kShownIdLength, u"0x%8.8x", id);
        entry.object = text;
        return;
    }
    CBinRes blob;
    if (!LoadBlob(blob, id)) return;
    const std::uint32_t count = Utf8CharCount(blob.GetPayload(), blob.GetPayloadSize());
    auto* text = new (std::nothrow) char16_t[std::uint64_t{count} + 1];
    if (text == nullptr) return;
    Utf8ToUtf16(blob.GetPayload(), blob.GetPayloadSize(), text, count + 1);
    entry.object = text;
}

void CResMgr::LoadBinary(Entry& entry, std::uint32_t id) {
    auto* blob = new (std::nothrow) CBinRes();
    if (blob == nullptr) return;
    bool loaded = LoadBlob(*blob, id);
    if (loaded && TypeOf(id) == kTypeSound && blob->GetType() == kTagOggSound) {
        std::uint8_t* pcm = nullptr;
        std::uint32_t pcmSize = 0;
        loaded = TremorDecodeToPcm(blob->GetPayload(), blob->GetPayloadSize(), &pcm, &pcmSize) &&
                 blob->InitRaw(kTagPcmSound, 0, pcm, pcmSize, 0, 0) == 1;
    }
    if (loaded) {
        entry.object = blob;
    } else {
        delete blob;
    }
}

CSoftwareImage* CResMgr::MakeImage(std::uint32_t id, const CBinRes& blob, const std::uint8_t* extraData,
                                   std::uint32_t extraSize, std::uint8_t rotated) {
    CSoftwareImage* image = nullptr;
    switch (blob.GetType()) {
        case kTagPalettizedImage:
            image = new (std::nothrow) CPalettizedImage(CGameApp::GetBlitter());
            break;
        case kTagNativeImage:
        case kTagNativeImageToo:
            image = new (std::nothrow) CNativeImage(CGameApp::GetBlitter());
            break;
        default:
            Refuse(id, "is an image of unknown tag", blob.GetType());
            return nullptr;
    }
    if (image == nullptr) return nullptr;
    const auto headerLength = static_cast<std::uint32_t>(blob.GetPayload() - blob.GetData());
    const std::uint32_t made =
        rotated ? image->CreateRotatedFromBmp(blob.GetData(), blob.GetSize(), headerLength, extraData, extraSize)
                : image->CreateFromBmp(blob.GetData(), blob.GetSize(), headerLength, extraData, extraSize);
    if (made != 1) {
        delete image;
        return nullptr;
    }
    return image;
}

void CResMgr::LoadImage(Entry& entry, std::uint32_t id, std::uint32_t paletteId) {
    CBinRes* palette = paletteId != 0 ? GetPalette(paletteId, 0) : nullptr;
    CBinRes blob;
    if (LoadBlob(blob, id)) {
        entry.object = palette != nullptr ? MakeImage(id, blob, palette->GetPayload(), palette->GetPayloadSize(), 0)
                                          : MakeImage(id, blob, nullptr, 0, 0);
    }
    if (palette != nullptr) Release(paletteId, 0);
}

void CResMgr::LoadAlias(Entry& entry, std::uint32_t id, std::uint32_t depth) {
    const std::uint32_t index = id & kEntryMask;
    const std::uint32_t form = id & kFormMask;
    if (form == kPlainAliasForm) {
        if (index >= m_aliasCount) return;
        const std::uint32_t target = m_aliases[index];
        if (depth >= kMaxAliasDepth) {
            Refuse(id, "is one alias too many in a chain, before", target);
        } else if (!IsLoadable(target)) {
            Refuse(id, "names no resource:", target);
        } else {
            LoadEntry(entry, target, depth + 1);
        }
    } else if (form == kImageAliasForm) {
        if (index + 2 >= m_aliasCount) return;
        const std::uint32_t image = m_aliases[index];
        const std::uint32_t palette = m_aliases[index + 2];
        if (TypeOf(image) != kTypeImage || TypeOf(palette) != kTypePalette) {
            Refuse(id, "pairs an image and a palette of other types:", image);
            return;
        }
        entry.type = kTypeImage;
        LoadImage(entry, image, palette);
    } else {
        DebugAssert(false, kSource, 935);
    }
}

void CResMgr::LoadAggregate(Entry& entry, std::uint32_t id) {
    auto* aggregate = new (std::nothrow) CAggregateResource();
    if (aggregate == nullptr) return;
    if (aggregate->Load(&m_reader, id)) {
        entry.object = aggregate;
    } else {
        delete aggregate;
    }
}

void CResMgr::LoadKeyset(Entry& entry, std::uint32_t id) {
    auto* keyset = new (std::nothrow) CKeysetResource();
    if (keyset == nullptr) return;
    if (keyset->Load(&m_reader, id)) {
        entry.object = keyset;
    } else {
        delete keyset;
    }
}

CSoftwareImage* CResMgr::CreateImage(std::uint32_t id, const std::uint8_t* extraData, std::uint32_t extraSize,
                                     std::uint8_t rotated) {
    DebugAssert(TypeOf(id) == kTypeImage, kSource, 418);
    CBinRes blob;
    return LoadBlob(blob, id) ? MakeImage(id, blob, extraData, extraSize, rotated) : nullptr;
}

CPalettizedImage* CResMgr::CreatePalettizedImage(std::uint32_t id, const std::uint8_t* extraData,
                                                 std::uint32_t extraSize, std::uint8_t rotated) {
    CSoftwareImage* image = CreateImage(id, extraData, extraSize, rotated);
    if (image != nullptr && image->GetClassId() != CPalettizedImage::kClassId) {
        Refuse(id, "is not palettized but of class", image->GetClassId());
        delete image;
        return nullptr;
    }
    return static_cast<CPalettizedImage*>(image);
}

void CResMgr::SelectLanguage(std::uint32_t n) {
    if (m_languageAggregate != 0) Release(m_languageAggregate, 0);
    m_languageAggregate = 0;
    if (n >= m_languageCount) return;
    const std::uint32_t id = m_languageAggregates[n];
    if (TypeOf(id) != kTypeAggregate) {
        Refuse(id, "is no aggregate but the texts of language", n);
        return;
    }
    m_languageAggregate = id;
    GetResource(id, 0);
}

const char16_t* CResMgr::GetLanguageName(std::uint32_t n) const {
    if (n >= m_languageCount) return nullptr;
    return m_languageNames + std::uint64_t{n} * NameSlot(m_nameLength);
}

const std::uint8_t* CResMgr::GetLanguageFlags(std::uint32_t n) const {
    return n < m_languageCount ? m_languageFlags + std::uint64_t{n} * m_flagCount : nullptr;
}
