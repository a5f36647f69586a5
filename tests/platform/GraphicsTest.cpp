// The graphics device over the host's display (headless, and SDL's
// offscreen driver), pixel formats and the rectangle helpers.
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
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "platform/shared/graphics/2d/RectUtil.h"
#include "platform/shared/win32/CRenderSurface_WinMobile_MGL.h"
#include "src/win32/CWinBase.h"
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

TEST_F(GraphicsDevice, AnyFailureInInitLeavesItClosed) {
    EXPECT_EQ(m_graphics->GetRenderSurface(), nullptr);
    m_graphics->Present();  // closed: nothing
    EXPECT_EQ(host::LastPresentedFrame(), nullptr);
    Screen(241, 321, {16, 0x7C00, 0x03E0, 0x001F});  // an unknown format: code 0, still open
    ASSERT_TRUE(m_graphics->Init());
    std::int32_t width = 0, height = 0;
    EXPECT_TRUE(Surface()->GetSize(&width, &height));
    // Half the screen.
    EXPECT_EQ(std::tuple(width, height, Surface()->GetPixelFormat()), std::tuple(120, 160, PixelFormat{0}));
    m_graphics->SetColourARGB(1024, 1, 2, 3);
    ASSERT_TRUE(m_graphics->Reinit());  // closes first: one display object and two surfaces
    EXPECT_EQ(*m_graphics->GetColour(), *GetColorBlack());
    EXPECT_EQ(host::LiveDisplayObjects(), 3);
    m_graphics->Shutdown();
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
    const struct {
        host::DisplayFormat display;
        PixelFormat code;  // what the surface is told it holds
        FixedColour colour;
        std::uint32_t packed;
    } cases[] = {
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
    Screen(480, 640);
    ASSERT_TRUE(m_graphics->Init());
    const CRect screen(0, 0, 120, 160);
    const CRect rect(10, 10, 20, 8);
    CDrawUtil::DrawFrame(&screen, &rect, 0xFFFFFFFF, 2, 0);  // four strips
    ExpectPainted({CRect(10, 10, 20, 2), CRect(10, 16, 20, 2), CRect(10, 10, 2, 8), CRect(28, 10, 2, 8)}, 0xFFFF);
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

TEST_F(GraphicsDevice, AHeadlessFrameShowsTheRectanglesDoubled) { DrawAndCheckFrame(m_graphics); }

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

using Bytes = std::vector<std::uint8_t>;

Bytes Le(std::initializer_list<std::int64_t> words, int size = 4) {
    Bytes bytes;
    for (std::int64_t w : words) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    }
    return bytes;
}

TEST(PixelFormat, ChannelReads) {
    const struct {
        PixelFormat format;
        Bytes pixel;
        int a, r, g, b;
    } cases[] = {
        {kPixelFormatRgb565, Le({0x8800}, 2), 255, 137, 0, 0},  // low bits fill from the field's low bits
        {kPixelFormatRgb565, Le({0x0821}, 2), 255, 9, 5, 9},
        {kPixelFormatArgb1555, Le({0x7FFF}, 2), 0, 255, 255, 255},
        {kPixelFormatArgb4444, Le({0x1234}, 2), 0x11, 0x22, 0x33, 0x44},
        {kPixelFormatRgb666, Le({0x20 << 12 | 0x01 << 6 | 0x3F}), 255, 128, 5, 255},
        {kPixelFormatXrgb8888, {1, 2, 3, 0}, 255, 3, 2, 1},
        {kPixelFormatArgb8888, {1, 2, 3, 4}, 4, 3, 2, 1},
        {kPixelFormatFixedArgb, Le({1024, -5, 5000, 512}), 255, 0, 255, 128},
        {kPixelFormatFixedRgba, Le({1024, -5, 512, 0}), 0, 255, 0, 128},
        {0x21303, Le({-1}), 77, 77, 77, 77},  // unknown: every output left alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format << " " << int(c.pixel[1]));
        std::uint8_t a = 77, r = 77, g = 77, b = 77;
        PixelGetARGB(c.format, c.pixel.data(), &a, &r, &g, &b);
        EXPECT_EQ((std::vector<int>{a, r, g, b}), (std::vector<int>{c.a, c.r, c.g, c.b}));
    }
}

TEST(PixelFormat, Conversions) {
    const struct {
        PixelFormat format;
        Bytes pixel;
        std::uint32_t to565, toXrgb, toArgb;
        FixedColour fixed;
    } cases[] = {
        {kPixelFormatRgb565, Le({0x1234}, 2), 0x1234, 0xFF1245A4, 0xFF1245A4, {1023, 72, 277, 658}},
        {kPixelFormatArgb1555, Le({0xFFFF}, 2), 0, 0, 0, {5, 5, 5, 5}},
        {kPixelFormatRgb666, Le({0x3FFFF}), 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, {1023, 1023, 1023, 1023}},
        {kPixelFormatBgr888, {0x10, 0x80, 0xF8}, 0xFC02, 0xFFF88010, 0xFFF88010, {1023, 995, 514, 64}},
        // The stored word comes back whole, unused byte included.
        {kPixelFormatXrgb8888, {0x10, 0x80, 0xF8, 0x12}, 0xFC02, 0x12F88010, 0xFFF88010, {1023, 995, 514, 64}},
        {kPixelFormatArgb8888, {0x10, 0x80, 0xF8, 0x12}, 0xFC02, 0xFFF88010, 0x12F88010, {72, 995, 514, 64}},
        // The fixed-point formats are copied without widening or clamping.
        {kPixelFormatFixedRgba, Le({1024, 0, -2, 512}), 0xF800, 0xFFFF0000, 0x80FF0000, {512, 1024, 0, -2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format);
        EXPECT_EQ(PixelTo565(c.format, c.pixel.data()), c.to565);
        EXPECT_EQ(PixelToXRGB8888(c.format, c.pixel.data()), c.toXrgb);
        EXPECT_EQ(PixelToARGB8888(c.format, c.pixel.data()), c.toArgb);
        FixedColour colour{5, 5, 5, 5};
        PixelToFixedColour(&colour, c.format, c.pixel.data());
        EXPECT_EQ(colour, c.fixed);
    }
    EXPECT_EQ(GetRed8888(Le({0x11223344}).data()), 0x22u);
}

TEST(RectUtil, ClipUnionTrimKeepInsideContainsAndOverlaps) {
    enum Op { Clip, Union, Trim, KeepInside };
    const CRect surface(0, 0, 120, 160);
    const struct {
        Op op;
        CRect rect, other, expected;
        std::int16_t margin = 0;
    } cases[] = {
        {Clip, {-10, -10, 30, 30}, surface, {0, 0, 20, 20}},
        {Clip, {120, 5, 5, 5}, surface, {120, 5, 0, 5}},  // starts at the right edge: no width, x kept
        {Clip, {10, 10, -5, 4}, surface, {10, 10, -5, 4}},  // a negative length inside stays
        {Union, {0, 0, 0, 5}, {3, 3, 2, 2}, {3, 3, 2, 2}},  // empty: a copy of the other
        {Union, {5, 5, 2, 2}, {-3, 8, 1, 1}, {-3, 5, 10, 4}},
        {Trim, {10, 10, 20, 20}, {4, 50, 3, 3}, {16, 10, 14, 20}},   // other starts left
        {Trim, {10, 10, 20, 20}, {15, 50, 6, 3}, {10, 10, 14, 20}},  // other starts right
        {Trim, {10, 10, 20, 20}, {10, 7, 3, 3}, {10, 13, 20, 17}},   // same x, other above
        {Trim, {10, 10, 20, 20}, {10, 12, 3, 5}, {10, 10, 20, 15}},  // same x, other below
        {KeepInside, {100, 0, 30, 10}, surface, {88, 2, 30, 10}, 2},
        {KeepInside, {50, 50, 200, 200}, surface, {3, 3, 200, 200}, 3},  // too big: left and top win
        {KeepInside, {-5, -5, 10, 10}, {20, 30, 120, 160}, {21, 31, 10, 10}, 1},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        if (c.op == Clip) ClipRect(&rect, &c.other);
        if (c.op == Union) {
            EXPECT_EQ(RectUnion(&rect, &c.other), &rect);
        }
        if (c.op == Trim) RectTrim(&rect, &c.other);
        if (c.op == KeepInside) RectKeepInside(&rect, &c.other, c.margin);
        EXPECT_EQ(rect, c.expected) << "case " << &c - cases;
    }
    const struct {
        CRect a, b;
        bool contains, overlaps;
    } pairs[] = {
        {{0, 0, 10, 10}, {0, 0, 10, 10}, true, true},
        {{0, 0, 10, 10}, {2, 2, 9, 3}, false, true},
        {{0, 0, 10, 10}, {10, 10, 5, 5}, false, true},  // touching corners
        {{0, 0, 10, 10}, {11, 0, 5, 5}, false, false},
        {{10, 10, 5, 5}, {0, 0, 9, 20}, false, false},
        {{32000, 0, 1000, 10}, {32700, 0, 67, 10}, true, true},  // sums beyond 16 bits
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(RectContains(&p.a, &p.b), p.contains) << "pair " << &p - pairs;
        EXPECT_EQ(RectOverlaps(&p.a, &p.b), p.overlaps) << "pair " << &p - pairs;
    }
}

}  // namespace
