#include "platform/shared/graphics/2d/ICRenderSurface.h"

#include "platform/shared/graphics/2d/RectUtil.h"

void ClipToSurface(CRect* rect, ICRenderSurface* surface) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    surface->GetSize(&width, &height);
    const CRect bounds(0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height));
    ClipRect(rect, &bounds);
}
