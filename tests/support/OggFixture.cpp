#include "tests/support/OggFixture.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/PcmBytes.h"

extern char** environ;

namespace oggfixture {
namespace {

// A scratch folder removed with its files at the end of the scope.
class ScratchDir {
public:
    ScratchDir() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vkoggXXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~ScratchDir() {
        for (const auto& f : m_files) unlink(f.c_str());
        if (!m_path.empty()) rmdir(m_path.c_str());
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const char* name) {
        m_files.push_back(m_path + "/" + name);
        return m_files.back();
    }

private:
    std::string m_path;
    std::vector<std::string> m_files;
};

bool Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t OggCrc(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= std::uint32_t{data[i]} << 24;
        for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

}  // namespace

std::vector<std::int16_t> Tone(int samples, int channels, int rate, int hertz, int amplitude) {
    std::vector<std::int16_t> out;
    for (int i = 0; i < samples; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * hertz * i / rate);
        for (int c = 0; c < channels; ++c) out.push_back(static_cast<std::int16_t>(std::lround(v)));
    }
    return out;
}

std::vector<std::uint8_t> Encode(const std::vector<std::int16_t>& samples, int channels, int rate) {
    ScratchDir dir;
    const std::string raw = dir.File("in.raw");
    const std::string ogg = dir.File("out.ogg");
    WriteFile(raw, PcmBytes(samples));
    if (!Run({"oggenc", "-Q", "-r", "-B", "16", "-C", std::to_string(channels), "-R", std::to_string(rate),
              "--raw-endianness", "0", raw, "-o", ogg})) {
        return {};
    }
    return ReadFile(ogg);
}

std::vector<std::int16_t> ReferenceDecode(const std::vector<std::uint8_t>& ogg) {
    ScratchDir dir;
    const std::string in = dir.File("in.ogg");
    const std::string raw = dir.File("out.raw");
    WriteFile(in, ogg);
    std::vector<std::int16_t> samples;
    if (!Run({"oggdec", "-Q", "-R", "-b", "16", "-e", "0", "-s", "1", "-o", raw, in})) return samples;
    const std::vector<std::uint8_t> bytes = ReadFile(raw);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return samples;
}

void SetLastGranule(std::vector<std::uint8_t>& ogg, std::int64_t granule) {
    const std::uint8_t capture[4] = {'O', 'g', 'g', 'S'};
    std::size_t last = ogg.size();
    for (std::size_t i = 0; i + 27 <= ogg.size(); ++i) {
        if (std::equal(capture, capture + 4, ogg.begin() + static_cast<std::ptrdiff_t>(i))) last = i;
    }
    if (last == ogg.size()) return;
    std::uint8_t* page = ogg.data() + last;
    for (int i = 0; i < 8; ++i) page[6 + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(granule) >> (8 * i));
    std::size_t length = 27 + page[26];
    for (int i = 0; i < page[26]; ++i) length += page[27 + i];
    for (int i = 0; i < 4; ++i) page[22 + i] = 0;
    const std::uint32_t crc = OggCrc(page, length);
    for (int i = 0; i < 4; ++i) page[22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

}  // namespace oggfixture
