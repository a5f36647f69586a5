// The game's bitmap fonts by slot, each built on first use from a data
// resource with its tables and an image resource with its glyph sheet.
// Slots 0 to 2 hold fonts; 3 to 8 have none.
#pragma once

#include <cstdint>

class CGraphicFont;

class CFontMgr {
public:
    static constexpr std::int32_t kSlotCount = 9;

    CFontMgr() = default;
    // Frees every slot.
    virtual ~CFontMgr();

    CFontMgr(const CFontMgr&) = delete;
    CFontMgr& operator=(const CFontMgr&) = delete;

    // The font of slot n (0-8), loaded on first use; the font keeps a
    // reference to its glyph sheet. Null, keeping nothing, for a slot
    // without a font or when its data or image is missing; data the font
    // refuses still gives an (empty) font.
    CGraphicFont* GetFont(std::int32_t n);
    // Deletes slot n's font and gives back the glyph sheet it held.
    void FreeFont(std::int32_t n);

private:
    CGraphicFont* m_fonts[kSlotCount] = {};
};
