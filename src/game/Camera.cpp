#include "src/game/Camera.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "src/CGameApp.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\game\\Camera.cpp";
constexpr std::int32_t kTile = 24;
constexpr std::int32_t kDefaultFactor = 1024;

// v scaled by a parallax factor in 1/1024, in 64 bits so that world
// positions far out on large maps do not wrap.
std::int32_t Scale(std::int32_t v, std::int32_t factor) { return Low32(std::int64_t{v} * factor >> 10); }

// Tiles needed to cover a side of the viewport from any offset.
std::int32_t TilesToDraw(std::int32_t side) { return side / kTile + 1 + (side % kTile != 0 ? 1 : 0); }

}  // namespace

Camera::Camera() {
    for (CVector2d& factor : m_parallax) factor.Set(kDefaultFactor, kDefaultFactor);
    for (std::int32_t l = 0; l < kMaxLayers; ++l) {
        m_offset[l].SetZero();
        m_firstTile[l].SetZero();
    }
    std::int32_t width, height;
    if (!AZ_GetSurfaceSize(&width, &height)) {
        DebugPrintf("[ AZ ][ ERROR ] - (Graphics) : Corrupt directX surface");
        DebugAssert(false, kSourcePath, __LINE__);
    }
    m_viewport.Set(width, height);
    m_screen = m_viewport;
}

void Camera::Reset() {
    m_tablesValid = 0;
    m_position.SetZero();
    m_target.SetZero();
    m_activeLayer = -1;
    m_viewEnabled = 0;
}

std::int32_t Camera::tableLayers() const { return std::clamp(m_layerCount, 0, kMaxLayers); }

void Camera::SetupForMap(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t layerCount) {
    const CGameApp* app = CGameApp::GetInstance();
    if (app != nullptr && app->GetBottomBar() != nullptr) viewHeight -= app->GetBottomBar()->GetHeight();
    const AZ_Map& map = AZ_Client::getInstance()->getAdapter()->getMap();
    m_viewport.Set(std::min(viewWidth, map.pixelWidth), std::min(viewHeight, map.pixelHeight));
    m_tilesToDraw.Set(TilesToDraw(m_viewport.x), TilesToDraw(m_viewport.y));
    m_mapSize.Set(map.pixelWidth, map.pixelHeight);
    m_layerCount = layerCount;
    for (std::int32_t l = 0; l < tableLayers(); ++l) {
        m_offset[l].SetZero();
        m_firstTile[l].SetZero();
    }
    // The zeroed tables no longer match the position: the next scroll
    // rebuilds them even when the camera stays still.
    m_tablesValid = 0;
    m_viewEnabled = 0;
}

std::int32_t Camera::WorldToPixel(std::int32_t v) { return Low32((std::int64_t{v} * 24 + 512) >> 10); }

void Camera::LookAt(std::int32_t x, std::int32_t y, std::int32_t mode) {
    CVector2d t(WorldToPixel(x), WorldToPixel(y));
    if (mode == 1) {
        t += m_target;
    } else {
        t -= CVector2d(m_viewport.x >> 1, m_viewport.y >> 1);
    }
    t.Set(std::max(0, std::min(t.x, m_mapSize.x - m_viewport.x)),
          std::max(0, std::min(t.y, m_mapSize.y - m_viewport.y)));
    m_target = t;
    if (m_snap == 1) {
        m_position = m_target;
        m_tablesValid = 0;
    }
}

void Camera::LookAtPixels(std::int32_t x, std::int32_t y, std::int32_t mode) {
    LookAt(AZ_Adapter::pixelToWorld(x), AZ_Adapter::pixelToWorld(y), mode);
}

void Camera::approach(std::int32_t* position, std::int32_t target, std::int32_t dt) {
    if (*position == target) return;
    m_moved = 1;
    const std::int64_t distance = std::int64_t{*position} - target;
    const std::int64_t d = distance < 0 ? -distance : distance;
    const std::int64_t step = std::max<std::int64_t>((d * 4 * dt) >> 10, 1);
    *position = Low32(*position < target ? *position + step : *position - step);
}

