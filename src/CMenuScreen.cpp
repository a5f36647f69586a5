#include "src/CMenuScreen.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CFont.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CUtility.h"

namespace {

constexpr const char* kSource = "CMenuScreen";

}  // namespace

void CMenuScreen::SetHeaderAndCount(std::uint32_t headerId, std::int32_t count) {
    m_headerId = headerId;
    if (count > kMaxItems) DebugPrintf("CMenuScreen: %d items, showing the first %d", count, kMaxItems);
    m_count = count < 0 ? 0 : (count > kMaxItems ? kMaxItems : count);
}

void CMenuScreen::SetItemsById(std::uint32_t headerId, const std::uint32_t* ids, std::int32_t count) {
    SetHeaderAndCount(headerId, count);
    m_ids = ids;
}

void CMenuScreen::SetItemsByString(std::uint32_t headerId, const char* const* strings, std::int32_t count) {
    SetHeaderAndCount(headerId, count);
    m_strings = strings;
}

void CMenuScreen::SetItemsByWideString(std::uint32_t headerId, const char16_t* const* strings, std::int32_t count) {
    SetHeaderAndCount(headerId, count);
    m_wideStrings = strings;
}

void CMenuScreen::SelectItem(std::int32_t index) {
    if (index >= 0 && index < m_count) m_items[index].Select(true);
}

void CMenuScreen::SelectIndex(std::int32_t index) {
    m_chosen = static_cast<std::uint32_t>(index);
    SelectItem(index);
}

void CMenuScreen::SelectById(std::uint32_t id) {
    std::int32_t index = 0;
    while (index < m_count && (m_ids == nullptr || m_ids[index] != id)) ++index;
    m_chosen = static_cast<std::uint32_t>(index);
    SelectItem(index);
}

std::int32_t CMenuScreen::Init() {
    CWidgetScreen::Init();
    m_initialFocusDone = 0;
    BuildWidgets();
    CFont* font = MenuFont();
    if (m_headerId != 0) {
        Style(m_header);
        m_header.SetAlignment(CUIWidget::kAlignHCentre);
        m_header.SetFont(font);
        if (m_headerText == nullptr) m_headerText = CGameApp::GetResMgr()->GetText(m_headerId, 0);
        m_header.SetText(m_headerText);
        m_header.SetTransitionOwner(this);
        m_page.AddItem(&m_header);
        Style(m_spacer);
        m_spacer.SetHeight(font != nullptr ? font->GetHeight() : 0);
        m_page.AddItem(&m_spacer);
    }
    Style(m_group);
    m_group.SetFocusable(true);
    m_group.SetSelectable(true);
    m_group.SetMode(CSelectItemGroupWidget::kSingleChoice);
    m_group.SetWrap(true);
    m_page.SetWrap(true);
    m_page.AddItem(&m_group);

    for (std::int32_t i = 0; i < m_count; ++i) {
        char16_t* text = m_texts[i];
        text[0] = 0;
        if (m_ids != nullptr) {
            CUtility::CopyStringResource(m_ids[i], text, sizeof m_texts[i]);
        } else if (m_strings != nullptr) {
            if (m_strings[i] != nullptr) NarrowToWideN(text, m_strings[i], kTextLength);
        } else if (m_wideStrings != nullptr && m_wideStrings[i] != nullptr) {
            CopyWideStringN(text, m_wideStrings[i], kTextLength);
        }
        CSelectItemWidget& item = m_items[i];
        Style(item);
        item.SetId(m_ids != nullptr ? m_ids[i] : static_cast<std::uint32_t>(i));
        item.SetFocusable(true);
        item.SetSelectable(true);
        item.SetFont(font);
        item.SetChecked(false);
        item.SetTransitionOwner(this);
        item.SetAlignment(CUIWidget::kAlignHCentre);
        item.SetText(text);
        item.SetFocusSprite(m_focusSprite);
        m_group.AddItem(&item);
    }
    return 0;
}

void CMenuScreen::Exit() {
    CWidgetScreen::Exit();
    if (m_headerText != nullptr) CGameApp::GetResMgr()->Release(m_headerId, 0);
    m_headerText = nullptr;
    m_focusSprite = nullptr;
}

std::uint32_t CMenuScreen::Update(std::uint32_t dt) {
    if (m_initialFocusDone == 0 && m_group.GetFocusedChild() != nullptr) {
        // Down from the first item until the chosen one has the focus; a
        // choice past the list leaves the first item focused.
        for (std::int32_t step = 0; step < m_count; ++step) {
            CSelectItemWidget* item = m_group.GetItem(static_cast<std::int32_t>(m_chosen));
            if (item == nullptr || item == m_group.GetFocusedChild()) break;
            m_group.OnKeyDown(CUIWidget::kKeyDown, 0);
        }
        m_initialFocusDone = 1;
    }
    // The tapped item is chosen when its accept comes back.
    for (std::int32_t i = 0; i < m_count; ++i) {
        if (TapItem(m_group, m_items[i])) break;
    }
    return CWidgetScreen::Update(dt);
}

std::int32_t CMenuScreen::IndexOf(const CWidget* sender) const {
    for (std::int32_t i = 0; i < m_count; ++i) {
        if (sender == &m_items[i]) return i;
    }
    return -1;
}

std::uint8_t CMenuScreen::OnWidgetCommand(std::uint32_t event, CWidget* sender) {
    // The first accept or back ends the menu; what comes after it (a second
    // tap's accept, a key in the same pass) changes neither the choice nor
    // the result the scene reads.
    if ((event == EVENT_WIDGET_ACCEPT || event == EVENT_WIDGET_BACK) && GetResult() != 0) return 1;
    switch (event) {
        case EVENT_WIDGET_ACCEPT: {
            // An empty list's group or page accepts for itself: no choice.
            // The sender is compared, never read: it may be any widget.
            const std::int32_t index = IndexOf(sender);
            if (index == -1) {
                DebugPrintf("CMenuScreen: accept without an item ignored");
                return 0;
            }
            m_chosen = m_items[index].GetId();
            SetResult(1);
            return 1;
        }
        case EVENT_WIDGET_BACK:
            m_chosen = 0;
            SetResult(2);
            return 1;
        case EVENT_WIDGET_CHANGED: return 0;
        default: DebugAssert(false, kSource, 121); return 0;
    }
}
