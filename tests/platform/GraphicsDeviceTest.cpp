#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/DDraw.h"
#include "host/ThirdPartyScope.h"
#include "host/Window.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/win32/CRenderSurface_WinMobile_MGL.h"
#include "src/win32/CWinBase.h"
#include "tests/platform/FontTestSupport.h"
#include "tests/platform/TestApp.h"

namespace {

class GraphicsDevice : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetDisplay();
        host::ResetWindowing();
        m_graphics = ICGraphics2d::GetInstance();
        ASSERT_NE(m_graphics, nullptr);
    }

    void TearDown() override {
        delete m_graphics;
        EXPECT_EQ(host::LiveDisplayObjects(), 0);
        host::ResetDisplay();
        host::ResetWindowing();
    }

    void Screen(int width, int height, const host::DisplayFormat& format = host::kDisplayRgb565) {
        host::ResetWindowing(host::WindowOptions{.screenWidth = width, .screenHeight = height});
        host::SetDisplayFormat(format);
    }

    CRenderSurface_WinMobile_MGL* Surface() {
        return static_cast<CRenderSurface_WinMobile_MGL*>(m_graphics->GetRenderSurface());
    }

    // The back buffer's pixel (x, y) as a 16- or 32-bit value.
    std::uint32_t Pixel(int x, int y) {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        const bool wasLocked = Surface()->IsLocked();
        Surface()->Lock(&bits, &pitch);
        const std::uint32_t bytes = PixelFormatBytes(Surface()->GetPixelFormat());
        std::uint32_t value = 0;
        std::memcpy(&value, bits + y * pitch + x * static_cast<int>(bytes), bytes);
        if (!wasLocked) Surface()->Unlock();
        return value;
    }

    // Every non-zero pixel of the back buffer lies in one of the rectangles,
    // and each rectangle is wholly painted with the value.
    void ExpectPainted(const std::vector<CRect>& rects, std::uint32_t value) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        ASSERT_TRUE(Surface()->GetSize(&width, &height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool inside = false;
                for (const CRect& r : rects) inside |= x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                ASSERT_EQ(Pixel(x, y), inside ? value : 0u) << x << "," << y;
            }
        }
    }

    ScopedTestApp m_app;
    ICGraphics2d* m_graphics = nullptr;
};

TEST_F(GraphicsDevice, OneInstanceRegisteredUnderItsClassId) {
    EXPECT_EQ(ICGraphics2d::GetInstance(), m_graphics);
    EXPECT_EQ(CSingleton::Find(ICGraphics2d::kClassId), m_graphics);
    EXPECT_EQ(m_graphics->GetClassId(), ICGraphics2d::kClassId);
    delete m_graphics;
    EXPECT_EQ(CSingleton::Find(ICGraphics2d::kClassId), nullptr);
    m_graphics = ICGraphics2d::GetInstance();  // the cache was cleared: a new device
    EXPECT_EQ(CSingleton::Find(ICGraphics2d::kClassId), m_graphics);
}

TEST(GraphicsDeviceWithoutApp, IsNull) { EXPECT_EQ(ICGraphics2d::GetInstance(), nullptr); }

TEST_F(GraphicsDevice, BackBufferIsHalfTheScreenInItsFormat) {
    struct Case {
        int width, height;
        host::DisplayFormat format;
        std::int32_t backWidth, backHeight;
        PixelFormat code;
    };
    const Case cases[] = {
        {480, 640, host::kDisplayRgb565, 240, 320, kPixelFormatRgb565},
        {240, 320, host::kDisplayRgb565, 120, 160, kPixelFormatRgb565},
        {241, 321, host::kDisplayRgb565, 120, 160, kPixelFormatRgb565},
        {480, 640, host::kDisplayXrgb8888, 240, 320, kPixelFormatXrgb8888},
        {480, 640, {24, 0xFF0000, 0xFF00, 0xFF}, 240, 320, 0},
        {480, 640, {32, 0xFF, 0xFF00, 0xFF0000}, 240, 320, 0},
        {480, 640, {16, 0x7C00, 0x03E0, 0x001F}, 240, 320, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.format.bitCount);
        Screen(c.width, c.height, c.format);
        ASSERT_TRUE(m_graphics->Init());
        std::int32_t width = 0;
        std::int32_t height = 0;
        EXPECT_TRUE(m_graphics->GetRenderSurface()->GetSize(&width, &height));
        EXPECT_EQ(width, c.backWidth);
        EXPECT_EQ(height, c.backHeight);
        EXPECT_EQ(m_graphics->GetRenderSurface()->GetPixelFormat(), c.code);
        EXPECT_TRUE(m_graphics->GetRenderSurface()->IsValid());
        EXPECT_EQ(*m_graphics->GetColour(), *GetColorBlack());
        m_graphics->Shutdown();
    }
}

