// The shell's test program run as a user runs the game: a child process
// made of the real entry, applet and window backends, with the desktop
// window on a private X server (Xvfb) and a private runtime directory for
// the single-instance lock. Every wait is bounded; every process started
// here is ended here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/shell/XClose.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Generous bounds: the sanitizer build starts slowly, and ctest runs the
// tests side by side.
constexpr milliseconds kStartBound{15000};
constexpr milliseconds kEndBound{15000};

constexpr const char* kStartEvent = "event 67542658";
constexpr const char* kCloseEvent = "event 36754280";

// The environment with the given NAME=VALUE entries replacing their names.
std::vector<std::string> Environment(const std::vector<std::string>& changes) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& change : changes) {
            const std::size_t eq = change.find('=');
            replaced = replaced || entry.compare(0, eq + 1, change, 0, eq + 1) == 0;
        }
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), changes.begin(), changes.end());
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a program with its standard output and error on `out` and, unless
// it is -1, `fd3` as its descriptor 3. The program is killed when this test
// process ends, so that no server or game outlives a failed or killed test.
// -1 when it cannot start.
pid_t Spawn(std::vector<std::string> args, std::vector<std::string> env, int out, int fd3) {
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    // In the child: only calls that are safe after fork.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    dup2(out, 1);
    dup2(out, 2);
    if (fd3 == 3) {
        fcntl(3, F_SETFD, 0);  // keep it open across exec
    } else if (fd3 >= 0) {
        dup2(fd3, 3);
    }
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

// Ends a process that is still running: SIGTERM, then SIGKILL after a while.
void EndProcess(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// A started program whose standard output and error arrive through one pipe.
class Child {
public:
    Child(std::vector<std::string> args, const std::vector<std::string>& envChanges) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        args.insert(args.begin(), VK_SHELL_APP);
        m_pid = Spawn(std::move(args), Environment(envChanges), fds[1], -1);
        close(fds[1]);
        m_fd = fds[0];
    }
    ~Child() {
        if (m_pid > 0 && !m_status) EndProcess(m_pid);
        if (m_fd >= 0) close(m_fd);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return m_pid > 0; }

    // Reads until the line has come; false when the time is up or the
    // output ended first.
    bool WaitForLine(const std::string& line, milliseconds bound) {
        const Clock::time_point deadline = Clock::now() + bound;
        while (!HasLine(line)) {
            if (!Read(deadline)) return false;
        }
        return true;
    }

    // The exit code (128 + signal when a signal ended it), or nothing when
    // it is still running at the end of the bound.
    std::optional<int> Wait(milliseconds bound) {
        if (!Started()) return std::nullopt;
        const Clock::time_point deadline = Clock::now() + bound;
        while (!m_status) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_status = ExitCodeOf(status);
                break;
            }
            if (Clock::now() >= deadline) return std::nullopt;
            if (!Read(std::min(deadline, Clock::now() + milliseconds(20)))) usleep(5000);
        }
        while (Read(Clock::now() + milliseconds(500))) {
        }
        return m_status;
    }

    bool Running() {
        if (!Started() || m_status) return false;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) != m_pid) return true;
        m_status = ExitCodeOf(status);
        return false;
    }

    void Signal(int signal) { kill(m_pid, signal); }

    // The ticks reported so far.
    int Ticks() const {
        const std::string all = "\n" + m_output;
        int ticks = 0;
        for (std::size_t at = all.find("\ntick "); at != std::string::npos; at = all.find("\ntick ", at + 1)) ++ticks;
        return ticks;
    }

    const std::string& Output() const { return m_output; }
    // Position of the line in the output, npos when it is missing.
    std::size_t Find(const std::string& line) const { return ("\n" + m_output).find("\n" + line + "\n"); }
    bool HasLine(const std::string& line) const { return Find(line) != std::string::npos; }

