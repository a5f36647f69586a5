// Presents surfaces in the SDL window backend's desktop window: the surface
// is streamed into a texture of its own size and drawn over the whole window
// with nearest-neighbour scaling. RGB 565 and XRGB 8888 surfaces are shown;
// the 32-bit texture ignores the top byte, which some blits leave 0.
#include <SDL.h>

#include <cstdio>

#include "host/ThirdPartyScope.h"
#include "host/DisplayPresenter.h"

namespace host::detail {
namespace {

Uint32 TextureFormatOf(const DisplayFormat& format) {
    if (format == kDisplayRgb565) return SDL_PIXELFORMAT_RGB565;
    if (format == kDisplayXrgb8888) return SDL_PIXELFORMAT_RGB888;
    return SDL_PIXELFORMAT_UNKNOWN;
}

class SdlPresenter final : public DisplayPresenter {
public:
    SdlPresenter(SDL_Renderer* renderer, bool ownsRenderer) : m_renderer(renderer), m_ownsRenderer(ownsRenderer) {}

    ~SdlPresenter() override {
        if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
        if (m_ownsRenderer) SDL_DestroyRenderer(m_renderer);
    }

    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    bool Present(const SurfacePixels& source, Frame* capture) override {
        // GL drivers make their lasting allocations on the first frames.
        ThirdPartyScope drivers;
        const Uint32 format = TextureFormatOf(source.format);
        if (format == SDL_PIXELFORMAT_UNKNOWN || !Texture(format, source.width, source.height)) return false;
        if (SDL_UpdateTexture(m_texture, nullptr, source.bits, source.pitch) != 0) return false;
        SDL_RenderClear(m_renderer);
        SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
        if (capture != nullptr) Capture(capture);
        SDL_RenderPresent(m_renderer);
        return true;
    }

private:
    bool Texture(Uint32 format, int width, int height) {
        if (m_texture != nullptr && format == m_format && width == m_width && height == m_height) return true;
        if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
        m_texture = SDL_CreateTexture(m_renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (m_texture == nullptr) {
            std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
            return false;
        }
        SDL_SetTextureScaleMode(m_texture, SDL_ScaleModeNearest);
        m_format = format;
        m_width = width;
        m_height = height;
        return true;
    }

    void Capture(Frame* capture) {
        int width = 0;
        int height = 0;
        if (SDL_GetRendererOutputSize(m_renderer, &width, &height) != 0 || width <= 0 || height <= 0) return;
        capture->width = width;
        capture->height = height;
        capture->bitCount = 32;
        capture->format = kDisplayXrgb8888;
        capture->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
        SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGB888, capture->pixels.data(), width * 4);
    }

    SDL_Renderer* m_renderer;
    bool m_ownsRenderer;
    SDL_Texture* m_texture = nullptr;
    Uint32 m_format = SDL_PIXELFORMAT_UNKNOWN;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace

std::unique_ptr<DisplayPresenter> MakeSdlPresenter(void* sdlWindow) {
    auto* window = static_cast<SDL_Window*>(sdlWindow);
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    const bool owns = renderer == nullptr;
    if (owns) {
        ThirdPartyScope startup;
        renderer = SDL_CreateRenderer(window, -1, 0);
    }
    if (renderer == nullptr) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return nullptr;
    }
    return std::make_unique<SdlPresenter>(renderer, owns);
}

}  // namespace host::detail
