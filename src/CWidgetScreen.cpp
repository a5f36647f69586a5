#include "src/CWidgetScreen.h"

#include <initializer_list>
#include <utility>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "platform/shared/graphics/2d/RectUtil.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/DrawingUtil.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Presenter.h"
#include "src/win32/CApplet.h"

namespace {

constexpr const char* kSource = "CWidgetScreen";

}  // namespace

std::uint8_t CGenericWidgetScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    if (m_root == nullptr) return 0;
    switch (id) {
        case EVENT_WIDGET_ACCEPT:
        case EVENT_WIDGET_BACK:
        case EVENT_WIDGET_CHANGED: return OnWidgetCommand(id, reinterpret_cast<CWidget*>(param2));
        default: return m_root->DispatchEvent(id, param1, param2) ? 1 : 0;
    }
}

std::uint32_t CGenericWidgetScreen::Update(std::uint32_t dt) {
    const std::uint32_t result = CNode::Update(dt);
    return m_root != nullptr ? (m_root->UpdateIfEnabled(dt) ? 1 : 0) : result;
}

std::uint8_t CGenericWidgetScreen::Draw() { return m_root != nullptr && m_root->Paint() ? 1 : 0; }

CWidgetScreen::CWidgetScreen() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, 45);
    m_topMargin = height * 3 / 7;
}

std::int32_t CWidgetScreen::Init() {
    PrepareIndicator(m_upIndicator, kUpAnimation);
    PrepareIndicator(m_downIndicator, kDownAnimation);
    SetTransitionTime(kIntroMs);
    return 0;
}

void CWidgetScreen::Exit() {
    CGenericWidgetScreen::Exit();
    CResMgr* resources = CGameApp::GetResMgr();
    if (m_titleText != nullptr) resources->Release(m_titleId, 0);
    m_titleText = nullptr;
    ReleaseSoftkeyLabels();
    m_upIndicator = nullptr;
    m_downIndicator = nullptr;
}

std::uint8_t CWidgetScreen::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    if (GetTransitionTime() > GetTransitionElapsed()) return 1;
    const std::uint8_t handled = CGenericWidgetScreen::HandleEvent(id, param1, param2);
    if (id != EVENT_KEY_PRESS) return handled;
    SZ_Presenter* restarted = nullptr;
    if (m_downIndicator != nullptr && (param1 == CUIWidget::kKeyDown || param1 == '8')) {
        restarted = m_downIndicator;
        restarted->setAnimationKeepFlags(kDownAnimation);
    } else if (m_upIndicator != nullptr && (param1 == CUIWidget::kKeyUp || param1 == '2')) {
        restarted = m_upIndicator;
        restarted->setAnimationKeepFlags(kUpAnimation);
    }
    if (restarted != nullptr && GetRootWidget() != nullptr) GetRootWidget()->MarkDirty();
    return 1;
}

std::uint32_t CWidgetScreen::Update(std::uint32_t dt) {
    std::uint32_t result = CGenericWidgetScreen::Update(dt);
    CWidget* root = GetRootWidget();
    if (m_logo != nullptr) m_logo->update(dt);
    const bool introDone = GetTransitionElapsed() >= GetTransitionTime();
    for (const auto& [indicator, animation] : {std::pair{m_upIndicator, kUpAnimation}, {m_downIndicator, kDownAnimation}}) {
        if (indicator == nullptr) continue;
        if (introDone) {
            indicator->update(dt);
        } else {
            PrepareIndicator(indicator, animation);
        }
        result = 1;
    }
    if (root != nullptr) root->MarkDirty();

    CKeyMgr* keys = CGameApp::GetKeyMgr();
    if (keys == nullptr || !keys->HasPendingTap() || !TakesTaps()) return result;
    const std::int32_t x = keys->GetPointerX();
    const std::int32_t y = keys->GetPointerY();
    const CRect point = WidgetRect(x, y, 0, 0);
    // Only a bar that is part of the tree has a place on the screen.
    if (m_softkeys.GetParent() != nullptr) {
        const CRect bar = m_softkeys.GetScreenRect();
        const std::int16_t half = static_cast<std::int16_t>(bar.w / 2);
        const CRect left(bar.x, bar.y, half, bar.h);
        const CRect right(static_cast<std::int16_t>(bar.x + half), bar.y, half, bar.h);
        if (RectContains(&left, &point)) {
            PostKey(CUIWidget::kKeyLeftSoft);
            keys->ClearPendingTap();
        } else if (RectContains(&right, &point)) {
            PostKey(CUIWidget::kKeyRightSoft);
            keys->ClearPendingTap();
        }
    }
    if (keys->HasPendingTap()) {
        TapIndicator(m_upIndicator, x, y, CUIWidget::kKeyUp);
        TapIndicator(m_downIndicator, x, y, CUIWidget::kKeyDown);
    }
    return result;
}

