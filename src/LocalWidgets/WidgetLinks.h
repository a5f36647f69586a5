// The widgets' only calls into two neighbours: the sprite presenter that
// draws scroll indicators and focus sprites, and the node whose intro
// transition times a text's slide-in. Widgets keep the pointers (never
// owned) and reach both through these functions alone. The sprite calls
// are the toolkit's own; the node calls belong to the application
// framework (src/CNode.cpp), so that the toolkit includes none of its
// headers.
#pragma once

#include <cstdint>

class CNode;
class SZ_Presenter;

namespace widgetlinks {

// Height of the bounding box of the sprite's current frame.
std::int32_t SpriteHeight(SZ_Presenter* sprite);
// Makes (x, y) the sprite's draw offset and draws it there.
void DrawSpriteAtOffset(SZ_Presenter* sprite, std::int32_t x, std::int32_t y);
// Draws the sprite's current frame at (x, y).
void DrawSprite(SZ_Presenter* sprite, std::int32_t x, std::int32_t y);
void UpdateSprite(SZ_Presenter* sprite, std::uint32_t dt);
// Selects the animation (no flags, no loop) and plays it from its start.
void StartSpriteAnimation(SZ_Presenter* sprite, std::int32_t animation);

// Milliseconds the node's intro transition has run (at most its length),
// and that length.
std::int32_t TransitionElapsed(const CNode* node);
std::int32_t TransitionTime(const CNode* node);

}  // namespace widgetlinks
