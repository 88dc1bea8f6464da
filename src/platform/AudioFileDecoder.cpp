#include "platform/AudioFileDecoder.h"

#include <sndfile.h>

#include <memory>

namespace balalaika::platform {
namespace {

struct SndFileCloser {
  void operator()(SNDFILE* f) const { sf_close(f); }
};

}  // namespace

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
