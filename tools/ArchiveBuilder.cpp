#include "tools/ArchiveBuilder.h"

#include "tools/ResourceWriters.h"

namespace vktools {

namespace {

// The bytes cut or padded with zeros to size.
Bytes Fitted(Bytes bytes, std::uint32_t size) {
    bytes.resize(size, 0);
    return bytes;
}

}  // namespace

TaggedBlob MakeResource(const Bytes& payload, std::uint32_t tag, bool compressed) {
    return TaggedBlob{tag, compressed ? MakeCompressedBlob(payload) : MakeBlob(payload)};
}

TaggedBlob MakeText(std::u16string_view text, bool compressed) {
    return MakeResource(EncodeUtf8Units(text), 0, compressed);
}

TaggedBlob MakeBlobAggregate(const std::map<std::uint16_t, TaggedBlob>& items, bool compressed) {
    std::vector<AggregateItem> list;
    for (const auto& [entry, item] : items) list.push_back(AggregateItem{entry, item.blob, item.tag});
    return MakeResource(MakeAggregate(kAggregateLongOffsets | kAggregateExtras, 0, list), 0, compressed);
}

TaggedBlob MakeLanguageAggregate(const std::map<std::uint16_t, std::u16string>& texts, bool compressed) {
    std::map<std::uint16_t, TaggedBlob> items;
    for (const auto& [entry, text] : texts) items[entry] = MakeText(text);
    return MakeBlobAggregate(items, compressed);
}

Bytes MakeManifest(const ManifestDesc& manifest) {
    ByteWriter w;
    w.U32(static_cast<std::uint32_t>(manifest.aliases.size()));
    for (const std::uint32_t word : manifest.aliases) w.U32(word);
    w.U32(static_cast<std::uint32_t>(manifest.languages.size())).U32(manifest.flagCount).U32(manifest.nameLength);
    if (!manifest.languages.empty() && manifest.flagCount != 0) {
        for (const auto& language : manifest.languages) w.U32(language.aggregateId);
        for (const auto& language : manifest.languages) w.Append(Fitted(language.flags, manifest.flagCount));
        for (const auto& language : manifest.languages) w.Append(Fitted(language.name, manifest.nameLength));
    }
    w.U32(static_cast<std::uint32_t>(manifest.aggregates.size()));
    for (const std::uint32_t id : manifest.aggregates) w.U32(id);
    return w.Take();
}

Bytes Utf8Name(std::u16string_view name) { return EncodeUtf8Units(name); }

bool ArchiveBuilder::Add(std::uint32_t id, const TaggedBlob& resource) {
    if ((id & kInAggregate) != 0 || !m_entries.insert(EntryOf(id)).second) return false;
    m_writer.Add(EntryOf(id), resource.tag, resource.blob);
    return true;
}

bool ArchiveBuilder::AddManifest(const ManifestDesc& manifest) { return AddManifestPayload(MakeManifest(manifest)); }

bool ArchiveBuilder::AddManifestPayload(const Bytes& payload) { return Add(kManifestEntry, MakeResource(payload)); }

}  // namespace vktools
