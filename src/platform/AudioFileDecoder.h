#pragma once
// Reads an audio file (any format libsndfile reads: WAV, FLAC, OGG, ...) into signed 16-bit
// mono samples at a chosen rate: channels are mixed to mono, the rate is converted with
// libsoxr, and samples are rounded and clipped to 16 bits.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Resample.h"

namespace balalaika::platform {

struct DecodedAudio {
  std::vector<std::int16_t> samples;  // mono, at the requested rate
  double sampleRate = 0.0;            // hertz
  std::string error;                  // empty on success; one line saying why otherwise
  bool ok() const { return error.empty(); }
};

// Decodes the whole file. A missing, unreadable, empty or unsupported file gives an error.
DecodedAudio decodeAudioFile(const std::string& path, double targetSampleRate);

}  // namespace balalaika::platform
