// Ogg Vorbis test data, made at test time with Debian's vorbis-tools
// (oggenc to encode generated samples, oggdec as the reference decoder).
#pragma once

#include <cstdint>
#include <vector>

namespace oggfixture {

// A sine tone of 16-bit samples (channels interleaved, the same in each).
std::vector<std::int16_t> Tone(int samples, int channels, int rate, int hertz, int amplitude);

// Encodes interleaved 16-bit samples with oggenc; empty on failure.
std::vector<std::uint8_t> Encode(const std::vector<std::int16_t>& samples, int channels, int rate);

// Decodes an Ogg Vorbis stream with oggdec to 16-bit samples.
std::vector<std::int16_t> ReferenceDecode(const std::vector<std::uint8_t>& ogg);

// Overwrites the granule position of the stream's last page and fixes its
// checksum, so that the stream claims another sample total.
void SetLastGranule(std::vector<std::uint8_t>& ogg, std::int64_t granule);

}  // namespace oggfixture
