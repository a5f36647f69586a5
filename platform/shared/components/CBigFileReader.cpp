#include "platform/shared/components/CBigFileReader.h"

#include <new>

#include "platform/shared/components/CFileInputStream.h"
#include "platform/shared/components/ICFile.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/core/CGenUtil.h"

namespace {

constexpr std::uint8_t kRangeForm = 0x80;
constexpr std::uint32_t kRecordSize = 8;

std::uint32_t LoadU16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }

std::uint32_t LoadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

CBigFileReader::CBigFileReader() { SetClassId(kClassId); }

CBigFileReader::~CBigFileReader() { Close(); }

void CBigFileReader::Close() {
    delete m_file;
    m_file = nullptr;
    delete[] m_idList;
    m_idList = nullptr;
    delete[] m_idRanges;
    m_idRanges = nullptr;
    delete[] m_entries;
    m_entries = nullptr;
}

// Reads bytes at offset into a new buffer, after checking that they lie in
// the file; null on any failure.
std::uint8_t* CBigFileReader::ReadTable(std::uint32_t offset, std::uint64_t bytes) {
    if (static_cast<std::uint64_t>(offset) + bytes > m_fileSize) return nullptr;
    auto* table = new (std::nothrow) std::uint8_t[bytes];
    if (table == nullptr) return nullptr;
    const auto count = static_cast<std::uint32_t>(bytes);
    if (!m_file->Seek(static_cast<std::int32_t>(offset), 0) || m_file->Read(table, count) != count) {
        delete[] table;
        return nullptr;
    }
    return table;
}

int CBigFileReader::Open(const char16_t* path) {
    Close();
    std::uint32_t idTableOffset = 0;
    std::uint32_t entryTableOffset = 0;
    std::uint8_t flags = 0;
    {
        CFileInputStream header;
        if (!header.Open(path)) return 0;
        m_fileSize = header.Available();
        header.ReadU32();
        header.ReadU8();
        header.ReadU8();
        flags = header.ReadU8();
        header.Skip(1);
        idTableOffset = header.ReadU32();
        const std::uint32_t idCount = header.ReadU32();
        entryTableOffset = header.ReadU32();
        const std::uint32_t entryCount = header.ReadU32();
        header.ReadU32();
        header.ReadU32();
        if (header.HasError()) return 0;
        m_idCount = idCount;
        m_entryCount = entryCount;
    }
    ICFileMgr* files = ICFileMgr::GetInstance();
    if (files == nullptr) return 0;
    m_file = files->Open(path, 0);
    if (m_file == nullptr) return 0;

    if (m_idCount != 0) {
        if (flags & kRangeForm) {
            m_idRanges = ReadTable(idTableOffset, static_cast<std::uint64_t>(m_idCount) * kRecordSize);
            if (m_idRanges == nullptr) return 0;
        } else {
            std::uint8_t* raw = ReadTable(idTableOffset, static_cast<std::uint64_t>(m_idCount) * 4);
            if (raw == nullptr) return 0;
            m_idList = new (std::nothrow) std::int32_t[m_idCount];
            if (m_idList == nullptr) {
                delete[] raw;
                return 0;
            }
            for (std::uint32_t i = 0; i < m_idCount; ++i) m_idList[i] = static_cast<std::int32_t>(LoadU32(raw + 4 * i));
            delete[] raw;
        }
    }
    if (m_entryCount != 0) {
        m_entries = ReadTable(entryTableOffset, (static_cast<std::uint64_t>(m_entryCount) + 1) * kRecordSize);
        if (m_entries == nullptr) return 0;
    }
    return 1;
}

std::int32_t CBigFileReader::FindIndex(std::uint32_t id) const {
    const auto key = static_cast<std::int32_t>(id);
    if (m_idRanges != nullptr) {
        for (std::uint32_t i = 0; i < m_idCount; ++i) {
            const std::uint8_t* range = m_idRanges + i * kRecordSize;
            const auto first = static_cast<std::int32_t>(LoadU32(range));
            // Ids compare as signed values; their distance is taken unsigned,
            // so that ids more than 2^31 apart do not wrap into a range.
            const std::uint32_t delta = id - static_cast<std::uint32_t>(first);
            if (first <= key && delta < LoadU16(range + 4)) {
                return static_cast<std::int32_t>(LoadU16(range + 6) + delta);
            }
        }
        return -1;
    }
    if (m_idList != nullptr) return CGenUtil::BinarySearch(m_idList, m_idCount, key);
    return -1;
}

std::int32_t CBigFileReader::FindEntry(std::uint32_t id) const {
    const std::int32_t index = FindIndex(id);
    if (index < 0 || m_entries == nullptr || static_cast<std::uint32_t>(index) >= m_entryCount) return -1;
    return index;
}

std::uint32_t CBigFileReader::EntryOffset(std::int32_t index) const {
    return LoadU32(m_entries + static_cast<std::uint32_t>(index) * kRecordSize + 4);
}

std::uint32_t CBigFileReader::GetEntrySize(std::uint32_t id) const {
    const std::int32_t index = FindEntry(id);
    if (index < 0) return 0;
    const std::uint32_t start = EntryOffset(index);
    const std::uint32_t end = EntryOffset(index + 1);
    if (end < start || end > m_fileSize) return 0;
    return end - start;
}

std::uint32_t CBigFileReader::GetEntryType(std::uint32_t id) const {
    const std::int32_t index = FindEntry(id);
    if (index < 0) return 0;
    return LoadU32(m_entries + static_cast<std::uint32_t>(index) * kRecordSize);
}

int CBigFileReader::ReadEntry(std::uint32_t id, void* destination, std::uint32_t maximum) {
    const std::uint32_t size = GetEntrySize(id);
    const std::uint32_t count = size < maximum ? size : maximum;
    if (count == 0 || destination == nullptr || m_file == nullptr) return 0;
    if (!m_file->Seek(static_cast<std::int32_t>(EntryOffset(FindEntry(id))), 0)) return 0;
    return m_file->Read(destination, count) == count ? 1 : 0;
}
