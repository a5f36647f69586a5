// libFuzzer target: sprite data (the main data and archetype 0 of an
// archive with a fixed anchor and images) constructed, loaded and drawn.
// Run as `fuzz_sprite CORPUS_DIR`; an empty corpus directory is seeded with
// the tools/ writer's sample sprite data.
#include <vector>

#include "fuzz/FuzzMain.h"
#include "fuzz/SpriteTarget.h"
#include "host/Debug.h"
#include "host/Window.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"

namespace {

CResMgr* g_resources = nullptr;

}  // namespace

CSoftwareBlitter* CGameApp::GetBlitter() {
    static CSoftwareBlitter blitter;
    return &blitter;
}
CResMgr* CGameApp::GetResMgr() { return g_resources; }
SZ_Home* CGameApp::GetSpriteHome() {
    static SZ_Home home;
    return &home;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::StartApp();
    host::SetDebugSink([](std::u16string_view) {});  // refusals are expected
    // A back buffer of 48 x 32 pixels, drawn into a target of its size.
    host::ResetWindowing(host::WindowOptions{.screenWidth = 96, .screenHeight = 64});
    ICGraphics2d::GetInstance()->Init();
    static std::vector<std::uint8_t> target(48 * 32 * 2);
    CGameApp::GetBlitter()->Init(kPixelFormatRgb565, target.data(), 48 * 2);
    fuzz::SeedCorpus(*argc, *argv, fuzz::SpriteSeeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CResMgr resources;
    g_resources = &resources;
    fuzz::FuzzSprite(data, size);
    g_resources = nullptr;
    return 0;
}
