#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "host/DDraw.h"
#include "host/Window.h"
#include "host/ThirdPartyScope.h"

namespace {

DDSURFACEDESC Desc(DWORD flags) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    return desc;
}

DDSURFACEDESC PrimaryDesc() {
    DDSURFACEDESC desc = Desc(DDSD_CAPS);
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return desc;
}

DDSURFACEDESC BackDesc(DWORD width, DWORD height, const host::DisplayFormat& format) {
    DDSURFACEDESC desc = Desc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT);
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddpfPixelFormat = DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB, 0, format.bitCount, format.redMask,
                                         format.greenMask, format.blueMask, 0};
    desc.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY;
    return desc;
}

class Display : public ::testing::Test {
public:
    void SetUp() override {
        host::ResetDisplay();
        host::ResetWindowing();
        ASSERT_EQ(DirectDrawCreate(nullptr, &m_dd, nullptr), DD_OK);
    }

    void TearDown() override {
        if (m_back != nullptr) m_back->Release();
        if (m_primary != nullptr) m_primary->Release();
        if (m_dd != nullptr) m_dd->Release();
        EXPECT_EQ(host::LiveDisplayObjects(), 0);
        host::ResetDisplay();
        host::ResetWindowing();
    }

    HRESULT CreatePrimary() {
        DDSURFACEDESC desc = PrimaryDesc();
        return m_dd->CreateSurface(&desc, &m_primary, nullptr);
    }

    HRESULT CreateBack(DWORD width, DWORD height, const host::DisplayFormat& format) {
        DDSURFACEDESC desc = BackDesc(width, height, format);
        return m_dd->CreateSurface(&desc, &m_back, nullptr);
    }

    // Fills the back buffer with four 16-bit colours, one per quadrant.
    void PaintQuadrants(const std::uint16_t colours[4]) {
        DDSURFACEDESC lock = Desc(0);
        ASSERT_EQ(m_back->Lock(nullptr, &lock, DDLOCK_WAITNOTBUSY | DDLOCK_WRITEONLY, nullptr), DD_OK);
        auto* bits = static_cast<std::uint8_t*>(lock.lpSurface);
        for (DWORD y = 0; y < lock.dwHeight; ++y) {
            for (DWORD x = 0; x < lock.dwWidth; ++x) {
                const std::uint16_t c = colours[(y * 2 / lock.dwHeight) * 2 + x * 2 / lock.dwWidth];
                std::memcpy(bits + y * static_cast<DWORD>(lock.lPitch) + x * 2, &c, 2);
            }
        }
        ASSERT_EQ(m_back->Unlock(nullptr), DD_OK);
    }

    LPDIRECTDRAW m_dd = nullptr;
    LPDIRECTDRAWSURFACE m_primary = nullptr;
    LPDIRECTDRAWSURFACE m_back = nullptr;
};

TEST_F(Display, DisplayModeIsTheWindowScreenInTheChosenFormat) {
    DDSURFACEDESC mode = Desc(0);
    ASSERT_EQ(m_dd->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, 480u);
    EXPECT_EQ(mode.dwHeight, 640u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRBitMask, 0xF800u);

    host::ResetWindowing(host::WindowOptions{.screenWidth = 241, .screenHeight = 321});
    host::SetDisplayFormat(host::kDisplayXrgb8888);
    ASSERT_EQ(m_dd->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, 241u);
    EXPECT_EQ(mode.dwHeight, 321u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwGBitMask, 0xFF00u);

    DDSURFACEDESC wrongSize{};
    EXPECT_EQ(m_dd->GetDisplayMode(&wrongSize), DDERR_INVALIDPARAMS);
    DDCAPS caps{};
    EXPECT_EQ(m_dd->GetCaps(&caps, nullptr), DDERR_INVALIDPARAMS);
    caps.dwSize = sizeof caps;
    EXPECT_EQ(m_dd->GetCaps(&caps, nullptr), DD_OK);
}