void Camera::UpdateScroll(std::int32_t dt) {
    m_moved = 0;
    approach(&m_position.x, m_target.x, dt);
    approach(&m_position.y, m_target.y, dt);
    if (m_moved == 0 && m_tablesValid == 1) return;
    m_tablesValid = 1;
    for (std::int32_t l = 0; l < tableLayers(); ++l) {
        const std::int32_t px = Scale(m_position.x, m_parallax[l].x);
        const std::int32_t py = Scale(m_position.y, m_parallax[l].y);
        m_offset[l].Set(px % kTile, py % kTile);
        m_firstTile[l].Set(px / kTile, py / kTile);
    }
}

// Walks the draw order from its end (the lowest priorities) toward the
// lower bound: the layer's own priority is drawn, lower ones are passed
// over, and the first higher one ends the walk and becomes the bound.
void Camera::drawLayerCharacters(std::int32_t layer, std::int32_t* lowerBound) {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t priority = -(layer + 1);
    for (std::int32_t position = client->getDrawOrderCount() - 1; position >= *lowerBound; --position) {
        const std::int32_t row = client->getDrawOrderEntry(position);
        const std::int32_t rowPriority = client->getDrawPriority(row);
        if (rowPriority > priority) {
            *lowerBound = position;
            return;
        }
        if (rowPriority < priority) continue;
        AZ_Presenter* presenter = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        if (presenter == nullptr) continue;
        const std::int32_t x = presenter->getX(), y = presenter->getY();
        presenter->setX(Scale(x, m_parallax[layer].x));
        presenter->setY(Scale(y, m_parallax[layer].y));
        AZ_Presenter::render(presenter);
        presenter->setX(x);
        presenter->setY(y);
    }
}

void Camera::Draw(bool back) {
    if (m_viewEnabled == 0) return;
    const std::int32_t first = back ? 0 : std::max(m_activeLayer + 1, 0);
    const std::int32_t last = back ? std::min(m_activeLayer, tableLayers() - 1) : tableLayers() - 1;
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    const CVector2d kept = m_position;
    std::int32_t lowerBound = 0;
    for (std::int32_t l = first; l <= last; ++l) {
        m_position.Set(Scale(kept.x, m_parallax[l].x), Scale(kept.y, m_parallax[l].y));
        adapter->drawTileLayer(l, -m_offset[l].x, -m_offset[l].y, m_firstTile[l].x, m_firstTile[l].y, m_tilesToDraw.x,
                               m_tilesToDraw.y);
        drawLayerCharacters(l, &lowerBound);
        m_position = kept;
    }
}

bool Camera::IsVisible(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t layer) const {
    if (m_viewEnabled == 0) return false;
    const std::int32_t fx = GetLayerParallaxX(layer), fy = GetLayerParallaxY(layer);
    const std::int32_t rx = WrapSub32(WorldToPixel(x), m_position.x);
    const std::int32_t ry = WrapSub32(WorldToPixel(y), m_position.y);
    return AZ_BoxesOverlap(0, 0, m_viewport.x, m_viewport.y, Scale(rx, fx), Scale(ry, fy), Scale(WorldToPixel(w), fx),
                           Scale(WorldToPixel(h), fy)) == 1;
}

std::int32_t Camera::GetLayerParallaxX(std::int32_t layer) const {
    return layer >= 0 && layer < kMaxLayers ? m_parallax[layer].x : kDefaultFactor;
}

std::int32_t Camera::GetLayerParallaxY(std::int32_t layer) const {
    return layer >= 0 && layer < kMaxLayers ? m_parallax[layer].y : kDefaultFactor;
}

void Camera::SetLayerParallax(std::int32_t layer, std::int32_t x, std::int32_t y) {
    if (layer >= 0 && layer < kMaxLayers) m_parallax[layer].Set(x, y);
}
