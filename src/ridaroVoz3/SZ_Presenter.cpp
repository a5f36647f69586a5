#include "src/ridaroVoz3/SZ_Presenter.h"

#include <utility>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CGameApp.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

constexpr const char* kSource = "SZ_Presenter";

}  // namespace

void SZ_Presenter::setArchetypeCharacter(std::int32_t archetype, std::int32_t character) {
    DebugAssert(archetype >= 0 && archetype < 256, kSource, 192);
    DebugAssert(character >= 0 && character < 256, kSource, 193);
    m_archetype = static_cast<std::uint8_t>(archetype);
    m_character = static_cast<std::uint8_t>(character);
}

void SZ_Presenter::setCharacter(std::int32_t character) {
    DebugAssert(character >= 0 && character < 256, kSource, 208);
    m_character = static_cast<std::uint8_t>(character);
}

void SZ_Presenter::setAnimation(std::int32_t animation, std::uint8_t flags, std::uint8_t loop) {
    const SZ_Home* home = CGameApp::GetSpriteHome();
    DebugAssert(animation >= -1 && animation < 65536, kSource, 74);
    m_flags = flags;
    m_animation = animation;
    // Sprites that broken data left unloaded have no timeline and draw nothing.
    if (animation == -1 || !home->IsArchetypeCharacterLoaded(m_archetype, m_character)) return;
    const SZ_Archetype& archetype = *home->GetArchetype(m_archetype);
    if (animation >= archetype.animationCount) {
        DebugPrintf("SZ_Presenter::setAnimation() archetype %d has no animation %d (%d): none set", m_archetype,
                    animation, archetype.animationCount);
        m_animation = -1;
        return;
    }
    const SZ_Animation& played = archetype.animations[animation];
    m_timeline.set(played.durations.get(), played.frameCount, 1, 1, loop);
}

bool SZ_Presenter::refreshTimeline() {
    if (m_animation == -1) return false;
    const SZ_Home* home = CGameApp::GetSpriteHome();
    const SZ_Archetype* archetype = home->IsConstructed() ? home->GetArchetype(m_archetype) : nullptr;
    if (archetype == nullptr || m_animation >= archetype->animationCount) return false;
    const SZ_Animation& played = archetype->animations[m_animation];
    if (played.frameCount != m_timeline.getFrameCount()) return false;
    m_timeline.setDurations(played.durations.get());
    return true;
}

void SZ_Presenter::update(std::uint32_t dt) {
    if (refreshTimeline()) m_timeline.advance(dt);
}

void SZ_Presenter::restartAnimation() {
    if (refreshTimeline()) m_timeline.restart();
}

void SZ_Presenter::rewindAnimation() {
    if (refreshTimeline()) m_timeline.rewind(m_timeline.getDirection());
}

void SZ_Presenter::seekAnimation(std::uint32_t t) {
    if (!refreshTimeline()) return;
    m_timeline.rewind(m_timeline.getDirection());
    m_timeline.advance(t);
}

void SZ_Presenter::reverseAnimation() {
    if (refreshTimeline()) m_timeline.reverse();
}

void SZ_Presenter::draw(std::int32_t x, std::int32_t y) {
    std::int32_t width = 0, height = 0;
    ICGraphics2d::GetInstance()->GetRenderSurface()->GetSize(&width, &height);
    drawClipped(x, y, CRect(0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)));
}

void SZ_Presenter::drawClipped(std::int32_t x, std::int32_t y, const CRect& clip) {
    SZ_Home* home = CGameApp::GetSpriteHome();
    SZ_DrawContext& context = home->GetDrawContext();
    context.SetClip(clip);
    context.SetOffset(static_cast<std::int16_t>(x + m_offsetX), static_cast<std::int16_t>(y + m_offsetY));
    walk(Mode::kDraw);
    home->EndDraw();
}

void SZ_Presenter::getBounds(CRect* out) {
    SZ_Home* home = CGameApp::GetSpriteHome();
    home->ResetBounds();
    walk(Mode::kBounds);
    *out = home->GetBounds();
}

std::int32_t SZ_Presenter::hitTest(std::int32_t x, std::int32_t y, std::uint8_t radius) {
    SZ_Home* home = CGameApp::GetSpriteHome();
    home->BeginHitTest(x - m_offsetX, y - m_offsetY, radius);
    walk(Mode::kHitTest);
    return home->GetHitResult();
}

std::int32_t SZ_Presenter::findCollisionRect(std::int32_t kind, std::int32_t* x, std::int32_t* y, std::int32_t* w,
                                             std::int32_t* h) {
    SZ_Home* home = CGameApp::GetSpriteHome();
    home->BeginFindRect(kind);
    walk(Mode::kFindRect);
    if (!home->WasRectFound()) return 0;
    const CRect& found = home->GetFoundRect();
    *x = found.x;
    *y = found.y;
    *w = found.w;
    *h = found.h;
    return 1;
}

void SZ_Presenter::walk(Mode mode) {
    SZ_Home* home = CGameApp::GetSpriteHome();
    if (m_animation == -1 || !home->IsArchetypeCharacterLoaded(m_archetype, m_character)) return;
    const SZ_Archetype& archetype = *home->GetArchetype(m_archetype);
    if (m_animation >= archetype.animationCount) return;
    const SZ_Animation& animation = archetype.animations[m_animation];
    const std::uint8_t current = m_timeline.getCurrentFrame();
    if (current >= animation.frameCount) return;  // no frames
    const SZ_Frame& frame = archetype.frames[animation.frames[current]];
    const std::int8_t spritemap = archetype.characters[m_character].spritemap;
    const bool boxesOnly = m_boxesOnly != 0;
    for (std::int32_t f = frame.count - 1; f >= 0; --f) {
        const SZ_Placement& layerAt = frame.entries[f];
        const SZ_Layer& layer = archetype.layers[layerAt.id];
        for (std::int32_t l = layer.count - 1; l >= 0; --l) {
            const SZ_Placement& spriteAt = layer.entries[l];
            const std::uint16_t sprite = home->ResolveSprite(spritemap, spriteAt.id);
            std::int32_t x = layerAt.dx + spriteAt.dx, y = layerAt.dy + spriteAt.dy, w = 0, h = 0;
            home->GetSpriteSize(sprite, &w, &h);
            if ((m_flags & kFlagMirror) != 0) x = -(x + w);
            if ((m_flags & kFlagFlip) != 0) y = -(y + h);
            if ((m_flags & kFlagTranspose) != 0) {
                std::swap(x, y);
                std::swap(w, h);
            }
            switch (mode) {
                case Mode::kDraw:
                    home->DrawSprite(x, y, w, h, sprite, m_flags);
                    break;
                case Mode::kHitTest:
                    home->HitTestRect(x, y, w, h, sprite, boxesOnly);
                    break;
                case Mode::kBounds:
                    home->AddToBounds(x, y, w, h);
                    break;
                case Mode::kFindRect:
                    if (home->FindRectAt(x, y, w, h, sprite, boxesOnly)) return;
                    break;
            }
        }
    }
}
