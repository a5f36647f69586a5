#include "src/CHighscoreScreen.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/CUtility.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

namespace {

constexpr const char* kSource = "CHighscoreScreen";
constexpr std::uint32_t kGrid = CTableWidget::kGridOuter | CTableWidget::kGridInnerRows | CTableWidget::kGridInnerColumns;

}  // namespace

std::int32_t CHighscoreScreen::Init() {
    CWidgetScreen::Init();
    FillRows();
    BuildWidgets();
    const std::uint32_t alignment =
        (GetStyleFlags() & kStyleCentreText) != 0 ? CUIWidget::kAlignHCentre : CUIWidget::kAlignLeft;
    CFont* font = MenuFont();
    if (HasNavigator()) {
        Style(m_navigator);
        m_navigator.SetAlignment(alignment);
        CResMgr* resources = CGameApp::GetResMgr();
        if (m_leftArrow == nullptr) m_leftArrow = resources->GetImage(kLeftArrowId, 0);
        if (m_rightArrow == nullptr) m_rightArrow = resources->GetImage(kRightArrowId, 0);
        m_navigator.SetLeftArrowImage(m_leftArrow);
        m_navigator.SetRightArrowImage(m_rightArrow);
        m_navigator.SetValueCount(m_count);
        m_navigator.SetFocusable(false);
        m_navigator.SetSelectable(false);
        m_navigator.SetIndex(m_current);
        m_navigator.SetFont(font);
        m_navigator.SetText(m_title);
        m_layout.SetRegion(&m_navigator, CLayoutWidget::kRegionUpper);
    }
    Style(m_table);
    m_table.SetAlignment(alignment);
    m_table.SetDimensions(kRows, 2, kGrid);
    m_table.SetData(font, m_rowNames, m_scores, kRows);
    m_page.AddItem(&m_table);
    return 0;
}

void CHighscoreScreen::Exit() {
    CWidgetScreen::Exit();
    CResMgr* resources = CGameApp::GetResMgr();
    if (m_leftArrow != nullptr) resources->Release(kLeftArrowId, 0);
    if (m_rightArrow != nullptr) resources->Release(kRightArrowId, 0);
    m_leftArrow = nullptr;
    m_rightArrow = nullptr;
}

std::uint8_t CHighscoreScreen::OnWidgetCommand(std::uint32_t event, CWidget* sender) {
    switch (event) {
        case EVENT_WIDGET_ACCEPT: SetResult(1); return 1;
        case EVENT_WIDGET_BACK: SetResult(2); return 1;
        case EVENT_WIDGET_CHANGED:
            if (sender == nullptr || sender->GetClassId() != CNavigatorWidget::kClassId) {
                DebugAssert(false, kSource, 104);
                return 0;
            }
            m_current = static_cast<CNavigatorWidget*>(sender)->GetIndex();
            FillRows();
            m_navigator.SetText(m_title);
            // The new names and scores are measured again.
            m_table.SetDimensions(kRows, 2, kGrid);
            if (GetRootWidget() != nullptr) GetRootWidget()->MarkDirty();
            return 1;
        default: DebugAssert(false, kSource, 120); return 0;
    }
}

void CHighscoreScreen::SetTables(const std::uint32_t* nameIds, std::int32_t count, std::int32_t current) {
    m_nameIds = nameIds;
    m_count = count;
    m_current = current;
}

void CHighscoreScreen::FillRows() {
    m_title[0] = 0;
    // Only a table of the list has a name to read.
    if (m_nameIds != nullptr && m_current >= 0 && m_current < m_count && m_nameIds[m_current] != 0) {
        CUtility::CopyStringResource(m_nameIds[m_current], m_title, sizeof(m_title));
    }
    for (std::int32_t row = 0; row < kRows; ++row) {
        const char16_t* name = m_manager != nullptr ? m_manager->GetName(m_current, row) : nullptr;
        if (name == nullptr || name[0] == 0) name = u"xxx";
        // At most the 6 characters a name has, then the terminator.
        std::int32_t length = 0;
        for (; length < CHighscoreMgr::kNameLength && name[length] != 0; ++length) m_names[row][length] = name[length];
        m_names[row][length] = 0;
        m_rowNames[row] = m_names[row];
        m_scores[row] = m_manager != nullptr ? m_manager->GetScore(m_current, row) : 0;
    }
}
