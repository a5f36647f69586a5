// A scratch game directory for the benchmarks that run the game: a copy of
// the game's archive (built beside the benchmark's executable by the build),
// removed with everything written there.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

class BenchGameDir {
public:
    BenchGameDir() {
        char pattern[] = "/tmp/vk-bench-XXXXXX";
        m_path = mkdtemp(pattern);
        std::filesystem::copy_file(VK_GAME_ARCHIVE, m_path + "/velkorin.big");
    }
    ~BenchGameDir() { std::filesystem::remove_all(m_path); }
    BenchGameDir(const BenchGameDir&) = delete;
    BenchGameDir& operator=(const BenchGameDir&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
