#include "src/SoftwareBlitter/CSoftwareImage.h"

#include <algorithm>
#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/CGameApp.h"

namespace {

constexpr const char* kSource = "CSoftwareImage";

// One axis of a blit request: target position, length and source start,
// kept in 64 bits so that no value wraps while it is clipped.
struct Axis {
    std::int64_t position;
    std::int64_t length;
    std::int64_t source;

    // Clips the span to [rangePos, rangePos + rangeLen); reversed (mirrored
    // or flipped) spans take their source from the end, so a cut on the
    // right moves the source start instead of one on the left.
    void Clip(std::int64_t rangePos, std::int64_t rangeLen, bool reversed) {
        const std::int64_t rangeEnd = rangePos + rangeLen;
        std::int64_t p = position;
        std::int64_t l = length;
        if (rangeEnd <= p || rangePos >= p + l) {
            l = 0;
        } else {
            if (p + l > rangeEnd) l = rangeEnd - p;
            if (p < rangePos) {
                l -= rangePos - p;
                p = rangePos;
            }
            if ((length > 0 && l < 0) || (length < 0 && l > 0)) l = 0;
        }
        source += reversed ? (length - (p - position)) - l : p - position;
        position = p;
        length = l;
    }

    // Keeps the source inside [0, size): a span running past the end is
    // shortened, and one starting before 0 loses the pixels before it.
    void ClipSource(std::int64_t size, bool reversed) {
        if (source + length > size) length = std::max<std::int64_t>(0, size - source);
        if (source < 0 && length > 0) {
            const std::int64_t cut = std::min(-source, length);
            length -= cut;
            source += cut;
            if (!reversed) position += cut;
        }
    }
};

std::int32_t Narrow(std::int64_t value) { return static_cast<std::int32_t>(value); }

}  // namespace

void CSoftwareImage::Blit(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                          std::int32_t sourceX, std::int32_t sourceY, std::uint32_t flags, RowFunction rowFunction,
                          std::uint32_t param) {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    DebugAssert(surface != nullptr, kSource, 118);
    std::int32_t surfaceW = 0, surfaceH = 0;
    if (!surface->GetSize(&surfaceW, &surfaceH)) surfaceW = surfaceH = 0;

    const bool mirror = (flags & kMirror) != 0;
    const bool flip = (flags & kFlip) != 0;
    Axis across{x, w, sourceX};
    Axis down{y, h, sourceY};
    for (int pass = 0; pass < 2; ++pass) {
        across.Clip(pass == 0 ? 0 : clip->x, pass == 0 ? surfaceW : clip->w, mirror);
        across.ClipSource(m_width, mirror);
        down.Clip(pass == 0 ? 0 : clip->y, pass == 0 ? surfaceH : clip->h, flip);
        down.ClipSource(m_height, flip);
    }
    if (across.length <= 0 || down.length <= 0 || rowFunction == nullptr) return;

    CSoftwareBlitter::BlitRows(rowFunction, param, this, Narrow(across.position), Narrow(down.position),
                               Narrow(across.source), Narrow(flip ? down.source + down.length - 1 : down.source),
                               flip ? -1 : 1, Narrow(across.length), Narrow(down.length), flags);
}

void CSoftwareImage::BlitWithRowOffsets(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w,
                                        std::int32_t h, std::int32_t sourceX, std::int32_t sourceY,
                                        std::uint32_t flags, const std::int32_t* rowOffsets, RowFunction rowFunction,
                                        std::uint32_t param) {
    const bool mirror = (flags & kMirror) != 0;
    const bool flip = (flags & kFlip) != 0;
    Axis down{y, h, sourceY};
    down.Clip(clip->y, clip->h, flip);
    down.ClipSource(m_height, flip);
    if (down.length <= 0 || rowFunction == nullptr) return;

    // Each drawn row takes the offset of its place in the requested region.
    const std::int64_t first = down.position - y;
    for (std::int64_t i = 0; i < down.length; ++i) {
        Axis across{x + std::int64_t{rowOffsets[first + i]}, w, sourceX};
        across.Clip(clip->x, clip->w, mirror);
        across.ClipSource(m_width, mirror);
        if (across.length <= 0) continue;
        const std::int64_t row = flip ? down.source + down.length - 1 - i : down.source + i;
        rowFunction(param, this, Narrow(across.position), Narrow(down.position + i), Narrow(across.source),
                    Narrow(row), Narrow(across.length), flags);
    }
}

