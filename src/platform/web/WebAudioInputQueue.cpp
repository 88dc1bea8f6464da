#include "platform/web/WebAudioInputQueue.h"

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
  filler_.restart();
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
  filler_.restart();
  return true;
}

void WebAudioInputQueue::deliver(const float* samples, std::size_t count) {
  if (!running_ || !converter_) return;
  converter_->process(samples, count, [this](const std::int16_t* out, std::size_t n) {
    // The callback may stop the queue; what is left of the block is then dropped.
    filler_.append(out, n, [this](platform::AudioQueueBuffer* full) {
      callback_(userData_, this, full);
      return running_;
    });
  });
}

void WebAudioInputQueue::sourceLost() { line_.clearLevel(); }

std::unique_ptr<platform::AudioInputQueue> WebAudioInputQueueFactory::newInput(
    const platform::AudioStreamBasicDescription& format, platform::AudioQueueInputCallback callback, void* userData) {
  if (format.mChannelsPerFrame != 1 || format.mBitsPerChannel != 16) return nullptr;
  auto queue = std::make_unique<WebAudioInputQueue>(format.mSampleRate, callback, userData);
  current_ = queue.get();
  return queue;
}

}  // namespace balalaika::web
