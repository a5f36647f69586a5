#include "src/CImageScreen.h"

#include <algorithm>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/DrawingUtil.h"
#include "src/LocalWidgets/CWidget.h"
#include "src/LocalWidgets/CUIWidget.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace {

constexpr const char* kSource = "CImageScreen";

// The screen's rect, filled with the colour.
CRect FillScreen(std::uint32_t colour) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, __LINE__);
    const CRect screen = WidgetRect(0, 0, width, height);
    CDrawUtil::FillRect(&screen, colour);
    return screen;
}

// Position start + (end - start) x t / duration of the fraction, in pixels
// of a screen side.
std::int16_t Travel(std::int32_t start, std::int32_t end, std::int64_t t, std::int64_t duration, std::int32_t side) {
    const std::int64_t along = duration > 0 ? (std::int64_t{end} - start) * t / duration : std::int64_t{end} - start;
    return static_cast<std::int16_t>((std::int64_t{start} * side + along * side) >> 10);
}

}  // namespace

void CImageScreen::SetContent(std::uint32_t background, std::uint32_t imageId, std::int32_t minimumMs,
                              std::int32_t maximumMs) {
    m_background = background;
    m_imageId = imageId;
    m_minimum = minimumMs;
    m_maximum = maximumMs;
}

std::int32_t CImageScreen::Init() {
    m_elapsed = 0;
    m_skipRequested = 0;
    if (m_imageId != 0) m_image = CGameApp::GetResMgr()->GetImage(m_imageId, 0);
    m_redraw = 1;
    return 0;
}

void CImageScreen::Exit() {
    if (m_imageId != 0) CGameApp::GetResMgr()->Release(m_imageId, 0);
    m_image = nullptr;
}

std::uint8_t CImageScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t /*param2*/) {
    if (id == EVENT_KEY_PRESS) {
        if (param1 == CUIWidget::kKeySelect) m_skipRequested = 1;
        if (param1 == CUIWidget::kKeyBack) StoreResult(2);
        return 1;
    }
    if (!IsRedrawEvent(id)) return 0;
    m_redraw = 1;
    return 1;
}

std::uint32_t CImageScreen::Update(std::uint32_t dt) {
    m_elapsed = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{m_elapsed} + dt, kMaxElapsed));
    if (m_elapsed >= m_maximum || (m_skipRequested != 0 && m_elapsed >= m_minimum)) StoreResult(1);
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    if (keys != nullptr && keys->TakePendingTap()) StoreResult(1);
    return 1;
}

std::uint8_t CImageScreen::Draw() {
    if (m_redraw == 0) return 0;
    const CRect screen = FillScreen(m_background);
    if (m_image != nullptr) {
        m_image->Draw(&screen, (screen.w - m_image->GetWidth()) / 2, (screen.h - m_image->GetHeight()) / 2);
    }
    m_redraw = 0;
    return 1;
}

void AnimatedImageScreen::SetMotion(std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY,
                                    std::int32_t delayMs, std::int32_t durationMs) {
    m_startX = startX;
    m_startY = startY;
    m_endX = endX;
    m_endY = endY;
    m_delay = delayMs;
    m_duration = durationMs;
}

std::int32_t AnimatedImageScreen::Init() {
    CImageScreen::Init();
    if (m_sprite != nullptr) {
        m_sprite->getTimeline().rewind(-1);
        CRect bounds;
        m_sprite->getBounds(&bounds);
        m_spriteOffsetY = static_cast<std::int16_t>(bounds.h / 2);
        m_sprite->getTimeline().rewind(1);
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, __LINE__);
    m_x = Travel(m_startX, m_startX, 0, 1, width);
    m_y = Travel(m_startY, m_startY, 0, 1, height);
    return 0;
}

std::uint8_t AnimatedImageScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    const std::uint8_t handled = CImageScreen::HandleEvent(id, param1, param2);
    const CGameData* data = CGameApp::GetGameData();
    ICMediaPlayer* media = ICMediaPlayer::GetInstance();
    if (IsRedrawEvent(id) && data != nullptr && data->GetTitleSound() != nullptr && media != nullptr) {
        const CBinRes* sound = data->GetTitleSound();
        media->PlaySound(sound->GetPayload(), sound->GetPayloadSize(), 0, 255);
    }
    return handled;
}

std::uint32_t AnimatedImageScreen::Update(std::uint32_t dt) {
    m_skipRequested = 0;
    CImageScreen::Update(dt);
    if (m_sprite != nullptr) {
        m_sprite->update(dt);
        // The delay counts from the end of the sprite's animation.
        if (!m_sprite->isAnimationFinished()) {
            m_elapsed = 0;
            m_redraw = 1;
        }
    }
    const std::int64_t t = std::int64_t{m_elapsed} - m_delay;
    if (t > 0) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        GetScreenSize(&width, &height, kSource, __LINE__);
        const std::int64_t capped = std::min<std::int64_t>(t, m_duration);
        m_x = Travel(m_startX, m_endX, capped, m_duration, width);
        m_y = Travel(m_startY, m_endY, capped, m_duration, height);
        m_redraw = 1;
    }
    return 1;
}

std::uint8_t AnimatedImageScreen::Draw() {
    if (m_redraw == 0) return 0;
    const CRect screen = FillScreen(m_background);
    if (m_image != nullptr) m_image->Draw(&screen, m_x - m_image->GetWidth() / 2, m_y - m_image->GetHeight() / 2);
    if (m_sprite != nullptr) m_sprite->draw(m_x, m_y + m_spriteOffsetY);
    m_redraw = 0;
    return 1;
}