private:
    // Reads what is there, waiting until the deadline; false at the end of
    // the output or of the time.
    bool Read(Clock::time_point deadline) {
        if (m_fd < 0) return false;
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        pollfd pfd{m_fd, POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(std::max<long long>(left, 0))) <= 0) return false;
        char buffer[4096];
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n <= 0) {
            close(m_fd);
            m_fd = -1;
            return false;
        }
        m_output.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t m_pid = -1;
    int m_fd = -1;
    std::string m_output;
    std::optional<int> m_status;
};

// A private X server on a free display number, ended with the object.
class Xvfb {
public:
    Xvfb() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        // The server writes the display number it took to descriptor 3.
        m_pid = Spawn({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "800x800x24"}, Environment({}),
                      null, fds[1]);
        close(null);
        close(fds[1]);
        std::string number;
        const Clock::time_point deadline = Clock::now() + kStartBound;
        pollfd pfd{fds[0], POLLIN, 0};
        while (m_pid > 0 && number.find('\n') == std::string::npos && Clock::now() < deadline &&
               poll(&pfd, 1, 100) >= 0) {
            char c = 0;
            if ((pfd.revents & (POLLIN | POLLHUP)) != 0 && read(fds[0], &c, 1) != 1) break;
            if (c != 0) number += c;
        }
        close(fds[0]);
        const std::size_t end = number.find('\n');
        if (end != std::string::npos) m_display.assign(":").append(number, 0, end);
    }
    ~Xvfb() {
        if (m_pid > 0) EndProcess(m_pid);
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

// The desktop runs: a private X server and runtime directory.
class ShellOnX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_x.Display().empty()) << "Xvfb did not start (scripts/deps.sh installs xvfb)";
    }
    std::vector<std::string> Env() const {
        return {"DISPLAY=" + m_x.Display(), "XDG_RUNTIME_DIR=" + m_runtime.Path(), "SDL_VIDEODRIVER=x11"};
    }

    // Lets the game tick on, closes it the given way and expects the close
    // handled, the shutdown and exit code 0.
    static void CloseAndExpectCleanEnd(Child& game, const std::function<void()>& close) {
        ASSERT_TRUE(game.Started());
        const std::string nextTick = "tick " + std::to_string(game.Ticks() + 1);
        ASSERT_TRUE(game.WaitForLine(nextTick, kStartBound)) << game.Output();
        close();
        EXPECT_EQ(game.Wait(kEndBound), 0) << game.Output();
        EXPECT_LT(game.Find(kCloseEvent), game.Find("shutdown")) << game.Output();
    }

    Xvfb m_x;
    TempDir m_runtime;
    TempDir m_gameDir;
};

TEST_F(ShellOnX, TicksUntilTheFrameLimitClosesTheWindowAndEndsWith0) {
    Child game({"--frames=5", "--game-dir=" + m_gameDir.Path()}, Env());
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(game.Wait(kEndBound), 0) << game.Output();
    // The game's files are where the option says.
    EXPECT_TRUE(game.HasLine("module " + m_gameDir.Path() + "/" + std::string(std::strrchr(VK_SHELL_APP, '/') + 1)))
        << game.Output();
    // Started, ticked five times, then the close was handled with one more
    // tick before the shutdown.
    EXPECT_LT(game.Find(kStartEvent), game.Find("tick 1")) << game.Output();
    EXPECT_LT(game.Find("tick 5"), game.Find(kCloseEvent)) << game.Output();
    EXPECT_LT(game.Find(kCloseEvent), game.Find("shutdown 6")) << game.Output();
}

TEST_F(ShellOnX, ClosingTheWindowEndsWith0) {
    Child game({}, Env());
    CloseAndExpectCleanEnd(game, [&] { ASSERT_TRUE(CloseWindowByTitle(m_x.Display(), "Game", kStartBound)); });
}

TEST_F(ShellOnX, ATerminationRequestClosesTheWindowAndEndsWith0) {
    // SDL turns a termination request into its quit event, which the host
    // delivers as the window's close.
    Child game({}, Env());
    CloseAndExpectCleanEnd(game, [&] { game.Signal(SIGTERM); });
}

