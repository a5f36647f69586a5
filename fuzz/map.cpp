// libFuzzer target: tile maps and entity lists loaded, drawn and swept by
// the game adapter. Run as `fuzz_map CORPUS_DIR`; an empty corpus
// directory is seeded with maps and lists made by the tools/ writers.
#include "fuzz/FuzzMain.h"
#include "fuzz/MapFuzz.h"
#include "host/Debug.h"
#include "tools/ProgramDisplay.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    vktools::OpenProgramDisplay();  // the game's application, for the engine
    host::SetDebugSink([](std::u16string_view) {});  // refusals are expected
    fuzz::SeedCorpus(*argc, *argv, fuzz::MapSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::FuzzMap(data, size); }
