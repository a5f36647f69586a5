// The software blitter: where image rows are drawn (a target buffer with its
// pitch and pixel format), the format's colour key, and a table of row
// functions for the format. Each row function draws one horizontal span of
// an image into the target with one operation (copy, alpha blend, add,
// subtract), from a source in the target's own format (native image) or
// from 8-bit palette indices (palettized image).
#pragma once

#include <cstdint>

class CSoftwareImage;

// Draws width pixels of the image's row srcY from column srcX at target
// (dstX, dstY). param's low byte is the opacity of the alpha functions;
// flags bit 0 mirrors the span (target dstX + i takes source
// srcX + width - 1 - i). Pixels equal to the colour key are not drawn.
// Nothing is checked: the span must lie inside the target and the image.
using RowFunctionType = void(std::uint32_t param, CSoftwareImage* image, std::int32_t dstX, std::int32_t dstY,
                             std::int32_t srcX, std::int32_t srcY, std::int32_t width, std::uint32_t flags);
using RowFunction = RowFunctionType*;

class CSoftwareBlitter {
public:
    // Table entries: + kCopy, kAlpha, kAdd, kSubtract within each group.
    static constexpr std::uint32_t kNative = 0;
    static constexpr std::uint32_t kPalettized = 8;
    static constexpr std::uint32_t kCopy = 0;
    static constexpr std::uint32_t kAlpha = 1;
    static constexpr std::uint32_t kAdd = 2;
    static constexpr std::uint32_t kSubtract = 3;
    static constexpr std::uint32_t kEntries = 16;

    CSoftwareBlitter() = default;

    // Clears everything, then binds to the target: for RGB 565, 6-6-6 and
    // XRGB 8888 fills the table and the key and returns 1; any other format
    // is reported in the debug log and leaves the blitter cleared (0).
    // Every frame re-binds with the locked back buffer this way.
    std::uint32_t Init(std::uint32_t format, std::uint8_t* targetBase, std::int32_t pitch);

    std::uint32_t GetPixelFormat() const { return m_format; }
    std::uint8_t* GetTargetBase() const { return m_target; }
    std::int32_t GetPitch() const { return m_pitch; }
    std::uint32_t GetColourKey() const { return m_key; }
    // Null for the entries no format fills (4-7, 12-15) and before Init.
    RowFunction GetRowFunction(std::uint32_t entry) const { return entry < kEntries ? m_rows[entry] : nullptr; }

    // The row functions. The copy members serve every format of their pixel
    // size; the 8-bit ones are installed by no format.
    static RowFunctionType BlitRowCopy8, BlitRowCopy16, BlitRowCopy32;
    static RowFunctionType BlitRowAlpha16, BlitRowAlpha666, BlitRowAlpha8888;
    static RowFunctionType BlitRowAdd16, BlitRowAdd666, BlitRowAdd8888;
    static RowFunctionType BlitRowSub16, BlitRowSub666, BlitRowSub8888;
    static RowFunctionType BlitRowPalCopy8, BlitRowPalCopy16, BlitRowPalCopy32;
    static RowFunctionType BlitRowPalAlpha16, BlitRowPalAlpha666, BlitRowPalAlpha8888;
    static RowFunctionType BlitRowPalAdd16, BlitRowPalAdd666, BlitRowPalAdd8888;
    static RowFunctionType BlitRowPalSub16, BlitRowPalSub666, BlitRowPalSub8888;

    // Draws rows spans as rowFunction would, one per row: span i at target
    // (dstX, dstY + i) from the image's row srcY + i * srcStep (srcStep 1 or
    // -1). The copies of native pixels run here over all the rows; any other
    // row function is called once per row.
    static void BlitRows(RowFunction rowFunction, std::uint32_t param, CSoftwareImage* image, std::int32_t dstX,
                         std::int32_t dstY, std::int32_t srcX, std::int32_t srcY, std::int32_t srcStep,
                         std::int32_t width, std::int32_t rows, std::uint32_t flags);

private:
    RowFunction m_rows[kEntries] = {};
    std::uint32_t m_format = 0;
    std::uint8_t* m_target = nullptr;
    std::int32_t m_pitch = 0;
    std::uint32_t m_key = 0;
};
