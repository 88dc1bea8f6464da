#pragma once
// A microphone that plays an audio file: any file libsndfile reads, decoded once to 16-bit mono
// at the capture rate, delivered buffer by buffer on a thread of its own and paced in real time,
// as a microphone fills them: a buffer of n samples reaches the callback n / rate seconds after
// the previous one. Used for `--input FILE`, for demos and for tests.
//
// At the end of the file the queue starts over when looping; otherwise it keeps running and
// delivers silence, as a microphone in a quiet room would, so the application stays up and shows
// its silent state.
//
// Threads: as AudioInputQueue. The pacing thread exists from start to stop; stop and the
// destructor join it.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/AudioInputQueue.h"
#include "platform/InputBufferLine.h"

namespace balalaika::platform {

class FileAudioInputQueue : public AudioInputQueue {
 public:
  // samples: 16-bit mono at sampleRate hertz, shared with the factory (never changed).
  FileAudioInputQueue(std::shared_ptr<const std::vector<std::int16_t>> samples, double sampleRate, bool loop,
                      AudioQueueInputCallback callback, void* userData);
  ~FileAudioInputQueue() override;

  int allocateBuffer(std::uint32_t byteCapacity, AudioQueueBuffer** outBuffer) override;
  int enqueueBuffer(AudioQueueBuffer* buffer) override;
  int start() override;
  int stop(bool immediate) override;
  std::optional<std::uint32_t> isRunning() const override;
  int setLevelMeteringEnabled(std::uint32_t enabled) override;
  int currentLevelMeter(AudioQueueLevelMeterState* levels, std::uint32_t channelCount) override;

  // Samples delivered since creation, silence after the end included (for measuring delay).
  std::uint64_t deliveredSamples() const { return delivered_.load(std::memory_order_relaxed); }

 private:
  void run();  // the pacing thread
  void fill(std::int16_t* out, std::uint32_t count);

  const std::shared_ptr<const std::vector<std::int16_t>> samples_;
  const double sampleRate_;
  const bool loop_;
  const AudioQueueInputCallback callback_;
  void* const userData_;

  InputBufferLine line_;
  std::thread thread_;
  std::mutex stopMutex_;  // with stopWake_, wakes the pacing thread for a stop request
  std::condition_variable stopWake_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<std::uint32_t> running_{0};
  std::atomic<std::uint64_t> delivered_{0};
  std::size_t position_ = 0;  // next file sample; touched only by the pacing thread (or while none runs)
};

// Makes file microphones. The file is decoded on first use (or by load) and kept.
class FileAudioInputQueueFactory : public AudioInputQueueFactory {
 public:
  FileAudioInputQueueFactory(std::string path, bool loop);

  // Decodes the file at sampleRate unless already done at that rate; returns the error line, empty
  // on success.
  std::string load(double sampleRate);
  // Length of the loaded recording in seconds; 0 before a successful load.
  double durationSeconds() const;

  // nullptr when the file cannot be decoded or the format is not 16-bit signed mono linear PCM.
  std::unique_ptr<AudioInputQueue> newInput(const AudioStreamBasicDescription& format,
                                            AudioQueueInputCallback callback, void* userData) override;

 private:
  std::string path_;
  bool loop_;
  double loadedRate_ = 0.0;
  std::shared_ptr<const std::vector<std::int16_t>> samples_;
};

}  // namespace balalaika::platform
