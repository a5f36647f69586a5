#include "platform/shared/core/StringUtil.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

int ParseDecimal(const char* text) {
    // strtol saturates where atoi would be undefined; then the int range.
    return static_cast<int>(std::clamp<long>(std::strtol(text, nullptr, 10), INT_MIN, INT_MAX));
}

int CompareStrings(const char* a, const char* b) { return std::strcmp(a, b); }

char16_t* WidenString(char16_t* destination, const char* source) {
    std::size_t i = 0;
    do {
        destination[i] = static_cast<char16_t>(static_cast<unsigned char>(source[i]));
    } while (source[i++] != '\0');
    return destination;
}

char* StrCat(char* destination, const char* source) { return std::strcat(destination, source); }

char* SafeStrCopy(char* destination, const char* source, std::size_t n) {
    if (n == 0) return destination;
    std::strncpy(destination, source, n);
    destination[n - 1] = '\0';
    return destination;
}

char* CopyString(char* destination, const char* source) { return std::strcpy(destination, source); }

char16_t* CopyWideString(char16_t* destination, const char16_t* source) {
    std::size_t i = 0;
    do {
        destination[i] = source[i];
    } while (source[i++] != u'\0');
    return destination;
}

char16_t* AppendWideString(char16_t* destination, const char16_t* source) {
    CopyWideString(destination + WideStringLength(destination), source);
    return destination;
}

std::uint32_t StringLength(const char* text) { return static_cast<std::uint32_t>(std::strlen(text)); }

std::uint32_t WideStringLength(const char16_t* text) {
    std::uint32_t n = 0;
    while (text[n] != u'\0') ++n;
    return n;
}

void* MemSet(void* destination, int value, std::size_t count) { return std::memset(destination, value & 0xFF, count); }

void MemFree(void* block) { std::free(block); }
