// Software images: pixels in ordinary memory, drawn row by row through the
// blitter's row functions. CNativeImage holds its pixels in the blitter's
// pixel format (converted once, when created); CPalettizedImage holds 8-bit
// palette indices and a palette in that format, so that its colours can be
// exchanged without touching the pixels. Both are made from BMP data.
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/CImage.h"
#include "platform/shared/graphics/2d/CRect.h"
#include "src/SoftwareBlitter/CBmpFile.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"

class CSoftwareImage : public CImage {
public:
    static constexpr std::uint32_t kClassId = 0x6E7A2624;
    // Blit flags.
    static constexpr std::uint32_t kMirror = 1;
    static constexpr std::uint32_t kFlip = 2;

    // The blitter (the application's) is not owned.
    explicit CSoftwareImage(CSoftwareBlitter* blitter) : m_blitter(blitter) { SetClassId(kClassId); }

    // Both creations read the bitmap that starts offset bytes into the size
    // bytes at data; palette (paletteBytes long), when not null, replaces the
    // bitmap's colour table, whose entry count still comes from the header.
    // They return 1, or 0 for a bitmap or pixel format they refuse (with a
    // debug line) and when memory runs out. The rotated image is transposed:
    // its pixel (x, y) is the bitmap's pixel (y, x).
    virtual std::uint32_t CreateRotatedFromBmp(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                               const std::uint8_t* palette, std::uint32_t paletteBytes) = 0;
    // The application blitter's row functions for this kind of image.
    virtual RowFunction GetCopyRowFunction() = 0;
    virtual RowFunction GetAlphaRowFunction() = 0;
    virtual RowFunction GetAddRowFunction() = 0;

    // Draw without flags.
    void DrawRegion(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::int32_t sourceX, std::int32_t sourceY) override {
        Draw(clip, x, y, w, h, sourceX, sourceY, 0);
    }
    using CImage::Draw;
    // Blit with the copy row function.
    void Draw(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
              std::int32_t sourceX, std::int32_t sourceY, std::uint32_t flags) {
        Blit(clip, x, y, w, h, sourceX, sourceY, flags, GetCopyRowFunction(), 0);
    }
    // Draws the w x h region at (sourceX, sourceY) with its top-left corner
    // at (x, y), clipped to the graphics device's render surface, then to
    // clip, then to the image; flags kMirror and kFlip mirror and flip it.
    // The rows are drawn as rowFunction(param, ...) draws them, by
    // CSoftwareBlitter::BlitRows.
    void Blit(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t sourceX,
              std::int32_t sourceY, std::uint32_t flags, RowFunction rowFunction, std::uint32_t param);
    // As Blit, clipped to clip and the image only, with each row moved right
    // by its entry of rowOffsets (one per row of the requested region).
    void BlitWithRowOffsets(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                            std::int32_t sourceX, std::int32_t sourceY, std::uint32_t flags,
                            const std::int32_t* rowOffsets, RowFunction rowFunction, std::uint32_t param);

    CSoftwareBlitter* GetBlitter() const { return m_blitter; }
    // The blitter's format when the pixels were made; 0 before.
    std::uint32_t GetPixelFormat() const { return m_format; }

    // Whether images can be made in the format, and a bitmap colour
    // (0x..RRGGBB) as a pixel or palette entry of it (0 when they cannot).
    static bool Converts(std::uint32_t format);
    static std::uint32_t ConvertColour(std::uint32_t format, std::uint32_t rgb);

protected:
    // Takes the blitter's format and checks the bitmap (and that it has a
    // colour table, when asked); false, with a debug line, when either is
    // refused.
    bool AcceptBitmap(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset, bool needsColourTable);

    CSoftwareBlitter* m_blitter;
    std::uint32_t m_format = 0;
};

class CNativeImage : public CSoftwareImage {
public:
    static constexpr std::uint32_t kClassId = 0xE017CF77;

    explicit CNativeImage(CSoftwareBlitter* blitter) : CSoftwareImage(blitter) { SetClassId(kClassId); }
    ~CNativeImage() override;

