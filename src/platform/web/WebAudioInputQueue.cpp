#include "platform/web/WebAudioInputQueue.h"

#include <algorithm>

namespace balalaika::web {
namespace {

constexpr std::size_t kMaxBlockFrames = 8192;  // the worklet posts 128-frame blocks, gathered

}  // namespace

WebAudioInputQueue::WebAudioInputQueue(double captureRate, platform::AudioQueueInputCallback callback,
                                       void* userData)
    : captureRate_(captureRate), callback_(callback), userData_(userData) {}

int WebAudioInputQueue::allocateBuffer(std::uint32_t byteCapacity, platform::AudioQueueBuffer** outBuffer) {
  return line_.allocate(byteCapacity, outBuffer);
}

int WebAudioInputQueue::enqueueBuffer(platform::AudioQueueBuffer* buffer) { return line_.enqueue(buffer); }

int WebAudioInputQueue::start() {
  running_ = true;
  return 0;
}

int WebAudioInputQueue::stop(bool) {
  running_ = false;
  if (current_ != nullptr) line_.enqueue(current_);
  current_ = nullptr;
  filled_ = 0;
  line_.clearLevel();
  return 0;
}

std::optional<std::uint32_t> WebAudioInputQueue::isRunning() const { return running_ ? 1u : 0u; }

int WebAudioInputQueue::setLevelMeteringEnabled(std::uint32_t enabled) {
  line_.setMeteringEnabled(enabled != 0);
  return 0;
}

int WebAudioInputQueue::currentLevelMeter(platform::AudioQueueLevelMeterState* levels, std::uint32_t channelCount) {
  if (levels == nullptr) return platform::kAudioQueueErr_InvalidParameter;
  if (channelCount > 0) levels[0] = line_.level();
  return 0;
}

bool WebAudioInputQueue::setInputRate(double inputRate) {
  auto converter = std::make_unique<platform::CaptureConverter>(inputRate, 1, platform::CaptureSampleType::Float32,
                                                                captureRate_, kMaxBlockFrames);
  if (!converter->error().empty()) return false;
  converter_ = std::move(converter);
  if (current_ != nullptr) line_.enqueue(current_);
  current_ = nullptr;
  filled_ = 0;
  return true;
}

void WebAudioInputQueue::deliver(const float* samples, std::size_t count) {
  if (!running_ || !converter_) return;
  converter_->process(samples, count, [this](const std::int16_t* out, std::size_t n) { append(out, n); });
}

void WebAudioInputQueue::sourceLost() { line_.clearLevel(); }

void WebAudioInputQueue::append(const std::int16_t* samples, std::size_t count) {
  while (count > 0 && running_) {
    if (current_ == nullptr) {
      current_ = line_.takeNext();
      filled_ = 0;
      if (current_ == nullptr) return;  // every buffer is out: these samples are lost
    }
    const std::size_t capacity = current_->mAudioDataBytesCapacity / 2;
    const std::size_t n = std::min(count, capacity - filled_);
    std::copy_n(samples, n, static_cast<std::int16_t*>(current_->mAudioData) + filled_);
    filled_ += n;
    samples += n;
    count -= n;
    if (filled_ == capacity) {
      platform::AudioQueueBuffer* full = current_;
      current_ = nullptr;
      full->mAudioDataByteSize = static_cast<std::uint32_t>(capacity * 2);
      line_.publishLevel(static_cast<const std::int16_t*>(full->mAudioData), capacity);
      callback_(userData_, this, full);
    }
  }
}

std::unique_ptr<platform::AudioInputQueue> WebAudioInputQueueFactory::newInput(
    const platform::AudioStreamBasicDescription& format, platform::AudioQueueInputCallback callback, void* userData) {
  if (format.mChannelsPerFrame != 1 || format.mBitsPerChannel != 16) return nullptr;
  auto queue = std::make_unique<WebAudioInputQueue>(format.mSampleRate, callback, userData);
  current_ = queue.get();
  return queue;
}

}  // namespace balalaika::web
