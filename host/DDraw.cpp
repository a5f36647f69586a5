#include "host/DDraw.h"

#include <png.h>

#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "host/DisplayPresenter.h"
#include "host/WindowBackend.h"

namespace {

using host::DisplayFault;
using host::DisplayFormat;

constexpr DWORD kOffscreenFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
constexpr DWORD kMaxSurfaceSide = 16384;

// Everything the display services keep; one per process, on the game's one
// thread.
struct DisplayState {
    DisplayFormat format;
    int padding = 0;
    bool faults[static_cast<int>(DisplayFault::Count)] = {};
    std::optional<host::Frame> frame;
    bool captureSdl = false;
    bool primaryExists = false;
    int live = 0;
    std::unique_ptr<host::detail::DisplayPresenter> presenter;
    const void* presenterOwner = nullptr;  // the display object that made it
};

DisplayState& D() {
    static DisplayState state;
    return state;
}

bool Faulty(DisplayFault fault) { return D().faults[static_cast<int>(fault)]; }

DDPIXELFORMAT PixelFormatRecord(const DisplayFormat& format) {
    return DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB, 0, format.bitCount, format.redMask, format.greenMask,
                         format.blueMask, 0};
}

DisplayFormat FormatOf(const DDPIXELFORMAT& record) {
    return DisplayFormat{record.dwRGBBitCount, record.dwRBitMask, record.dwGBitMask, record.dwBBitMask};
}

bool ValidDesc(const DDSURFACEDESC* desc) { return desc != nullptr && desc->dwSize == sizeof(DDSURFACEDESC); }

// Nearest-neighbour scaling of a whole surface over a whole surface.
template <int Bytes>
void Stretch(const host::detail::SurfacePixels& from, std::uint8_t* to, int width, int height, int pitch) {
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* sourceRow = from.bits + static_cast<std::ptrdiff_t>(y * from.height / height) * from.pitch;
        std::uint8_t* row = to + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < width; ++x) {
            std::memcpy(row + x * Bytes, sourceRow + (x * from.width / width) * Bytes, Bytes);
        }
    }
}

class Surface final : public IDirectDrawSurface {
public:
    static Surface* Create(int width, int height, const DisplayFormat& format, bool primary) {
        const int bytes = static_cast<int>(format.bitCount / 8);
        const std::int64_t pitch = ((std::int64_t{width} * bytes + 3) & ~std::int64_t{3}) + D().padding;
        auto* surface = new (std::nothrow) Surface(width, height, static_cast<int>(pitch), format, primary);
        if (surface == nullptr) return nullptr;
        surface->m_bits.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(pitch * height)]());
        if (!surface->m_bits) {
            delete surface;
            return nullptr;
        }
        return surface;
    }

    HRESULT GetSurfaceDesc(DDSURFACEDESC* desc) override {
        if (!ValidDesc(desc)) return DDERR_INVALIDPARAMS;
        if (Faulty(DisplayFault::SurfaceDesc)) return DDERR_GENERIC;
        Describe(desc);
        return DD_OK;
    }

    HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD, HANDLE) override {
        if (rect != nullptr) return DDERR_UNSUPPORTED;
        if (!ValidDesc(desc)) return DDERR_INVALIDPARAMS;
        if (Faulty(DisplayFault::Lock)) return DDERR_SURFACEBUSY;
        Describe(desc);
        desc->lpSurface = m_bits.get();
        m_locked = true;
        return DD_OK;
    }

    HRESULT Unlock(RECT*) override {
        if (!m_locked) return DDERR_NOTLOCKED;
        m_locked = false;
        return DD_OK;
    }

    HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD, DDBLTFX* fx) override {
        auto* from = static_cast<Surface*>(source);
        if (destRect != nullptr || sourceRect != nullptr || fx != nullptr || !m_primary) return DDERR_UNSUPPORTED;
        if (from == nullptr || from == this || from->m_primary || from->m_format != m_format) {
            return DDERR_INVALIDPARAMS;
        }
        if (m_locked || from->m_locked) return DDERR_SURFACEBUSY;
        if (Faulty(DisplayFault::Blt)) return DDERR_GENERIC;
        DisplayState& d = D();
        if (d.presenter) {
            host::Frame capture;
            if (!d.presenter->Present(from->Pixels(), d.captureSdl ? &capture : nullptr)) return DDERR_UNSUPPORTED;
            if (d.captureSdl) d.frame = std::move(capture);
            return DD_OK;
        }
        switch (m_format.bitCount / 8) {
            case 1: Stretch<1>(from->Pixels(), m_bits.get(), m_width, m_height, m_pitch); break;
            case 2: Stretch<2>(from->Pixels(), m_bits.get(), m_width, m_height, m_pitch); break;
            case 3: Stretch<3>(from->Pixels(), m_bits.get(), m_width, m_height, m_pitch); break;
            default: Stretch<4>(from->Pixels(), m_bits.get(), m_width, m_height, m_pitch); break;
        }
        KeepFrame();
        return DD_OK;
    }

    ULONG Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

