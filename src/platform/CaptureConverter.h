#pragma once
// Turns interleaved capture samples in a device's own format (any rate, any channel count,
// 8/16/32-bit integer or float) into 16-bit mono at the capture rate: channels are averaged, the
// rate is converted with a streaming libsoxr resampler. For devices that refuse the capture rate.
//
// Threads: made on any thread, then used by one thread at a time (the capture thread). process
// works in buffers allocated by the constructor; chunks longer than maxInputFrames are taken in
// several passes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace balalaika::platform {

enum class CaptureSampleType { UInt8, Int16, Int32, Float32 };

class CaptureConverter {
 public:
  CaptureConverter(double inputRate, int channels, CaptureSampleType type, double outputRate,
                   std::size_t maxInputFrames = 8192);
  ~CaptureConverter();
  CaptureConverter(const CaptureConverter&) = delete;
  CaptureConverter& operator=(const CaptureConverter&) = delete;

  // Empty when the resampler was made; the reason otherwise.
  const std::string& error() const { return error_; }

  // Converts frames of interleaved input and calls sink(samples, count) with each run of output
  // (16-bit mono at the output rate). The sink runs on the calling thread.
  template <typename Sink>
  void process(const void* input, std::size_t frames, Sink&& sink) {
    const auto* bytes = static_cast<const unsigned char*>(input);
    while (frames > 0) {
      const std::size_t chunk = frames < maxInputFrames_ ? frames : maxInputFrames_;
      mixToMono(bytes, chunk);
      // The resampler takes only what fits its output: offer the rest until all is taken.
      std::size_t taken = 0;
      while (taken < chunk) {
        std::size_t used = 0;
        const std::size_t produced = resample(taken, chunk - taken, used);
        if (produced > 0) sink(static_cast<const std::int16_t*>(output_.get()), produced);
        taken += used;
        if (used == 0 && produced == 0) break;
      }
      bytes += chunk * frameBytes_;
      frames -= chunk;
    }
  }

  std::size_t frameBytes() const { return frameBytes_; }

 private:
  void mixToMono(const unsigned char* input, std::size_t frames);
  // Resamples mono_[offset, offset + frames); sets used to the frames taken, returns samples made.
  std::size_t resample(std::size_t offset, std::size_t frames, std::size_t& used);

  int channels_;
  CaptureSampleType type_;
  std::size_t maxInputFrames_;
  std::size_t frameBytes_;
  std::size_t outputCapacity_;
  std::unique_ptr<float[]> mono_;
  std::unique_ptr<std::int16_t[]> output_;
  void* resampler_ = nullptr;  // soxr_t
  std::string error_;
};

}  // namespace balalaika::platform
