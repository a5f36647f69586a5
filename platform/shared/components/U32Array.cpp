#include "platform/shared/components/U32Array.h"

#include <cstdlib>

int U32Array::LoadFromStream(CInputStream& stream) {
    Free();
    const std::uint32_t bytes = stream.Available();
    if (bytes == 0) return stream.HasError() ? 0 : 1;
    words = static_cast<std::uint32_t*>(std::malloc(bytes));
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
    std::free(words);
    cursor = 0;
    count = 0;
    words = nullptr;
}
