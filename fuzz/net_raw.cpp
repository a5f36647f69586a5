// libFuzzer target: the raw-socket transport reading a reply that arrives in
// pieces. Run as `fuzz_net_raw CORPUS_DIR`; an empty corpus directory is
// seeded with replies made by the tools/ writer.
#include "fuzz/FuzzMain.h"
#include "fuzz/NetFuzzTargets.h"
#include "host/Debug.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    host::SetDebugSink([](std::u16string_view) {});
    fuzz::SeedCorpus(*argc, *argv, fuzz::NetRawSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzNetRaw(data, size);
}
