// The one door to the resource archive: resources by 32-bit id from a
// reference-counted cache, the languages the archive offers and the
// aggregate that holds the current language's texts.
//
// A resource id: bits 0-14 the entry (the archive entry, the sub-resource
// inside an aggregate, or the alias index); bits 16-23 the aggregate of a
// bit-29 resource (255: the current language's, else the first aggregate of
// the manifest's list whose low 15 bits equal it) or the alias form (0 an
// image with its palette, 1 plain); bits 24-28 the type; bit 29 the resource
// lies inside an aggregate; bit 30 its cache entry stays when no one holds
// it.
//
// The manifest (archive entry 575), little-endian: u32 alias count and the
// alias words; u32 language count, flag count and name length; when the
// language and flag counts are both non-zero, the language aggregate ids,
// the flag bytes (language-major) and each name's UTF-8 bytes padded to the
// name length; u32 aggregate count and the aggregate ids.
//
// Every get without detach is paired with one Release of the same id. A
// detached object belongs to the caller (texts are new[] buffers). Ids the
// program passes that are not resources stop the program through the debug
// assertion; ids that reach the manager from the archive (alias targets,
// manifest aggregates) and blobs it cannot use give a debug line and a
// missing resource instead.
#pragma once

#include <cstdint>

#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/core/CHash.h"

class CAggregateResource;
class CArrayInputStream;
class CBinRes;
class CKeysetResource;
class CPalettizedImage;
class CSoftwareImage;

class CResMgr {
public:
    static constexpr std::uint32_t kEntryMask = 0x7FFF;
    static constexpr std::uint32_t kTypeMask = 0x1F000000;
    static constexpr std::uint32_t kTypeText = 0x01000000;
    static constexpr std::uint32_t kTypeImage = 0x02000000;
    static constexpr std::uint32_t kTypeData = 0x03000000;
    static constexpr std::uint32_t kTypePalette = 0x04000000;
    static constexpr std::uint32_t kTypeKeyset = 0x05000000;
    static constexpr std::uint32_t kTypeAlias = 0x06000000;
    static constexpr std::uint32_t kTypeAggregate = 0x08000000;
    static constexpr std::uint32_t kTypeSound = 0x09000000;
    static constexpr std::uint32_t kInAggregate = 0x20000000;
    static constexpr std::uint32_t kKeepCached = 0x40000000;
    static constexpr std::uint32_t kCurrentLanguage = 255;
    static constexpr std::uint32_t kManifestId = 575;
    // Blob tags: the image classes, an Ogg Vorbis sound and decoded PCM.
    static constexpr std::uint32_t kTagPalettizedImage = 0xA575942F;
    static constexpr std::uint32_t kTagNativeImage = 0xB717945F;
    static constexpr std::uint32_t kTagNativeImageToo = 0xE017CF77;
    static constexpr std::uint32_t kTagOggSound = 0x32FD99E1;
    static constexpr std::uint32_t kTagPcmSound = 0xFD94B3C1;
    // Aliases followed for one get at most; a longer or cyclic chain is a
    // missing resource.
    static constexpr std::uint32_t kMaxAliasDepth = 8;

    CResMgr();
    // Frees every cached object and closes the archive.
    ~CResMgr();

    CResMgr(const CResMgr&) = delete;
    CResMgr& operator=(const CResMgr&) = delete;

    // Whether an id read from the archive (a keyset's key, an alias's
    // target) names something the loaders take; the program's own ids that
    // do not stop it through the assertions.
    static bool IsLoadable(std::uint32_t id);

    // Opens the archive and reads its manifest. Returns 1, or 0 for a
    // missing archive or manifest, a manifest that ends early or counts more
    // than it holds, or no memory.
    int Open(const char16_t* path);

    // The object of the id, cached, with one more reference; with detach
    // the caller's own. A detach get of an entry that others hold leaves the
    // entry to them and hands out a freshly loaded object. Null when the
    // resource cannot be had.
    void* GetResource(std::uint32_t id, std::uint8_t detach);
    // The typed getters take ids of their type or aliases; an alias that
    // resolves to another type is a missing resource.
    char16_t* GetText(std::uint32_t id, std::uint8_t detach);
    CBinRes* GetPalette(std::uint32_t id, std::uint8_t detach);
    CSoftwareImage* GetImage(std::uint32_t id, std::uint8_t detach);
    // 16-bit PCM tagged kTagPcmSound when the blob was Ogg Vorbis; a blob of
    // another tag as it is.
    CBinRes* GetSound(std::uint32_t id, std::uint8_t detach);
    CBinRes* GetData(std::uint32_t id, std::uint8_t detach);
    CAggregateResource* GetAggregate(std::uint32_t id, std::uint8_t detach);
    CKeysetResource* GetKeyset(std::uint32_t id, std::uint8_t detach);

