// A scratch game directory for the benchmarks that run the game: a copy of
// the game's archive (built beside the benchmark's executable by the build),
// removed with everything written there.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/ScratchDir.h"

class BenchGameDir {
public:
    BenchGameDir() {
        if (m_dir.Path().empty()) {
            std::fputs("cannot create a scratch game directory\n", stderr);
            std::abort();
        }
        std::filesystem::copy_file(VK_GAME_ARCHIVE, m_dir.Path() + "/velkorin.big");
    }

    const std::string& Path() const { return m_dir.Path(); }

private:
    vktools::ScratchDir m_dir{"vk-bench-"};
};