TEST_F(ShellOnX, ASecondStartEndsWith0AndLeavesTheFirstRunning) {
    Child first({}, Env());
    ASSERT_TRUE(first.WaitForLine("tick 1", kStartBound)) << first.Output();
    {
        Child second({}, Env());
        EXPECT_EQ(second.Wait(kEndBound), 0) << second.Output();
        // It never made an application of its own.
        EXPECT_EQ(second.Output().find("event "), std::string::npos) << second.Output();
    }
    // The first one goes on ticking until it is closed.
    EXPECT_TRUE(first.Running());
    CloseAndExpectCleanEnd(first, [&] { first.Signal(SIGTERM); });
}

// The entry's options, without a display: the headless backend runs the
// same game without any window.
TEST(ShellOptions, ExitCodesAndOutput) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* output;  // a part of the output
    };
    const Case cases[] = {
        {{"--help"}, 0, "--game-dir=DIR"},
        {{"--backend", "headless", "--scale", "2", "--frames", "1", "--", "a", "b"}, 0, "shutdown 2"},
        {{"--backend=headless", "--window=300x400", "--frames=1"}, 0, "shutdown 2"},
        {{"--bogus"}, 2, "usage: "},
        {{"stray"}, 2, "usage: "},
        {{"--frames"}, 2, "usage: "},
        {{"--backend=gl"}, 2, "bad value for --backend: gl"},
        {{"--scale=0"}, 2, "bad value for --scale"},
        {{"--scale=9"}, 2, "bad value for --scale"},
        {{"--window=300"}, 2, "bad value for --window"},
        {{"--window=0x400"}, 2, "bad value for --window"},
        {{"--frames=-1"}, 2, "bad value for --frames"},
        {{"--game-dir=/nonexistent/velkorin"}, 2, "bad value for --game-dir"},
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& a : c.args) name += a + " ";
        Child game(c.args, {});
        ASSERT_TRUE(game.Started()) << name;
        EXPECT_EQ(game.Wait(kEndBound), c.exitCode) << name << "\n" << game.Output();
        EXPECT_NE(game.Output().find(c.output), std::string::npos) << name << "\n" << game.Output();
    }
}

TEST(ShellOptions, ScreenshotWritesTheLastFrameStretchedOverTheScreen) {
    const TempDir dir;
    const std::string file = dir.HostPath("frame.png");
    for (const char* pixels : {"--pixels=565", "--pixels=8888"}) {
        Child game({"--backend=headless", "--frames=2", pixels, "--screenshot=" + file}, {});
        ASSERT_TRUE(game.Started());
        EXPECT_EQ(game.Wait(kEndBound), 0) << game.Output();
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str())) << pixels;
        image.format = PNG_FORMAT_RGB;
        std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << pixels;
        EXPECT_EQ(image.width, 480u);
        EXPECT_EQ(image.height, 640u);
        // The app fills its half-size back buffer with red every tick.
        for (std::size_t at : {std::size_t{0}, rgb.size() - 3}) {
            EXPECT_EQ(rgb[at], 255) << pixels;
            EXPECT_EQ(rgb[at + 1], 0) << pixels;
            EXPECT_EQ(rgb[at + 2], 0) << pixels;
        }
        std::remove(file.c_str());
    }
    // No frame to write is a failure, not a silent success.
    Child none({"--backend=headless", "--frames=1", "--screenshot=/nonexistent/dir/frame.png"}, {});
    ASSERT_TRUE(none.Started());
    EXPECT_EQ(none.Wait(kEndBound), 1) << none.Output();
    EXPECT_NE(none.Output().find("no frame written"), std::string::npos) << none.Output();
}

TEST(ShellOptions, AHeadlessScriptedRunTicksToItsFrameLimit) {
    Child game({"--backend=headless", "--frames=3"}, {});
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(game.Wait(kEndBound), 0) << game.Output();
    EXPECT_LT(game.Find("tick 3"), game.Find(kCloseEvent)) << game.Output();
    EXPECT_TRUE(game.HasLine("shutdown 4")) << game.Output();
}

}  // namespace
