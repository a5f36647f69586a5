// libFuzzer target: BMP data made into native and palettized images and
// drawn. Run as `fuzz_bmp CORPUS_DIR`; an empty corpus directory is seeded
// with bitmaps made by the tools/ writer.
#include "fuzz/BmpTarget.h"
#include "fuzz/FuzzMain.h"
#include "host/Debug.h"
#include "host/Window.h"
#include "tools/ProgramBlitter.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::StartApp();
    host::SetDebugSink([](std::u16string_view) {});  // refusals are expected
    // A back buffer of 16 x 12 pixels.
    host::ResetWindowing(host::WindowOptions{.screenWidth = 32, .screenHeight = 24});
    ICGraphics2d::GetInstance()->Init();
    fuzz::SeedCorpus(*argc, *argv, fuzz::BmpSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::FuzzBmp(data, size); }
