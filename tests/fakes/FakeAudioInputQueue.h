#pragma once
// An input queue that the test fills buffer by buffer on its own thread, recording every call.
// What it recorded outlives the queue (disposal is destruction), so the factory keeps a record per
// queue it made.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/AudioInputQueue.h"

namespace balalaika::fakes {

struct FakeAudioInputQueueRecord {
  platform::AudioStreamBasicDescription format;
  std::vector<std::uint32_t> allocatedCapacities;  // bytes, in allocation order
  int enqueueCalls = 0;
  int startCalls = 0;
  std::vector<bool> stopCalls;                 // the immediate flag of each stop
  std::vector<std::uint32_t> meteringSettings;  // values given to setLevelMeteringEnabled
  std::vector<std::uint32_t> levelReads;       // channel counts asked of currentLevelMeter
  bool disposed = false;
};

class FakeAudioInputQueue : public platform::AudioInputQueue {
 public:
  FakeAudioInputQueue(std::shared_ptr<FakeAudioInputQueueRecord> record, platform::AudioQueueInputCallback callback,
                      void* userData);
  ~FakeAudioInputQueue() override;

  int allocateBuffer(std::uint32_t byteCapacity, platform::AudioQueueBuffer** outBuffer) override;
  int enqueueBuffer(platform::AudioQueueBuffer* buffer) override;
  int start() override;
  int stop(bool immediate) override;
  std::optional<std::uint32_t> isRunning() const override;
  int setLevelMeteringEnabled(std::uint32_t enabled) override;
  int currentLevelMeter(platform::AudioQueueLevelMeterState* levels, std::uint32_t channelCount) override;

  // Test controls.
  // Fills the oldest enqueued buffer with up to its capacity of samples (count in samples),
  // measures its level (when metering is on) and calls the callback, whether or not the queue
  // runs, as a buffer returned by a stopping queue would be. False when no buffer is in line.
  bool deliver(const std::int16_t* samples, std::size_t count);
  bool deliver(const std::vector<std::int16_t>& samples) { return deliver(samples.data(), samples.size()); }
  std::size_t enqueuedCount() const { return line_.size(); }
  void setRunningFetchFails(bool fails) { runningFetchFails_ = fails; }
  void setMeteringStatus(int status) { meteringStatus_ = status; }
  const FakeAudioInputQueueRecord& record() const { return *record_; }

 private:
  std::shared_ptr<FakeAudioInputQueueRecord> record_;
  platform::AudioQueueInputCallback callback_;
  void* userData_;
  std::vector<std::unique_ptr<platform::AudioQueueBuffer>> buffers_;
  std::vector<std::unique_ptr<std::int16_t[]>> storage_;
  std::vector<platform::AudioQueueBuffer*> line_;
  std::uint32_t running_ = 0;
  bool runningFetchFails_ = false;
  int meteringStatus_ = 0;
  bool metering_ = false;
  platform::AudioQueueLevelMeterState level_;
};

class FakeAudioInputQueueFactory : public platform::AudioInputQueueFactory {
 public:
  std::unique_ptr<platform::AudioInputQueue> newInput(const platform::AudioStreamBasicDescription& format,
                                                      platform::AudioQueueInputCallback callback,
                                                      void* userData) override;

  // The newest queue made, or nullptr when none was made or it has been disposed of.
  FakeAudioInputQueue* current() const;
  // One record per queue made, in order.
  const std::vector<std::shared_ptr<FakeAudioInputQueueRecord>>& records() const { return records_; }
  // When set, newInput makes nothing.
  void setFailCreation(bool fail) { failCreation_ = fail; }

 private:
  std::vector<std::shared_ptr<FakeAudioInputQueueRecord>> records_;
  FakeAudioInputQueue* newest_ = nullptr;
  bool failCreation_ = false;
};

}  // namespace balalaika::fakes
