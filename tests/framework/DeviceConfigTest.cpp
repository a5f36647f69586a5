// device.conf and softkey.conf read from the game directory, each case with
// LF and CRLF line ends, with and without one after the last line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "src/CDeviceConfig.h"
#include "tests/framework/GameDirTest.h"

namespace {

// The nine flags, then what the files gave: "100100000 map=C2:16 sk=4".
std::string Describe(const CDeviceConfig& c) {
    std::string out;
    for (const std::uint8_t flag :
         {c.exitOnClamshell, c.touchscreenSupportMessage, c.disableNumpad, c.disableSound, c.disableVibration,
          c.disableSoftkeys, c.functionAsOk, c.onlyOneKeyPress, c.reduceJump}) {
        out += static_cast<char>('0' + flag);
    }
    for (int t = 0; t < CDeviceConfig::kTextCount; ++t) {
        const char16_t* text = c.GetText(static_cast<CDeviceConfig::Text>(t));
        if (text != nullptr) out += " text" + std::to_string(t) + "=";
        for (; text != nullptr && *text != 0; ++text) out += static_cast<char>(*text);
    }
    for (std::int32_t i = 0; i < c.GetKeyMapCount(); ++i) {
        char pair[16];
        std::snprintf(pair, sizeof pair, "%s%X:%d", i == 0 ? " map=" : ",", c.GetKeyMap()[i].deviceCode,
                      c.GetKeyMap()[i].keyCode);
        out += pair;
    }
    for (const std::int32_t p : {c.lskPortraitX, c.rskPortraitX, c.lskLandscapeX, c.rskLandscapeX}) {
        if (p != -1) out += " sk=" + std::to_string(p);
    }
    return out;
}

using DeviceConfigTest = GameDirTest;

TEST_F(DeviceConfigTest, FilesInEveryLineEnding) {
    const std::string longText(30, 'a');
    const std::string zeros(40, '0');
    const struct {
        std::vector<std::string> device, softkey;
        std::string expected;
    } cases[] = {
        // Key map: the name's end gives the key code, the value from its
        // third character the device code; then the setting lines.
        {{"KEYS=5", "SOFT2=0xC2", "LEFT=0x25", "RIGHT=0x27", "DOWN=0x28", "UP=0x26", "DISABLE_SOUND=1"},
         {},
         "100110000 map=C2:16,25:6,27:7,28:5,26:4"},
        {{"N=9", "KEY0=0x30", "KEY2=0x32", "HASH=0x23", "BACK=0x8", "SELECTION=0xD", "STAR=0x2a", "ODD=0x99", "SHORT=x",
          "=0x41"},
         {},
         "100010000 map=30:48,32:50,23:35,8:12,D:11,2A:42,99:0,0:7,41:0"},
        // More lines promised than given: settings are read as pairs; fewer:
        // the extra pair is an unknown key, which swallows the rest.
        {{"KEYS=3", "UP=0x26", "DISABLE_SOUND=1"}, {}, "100010000 map=26:4,0:0"},
        {{"KEYS=1", "UP=0x26", "DOWN=0x28", "DISABLE_SOUND=1"}, {}, "100010000 map=26:4"},
        {{"KEYS=-4", "DISABLE_SOUND=1"}, {}, "100110000"},
        // Flags: one character, anything but "0" sets.
        {{"X=0", "EXIT_ON_CLAMSHELL=0", "DISABLE_NUMPAD=x", "DISABLE_VIBRATION=0", "REDUCE_JUMP=1"}, {}, "001000001"},
        {{"X=0", "DISABLE_SOUND=10", "REDUCE_JUMP=1"}, {}, "100110000"},
        {{"X=0", "exit_on_clamshell=0", "DISABLE_SOUND=1"}, {}, "100010000"},
        // Texts: "|" is a line feed, bytes above 127 stay, the later wins.
        {{"X=0", "CONTROL_TEXT=Up|Down", "STRING_12=first", "STRING_12=se\xE9", "TICKRATE=48", "FUNCTION_AS_OK=1"},
         {},
         "100010100 text0=Up\nDown text2=se\xE9"},
        // No "=" on line 1: the count is taken from line 2, whose setting is lost.
        {{"no count here", "DISABLE_SOUND=1"}, {}, "100010000"},
        {{"nothing at all"}, {}, "100010000"},
        // Over-long tokens and texts are cut; the reader keeps its place.
        {{"X=0", "STRING_146=" + longText, "DISABLE_SOUND=1"}, {}, "100110000 text6=" + longText.substr(0, 19)},
        {{"KEYS=" + zeros + "1", "DISABLE_SOUND=1"}, {}, "100110000"},
        {{"KEYS=1", "UP=0x" + zeros + "26", "REDUCE_JUMP=1"}, {}, "100010001 map=0:4"},
        {{"X=0", "CONTROL_TEXT=" + std::string(2100, 'c'), "LEVEL_INTRO_TEXT=" + std::string(1023, 'l')},
         {},
         "100010000 text0=" + std::string(2047, 'c') + " text1=" + std::string(1023, 'l')},
        // Soft keys; an unknown key swallows the rest as in device.conf.
        {{},
         {"LSK_PORTRAIT_X=5", "RSK_PORTRAIT_X=-7", "LSK_LANDSCAPE_X=12", "RSK_LANDSCAPE_X=3"},
         "100010000 sk=5 sk=-7 sk=12 sk=3"},
        {{}, {"RSK_PORTRAIT_X=9", "OTHER=1", "LSK_PORTRAIT_X=5"}, "100010000 sk=9"},
    };
    for (const auto& c : cases) {
        for (const char* end : {"\n", "\r\n"}) {
            for (const bool finalEnd : {true, false}) {
                if (!c.device.empty()) m_dir.Write("device.conf", Join(c.device, end, finalEnd));
                if (!c.softkey.empty()) m_dir.Write("softkey.conf", Join(c.softkey, end, finalEnd));
                CDeviceConfig config;
                config.lskPortraitX = 99;  // the soft-key reader starts from -1, file or not
                config.ReadDeviceConfig();
                config.ReadSoftkeyConfig();
                EXPECT_EQ(Describe(config), c.expected)
                    << Join(c.device, end, finalEnd) << Join(c.softkey, end, finalEnd);
                std::remove(m_dir.HostPath("device.conf").c_str());
                std::remove(m_dir.HostPath("softkey.conf").c_str());
            }
        }
    }
}

TEST_F(DeviceConfigTest, KeyMapCountStopsAtTheLineCounterRange) {
    std::string text = "KEYS=300\n";
    for (int i = 0; i < 255; ++i) text += "UP=0x26\n";
    m_dir.Write("device.conf", text + "DISABLE_SOUND=1\n");
    CDeviceConfig config;
    config.ReadDeviceConfig();
    EXPECT_EQ(config.GetKeyMapCount(), 255);
    EXPECT_EQ(config.disableSound, 1);
}

}  // namespace
