// The map fuzz target's body and seeds, shared with the test that replays
// them: the engine on a 64 x 48 back buffer loads the bytes as a level's
// map and as its entity list through the game adapter, draws every layer
// and both camera passes, and sweeps boxes across the map.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "host/DDraw.h"
#include "host/Window.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_AdapterServices.h"
#include "tools/BmpWriter.h"
#include "tools/EntityListWriter.h"
#include "tools/MapWriter.h"
#include "tools/ProgramDisplay.h"
#include "tools/ScriptAssembler.h"

namespace fuzz {

class MapWorld : public AZ_AdapterServices {
public:
    MapWorld() {
        host::ResetDisplay();
        host::ResetWindowing(host::WindowOptions{.screenWidth = 128, .screenHeight = 96});
        m_surface = vktools::OpenProgramDisplay();
        vktools::ScriptAssembler assembler;
        assembler.Parse(R"(
type standing initial stand
type drawn initial draw
state stand
on enter
    b_tileCollidable 0 0
state draw
on enter
    b_drawable -1 0
    v_rect
)",
                        "map fuzz");
        assembler.Build(m_script);
        m_client = std::make_unique<AZ_Client>(m_script.data(), static_cast<std::uint32_t>(m_script.size()));
        m_store = std::make_unique<AZ_Presenter_Singleton>();
        m_store->init(AZ__MAX_PRESENTER);
        m_client->getAdapter()->setServices(this);
    }
    ~MapWorld() override {
        m_client->getAdapter()->releaseLevel();
        m_store->release();
        m_store.reset();
        m_client.reset();
    }
    MapWorld(const MapWorld&) = delete;
    MapWorld& operator=(const MapWorld&) = delete;

    // The input is the map and the entity list; the tileset has 4 columns.
    CBinRes* getData(std::uint32_t) override {
        auto* bytes = new (std::nothrow) std::uint8_t[m_input.size() + 1];
        if (bytes == nullptr) return nullptr;
        std::copy(m_input.begin(), m_input.end(), bytes);
        m_data = std::make_unique<CBinRes>();
        return m_data->InitRaw(3, 0, bytes, static_cast<std::uint32_t>(m_input.size()), 0, 0) ? m_data.get() : nullptr;
    }
    void releaseData(std::uint32_t) override { m_data.reset(); }
    CImage* createImage(std::uint32_t) override {
        vktools::BmpDesc bmp{96, 24, 8, {0xFF00FF, 0x336699, 0xCC9933}, 0, {}};
        for (std::int32_t i = 0; i < 96 * 24; ++i) bmp.pixels.push_back(static_cast<std::uint32_t>(i % 7 % 3));
        const vktools::Bytes file = vktools::MakeBmp(bmp);
        auto* image = new CNativeImage(CGameApp::GetBlitter());
        image->CreateFromBmp(file.data(), static_cast<std::uint32_t>(file.size()), 0, nullptr, 0);
        return image;
    }
    std::int32_t getSavedCharacter() override { return 0; }

    void Run(const std::uint8_t* data, std::size_t size) {
        m_input.assign(data, data + size);
        AZ_Adapter* adapter = m_client->getAdapter();
        Camera* camera = m_client->getCamera();
        adapter->loadLevel(0, 0, 0);
        const AZ_Map& map = adapter->getMap();
        m_client->update(0);

        vktools::LockForDrawing(m_surface);
        for (std::int32_t l = 0; l < map.layerCount; ++l) {
            adapter->drawTileLayer(l, -7, -5, -1, 0, 5, 4);
            adapter->drawTileLayer(l, 3, 2, map.width - 2, map.height - 2, 4, 3);
        }
        camera->SetViewEnabled(true);
        camera->SetActiveLayer(map.layerCount / 2);
        camera->SetLayerParallax(0, 512, 2048);
        camera->LookAt(adapter->getMapWidth() / 2, adapter->getMapHeight() / 2, 0);
        camera->UpdateScroll(1000);
        camera->Draw(true);
        camera->Draw(false);
        m_surface->Unlock();

        // Boxes of a few sizes at points across the map and past its
        // edges, each moving three tiles each way.
        const std::int32_t w = adapter->getMapWidth(), h = adapter->getMapHeight();
        const std::int32_t stepX = std::max(1024, (w + 4096) / 12), stepY = std::max(1024, (h + 4096) / 12);
        for (std::int32_t l = -1; l < map.layerCount; ++l) {
            for (const std::int32_t size : {1, 700, 2500}) {
                for (std::int32_t y = -2048; y <= h + 2048; y += stepY) {
                    for (std::int32_t x = -2048; x <= w + 2048; x += stepX) {
                        adapter->sweepTilesX(l, 0, x, y, size, size, x + 3072);
                        adapter->sweepTilesX(l, 3, x, y, size, size, x - 3072);
                        adapter->sweepTilesY(l, 0, x, y, size, size, y + 3072);
                        adapter->sweepTilesY(l, 6, x, y, size, size, y - 3072);
                        adapter->isTileEdge(l, 0, x, y, (x ^ y) & 1);
                    }
                }
            }
            adapter->findBlockingTile(l, 3, -1, -1, map.width, map.height, 0);
        }
        adapter->unloadLevel();
    }

private:
    ICRenderSurface* m_surface = nullptr;
    vktools::Bytes m_script;
    std::unique_ptr<AZ_Client> m_client;
    std::unique_ptr<AZ_Presenter_Singleton> m_store;
    std::vector<std::uint8_t> m_input;
    std::unique_ptr<CBinRes> m_data;
};

// The world of the process, made at the first input; tests reset it.
inline std::unique_ptr<MapWorld>& CurrentMapWorld() {
    static std::unique_ptr<MapWorld> world;
    return world;
}

inline int FuzzMap(const std::uint8_t* data, std::size_t size) {
    if (!CurrentMapWorld()) CurrentMapWorld() = std::make_unique<MapWorld>();
    CurrentMapWorld()->Run(data, size);
    return 0;
}

inline vktools::Bytes WrittenMap(const char* text) {
    vktools::MapWriter writer;
    vktools::Bytes map;
    writer.Parse(text, "seed");
    writer.Build(map);
    return map;
}

inline std::vector<vktools::Bytes> MapSeeds() {
    std::vector<vktools::Bytes> seeds = {
        WrittenMap(R"(
type ground 15 0
type half 35 1 2
type ceiling 12 3
type far 5 9 0
key g ground
key h half
key H half mirrored
key c ceiling
key f far
layer
..cccc..
........
.hH..f..
gggggggg
end
layer
ffff....
........
........
.......g
end
)"),
        WrittenMap("type a 15 1\nkey a a\nlayer\na\nend\n"),
        vktools::MakeEntityList({{0, 24, 48}, {1, 100, 10, true}, {0, 65535, 65535}}),
    };
    vktools::RawMap raw;
    raw.width = 300;
    raw.height = 200;
    raw.types = {{15, 1, 2}, {3, 0, 4}};
    raw.layers.push_back({{{0, {0, 1, 0x80}, {}}, {599, {1, 0x81}, {}}, {59990, {0, 0}, {}}}, {}, {}});
    raw.layers.push_back({{}, {}, {}});
    seeds.push_back(vktools::WriteRawMap(raw));
    raw.width = 256;  // more tiles than a layer can index: refused
    raw.height = 256;
    seeds.push_back(vktools::WriteRawMap(raw));
    return seeds;
}

}  // namespace fuzz
