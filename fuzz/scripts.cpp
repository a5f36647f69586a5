// libFuzzer target: the script tables and the engine running them. Run as
// `fuzz_scripts CORPUS_DIR`; an empty corpus directory is seeded with
// scripts made by the assembler and its raw writer.
#include "fuzz/FuzzMain.h"
#include "fuzz/ScriptFuzz.h"
#include "tools/ProgramDisplay.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    vktools::OpenProgramDisplay();  // the game's application, for the engine
    fuzz::SeedCorpus(*argc, *argv, fuzz::ScriptSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzScript(data, size);
}
