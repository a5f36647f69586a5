// A grid of images with one selected cell, moved by the arrow keys without
// wrapping. Each image is centred in a cell as large as the largest image
// plus an inset on every side; the grid is as wide as the columns that fit
// (at least one), placed by the horizontal alignment. The images are not
// owned.
#pragma once

#include <cstdint>

#include "platform/shared/core/CVector.h"
#include "src/LocalWidgets/CUIWidget.h"

class CImage;

class CImageMenuWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0xEFA83083;

    CImageMenuWidget() { SetClassId(kClassId); }
    ~CImageMenuWidget() override = default;

    // Fills the width; as high as the rows of cells.
    void Measure() override;
    // The images; while focused, the selection image centred on the
    // selected cell, or without one a frame in the highlight colour.
    void Draw() override;
    // Select and the left soft key accept; the arrows move the selection
    // and ask the parent to scroll it into view.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    void SetInset(std::int32_t pixels);
    void SetFrameThickness(std::int32_t pixels);
    // 0: as many columns as fit.
    void SetMaxColumns(std::int32_t columns);
    void SetSelectionImage(CImage* image);
    // 1 for a null image (ignored), else the vector's result.
    std::int32_t AddImage(CImage* image);
    // Clamped to the images.
    void SetSelectedIndex(std::int32_t index);
    std::int32_t GetSelectedIndex() const { return m_selected; }

private:
    std::int64_t CellPitchX() const { return m_cellWidth + 2 * std::int64_t{m_inset}; }
    std::int64_t CellPitchY() const { return m_cellHeight + 2 * std::int64_t{m_inset}; }
    CImage* ImageAt(std::int32_t index) const;

    std::int32_t m_inset = 4;
    std::int32_t m_frameThickness = 2;
    std::int32_t m_maxColumns = 0;
    std::int32_t m_cellWidth = 0;
    std::int32_t m_cellHeight = 0;
    std::int32_t m_rows = 0;
    std::int32_t m_columns = 0;
    std::int32_t m_selected = 0;
    CImage* m_selectionImage = nullptr;
    CVector m_images;
};
