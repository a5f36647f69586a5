#include "src/CTextEditScreen.h"

#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CUtility.h"

std::int32_t CTextEditScreen::Init() {
    CWidgetScreen::Init();
    BuildWidgets();
    const std::uint32_t alignment = CUIWidget::kAlignHCentre;
    if (m_promptId != 0) {
        Style(m_prompt);
        m_prompt.SetAlignment(alignment);
        m_prompt.SetFont(MenuFont());
        if (m_promptText == nullptr) m_promptText = CGameApp::GetResMgr()->GetText(m_promptId, 0);
        m_prompt.SetText(m_promptText);
        m_page.AddItem(&m_prompt);
    }
    m_entry.SetId(0);
    m_entry.SetAlignment(alignment);
    m_entry.SetColours(kBackground, kForeground, kEntryHighlight);
    m_entry.SetBorderColour(kEntryBorder);
    m_entry.SetFocusable(true);
    m_entry.SetSelectable(true);
    m_entry.SetInputMode(static_cast<std::int32_t>(m_inputMode));
    m_entry.SetMaxLength(static_cast<std::int32_t>(m_maxLength));
    m_entry.SetCase(1, 1);
    m_entry.SetFont(MenuFont());
    m_entry.SetText(m_initialText);
    m_page.AddItem(&m_entry);
    return 0;
}

void CTextEditScreen::Exit() {
    CWidgetScreen::Exit();
    if (m_promptText != nullptr) CGameApp::GetResMgr()->Release(m_promptId, 0);
    m_promptText = nullptr;
}

void CTextEditScreen::Setup(std::uint32_t promptId, std::uint32_t inputMode, std::uint32_t maxLength) {
    m_promptId = promptId;
    m_inputMode = inputMode;
    m_maxLength = maxLength;
}

void CTextEditScreen::SetInitialText(const char16_t* text) {
    m_initialText[0] = 0;
    if (text != nullptr) CopyWideStringN(m_initialText, text, kInitialCapacity);
}

void CTextEditScreen::SetInitialNumber(std::int32_t number) {
    FormatWideInt(m_initialText, kInitialCapacity, u"%i", number);
}
