// Body of the configuration fuzz target, shared with the test that replays
// its seeds. The input is written as device.conf, softkey.conf,
// properties.dat and hs.dat into the game directory (wherever the file
// manager of the current application object works), read by the real
// readers, and every getter is called; a value outside its buffer or range
// stops the program.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "host/File.h"
#include "platform/shared/components/CFileInputStream.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/CAppProperties.h"
#include "src/CDeviceConfig.h"
#include "src/CHighscoreMgr.h"
#include "src/CKeyMgr.h"
#include "tools/BigFileWriter.h"

namespace fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

inline void ReadDeviceFiles() {
    CDeviceConfig config;
    config.ReadDeviceConfig();
    config.ReadSoftkeyConfig();
    for (int t = 0; t < CDeviceConfig::kTextCount; ++t) {
        const auto which = static_cast<CDeviceConfig::Text>(t);
        if (config.GetText(which) != nullptr)
            Check(WideStringLength(config.GetText(which)) < CDeviceConfig::GetTextCapacity(which));
    }
    Check(config.GetKeyMapCount() >= 0 && config.GetKeyMapCount() <= 255);
    Check((config.GetKeyMap() == nullptr) == (config.GetKeyMapCount() == 0));
    CKeyMgr keys(config);
    for (std::int32_t i = 0; i < config.GetKeyMapCount(); ++i) {
        const std::uint16_t code = keys.RemapDeviceKey(config.GetKeyMap()[i].deviceCode);
        keys.HandleEvent(EVENT_KEY_DOWN, code, 0);
        keys.Tick(48);
        keys.HandleEvent(EVENT_KEY_UP, code, 0);
    }
    // Summed in 64 bits: a position may be any 32-bit value.
    volatile std::int64_t sink = std::int64_t{config.exitOnClamshell} + config.touchscreenSupportMessage +
                                 config.disableNumpad + config.disableSound + config.disableVibration +
                                 config.disableSoftkeys + config.functionAsOk + config.onlyOneKeyPress +
                                 config.reduceJump + config.lskPortraitX + config.rskPortraitX +
                                 config.lskLandscapeX + config.rskLandscapeX + keys.GetLastKey();
    (void)sink;
}

inline void ReadProperties() {
    CAppProperties* properties = CAppProperties::GetInstance();
    CStrWChar path;
    MakeResourcePath(path, u"properties.dat");
    CFileInputStream file;
    if (properties == nullptr || !file.Open(path.GetBuffer())) return;
    properties->Load(file);
    for (const char* key : {"Zel-Cheats-Enable", "Zel-Test-Localisation", "level", "KEYMAP", ""}) {
        if (const char* value = properties->GetString(key)) Check(StringLength(value) > 0);
        // In 64 bits: GetInt may answer INT_MAX.
        volatile std::int64_t sink =
            std::int64_t{properties->GetInt(key)} + properties->GetBool(key) + properties->Has(key);
        (void)sink;
    }
}

inline void ReadHighscores() {
    CHighscoreMgr scores;
    const bool whole = scores.Load() == 1;
    Check(WideStringLength(scores.GetLastName()) <= CHighscoreMgr::kNameLength);
    for (std::int32_t table = -1; table <= 1; ++table) {
        for (std::int32_t i = -1; i <= CHighscoreMgr::kEntryCount; ++i) {
            const char16_t* name = scores.GetName(table, i);
            Check((name != nullptr) == (table == 0 && i >= 0 && i < CHighscoreMgr::kEntryCount));
            if (name != nullptr) Check(WideStringLength(name) <= CHighscoreMgr::kNameLength);
            volatile bool sink = scores.IsHighscore(table, scores.GetScore(table, i));
            (void)sink;
        }
    }
    // A short record was replaced by the defaults, already saved once.
    if (whole) scores.Insert(scores.GetName(0, 0), 0, scores.GetScore(0, 2));
}

inline int FuzzConfig(const std::uint8_t* data, std::size_t size) {
    for (const char16_t* name : {u"device.conf", u"softkey.conf", u"properties.dat", u"hs.dat"}) {
        CStrWChar path;
        MakeSavePath(path, name);
        if (!vktools::WriteHostFile(host::ToHostPath(path.GetBuffer()), vktools::Bytes(data, data + size))) return 0;
    }
    ReadDeviceFiles();
    ReadProperties();
    ReadHighscores();
    return 0;
}

}  // namespace fuzz
