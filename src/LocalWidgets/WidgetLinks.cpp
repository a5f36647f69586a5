#include "src/LocalWidgets/WidgetLinks.h"

#include "platform/shared/graphics/2d/CRect.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace widgetlinks {

std::int32_t SpriteHeight(SZ_Presenter* sprite) {
    CRect bounds;
    sprite->getBounds(&bounds);
    return bounds.h;
}

void DrawSpriteAtOffset(SZ_Presenter* sprite, std::int32_t x, std::int32_t y) {
    sprite->setOffset(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    sprite->drawAtOrigin();
}

void DrawSprite(SZ_Presenter* sprite, std::int32_t x, std::int32_t y) { sprite->draw(x, y); }

void UpdateSprite(SZ_Presenter* sprite, std::uint32_t dt) { sprite->update(dt); }

void StartSpriteAnimation(SZ_Presenter* sprite, std::int32_t animation) {
    sprite->setAnimation(animation, 0, 0);
    sprite->restartAnimation();
}

}  // namespace widgetlinks