    // Gives one reference back; at none left the entry is freed, unless the
    // id has bit 30 and force is 0. Ids not cached are ignored.
    void Release(std::uint32_t id, std::uint8_t force);
    // Frees the entry whatever its count, unless the id has bit 30 and
    // force is 0.
    void Free(std::uint32_t id, std::uint8_t force);

    // A new image of the class the blob's tag names, not cached; extraData
    // is a palette payload (palettized) or a mask bitmap (native). Null when
    // it cannot be made.
    CSoftwareImage* CreateImage(std::uint32_t id, const std::uint8_t* extraData, std::uint32_t extraSize,
                                std::uint8_t rotated);
    // CreateImage for images whose palette the caller swaps: anything but a
    // palettized image is deleted and null returned.
    CPalettizedImage* CreatePalettizedImage(std::uint32_t id, const std::uint8_t* extraData,
                                            std::uint32_t extraSize, std::uint8_t rotated);

    // Gives back the current language aggregate and makes language n's
    // current (none when n is not below the count).
    void SelectLanguage(std::uint32_t n);
    // On: texts of the current language read as their ids ("0x%8.8x").
    void SetShowTextIds(std::uint8_t on) { m_showTextIds = on; }

    std::uint32_t GetLanguageCount() const { return m_languageCount; }
    // Null when n is not below the count.
    const char16_t* GetLanguageName(std::uint32_t n) const;
    const std::uint8_t* GetLanguageFlags(std::uint32_t n) const;
    std::uint8_t IsCached(std::uint32_t id) const;
    // The references held on the cached entries together, what was taken
    // and not yet given back; aggregates left out (one that served a
    // resource keeps a reference for each load from it, and stays).
    std::int64_t GetHoldCount() const;

private:
    struct Entry {
        std::int32_t count;
        std::uint32_t type;
        void* object;
    };

    void FreeManifest();
    bool ReadManifest(CArrayInputStream& in);
    Entry* Find(std::uint32_t id) const;
    // The getters' work; type 0 takes any type.
    void* Get(std::uint32_t id, std::uint8_t detach, std::uint32_t type);
    // LoadEntry, then the type check; false with nothing held on failure.
    bool Load(Entry& entry, std::uint32_t id, std::uint32_t type);
    // Removes the entry from the cache and frees it with its object.
    void Drop(std::uint32_t id, Entry* entry);

    bool LoadEntry(Entry& entry, std::uint32_t id, std::uint32_t depth);
    bool LoadBlob(CBinRes& blob, std::uint32_t id);
    std::uint32_t GetAggregateIdFor(std::uint32_t id) const;
    void LoadText(Entry& entry, std::uint32_t id);
    void LoadBinary(Entry& entry, std::uint32_t id);
    void LoadImage(Entry& entry, std::uint32_t id, std::uint32_t paletteId);
    void LoadAlias(Entry& entry, std::uint32_t id, std::uint32_t depth);
    void LoadAggregate(Entry& entry, std::uint32_t id);
    void LoadKeyset(Entry& entry, std::uint32_t id);
    // The image of the blob's class, filled from it; null after a debug line
    // for an unknown tag, or when it cannot be made.
    static CSoftwareImage* MakeImage(std::uint32_t id, const CBinRes& blob, const std::uint8_t* extraData,
                                     std::uint32_t extraSize, std::uint8_t rotated);
    static void FreeEntry(Entry& entry);

    CBigFileReader m_reader;
    std::uint32_t m_languageAggregate = 0;
    std::uint8_t m_showTextIds = 0;
    CHash m_cache;
    std::uint32_t m_languageCount = 0;
    std::uint32_t m_flagCount = 0;
    std::uint32_t m_nameLength = 0;
    std::uint32_t* m_languageAggregates = nullptr;
    std::uint8_t* m_languageFlags = nullptr;
    std::uint8_t* m_nameScratch = nullptr;
    char16_t* m_languageNames = nullptr;
    std::uint32_t m_aggregateCount = 0;
    std::uint32_t* m_aggregates = nullptr;
    std::uint32_t m_aliasCount = 0;
    std::uint32_t* m_aliases = nullptr;
};
