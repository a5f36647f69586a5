// The game's application object for the framework tests: started (its
// managers, the blitter and the graphics device open headless) but without
// its start event, so that each test opens an archive of its own.
#pragma once

#include <cstdint>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "tests/support/TempDir.h"
#include "tools/ArchiveBuilder.h"

// The process-wide application while it lives, on a back buffer of the
// given size and format.
class ScopedFrameworkApp {
public:
    explicit ScopedFrameworkApp(const host::DisplayFormat& format = host::kDisplayRgb565, std::int32_t backWidth = 100,
                                std::int32_t backHeight = 100);
    ~ScopedFrameworkApp();
    ScopedFrameworkApp(const ScopedFrameworkApp&) = delete;
    ScopedFrameworkApp& operator=(const ScopedFrameworkApp&) = delete;

    CResMgr& Resources() const { return *CGameApp::GetResMgr(); }
    CFontMgr& Fonts() const { return *CGameApp::GetFontMgr(); }
    ICGraphics2d* Graphics() const { return ICGraphics2d::GetInstance(); }
    // Writes the archive into the test's directory and opens it.
    int Open(const vktools::ArchiveBuilder& archive);

private:
    CApp* m_app;
    TempDir m_dir;
};
