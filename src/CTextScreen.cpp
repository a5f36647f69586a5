#include "src/CTextScreen.h"

#include "platform/shared/graphics/2d/CFont.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CResMgr.h"
#include "src/CTextBuf.h"
#include "src/CUtility.h"

std::int32_t CTextScreen::Init() {
    CWidgetScreen::Init();
    BuildWidgets();
    CFont* font = MenuFont();
    if (GetTitleId() != 0) {
        Style(m_spacer);
        m_spacer.SetHeight(font != nullptr ? font->GetHeight() : 0);
        m_page.AddItem(&m_spacer);
    }
    Style(m_text);
    m_text.SetAlignment((GetStyleFlags() & kStyleCentreText) != 0 ? CUIWidget::kAlignHCentre : CUIWidget::kAlignLeft);
    m_text.SetFont(font);
    m_text.SetText(m_buffer);
    m_text.SetTransitionOwner(this);
    m_page.AddItem(&m_text);
    return 0;
}

void CTextScreen::SetText(const char16_t* text) {
    m_buffer[0] = 0;
    if (text != nullptr) CopyWideStringN(m_buffer, text, kCapacity);
    m_text.SetText(m_buffer);
}

void CTextScreen::SetTextId(std::uint32_t textId) {
    CResMgr* resources = CGameApp::GetResMgr();
    SetText(resources->GetText(textId, 0));
    resources->Release(textId, 0);
}

void CTextScreen::SetCounterText() {
    CResMgr* resources = CGameApp::GetResMgr();
    const CGameData* data = CGameApp::GetGameData();
    FormatWideInt(m_buffer, kCapacity, resources->GetText(kCounterFormatId, 0),
                  data != nullptr ? data->GetShownNumber() : 0);
    resources->Release(kCounterFormatId, 0);
    m_text.SetText(m_buffer);
}

void CTextScreen::SetVersionText() {
    CTextBuf text;
    text.Allocate(kCapacity);
    text.Clear();
    text.AppendStringResource(kAboutIds[0]);
    text.AppendNarrow(kVersion);
    text.AppendStringResource(kAboutIds[1]);
    text.AppendStringResource(kAboutIds[2]);
    char16_t build[100];
    GetBuildInfoText(build, 100);
    text.AppendWide(build);
    SetText(text.GetBuffer());
}
