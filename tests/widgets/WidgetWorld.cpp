#include "tests/widgets/WidgetWorld.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "host/DDraw.h"
#include "host/Window.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "src/CGameApp.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/win32/CApplet.h"
#include "tools/MenuSprites.h"
#include "tools/ProgramDisplay.h"

namespace {

std::vector<Posted> g_posted;

class RecordingApp : public CGameApp {
public:
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t p16, std::uintptr_t p32) override {
        g_posted.push_back({id, p16, p32});
        return 1;
    }
};

constexpr std::u16string_view kGlyphs = u".abcdefghijklmnopqrstuvwxyz";  // sorted, as fonts want

vktools::FontDesc TextFontDesc(std::int8_t heightBase) {
    vktools::FontDesc desc = fonttest::FixedFont(kGlyphs, u" ", 5);
    desc.heightBase = heightBase;
    return desc;
}

ICRenderSurface* Surface() { return ICGraphics2d::GetInstance()->GetRenderSurface(); }

}  // namespace

// The platform library's application hooks; the world makes its own.
CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

void WidgetWorld::SetUp() {
    g_posted.clear();
    m_applet = CApplet::Create(nullptr);  // becomes the current window
    ICCore::SetInstance(CCore_Win32::Create());
    CApp::SetInstance(new RecordingApp());
    host::SetDisplayFormat(host::kDisplayXrgb8888);  // the sprites' palettes take the blitter's format
    ASSERT_EQ(CApp::GetInstance()->Startup(), 0);
    OpenScreen(480, 640);
    ASSERT_TRUE(vktools::OpenGameArchive(VK_GAME_ARCHIVE) && vktools::LoadMenuSprites());
}

void WidgetWorld::TearDown() {
    CSoftkeyWidget::SetOffsets({});
    delete CApp::GetInstance();  // with the graphics device, the archive and the sprites
    CApp::SetInstance(nullptr);
    delete ICCore::GetInstance();
    ICCore::SetInstance(nullptr);
    delete m_applet;
    host::ResetWindowing();
    host::ResetDisplay();
}

void WidgetWorld::OpenScreen(int width, int height) {
    host::ResetDisplay();
    host::SetDisplayFormat(host::kDisplayXrgb8888);
    host::ResetWindowing(host::WindowOptions{.screenWidth = width, .screenHeight = height});
    ASSERT_TRUE(ICGraphics2d::GetInstance()->Init());
    vktools::LockForDrawing(Surface());
}

std::vector<Posted> WidgetWorld::TakePosted() {
    m_applet->FlushEvents();
    return std::exchange(g_posted, {});
}

std::uint32_t WidgetWorld::Pixel(int x, int y) {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    Surface()->Lock(&bits, &pitch);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, bits + y * pitch + x * 4, 4);
    return pixel & 0xFFFFFF;
}

CRect WidgetWorld::Extent(std::uint32_t rgb) {
    std::int32_t width = 0, height = 0;
    Surface()->GetSize(&width, &height);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (Pixel(x, y) != rgb) continue;
            left = std::min(left, x), top = std::min(top, y);
            right = std::max(right, x), bottom = std::max(bottom, y);
        }
    }
    const auto s16 = [](int v) { return static_cast<std::int16_t>(v); };
    return right < 0 ? CRect() : CRect(s16(left), s16(top), s16(right - left + 1), s16(bottom - top + 1));
}

void WidgetWorld::ClearScreen() {
    const CRect all(0, 0, 1000, 1000);
    CDrawUtil::FillRect(&all, 0);
}

TextFont::TextFont(std::int8_t heightBase) : LoadedFont(TextFontDesc(heightBase)) { font.SetImage(&sheet); }

std::vector<std::string> TextFont::TakeLines() {
    std::vector<std::string> lines;
    std::int32_t y = 0;
    for (const fonttest::DrawCall& call : std::exchange(sheet.calls, {})) {
        if (lines.empty() || call.y != y) {
            y = call.y;
            lines.push_back(std::to_string(call.x) + "," + std::to_string(y) + ":");
        }
        lines.back() += static_cast<char>(kGlyphs.at(static_cast<std::size_t>(call.srcX)));
    }
    return lines;
}

void CountingWidget::Measure() {
    ++measures;
    if (invalidateInPass) inPassResults.push_back(CUIWidget::InvalidateSize());
    SetMeasuredSize(width, height);
}

void CountingWidget::Layout() {
    ++layouts;
    if (invalidateInPass) inPassResults.push_back(CUIWidget::InvalidateLayout());
}

void CountingWidget::Draw() {
    ++draws;
    if (invalidateInPass) inPassResults.push_back(CUIWidget::Invalidate());
}

bool CountingWidget::OnKeyDown(std::uint16_t, std::uintptr_t) {
    if (keyLog != nullptr) *keyLog += tag;
    return takesKeys;
}
