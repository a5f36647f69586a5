// libFuzzer target: bitmap fonts of both versions, measured and drawn into
// a recording image. Run as `fuzz_font CORPUS_DIR`; an empty corpus
// directory is seeded with fonts made by the tools/ writer.
#include "fuzz/FuzzMain.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::SeedCorpus(*argc, *argv, fuzz::FontSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::FuzzFont(data, size); }
