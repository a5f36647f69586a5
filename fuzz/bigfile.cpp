// libFuzzer target: the archive reader and every resource loaded from it.
// Run as `fuzz_bigfile CORPUS_DIR`; an empty corpus directory is seeded with
// archives made by the tools/ writers.
#include "fuzz/FuzzMain.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::StartApp();
    fuzz::SeedCorpus(*argc, *argv, fuzz::BigFileSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzBigFile(data, size);
}
