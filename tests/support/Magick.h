// ImageMagick, Debian's independent image tool, for tests that compare
// pictures with it: its `convert` (found by its -version, since another
// program of that name may come first on PATH), run with arguments, and
// the pictures it reads.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace magick {

// A picture as 0xRRGGBB values, top row first.
struct Picture {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Picture&) const = default;
};

// Standard output of the shell command, or nothing when it fails.
inline bool Capture(const std::string& command, std::string* out) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out->append(buffer.data(), n);
    return pclose(pipe) == 0;
}

// ImageMagick's convert (another program of that name may stand earlier on
// PATH, so each candidate must report ImageMagick in -version); empty when
// none is installed.
inline const std::string& Convert() {
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

// Runs convert with the arguments (a shell fragment); its standard output.
inline std::string Run(const std::string& arguments) {
    std::string out;
    EXPECT_FALSE(Convert().empty()) << "ImageMagick's convert is not installed (scripts/deps.sh installs it)";
    EXPECT_TRUE(Capture(Convert() + " " + arguments, &out)) << arguments;
    return out;
}

// The pictures of image files as ImageMagick reads them, with the given
// operations applied first (e.g. "-transpose"); one run for all.
inline std::vector<Picture> Read(const std::vector<std::string>& paths, const std::string& operations = "") {
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

}  // namespace magick
