// The view onto the level: the scroll position moving toward its target,
// the viewport, the map's size, up to eight map layers with their parallax
// factors, the layer the characters move on, the clear colour and whether
// the view is enabled. The camera behaviour sets the target and scrolls
// each frame; the game draws the layers behind the characters and those in
// front of them. There is one camera, owned by AZ_Client.
//
// Positions are back-buffer pixels at parallax 1024; a layer with factors
// (fx, fy) sees the position scaled by fx / 1024 and fy / 1024.
#pragma once

#include <cstdint>

#include "platform/shared/math/CVector2d.h"

class Camera {
public:
    static constexpr std::int32_t kMaxLayers = 8;

    // Takes the render surface's size as the viewport and the screen size;
    // without a render surface logs and fails the assertion.
    Camera();
    virtual ~Camera() = default;

    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Position and target (0, 0), no active layer, view disabled, tables
    // stale.
    void Reset();
    // The viewport becomes the view's size less the application's bottom
    // bar (each side at most the map's), the tiles drawn per layer follow
    // from it; every layer's tables start at 0 and the view is disabled.
    void SetupForMap(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t layerCount);
    // The target becomes the world point (x, y) centred in the view (mode 1:
    // added to the current target), clamped to the map; with snap set the
    // position follows at once.
    void LookAt(std::int32_t x, std::int32_t y, std::int32_t mode);
    void LookAtPixels(std::int32_t x, std::int32_t y, std::int32_t mode);
    // Moves the position toward the target for dt milliseconds, then
    // rebuilds the layers' tables when it moved or they are stale.
    void UpdateScroll(std::int32_t dt);
    // back: layers 0 .. the active layer; otherwise the layers above it;
    // never a layer the map or the camera does not have. Each layer is
    // followed by the characters drawn on it (priority -(layer + 1)), at
    // their positions scaled by its factors.
    void Draw(bool back);
    // Whether the world rectangle (x, y its top-left) seen on the layer
    // overlaps the viewport; false while the view is disabled.
    bool IsVisible(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t layer) const;
    static std::int32_t WorldToPixel(std::int32_t v);

    void SetSnap(bool snap) { m_snap = snap ? 1 : 0; }
    bool IsViewEnabled() const { return m_viewEnabled != 0; }
    void SetViewEnabled(bool enabled) { m_viewEnabled = enabled ? 1 : 0; }
    std::uint32_t GetClearColour() const { return m_clearColour; }
    void SetClearColour(std::uint32_t colour) { m_clearColour = colour; }
    std::int32_t GetActiveLayer() const { return m_activeLayer; }
    void SetActiveLayer(std::int32_t layer) { m_activeLayer = layer; }
    // Factors in 1/1024, 1024 until set; a layer outside 0..7 reads 1024
    // and is not set.
    std::int32_t GetLayerParallaxX(std::int32_t layer) const;
    std::int32_t GetLayerParallaxY(std::int32_t layer) const;
    void SetLayerParallax(std::int32_t layer, std::int32_t x, std::int32_t y);
    void SetBounds(std::int32_t width, std::int32_t height) { m_mapSize.Set(width, height); }
    void SetShake(std::int32_t x, std::int32_t y) { m_shake.Set(x, y); }

    std::int32_t GetX() const { return m_position.x; }
    std::int32_t GetY() const { return m_position.y; }
    std::int32_t GetTargetX() const { return m_target.x; }
    std::int32_t GetTargetY() const { return m_target.y; }
    std::int32_t GetViewWidth() const { return m_viewport.x; }
    std::int32_t GetViewHeight() const { return m_viewport.y; }
    std::int32_t GetScreenWidth() const { return m_screen.x; }
    std::int32_t GetScreenHeight() const { return m_screen.y; }
    std::int32_t GetTilesToDrawX() const { return m_tilesToDraw.x; }
    std::int32_t GetTilesToDrawY() const { return m_tilesToDraw.y; }
    std::int32_t GetLayerCount() const { return m_layerCount; }
    // A layer's first drawn tile and how far it is cut off, as the last
    // rebuild left them.
    const CVector2d& GetFirstTile(std::int32_t layer) const { return m_firstTile[layer]; }
    const CVector2d& GetOffset(std::int32_t layer) const { return m_offset[layer]; }
    bool HasMoved() const { return m_moved != 0; }

private:
    // Layers 0..n-1 of the tables, n = min(layer count, 8).
    std::int32_t tableLayers() const;
    // One axis of the position stepping toward the target.
    void approach(std::int32_t* position, std::int32_t target, std::int32_t dt);
    void drawLayerCharacters(std::int32_t layer, std::int32_t* lowerBound);

    std::uint8_t m_viewEnabled = 0;
    std::uint8_t m_snap = 0;
    CVector2d m_position{0, 0};
    CVector2d m_target{0, 0};
    CVector2d m_viewport{0, 0};
    CVector2d m_mapSize{0, 0};
    CVector2d m_tilesToDraw{0, 0};
    CVector2d m_screen{0, 0};
    CVector2d m_shake{0, 0};
    std::int32_t m_layerCount = 0;
    std::int32_t m_activeLayer = -1;
    CVector2d m_parallax[kMaxLayers];
    CVector2d m_offset[kMaxLayers];
    CVector2d m_firstTile[kMaxLayers];
    std::uint32_t m_clearColour = 0xFF000000;
    std::uint8_t m_moved = 0;
    std::uint8_t m_tablesValid = 0;
};
