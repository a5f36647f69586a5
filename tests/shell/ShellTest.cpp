// The shell's test program (real entry, applet and window backends) run as a
// child process, on a private X server (Xvfb) with a private runtime directory.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

bool CloseWindowByTitle(const std::string& display, const char* title, std::chrono::milliseconds bound);  // XClose.cpp

namespace {

constexpr std::chrono::milliseconds kBound = kChildBound;

constexpr const char* kCloseEvent = "event 36754280";

std::vector<std::string> Game(std::vector<std::string> args) {
    args.insert(args.begin(), VK_SHELL_APP);
    return args;
}

class ShellOnX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_x.WaitFor([&] { return m_x.Fd3().find('\n') != std::string::npos; }))
            << "Xvfb did not start (scripts/deps.sh installs xvfb)";
        const std::string number = m_x.Fd3();
        m_display.assign(":").append(number, 0, number.find('\n'));
        setenv("DISPLAY", m_display.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
    }

    // Lets the game tick once more, closes it, expects the close handled before the shutdown and 0.
    static void CloseAndExpectCleanEnd(Process& game, const std::function<void()>& close) {
        const std::size_t seen = game.Output().size();
        ASSERT_TRUE(game.WaitFor([&] { return game.Output().find("tick ", seen) != std::string::npos; }))
            << game.Output();
        close();
        EXPECT_EQ(game.Wait(), 0) << game.Output();
        ASSERT_NE(game.Find("shutdown "), std::string::npos) << game.Output();
        EXPECT_LT(game.Find(kCloseEvent), game.Find("shutdown ")) << game.Output();
    }

    Process m_x{{"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "800x800x24"}};
    std::string m_display;  // ":N"
    TempDir m_runtime;
};

TEST_F(ShellOnX, ClosingTheWindowEndsWith0) {
    Process game(Game({}));
    CloseAndExpectCleanEnd(game, [&] { ASSERT_TRUE(CloseWindowByTitle(m_display, "Game", kBound)); });
}

TEST_F(ShellOnX, ASecondStartEndsWith0AndLeavesTheFirstRunning) {
    Process first(Game({}));
    ASSERT_TRUE(first.WaitForLine("tick 1\n")) << first.Output();
    {
        Process second(Game({}));
        EXPECT_EQ(second.Wait(), 0) << second.Output();
        EXPECT_EQ(second.Find("event "), std::string::npos) << second.Output();  // no application of its own
    }
    EXPECT_TRUE(first.Running());
    CloseAndExpectCleanEnd(first, [&] { first.Signal(SIGTERM); });
}

// The game itself, in a directory of its own with a copy of its archive:
// closing its window ends it with 0.
TEST_F(ShellOnX, TheGameEndsWith0WhenItsWindowCloses) {
    const TempDir dir;
    dir.Write("velkorin.big", TempDir::ReadHost(VK_GAME_ARCHIVE));
    Process game({VK_GAME, "--game-dir=" + dir.Path()});
    ASSERT_TRUE(game.WaitForLine("[ ***actionZel*** ] CGameApp::Init")) << game.Output();
    ASSERT_TRUE(CloseWindowByTitle(m_display, "Game", kBound));
    EXPECT_EQ(game.Wait(), 0) << game.Output();
}

TEST(ShellOptions, TheGameRunsHeadlessAndWritesItsSaves) {
    const TempDir dir;
    dir.Write("velkorin.big", TempDir::ReadHost(VK_GAME_ARCHIVE));
    Process game({VK_GAME, "--backend=headless", "--frames=5", "--game-dir=" + dir.Path()});
    EXPECT_EQ(game.Wait(), 0) << game.Output();
    EXPECT_EQ(dir.Read("prefs.dat").size(), 16u);
    EXPECT_EQ(dir.Read("savegame.dat").size(), 12u);
}

// Without its archive, or with one that is not an archive, the game says
// which file it misses and how to name its directory, and ends with 1.
TEST(ShellOptions, TheGameWithoutItsArchiveEndsWith1AndSaysWhy) {
    for (const char* archive : {"", "velkorin"}) {
        const TempDir dir;
        if (*archive != '\0') dir.Write("velkorin.big", archive);
        Process game({VK_GAME, "--backend=headless", "--frames=50", "--game-dir=" + dir.Path()});
        EXPECT_EQ(game.Wait(), 1) << game.Output();
        for (const char* part : {"velkorin.big", "--game-dir"}) {
            EXPECT_NE(game.Output().find(part), std::string::npos) << game.Output();
        }
        EXPECT_FALSE(dir.Exists("prefs.dat"));
    }
}

TEST(ShellOptions, ExitCodesAndOutput) {
    const TempDir gameDir;
    struct Case { std::vector<std::string> args; int exitCode; std::string output; /* a part of it */ };
    const Case cases[] = {
        {{"--help"}, 0, "--game-dir=DIR"},
        {{"--backend", "headless", "--scale", "2", "--frames", "1", "--", "a", "b"}, 0, "tick 1\nevent 36754280\ntick 2\nshutdown 2"},
        {{"--backend=headless", "--window=300x400", "--frames=1", "--game-dir=" + gameDir.Path()},
         0,
         "module " + gameDir.Path() + "/" + (std::strrchr(VK_SHELL_APP, '/') + 1) + "\n"},
        {{"--bogus"}, 2, "usage: "},
        {{"--backend=gl"}, 2, "bad value for --backend: gl"},
        {{"--scale=9"}, 2, "bad value for --scale"},
        {{"--window=0x400"}, 2, "bad value for --window"},
        {{"--game-dir=/nonexistent/velkorin"}, 2, "bad value for --game-dir"},
        {{"--backend=headless", "--frames=1", "--screenshot=/nonexistent/dir/frame.png"}, 1, "no frame written"},
    };
    for (const Case& c : cases) {
        const std::string name = testing::PrintToString(c.args);
        Process game(Game(c.args));
        EXPECT_EQ(game.Wait(), c.exitCode) << name << "\n" << game.Output();
        EXPECT_NE(game.Output().find(c.output), std::string::npos) << name << "\n" << game.Output();
    }
}

TEST(ShellOptions, ScreenshotWritesTheLastFrameStretchedOverTheScreen) {
    const TempDir dir;
    for (const char* pixels : {"--pixels=565", "--pixels=8888"}) {
        const std::string file = dir.HostPath(pixels + 9);
        Process game(Game({"--backend=headless", "--frames=2", pixels, "--screenshot=" + file}));
        EXPECT_EQ(game.Wait(), 0) << game.Output();
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str())) << pixels;
        image.format = PNG_FORMAT_RGB;
        std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << pixels;
        EXPECT_EQ(image.width, 480u);
        EXPECT_EQ(image.height, 640u);
        const std::vector<std::uint8_t> red{255, 0, 0};  // the app fills its half-size back buffer
        for (std::size_t at : {std::size_t{0}, rgb.size() - 3}) {
            EXPECT_EQ(std::vector<std::uint8_t>(rgb.begin() + at, rgb.begin() + at + 3), red) << pixels;
        }
    }
}

}  // namespace
