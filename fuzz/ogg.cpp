// libFuzzer target: Ogg Vorbis decoding to PCM, each input decoded twice.
// Run as `fuzz_ogg CORPUS_DIR`; an empty corpus directory is seeded with
// tones encoded by oggenc (vorbis-tools).
#include "fuzz/FuzzMain.h"
#include "host/Debug.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Every refused stream writes a line: kept out of the fuzzer's output.
    host::SetDebugSink([](std::u16string_view) {});
    fuzz::SeedCorpus(*argc, *argv, fuzz::OggSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::FuzzOgg(data, size); }
