#include "src/game/MapManager.h"

#include <cstring>
#include <new>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/core/Debug.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_AdapterServices.h"
#include "src/game/AZ_Map.h"

namespace {

constexpr std::int64_t kMaxTiles = 65535;

// Little-endian reads that stop at the end of the bytes: past it every
// read gives 0 and the reader is no longer good.
class Reader {
public:
    Reader(const std::uint8_t* data, std::uint32_t size) : m_data(data), m_size(size) {}

    bool Good() const { return m_good; }
    std::int32_t U8() { return Take(1) ? m_data[m_pos - 1] : 0; }
    std::int32_t S8() { return static_cast<std::int8_t>(U8()); }
    std::int32_t U16() { return Take(2) ? m_data[m_pos - 2] | m_data[m_pos - 1] << 8 : 0; }
    std::int32_t S16() { return static_cast<std::int16_t>(U16()); }
    // The next n bytes, or null when fewer are left.
    const std::uint8_t* Bytes(std::int64_t n) { return Take(n) ? m_data + m_pos - n : nullptr; }

private:
    bool Take(std::int64_t n) {
        if (!m_good || n > std::int64_t{m_size} - m_pos) {
            m_good = false;
            return false;
        }
        m_pos += static_cast<std::uint32_t>(n);
        return true;
    }

    const std::uint8_t* m_data;
    std::uint32_t m_size;
    std::uint32_t m_pos = 0;
    bool m_good = true;
};

bool Refuse(AZ_Map* map, const char* reason, std::int64_t value) {
    DebugPrintf("[ MapManager ] - Map refused: %s (%lld)", reason, static_cast<long long>(value));
    map->clear();
    return false;
}

// Reads one layer's spans into the layer; the reason it is refused, or null.
const char* ReadLayer(Reader& in, const AZ_Map& map, AZ_MapLayer* layer, std::int64_t* value) {
    const std::int32_t spans = in.S16();
    const std::int32_t dataSize = in.S16();
    *value = spans < 0 ? spans : dataSize;
    if (!in.Good()) return "layer past the end of the data";
    if (spans < 0 || dataSize < 0) return "negative span count or data size";
    layer->spans = new (std::nothrow) std::uint16_t[static_cast<std::size_t>(spans) * 3];
    layer->codes = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(dataSize)]();
    if (layer->spans == nullptr || layer->codes == nullptr) return "out of memory";
    layer->spanEntries = spans * 3;
    layer->dataSize = dataSize;

    const std::int64_t tiles = std::int64_t{map.width} * map.height;
    std::int64_t end = 0;  // of the previous span
    std::int32_t offset = 0;
    for (std::int32_t s = 0; s < spans; ++s) {
        const std::int32_t start = in.U16();
        const std::int32_t length = in.U16();
        const std::uint8_t* codes = in.Bytes(length);
        *value = s;
        if (codes == nullptr) return "span past the end of the data";
        if (start < end) return "span overlapping or out of order";
        if (start + length > tiles) return "span past the layer";
        if (offset + length > dataSize) return "tile codes past the data size";
        for (std::int32_t i = 0; i < length; ++i) {
            *value = codes[i];
            if ((codes[i] & 127) >= map.typeCount) return "tile type out of range";
        }
        std::memcpy(layer->codes + offset, codes, static_cast<std::size_t>(length));
        layer->spans[3 * s] = static_cast<std::uint16_t>(start);
        layer->spans[3 * s + 1] = static_cast<std::uint16_t>(length);
        layer->spans[3 * s + 2] = static_cast<std::uint16_t>(offset);
        offset += length;
        end = start + length;
    }
    const std::int64_t strides = (tiles >> AZ_MapLayer::kStrideShift) + 1;
    layer->strideEntries = new (std::nothrow) std::int32_t[static_cast<std::size_t>(strides)];
    if (layer->strideEntries == nullptr) return "out of memory";
    for (std::int32_t stride = 0, s = 0; stride < strides; ++stride) {
        while (s + 1 < spans && layer->spans[3 * s] + layer->spans[3 * s + 1] <= stride << AZ_MapLayer::kStrideShift) {
            ++s;
        }
        layer->strideEntries[stride] = 3 * s;
    }
    return nullptr;
}

}  // namespace

void AZ_Map::clear() {
    delete[] collision;
    delete[] baseColumn;
    delete[] overlayColumn;
    collision = baseColumn = overlayColumn = nullptr;
    for (AZ_MapLayer& layer : layers) {
        delete[] layer.spans;
        delete[] layer.codes;
        delete[] layer.strideEntries;
        layer = AZ_MapLayer();
    }
    layerCount = 0;
    width = height = pixelWidth = pixelHeight = typeCount = 0;
}

bool MapManager::parseMap(const std::uint8_t* data, std::uint32_t size, AZ_Map* map) {
    map->clear();
    Reader in(data, size);
    const std::int32_t layers = in.S8();
    in.U8();  // the tile size: always 24
    const std::int32_t width = in.S16();
    const std::int32_t height = in.S16();
    const std::int32_t types = in.S16();
    DebugPrintf("MapManager.loadMap() : layerCount = %d", layers);
    if (!in.Good()) return Refuse(map, "header past the end of the data", size);
    if (layers < 0 || layers > AZ_Map::kMaxLayers) return Refuse(map, "layer count", layers);
    if (width < 1 || height < 1 || std::int64_t{width} * height > kMaxTiles) {
        return Refuse(map, "size in tiles", std::int64_t{width} * height);
    }
    if (types < 0) return Refuse(map, "tile type count", types);
    map->width = width;
    map->height = height;
    map->pixelWidth = width * AZ_Map::kTileSize;
    map->pixelHeight = height * AZ_Map::kTileSize;

    map->collision = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(types)];
    map->baseColumn = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(types)];
    map->overlayColumn = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(types)];
    if (map->collision == nullptr || map->baseColumn == nullptr || map->overlayColumn == nullptr) {
        return Refuse(map, "out of memory", types);
    }
    map->typeCount = types;
    for (std::int32_t t = 0; t < types; ++t) {
        map->collision[t] = static_cast<std::uint8_t>(in.U8());
        map->baseColumn[t] = static_cast<std::uint8_t>(in.U8());
        map->overlayColumn[t] = static_cast<std::uint8_t>(in.U8());
    }
    if (!in.Good()) return Refuse(map, "tile types past the end of the data", types);

    for (std::int32_t l = 0; l < layers; ++l) {
        std::int64_t value = 0;
        if (const char* reason = ReadLayer(in, *map, &map->layers[l], &value)) return Refuse(map, reason, value);
    }
    map->layerCount = static_cast<std::int8_t>(layers);
    return true;
}

void MapManager::loadMap(std::uint32_t resourceId) {
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    AZ_AdapterServices* services = adapter->getServices();
    const CBinRes* resource = services != nullptr ? services->getData(resourceId) : nullptr;
    if (resource == nullptr) {
        DebugPrintf("[ MapManager ] - Missing map 0x%08X", resourceId);
        return;
    }
    parseMap(resource->GetPayload(), resource->GetPayloadSize(), &adapter->getMap());
    services->releaseData(resourceId);
}