bool CSoftwareImage::Converts(std::uint32_t format) {
    return format == kPixelFormatRgb565 || format == kPixelFormatRgb666 || format == kPixelFormatBgr888 ||
           format == kPixelFormatXrgb8888 || format == kPixelFormatArgb8888;
}

std::uint32_t CSoftwareImage::ConvertColour(std::uint32_t format, std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
    switch (format) {
        case kPixelFormatRgb565:
            return b >> 3 | (g & 0xFC) << 3 | (r & 0xF8) << 8;
        case kPixelFormatRgb666:
            return b >> 2 | (g & 0xFC) << 4 | (r >> 2) << 12;
        case kPixelFormatBgr888:
            return r << 16 | g << 8 | b;
        case kPixelFormatXrgb8888:
        case kPixelFormatArgb8888:
            return b | g << 8 | r << 16 | 0xFF000000u;
        default:
            return 0;
    }
}

bool CSoftwareImage::AcceptBitmap(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                  bool needsColourTable) {
    const std::uint32_t format = m_blitter != nullptr ? m_blitter->GetPixelFormat() : 0;
    if (!Converts(format)) {
        DebugPrintf("CSoftwareImage: no image in pixel format 0x%X", format);
        return false;
    }
    BmpHeader header;
    if (data == nullptr || offset > size || !CBmpFile::ParseHeader(data + offset, size - offset, &header)) {
        DebugPrintf("CSoftwareImage: not a bitmap this reader takes (%u bytes)", size);
        return false;
    }
    if (needsColourTable && header.paletteSize == 0) {
        DebugPrintf("CSoftwareImage: a palettized image needs a bitmap with a colour table");
        return false;
    }
    m_format = format;
    return true;
}

namespace {

// A bitmap's pixel (x, y), or its pixel (y, x) for a transposed image.
CBmpCursor SourceCursor(const CBmpFile& bmp, std::int32_t x, std::int32_t y, bool rotated) {
    return rotated ? bmp.GetCursor(y, x) : bmp.GetCursor(x, y);
}

}  // namespace

CNativeImage::~CNativeImage() {
    delete[] m_pixels;
    m_pixels = nullptr;
}

RowFunction CNativeImage::Entry(std::uint32_t operation) {
    CSoftwareBlitter* blitter = CGameApp::GetBlitter();
    return blitter != nullptr ? blitter->GetRowFunction(CSoftwareBlitter::kNative + operation) : nullptr;
}

std::uint32_t CNativeImage::Build(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                  const std::uint8_t* palette, std::uint32_t paletteBytes, bool rotated) {
    if (!AcceptBitmap(data, size, offset, false)) return 0;
    CBmpFile bmp(data + offset, size - offset);
    if (palette != nullptr) bmp.SetPalette(palette, paletteBytes);
    const std::int32_t width = rotated ? bmp.GetHeight() : bmp.GetWidth();
    const std::int32_t height = rotated ? bmp.GetWidth() : bmp.GetHeight();
    const std::uint32_t bytes = PixelFormatBytes(m_format);

    delete[] m_pixels;
    m_width = m_height = 0;
    m_pixels = new (std::nothrow) std::uint8_t[std::uint64_t{bytes} * width * height];
    if (m_pixels == nullptr) return 0;
    std::uint8_t* out = m_pixels;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t value = ConvertColour(m_format, SourceCursor(bmp, x, y, rotated).GetPixel());
            for (std::uint32_t b = 0; b < bytes; ++b) *out++ = static_cast<std::uint8_t>(value >> (8 * b));
        }
    }
    m_width = width;
    m_height = height;
    return 1;
}

std::uint32_t CNativeImage::Create(std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0) return 0;
    const std::uint32_t format = m_blitter->GetPixelFormat();
    auto* pixels = new (std::nothrow) std::uint8_t[std::uint64_t{PixelFormatBytes(format)} * width * height];
    if (pixels == nullptr) return 0;
    delete[] m_pixels;
    m_pixels = pixels;
    m_format = format;
    m_width = width;
    m_height = height;
    return 1;
}

