#include "tools/BigFileWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vktools {

void BigFileWriter::Add(std::uint32_t id, std::uint32_t type, Bytes data) {
    const auto key = [](std::uint32_t v) { return static_cast<std::int32_t>(v); };
    auto at = std::lower_bound(m_entries.begin(), m_entries.end(), id,
                               [&](const Entry& e, std::uint32_t v) { return key(e.id) < key(v); });
    if (at != m_entries.end() && at->id == id) std::abort();
    m_entries.insert(at, Entry{id, type, std::move(data)});
}

Bytes BigFileWriter::Build(IdForm form) const {
    struct Range {
        std::uint32_t first;
        std::uint16_t count;
        std::uint16_t index;
    };
    std::vector<Range> ranges;
    if (form == IdForm::Range) {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (i > 0xFFFF) std::abort();
            const std::uint32_t id = m_entries[i].id;
            if (!ranges.empty() && ranges.back().first + ranges.back().count == id && ranges.back().count < 0xFFFF) {
                ++ranges.back().count;
            } else {
                ranges.push_back(Range{id, 1, static_cast<std::uint16_t>(i)});
            }
        }
    }
    const std::uint32_t idCount =
        static_cast<std::uint32_t>(form == IdForm::Range ? ranges.size() : m_entries.size());
    const std::uint32_t n = static_cast<std::uint32_t>(m_entries.size());
    const std::uint32_t idTableOffset = kHeaderSize;
    const std::uint32_t entryTableOffset = idTableOffset + idCount * (form == IdForm::Range ? 8 : 4);
    const std::uint32_t dataOffset = entryTableOffset + (n + 1) * 8;

    ByteWriter w;
    w.U32(0).U8(0).U8(0).U8(form == IdForm::Range ? 0x80 : 0x00).U8(0);
    w.U32(idTableOffset).U32(idCount).U32(entryTableOffset).U32(n).U32(0).U32(0);
    if (form == IdForm::Range) {
        for (const auto& r : ranges) w.U32(r.first).U16(r.count).U16(r.index);
    } else {
        for (const auto& e : m_entries) w.U32(e.id);
    }
    std::uint32_t offset = dataOffset;
    for (const auto& e : m_entries) {
        w.U32(e.type).U32(offset);
        offset += static_cast<std::uint32_t>(e.data.size());
    }
    w.U32(0).U32(offset);
    for (const auto& e : m_entries) w.Append(e.data);
    return w.Take();
}

bool BigFileWriter::WriteFile(const std::string& path, IdForm form) const { return WriteHostFile(path, Build(form)); }

bool WriteHostFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace vktools