TEST_F(GraphicsDevice, ClosedDeviceHasNoSurfaceAndPresentsNothing) {
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
    m_graphics->Present();
    ASSERT_TRUE(m_graphics->Init());
    ASSERT_TRUE(m_graphics->Init());  // closes first: one display object and two surfaces
    EXPECT_EQ(host::LiveDisplayObjects(), 3);
    m_graphics->Shutdown();
    m_graphics->Shutdown();
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
    EXPECT_EQ(host::LiveDisplayObjects(), 0);
    m_graphics->Present();
    EXPECT_EQ(host::LastPresentedFrame(), nullptr);
}

TEST_F(GraphicsDevice, AnyDisplayFailureLeavesItClosed) {
    for (int i = 0; i < static_cast<int>(host::DisplayFault::Count); ++i) {
        const auto fault = static_cast<host::DisplayFault>(i);
        host::SetDisplayFault(fault, true);
        // The first lock's outcome does not count; neither do the rest.
        const bool expected = fault == host::DisplayFault::Lock || fault == host::DisplayFault::Blt;
        EXPECT_EQ(m_graphics->Init(), expected) << i;
        EXPECT_EQ(m_graphics->GetRenderSurface() != nullptr, expected) << i;
        EXPECT_EQ(host::LiveDisplayObjects(), expected ? 3 : 0) << i;
        host::SetDisplayFault(fault, false);
        m_graphics->Shutdown();
    }
}

TEST_F(GraphicsDevice, ReinitOpensAgain) {
    EXPECT_TRUE(m_graphics->Reinit());
    m_graphics->SetColourARGB(1024, 1, 2, 3);
    EXPECT_TRUE(m_graphics->Reinit());
    EXPECT_NE(m_graphics->GetRenderSurface(), nullptr);
    EXPECT_EQ(*m_graphics->GetColour(), *GetColorBlack());
    EXPECT_EQ(host::LiveDisplayObjects(), 3);
    host::SetDisplayFault(host::DisplayFault::PrimarySurface, true);
    EXPECT_FALSE(m_graphics->Reinit());
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
}

TEST_F(GraphicsDevice, FillRectPacksTheColourInEachFormat) {
    struct Case {
        host::DisplayFormat display;
        PixelFormat code;  // what the surface is told it holds
        FixedColour colour;
        std::uint32_t packed;
    };
    const Case cases[] = {
        {host::kDisplayRgb565, kPixelFormatRgb565, {1024, 1024, 0, 0}, 0xF800},
        {host::kDisplayRgb565, kPixelFormatRgb565, {1024, 512, 512, 512}, 0x8410},
        {host::kDisplayRgb565, kPixelFormatRgb565, {1023, 1024, 1024, 1024}, 0xFFFF},
        {host::kDisplayXrgb8888, kPixelFormatXrgb8888, {1024, 1024, 512, 0}, 0xFFFF8000},
        {host::kDisplayXrgb8888, kPixelFormatRgb666, {1024, 1024, 0, 1024}, 0x3F03F},
        {host::kDisplayXrgb8888, kPixelFormatRgb666, {1024, 16, 512, 16}, 0x1801},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.packed);
        host::SetPitchPadding(3);
        Screen(40, 30, c.display);
        ASSERT_TRUE(m_graphics->Init());
        Surface()->SetPixelFormat(c.code);
        m_graphics->SetColour(&c.colour);
        const CRect rect(3, 2, 5, 4);
        m_graphics->FillRect(&rect);
        ExpectPainted({rect}, c.packed);
        m_graphics->Shutdown();
    }
}

TEST_F(GraphicsDevice, FillRectEdgeCases) {
    Screen(40, 30);
    ASSERT_TRUE(m_graphics->Init());
    m_graphics->SetColourARGB(1024, 1024, 1024, 1024);
    EXPECT_FALSE(Surface()->IsLocked());
    for (const CRect& rect : {CRect(3, 3, 0, 4), CRect(3, 3, 4, 0), CRect(3, 3, -2, 4), CRect(3, 3, 4, -1)}) {
        m_graphics->FillRect(&rect);
    }
    EXPECT_TRUE(Surface()->IsLocked());  // locked by the fill, kept until the frame's unlock
    ExpectPainted({}, 0);
    // Rectangles reaching past the back buffer are cut to it.
    const CRect outside(15, -3, 10, 5);
    m_graphics->FillRect(&outside);
    ExpectPainted({CRect(15, 0, 5, 2)}, 0xFFFF);
    Surface()->Unlock();

    Surface()->SetPixelFormat(0);  // an unknown display format: nothing is written
    const CRect rect(0, 0, 4, 4);
    m_graphics->FillRect(&rect);
    Surface()->SetPixelFormat(kPixelFormatRgb565);
    EXPECT_EQ(Pixel(0, 0), 0u);
}

