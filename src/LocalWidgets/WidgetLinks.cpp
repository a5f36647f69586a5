#include "src/LocalWidgets/WidgetLinks.h"

namespace widgetlinks {

namespace {

Backend* g_backend = nullptr;

}  // namespace

void SetBackend(Backend* backend) { g_backend = backend; }

std::int32_t SpriteHeight(SZ_Presenter* sprite) {
    return g_backend != nullptr ? g_backend->SpriteHeight(sprite) : 0;
}

void DrawSpriteAtOffset(SZ_Presenter* sprite, std::int32_t x, std::int32_t y) {
    if (g_backend != nullptr) g_backend->DrawSpriteAtOffset(sprite, x, y);
}

void DrawSprite(SZ_Presenter* sprite, std::int32_t x, std::int32_t y) {
    if (g_backend != nullptr) g_backend->DrawSprite(sprite, x, y);
}

void UpdateSprite(SZ_Presenter* sprite, std::uint32_t dt) {
    if (g_backend != nullptr) g_backend->UpdateSprite(sprite, dt);
}

void StartSpriteAnimation(SZ_Presenter* sprite, std::int32_t animation) {
    if (g_backend != nullptr) g_backend->StartSpriteAnimation(sprite, animation);
}

std::int32_t TransitionElapsed(const CNode* node) {
    return g_backend != nullptr ? g_backend->TransitionElapsed(node) : 0;
}

std::int32_t TransitionTime(const CNode* node) { return g_backend != nullptr ? g_backend->TransitionTime(node) : 0; }

}  // namespace widgetlinks
