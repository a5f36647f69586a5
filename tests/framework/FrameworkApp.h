// The framework tests' application: the singleton table, the graphics
// device open headless, the blitter bound to the back buffer's format, and
// the resource and font managers that the application hooks hand out.
#pragma once

#include <cstdint>
#include <string>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CFontMgr.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "tests/support/TempDir.h"
#include "tools/ArchiveBuilder.h"
#include "tools/SingletonTableApp.h"

class FrameworkApp : public vktools::SingletonTableApp {
public:
    CSoftwareBlitter m_blitter;
    CResMgr* m_resources = nullptr;
    CFontMgr* m_fonts = nullptr;
};

// The process-wide application while it lives, on a back buffer of the
// given size and format.
class ScopedFrameworkApp {
public:
    explicit ScopedFrameworkApp(const host::DisplayFormat& format = host::kDisplayRgb565, std::int32_t backWidth = 100,
                                std::int32_t backHeight = 100);
    ~ScopedFrameworkApp();
    ScopedFrameworkApp(const ScopedFrameworkApp&) = delete;
    ScopedFrameworkApp& operator=(const ScopedFrameworkApp&) = delete;

    CResMgr& Resources() const { return *m_app->m_resources; }
    CFontMgr& Fonts() const { return *m_app->m_fonts; }
    ICGraphics2d* Graphics() const { return m_graphics; }
    // Writes the archive into the test's directory and opens it.
    int Open(const vktools::ArchiveBuilder& archive);

private:
    FrameworkApp* m_app;
    ICGraphics2d* m_graphics = nullptr;
    TempDir m_dir;
};
