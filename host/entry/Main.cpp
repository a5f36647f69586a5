// The program's start on Linux, in place of the phone's start-up code: reads
// the host's own options, sets up the host's services with them and calls
// the game's entry with the arguments the phone would pass. The options are
// listed in kHelp; a value also comes as the next argument (--scale 2). A
// wrong option prints the usage line and ends with 2.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/DDraw.h"
#include "host/Debug.h"
#include "host/File.h"
#include "host/WaveOut.h"
#include "host/Window.h"
#include "src/win32/WinMain.h"

namespace {

constexpr int kUsageError = 2;

// The module handle the phone gives a program: any non-null value.
HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x10000});

constexpr const char* kUsage =
    "usage: %s [--backend=sdl|headless] [--scale=N | --window=WIDTHxHEIGHT] [--game-dir=DIR] [--frames=N] "
    "[--pixels=565|8888] [--screenshot=FILE] [--help] [-- ARGUMENTS]\n";

constexpr const char* kHelp =
    "  --backend=sdl|headless  window backend: a desktop window (default) or none\n"
    "  --scale=N               desktop window of N times the 480 x 640 screen (1-8; default:\n"
    "                          the largest that fits the display)\n"
    "  --window=WIDTHxHEIGHT   desktop window of that size instead\n"
    "  --game-dir=DIR          directory of the game's files (default: the executable's)\n"
    "  --frames=N              close the window after N frames and end (scripted runs)\n"
    "  --pixels=565|8888       screen pixels: RGB 565 (default) or 32-bit XRGB 8888\n"
    "  --screenshot=FILE       at the end, write the last presented frame as a PNG file\n"
    "  --help                  show this help\n"
    "  -- ARGUMENTS            passed to the game as its command line\n";

struct Options {
    host::WindowOptions window{.backend = host::Backend::Sdl, .scale = 0};
    std::string gameDir;
    std::string screenshot;
    host::DisplayFormat display = host::kDisplayRgb565;
    std::string commandLine;  // UTF-8
    bool help = false;
};

// A whole decimal number from 1 to max.
bool ParseNumber(std::string_view text, int max, int* value) {
    if (text.empty() || text.size() > 9) return false;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > max) return false;
    *value = number;
    return true;
}

bool ParseSize(std::string_view text, int* width, int* height) {
    const std::size_t x = text.find('x');
    return x != std::string_view::npos && ParseNumber(text.substr(0, x), 16384, width) &&
           ParseNumber(text.substr(x + 1), 16384, height);
}

// The absolute form of an existing directory, or empty: the game builds its
// file names from the directory the executable is in, which is absolute.
std::string AbsoluteDirectory(std::string_view path) {
    char* resolved = realpath(std::string(path).c_str(), nullptr);
    if (resolved == nullptr) return {};
    std::string absolute = resolved;
    std::free(resolved);
    struct stat info {};
    return stat(absolute.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? absolute : std::string();
}

// False on any option it does not know or a value it cannot use (the
// reason already printed for the values).
bool Parse(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            for (int j = i + 1; j < argc; ++j) {
                if (j > i + 1) options->commandLine += ' ';
                options->commandLine += argv[j];
            }
            return true;
        }
        if (arg == "--help") {
            options->help = true;
            continue;
        }
        if (arg.substr(0, 2) != "--") return false;
        // --name=value or --name value.
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(2, equals == std::string_view::npos ? arg.npos : equals - 2);
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return false;
        }
        host::WindowOptions& window = options->window;
        bool valid = true;
        if (name == "backend") {
            valid = value == "sdl" || value == "headless";
            window.backend = value == "headless" ? host::Backend::Headless : host::Backend::Sdl;
        } else if (name == "scale") {
            valid = ParseNumber(value, host::kMaxScale, &window.scale);
        } else if (name == "window") {
            valid = ParseSize(value, &window.windowWidth, &window.windowHeight);
        } else if (name == "game-dir") {
            options->gameDir = AbsoluteDirectory(value);
            valid = !options->gameDir.empty();
        } else if (name == "pixels") {
            valid = value == "565" || value == "8888";
            options->display = value == "8888" ? host::kDisplayXrgb8888 : host::kDisplayRgb565;
        } else if (name == "screenshot") {
            options->screenshot = value;
            valid = !value.empty();
        } else if (name == "frames") {
            valid = ParseNumber(value, 999999999, &window.frameLimit);
        } else {
            return false;
        }
        if (!valid) {
            std::fprintf(stderr, "%s: bad value for --%.*s: %.*s\n", argv[0], static_cast<int>(name.size()),
                         name.data(), static_cast<int>(value.size()), value.data());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, &options)) {
        std::fprintf(stderr, kUsage, argv[0]);
        return kUsageError;
    }
    if (options.help) {
        std::printf(kUsage, argv[0]);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (!options.gameDir.empty()) host::SetModuleDirectory(options.gameDir);
    host::ResetWindowing(options.window);
    // Headless runs make no sound either.
    if (options.window.backend == host::Backend::Headless) host::SetMediaBackend(host::MediaBackend::Headless);
    host::SetDisplayFormat(options.display);
    // Reading the desktop window back is slow: only when a frame is wanted.
    if (!options.screenshot.empty()) host::SetCaptureSdlFrames(true);
    std::u16string commandLine = host::ToUtf16(options.commandLine);
    int result = WinMain(kInstance, nullptr, commandLine.data(), SW_SHOW);
    if (!options.screenshot.empty()) {
        const host::Frame* frame = host::LastPresentedFrame();
        if (frame == nullptr || !host::WriteFramePng(*frame, options.screenshot.c_str())) {
            std::fprintf(stderr, "%s: no frame written to %s\n", argv[0], options.screenshot.c_str());
            if (result == 0) result = 1;
        }
    }
    // Closes the desktop window and SDL before the process ends.
    host::ResetWindowing();
    return result;
}
