// Writer of resource archives: a 32-bit header, the id table (list or range
// form), the entry table of n + 1 records and the entries' bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

class BigFileWriter {
public:
    enum class IdForm { List, Range };

    // Adds an entry (usually a blob) under id with its type code. Entries
    // are stored in ascending id order (signed comparison); ids must be
    // unique.
    void Add(std::uint32_t id, std::uint32_t type, Bytes data);

    // The whole archive. The range form groups runs of consecutive ids
    // (at most 65535 per range).
    Bytes Build(IdForm form) const;
    // Build, written to a host file. Returns false when it cannot be written.
    bool WriteFile(const std::string& path, IdForm form) const;

    // Offsets of the header fields, for tests that damage archives.
    static constexpr std::size_t kIdTableOffsetField = 8;
    static constexpr std::size_t kIdCountField = 12;
    static constexpr std::size_t kEntryTableOffsetField = 16;
    static constexpr std::size_t kEntryCountField = 20;
    static constexpr std::size_t kHeaderSize = 32;

private:
    struct Entry {
        std::uint32_t id;
        std::uint32_t type;
        Bytes data;
    };
    std::vector<Entry> m_entries;
};

// Writes bytes to a host file; false when it cannot.
bool WriteHostFile(const std::string& path, const Bytes& bytes);

}  // namespace vktools
