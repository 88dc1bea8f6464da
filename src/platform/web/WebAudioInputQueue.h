#pragma once
// The microphone of a page: the AudioWorklet posts blocks of float samples at the audio context's
// rate to the main thread, which hands them to deliver(). They are converted to 16-bit mono at
// the capture rate by the same streaming libsoxr converter as the desktop's capture, gathered
// into the enqueued buffers (8192 bytes at the listener's format), and each full buffer goes to
// the input callback with its level published, as the desktop capture does.
//
// Threads: the page has one; everything runs on it, the callback included.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/AudioInputQueue.h"
#include "platform/CaptureConverter.h"
#include "platform/InputBufferLine.h"

namespace balalaika::web {

class WebAudioInputQueue final : public platform::AudioInputQueue {
 public:
  WebAudioInputQueue(double captureRate, platform::AudioQueueInputCallback callback, void* userData);

  int allocateBuffer(std::uint32_t byteCapacity, platform::AudioQueueBuffer** outBuffer) override;
  int enqueueBuffer(platform::AudioQueueBuffer* buffer) override;
  int start() override;
  int stop(bool immediate) override;
  std::optional<std::uint32_t> isRunning() const override;
  int setLevelMeteringEnabled(std::uint32_t enabled) override;
  int currentLevelMeter(platform::AudioQueueLevelMeterState* levels, std::uint32_t channelCount) override;

  // A new audio source at inputRate hertz (read from the audio context at every start): the
  // resampler starts afresh and a partly filled buffer is dropped. False when the rate is refused.
  bool setInputRate(double inputRate);
  // Mono float samples at the input rate. Ignored while stopped or before setInputRate.
  void deliver(const float* samples, std::size_t count);
  // The source is gone (suspended, interrupted, closed): the level reads zero until new samples.
  void sourceLost();

 private:
  const double captureRate_;
  const platform::AudioQueueInputCallback callback_;
  void* const userData_;
  platform::InputBufferLine line_;
  std::unique_ptr<platform::CaptureConverter> converter_;
  platform::InputBufferFiller filler_{line_};
  bool running_ = false;
};

// Makes the page's microphone queue and keeps a pointer to the newest one, for the page to feed.
class WebAudioInputQueueFactory final : public platform::AudioInputQueueFactory {
 public:
  std::unique_ptr<platform::AudioInputQueue> newInput(const platform::AudioStreamBasicDescription& format,
                                                      platform::AudioQueueInputCallback callback,
                                                      void* userData) override;
  // The queue made last; nullptr before the listener asked for one.
  WebAudioInputQueue* current() const { return current_; }

 private:
  WebAudioInputQueue* current_ = nullptr;  // owned by the listener, which never drops it here
};

}  // namespace balalaika::web
