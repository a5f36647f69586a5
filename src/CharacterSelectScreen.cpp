#include "src/CharacterSelectScreen.h"

#include <initializer_list>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/RectUtil.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/DrawingUtil.h"
#include "src/ridaroVoz3/SZ_Home.h"

namespace {

constexpr const char* kSource = "CharacterSelectScreen";

}  // namespace

std::int32_t CharacterSelectScreen::Init() {
    const SZ_Home* home = CGameApp::GetSpriteHome();
    m_hasPicture = home != nullptr && home->IsArchetypeCharacterLoaded(kArchetype, 0) ? 1 : 0;
    if (m_hasPicture == 0) DebugPrintf("%s: sprite %d/0 not loaded, no picture", kSource, kArchetype);
    m_presenter.setArchetypeCharacter(kArchetype, 0);
    StartAnimation(kIntro, 0);
    m_redraw = 1;
    m_confirmed = 0;
    BuildWidgets();
    for (CUIWidget* widget : {static_cast<CUIWidget*>(&m_frame), static_cast<CUIWidget*>(&m_layout),
                              static_cast<CUIWidget*>(&m_page), static_cast<CUIWidget*>(&m_title),
                              static_cast<CUIWidget*>(&m_softkeys)}) {
        widget->SetTransparent(true);
    }
    return 0;
}

void CharacterSelectScreen::Exit() { CWidgetScreen::Exit(); }

void CharacterSelectScreen::StartAnimation(std::int32_t animation, std::uint8_t loop) {
    m_loop = loop;
    if (m_hasPicture != 0) m_presenter.setAnimation(animation, 0, loop);
}

bool CharacterSelectScreen::IsAnimationFinished() const {
    return m_hasPicture != 0 ? m_presenter.isAnimationFinished() : m_loop == 0;
}

void CharacterSelectScreen::ShowSoftkeys(std::uint32_t rightId, std::uint32_t leftId) {
    SetSoftkeys(rightId, leftId, 1, 1);
    RefreshSoftkeys();
}

void CharacterSelectScreen::RefreshSoftkeys() {
    if (!HasSoftkeys()) return;
    ApplySoftkeyLabels();
    m_softkeys.MarkDirty();
}

std::uint8_t CharacterSelectScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t /*param2*/) {
    if (IsRedrawEvent(id)) {
        m_redraw = 1;
        return 1;
    }
    if (id != EVENT_KEY_PRESS) return 0;
    std::uint16_t key = param1;
    if (key == CUIWidget::kKeyLeftSoft) key = CUIWidget::kKeySelect;
    if (key == CUIWidget::kKeyRightSoft) key = CUIWidget::kKeyBack;
    if (key == CUIWidget::kKeyBack) SetResult(2);
    if (m_confirmed != 0) return 1;
    if (key == CUIWidget::kKeySelect && m_choice != kNone) {
        StartAnimation(m_choice == kLeft ? kLeftConfirmed : kRightConfirmed, 0);
        m_confirmed = 1;
        ShowSoftkeys(0, 0);
    } else if (key == CUIWidget::kKeyRight || key == '6') {
        m_choice = kRight;
        StartAnimation(kRightShown, 1);
        ShowSoftkeys(kRightLabel, kLeftLabel);
    } else if (key == CUIWidget::kKeyLeft || key == '4') {
        m_choice = kLeft;
        StartAnimation(kLeftShown, 1);
        ShowSoftkeys(kRightLabel, kLeftLabel);
    }
    m_redraw = 1;
    return 1;
}

std::uint32_t CharacterSelectScreen::Update(std::uint32_t dt) {
    if (IsAnimationFinished()) {
        if (m_confirmed != 0) {
            SetResult(1);
            m_confirmed = 0;
            return 1;
        }
        StartAnimation(kIdle, 1);
        ShowSoftkeys(kRightLabel, 0);
    }
    if (m_hasPicture != 0) m_presenter.update(dt);
    CWidgetScreen::Update(dt);
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    if (keys != nullptr && keys->HasPendingTap()) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        GetScreenSize(&width, &height, kSource, __LINE__);
        const CRect left = WidgetRect(0, 0, width / 2, height);
        const CRect point = WidgetRect(keys->GetPointerX(), keys->GetPointerY(), 0, 0);
        PostKey(RectContains(&left, &point) ? CUIWidget::kKeyLeft : CUIWidget::kKeyRight);
        keys->ClearPendingTap();
    }
    m_redraw = 1;
    return 1;
}

std::uint8_t CharacterSelectScreen::Draw() {
    std::uint8_t drew = 0;
    if (m_redraw != 0) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        GetScreenSize(&width, &height, kSource, __LINE__);
        const CRect screen = WidgetRect(0, 0, width, height);
        CDrawUtil::FillRect(&screen, m_background);
        if (m_hasPicture != 0) m_presenter.drawClipped(width / 2, height / 2, screen);
        m_redraw = 0;
        drew = 1;
    }
    if (CWidget* root = GetRootWidget()) {
        root->SetEnabled(true);
        root->MarkDirty();
        root->SetVisible(true);
    }
    CGenericWidgetScreen::Draw();
    return drew;
}
