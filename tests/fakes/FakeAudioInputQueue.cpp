#include "fakes/FakeAudioInputQueue.h"

#include <algorithm>

#include "platform/LevelMeter.h"

namespace balalaika::fakes {

FakeAudioInputQueue::FakeAudioInputQueue(std::shared_ptr<FakeAudioInputQueueRecord> record,
                                         platform::AudioQueueInputCallback callback, void* userData)
    : record_(std::move(record)), callback_(callback), userData_(userData) {}

FakeAudioInputQueue::~FakeAudioInputQueue() { record_->disposed = true; }

int FakeAudioInputQueue::allocateBuffer(std::uint32_t byteCapacity, platform::AudioQueueBuffer** outBuffer) {
  record_->allocatedCapacities.push_back(byteCapacity);
  if (outBuffer == nullptr) return platform::kAudioQueueErr_InvalidParameter;
  storage_.emplace_back(new std::int16_t[byteCapacity / 2 + 1]());
  auto buffer = std::make_unique<platform::AudioQueueBuffer>();
  buffer->mAudioDataBytesCapacity = byteCapacity;
  buffer->mAudioData = storage_.back().get();
  *outBuffer = buffer.get();
  buffers_.push_back(std::move(buffer));
  return 0;
}

int FakeAudioInputQueue::enqueueBuffer(platform::AudioQueueBuffer* buffer) {
  ++record_->enqueueCalls;
  const bool ours = std::any_of(buffers_.begin(), buffers_.end(), [&](const auto& b) { return b.get() == buffer; });
  if (!ours) return platform::kAudioQueueErr_InvalidBuffer;
  if (std::find(line_.begin(), line_.end(), buffer) != line_.end()) {
    return platform::kAudioQueueErr_BufferEnqueuedTwice;
  }
  line_.push_back(buffer);
  return 0;
}

int FakeAudioInputQueue::start() {
  ++record_->startCalls;
  running_ = 1;
  return 0;
}

int FakeAudioInputQueue::stop(bool immediate) {
  record_->stopCalls.push_back(immediate);
  running_ = 0;
  return 0;
}

std::optional<std::uint32_t> FakeAudioInputQueue::isRunning() const {
  if (runningFetchFails_) return std::nullopt;
  return running_;
}

int FakeAudioInputQueue::setLevelMeteringEnabled(std::uint32_t enabled) {
  record_->meteringSettings.push_back(enabled);
  if (meteringStatus_ == 0) metering_ = enabled != 0;
  return meteringStatus_;
}

int FakeAudioInputQueue::currentLevelMeter(platform::AudioQueueLevelMeterState* levels,
                                           std::uint32_t channelCount) {
  record_->levelReads.push_back(channelCount);
  if (levels == nullptr) return platform::kAudioQueueErr_InvalidParameter;
  for (std::uint32_t c = 0; c < channelCount; ++c) levels[c] = c == 0 && metering_ ? level_ : platform::AudioQueueLevelMeterState{};
  return 0;
}

bool FakeAudioInputQueue::deliver(const std::int16_t* samples, std::size_t count) {
  if (line_.empty()) return false;
  platform::AudioQueueBuffer* buffer = line_.front();
  line_.erase(line_.begin());
  const std::size_t n = std::min<std::size_t>(count, buffer->mAudioDataBytesCapacity / 2);
  std::copy_n(samples, n, static_cast<std::int16_t*>(buffer->mAudioData));
  buffer->mAudioDataByteSize = static_cast<std::uint32_t>(n * 2);
  if (metering_) level_ = platform::measureLevel(samples, n);
  callback_(userData_, this, buffer);
  return true;
}

std::unique_ptr<platform::AudioInputQueue> FakeAudioInputQueueFactory::newInput(
    const platform::AudioStreamBasicDescription& format, platform::AudioQueueInputCallback callback, void* userData) {
  if (failCreation_) return nullptr;
  auto record = std::make_shared<FakeAudioInputQueueRecord>();
  record->format = format;
  records_.push_back(record);
  auto queue = std::make_unique<FakeAudioInputQueue>(record, callback, userData);
  newest_ = queue.get();
  return queue;
}

FakeAudioInputQueue* FakeAudioInputQueueFactory::current() const {
  if (records_.empty() || records_.back()->disposed) return nullptr;
  return newest_;
}

}  // namespace balalaika::fakes
