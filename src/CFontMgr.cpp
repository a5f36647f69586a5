#include "src/CFontMgr.h"

#include <new>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

namespace {

constexpr const char* kSource = "..\\..\\src\\CFontMgr";

struct FontResources {
    std::uint32_t data;
    std::uint32_t image;
};
constexpr FontResources kFonts[CFontMgr::kSlotCount] = {
    {0x03000243, 0x02000252}, {0x03000256, 0x02000250}, {0x03000259, 0x0200024C},
};

}  // namespace

CFontMgr::~CFontMgr() {
    for (std::int32_t n = 0; n < kSlotCount; ++n) FreeFont(n);
}

CGraphicFont* CFontMgr::GetFont(std::int32_t n) {
    DebugAssert(n >= 0, kSource, 35);
    DebugAssert(n < kSlotCount, kSource, 36);
    if (m_fonts[n] != nullptr) return m_fonts[n];
    const FontResources& ids = kFonts[n];
    if (ids.data == 0 || ids.image == 0) return nullptr;

    CResMgr* resources = CGameApp::GetResMgr();
    CSoftwareImage* sheet = resources->GetImage(ids.image, 0);
    if (sheet == nullptr) return nullptr;
    const CBinRes* data = resources->GetData(ids.data, 0);
    auto* font = data != nullptr ? new (std::nothrow) CGraphicFont() : nullptr;
    if (font == nullptr) {
        if (data != nullptr) resources->Release(ids.data, 0);
        resources->Release(ids.image, 0);
        return nullptr;
    }
    font->SetImage(sheet);
    font->Load(data->GetPayload(), data->GetPayloadSize());  // copies what it keeps
    resources->Release(ids.data, 0);
    m_fonts[n] = font;
    return font;
}

void CFontMgr::FreeFont(std::int32_t n) {
    DebugAssert(n >= 0, kSource, 74);
    DebugAssert(n < kSlotCount, kSource, 75);
    if (m_fonts[n] == nullptr) return;
    delete m_fonts[n];
    m_fonts[n] = nullptr;
    // Only the glyph sheet is held: the data went back when the font was
    // built.
    CGameApp::GetResMgr()->Release(kFonts[n].image, 0);
}
