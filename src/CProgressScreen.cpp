#include "src/CProgressScreen.h"

#include <algorithm>

#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/DrawingUtil.h"
#include "src/LocalWidgets/CUIWidget.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

constexpr const char* kSource = "CProgressScreen";

}  // namespace

void CProgressScreen::SetContent(std::uint32_t background, std::uint32_t imageId, std::uint32_t captionId) {
    m_background = background;
    m_imageId = imageId;
    m_captionId = captionId;
}

std::int32_t CProgressScreen::Init() {
    m_percent = 0;
    m_redraw = 1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, 181);
    CResMgr* resources = CGameApp::GetResMgr();
    if (m_imageId != 0) m_image = resources->GetImage(m_imageId, 0);
    std::int32_t y = (height + (m_image != nullptr ? m_image->GetHeight() : 0)) / 2 + 5;
    if (m_captionId != 0) {
        m_caption.SetId(0);
        m_caption.SetAlignment(CUIWidget::kAlignHCentre);
        m_caption.SetColours(0xFF000000, 0xFFFFFFFF, 0xFF0000FF);
        m_caption.SetTransparent(false);
        CFontMgr* fonts = CGameApp::GetFontMgr();
        m_caption.SetFont(fonts != nullptr ? fonts->GetFont(0) : nullptr);
        m_caption.SetText(resources->GetText(m_captionId, 0));
        m_caption.SetLocalRect(WidgetRect(0, y, width, 0));
        const std::int32_t captionHeight = m_caption.GetMeasuredHeight();
        m_caption.SetLocalRect(WidgetRect(0, y, width, captionHeight));
        y += captionHeight + 5;
    }
    m_bar.SetId(0);
    m_bar.SetAlignment(CUIWidget::kAlignHCentre);
    m_bar.SetColours(0xFF000000, 0xFFFF9600, 0xFFFF6400);
    m_bar.SetTrackColour(0xFF7E9092);
    m_bar.SetTransparent(false);
    const ICCore* core = ICCore::GetInstance();
    m_bar.SetThickness(2 * (core != nullptr ? core->GetPlatformCode() : 0));
    m_bar.SetLength(height / 2);
    m_bar.SetLocalRect(WidgetRect(0, y, width, 0));
    m_bar.SetLocalRect(WidgetRect(0, y, width, m_bar.GetMeasuredHeight()));
    return 0;
}

void CProgressScreen::Exit() {
    CResMgr* resources = CGameApp::GetResMgr();
    if (m_imageId != 0) resources->Release(m_imageId, 0);
    if (m_captionId != 0) resources->Release(m_captionId, 0);
    m_image = nullptr;
    m_caption.SetText(nullptr);
}

std::uint8_t CProgressScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t /*param2*/) {
    if (id == EVENT_KEY_PRESS) {
        if (param1 == CUIWidget::kKeyBack) SetResult(2);
        return 1;
    }
    if (!IsRedrawEvent(id)) return 0;
    m_redraw = 1;
    return 1;
}

std::uint32_t CProgressScreen::Update(std::uint32_t /*dt*/) {
    if (m_bar.GetValue() != m_percent) {
        m_bar.SetValue(m_percent);
        m_redraw = 1;
    }
    if (m_percent >= 100) SetResult(1);
    return 1;
}

std::uint8_t CProgressScreen::Draw() {
    if (m_redraw == 0) return 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, 104);
    const CRect screen = WidgetRect(0, 0, width, height);
    CDrawUtil::FillRect(&screen, m_background);
    if (m_image != nullptr) m_image->Draw(&screen, (width - m_image->GetWidth()) / 2, (height - m_image->GetHeight()) / 2);
    // The fill covered both widgets: each paints again.
    if (m_captionId != 0) {
        m_caption.MarkDirty();
        m_caption.Paint();
    }
    m_bar.MarkDirty();
    m_bar.Paint();
    m_redraw = 0;
    return 1;
}

void CResLoadScreen::SetBank(std::uint32_t bankId, std::uint32_t delayMs) {
    m_bank.SetBank(bankId);
    m_delay = delayMs;
}

std::int32_t CResLoadScreen::Init() {
    CProgressScreen::Init();
    m_bar.SetVisible(false);
    m_startTimer.Start(static_cast<std::int32_t>(m_delay), false);
    const SZ_Home* home = CGameApp::GetSpriteHome();
    m_spriteWorkAtStart = home != nullptr ? home->GetLoadProgress() : 0;
    m_loading = 0;
    return 0;
}

std::uint8_t CResLoadScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    const std::uint8_t handled = CProgressScreen::HandleEvent(id, param1, param2);
    if (id == EVENT_KEY_PRESS && (param1 == CUIWidget::kKeySelect || param1 == CUIWidget::kKeyLeftSoft)) {
        m_startTimer.Stop();
    }
    return handled;
}

std::uint32_t CResLoadScreen::Update(std::uint32_t dt) {
    CProgressScreen::Update(dt);
    if (m_loading == 0) {
        m_startTimer.Update(static_cast<std::int32_t>(dt));
        if (!m_startTimer.IsActive()) {
            m_loading = 1;
            m_bar.SetVisible(true);
        }
        return 1;
    }
    SZ_Home* home = CGameApp::GetSpriteHome();
    if (m_bank.GetState() == CResBank::kLoading) {
        m_bank.LoadSlice();
    } else if (home != nullptr) {
        home->ProcessLoadQueue(kSpriteSliceMs);
    }
    // The bank counts the entry it failed on as handled: not loaded here.
    const bool failed = m_bank.GetState() == CResBank::kFailed;
    const std::int64_t bankDone = std::int64_t{m_bank.GetLoadedCount()} - (failed && m_bank.GetLoadedCount() > 0 ? 1 : 0);
    const std::int64_t spritesDone = std::int64_t{m_spriteWorkAtStart} - (home != nullptr ? home->GetLoadProgress() : 0);
    const std::int64_t total = std::int64_t{m_bank.GetTotalCount()} + m_spriteWorkAtStart;
    // Nothing to load at all is done at once. A bank that failed (its list
    // missing, or an entry) never ends as loaded, whatever else was done.
    std::int64_t percent = total > 0 ? (bankDone + spritesDone) * 100 / total : failed ? 0 : 100;
    if (failed) percent = std::min<std::int64_t>(percent, 99);
    m_percent = static_cast<std::int32_t>(percent);
    return 1;
}
