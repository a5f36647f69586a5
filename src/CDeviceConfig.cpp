#include "src/CDeviceConfig.h"

#include <new>

#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/core/CGenUtil.h"
#include "platform/shared/core/StringUtil.h"

namespace {

// The key-map line counter is a byte: no more lines than it can count.
constexpr std::int32_t kMaxKeyMapLines = 255;

struct FlagKey {
    const char* name;
    std::uint8_t CDeviceConfig::*flag;
};
constexpr FlagKey kFlagKeys[] = {
    {"EXIT_ON_CLAMSHELL", &CDeviceConfig::exitOnClamshell},
    {"TOUCHSCREEN_SUPPORT_MESSAGE", &CDeviceConfig::touchscreenSupportMessage},
    {"DISABLE_NUMPAD", &CDeviceConfig::disableNumpad},
    {"DISABLE_SOUND", &CDeviceConfig::disableSound},
    {"DISABLE_VIBRATION", &CDeviceConfig::disableVibration},
    {"DISABLE_SOFTKEYS", &CDeviceConfig::disableSoftkeys},
    {"FUNCTION_AS_OK", &CDeviceConfig::functionAsOk},
    {"ONLY_ONE_KEY_PRESS", &CDeviceConfig::onlyOneKeyPress},
    {"REDUCE_JUMP", &CDeviceConfig::reduceJump},
};

// In the order of CDeviceConfig::Text; room in characters with the terminator.
struct TextKey {
    const char* name;
    std::uint32_t capacity;
};
constexpr TextKey kTextKeys[CDeviceConfig::kTextCount] = {
    {"CONTROL_TEXT", 2048}, {"LEVEL_INTRO_TEXT", 1024}, {"STRING_12", 300},  {"STRING_30", 300},  {"STRING_60", 300},
    {"STRING_70", 300},     {"STRING_146", 20},         {"STRING_172", 300}, {"STRING_176", 350},
};

struct SoftkeyKey {
    const char* name;
    std::int32_t CDeviceConfig::*position;
};
constexpr SoftkeyKey kSoftkeyKeys[] = {
    {"LSK_PORTRAIT_X", &CDeviceConfig::lskPortraitX},
    {"RSK_PORTRAIT_X", &CDeviceConfig::rskPortraitX},
    {"LSK_LANDSCAPE_X", &CDeviceConfig::lskLandscapeX},
    {"RSK_LANDSCAPE_X", &CDeviceConfig::rskLandscapeX},
};

// A key name, a number or a key-map value: at most 31 characters are kept,
// the rest of a longer one is read and dropped. The unused part of the
// buffer stays zero, so reading a few characters into a short token finds
// its end, never older bytes.
struct Token {
    char text[32] = {};
    std::int32_t length = 0;
    int last = -1;  // the token's last two characters, kept or not
    int beforeLast = -1;
};

bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }

// The key code of a key-map line, chosen by the end of its key name.
std::uint16_t KeyCodeOfName(int last, int beforeLast) {
    if (last >= '0' && last <= '9' && last != '2') return static_cast<std::uint16_t>(last);
    switch (last) {
        case '2': return beforeLast == 'T' ? 16 : '2';  // ...T2 is the right soft key
        case 'H': return '#';                           // ...HASH
        case 'K': return 12;                            // ...BACK
        case 'N': return beforeLast == 'W' ? 5 : 11;    // ...DOWN, else ...SELECTION
        case 'P': return 4;                             // ...UP
        case 'R': return '*';                           // ...STAR
        case 'T': return beforeLast == 'F' ? 6 : 7;     // ...LEFT, else ...RIGHT
        default: return 0;
    }
}

}  // namespace

