#include "src/LocalWidgets/CSoftkeyWidget.h"

#include <algorithm>

#include "platform/shared/graphics/2d/CFont.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"

namespace {

// Portrait unless the render surface is wider than high.
bool IsLandscape() {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    std::int32_t width = 0, height = 0;
    if (surface != nullptr) surface->GetSize(&width, &height);
    return height < width;
}

}  // namespace

std::int32_t CSoftkeyWidget::LabelHeight(const CImage* image, const CFont* font, const char16_t* text) const {
    std::int32_t height = image != nullptr ? m_margin + image->GetHeight() : 0;
    if (font != nullptr && text != nullptr) height = std::max(height, font->GetHeight() + m_margin);
    return height;
}

void CSoftkeyWidget::Measure() {
    SetMeasuredSize(kFill, std::max(LabelHeight(m_leftImage, m_leftFont, m_leftText),
                                    LabelHeight(m_rightImage, m_rightFont, m_rightText)));
}

void CSoftkeyWidget::Draw() {
    FillBackground();
    const CRect& screen = ScreenRect();
    const CRect leftHalf = WidgetRect(screen.x, screen.y, screen.w >> 1, screen.h);
    const CRect rightHalf = WidgetRect(screen.x + leftHalf.w, screen.y, leftHalf.w, screen.h);

    const bool landscape = IsLandscape();
    const std::int32_t leftGiven = landscape ? s_offsets.lskLandscapeX : s_offsets.lskPortraitX;
    const std::int32_t rightGiven = landscape ? s_offsets.rskLandscapeX : s_offsets.rskPortraitX;
    const std::int32_t leftOffset = leftGiven >= 0 ? leftGiven : m_margin;
    const std::int32_t rightOffset = rightGiven >= 0 ? rightGiven : m_margin;
    const std::int32_t bottom = screen.y + screen.h - m_margin;  // the labels rest on this line
    const std::int32_t flags = IsTransparent() ? 1 : 0;

    if (m_leftImage != nullptr) {
        m_leftImage->Draw(&leftHalf, leftHalf.x + leftOffset, bottom - m_leftImage->GetHeight());
    }
    if (m_leftFont != nullptr && m_leftText != nullptr) {
        m_leftFont->SetColours(GetBackgroundColour(), GetForegroundColour());
        m_leftFont->DrawString(m_leftText, -1, &leftHalf, leftHalf.x + leftOffset, bottom - m_leftFont->GetHeight(),
                               flags);
    }
    const std::int32_t rightEnd = rightHalf.x + rightHalf.w - rightOffset;
    if (m_rightImage != nullptr) {
        m_rightImage->Draw(&rightHalf, rightEnd - m_rightImage->GetWidth(), bottom - m_rightImage->GetHeight());
    }
    if (m_rightFont != nullptr && m_rightText != nullptr) {
        m_rightFont->SetColours(GetBackgroundColour(), GetForegroundColour());
        const std::int32_t width = m_rightFont->Measure(m_rightText, -1, -1, nullptr);
        m_rightFont->DrawString(m_rightText, -1, &rightHalf, rightEnd - width, bottom - m_rightFont->GetHeight(),
                                flags);
    }
}

bool CSoftkeyWidget::OnKeyDown(std::uint16_t key, std::uintptr_t p32) {
    bool handled = CUIWidget::OnKeyDown(key, p32);
    if (key == kKeyLeftSoft && HasLeftLabel()) {
        Notify(kNotifyAccept, 0, WidgetParam(this));
        handled = true;
    } else if (key == kKeyRightSoft) {
        if (HasRightLabel()) Notify(kNotifyBack, 0, WidgetParam(this));
        handled = true;
    }
    if (handled) Invalidate();
    return handled;
}
