// libFuzzer target: the services' reply readers, reached through the
// service base's completion. Run as `fuzz_net_replies CORPUS_DIR`; an empty
// corpus directory is seeded with reply bodies made by the tools/ writer.
#include "fuzz/FuzzMain.h"
#include "fuzz/NetFuzzTargets.h"
#include "host/Debug.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    host::SetDebugSink([](std::u16string_view) {});
    fuzz::SeedCorpus(*argc, *argv, fuzz::NetReplySeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzNetReplies(data, size);
}
