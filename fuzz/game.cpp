// libFuzzer target: the whole game, headless, on an archive. Run as
// `fuzz_game CORPUS_DIR`; an empty corpus directory is seeded with the
// sample archive the build made from content/.
#include "fuzz/FuzzSeeds.h"
#include "fuzz/GameFuzz.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::SeedCorpus(*argc, *argv, fuzz::GameSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::FuzzGame(data, size); }