    std::uint32_t CreateFromBmp(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                const std::uint8_t* palette, std::uint32_t paletteBytes) override {
        return Build(data, size, offset, palette, paletteBytes, false);
    }
    std::uint32_t CreateRotatedFromBmp(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                       const std::uint8_t* palette, std::uint32_t paletteBytes) override {
        return Build(data, size, offset, palette, paletteBytes, true);
    }
    RowFunction GetCopyRowFunction() override { return Entry(CSoftwareBlitter::kCopy); }
    RowFunction GetAlphaRowFunction() override { return Entry(CSoftwareBlitter::kAlpha); }
    RowFunction GetAddRowFunction() override { return Entry(CSoftwareBlitter::kAdd); }

    // Uninitialised pixels of the blitter's format; 0 (nothing changed) for
    // a negative size or when memory runs out.
    std::uint32_t Create(std::int32_t width, std::int32_t height);
    // Re-binds the application's blitter to draw into these pixels;
    // returns the blitter's Init result.
    std::uint32_t BindAsBlitTarget();

    // Rows of width pixels, top first, each directly after the previous.
    std::uint8_t* GetPixels() const { return m_pixels; }

private:
    static RowFunction Entry(std::uint32_t operation);
    std::uint32_t Build(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                        const std::uint8_t* palette, std::uint32_t paletteBytes, bool rotated);

    std::uint8_t* m_pixels = nullptr;
};

class CPalettizedImage : public CSoftwareImage {
public:
    static constexpr std::uint32_t kClassId = 0xA575942F;

    explicit CPalettizedImage(CSoftwareBlitter* blitter) : CSoftwareImage(blitter) { SetClassId(kClassId); }
    ~CPalettizedImage() override;

    // Bitmaps without a colour table (24 bits) are refused.
    std::uint32_t CreateFromBmp(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                const std::uint8_t* palette, std::uint32_t paletteBytes) override {
        return Build(data, size, offset, palette, paletteBytes, false);
    }
    std::uint32_t CreateRotatedFromBmp(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                       const std::uint8_t* palette, std::uint32_t paletteBytes) override {
        return Build(data, size, offset, palette, paletteBytes, true);
    }
    RowFunction GetCopyRowFunction() override { return Entry(CSoftwareBlitter::kCopy); }
    RowFunction GetAlphaRowFunction() override { return Entry(CSoftwareBlitter::kAlpha); }
    RowFunction GetAddRowFunction() override { return Entry(CSoftwareBlitter::kAdd); }

    // Stores the colour converted to the image's format when index is below
    // the colour table's entry count; otherwise nothing.
    void SetPaletteEntry(std::int32_t index, std::uint8_t r, std::uint8_t g, std::uint8_t b);

    // Every index (0-255) has an entry: those past the table are black.
    const std::uint32_t* GetPalette() const { return m_palette; }
    // Draws with another palette of at least 256 entries, not owned, until
    // the returned one is put back the same way; the image frees only its
    // own palette, so it must be back before the image is deleted.
    std::uint32_t* ExchangePalette(std::uint32_t* palette) {
        std::uint32_t* const previous = m_palette;
        m_palette = palette;
        return previous;
    }
    std::int32_t GetPaletteCount() const { return m_paletteCount; }
    // Rows of width indices, top first.
    const std::uint8_t* GetIndices() const { return m_indices; }

private:
    static RowFunction Entry(std::uint32_t operation);
    std::uint32_t Build(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                        const std::uint8_t* palette, std::uint32_t paletteBytes, bool rotated);

    std::uint32_t* m_palette = nullptr;
    std::int32_t m_paletteCount = 0;
    std::uint8_t* m_indices = nullptr;
};

// Stretches of pixels other than magenta (0x00FF00FF) from begin up to end,
// moving right along a row or down a column.
std::int32_t CountOpaqueRunsInRow(CBmpCursor begin, const CBmpCursor& end);
std::int32_t CountOpaqueRunsInColumn(CBmpCursor begin, const CBmpCursor& end);
