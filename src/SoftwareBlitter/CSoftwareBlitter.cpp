#include "src/SoftwareBlitter/CSoftwareBlitter.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

namespace {

using Pixel8 = std::uint8_t;
using Pixel16 = std::uint16_t;
using Pixel32 = std::uint32_t;

// Pixels may sit at any address (a surface's pitch need not be a multiple
// of the pixel size), so they are moved with memcpy, which compiles to
// plain loads and stores.
template <typename Pixel>
Pixel Load(const std::uint8_t* at) {
    Pixel value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename Pixel>
void Store(std::uint8_t* at, Pixel value) {
    std::memcpy(at, &value, sizeof value);
}

// Channel layouts of the targets: each channel expanded to 8 bits, and the
// three packed back (with the bits above the channels zero).
struct Layout565 {
    using Pixel = Pixel16;
    static std::int32_t R(std::uint32_t p) { return static_cast<std::int32_t>((p >> 11) << 3); }
    static std::int32_t G(std::uint32_t p) { return static_cast<std::int32_t>(((p >> 5) & 63) << 2); }
    static std::int32_t B(std::uint32_t p) { return static_cast<std::int32_t>((p & 31) << 3); }
    static std::uint16_t Pack(std::int32_t r, std::int32_t g, std::int32_t b) {
        return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
    }
};

struct Layout666 {
    using Pixel = Pixel32;
    static std::int32_t R(std::uint32_t p) { return static_cast<std::int32_t>(((p >> 12) & 63) << 2); }
    static std::int32_t G(std::uint32_t p) { return static_cast<std::int32_t>(((p >> 6) & 63) << 2); }
    static std::int32_t B(std::uint32_t p) { return static_cast<std::int32_t>((p & 63) << 2); }
    static std::uint32_t Pack(std::int32_t r, std::int32_t g, std::int32_t b) {
        return static_cast<std::uint32_t>((r >> 2) << 12 | (g >> 2) << 6 | (b >> 2));
    }
};

struct Layout8888 {
    using Pixel = Pixel32;
    static std::int32_t R(std::uint32_t p) { return static_cast<std::int32_t>((p >> 16) & 255); }
    static std::int32_t G(std::uint32_t p) { return static_cast<std::int32_t>((p >> 8) & 255); }
    static std::int32_t B(std::uint32_t p) { return static_cast<std::int32_t>(p & 255); }
    static std::uint32_t Pack(std::int32_t r, std::int32_t g, std::int32_t b) {
        return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    }
};

// The operations on one destination pixel d and source pixel s.
struct Copy {
    template <typename T>
    T operator()(T, T s) const {
        return s;
    }
};

struct Add {
    template <typename T>
    T operator()(T d, T s) const {
        return static_cast<T>(d + s);  // carries pass into the next channel, and out of the top
    }
};

template <typename Layout>
struct Alpha {
    std::int32_t opacity;
    static std::int32_t Mix(std::int32_t d, std::int32_t s, std::int32_t opacity) {
        return d + (s - d) * opacity / 256;  // division truncating toward zero
    }
    template <typename T>
    T operator()(T d, T s) const {
        return static_cast<T>(Layout::Pack(Mix(Layout::R(d), Layout::R(s), opacity),
                                           Mix(Layout::G(d), Layout::G(s), opacity),
                                           Mix(Layout::B(d), Layout::B(s), opacity)));
    }
};

template <typename Layout>
struct Subtract {
    template <typename T>
    T operator()(T d, T s) const {
        return static_cast<T>(Layout::Pack(std::max(Layout::R(d) - Layout::R(s), 0),
                                           std::max(Layout::G(d) - Layout::G(s), 0),
                                           std::max(Layout::B(d) - Layout::B(s), 0)));
    }
};

// Where a span's source pixels come from: a native image's pixels, or a
// palettized image's indices looked up in its palette (each entry masked to
// the target's pixel width).
template <typename Pixel>
struct DirectSource {
    const std::uint8_t* __restrict pixels;
    Pixel operator[](std::int32_t i) const { return Load<Pixel>(pixels + std::int64_t{i} * sizeof(Pixel)); }
};

template <typename Pixel>
struct PaletteSource {
    const std::uint8_t* indices;
    const std::uint32_t* palette;
    Pixel operator[](std::int32_t i) const { return static_cast<Pixel>(palette[indices[i]]); }
};

// One span; the key test is the only decision per pixel, and a select
// rather than a branch, so that the loop vectorises.
template <typename Pixel, typename Source, typename Op>
void Span(std::uint8_t* __restrict dst, Source src, std::int32_t n, bool mirror, std::uint32_t key, Op op) {
    const auto k = static_cast<Pixel>(key);
    if (mirror) {
        for (std::int32_t i = 0; i < n; ++i) {
            const Pixel s = src[n - 1 - i];
            const Pixel d = Load<Pixel>(dst + std::int64_t{i} * sizeof(Pixel));
            Store<Pixel>(dst + std::int64_t{i} * sizeof(Pixel), s == k ? d : op(d, s));
        }
    } else {
        for (std::int32_t i = 0; i < n; ++i) {
            const Pixel s = src[i];
            const Pixel d = Load<Pixel>(dst + std::int64_t{i} * sizeof(Pixel));
            Store<Pixel>(dst + std::int64_t{i} * sizeof(Pixel), s == k ? d : op(d, s));
        }
    }
}

template <typename Pixel>
std::uint8_t* Target(const CSoftwareBlitter* blitter, std::int32_t x, std::int32_t y) {
    return blitter->GetTargetBase() + std::int64_t{y} * blitter->GetPitch() +
           std::int64_t{x} * static_cast<std::int64_t>(sizeof(Pixel));
}

std::int64_t SourceOffset(const CSoftwareImage* image, std::int32_t x, std::int32_t y) {
    return std::int64_t{y} * image->GetWidth() + x;
}

template <typename Pixel>
DirectSource<Pixel> Direct(CSoftwareImage* image, std::int32_t x, std::int32_t y) {
    const std::uint8_t* pixels = static_cast<CNativeImage*>(image)->GetPixels();
    return {pixels + SourceOffset(image, x, y) * static_cast<std::int64_t>(sizeof(Pixel))};
}

template <typename Pixel>
PaletteSource<Pixel> Palettized(CSoftwareImage* image, std::int32_t x, std::int32_t y) {
    const auto* palettized = static_cast<CPalettizedImage*>(image);
    return {palettized->GetIndices() + SourceOffset(image, x, y), palettized->GetPalette()};
}

// The keyed copy of native pixels, which every sprite takes, over rows
// spans: the target moves down one row at a time, the source srcPitch
// bytes. It is built also for AVX2 (twice the pixels per instruction), and
// that build chosen when the processor has it.
template <typename Pixel, bool Mirror>
[[gnu::always_inline]] inline void KeyedCopyRows(std::uint8_t* dst, std::int64_t dstPitch, const std::uint8_t* src,
                                                 std::int64_t srcPitch, std::int32_t width, std::int32_t rows,
                                                 std::uint32_t key) {
    for (std::int32_t r = 0; r < rows; ++r, dst += dstPitch, src += srcPitch) {
        Span<Pixel>(dst, DirectSource<Pixel>{src}, width, Mirror, key, Copy{});
    }
}

template <typename Pixel>
[[gnu::always_inline]] inline void KeyedCopyRows(std::uint8_t* dst, std::int64_t dstPitch, const std::uint8_t* src,
                                                 std::int64_t srcPitch, std::int32_t width, std::int32_t rows,
                                                 bool mirror, std::uint32_t key) {
    if (mirror) {
        KeyedCopyRows<Pixel, true>(dst, dstPitch, src, srcPitch, width, rows, key);
    } else {
        KeyedCopyRows<Pixel, false>(dst, dstPitch, src, srcPitch, width, rows, key);
    }
}

// The keyed copy is built twice, for AVX2 and for any x86-64, and the
// loader picks one. Its choice runs before the thread sanitizer's runtime is
// up, which then crashes; that build takes the plain copy only.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define VK_KEYED_COPY_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VK_KEYED_COPY_CLONES
#endif

VK_KEYED_COPY_CLONES void KeyedCopy(std::uint8_t* dst, std::int64_t dstPitch, DirectSource<Pixel16> src,
                                    std::int64_t srcPitch, std::int32_t width, std::int32_t rows, bool mirror,
                                    std::uint32_t key) {
    KeyedCopyRows<Pixel16>(dst, dstPitch, src.pixels, srcPitch, width, rows, mirror, key);
}

VK_KEYED_COPY_CLONES void KeyedCopy(std::uint8_t* dst, std::int64_t dstPitch, DirectSource<Pixel32> src,
                                    std::int64_t srcPitch, std::int32_t width, std::int32_t rows, bool mirror,
                                    std::uint32_t key) {
    KeyedCopyRows<Pixel32>(dst, dstPitch, src.pixels, srcPitch, width, rows, mirror, key);
}

template <typename Pixel, auto Source, typename Op>
void Row(Op op, CSoftwareImage* image, std::int32_t dstX, std::int32_t dstY, std::int32_t srcX, std::int32_t srcY,
         std::int32_t width, std::uint32_t flags) {
    const CSoftwareBlitter* blitter = image->GetBlitter();
    const auto source = Source(image, srcX, srcY);
    if constexpr (std::is_same_v<Op, Copy> && std::is_same_v<decltype(source), const DirectSource<Pixel>> &&
                  sizeof(Pixel) > 1) {
        KeyedCopy(Target<Pixel>(blitter, dstX, dstY), 0, source, 0, width, 1, (flags & 1) != 0,
                  blitter->GetColourKey());
    } else {
        Span<Pixel>(Target<Pixel>(blitter, dstX, dstY), source, width, (flags & 1) != 0, blitter->GetColourKey(),
                    op);
    }
}

template <typename Pixel, auto Source, typename Op>
void PlainRow(std::uint32_t, CSoftwareImage* image, std::int32_t dstX, std::int32_t dstY, std::int32_t srcX,
              std::int32_t srcY, std::int32_t width, std::uint32_t flags) {
    Row<Pixel, Source>(Op{}, image, dstX, dstY, srcX, srcY, width, flags);
}

// Opaque alpha is a copy; transparent draws nothing.
template <typename Layout, auto Source>
void AlphaRow(std::uint32_t param, CSoftwareImage* image, std::int32_t dstX, std::int32_t dstY, std::int32_t srcX,
              std::int32_t srcY, std::int32_t width, std::uint32_t flags) {
    using Pixel = typename Layout::Pixel;
    const auto opacity = static_cast<std::int32_t>(param & 255);
    if (opacity == 255) {
        Row<Pixel, Source>(Copy{}, image, dstX, dstY, srcX, srcY, width, flags);
    } else if (opacity != 0) {
        Row<Pixel, Source>(Alpha<Layout>{opacity}, image, dstX, dstY, srcX, srcY, width, flags);
    }
}

}  // namespace

#define VK_ROW_FUNCTION(name, ...)                                                                              \
    void CSoftwareBlitter::name(std::uint32_t param, CSoftwareImage* image, std::int32_t dstX, std::int32_t dstY, \
                                std::int32_t srcX, std::int32_t srcY, std::int32_t width, std::uint32_t flags) {   \
        __VA_ARGS__(param, image, dstX, dstY, srcX, srcY, width, flags);                                        \
    }

VK_ROW_FUNCTION(BlitRowCopy8, PlainRow<Pixel8, Direct<Pixel8>, Copy>)
VK_ROW_FUNCTION(BlitRowCopy16, PlainRow<Pixel16, Direct<Pixel16>, Copy>)
VK_ROW_FUNCTION(BlitRowCopy32, PlainRow<Pixel32, Direct<Pixel32>, Copy>)
VK_ROW_FUNCTION(BlitRowAlpha16, AlphaRow<Layout565, Direct<Pixel16>>)
VK_ROW_FUNCTION(BlitRowAlpha666, AlphaRow<Layout666, Direct<Pixel32>>)
VK_ROW_FUNCTION(BlitRowAlpha8888, AlphaRow<Layout8888, Direct<Pixel32>>)
VK_ROW_FUNCTION(BlitRowAdd16, PlainRow<Pixel16, Direct<Pixel16>, Add>)
VK_ROW_FUNCTION(BlitRowAdd666, PlainRow<Pixel32, Direct<Pixel32>, Add>)
VK_ROW_FUNCTION(BlitRowAdd8888, PlainRow<Pixel32, Direct<Pixel32>, Add>)
VK_ROW_FUNCTION(BlitRowSub16, PlainRow<Pixel16, Direct<Pixel16>, Subtract<Layout565>>)
VK_ROW_FUNCTION(BlitRowSub666, PlainRow<Pixel32, Direct<Pixel32>, Subtract<Layout666>>)
VK_ROW_FUNCTION(BlitRowSub8888, PlainRow<Pixel32, Direct<Pixel32>, Subtract<Layout8888>>)
VK_ROW_FUNCTION(BlitRowPalCopy8, PlainRow<Pixel8, Palettized<Pixel8>, Copy>)
VK_ROW_FUNCTION(BlitRowPalCopy16, PlainRow<Pixel16, Palettized<Pixel16>, Copy>)
VK_ROW_FUNCTION(BlitRowPalCopy32, PlainRow<Pixel32, Palettized<Pixel32>, Copy>)
VK_ROW_FUNCTION(BlitRowPalAlpha16, AlphaRow<Layout565, Palettized<Pixel16>>)
VK_ROW_FUNCTION(BlitRowPalAlpha666, AlphaRow<Layout666, Palettized<Pixel32>>)
VK_ROW_FUNCTION(BlitRowPalAlpha8888, AlphaRow<Layout8888, Palettized<Pixel32>>)
VK_ROW_FUNCTION(BlitRowPalAdd16, PlainRow<Pixel16, Palettized<Pixel16>, Add>)
VK_ROW_FUNCTION(BlitRowPalAdd666, PlainRow<Pixel32, Palettized<Pixel32>, Add>)
VK_ROW_FUNCTION(BlitRowPalAdd8888, PlainRow<Pixel32, Palettized<Pixel32>, Add>)
VK_ROW_FUNCTION(BlitRowPalSub16, PlainRow<Pixel16, Palettized<Pixel16>, Subtract<Layout565>>)
VK_ROW_FUNCTION(BlitRowPalSub666, PlainRow<Pixel32, Palettized<Pixel32>, Subtract<Layout666>>)
VK_ROW_FUNCTION(BlitRowPalSub8888, PlainRow<Pixel32, Palettized<Pixel32>, Subtract<Layout8888>>)

#undef VK_ROW_FUNCTION

void CSoftwareBlitter::BlitRows(RowFunction rowFunction, std::uint32_t param, CSoftwareImage* image,
                                std::int32_t dstX, std::int32_t dstY, std::int32_t srcX, std::int32_t srcY,
                                std::int32_t srcStep, std::int32_t width, std::int32_t rows, std::uint32_t flags) {
    const CSoftwareBlitter* blitter = image->GetBlitter();
    const bool mirror = (flags & 1) != 0;
    const std::int64_t srcRow = std::int64_t{srcStep} * image->GetWidth();
    if (rowFunction == BlitRowCopy16) {
        KeyedCopy(Target<Pixel16>(blitter, dstX, dstY), blitter->GetPitch(), Direct<Pixel16>(image, srcX, srcY),
                  srcRow * 2, width, rows, mirror, blitter->GetColourKey());
    } else if (rowFunction == BlitRowCopy32) {
        KeyedCopy(Target<Pixel32>(blitter, dstX, dstY), blitter->GetPitch(), Direct<Pixel32>(image, srcX, srcY),
                  srcRow * 4, width, rows, mirror, blitter->GetColourKey());
    } else {
        for (std::int32_t i = 0; i < rows; ++i) {
            rowFunction(param, image, dstX, dstY + i, srcX, srcY + i * srcStep, width, flags);
        }
    }
}

std::uint32_t CSoftwareBlitter::Init(std::uint32_t format, std::uint8_t* targetBase, std::int32_t pitch) {
    *this = CSoftwareBlitter();
    // Per format: the native entries 0-3, then the palettized ones 8-11.
    static constexpr RowFunction k565[] = {BlitRowCopy16,    BlitRowAlpha16,    BlitRowAdd16,    BlitRowSub16,
                                           BlitRowPalCopy16, BlitRowPalAlpha16, BlitRowPalAdd16, BlitRowPalSub16};
    static constexpr RowFunction k666[] = {BlitRowCopy32,    BlitRowAlpha666,    BlitRowAdd666,    BlitRowSub666,
                                           BlitRowPalCopy32, BlitRowPalAlpha666, BlitRowPalAdd666, BlitRowPalSub666};
    static constexpr RowFunction k8888[] = {BlitRowCopy32,     BlitRowAlpha8888,    BlitRowAdd8888,
                                            BlitRowSub8888,    BlitRowPalCopy32,    BlitRowPalAlpha8888,
                                            BlitRowPalAdd8888, BlitRowPalSub8888};
    const RowFunction* rows = nullptr;
    switch (format) {
        case kPixelFormatRgb565:
            rows = k565;
            m_key = 0xF81F;
            break;
        case kPixelFormatRgb666:
            rows = k666;
            m_key = 0x0003F03F;
            break;
        case kPixelFormatXrgb8888:
            rows = k8888;
            m_key = 0xFFFF00FF;
            break;
        default:
            DebugPrintf("CSoftwareBlitter: pixel format 0x%X is not supported", format);
            return 0;
    }
    for (std::uint32_t i = 0; i < 4; ++i) {
        m_rows[kNative + i] = rows[i];
        m_rows[kPalettized + i] = rows[4 + i];
    }
    m_format = format;
    m_target = targetBase;
    m_pitch = pitch;
    return 1;
}
