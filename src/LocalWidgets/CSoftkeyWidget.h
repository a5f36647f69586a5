// The bar at the bottom of a widget screen with the labels of the two soft
// keys, each an image, a text or both, and the keys turned into the accept
// and back commands. Labels sit on the bar's bottom edge; their horizontal
// places come from the soft-key configuration, apart for portrait and
// landscape. Images, fonts and texts are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CFont;
class CImage;

// Label places from softkey.conf, in pixels; a negative value is not given
// and the bar's margin is used. The left value is the left label's distance
// from the bar's left edge, the right value the distance of the right
// label's right end from the bar's right edge.
struct SoftkeyOffsets {
    std::int32_t lskPortraitX = -1;
    std::int32_t rskPortraitX = -1;
    std::int32_t lskLandscapeX = -1;
    std::int32_t rskLandscapeX = -1;
};

class CSoftkeyWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x267AB009;
    static constexpr std::int16_t kMargin = 3;

    CSoftkeyWidget() { SetClassId(kClassId); }

    // Fills the width; as high as the taller label plus the margin.
    void Measure() override;
    void Draw() override;
    // Left soft key: accept when the left side has a label. Right soft key:
    // back when the right side has one; taken either way.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    void SetLeftImage(CImage* image) { SetLabelPart(m_leftImage, image); }
    void SetLeftFont(CFont* font) { SetLabelPart(m_leftFont, font); }
    void SetLeftText(const char16_t* text) { SetLabelPart(m_leftText, text); }
    void SetRightImage(CImage* image) { SetLabelPart(m_rightImage, image); }
    void SetRightFont(CFont* font) { SetLabelPart(m_rightFont, font); }
    void SetRightText(const char16_t* text) { SetLabelPart(m_rightText, text); }

    // The application sets the places once it has read the configuration;
    // every bar uses them from then on.
    static void SetOffsets(const SoftkeyOffsets& offsets) { s_offsets = offsets; }
    static const SoftkeyOffsets& GetOffsets() { return s_offsets; }

private:
    template <typename T>
    void SetLabelPart(T& slot, T value) {
        slot = value;
        InvalidateSize();
    }
    bool HasLeftLabel() const { return m_leftImage != nullptr || m_leftText != nullptr; }
    bool HasRightLabel() const { return m_rightImage != nullptr || m_rightText != nullptr; }
    // The label's height above the bottom edge, 0 without one.
    std::int32_t LabelHeight(const CImage* image, const CFont* font, const char16_t* text) const;

    CImage* m_leftImage = nullptr;
    CFont* m_leftFont = nullptr;
    const char16_t* m_leftText = nullptr;
    CImage* m_rightImage = nullptr;
    CFont* m_rightFont = nullptr;
    const char16_t* m_rightText = nullptr;
    std::int16_t m_margin = kMargin;

    static inline SoftkeyOffsets s_offsets{};
};
