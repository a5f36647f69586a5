#include "tests/imaging/Magick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

namespace magick {

namespace {

// Standard output of the shell command, or nothing when it fails.
bool Capture(const std::string& command, std::string* out) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out->append(buffer.data(), n);
    return pclose(pipe) == 0;
}

}  // namespace

const std::string& Convert() {
    static const std::string path = [] {
        for (const char* candidate : {"/usr/bin/convert", "convert-im6.q16", "/usr/bin/convert-im6.q16", "convert"}) {
            std::string version;
            if (Capture(std::string(candidate) + " -version 2>/dev/null", &version) &&
                version.find("ImageMagick") != std::string::npos) {
                return std::string(candidate);
            }
        }
        return std::string();
    }();
    return path;
}

std::string Run(const std::string& arguments) {
    std::string out;
    EXPECT_FALSE(Convert().empty()) << "ImageMagick's convert is not installed (scripts/deps.sh installs it)";
    EXPECT_TRUE(Capture(Convert() + " " + arguments, &out)) << arguments;
    return out;
}

std::vector<Picture> Read(const std::vector<std::string>& paths, const std::string& operations) {
    std::string arguments;
    for (const std::string& path : paths) arguments += path + " ";
    std::istringstream text(Run(arguments + operations + " txt:-"));
    std::vector<Picture> pictures;
    const std::regex header("enumeration: (\\d+),(\\d+),");
    const std::regex pixel("^(\\d+),(\\d+):.*#([0-9A-Fa-f]{6})");
    std::smatch match;
    for (std::string line; std::getline(text, line);) {
        if (std::regex_search(line, match, header)) {
            pictures.push_back({std::stoi(match[1]), std::stoi(match[2]), {}});
            pictures.back().rgb.assign(static_cast<std::size_t>(pictures.back().width) * pictures.back().height,
                                       0xDEADBEEF);
        } else if (!pictures.empty() && std::regex_search(line, match, pixel)) {
            Picture& picture = pictures.back();
            const std::size_t x = std::stoul(match[1]), y = std::stoul(match[2]);
            picture.rgb[y * picture.width + x] = static_cast<std::uint32_t>(std::stoul(match[3], nullptr, 16));
        }
    }
    EXPECT_EQ(pictures.size(), paths.size());
    return pictures;
}

void WriteXpm(const std::string& path, const Picture& picture) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-";
    std::vector<std::uint32_t> colours;
    for (const std::uint32_t rgb : picture.rgb) {
        if (std::find(colours.begin(), colours.end(), rgb) == colours.end()) colours.push_back(rgb);
    }
    const auto code = [&](std::uint32_t rgb) {
        const auto i = std::find(colours.begin(), colours.end(), rgb) - colours.begin();
        return std::string{kDigits[i / 64], kDigits[i % 64]};
    };
    std::ofstream out(path);
    out << "/* XPM */\nstatic char *p[] = {\n\"" << picture.width << " " << picture.height << " " << colours.size()
        << " 2\",\n";
    char hex[8];
    for (const std::uint32_t rgb : colours) {
        std::snprintf(hex, sizeof hex, "%06X", rgb);
        out << "\"" << code(rgb) << " c #" << hex << "\",\n";
    }
    for (std::int32_t y = 0; y < picture.height; ++y) {
        out << "\"";
        for (std::int32_t x = 0; x < picture.width; ++x) out << code(picture.At(x, y));
        out << (y + 1 < picture.height ? "\",\n" : "\"\n};\n");
    }
}

}  // namespace magick
