#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>
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
#include "tests/support/FailingAlloc.h"

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

    auto* Surface() { return static_cast<CRenderSurface_WinMobile_MGL*>(m_graphics->GetRenderSurface()); }

    // Pixels inside the rectangles hold the value, all others 0.
    void ExpectPainted(const std::vector<CRect>& rects, std::uint32_t value) {
        std::int32_t width = 0, height = 0, pitch = 0;
        ASSERT_TRUE(Surface()->GetSize(&width, &height));
        std::uint8_t* bits = nullptr;
        Surface()->Lock(&bits, &pitch);
        const std::uint32_t bytes = PixelFormatBytes(Surface()->GetPixelFormat());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool inside = false;
                for (const CRect& r : rects) inside |= x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, bits + y * pitch + x * static_cast<int>(bytes), bytes);
                ASSERT_EQ(pixel, inside ? value : 0u) << x << "," << y;
            }
        }
    }

    ScopedTestApp m_app;
    ICGraphics2d* m_graphics = nullptr;
};

TEST_F(GraphicsDevice, BackBufferIsHalfTheScreenInItsFormat) {
    struct Case {
        int width, height;
        host::DisplayFormat format;
        std::int32_t backWidth, backHeight;
        PixelFormat code;
    };
    const Case cases[] = {
        {480, 640, host::kDisplayRgb565, 240, 320, kPixelFormatRgb565},
        {241, 321, host::kDisplayRgb565, 120, 160, kPixelFormatRgb565},
        {480, 640, host::kDisplayXrgb8888, 240, 320, kPixelFormatXrgb8888},
        {480, 640, {16, 0x7C00, 0x03E0, 0x001F}, 240, 320, 0},  // unknown: code 0, still open
    };
    for (const auto& c : cases) {
        Screen(c.width, c.height, c.format);
        ASSERT_TRUE(m_graphics->Init());
        std::int32_t width = 0, height = 0;
        EXPECT_TRUE(m_graphics->GetRenderSurface()->GetSize(&width, &height));
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.backWidth, c.backHeight));
        EXPECT_EQ(m_graphics->GetRenderSurface()->GetPixelFormat(), c.code) << c.width;
        m_graphics->Shutdown();
    }
}

TEST_F(GraphicsDevice, ClosedDeviceHasNoSurfaceAndPresentsNothing) {
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
    m_graphics->Present();
    ASSERT_TRUE(m_graphics->Init());
    m_graphics->SetColourARGB(1024, 1, 2, 3);
    ASSERT_TRUE(m_graphics->Reinit());  // closes first: one display object and two surfaces
    EXPECT_EQ(*m_graphics->GetColour(), *GetColorBlack());
    EXPECT_EQ(host::LiveDisplayObjects(), 3);
    m_graphics->Shutdown();
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
    EXPECT_EQ(host::LiveDisplayObjects(), 0);
    m_graphics->Present();
    EXPECT_EQ(host::LastPresentedFrame(), nullptr);
}

TEST_F(GraphicsDevice, AnyFailureInInitLeavesItClosed) {
    for (int i = 0; i < static_cast<int>(host::DisplayFault::Count); ++i) {
        const auto fault = static_cast<host::DisplayFault>(i);
        host::SetDisplayFault(fault, true);
        // The first lock's outcome does not count; presenting is not part of Init.
        const bool expected = fault == host::DisplayFault::Lock || fault == host::DisplayFault::Blt;
        EXPECT_EQ(m_graphics->Init(), expected) << i;
        EXPECT_EQ(host::LiveDisplayObjects(), expected ? 3 : 0) << i;
        host::SetDisplayFault(fault, false);
        m_graphics->Shutdown();
    }
    // The display object, the render surface, then the display's surfaces.
    for (int n = 0; n < 5; ++n) {
        FailNthNothrowNew(n);
        EXPECT_FALSE(m_graphics->Init()) << n;
        FailNthNothrowNew(-1);
        EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr) << n;
        EXPECT_EQ(host::LiveDisplayObjects(), 0) << n;
    }
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
        {host::kDisplayXrgb8888, kPixelFormatXrgb8888, {1024, 1024, 512, 0}, 0xFFFF8000},
        {host::kDisplayXrgb8888, kPixelFormatRgb666, {1024, 16, 512, 16}, 0x1801},
    };
    for (const auto& c : cases) {
        for (const int padding : {3, 0}) {
            SCOPED_TRACE(testing::Message() << c.packed << " padding " << padding);
            host::SetPitchPadding(padding);
            Screen(480, 640, c.display);
            ASSERT_TRUE(m_graphics->Init());
            Surface()->SetPixelFormat(c.code);
            m_graphics->SetColour(&c.colour);
            // Empty rectangles draw nothing; one reaching past the back buffer
            // is cut to it; whole rows of an unpadded buffer are filled as one
            // span, longer than the block that is copied along it.
            for (const CRect& rect : {CRect(3, 2, 5, 4), CRect(3, 3, 0, 4), CRect(3, 3, -2, 4), CRect(235, -3, 10, 5),
                                      CRect(0, 100, 240, 70)}) {
                m_graphics->FillRect(&rect);
            }
            ExpectPainted({CRect(3, 2, 5, 4), CRect(235, 0, 5, 2), CRect(0, 100, 240, 70)}, c.packed);
            m_graphics->Shutdown();
        }
    }
}

