#include "tests/support/ScriptWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "host/DDraw.h"
#include "host/Window.h"
#include "platform/shared/components/CBigFileReader.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/win32/CApplet.h"
#include "tests/support/TempDir.h"
#include "tools/BigFileWriter.h"
#include "tools/ContentBuilder.h"
#include "tools/ResourceWriters.h"
#include "tools/ScriptAssembler.h"
#include "tools/ProgramDisplay.h"

namespace {

constexpr std::uint32_t kScriptResource = 0x0300025D;

constexpr const char* kHookNames[] = {
    "Interrupt",        "PostInterruptUpdate", "RenderInterrupt", "PostRenderInterrupt", "PreUpdate",  "PostUpdate",
    "PreRender",        "PostRender",          "PresenterCreated", "SpawnBegin",         "SpawnEnd",   "RowRemoveBegin",
    "RowRemoveEnd",     "PresenterRelease",    "HandlerBegin",    "HandlerEnd",
};
// Arguments after the presenter that each hook has.
constexpr int kHookArgs[] = {1, 2, 1, 1, 4, 4, 3, 3, 0, 0, 0, 0, 0, 0, 1, 1};

}  // namespace

// The game's application under the applet, started (its managers, the
// graphics device, the blitter) without its start event: it records the
// events it is handed and runs the engine's frame in its tick.
class ScriptWorld::App : public CGameApp {
public:
    explicit App(ScriptWorld& world) : m_world(world) {}
    void Tick() override { m_world.Frame(m_frameTime); }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t, std::uintptr_t) override {
        m_world.appEvents.push_back(id);
        return 1;
    }
    std::int32_t m_frameTime = 48;

private:
    ScriptWorld& m_world;
};

std::int32_t HookRecorder::onHook(const AZ_HookCall& call) {
    calls.push_back(call);
    return handlerResult;
}

std::vector<std::string> HookRecorder::Of(std::initializer_list<AZ_Hook> hooks) const {
    std::vector<std::string> out;
    for (const AZ_HookCall& call : calls) {
        if (std::find(hooks.begin(), hooks.end(), call.hook) == hooks.end()) continue;
        const auto index = static_cast<std::size_t>(call.hook);
        std::string text = kHookNames[index];
        if (call.presenter != nullptr) text.append(" ").append(std::to_string(call.presenter->getId()));
        for (int i = 0; i < kHookArgs[index]; ++i) text.append(" ").append(std::to_string(call.args[i]));
        out.push_back(text);
    }
    return out;
}

vktools::Bytes ScriptWorld::Assemble(std::string_view scriptText) {
    vktools::ScriptAssembler assembler;
    vktools::Bytes payload;
    const bool built = assembler.Parse(scriptText, "test") && assembler.Build(payload);
    EXPECT_TRUE(built) << assembler.Error();
    return payload;
}

ScriptWorld::ScriptWorld(std::string_view scriptText) : ScriptWorld(Assemble(scriptText)) {}

ScriptWorld::ScriptWorld(const vktools::Bytes& payload) {
    host::ResetDisplay();
    host::ResetWindowing();
    host::SetModuleDirectory(dir.Path());
    m_media = host::GetMediaBackend();
    host::SetMediaBackend(host::MediaBackend::Headless);
    m_applet = CApplet::Create(nullptr);
    m_core = CCore_Win32::Create();
    ICCore::SetInstance(m_core);
    m_app = new App(*this);
    CApp::SetInstance(m_app);
    m_app->Startup();
    EXPECT_TRUE(ICGraphics2d::GetInstance()->Init());
    CGameApp::GetBlitter()->Init(ICGraphics2d::GetInstance()->GetRenderSurface()->GetPixelFormat(), nullptr, 0);

    // The script resource, read from an archive as the start event reads it.
    vktools::BigFileWriter archive;
    archive.Add(kScriptResource & 0x7FFF, 3, vktools::MakeBlob(payload));
    EXPECT_TRUE(archive.WriteFile(dir.HostPath("velkorin.big"), vktools::BigFileWriter::IdForm::List));
    CBigFileReader reader;
    EXPECT_EQ(reader.Open(dir.Phone("velkorin.big").c_str()), 1);
    EXPECT_EQ(m_script.LoadFromBigFile(&reader, kScriptResource, 1), 1);

    AZ_SetHookListener(&hooks);
    client = new AZ_Client(m_script.GetPayload(), m_script.GetPayloadSize());
    store = new AZ_Presenter_Singleton();
    store->init(AZ__MAX_PRESENTER);
}