std::uint32_t CNativeImage::BindAsBlitTarget() {
    const std::uint32_t format = m_blitter->GetPixelFormat();
    return CGameApp::GetBlitter()->Init(format, m_pixels,
                                        static_cast<std::int32_t>(m_width * PixelFormatBytes(format)));
}

CPalettizedImage::~CPalettizedImage() {
    delete[] m_palette;
    m_palette = nullptr;
    delete[] m_indices;
    m_indices = nullptr;
}

RowFunction CPalettizedImage::Entry(std::uint32_t operation) {
    CSoftwareBlitter* blitter = CGameApp::GetBlitter();
    return blitter != nullptr ? blitter->GetRowFunction(CSoftwareBlitter::kPalettized + operation) : nullptr;
}

std::uint32_t CPalettizedImage::Build(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                      const std::uint8_t* palette, std::uint32_t paletteBytes, bool rotated) {
    if (!AcceptBitmap(data, size, offset, true)) return 0;
    CBmpFile bmp(data + offset, size - offset);
    if (palette != nullptr) bmp.SetPalette(palette, paletteBytes);
    const std::int32_t width = rotated ? bmp.GetHeight() : bmp.GetWidth();
    const std::int32_t height = rotated ? bmp.GetWidth() : bmp.GetHeight();
    const std::int32_t count = bmp.GetPaletteSize() / 4;

    delete[] m_indices;
    delete[] m_palette;
    m_palette = nullptr;
    m_width = m_height = m_paletteCount = 0;
    m_indices = new (std::nothrow) std::uint8_t[std::uint64_t{1} * width * height];
    if (m_indices == nullptr) return 0;
    // Every index reaches an entry: those past the table stay black.
    const std::int32_t entries = std::max(count, 256);
    m_palette = new (std::nothrow) std::uint32_t[static_cast<std::uint32_t>(entries)];
    if (m_palette == nullptr) return 0;

    for (std::int32_t row = 0; row < height; ++row) {
        std::uint8_t* out = m_indices + std::int64_t{row} * width;
        if (rotated) {
            bmp.GetCursor(row, 0).ReadColumnIndices(out, width);
        } else {
            bmp.GetCursor(0, row).ReadRowIndices(out, width);
        }
    }
    m_width = width;
    m_height = height;
    m_paletteCount = count;
    std::fill(m_palette, m_palette + entries, ConvertColour(m_format, 0));
    const std::uint8_t* table = bmp.GetPalette();
    const auto given = static_cast<std::int32_t>(std::min<std::int64_t>(bmp.GetPaletteBytes() / 4, count));
    for (std::int32_t i = 0; i < given; ++i) SetPaletteEntry(i, table[4 * i + 2], table[4 * i + 1], table[4 * i]);
    return 1;
}

void CPalettizedImage::SetPaletteEntry(std::int32_t index, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (index >= 0 && index < m_paletteCount) {
        m_palette[index] = ConvertColour(m_format, std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b);
    }
}

namespace {

constexpr std::uint32_t kMagenta = 0x00FF00FF;

// Counts the stretches of non-magenta pixels from begin to end; step moves
// the cursor one pixel on.
template <typename Step>
std::int32_t CountOpaqueRuns(CBmpCursor at, const CBmpCursor& end, Step step) {
    std::int32_t count = 0;
    while (!(at == end)) {
        while (!(at == end) && at.GetPixel() == kMagenta) step(at);
        const CBmpCursor start = at;
        while (!(at == end) && at.GetPixel() != kMagenta) step(at);
        if (!(at == start)) ++count;
    }
    return count;
}

}  // namespace

std::int32_t CountOpaqueRunsInRow(CBmpCursor begin, const CBmpCursor& end) {
    return CountOpaqueRuns(begin, end, [](CBmpCursor& c) { c.Seek(c.GetX() + 1, c.GetY()); });
}

std::int32_t CountOpaqueRunsInColumn(CBmpCursor begin, const CBmpCursor& end) {
    return CountOpaqueRuns(begin, end, [](CBmpCursor& c) { c.MoveY(1); });
}
