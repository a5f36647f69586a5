// A block of 32-bit words loaded whole from a stream.
#pragma once

#include <cstdint>

#include "platform/shared/components/CInputStream.h"

struct U32Array {
    std::uint32_t cursor = 0;
    std::uint32_t count = 0;
    std::uint32_t* words = nullptr;  // owned (new[])

    // Reads everything the stream has left as raw words (no byte reversal);
    // a trailing part word is read but not counted. Returns 1 or 0; on
    // failure the array is empty.
    int LoadFromStream(CInputStream& stream);
    void Free();
};