TEST_F(GraphicsDevice, FillAssertions) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(m_graphics->Init());
    m_graphics->SetColourARGB(1016, 1024, 0, 0);  // alpha 254
    const CRect rect(0, 0, 2, 2);
    EXPECT_DEATH(m_graphics->FillRect(&rect), "ASSERT FAILED - File: CGraphics2d_WinMobile_Lite, Line: 345");
    m_graphics->Shutdown();
}

TEST_F(GraphicsDevice, DrawFrameStrips) {
    Screen(240, 320);
    ASSERT_TRUE(m_graphics->Init());
    const CRect screen(0, 0, 120, 160);
    const CRect rect(10, 10, 20, 8);
    CDrawUtil::DrawFrame(&screen, &rect, 0xFFFFFFFF, 2, 0);
    ExpectPainted({CRect(10, 10, 20, 2), CRect(10, 16, 20, 2), CRect(10, 10, 2, 8), CRect(28, 10, 2, 8)}, 0xFFFF);
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
    fonttest::RecordingImage empty(16, 0);
    CDrawUtil::TileImage(&clip, &empty, 0, 0, 40, 20);  // would never advance
    EXPECT_TRUE(empty.calls.empty());
}

// Each back-buffer pixel becomes a 2 x 2 block of the presented frame.
void DrawAndCheckFrame(ICGraphics2d* graphics) {
    ASSERT_TRUE(graphics->Init());
    const CRect red(10, 20, 30, 40);
    const CRect green(100, 150, 200, 200);  // cut at the back buffer's edges
    CDrawUtil::FillRect(&red, 0x00FF0000);  // always opaque
    CDrawUtil::FillRect(&green, 0xFF00FF00);
    graphics->GetRenderSurface()->Unlock();
    graphics->Present();
    graphics->Shutdown();

    const host::Frame* frame = host::LastPresentedFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(std::make_pair(frame->width, frame->height), std::make_pair(480, 640));
    for (int y = 0; y < 640; ++y) {
        for (int x = 0; x < 480; ++x) {
            std::uint32_t expected = 0;
            if (x >= 20 && x < 80 && y >= 40 && y < 120) expected = 0xFF0000;
            if (x >= 200 && y >= 300) expected = 0x00FF00;
            ASSERT_EQ(host::FramePixelRgb(*frame, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(GraphicsDevice, AHeadlessFrameShowsTheRectanglesDoubled) {
    Screen(480, 640);
    DrawAndCheckFrame(m_graphics);
}

class TestWindow : public CWinBase {
public:
    explicit TestWindow(HWND window) : CWinBase(nullptr) { m_window = window; }
    int Run() override { return 0; }
    bool HandleMessage(HWND, UINT, WPARAM, LPARAM) override { return false; }
    bool PreTranslate(HWND, UINT, WPARAM, LPARAM) override { return false; }
};

// SDL's offscreen driver stands in when there is no X display.
TEST_F(GraphicsDevice, PresentsIntoTheSdlGameWindow) {
    host::ThirdPartyScope sdlStartup;
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    host::ResetWindowing(host::WindowOptions{.backend = host::Backend::Sdl, .screenWidth = 480, .screenHeight = 640});
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Game";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND handle = CreateWindowExW(0, u"Game", u"Game", WS_POPUP, 0, 0, 480, 640, nullptr, nullptr, nullptr, nullptr);
    if (handle == nullptr) GTEST_SKIP() << "no SDL video";
    ShowWindow(handle, SW_SHOW);
    TestWindow window(handle);
    host::SetCaptureSdlFrames(true);
    for (const auto& format : {host::kDisplayRgb565, host::kDisplayXrgb8888}) {
        SCOPED_TRACE(format.bitCount);
        host::SetDisplayFormat(format);
        DrawAndCheckFrame(m_graphics);
    }
}

}  // namespace
