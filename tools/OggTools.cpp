#include "tools/OggTools.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>

#include "tools/ScratchDir.h"

namespace vktools {

Bytes RunVorbisTool(const std::string& command, const Bytes& input) {
    const ScratchDir dir("vkogg");
    if (dir.Path().empty()) return {};
    const std::string in = dir.Path() + "/in";
    const std::string out = dir.Path() + "/out";
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
    Bytes bytes;
    if (std::system((command + " -o '" + out + "' '" + in + "'").c_str()) == 0) {
        std::ifstream file(out, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return bytes;
}

Bytes EncodeTone(int samples, int channels, int rate) {
    ByteWriter pcm;
    for (int i = 0; i < samples; ++i) {
        const double v = 8000 * std::sin(2 * std::numbers::pi * 440 * i / rate);
        for (int c = 0; c < channels; ++c) pcm.U16(static_cast<std::uint16_t>(std::lround(v)));
    }
    return EncodePcm(pcm.Get(), channels, rate);
}

Bytes EncodePcm(const Bytes& pcm, int channels, int rate, int serial) {
    std::string command = "oggenc -Q -r -B 16 --raw-endianness 0 -C " + std::to_string(channels) + " -R " +
                          std::to_string(rate);
    if (serial >= 0) command += " --serial " + std::to_string(serial);
    return RunVorbisTool(command, pcm);
}

}  // namespace vktools
