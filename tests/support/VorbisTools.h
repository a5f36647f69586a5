// Debian's vorbis-tools for tests: oggenc makes Ogg Vorbis sounds, oggdec
// is the reference decoder.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/PcmBytes.h"

// Runs `command -o OUT IN` of Debian's vorbis-tools on scratch files, IN
// holding `input`; OUT's bytes, or nothing when the command fails.
inline std::vector<std::uint8_t> RunVorbisTool(const std::string& command, const std::vector<std::uint8_t>& input) {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vkoggXXXXXX";
    if (mkdtemp(dir.data()) == nullptr) return {};
    const std::string in = dir + "/in";
    const std::string out = dir + "/out";
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
    std::vector<std::uint8_t> bytes;
    if (std::system((command + " -o '" + out + "' '" + in + "'").c_str()) == 0) {
        std::ifstream file(out, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    unlink(in.c_str());
    unlink(out.c_str());
    rmdir(dir.c_str());
    return bytes;
}

// An Ogg Vorbis sine tone (channels the same) encoded by oggenc.
inline std::vector<std::uint8_t> VorbisTone(int samples, int channels = 1, int rate = 8000) {
    std::vector<std::int16_t> pcm;
    for (int i = 0; i < samples; ++i) {
        const double v = 8000 * std::sin(2 * M_PI * 440 * i / rate);
        for (int c = 0; c < channels; ++c) pcm.push_back(static_cast<std::int16_t>(std::lround(v)));
    }
    const std::vector<std::uint8_t> ogg = RunVorbisTool(
        "oggenc -Q -r -B 16 --raw-endianness 0 -C " + std::to_string(channels) + " -R " + std::to_string(rate),
        PcmBytes(pcm));
    EXPECT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) is needed to make the test sounds";
    return ogg;
}

