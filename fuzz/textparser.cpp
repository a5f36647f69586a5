// libFuzzer target: the text parser over any UTF-16 text and width. Run as
// `fuzz_textparser CORPUS_DIR`; an empty corpus directory is seeded with a
// few texts.
#include "fuzz/FuzzMain.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::SeedCorpus(*argc, *argv, fuzz::TextParserSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzTextParser(data, size);
}