private:
    Surface(int width, int height, int pitch, const DisplayFormat& format, bool primary)
        : m_width(width), m_height(height), m_pitch(pitch), m_format(format), m_primary(primary) {
        ++D().live;
        if (primary) D().primaryExists = true;
    }

    ~Surface() {
        --D().live;
        if (m_primary) D().primaryExists = false;
    }

    void Describe(DDSURFACEDESC* desc) const {
        std::memset(desc, 0, sizeof *desc);
        desc->dwSize = sizeof *desc;
        desc->dwFlags = kOffscreenFlags | DDSD_PITCH;
        desc->dwWidth = static_cast<DWORD>(m_width);
        desc->dwHeight = static_cast<DWORD>(m_height);
        desc->lPitch = m_pitch;
        desc->ddpfPixelFormat = PixelFormatRecord(m_format);
        desc->ddsCaps.dwCaps = m_primary ? DDSCAPS_PRIMARYSURFACE : DDSCAPS_SYSTEMMEMORY;
    }

    host::detail::SurfacePixels Pixels() const {
        return host::detail::SurfacePixels{m_width, m_height, m_pitch, m_format, m_bits.get()};
    }

    // The primary's contents become the kept frame (rows without padding).
    // The kept frame's buffer is reused: a present allocates nothing once
    // the first frame of a size has been kept.
    void KeepFrame() const {
        if (!D().frame) D().frame.emplace();
        host::Frame& frame = *D().frame;
        const std::size_t rowBytes = static_cast<std::size_t>(m_width) * (m_format.bitCount / 8);
        frame.width = m_width;
        frame.height = m_height;
        frame.bitCount = m_format.bitCount;
        frame.format = m_format;
        frame.pixels.resize(rowBytes * static_cast<std::size_t>(m_height));
        for (int y = 0; y < m_height; ++y) {
            std::memcpy(frame.pixels.data() + rowBytes * static_cast<std::size_t>(y),
                        m_bits.get() + static_cast<std::ptrdiff_t>(y) * m_pitch, rowBytes);
        }
    }

    int m_width;
    int m_height;
    int m_pitch;
    DisplayFormat m_format;
    bool m_primary;
    bool m_locked = false;
    ULONG m_references = 1;
    std::unique_ptr<std::uint8_t[]> m_bits;
};

class DirectDraw final : public IDirectDraw {
public:
    DirectDraw() { ++D().live; }

    HRESULT SetCooperativeLevel(HWND window, DWORD) override {
        if (Faulty(DisplayFault::CooperativeLevel)) return DDERR_GENERIC;
        DisplayState& d = D();
        if (host::detail::Options().backend == host::Backend::Sdl && window != nullptr && window->native != nullptr) {
            d.presenter = host::detail::MakeSdlPresenter(window->native);
            d.presenterOwner = d.presenter ? this : nullptr;
            if (!d.presenter) return DDERR_GENERIC;
        }
        return DD_OK;
    }

    HRESULT GetDisplayMode(DDSURFACEDESC* desc) override {
        if (!ValidDesc(desc)) return DDERR_INVALIDPARAMS;
        if (Faulty(DisplayFault::DisplayMode)) return DDERR_GENERIC;
        std::memset(desc, 0, sizeof *desc);
        desc->dwSize = sizeof *desc;
        desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
        desc->dwWidth = static_cast<DWORD>(host::detail::ScreenWidth());
        desc->dwHeight = static_cast<DWORD>(host::detail::ScreenHeight());
        desc->lPitch = static_cast<LONG>(desc->dwWidth * (D().format.bitCount / 8));
        desc->ddpfPixelFormat = PixelFormatRecord(D().format);
        return DD_OK;
    }

    HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) override {
        for (DDCAPS* caps : {driverCaps, emulationCaps}) {
            if (caps != nullptr && caps->dwSize != sizeof(DDCAPS)) return DDERR_INVALIDPARAMS;
        }
        if (Faulty(DisplayFault::Caps)) return DDERR_GENERIC;
        for (DDCAPS* caps : {driverCaps, emulationCaps}) {
            if (caps != nullptr) *caps = DDCAPS{sizeof(DDCAPS), 0, 0, 0};
        }
        return DD_OK;
    }

    HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer) override {
        if (surface == nullptr) return DDERR_INVALIDPARAMS;
        *surface = nullptr;
        if (!ValidDesc(desc) || outer != nullptr || (desc->dwFlags & DDSD_CAPS) == 0) return DDERR_INVALIDPARAMS;
        const DisplayFormat& format = D().format;
        Surface* made = nullptr;
        if (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
            if (D().primaryExists) return DDERR_PRIMARYSURFACEALREADYEXISTS;
            if (Faulty(DisplayFault::PrimarySurface)) return DDERR_GENERIC;
            made = Surface::Create(host::detail::ScreenWidth(), host::detail::ScreenHeight(), format, true);
        } else {
            if ((desc->dwFlags & kOffscreenFlags) != kOffscreenFlags || desc->dwWidth == 0 || desc->dwHeight == 0 ||
                desc->dwWidth > kMaxSurfaceSide || desc->dwHeight > kMaxSurfaceSide ||
                FormatOf(desc->ddpfPixelFormat) != format) {
                return DDERR_INVALIDPARAMS;
            }
            if (Faulty(DisplayFault::OffscreenSurface)) return DDERR_GENERIC;
            made = Surface::Create(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), format, false);
        }
        if (made == nullptr) return DDERR_OUTOFMEMORY;
        *surface = made;
        return DD_OK;
    }

    ULONG Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

private:
    ~DirectDraw() {
        DisplayState& d = D();
        if (d.presenterOwner == this) {
            d.presenter.reset();
            d.presenterOwner = nullptr;
        }
        --d.live;
    }

    ULONG m_references = 1;
};

// An 8-bit channel from a masked field, scaled to 0..255.
std::uint32_t Channel(std::uint32_t value, DWORD mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return (((value & mask) >> shift) * 255 + max / 2) / max;
}

}  // namespace

HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, void* outer) {
    if (directDraw == nullptr) return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (driver != nullptr || outer != nullptr) return DDERR_INVALIDPARAMS;
    if (Faulty(DisplayFault::Create)) return DDERR_GENERIC;
    *directDraw = new (std::nothrow) DirectDraw();
    return *directDraw != nullptr ? DD_OK : DDERR_OUTOFMEMORY;
}

namespace host {

void ResetDisplay() {
    DisplayState& d = D();
    d.format = DisplayFormat{};
    d.padding = 0;
    for (bool& fault : d.faults) fault = false;
    d.frame.reset();
    d.captureSdl = false;
    d.presenter.reset();
    d.presenterOwner = nullptr;
}

void SetDisplayFormat(const DisplayFormat& format) { D().format = format; }

void SetPitchPadding(int bytes) { D().padding = bytes > 0 ? bytes : 0; }

void SetDisplayFault(DisplayFault fault, bool fails) { D().faults[static_cast<int>(fault)] = fails; }

const Frame* LastPresentedFrame() { return D().frame ? &*D().frame : nullptr; }

std::uint32_t FramePixelRgb(const Frame& frame, int x, int y) {
    const int bytes = static_cast<int>(frame.bitCount / 8);
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height || bytes < 1 || bytes > 4) return 0;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) +
                            static_cast<std::size_t>(x)) * static_cast<std::size_t>(bytes);
    if (at + static_cast<std::size_t>(bytes) > frame.pixels.size()) return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint32_t{frame.pixels[at + static_cast<std::size_t>(i)]} << (8 * i);
    return Channel(value, frame.format.redMask) << 16 | Channel(value, frame.format.greenMask) << 8 |
           Channel(value, frame.format.blueMask);
}

bool WriteFramePng(const Frame& frame, const char* path) {
    if (path == nullptr || frame.width <= 0 || frame.height <= 0) return false;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 3);
    std::size_t at = 0;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const std::uint32_t pixel = FramePixelRgb(frame, x, y);
            rgb[at++] = static_cast<std::uint8_t>(pixel >> 16);
            rgb[at++] = static_cast<std::uint8_t>(pixel >> 8);
            rgb[at++] = static_cast<std::uint8_t>(pixel);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(frame.width);
    image.height = static_cast<png_uint_32>(frame.height);
    image.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}

void SetCaptureSdlFrames(bool capture) { D().captureSdl = capture; }

int LiveDisplayObjects() { return D().live; }

}  // namespace host
