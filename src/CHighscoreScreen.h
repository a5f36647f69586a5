// A widget screen listing a highscore table: five names and scores in a
// table on the page and, when there are several tables, a navigator above
// it that shows the current table's name and steps between the tables with
// left and right. Accept ends it with result 1, back with 2.
#pragma once

#include <cstdint>

#include "src/CHighscoreMgr.h"
#include "src/CHighscoreTableWidget.h"
#include "src/CWidgetScreen.h"
#include "src/LocalWidgets/CNavigatorWidget.h"

class CImage;

class CHighscoreScreen : public CWidgetScreen {
public:
    static constexpr std::int32_t kRows = CHighscoreMgr::kEntryCount;
    static constexpr std::uint32_t kTitleCapacity = 50;
    static constexpr std::uint32_t kLeftArrowId = 0x02000246;
    static constexpr std::uint32_t kRightArrowId = 0x02000254;

    // Fills the rows of the current table and builds the page; 0.
    std::int32_t Init() override;
    // Gives back the arrows.
    void Exit() override;
    // Accept: result 1; back: result 2; the navigator's step shows the
    // table it reached.
    std::uint8_t OnWidgetCommand(std::uint32_t event, CWidget* sender) override;

    // Before Init. The name ids (one per table, 0: no name) stay the
    // caller's.
    void SetTables(const std::uint32_t* nameIds, std::int32_t count, std::int32_t current);
    void SetHighscoreMgr(CHighscoreMgr* manager) { m_manager = manager; }

protected:
    CNavigatorWidget m_navigator;
    CHighscoreTableWidget m_table;
    // The rows shown: the current table's names and scores.
    const char16_t* m_rowNames[kRows] = {};
    std::int32_t m_scores[kRows] = {};

private:
    // The current table's name, names and scores; an empty name shows "xxx".
    void FillRows();
    bool HasNavigator() const { return m_count > 1; }

    const std::uint32_t* m_nameIds = nullptr;
    std::int32_t m_count = 0;
    std::int32_t m_current = 0;
    CHighscoreMgr* m_manager = nullptr;
    CImage* m_leftArrow = nullptr;  // taken at Init, given back at Exit
    CImage* m_rightArrow = nullptr;
    char16_t m_title[kTitleCapacity] = {};
    // Each name copied and terminated: a stored name may fill its 6
    // characters without a terminator.
    char16_t m_names[kRows][CHighscoreMgr::kNameLength + 1] = {};
};
