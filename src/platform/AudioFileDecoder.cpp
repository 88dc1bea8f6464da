#include "platform/AudioFileDecoder.h"

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace balalaika::platform {
namespace {

struct SndFileCloser {
  void operator()(SNDFILE* f) const { sf_close(f); }
};

std::int16_t toInt16(float sample) {
  const float scaled = std::round(sample * 32768.0f);
  return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

std::vector<std::int16_t> resampleToInt16(const float* samples, std::size_t count, double fromRate, double toRate) {
  std::vector<std::int16_t> out;
  if (count == 0 || fromRate <= 0.0 || toRate <= 0.0) return out;
  if (fromRate == toRate) {
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) out.push_back(toInt16(samples[i]));
    return out;
  }
  const auto capacity = static_cast<std::size_t>(std::ceil(static_cast<double>(count) * toRate / fromRate)) + 16;
  std::vector<float> converted(capacity);
  std::size_t produced = 0;
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  const soxr_error_t error = soxr_oneshot(fromRate, toRate, 1, samples, count, nullptr, converted.data(),
                                          converted.size(), &produced, nullptr, &quality, nullptr);
  if (error != nullptr) return out;
  out.reserve(produced);
  for (std::size_t i = 0; i < produced; ++i) out.push_back(toInt16(converted[i]));
  return out;
}

DecodedAudio decodeAudioFile(const std::string& path, double targetSampleRate) {
  DecodedAudio result;
  result.sampleRate = targetSampleRate;
  SF_INFO info{};
  std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) {
    result.error = "cannot read audio file '" + path + "': " + sf_strerror(nullptr);
    return result;
  }
  if (info.channels < 1 || info.samplerate < 1 || info.frames < 1) {
    result.error = "audio file '" + path + "' holds no audio";
    return result;
  }

  // Mix every frame's channels down to one.
  const auto channels = static_cast<std::size_t>(info.channels);
  std::vector<float> mono;
  mono.reserve(static_cast<std::size_t>(info.frames));
  std::vector<float> block(4096 * channels);
  for (;;) {
    const sf_count_t frames = sf_readf_float(file.get(), block.data(), 4096);
    if (frames <= 0) break;
    for (sf_count_t f = 0; f < frames; ++f) {
      float sum = 0.0f;
      for (std::size_t c = 0; c < channels; ++c) sum += block[static_cast<std::size_t>(f) * channels + c];
      mono.push_back(sum / static_cast<float>(channels));
    }
  }
  if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
    result.error = "cannot decode audio file '" + path + "': " + sf_strerror(file.get());
    return result;
  }
  if (mono.empty()) {
    result.error = "audio file '" + path + "' holds no audio";
    return result;
  }
  result.samples = resampleToInt16(mono.data(), mono.size(), info.samplerate, targetSampleRate);
  if (result.samples.empty()) result.error = "cannot convert audio file '" + path + "' to the capture rate";
  return result;
}

}  // namespace balalaika::platform
