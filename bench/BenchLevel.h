// A level for the benchmarks: a 200 x 50 tile map of 8 layers (layer 0
// full, the others half covered by spans of 4-20 tiles, some tiles
// mirrored, some types with an overlay), a 16-column tileset with key
// pixels, and the services through which the game adapter loads them. The
// layers' codes are also kept as dense grids, for the plain loops the
// benchmarks compare with.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "platform/shared/components/CBinRes.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_AdapterServices.h"
#include "tools/BmpWriter.h"
#include "tools/MapWriter.h"

namespace bench {

constexpr std::int32_t kMapWidth = 200, kMapHeight = 50, kLayers = 8, kColumns = 16;

class BenchLevel : public AZ_AdapterServices {
public:
    BenchLevel() {
        std::mt19937 rng(48);
        vktools::RawMap map;
        map.width = kMapWidth;
        map.height = kMapHeight;
        for (std::int32_t t = 0; t < kColumns; ++t) {
            // Every fourth type draws another column over its own.
            map.types.push_back({15, static_cast<std::uint8_t>(t + 1),
                                 static_cast<std::uint8_t>(t % 4 == 3 ? (t + 5) % kColumns + 1 : 0)});
        }
        for (std::int32_t l = 0; l < kLayers; ++l) {
            std::vector<std::int32_t>& grid = dense.emplace_back(kMapWidth * kMapHeight, -1);
            vktools::RawMap::Layer& layer = map.layers.emplace_back();
            for (std::int32_t index = 0; index < kMapWidth * kMapHeight;) {
                const std::int32_t length = l == 0 ? kMapWidth * kMapHeight : 4 + static_cast<std::int32_t>(rng() % 17);
                vktools::RawMap::Span& span = layer.spans.emplace_back();
                span.start = static_cast<std::uint16_t>(index);
                for (std::int32_t i = 0; i < length && index < kMapWidth * kMapHeight; ++i, ++index) {
                    const auto code = static_cast<std::uint8_t>(rng() % kColumns | (rng() % 5 == 0 ? 0x80 : 0));
                    span.codes.push_back(code);
                    grid[static_cast<std::size_t>(index)] = code;
                }
                index += 4 + static_cast<std::int32_t>(rng() % 17);  // about as long as a span
            }
        }
        m_map = vktools::WriteRawMap(map);
        vktools::BmpDesc bmp{24 * kColumns, 24, 24, {}, 0, {}};
        for (std::int32_t y = 0; y < 24; ++y) {
            for (std::int32_t x = 0; x < 24 * kColumns; ++x) {
                bmp.pixels.push_back((x + y) % 11 == 0 ? 0xFF00FF
                                                       : (0x102030u * (x / 24 + 1) + 0x040404u * (y % 8)) & 0xFFFFFF);
            }
        }
        m_tileset = vktools::MakeBmp(bmp);
    }

    // The map; no other data (the level has no entity list).
    CBinRes* getData(std::uint32_t id) override {
        if (id != AZ_MAP_RESOURCE) return nullptr;
        auto* bytes = new std::uint8_t[m_map.size()];
        std::copy(m_map.begin(), m_map.end(), bytes);
        m_data.InitRaw(3, 0, bytes, static_cast<std::uint32_t>(m_map.size()), 0, 0);
        return &m_data;
    }
    void releaseData(std::uint32_t) override { m_data.Free(); }
    CImage* createImage(std::uint32_t) override {
        auto* image = new CNativeImage(CGameApp::GetBlitter());
        image->CreateFromBmp(m_tileset.data(), static_cast<std::uint32_t>(m_tileset.size()), 0, nullptr, 0);
        return image;
    }
    std::int32_t getSavedCharacter() override { return 0; }

    // Loads the level into the client's adapter and gives the layers
    // factors from 256 to 1024, the characters the middle layer.
    void Load(AZ_Client* client) {
        client->getAdapter()->setServices(this);
        client->getAdapter()->loadLevel(0, 0, 0);
        Camera* camera = client->getCamera();
        for (std::int32_t l = 0; l < kLayers; ++l) {
            const std::int32_t factor = 256 + l * 768 / (kLayers - 1);
            camera->SetLayerParallax(l, factor, factor);
        }
        camera->SetActiveLayer(kLayers / 2 - 1);
        camera->SetViewEnabled(true);
    }

    // Codes of each layer, row by row; -1 empty.
    std::vector<std::vector<std::int32_t>> dense;

private:
    vktools::Bytes m_map;
    vktools::Bytes m_tileset;
    CBinRes m_data;
};

}  // namespace bench