ScriptWorld::~ScriptWorld() {
    delete client;
    store->release();
    delete store;
    AZ_SetHookListener(nullptr);
    delete m_app;  // with the singletons: the graphics device, the file manager
    CApp::SetInstance(nullptr);
    ICCore::SetInstance(nullptr);
    delete m_core;
    delete m_applet;
    host::SetModuleDirectory("");
    host::SetMediaBackend(m_media);
    EXPECT_EQ(host::LiveDisplayObjects(), 0);
}

bool ScriptWorld::Open(const vktools::Content& content, std::initializer_list<std::pair<int, int>> sprites) {
    vktools::Bytes archive;
    std::string error;
    EXPECT_TRUE(vktools::BuildContentArchive(content, archive, error)) << error;
    if (!vktools::WriteHostFile(dir.HostPath("game.big"), archive) ||
        CGameApp::GetResMgr()->Open(dir.Phone("game.big").c_str()) != 1) {
        return false;
    }
    CGameApp::GetResMgr()->SelectLanguage(0);
    SZ_Home* home = CGameApp::GetSpriteHome();
    home->Construct();
    if (!home->IsConstructed()) return false;
    for (const auto& [archetype, character] : sprites) home->QueueArchetypeCharacter(archetype, character);
    while (home->ProcessLoadQueue(500)) {
    }
    return true;
}

std::int32_t ScriptWorld::Spawn(std::int32_t type, std::int32_t x, std::int32_t y) {
    AZ_Presenter* presenter = store->createPresenter(type, x, y);
    return presenter != nullptr ? client->spawnCharacter(presenter) : -1;
}

std::vector<std::int32_t> ScriptWorld::Stack(std::int32_t row) const {
    std::vector<std::int32_t> states;
    for (std::int32_t d = 0; d < AZ_STATE_STACK_DEPTH && client->getState(row, d) != -1; ++d) {
        states.push_back(client->getState(row, d));
    }
    return states;
}

void ScriptWorld::Tick(std::int32_t frameTime) {
    m_app->m_frameTime = frameTime;
    m_applet->FlushEvents();
}

void ScriptWorld::Frame(std::int32_t frameTime) {
    client->update(frameTime);
    Paint([this] {
        client->render(4, 100);
        client->render(0, 3);
    });
}

void ScriptWorld::Paint(const std::function<void()>& draw) const {
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    vktools::LockForDrawing(surface);
    draw();
    surface->Unlock();
}

std::uint32_t ScriptWorld::Pixel(std::int32_t x, std::int32_t y) const {
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    const std::uint32_t bytes = PixelFormatBytes(surface->GetPixelFormat());
    std::uint32_t pixel = 0;  // little-endian, as the host lays its surfaces
    std::memcpy(&pixel, bits + y * pitch + bytes * x, bytes);
    surface->Unlock();
    return pixel;
}

void ScriptWorld::UseDisplay(const host::DisplayFormat& format) {
    host::SetDisplayFormat(format);
    EXPECT_TRUE(ICGraphics2d::GetInstance()->Reinit());
    CGameApp::GetBlitter()->Init(ICGraphics2d::GetInstance()->GetRenderSurface()->GetPixelFormat(), nullptr, 0);
}

void ScriptWorld::Fill(std::uint32_t colour) const {
    const CRect all(0, 0, 1000, 1000);
    CDrawUtil::FillRect(&all, colour);
    ICGraphics2d::GetInstance()->GetRenderSurface()->Unlock();
}
