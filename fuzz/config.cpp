// libFuzzer target: the configuration files (device.conf, softkey.conf,
// properties.dat) and hs.dat, all made of the input, in a scratch game
// directory. Run as `fuzz_config CORPUS_DIR`; an empty corpus directory is
// seeded with hand-written samples.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/ConfigFuzzTarget.h"
#include "fuzz/FuzzMain.h"

namespace {

std::string g_gameDir;

void RemoveGameDir() {
    std::error_code ignored;
    std::filesystem::remove_all(g_gameDir, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vk-fuzz-config-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    g_gameDir = pattern;
    std::atexit(RemoveGameDir);
    // The file manager takes the game directory when the first file call creates it.
    host::SetModuleDirectory(g_gameDir);
    fuzz::StartApp();
    fuzz::SeedCorpus(*argc, *argv, fuzz::ConfigSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzConfig(data, size);
}
