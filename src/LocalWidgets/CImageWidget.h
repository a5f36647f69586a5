// One image, or a rectangle of it, placed by the alignment. The image is not
// owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CUIWidget.h"

class CImage;

class CImageWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x10175E93;

    CImageWidget() { SetClassId(kClassId); }
    ~CImageWidget() override = default;

    // The source rectangle's size when one is set, else the image's.
    void Measure() override;
    // While focused, a frame in the highlight colour as large as the whole
    // image.
    void Draw() override;

    void SetImage(CImage* image);
    CImage* GetImage() const { return m_image; }
    void SetSourceRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

private:
    CImage* m_image = nullptr;
    std::uint8_t m_useSource = 0;
    std::int32_t m_sourceX = 0, m_sourceY = 0, m_sourceWidth = 0, m_sourceHeight = 0;
};
