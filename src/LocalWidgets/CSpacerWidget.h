// An empty widget of a fixed height that separates menu entries; style 1
// draws a line of that height across its top in the foreground colour.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CSpacerWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x27896751;
    static constexpr std::int32_t kStyleLine = 1;

    CSpacerWidget() { SetClassId(kClassId); }

    void Measure() override { SetMeasuredSize(kFill, m_height); }
    void Draw() override;

    void SetHeight(std::int32_t pixels);
    void SetStyle(std::int32_t style);

private:
    std::int32_t m_style = 0;
    std::int32_t m_height = 2;
};
