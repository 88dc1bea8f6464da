#pragma once
// Reads an audio file (any format libsndfile reads: WAV, FLAC, OGG, ...) into signed 16-bit
// mono samples at a chosen rate: channels are mixed to mono, the rate is converted with
// libsoxr, and samples are rounded and clipped to 16 bits.

#include <cstdint>
#include <string>
#include <vector>

namespace balalaika::platform {

struct DecodedAudio {
  std::vector<std::int16_t> samples;  // mono, at the requested rate
  double sampleRate = 0.0;            // hertz
  std::string error;                  // empty on success; one line saying why otherwise
  bool ok() const { return error.empty(); }
};

// Decodes the whole file. A missing, unreadable, empty or unsupported file gives an error.
DecodedAudio decodeAudioFile(const std::string& path, double targetSampleRate);

// Converts mono float samples (full scale +-1.0) from one rate to another (libsoxr, high
// quality) and to 16 bits. Used for files and for capture devices that refuse the rate.
std::vector<std::int16_t> resampleToInt16(const float* samples, std::size_t count, double fromRate, double toRate);

}  // namespace balalaika::platform