TEST_F(Display, SurfacesAndTheirRules) {
    ASSERT_EQ(CreatePrimary(), DD_OK);
    LPDIRECTDRAWSURFACE second = nullptr;
    DDSURFACEDESC desc = PrimaryDesc();
    EXPECT_EQ(m_dd->CreateSurface(&desc, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(second, nullptr);

    EXPECT_EQ(CreateBack(240, 320, host::kDisplayXrgb8888), DDERR_INVALIDPARAMS);  // not the screen's layout
    EXPECT_EQ(CreateBack(0, 320, host::kDisplayRgb565), DDERR_INVALIDPARAMS);
    host::SetPitchPadding(6);
    ASSERT_EQ(CreateBack(121, 160, host::kDisplayRgb565), DD_OK);

    DDSURFACEDESC info = Desc(DDSD_WIDTH | DDSD_HEIGHT);
    ASSERT_EQ(m_back->GetSurfaceDesc(&info), DD_OK);
    EXPECT_EQ(info.dwWidth, 121u);
    EXPECT_EQ(info.dwHeight, 160u);
    EXPECT_EQ(info.lPitch, 244 + 6);  // rows of whole pixels rounded to 4 bytes, then the padding
    EXPECT_EQ(info.ddsCaps.dwCaps, DDSCAPS_SYSTEMMEMORY);

    EXPECT_EQ(m_back->Unlock(nullptr), DDERR_NOTLOCKED);
    DDSURFACEDESC lock = Desc(0);
    ASSERT_EQ(m_back->Lock(nullptr, &lock, DDLOCK_WAITNOTBUSY, nullptr), DD_OK);
    EXPECT_NE(lock.lpSurface, nullptr);
    EXPECT_EQ(lock.lPitch, 250);
    EXPECT_EQ(m_primary->Blt(nullptr, m_back, nullptr, DDBLT_WAITNOTBUSY, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(m_back->Unlock(nullptr), DD_OK);
    EXPECT_EQ(m_back->Blt(nullptr, m_primary, nullptr, DDBLT_WAITNOTBUSY, nullptr), DDERR_UNSUPPORTED);
    EXPECT_EQ(m_primary->Blt(nullptr, m_primary, nullptr, DDBLT_WAITNOTBUSY, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(host::LiveDisplayObjects(), 3);
}

TEST_F(Display, FaultsFailTheirCalls) {
    struct Case {
        host::DisplayFault fault;
        HRESULT (*call)(Display*);
    };
    const Case cases[] = {
        {host::DisplayFault::CooperativeLevel, [](Display* t) { return t->m_dd->SetCooperativeLevel(nullptr, 0); }},
        {host::DisplayFault::DisplayMode,
         [](Display* t) {
             DDSURFACEDESC d = Desc(0);
             return t->m_dd->GetDisplayMode(&d);
         }},
        {host::DisplayFault::Caps, [](Display* t) { return t->m_dd->GetCaps(nullptr, nullptr); }},
        {host::DisplayFault::PrimarySurface, [](Display* t) { return t->CreatePrimary(); }},
        {host::DisplayFault::OffscreenSurface,
         [](Display* t) { return t->CreateBack(2, 2, host::kDisplayRgb565); }},
    };
    for (const auto& c : cases) {
        host::SetDisplayFault(c.fault, true);
        EXPECT_NE(c.call(this), DD_OK) << static_cast<int>(c.fault);
        host::SetDisplayFault(c.fault, false);
        EXPECT_EQ(c.call(this), DD_OK) << static_cast<int>(c.fault);
    }
    host::SetDisplayFault(host::DisplayFault::Create, true);
    LPDIRECTDRAW other = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DDERR_GENERIC);
    EXPECT_EQ(other, nullptr);
}

TEST_F(Display, HeadlessPresentScalesTheBackBufferOverTheScreen) {
    host::ResetWindowing(host::WindowOptions{.screenWidth = 8, .screenHeight = 6});
    ASSERT_EQ(CreatePrimary(), DD_OK);
    ASSERT_EQ(CreateBack(4, 3, host::kDisplayRgb565), DD_OK);
    EXPECT_EQ(host::LastPresentedFrame(), nullptr);
    // Back buffer pixel (x, y) holds x + 4 * y.
    DDSURFACEDESC lock = Desc(0);
    ASSERT_EQ(m_back->Lock(nullptr, &lock, DDLOCK_WRITEONLY, nullptr), DD_OK);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const auto v = static_cast<std::uint16_t>(x + 4 * y);
            std::memcpy(static_cast<std::uint8_t*>(lock.lpSurface) + y * lock.lPitch + x * 2, &v, 2);
        }
    }
    ASSERT_EQ(m_back->Unlock(nullptr), DD_OK);
    ASSERT_EQ(m_primary->Blt(nullptr, m_back, nullptr, DDBLT_WAITNOTBUSY, nullptr), DD_OK);

    const host::Frame* frame = host::LastPresentedFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->width, 8);
    ASSERT_EQ(frame->height, 6);
    ASSERT_EQ(frame->pixels.size(), 8u * 6u * 2u);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            std::uint16_t v = 0;
            std::memcpy(&v, frame->pixels.data() + (y * 8 + x) * 2, 2);
            EXPECT_EQ(v, x / 2 + 4 * (y / 2)) << x << "," << y;
        }
    }
}