TEST_F(GraphicsDevice, ReleasingTheCurrentSurfaceLeavesNone) {
    ASSERT_TRUE(m_graphics->Init());
    ICRenderSurface* surface = m_graphics->GetRenderSurface();
    surface->Release();
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
    m_graphics->Present();
    EXPECT_EQ(host::LastPresentedFrame(), nullptr);
    surface->MakeCurrent();
    EXPECT_EQ(m_graphics->GetRenderSurface(), surface);
    std::uint8_t* bits = reinterpret_cast<std::uint8_t*>(1);
    std::int32_t pitch = 1;
    surface->Lock(&bits, &pitch);  // its display surfaces are gone
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(pitch, 0);
    std::int32_t width = 1;
    std::int32_t height = 1;
    EXPECT_FALSE(surface->GetSize(&width, &height));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    m_graphics->Present();
    EXPECT_EQ(host::LastPresentedFrame(), nullptr);
}

TEST_F(GraphicsDevice, LockHandsOutBitsAndPitch) {
    host::SetPitchPadding(8);
    Screen(20, 10);
    ASSERT_TRUE(m_graphics->Init());
    std::int32_t pitch = 0;
    Surface()->Lock(nullptr, &pitch);  // the pitch alone
    EXPECT_EQ(pitch, 20 + 8);
    EXPECT_TRUE(Surface()->IsLocked());
    EXPECT_NE(Surface()->GetBits(), nullptr);
    Surface()->Unlock();
    EXPECT_EQ(Surface()->GetBits(), nullptr);
    EXPECT_EQ(Surface()->GetPitch(), 0);
    host::SetDisplayFault(host::DisplayFault::Lock, true);
    std::uint8_t* bits = nullptr;
    Surface()->Lock(&bits, &pitch);
    EXPECT_EQ(bits, nullptr);
    EXPECT_FALSE(Surface()->IsLocked());
    const CRect rect(0, 0, 2, 2);
    m_graphics->FillRect(&rect);  // no bits: nothing
}

TEST_F(GraphicsDevice, FillsMustBeOpaque) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(m_graphics->Init());
    m_graphics->SetColourARGB(1016, 1024, 0, 0);  // alpha 254
    const CRect rect(0, 0, 2, 2);
    EXPECT_DEATH(m_graphics->FillRect(&rect), "ASSERT FAILED - File: CGraphics2d_WinMobile_Lite, Line: 345");
    m_graphics->Shutdown();
    const FixedColour* before = m_graphics->GetColour();
    EXPECT_DEATH(CDrawUtil::FillRect(&rect, 0xFFFFFFFF), "ASSERT FAILED - File: CDrawUtil, Line: 35");
    EXPECT_EQ(m_graphics->GetColour(), before);
}

TEST_F(GraphicsDevice, DrawUtilFillIsOpaqueClippedAndKeepsTheColour) {
    Screen(240, 320);
    ASSERT_TRUE(m_graphics->Init());
    m_graphics->SetColourARGB(1024, 1, 2, 3);
    const CRect rect(-10, -10, 30, 30);
    CDrawUtil::FillRect(&rect, 0x00FF0000);
    EXPECT_EQ(*m_graphics->GetColour(), (FixedColour{1024, 1, 2, 3}));
    ExpectPainted({CRect(0, 0, 20, 20)}, 0xF800);
    const CRect away(200, 5, 10, 10);
    CDrawUtil::FillRect(&away, 0xFF00FF00);
    ExpectPainted({CRect(0, 0, 20, 20)}, 0xF800);
}

TEST_F(GraphicsDevice, DrawFrameStrips) {
    Screen(240, 320);
    ASSERT_TRUE(m_graphics->Init());
    const CRect screen(0, 0, 120, 160);
    const CRect rect(10, 10, 20, 8);
    CDrawUtil::DrawFrame(&screen, &rect, 0xFFFFFFFF, 2, 15);
    ExpectPainted({}, 0);
    CDrawUtil::DrawFrame(&screen, &rect, 0xFFFFFFFF, 2, 0);
    ExpectPainted({CRect(10, 10, 20, 2), CRect(10, 16, 20, 2), CRect(10, 10, 2, 8), CRect(28, 10, 2, 8)}, 0xFFFF);
    m_graphics->Shutdown();

    ASSERT_TRUE(m_graphics->Init());
    const CRect clip(0, 0, 29, 17);  // cuts into the bottom and right strips
    CDrawUtil::DrawFrame(&clip, &rect, 0xFF0000FF, 2, 1 | 4);
    ExpectPainted({CRect(10, 16, 19, 1), CRect(28, 10, 1, 7)}, 0x001F);
}

