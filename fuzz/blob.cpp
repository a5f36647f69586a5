// libFuzzer target: blob, aggregate and keyset loading from one archive
// entry. Run as `fuzz_blob CORPUS_DIR`; an empty corpus directory is seeded
// with blobs made by the tools/ writers.
#include "fuzz/FuzzMain.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::StartApp();
    fuzz::SeedCorpus(*argc, *argv, fuzz::BlobSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::FuzzBlob(data, size); }
