// Reader of the resource archive: a 32-byte header, an id table (a sorted
// list of ids, or ranges of consecutive ids), an entry table of n + 1
// records (type, offset) and the entries' bytes. The tables are read once;
// each entry read seeks and reads the file.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class ICFile;

class CBigFileReader : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0xAA37812D;

    CBigFileReader();
    ~CBigFileReader() override;

    CBigFileReader(const CBigFileReader&) = delete;
    CBigFileReader& operator=(const CBigFileReader&) = delete;

    // Reads the header and both tables and keeps the file open. A missing,
    // empty or truncated archive, or tables that do not lie inside the file,
    // fail. Returns 1 or 0.
    int Open(const char16_t* path);
    // Closes the file and frees the tables.
    void Close();

    // The entry index of an id (looked up unchanged), or -1.
    std::int32_t FindIndex(std::uint32_t id) const;
    // Bytes of the id's entry; 0 when the id is unknown or the entry is
    // malformed (ends before it starts or past the end of the file).
    std::uint32_t GetEntrySize(std::uint32_t id) const;
    // The entry's type code, 0 when the id is unknown.
    std::uint32_t GetEntryType(std::uint32_t id) const;
    // Reads the first min(size, maximum) bytes of the entry. Returns 1 only
    // when all of them arrived.
    int ReadEntry(std::uint32_t id, void* destination, std::uint32_t maximum);

private:
    // The entry index of an id when it lies in the entry table, else -1.
    std::int32_t FindEntry(std::uint32_t id) const;
    std::uint32_t EntryOffset(std::int32_t index) const;
    std::uint8_t* ReadTable(std::uint32_t offset, std::uint64_t bytes);

    ICFile* m_file = nullptr;
    std::uint32_t m_idCount = 0;
    std::uint32_t m_entryCount = 0;
    std::int32_t* m_idList = nullptr;      // list form, in host order
    std::uint8_t* m_idRanges = nullptr;    // range form, 8-byte records as stored
    std::uint8_t* m_entries = nullptr;     // n + 1 8-byte records as stored
    std::uint32_t m_fileSize = 0;
};
