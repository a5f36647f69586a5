// What the libFuzzer targets share: the bodies, the seeds, and the seeding
// of an empty corpus directory named on the command line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/FuzzTargets.h"

namespace fuzz {

inline void SeedCorpus(int argc, char** argv, const std::vector<vktools::Bytes>& seeds) {
    namespace fs = std::filesystem;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') continue;
        std::error_code error;
        const fs::path dir(argv[i]);
        if (!fs::is_directory(dir, error) || !fs::is_empty(dir, error)) return;
        for (std::size_t n = 0; n < seeds.size(); ++n) {
            vktools::WriteHostFile((dir / ("seed" + std::to_string(n))).string(), seeds[n]);
        }
        return;
    }
}

}  // namespace fuzz
