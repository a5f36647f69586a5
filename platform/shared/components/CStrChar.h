// 8-bit heap string: property keys and values, network fields, host names.
#pragma once

#include <cstdint>

#include "platform/shared/components/CStrT.h"

class CStrChar : public CStrT<CStrChar, char> {
public:
    // The bytes "n^6d" in memory.
    static constexpr std::uint32_t kClassId = 0x64365E6E;
    // What the assertions of this class report.
    static constexpr const char* kSourceFile = "CStrChar";
    static constexpr int kAllocLine = 45;
    static constexpr int kFindLine = 136;
    static constexpr int kCharAtLine = 197;

    CStrChar() : CStrT(kClassId) {}
    // Empty, then the text appended (nothing for null).
    explicit CStrChar(const char* text) : CStrT(kClassId) { Append(text); }
    CStrChar(const CStrChar& other) : CStrT(kClassId) { Append(other.GetBuffer()); }
    CStrChar& operator=(const CStrChar& other) { return Assign(other); }

    // The character at index; the index must lie in 0 to length - 1.
    std::int8_t CharAt(std::int32_t index) const;
    // Removes leading and trailing tab, line feed, form feed, carriage return
    // and space characters.
    void Trim();
};
