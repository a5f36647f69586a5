// The tile map resource and its parse into the adapter's map.
//
// All values little-endian:
//   0  layer count L (int8), tile size (uint8, ignored: 24 is used)
//   2  width W, height H, tile type count N (int16 each)
//   8  N tile types of 3 bytes: collision, base column + 1, overlay column + 1
//      L layers: span count S, code bytes D (int16 each), then S spans:
//      start tile index (uint16), length (uint16), `length` tile codes
//
// The parse trusts nothing: a map with a layer count outside 0..8, a size
// below 1 x 1 or above 65535 tiles, negative counts, spans out of order,
// overlapping or past the layer, codes beyond D, a tile type of N or more,
// or bytes missing is refused with a line and leaves the map without
// layers.
#pragma once

#include <cstdint>

struct AZ_Map;

class MapManager {
public:
    // Parses the map resource of the id into the adapter's map (which must
    // be empty) and gives the resource back; a missing one is logged.
    static void loadMap(std::uint32_t resourceId);
    // Parses size bytes into the empty map; false when refused.
    static bool parseMap(const std::uint8_t* data, std::uint32_t size, AZ_Map* map);
};