TEST_F(Display, FramePixelsAndPng) {
    host::ResetWindowing(host::WindowOptions{.screenWidth = 6, .screenHeight = 4});
    ASSERT_EQ(CreatePrimary(), DD_OK);
    ASSERT_EQ(CreateBack(3, 2, host::kDisplayRgb565), DD_OK);
    const std::uint16_t colours[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    PaintQuadrants(colours);
    ASSERT_EQ(m_primary->Blt(nullptr, m_back, nullptr, DDBLT_WAITNOTBUSY, nullptr), DD_OK);
    const host::Frame& frame = *host::LastPresentedFrame();
    EXPECT_EQ(host::FramePixelRgb(frame, 0, 0), 0xFF0000u);
    EXPECT_EQ(host::FramePixelRgb(frame, 5, 0), 0x00FF00u);  // back x 2 of 3 lies in the right half
    EXPECT_EQ(host::FramePixelRgb(frame, 0, 3), 0x0000FFu);
    EXPECT_EQ(host::FramePixelRgb(frame, 5, 3), 0xFFFFFFu);
    EXPECT_EQ(host::FramePixelRgb(frame, 6, 0), 0u);

    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vk_frame_" + std::to_string(::getpid()) + ".png")).string();
    ASSERT_TRUE(host::WriteFramePng(frame, path.c_str()));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    std::filesystem::remove(path);
    EXPECT_EQ(image.width, 6u);
    EXPECT_EQ(image.height, 4u);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const std::uint8_t* p = rgb.data() + (y * 6 + x) * 3;
            EXPECT_EQ(std::uint32_t{p[0]} << 16 | p[1] << 8 | p[2], host::FramePixelRgb(frame, x, y));
        }
    }
    EXPECT_FALSE(host::WriteFramePng(frame, "/nonexistent-dir/x.png"));
}

// The SDL backend draws into the window of the window services. Without an X
// display, SDL's offscreen driver stands in.
TEST(SdlDisplay, PresentsTheBackBufferScaledIntoTheWindow) {
    host::ThirdPartyScope sdlStartup;
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    host::ResetDisplay();
    host::ResetWindowing(host::WindowOptions{.backend = host::Backend::Sdl, .screenWidth = 80, .screenHeight = 60,
                                             .scale = 2});
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"GameTest";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND window = CreateWindowExW(0, u"GameTest", u"Game", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        host::ResetWindowing();
        GTEST_SKIP() << "no SDL video";
    }
    ShowWindow(window, SW_SHOW);
    for (const auto& format : {host::kDisplayRgb565, host::kDisplayXrgb8888}) {
        host::SetDisplayFormat(format);
        LPDIRECTDRAW dd = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(window, 0), DD_OK);
        host::SetCaptureSdlFrames(true);
        DDSURFACEDESC desc = PrimaryDesc();
        LPDIRECTDRAWSURFACE primary = nullptr;
        ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
        desc = BackDesc(40, 30, format);
        LPDIRECTDRAWSURFACE back = nullptr;
        ASSERT_EQ(dd->CreateSurface(&desc, &back, nullptr), DD_OK);

        // A red rectangle (10, 5, 20, 10) on blue; the 32-bit one with its
        // top byte 0, which the display ignores.
        DDSURFACEDESC lock = Desc(0);
        ASSERT_EQ(back->Lock(nullptr, &lock, DDLOCK_WRITEONLY, nullptr), DD_OK);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool red = x >= 10 && x < 30 && y >= 5 && y < 15;
                std::uint8_t* p = static_cast<std::uint8_t*>(lock.lpSurface) + y * lock.lPitch;
                if (format.bitCount == 16) {
                    const std::uint16_t v = red ? 0xF800 : 0x001F;
                    std::memcpy(p + x * 2, &v, 2);
                } else {
                    const std::uint32_t v = red ? 0x00FF0000 : 0x000000FF;
                    std::memcpy(p + x * 4, &v, 4);
                }
            }
        }
        ASSERT_EQ(back->Unlock(nullptr), DD_OK);
        ASSERT_EQ(primary->Blt(nullptr, back, nullptr, DDBLT_WAITNOTBUSY, nullptr), DD_OK);

        const host::Frame* shot = host::LastPresentedFrame();
        ASSERT_NE(shot, nullptr);
        ASSERT_EQ(shot->width, 160);  // the desktop window: screen x 2
        ASSERT_EQ(shot->height, 120);
        // Back-buffer pixels become 4 x 4 blocks.
        struct Probe {
            int x, y;
            std::uint32_t rgb;
        };
        for (const Probe& p : {Probe{0, 0, 0x0000FF}, Probe{40, 20, 0xFF0000}, Probe{39, 20, 0x0000FF},
                               Probe{119, 59, 0xFF0000}, Probe{120, 59, 0x0000FF}, Probe{80, 60, 0x0000FF},
                               Probe{159, 119, 0x0000FF}}) {
            EXPECT_EQ(host::FramePixelRgb(*shot, p.x, p.y), p.rgb) << p.x << "," << p.y;
        }
        back->Release();
        primary->Release();
        dd->Release();
    }
    EXPECT_EQ(host::LiveDisplayObjects(), 0);
    host::ResetDisplay();
    host::ResetWindowing();
}

}  // namespace
