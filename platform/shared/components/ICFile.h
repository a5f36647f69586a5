// One open file. Deleting the object closes the file.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class ICFile : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x02D70FA5;

    // Seek origins.
    static constexpr int kSeekBegin = 0;
    static constexpr int kSeekCurrent = 1;
    static constexpr int kSeekEnd = 2;

    ICFile() : CClass(kClassId) {}
    ~ICFile() override = default;
    ICFile(const ICFile&) = delete;
    ICFile& operator=(const ICFile&) = delete;

    // Every operation fails (false, position 0, 0 bytes) on a file object
    // with no file attached.
    virtual bool IsOpen() = 0;
    // Moves the position by offset from the origin (kSeek...).
    virtual bool Seek(std::int32_t offset, int origin) = 0;
    // The position; 0 also on failure.
    virtual std::uint32_t Tell() = 0;
    // Byte counts actually moved; a short count is the only failure report.
    virtual std::uint32_t Read(void* destination, std::uint32_t count) = 0;
    virtual std::uint32_t Write(const void* source, std::uint32_t count) = 0;
    // Makes what was written durable on storage.
    virtual bool Flush() = 0;
};