TEST(DrawUtilTileImage, CoversTheAreaCuttingTheLastRowAndColumn) {
    using fonttest::DrawCall;
    const CRect clip(0, 0, 100, 100);
    fonttest::RecordingImage image(16, 16);
    CDrawUtil::TileImage(&clip, &image, 0, 0, 40, 20);
    const std::vector<DrawCall> expected = {
        {&clip, 0, 0, 16, 16, 0, 0}, {&clip, 16, 0, 16, 16, 0, 0}, {&clip, 32, 0, 8, 16, 0, 0},
        {&clip, 0, 16, 16, 4, 0, 0}, {&clip, 16, 16, 16, 4, 0, 0}, {&clip, 32, 16, 8, 4, 0, 0},
    };
    EXPECT_EQ(image.calls, expected);

    fonttest::RecordingImage offset(10, 7);
    CDrawUtil::TileImage(&clip, &offset, -5, 3, 5, 10);
    EXPECT_EQ(offset.calls, (std::vector<DrawCall>{{&clip, -5, 3, 10, 7, 0, 0}}));

    for (auto [w, h] : {std::pair{0, 16}, std::pair{16, 0}, std::pair{-1, 4}}) {
        fonttest::RecordingImage empty(w, h);
        CDrawUtil::TileImage(&clip, &empty, 0, 0, 40, 20);  // would never advance
        EXPECT_TRUE(empty.calls.empty());
    }
    fonttest::RecordingImage none(16, 16);
    CDrawUtil::TileImage(&clip, &none, 0, 0, 0, 20);
    CDrawUtil::TileImage(&clip, nullptr, 0, 0, 40, 20);
    EXPECT_TRUE(none.calls.empty());
}

TEST_F(GraphicsDevice, AHeadlessFrameShowsTheRectanglesDoubled) {
    Screen(480, 640);
    ASSERT_TRUE(m_graphics->Init());
    ICRenderSurface* surface = m_graphics->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    ASSERT_NE(bits, nullptr);
    const CRect red(10, 20, 30, 40);
    const CRect green(200, 300, 100, 100);  // cut at 240 x 320
    CDrawUtil::FillRect(&red, 0xFFFF0000);
    CDrawUtil::FillRect(&green, 0xFF00FF00);
    surface->Unlock();
    m_graphics->Present();

    const host::Frame* frame = host::LastPresentedFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->width, 480);
    ASSERT_EQ(frame->height, 640);
    for (int y = 0; y < 640; ++y) {
        for (int x = 0; x < 480; ++x) {
            const int bx = x / 2;
            const int by = y / 2;
            std::uint32_t expected = 0;
            if (bx >= 10 && bx < 40 && by >= 20 && by < 60) expected = 0xFF0000;
            if (bx >= 200 && by >= 300) expected = 0x00FF00;
            ASSERT_EQ(host::FramePixelRgb(*frame, x, y), expected) << x << "," << y;
        }
    }
}

// The game's window as the current window object.
class TestWindow : public CWinBase {
public:
    explicit TestWindow(HWND window) : CWinBase(nullptr) { m_window = window; }
    int Run() override { return 0; }
    bool HandleMessage(HWND, UINT, WPARAM, LPARAM) override { return false; }
    bool PreTranslate(HWND, UINT, WPARAM, LPARAM) override { return false; }
};

// With the SDL window services the device presents into the game window.
TEST_F(GraphicsDevice, PresentsIntoTheSdlGameWindow) {
    host::ThirdPartyScope sdlStartup;
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    host::ResetWindowing(host::WindowOptions{.backend = host::Backend::Sdl, .screenWidth = 240, .screenHeight = 320});
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Game";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND handle = CreateWindowExW(0, u"Game", u"Game", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    if (handle == nullptr) GTEST_SKIP() << "no SDL video";
    ShowWindow(handle, SW_SHOW);
    TestWindow window(handle);
    host::SetCaptureSdlFrames(true);
    ASSERT_TRUE(m_graphics->Init());

    ICRenderSurface* surface = m_graphics->GetRenderSurface();
    std::int32_t pitch = 0;
    surface->Lock(nullptr, &pitch);
    const CRect red(10, 20, 30, 40);
    CDrawUtil::FillRect(&red, 0xFFFF0000);
    surface->Unlock();
    m_graphics->Present();
    m_graphics->Shutdown();

    const host::Frame* shot = host::LastPresentedFrame();
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(shot->width, 240);
    ASSERT_EQ(shot->height, 320);
    struct Probe {
        int x, y;
        std::uint32_t rgb;
    };
    for (const Probe& p : {Probe{19, 40, 0}, Probe{20, 40, 0xFF0000}, Probe{79, 119, 0xFF0000}, Probe{80, 119, 0},
                           Probe{50, 39, 0}, Probe{50, 120, 0}}) {
        EXPECT_EQ(host::FramePixelRgb(*shot, p.x, p.y), p.rgb) << p.x << "," << p.y;
    }
}

}  // namespace
