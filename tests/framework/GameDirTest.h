// Fixture of the framework's file tests: a fresh directory made the game
// directory, and an application object whose file manager works in it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/File.h"
#include "tests/support/TempDir.h"
#include "tools/SingletonTableApp.h"

class GameDirTest : public testing::Test {
protected:
    GameDirTest() {
        host::SetModuleDirectory(m_dir.Path());
        CApp::SetInstance(m_app);
        m_app->Startup();
    }
    ~GameDirTest() override {
        delete m_app;  // its singletons leave the table while it is current
        CApp::SetInstance(nullptr);
        host::SetModuleDirectory("");
    }

    // The lines joined by the line end, with or without one after the last.
    static std::string Join(const std::vector<std::string>& lines, const char* end, bool finalEnd) {
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) text += lines[i] + (i + 1 < lines.size() || finalEnd ? end : "");
        return text;
    }

    TempDir m_dir;
    CApp* m_app = new vktools::SingletonTableApp();
};