// Reads a file of the save directory one byte at a time.
class CDeviceConfig::Reader {
public:
    explicit Reader(const char16_t* name) : m_files(ICFileMgr::GetInstance()) {
        CStrWChar path;
        MakeSavePath(path, name);
        if (m_files != nullptr) m_file = m_files->Open(path.GetBuffer(), ICFileMgr::kModeRead);
        m_end = m_file == nullptr;
    }
    ~Reader() {
        if (m_file != nullptr) m_files->Close(m_file);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool AtEnd() const { return m_end; }

    // The next byte, or -1 at the end of the file.
    int Next() {
        std::uint8_t byte = 0;
        if (m_end || m_file->Read(&byte, 1) != 1) {
            m_end = true;
            return -1;
        }
        m_last = byte;
        return byte;
    }

    // Reads up to "=" (or up to a line end when toLineEnd), which is read
    // but not kept. False when the file ended first.
    bool Collect(Token& token, bool toLineEnd) {
        token = Token();
        for (int c = Next(); c >= 0; c = Next()) {
            if (toLineEnd ? IsLineEnd(c) : c == '=') return true;
            if (token.length < static_cast<std::int32_t>(sizeof token.text) - 1)
                token.text[token.length++] = static_cast<char>(c);
            token.beforeLast = token.last;
            token.last = c;
        }
        return false;
    }

    // A line that ended with a carriage return: its line feed.
    void SkipLineFeed() {
        if (m_last == '\r') Next();
    }

private:
    ICFileMgr* m_files;
    ICFile* m_file = nullptr;
    bool m_end;
    int m_last = -1;
};

std::uint32_t CDeviceConfig::GetTextCapacity(Text which) { return kTextKeys[which].capacity; }

void CDeviceConfig::FreeBuffers() {
    for (char16_t*& text : m_texts) {
        delete[] text;
        text = nullptr;
    }
    delete[] m_keyMap;
    m_keyMap = nullptr;
    m_keyMapCount = 0;
}

void CDeviceConfig::ReadDeviceConfig() {
    Reader file(u"device.conf");
    // Line 1, NAME=N: N key-map lines follow. The name is not looked at.
    int c = 0;
    do {
        c = file.Next();
    } while (c >= 0 && c != '=');
    if (c < 0) return;
    Token count;
    file.Collect(count, true);
    file.SkipLineFeed();
    const std::int32_t wanted = Min(ParseDecimal(count.text), kMaxKeyMapLines);
    delete[] m_keyMap;
    m_keyMap = wanted > 0 ? new (std::nothrow) CKeyMapPair[wanted]() : nullptr;

    std::int32_t lines = 0;
    while (!file.AtEnd()) {
        if (m_keyMap != nullptr && lines < wanted) {
            if (!ReadKeyMapLine(file, m_keyMap[lines])) break;
            ++lines;
        } else if (!ReadSetting(file)) {
            break;
        }
        file.SkipLineFeed();
    }
    // Pairs that no line filled are not kept.
    m_keyMapCount = lines;
    if (lines == 0) {
        delete[] m_keyMap;
        m_keyMap = nullptr;
    }
}

// KEYNAME=0xHHHH. False when the file ended before the "=".
bool CDeviceConfig::ReadKeyMapLine(Reader& file, CKeyMapPair& pair) {
    Token name;
    if (!file.Collect(name, false)) return false;
    pair.keyCode = KeyCodeOfName(name.last, name.beforeLast);
    Token value;
    file.Collect(value, true);
    // The first two characters ("0x") are skipped whatever they are; a
    // shorter value gives 0.
    pair.deviceCode = static_cast<std::uint16_t>(value.length > 2 ? CGenUtil::ParseHex(value.text + 2) : 0);
    return true;
}

// KEY=value. An unknown key reads nothing more, so its value begins the next
// key, which then matches nothing: every later line is ignored. False when
// the file ended before the "=".
bool CDeviceConfig::ReadSetting(Reader& file) {
    Token key;
    if (!file.Collect(key, false)) return false;
    for (const FlagKey& flag : kFlagKeys) {
        if (CompareStrings(key.text, flag.name) != 0) continue;
        // One character, then the line end: "10" sets the flag and its "0"
        // is taken as the line end.
        const int value = file.Next();
        if (value >= 0) this->*flag.flag = value != '0';
        file.Next();
        return true;
    }
    if (CompareStrings(key.text, "TICKRATE") == 0) {
        Token ignored;
        file.Collect(ignored, true);
        return true;
    }
    for (int i = 0; i < kTextCount; ++i) {
        if (CompareStrings(key.text, kTextKeys[i].name) != 0) continue;
        ReadText(file, static_cast<Text>(i));
        return true;
    }
    return true;
}

// The rest of the line, each byte one character and "|" a line feed; what
// exceeds the buffer is read and dropped. A text given again replaces the
// earlier one.
void CDeviceConfig::ReadText(Reader& file, Text which) {
    const std::uint32_t capacity = kTextKeys[which].capacity;
    delete[] m_texts[which];
    char16_t* text = m_texts[which] = new (std::nothrow) char16_t[capacity];
    std::uint32_t length = 0;
    for (int c = file.Next(); c >= 0 && !IsLineEnd(c); c = file.Next()) {
        if (text != nullptr && length < capacity - 1) text[length++] = c == '|' ? u'\n' : static_cast<char16_t>(c);
    }
    if (text != nullptr) text[length] = u'\0';
}

void CDeviceConfig::ReadSoftkeyConfig() {
    for (const SoftkeyKey& key : kSoftkeyKeys) this->*key.position = -1;
    Reader file(u"softkey.conf");
    while (!file.AtEnd()) {
        Token key;
        if (!file.Collect(key, false)) break;
        // An unknown key reads nothing more, as in device.conf.
        for (const SoftkeyKey& known : kSoftkeyKeys) {
            if (CompareStrings(key.text, known.name) != 0) continue;
            Token value;
            file.Collect(value, true);
            this->*known.position = ParseDecimal(value.text);
            break;
        }
        file.SkipLineFeed();
    }
}
