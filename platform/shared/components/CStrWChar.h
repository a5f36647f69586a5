// 16-bit (UTF-16) heap string: file paths and wide texts.
#pragma once

#include <cstdint>

#include "platform/shared/components/CStrT.h"

class CStrWChar : public CStrT<CStrWChar, char16_t> {
public:
    static constexpr std::uint32_t kClassId = 0x43735EB4;
    // What the assertions of this class report.
    static constexpr const char* kSourceFile = "CStrWChar";
    static constexpr int kAllocLine = 49;
    static constexpr int kFindLine = 140;

    CStrWChar() : CStrT(kClassId) {}
    // Empty, then the text appended (nothing for null).
    explicit CStrWChar(const char16_t* text) : CStrT(kClassId) { Append(text); }
    CStrWChar(const CStrWChar& other) : CStrT(kClassId) { Append(other.GetBuffer()); }
    CStrWChar& operator=(const CStrWChar& other) { return Assign(other); }
};
