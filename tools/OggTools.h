// Ogg Vorbis sounds for tests and fuzz seeds, made and checked by Debian's
// vorbis-tools (oggenc, oggdec).
#pragma once

#include <string>

#include "tools/ByteWriter.h"

namespace vktools {

// Runs `command -o OUT IN` on scratch files, IN holding input. OUT's bytes,
// or nothing when the command fails.
Bytes RunVorbisTool(const std::string& command, const Bytes& input);

// 16-bit little-endian PCM (channels interleaved) encoded by oggenc; with a
// serial number of its own the bytes are the same on every run. Nothing
// when oggenc fails.
Bytes EncodePcm(const Bytes& pcm, int channels, int rate, int serial = -1);

// A 440 Hz sine tone of the given samples per channel (every channel the
// same), encoded by oggenc; nothing when oggenc fails.
Bytes EncodeTone(int samples, int channels = 1, int rate = 8000);

}  // namespace vktools
