#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/support/DebugCapture.h"
#include "tools/BmpWriter.h"
#include "tools/FontWriter.h"

namespace {

using namespace vktools;

// The font table's resources.
constexpr std::uint32_t kData0 = 0x03000243, kImage0 = 0x02000252;
constexpr std::uint32_t kData1 = 0x03000256, kImage1 = 0x02000250;
constexpr std::uint32_t kImage2 = 0x0200024C;
[[maybe_unused]] constexpr std::uint32_t kData2 = 0x03000259;  // left out of the archive

constexpr std::uint32_t kInk = 0xFFFFFF;
constexpr std::uint32_t kKey = 0xFF00FF;  // not drawn
// Glyph sheet of 'A' (columns 0-2) and 'B' (columns 4-6), five rows.
const char* const kSheet[] = {
    ".#..##.",
    "#.#.#.#",
    "###.##.",
    "#.#.#.#",
    "#.#.##.",
};

Bytes SheetBmp() {
    BmpDesc bmp;
    bmp.width = 7;
    bmp.height = 5;
    bmp.bitCount = 24;
    for (const char* row : kSheet) {
        for (int x = 0; x < 7; ++x) bmp.pixels.push_back(row[x] == '#' ? kInk : kKey);
    }
    return MakeBmp(bmp);
}

Bytes FontData(bool sorted = true) {
    FontDesc font;
    font.heightBase = 5;
    font.glyphs = {{.character = u'A', .sourceX = 0, .width = 3, .height = 5, .advance = 4},
                   {.character = u'B', .sourceX = 4, .width = 3, .height = 5, .advance = 4}};
    if (!sorted) std::swap(font.glyphs[0], font.glyphs[1]);
    return MakeFont(font);
}

class FontMgrTest : public testing::Test {
protected:
    void SetUp() override {
        ArchiveBuilder archive;
        archive.AddManifest({});
        archive.Add(kData0, MakeResource(FontData()));
        archive.Add(kImage0, MakeResource(SheetBmp(), kTagNativeImage));
        archive.Add(kData1, MakeResource(FontData(false)));  // refused by the font
        archive.Add(kImage1, MakeResource(SheetBmp(), kTagNativeImage));
        archive.Add(kImage2, MakeResource(SheetBmp(), kTagNativeImage));  // its data is missing
        ASSERT_EQ(m_app.Open(archive), 1);
    }
    CResMgr& Res() { return m_app.Resources(); }
    CFontMgr& Fonts() { return m_app.Fonts(); }

    ScopedFrameworkApp m_app;
};

TEST_F(FontMgrTest, FontsHoldTheirGlyphSheetOnly) {
    CGraphicFont* font = Fonts().GetFont(0);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(Fonts().GetFont(0), font);
    EXPECT_EQ(font->GetHeight(), 5);
    EXPECT_EQ(Res().IsCached(kData0), 0);
    EXPECT_EQ(Res().IsCached(kImage0), 1);

    // Data the font refuses still makes a font, an empty one.
    CGraphicFont* empty = Fonts().GetFont(1);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(Fonts().GetFont(1), empty);
    Fonts().FreeFont(1);
    EXPECT_EQ(Res().IsCached(kImage1), 0);  // one reference, the font's

    // Slots without a font, or whose resources are missing, keep nothing.
    for (std::int32_t n = 2; n < CFontMgr::kSlotCount; ++n) EXPECT_EQ(Fonts().GetFont(n), nullptr) << n;
    EXPECT_EQ(Res().IsCached(kImage2), 0);

    // Freeing gives back only what the font held: others keep theirs.
    ASSERT_NE(Res().GetImage(kImage1, 0), nullptr);
    Fonts().FreeFont(1);
    EXPECT_EQ(Res().IsCached(kImage1), 1);
    ASSERT_NE(Res().GetData(kData0, 0), nullptr);
    Fonts().FreeFont(0);
    EXPECT_EQ(Res().IsCached(kData0), 1);
    EXPECT_EQ(Res().IsCached(kImage0), 0);
}

TEST_F(FontMgrTest, SlotsOutsideTheTableStopTheProgram) {
    EXPECT_DEATH(Fonts().GetFont(-1), "CFontMgr, Line: 35");
    EXPECT_DEATH(Fonts().GetFont(9), "CFontMgr, Line: 36");
    EXPECT_DEATH(Fonts().FreeFont(9), "CFontMgr, Line: 75");
}

TEST_F(FontMgrTest, TextOfFontZeroReachesTheScreen) {
    ICRenderSurface* surface = m_app.Graphics()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    ASSERT_NE(bits, nullptr);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
    const CRect clip(0, 0, 100, 100);
    CGraphicFont* font = CGameApp::GetFontMgr()->GetFont(0);
    ASSERT_NE(font, nullptr);
    font->DrawString(u"BA", -1, &clip, 10, 20, 0);
    surface->Unlock();
    m_app.Graphics()->Present();

    const host::Frame* frame = host::LastPresentedFrame();
    ASSERT_NE(frame, nullptr);
    for (int y = 0; y < 7; ++y) {
        std::string row;
        for (int x = 0; x < 9; ++x) row += host::FramePixelRgb(*frame, (10 + x) * 2, (19 + y) * 2) ? '#' : '.';
        const std::string expected = y == 0 || y == 6 ? "........." : std::string(kSheet[y - 1] + 4, 3) + "." +
                                                                           std::string(kSheet[y - 1], 3) + "..";
        EXPECT_EQ(row, expected) << "row " << y;
    }
}

}  // namespace
