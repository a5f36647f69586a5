// The game's application started on its archive (built beside the
// benchmark's executable by the build), with the applet's queue and the
// platform core, on the headless device; the root node has no state.
#pragma once

#include "bench/BenchGameDir.h"
#include "host/File.h"
#include "host/WaveOut.h"
#include "host/Window.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "src/CGameApp.h"
#include "src/win32/CApplet.h"

class BenchGame {
public:
    BenchGame() {
        host::SetModuleDirectory(m_dir.Path());
        host::SetMediaBackend(host::MediaBackend::Headless);
        host::ResetWindowing();
        m_applet = CApplet::Create(nullptr);
        ICCore::SetInstance(CCore_Win32::Create());
        m_app = static_cast<CGameApp*>(CreateGameApp());
        CApp::SetInstance(m_app);
        m_app->Startup();
        m_applet->PostEvent(EVENT_START, 0, 0);
        m_applet->FlushEvents();
    }
    ~BenchGame() {
        m_app->Shutdown();
        delete m_app;
        CApp::SetInstance(nullptr);
        delete ICCore::GetInstance();
        ICCore::SetInstance(nullptr);
        delete m_applet;
        host::ResetWindowing();
    }
    BenchGame(const BenchGame&) = delete;
    BenchGame& operator=(const BenchGame&) = delete;

    CApplet* Applet() const { return m_applet; }
    CGameApp* App() const { return m_app; }

private:
    BenchGameDir m_dir;
    CApplet* m_applet;
    CGameApp* m_app;
};
