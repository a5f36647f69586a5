#include "tests/imaging/Magick.h"

#include <gtest/gtest.h>

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

Picture Read(const std::string& path, const std::string& operations) {
    std::istringstream text(Run(path + " " + operations + " txt:-"));
    Picture picture;
    std::string line;
    std::getline(text, line);
    std::smatch match;
    if (!std::regex_search(line, match, std::regex("enumeration: (\\d+),(\\d+),"))) {
        ADD_FAILURE() << "no picture in " << line;
        return picture;
    }
    picture.width = std::stoi(match[1]);
    picture.height = std::stoi(match[2]);
    picture.rgb.assign(static_cast<std::size_t>(picture.width) * picture.height, 0xDEADBEEF);
    const std::regex pixel("^(\\d+),(\\d+):.*#([0-9A-Fa-f]{6})");
    while (std::getline(text, line)) {
        if (!std::regex_search(line, match, pixel)) continue;
        const std::size_t x = std::stoul(match[1]), y = std::stoul(match[2]);
        picture.rgb[y * picture.width + x] = static_cast<std::uint32_t>(std::stoul(match[3], nullptr, 16));
    }
    return picture;
}

void WritePpm(const std::string& path, const Picture& picture) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    for (const std::uint32_t rgb : picture.rgb) {
        out.put(static_cast<char>(rgb >> 16)).put(static_cast<char>(rgb >> 8)).put(static_cast<char>(rgb));
    }
}

}  // namespace magick
