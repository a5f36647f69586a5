// The adapter's map work: drawing a layer span by span, and the scans and
// sweeps that find blocking tiles.
#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"

namespace {

constexpr std::int32_t kTile = AZ_Map::kTileSize;
// World units a landed or blocked box keeps from the tile it stopped at.
constexpr std::int32_t kGap = 42;
constexpr std::int32_t kHalf = 512;
// Tiles are drawn clipped by the blit to the render surface only.
const CRect kWhole(0, 0, 0x7FFF, 0x7FFF);

struct Span {
    std::int64_t start;
    std::int64_t end;  // one past the last tile
    std::int32_t offset;
};

Span SpanAt(const AZ_MapLayer& layer, std::int32_t entry) {
    const std::uint16_t* s = layer.spans + entry;
    return {s[0], std::int64_t{s[0]} + s[1], s[2]};
}

// The first span entry that does not end at or before the tile index (the
// last span when every one does), for an index inside the layer: from the
// start of the index's run of indices, one span at a time.
std::int32_t EntryOf(const AZ_MapLayer& layer, std::int64_t index) {
    std::int32_t entry = layer.strideEntries[index >> AZ_MapLayer::kStrideShift];
    while (entry + 3 < layer.spanEntries && SpanAt(layer, entry).end <= index) entry += 3;
    return entry;
}

}  // namespace

std::int32_t AZ_Adapter::resolveLayer(std::int32_t layer) {
    return layer == -1 ? AZ_Client::getInstance()->getCamera()->GetActiveLayer() : layer;
}

void AZ_Adapter::drawTile(std::uint8_t columnByte, std::int32_t x, std::int32_t y, bool mirror) {
    const std::int32_t column = static_cast<std::int8_t>(columnByte) - 1;
    if (column < 0) return;
    if (column * kTile >= m_tileset->GetWidth()) {
        DebugPrintf("[ MapManager ] - Invalid Tile ID - %d ", column);
        return;
    }
    static_cast<CSoftwareImage*>(m_tileset)->Draw(&kWhole, x, y, kTile, kTile, column * kTile, 0,
                                                  mirror ? CSoftwareImage::kMirror : 0);
}

void AZ_Adapter::drawTileLayer(std::int32_t layer, std::int32_t x, std::int32_t y, std::int32_t firstColumn,
                               std::int32_t firstRow, std::int32_t columns, std::int32_t rows) {
    if (layer < 0 || layer >= m_map.layerCount || m_tileset == nullptr || columns < 1 || rows < 1) return;
    const AZ_MapLayer& l = m_map.layers[layer];
    if (l.spanEntries == 0 || l.dataSize == 0) return;
    const std::int32_t width = m_map.width;
    std::int64_t index = std::int64_t{firstRow} * width + firstColumn;
    std::int32_t entry = index >= 0 && index < std::int64_t{width} * m_map.height ? EntryOf(l, index) : 0;
    Span span = SpanAt(l, entry);
    std::int32_t px = x, py = y;
    std::int32_t columnsLeft = columns, rowsLeft = rows;
    for (;;) {
        while (columnsLeft == 0 || index >= span.end) {
            if (columnsLeft == 0) {
                if (--rowsLeft < 1) return;
                px = x;
                py += kTile;
                index += width - columns;
                columnsLeft = columns;
            } else {
                entry += 3;
                if (entry >= l.spanEntries) return;
                span = SpanAt(l, entry);
            }
        }
        if (index >= span.start) {
            const std::uint8_t code = l.codes[span.offset + (index - span.start)];
            const std::int32_t type = code & 127;
            drawTile(m_map.baseColumn[type], px, py, code >= 128);
            drawTile(m_map.overlayColumn[type], px, py, code >= 128);
        }
        px += kTile;
        ++index;
        --columnsLeft;
    }
}

std::int32_t AZ_Adapter::findBlockingTile(std::int32_t layer, std::int32_t, std::int32_t col0, std::int32_t row0,
                                          std::int32_t col1, std::int32_t row1, std::int32_t mask) {
    if (layer < 0 || layer >= m_map.layerCount) return 0;
    const AZ_MapLayer& l = m_map.layers[layer];
    if (l.spanEntries == 0 || l.dataSize == 0) return 0;
    // Only tiles whose index lies inside the layer can block; a column past
    // either side reads the neighbouring row's tile.
    const std::int64_t width = m_map.width;
    const std::int64_t tiles = width * m_map.height;
    const bool inside = col0 >= 0 && col1 < width;
    const std::int64_t firstRow = std::max<std::int64_t>(row0, inside ? 0 : -std::int64_t{col1} / width - 1);
    const std::int64_t lastRow =
        std::min<std::int64_t>(row1, inside ? m_map.height - 1 : (tiles - 1 - col0) / width + 1);
    for (std::int64_t row = firstRow; row <= lastRow; ++row) {
        const std::int64_t rowStart = row * width;
        const std::int64_t first = std::max<std::int64_t>(rowStart + col0, 0);
        const std::int64_t last = std::min<std::int64_t>(rowStart + col1, tiles - 1);
        if (first > last) continue;
        // The spans over the row's tiles, in index order.
        for (std::int32_t entry = EntryOf(l, first); entry < l.spanEntries; entry += 3) {
            const Span span = SpanAt(l, entry);
            if (span.start > last) break;
            for (std::int64_t index = std::max(span.start, first); index < span.end && index <= last; ++index) {
                const std::int32_t collision = m_map.collision[l.codes[span.offset + (index - span.start)] & 127];
                if ((collision & mask) == mask) {
                    m_lastHit = {Low32(index - rowStart), Low32(row), entry, collision};
                    return 1;
                }
            }
        }
    }
    return 0;
}

