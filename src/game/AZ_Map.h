// A level's tile map in memory: up to eight layers of 24 x 24 pixel tiles
// from one tileset strip, and the tile types they use.
//
// A layer keeps only its spans: runs of tiles in index order (index = row *
// width + column), each with its start, length and the offset of its first
// tile code in the layer's code buffer. Tiles outside every span are empty.
// A tile code's bits 0-6 are its type, bit 7 draws it mirrored left-right.
// A type has a collision byte and two tileset columns (base, and an overlay
// drawn over it), each stored as column + 1, 0 and 128-255 meaning none.
#pragma once

#include <cstdint>

struct AZ_MapLayer {
    // Three entries per span: start tile index, length, code offset.
    std::uint16_t* spans = nullptr;
    std::uint8_t* codes = nullptr;
    // Per run of kStrideTiles tile indices, the span entry where a walk
    // toward them starts: the first span that does not end before the run
    // (the last span when every one does), so that scans need not walk
    // from the first span.
    static constexpr std::int32_t kStrideShift = 4;
    std::int32_t* strideEntries = nullptr;
    std::int32_t spanEntries = 0;  // 3 x the span count
    std::int32_t dataSize = 0;     // bytes in codes
};

struct AZ_Map {
    static constexpr std::int32_t kMaxLayers = 8;
    static constexpr std::int32_t kTileSize = 24;  // pixels

    AZ_Map() = default;
    ~AZ_Map() { clear(); }
    AZ_Map(const AZ_Map&) = delete;
    AZ_Map& operator=(const AZ_Map&) = delete;

    // Frees everything; layer count 0. Safe on an empty map.
    void clear();

    std::int8_t layerCount = 0;
    std::int32_t width = 0;  // tiles
    std::int32_t height = 0;
    std::int32_t pixelWidth = 0;
    std::int32_t pixelHeight = 0;
    std::int32_t typeCount = 0;
    std::uint8_t* collision = nullptr;
    std::uint8_t* baseColumn = nullptr;
    std::uint8_t* overlayColumn = nullptr;
    AZ_MapLayer layers[kMaxLayers];
};

// Collision masks: a move down is blocked by a tile whose collision byte
// holds both bits of AZ_TILE_BLOCK_DOWN, and so on; AZ_TILE_HALF lowers the
// landing height on the tile by half a tile.
constexpr std::int32_t AZ_TILE_BLOCK_DOWN = 3;
constexpr std::int32_t AZ_TILE_BLOCK_UP = 12;
constexpr std::int32_t AZ_TILE_BLOCK_RIGHT = 5;
constexpr std::int32_t AZ_TILE_BLOCK_LEFT = 10;
constexpr std::int32_t AZ_TILE_HALF = 32;
