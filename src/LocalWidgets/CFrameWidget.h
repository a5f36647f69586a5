// A container with one content widget (the child whose id is 0) drawn
// inside a frame of four corner images and four tiled edge images. The
// images are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CContainerWidget.h"

class CImage;

class CFrameWidget : public CContainerWidget {
public:
    static constexpr std::uint32_t kClassId = 0xB0175063;

    CFrameWidget() { SetClassId(kClassId); }

    // The edges and margins, plus the content's size where it does not fill
    // and the fit flag is set; else fills.
    void Measure() override;
    void Layout() override;
    // Background inside the margins, the content, the edges, the corners.
    void Draw() override;

    void SetTopLeftImage(CImage* image) { SetImage(m_topLeft, image); }
    void SetTopRightImage(CImage* image) { SetImage(m_topRight, image); }
    void SetBottomLeftImage(CImage* image) { SetImage(m_bottomLeft, image); }
    void SetBottomRightImage(CImage* image) { SetImage(m_bottomRight, image); }
    void SetTopEdgeImage(CImage* image) { SetImage(m_topEdge, image); }
    void SetBottomEdgeImage(CImage* image) { SetImage(m_bottomEdge, image); }
    void SetLeftEdgeImage(CImage* image) { SetImage(m_leftEdge, image); }
    void SetRightEdgeImage(CImage* image) { SetImage(m_rightEdge, image); }

    CUIWidget* GetContent() const { return FindChildById(0); }
    // Replaces the content; a null widget only removes it.
    void SetContent(CUIWidget* widget);

private:
    void SetImage(CImage*& slot, CImage* image) {
        slot = image;
        InvalidateSize();
    }

    CImage* m_topLeft = nullptr;
    CImage* m_topRight = nullptr;
    CImage* m_bottomLeft = nullptr;
    CImage* m_bottomRight = nullptr;
    CImage* m_topEdge = nullptr;
    CImage* m_bottomEdge = nullptr;
    CImage* m_leftEdge = nullptr;
    CImage* m_rightEdge = nullptr;
};
