// What device.conf and softkey.conf tell the game about the phone it runs on:
// a key map from the phone's own key codes to the game's, device flags,
// replacement texts and the soft-key label positions. The application object
// holds one, reads both files once at start-up and keeps the values for the
// rest of the run. A missing file leaves every value at its default.
#pragma once

#include <cstdint>

// One line of the key map: the phone's code as the window layer reports it,
// and the key code the rest of the game uses for it (0 maps to nothing).
struct CKeyMapPair {
    std::uint16_t deviceCode;
    std::uint16_t keyCode;
};

class CDeviceConfig {
public:
    enum Text : int {
        kControlText,
        kLevelIntroText,
        kString12,
        kString30,
        kString60,
        kString70,
        kString146,
        kString172,
        kString176,
        kTextCount
    };

    CDeviceConfig() = default;
    ~CDeviceConfig() { FreeBuffers(); }
    CDeviceConfig(const CDeviceConfig&) = delete;
    CDeviceConfig& operator=(const CDeviceConfig&) = delete;

    // Reads device.conf (key map, flags, texts) from the save directory.
    void ReadDeviceConfig();
    // Sets the four soft-key positions to -1, then reads softkey.conf.
    void ReadSoftkeyConfig();
    // Frees the texts and the key map (the flags and positions stay).
    void FreeBuffers();

    // The text as 16-bit characters, zero-terminated; null when the file
    // did not give it.
    const char16_t* GetText(Text which) const { return m_texts[which]; }
    // Room of the text's buffer in characters, terminator included.
    static std::uint32_t GetTextCapacity(Text which);
    // The key map in file order; null and 0 without one.
    const CKeyMapPair* GetKeyMap() const { return m_keyMap; }
    std::int32_t GetKeyMapCount() const { return m_keyMapCount; }

    // Flags of device.conf, with their defaults.
    std::uint8_t exitOnClamshell = 1;            // the clamshell-closed event ends the program
    std::uint8_t touchscreenSupportMessage = 0;  // show the touch-screen notice once
    std::uint8_t disableNumpad = 0;              // the keys 0, 2 and 4 to 9 are ignored
    std::uint8_t disableSound = 0;               // sound forced off
    std::uint8_t disableVibration = 1;           // vibration forced off
    std::uint8_t disableSoftkeys = 0;            // no soft-key labels
    std::uint8_t functionAsOk = 0;               // key code 20 acts as select
    std::uint8_t onlyOneKeyPress = 0;            // a second key held at once cancels the frame's keys
    std::uint8_t reduceJump = 0;                 // read by the scripts

    // Positions of softkey.conf (-1: the bar's own). The left label's
    // distance from the bar's left edge, the right label's end from the
    // bar's right edge, in portrait and in landscape.
    std::int32_t lskPortraitX = -1;
    std::int32_t rskPortraitX = -1;
    std::int32_t lskLandscapeX = -1;
    std::int32_t rskLandscapeX = -1;

private:
    class Reader;

    bool ReadKeyMapLine(Reader& file, CKeyMapPair& pair);
    bool ReadSetting(Reader& file);
    void ReadText(Reader& file, Text which);

    char16_t* m_texts[kTextCount] = {};
    CKeyMapPair* m_keyMap = nullptr;
    std::int32_t m_keyMapCount = 0;
};