std::uint8_t CWidgetScreen::OnWidgetCommand(std::uint32_t event, CWidget* /*sender*/) {
    switch (event) {
        case EVENT_WIDGET_ACCEPT: SetResult(1); return 1;
        case EVENT_WIDGET_BACK: SetResult(2); return 1;
        case EVENT_WIDGET_CHANGED: return 0;
        default: DebugAssert(false, kSource, 339); return 0;
    }
}

void CWidgetScreen::SetSoftkeys(std::uint32_t rightId, std::uint32_t leftId, std::uint8_t rightIsImage,
                                std::uint8_t leftIsImage) {
    const CGameApp* app = CGameApp::GetInstance();
    if (app != nullptr && app->GetDeviceConfig().disableSoftkeys != 0) return;
    m_rightLabelId = rightId;
    m_leftLabelId = leftId;
    m_rightIsImage = rightIsImage;
    m_leftIsImage = leftIsImage;
}

void CWidgetScreen::SetMargins(std::int32_t side, std::int32_t top, std::int32_t bottom) {
    m_sideMargin = side;
    m_topMargin = top;
    m_bottomMargin = bottom;
}

void CWidgetScreen::Style(CUIWidget& widget) const {
    widget.SetId(0);
    widget.SetColours(kBackground, kForeground, kHighlight);
    widget.SetTransparent(IsTransparentStyle());
}

void CWidgetScreen::BuildWidgets() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, 353);
    CFont* font = MenuFont();

    Style(m_frame);
    m_frame.SetFocusable(true);
    m_frame.SetSelectable(true);
    if (m_logo != nullptr) m_frame.SetPaintCallback(DrawBackground, this);
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t w = width;
    std::int64_t h = height;
    if ((m_styleFlags & kStyleFullScreen) == 0) {
        x += m_sideMargin;
        w -= 2 * std::int64_t{m_sideMargin};
        y += m_topMargin;
        h -= std::int64_t{m_topMargin} + m_bottomMargin;
    }
    m_frame.SetLocalRect(WidgetRect(x, y, w, h));

    Style(m_layout);
    m_layout.SetFocusable(true);
    m_layout.SetSelectable(true);
    m_frame.SetContent(&m_layout);

    if (m_titleId != 0) {
        Style(m_title);
        m_title.SetAlignment(CUIWidget::kAlignHCentre);
        m_title.SetTransparent(false);
        m_title.SetFont(font);
        if (m_titleText == nullptr) m_titleText = CGameApp::GetResMgr()->GetText(m_titleId, 0);
        m_title.SetText(m_titleText);
        m_title.SetTransitionOwner(this);
        m_layout.SetRegion(&m_title, CLayoutWidget::kRegionTop);
    }

    Style(m_page);
    m_page.SetFocusable(true);
    m_page.SetSelectable(true);
    m_page.SetAlignment((m_styleFlags & kStyleCentreBody) != 0 ? CUIWidget::kAlignVCentre : CUIWidget::kAlignTop);
    m_layout.SetRegion(&m_page, CLayoutWidget::kRegionBody);
    if (m_upIndicator != nullptr && m_downIndicator != nullptr) m_page.SetScrollIndicators(m_upIndicator, m_downIndicator);

    if (HasSoftkeys() && (m_rightLabelId != 0 || m_leftLabelId != 0)) {
        ApplySoftkeyLabels();
        m_layout.SetRegion(&m_softkeys, CLayoutWidget::kRegionBottom);
    }

    m_frame.Focus(true);
    m_frame.Select(true);
    SetRootWidget(&m_frame);
}

