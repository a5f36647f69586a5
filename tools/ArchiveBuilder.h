// Builders of the game's resource archive from its resources: tagged blobs
// (texts, images, sounds, data), aggregates of them, language aggregates of
// texts, the manifest, and the archive itself, which keeps one resource per
// entry.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/BigFileWriter.h"
#include "tools/ByteWriter.h"
#include "tools/ResourceIds.h"

namespace vktools {

// A resource blob and the tag its reader sees.
struct TaggedBlob {
    std::uint32_t tag = 0;
    Bytes blob;
};

// The payload as a blob (zlib-compressed when asked) with the tag:
// MakeResource(bmp, kTagPalettizedImage), MakeResource(ogg, kTagOggSound).
TaggedBlob MakeResource(const Bytes& payload, std::uint32_t tag = 0, bool compressed = false);
// A text: its UTF-8 (EncodeUtf8Units) as the payload.
TaggedBlob MakeText(std::u16string_view text, bool compressed = false);

// An aggregate holding the items under their entries (sub-resource ids),
// each item's tag as its extra word.
TaggedBlob MakeBlobAggregate(const std::map<std::uint16_t, TaggedBlob>& items, bool compressed = false);
// A language aggregate: one text blob per entry.
TaggedBlob MakeLanguageAggregate(const std::map<std::uint16_t, std::u16string>& texts, bool compressed = false);

struct ManifestLanguage {
    std::uint32_t aggregateId = 0;
    Bytes flags;  // cut or padded with zeros to the manifest's flag count
    Bytes name;   // UTF-8, cut or padded with zeros to the name length
};

struct ManifestDesc {
    std::vector<std::uint32_t> aliases;
    std::uint32_t flagCount = 1;
    std::uint32_t nameLength = 16;
    // Counted always; their ids, flags and names are written only when the
    // flag count is not 0 either.
    std::vector<ManifestLanguage> languages;
    std::vector<std::uint32_t> aggregates;
};

// The manifest's payload: alias count and list, language count, flag count,
// name length, [language aggregate ids, flags, names], aggregate count and
// ids; little-endian.
Bytes MakeManifest(const ManifestDesc& manifest);
// A language's name in UTF-8.
Bytes Utf8Name(std::u16string_view name);

class ArchiveBuilder {
public:
    // Stores the blob at the id's entry (id & 0x7FFF) with its tag. Refuses
    // (false, nothing added) an entry that holds a resource already,
    // whatever the types, and an id inside an aggregate (bit 29).
    bool Add(std::uint32_t id, const TaggedBlob& resource);
    // The manifest as a blob at its entry.
    bool AddManifest(const ManifestDesc& manifest);
    bool AddManifestPayload(const Bytes& payload);

    Bytes Build() const { return m_writer.Build(BigFileWriter::IdForm::Range); }
    bool WriteFile(const std::string& path) const { return WriteHostFile(path, Build()); }

private:
    BigFileWriter m_writer;
    std::set<std::uint32_t> m_entries;
};

}  // namespace vktools
