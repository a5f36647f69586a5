// The whole-game fuzz target's body and seed, shared with the test that
// replays the seed: the input is the game's archive, velkorin.big, in a
// scratch game directory of the process (its saves removed before each
// run). The game starts headless on the virtual clock and plays for a few
// hundred frames with the pilot's keys (the character chosen by the input's
// length), then its window is closed. It must end as a game does: 0, or 1
// for an archive it cannot start with.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/Debug.h"
#include "tools/BigFileWriter.h"
#include "tools/GamePilot.h"
#include "tools/HeadlessGame.h"
#include "tools/ScratchDir.h"

namespace fuzz {

constexpr int kGameFrames = 400;  // play starts at about frame 260

// The sample archive, as the build made it from content/.
inline std::vector<vktools::Bytes> GameSeeds() {
    std::ifstream game(VK_GAME_ARCHIVE, std::ios::binary);
    return {vktools::Bytes{std::istreambuf_iterator<char>(game), std::istreambuf_iterator<char>()}};
}

// The process's scratch game directory (empty when it cannot be made),
// removed at the program's end.
inline const std::string& GameDirectory() {
    static const vktools::ScratchDir dir("vk-fuzz-game-");
    return dir.Path();
}

inline int FuzzGame(const std::uint8_t* data, std::size_t size) {
    const std::string& dir = GameDirectory();
    for (const char* name : {"prefs.dat", "savegame.dat", "hs.dat", "temp.dat"}) std::remove((dir + "/" + name).c_str());
    if (dir.empty() || !vktools::WriteHostFile(dir + "/velkorin.big", vktools::Bytes(data, data + size))) std::abort();

    // Quiet, but a failed assertion (which stops the program) is told.
    host::SetDebugSink([](std::u16string_view text) {
        if (text.starts_with(u"ASSERT FAILED")) std::fprintf(stderr, "%s\n", host::ToUtf8(text).c_str());
    });
    vktools::GamePilot pilot(size % 2 == 0 ? VK_LEFT : VK_RIGHT);
    const int result = vktools::RunHeadlessGame(dir, kGameFrames, [&](std::uint32_t ms) { pilot.Step(ms); });
    host::SetDebugSink(nullptr);
    if (result != 0 && result != 1) std::abort();
    return 0;
}

}  // namespace fuzz
