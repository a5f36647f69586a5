// The sprite tests' world: the framework tests' application (a headless
// display of 100 x 100 back-buffer pixels, the resource manager, the
// sprite home that CGameApp::GetSpriteHome hands out), over an archive
// holding a sprite set, the debug output captured and the virtual clock
// standing still. The back buffer stays locked, with the blitter bound to
// it, but while a frame is shown.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

#include "fuzz/SpriteTarget.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/support/DebugCapture.h"

class SpriteWorld {
public:
    explicit SpriteWorld(const vktools::SpriteSet& set = fuzz::sprite::SampleSprites(),
                         const host::DisplayFormat& format = host::kDisplayRgb565);
    ~SpriteWorld();
    SpriteWorld(const SpriteWorld&) = delete;
    SpriteWorld& operator=(const SpriteWorld&) = delete;

    SZ_Home& Home() { return *CGameApp::GetSpriteHome(); }
    DebugCapture& Log() { return m_log; }
    // Constructs the home when it is not, queues the pairs and works the
    // queue off; the calls that took (0: not constructed).
    int Load(std::initializer_list<std::pair<int, int>> pairs, std::uint32_t budget = 500);
    // Clears the back buffer to black, draws and presents it.
    void Show(const std::function<void()>& draw);
    // Pixel (x, y) of the back buffer last shown, as 0xRRGGBB.
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;

private:
    void Lock();

    ScopedFrameworkApp m_app;
    DebugCapture m_log;
};

// A presenter of the pair with the animation set.
SZ_Presenter MakePresenter(std::int32_t archetype, std::int32_t character, std::int32_t animation,
                           std::uint8_t flags = 0);
