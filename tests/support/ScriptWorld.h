// The engine as the application's start event makes it, for tests: the
// script resource read from an archive that the tools/ writers build, the
// runtime and the presenter store of 150, over the game's application
// started without its start event (its managers, in a game directory of
// its own), with the platform core and the applet's event queue through
// which the engine posts, the headless graphics device it draws on, and a
// recorder behind the engine's hooks.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/shared/components/CBinRes.h"
#include "host/DDraw.h"
#include "host/WaveOut.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Hooks.h"
#include "src/actionZel/AZ_Presenter.h"
#include "tests/support/TempDir.h"
#include "tools/ByteWriter.h"

class CApplet;
class ICCore;
namespace vktools {
struct Content;
}

// Records every hook call; its result for the handler filter is settable.
class HookRecorder : public AZ_HookListener {
public:
    std::int32_t onHook(const AZ_HookCall& call) override;
    // The recorded calls of the given hooks, as "Name presenter arguments"
    // ("HandlerBegin 3 162"; the interrupt hooks have no presenter).
    std::vector<std::string> Of(std::initializer_list<AZ_Hook> hooks) const;

    std::vector<AZ_HookCall> calls;
    std::int32_t handlerResult = 1;
};

class ScriptWorld {
public:
    // The text form is assembled (a failure fails the test and leaves the
    // engine without types).
    explicit ScriptWorld(std::string_view scriptText);
    explicit ScriptWorld(const vktools::Bytes& payload);
    ~ScriptWorld();
    ScriptWorld(const ScriptWorld&) = delete;
    ScriptWorld& operator=(const ScriptWorld&) = delete;

    static vktools::Bytes Assemble(std::string_view scriptText);

    // Opens the content's archive through the application's resource
    // manager, as the start event does, constructs the sprite home from it
    // and loads the (archetype, character) pairs through its load queue;
    // true when the home was made.
    bool Open(const vktools::Content& content, std::initializer_list<std::pair<int, int>> sprites = {});

    // A presenter of the type, spawned; the character's row, or -1.
    std::int32_t Spawn(std::int32_t type, std::int32_t x = 0, std::int32_t y = 0);
    AZ_Presenter* PresenterOfRow(std::int32_t row) const {
        return AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
    }
    // The states of a row's stack from the top.
    std::vector<std::int32_t> Stack(std::int32_t row) const;

    // One tick of the applet: the queued application events are handed to
    // the application, which then runs the engine's update and its two
    // render passes (4 to 100, then 0 to 3) on the locked back buffer.
    void Tick(std::int32_t frameTime = 48);
    // Runs draw on the locked back buffer with the blitter bound to it.
    void Paint(const std::function<void()>& draw) const;
    // Back-buffer pixels (RGB 565 unless UseDisplay changed it), and a fill
    // of the whole buffer.
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
    void Fill(std::uint32_t colour) const;
    // The display reopened in the format, the blitter with it.
    void UseDisplay(const host::DisplayFormat& format);

    AZ_Client* client = nullptr;
    AZ_Presenter_Singleton* store = nullptr;
    HookRecorder hooks;
    // Application events the application was handed, in order.
    std::vector<std::uint32_t> appEvents;
    // The game's directory (device.conf, the option and save files).
    TempDir dir;

private:
    void Frame(std::int32_t frameTime);

    class App;
    CApplet* m_applet = nullptr;
    ICCore* m_core = nullptr;
    App* m_app = nullptr;
    CBinRes m_script;
    host::MediaBackend m_media;
};
