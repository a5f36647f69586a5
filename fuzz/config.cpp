// libFuzzer target: the configuration files (device.conf, softkey.conf,
// properties.dat) and hs.dat, all made of the input, in a scratch game
// directory. Run as `fuzz_config CORPUS_DIR`; an empty corpus directory is
// seeded with hand-written samples.
#include <cstdlib>

#include "fuzz/ConfigFuzzTarget.h"
#include "fuzz/FuzzMain.h"
#include "tools/ScratchDir.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Removed at the program's end.
    static const vktools::ScratchDir gameDir("vk-fuzz-config-");
    if (gameDir.Path().empty()) std::abort();
    // The file manager takes the game directory when the first file call creates it.
    host::SetModuleDirectory(gameDir.Path());
    fuzz::StartApp();
    fuzz::SeedCorpus(*argc, *argv, fuzz::ConfigSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzConfig(data, size);
}
