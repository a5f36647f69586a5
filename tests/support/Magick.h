// ImageMagick's convert, Debian's independent reader and writer of images,
// for tests that compare pictures with it.
#pragma once

#include <array>
#include <cstdio>
#include <string>

namespace magick {

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

}  // namespace magick
