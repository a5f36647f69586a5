#include "tools/OggTools.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>

namespace vktools {

Bytes RunVorbisTool(const std::string& command, const Bytes& input) {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vkoggXXXXXX";
    if (mkdtemp(dir.data()) == nullptr) return {};
    const std::string in = dir + "/in";
    const std::string out = dir + "/out";
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
    Bytes bytes;
    if (std::system((command + " -o '" + out + "' '" + in + "'").c_str()) == 0) {
        std::ifstream file(out, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    unlink(in.c_str());
    unlink(out.c_str());
    rmdir(dir.c_str());
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