std::int32_t AZ_Adapter::sweepTilesX(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y,
                                     std::int32_t w, std::int32_t h, std::int32_t targetX) {
    layer = resolveLayer(layer);
    if (layer == -1) return 0;
    const std::int64_t half = w >> 1;
    const std::int64_t left = x - half, top = std::int64_t{y} - h, targetLeft = targetX - half;
    const auto row0 = Low32(top >> 10), row1 = Low32((top + h) >> 10);
    const bool leftward = targetLeft < left;
    const std::int64_t first = leftward ? (left >> 10) - 1 : ((left + w) >> 10) + 1;
    const std::int64_t last = leftward ? targetLeft >> 10 : (targetLeft + w) >> 10;
    const std::int64_t step = leftward ? -1 : 1;
    for (std::int64_t column = first; (last - column) * step >= 0; column += step) {
        const auto c = Low32(column);
        if (findBlockingTile(layer, spanHint, c, row0, c, row1, leftward ? AZ_TILE_BLOCK_LEFT : AZ_TILE_BLOCK_RIGHT)) {
            // Flush with a wall on the left; 42 short of one on the right.
            m_lastHit.x = Low32(leftward ? column * 1024 + half + 1024 : column * 1024 - (half + kGap));
            return 1;
        }
    }
    return 0;
}

std::int32_t AZ_Adapter::sweepTilesY(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y,
                                     std::int32_t w, std::int32_t h, std::int32_t targetY) {
    layer = resolveLayer(layer);
    if (layer == -1) return 0;
    const std::int64_t left = x - std::int64_t{w >> 1};
    const std::int64_t lastColumn = std::max<std::int64_t>(m_map.width - 1, 0);
    const auto col0 = Low32(std::min(std::max<std::int64_t>(0, left >> 10), lastColumn));
    const auto col1 = Low32(std::min(std::max<std::int64_t>(0, (left + w) >> 10), lastColumn));
    const std::int64_t top = std::int64_t{y} - h, targetTop = std::int64_t{targetY} - h;
    bool hit = false;
    std::int64_t offset;
    if (targetTop >= top) {
        offset = -kGap;
        hit = findBlockingTile(layer, spanHint, col0, y >> 10, col1, Low32((std::int64_t{targetY} + kHalf) >> 10),
                               AZ_TILE_BLOCK_DOWN) != 0;
    } else {
        // Rising: the crossed rows from the box's top row up, nearest
        // first, so the first ceiling met stops it.
        offset = std::int64_t{h} + 1024;
        for (std::int64_t row = top >> 10; !hit && row >= targetTop >> 10; --row) {
            hit = findBlockingTile(layer, spanHint, col0, Low32(row), col1, Low32(row), AZ_TILE_BLOCK_UP) != 0;
        }
    }
    if (!hit) return 0;
    const std::int64_t half = (m_lastHit.collision & AZ_TILE_HALF) != 0 ? kHalf : 0;
    m_lastHit.y = Low32(std::int64_t{m_lastHit.y} * 1024 + offset + half);
    return 1;
}

std::int32_t AZ_Adapter::sweepTiles(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y,
                                    std::int32_t w, std::int32_t h, std::int32_t targetX, std::int32_t targetY) {
    const std::int32_t across = sweepTilesX(layer, spanHint, x, y, w, h, targetX);
    const std::int32_t down = sweepTilesY(layer, spanHint, x, y, w, h, targetY);
    return across != 0 || down != 0 ? 1 : 0;
}

std::int32_t AZ_Adapter::testMapCollision(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                          std::int32_t targetY) {
    return sweepTilesY(-1, 0, x, y, w, h, targetY);
}

std::int32_t AZ_Adapter::isTileEdge(std::int32_t layer, std::int32_t, std::int32_t x, std::int32_t y,
                                    std::int32_t left) {
    layer = resolveLayer(layer);
    if (layer < 0 || layer >= m_map.layerCount) return 0;
    const std::int32_t column = x >> 10;
    if (left != 0 ? x < 1024 : column >= m_map.width - 1) return 0;
    const AZ_MapLayer& l = m_map.layers[layer];
    const std::int64_t index = ((std::int64_t{y} + kHalf) >> 10) * m_map.width + column;
    if (l.spanEntries == 0 || l.dataSize == 0 || index < 0 || index >= std::int64_t{m_map.width} * m_map.height) {
        return 0;
    }
    const std::int32_t entry = EntryOf(l, index);
    const Span span = SpanAt(l, entry);
    const auto collisionOf = [&](std::int64_t i) {
        return m_map.collision[l.codes[span.offset + (i - span.start)] & 127];
    };
    if (index < span.start || index >= span.end || collisionOf(index) == 0) return 0;
    const std::int64_t neighbour = left != 0 ? index - 1 : index + 1;
    return neighbour < span.start || neighbour >= span.end || collisionOf(neighbour) == 0 ? 1 : 0;
}
