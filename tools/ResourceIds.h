// Resource ids and blob tags of the game's archive, for the writers.
//
// An id: bits 0-14 the entry (the archive entry, the sub-resource inside an
// aggregate, or the alias index), bits 16-23 the aggregate that holds a
// bit-29 resource (255: the current language's) or the alias form, bits
// 24-28 the type, bit 29 inside an aggregate, bit 30 kept cached. Every type
// shares the archive's entries: only id & 0x7FFF names one.
#pragma once

#include <cstdint>

namespace vktools {

enum ResourceType : std::uint32_t {
    kResText = 1,
    kResImage = 2,
    kResData = 3,
    kResPalette = 4,
    kResKeyset = 5,
    kResAlias = 6,
    kResAggregate = 8,
    kResSound = 9,
};

constexpr std::uint32_t kInAggregate = 1u << 29;
constexpr std::uint32_t kKeepCached = 1u << 30;
// The aggregate index of the current language's texts.
constexpr std::uint32_t kCurrentLanguage = 255;
// The manifest's archive entry.
constexpr std::uint32_t kManifestEntry = 575;
// Alias forms: an image with its palette (three list words), a plain alias.
constexpr std::uint32_t kAliasImage = 0;
constexpr std::uint32_t kAliasPlain = 1;

// Blob tags: the archive entry's type word, or an aggregate item's extra.
constexpr std::uint32_t kTagPalettizedImage = 0xA575942F;
constexpr std::uint32_t kTagNativeImage = 0xB717945F;
constexpr std::uint32_t kTagNativeImageToo = 0xE017CF77;
constexpr std::uint32_t kTagOggSound = 0x32FD99E1;
constexpr std::uint32_t kTagPcmSound = 0xFD94B3C1;

constexpr std::uint32_t EntryOf(std::uint32_t id) { return id & 0x7FFF; }
constexpr std::uint32_t TypeOf(std::uint32_t id) { return (id >> 24) & 0x1F; }

// A resource lying directly in the archive.
constexpr std::uint32_t ResId(std::uint32_t type, std::uint32_t entry) { return type << 24 | EntryOf(entry); }
// A resource inside the aggregate of the given index (kCurrentLanguage for
// the language's texts).
constexpr std::uint32_t AggregateResId(std::uint32_t type, std::uint32_t aggregate, std::uint32_t entry) {
    return type << 24 | kInAggregate | (aggregate & 0xFF) << 16 | EntryOf(entry);
}
constexpr std::uint32_t TextId(std::uint32_t entry) { return AggregateResId(kResText, kCurrentLanguage, entry); }
constexpr std::uint32_t AliasId(std::uint32_t form, std::uint32_t index) {
    return kResAlias << 24 | (form & 0xFF) << 16 | EntryOf(index);
}

}  // namespace vktools
