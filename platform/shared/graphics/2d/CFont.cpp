#include "platform/shared/graphics/2d/CFont.h"

std::uint8_t CFont::GetCharClass(char16_t character) {
    switch (character) {
    case u'\0':
        return kCharEnd;
    case u' ':
        return kCharSpace;
    case u'\t':
        return kCharTab;
    case u'\n':
        return kCharLineFeed;
    default:
        return kCharOther;
    }
}
