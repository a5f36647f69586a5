#include "src/LocalWidgets/WidgetLinks.h"

#include "platform/shared/graphics/2d/CRect.h"
#include "src/CNode.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace widgetlinks {

namespace {

Backend* g_backend = nullptr;

}  // namespace

void SetBackend(Backend* backend) { g_backend = backend; }

std::int32_t SpriteHeight(SZ_Presenter* sprite) {
    if (g_backend != nullptr) return g_backend->SpriteHeight(sprite);
    CRect bounds;
    sprite->getBounds(&bounds);
    return bounds.h;
}

void DrawSpriteAtOffset(SZ_Presenter* sprite, std::int32_t x, std::int32_t y) {
    if (g_backend != nullptr) return g_backend->DrawSpriteAtOffset(sprite, x, y);
    sprite->setOffset(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    sprite->drawAtOrigin();
}

void DrawSprite(SZ_Presenter* sprite, std::int32_t x, std::int32_t y) {
    if (g_backend != nullptr) return g_backend->DrawSprite(sprite, x, y);
    sprite->draw(x, y);
}

void UpdateSprite(SZ_Presenter* sprite, std::uint32_t dt) {
    if (g_backend != nullptr) return g_backend->UpdateSprite(sprite, dt);
    sprite->update(dt);
}

void StartSpriteAnimation(SZ_Presenter* sprite, std::int32_t animation) {
    if (g_backend != nullptr) return g_backend->StartSpriteAnimation(sprite, animation);
    sprite->setAnimation(animation, 0, 0);
}

std::int32_t TransitionElapsed(const CNode* node) {
    return g_backend != nullptr ? g_backend->TransitionElapsed(node) : node->GetTransitionElapsed();
}

std::int32_t TransitionTime(const CNode* node) {
    return g_backend != nullptr ? g_backend->TransitionTime(node) : node->GetTransitionTime();
}

}  // namespace widgetlinks
