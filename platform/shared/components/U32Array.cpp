#include "platform/shared/components/U32Array.h"

#include <new>

int U32Array::LoadFromStream(CInputStream& stream) {
    Free();
    const std::uint32_t bytes = stream.Available();
    if (bytes == 0) return stream.HasError() ? 0 : 1;
    // Room for the trailing part word too: every byte is read.
    words = new (std::nothrow) std::uint32_t[(std::uint64_t{bytes} + 3) / 4];
    if (words == nullptr) return 0;
    count = bytes / 4;
    stream.Read(words, bytes);
    if (stream.HasError()) {
        Free();
        return 0;
    }
    return 1;
}

void U32Array::Free() {
    delete[] words;
    cursor = 0;
    count = 0;
    words = nullptr;
}
