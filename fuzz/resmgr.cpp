// libFuzzer target: the resource manager over an archive whose manifest is
// the input. Run as `fuzz_resmgr CORPUS_DIR`; an empty corpus directory is
// seeded with manifests made by the tools/ writer.
#include "fuzz/FuzzMain.h"
#include "fuzz/ResMgrTarget.h"
#include "host/Debug.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/CGameApp.h"

CSoftwareBlitter* CGameApp::GetBlitter() {
    static CSoftwareBlitter blitter;
    return &blitter;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::StartApp();
    host::SetDebugSink([](std::u16string_view) {});  // refusals are expected
    CGameApp::GetBlitter()->Init(kPixelFormatRgb565, nullptr, 0);
    fuzz::SeedCorpus(*argc, *argv, fuzz::ResMgrSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::FuzzResMgr(data, size);
}