void CWidgetScreen::ApplySoftkeyLabels() {
    CResMgr* resources = CGameApp::GetResMgr();
    CFont* font = MenuFont();
    const std::uint32_t oldRight = m_heldRightId;
    const std::uint32_t oldLeft = m_heldLeftId;
    m_softkeys.SetId(0);
    m_softkeys.SetColours(kBackground, kForeground, kHighlight);
    const auto label = [&](std::uint32_t id, std::uint8_t isImage, CImage** image, CFont** labelFont,
                           const char16_t** text) {
        *image = id != 0 && isImage != 0 ? resources->GetImage(id, 0) : nullptr;
        *labelFont = id != 0 && isImage == 0 ? font : nullptr;
        *text = id != 0 && isImage == 0 ? resources->GetText(id, 0) : nullptr;
    };
    CImage* image = nullptr;
    CFont* labelFont = nullptr;
    const char16_t* text = nullptr;
    label(m_rightLabelId, m_rightIsImage, &image, &labelFont, &text);
    m_softkeys.SetRightImage(image);
    m_softkeys.SetRightFont(labelFont);
    m_softkeys.SetRightText(text);
    label(m_leftLabelId, m_leftIsImage, &image, &labelFont, &text);
    m_softkeys.SetLeftImage(image);
    m_softkeys.SetLeftFont(labelFont);
    m_softkeys.SetLeftText(text);
    m_heldRightId = m_rightLabelId;
    m_heldLeftId = m_leftLabelId;
    if (oldRight != 0) resources->Release(oldRight, 0);
    if (oldLeft != 0) resources->Release(oldLeft, 0);
}

void CWidgetScreen::ReleaseSoftkeyLabels() {
    CResMgr* resources = CGameApp::GetResMgr();
    if (m_heldRightId != 0) resources->Release(m_heldRightId, 0);
    if (m_heldLeftId != 0) resources->Release(m_heldLeftId, 0);
    m_heldRightId = 0;
    m_heldLeftId = 0;
}

CFont* CWidgetScreen::MenuFont() {
    CFontMgr* fonts = CGameApp::GetFontMgr();
    return fonts != nullptr ? fonts->GetFont(0) : nullptr;
}

bool CWidgetScreen::TakesTaps() {
    if (GetResult() == 0) return true;
    if (CKeyMgr* keys = CGameApp::GetKeyMgr()) keys->ClearPendingTap();
    return false;
}

bool CWidgetScreen::TapItem(CSelectItemGroupWidget& group, CSelectItemWidget& item) {
    CKeyMgr* keys = CGameApp::GetKeyMgr();
    if (keys == nullptr || !keys->HasPendingTap() || !TakesTaps() || item.GetParent() != &group) return false;
    const CRect point = WidgetRect(keys->GetPointerX(), keys->GetPointerY(), 0, 0);
    const CRect place = item.GetScreenRect();
    if (!RectContains(&place, &point)) return false;
    keys->ClearPendingTap();
    item.Select(true);
    group.SetFocusedChild(&item);
    group.Notify(CWidget::kNotifyAccept, 0, WidgetParam(group.GetFocusedChild()));
    return true;
}

bool CWidgetScreen::HasSoftkeys() {
    const ICCore* core = ICCore::GetInstance();
    return core != nullptr && core->HasTouchInput();
}

void CWidgetScreen::DrawBackground(CWidget* /*widget*/, std::int32_t phase, void* data) {
    const auto* screen = static_cast<CWidgetScreen*>(data);
    if (phase != CWidget::kBeforeDraw || screen->m_logo == nullptr) return;
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, 507);
    const CRect all = WidgetRect(0, 0, width, height);
    CDrawUtil::FillRect(&all, kBackground);
    CRect bounds;
    screen->m_logo->getBounds(&bounds);
    screen->m_logo->draw(width >> 1, ((height * 3 / 7) >> 1) + (bounds.h >> 1));
}

void CWidgetScreen::PostKey(std::uint16_t key) {
    if (auto* applet = static_cast<CApplet*>(CWinBase::GetInstance())) applet->PostEvent(EVENT_KEY_PRESS, key, 0);
}

void CWidgetScreen::PrepareIndicator(SZ_Presenter* indicator, std::int32_t animation) {
    if (indicator == nullptr) return;
    indicator->setArchetypeCharacter(kIndicatorArchetype, 0);
    indicator->setAnimation(animation, 0, 0);
    indicator->restartAnimation();
}

bool CWidgetScreen::TapIndicator(SZ_Presenter* indicator, std::int32_t x, std::int32_t y, std::uint16_t key) {
    if (indicator == nullptr) return false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetScreenSize(&width, &height, kSource, __LINE__);
    CRect bounds;
    indicator->getBounds(&bounds);
    const CRect row = WidgetRect(0, indicator->getOffsetY() - bounds.h, width, bounds.h);
    const CRect point = WidgetRect(x, y, 0, 0);
    if (!RectContains(&row, &point)) return false;
    CGameApp::GetKeyMgr()->ClearPendingTap();
    PostKey(key);
    return true;
}
