#include "platform/web/WebAudioOutput.h"

#include <algorithm>

namespace balalaika::web {

using emscripten::val;

int WebAudioOutputUnit::setRenderCallback(platform::AURenderCallback callback, void* refCon) {
  callback_ = callback;
  refCon_ = refCon;
  return 0;
}

int WebAudioOutputUnit::setStreamFormat(const platform::AudioStreamBasicDescription& format) {
  if (!(format.mSampleRate > 0.0)) return -1;
  sampleRate_ = format.mSampleRate;
  return 0;
}

int WebAudioOutputUnit::start() {
  if (timer_ != 0) return 0;
  if (callback_ == nullptr) return -1;
  if (!player_.call<bool>("start", sampleRate_)) return -1;
  renderedFrames_ = 0.0;
  timer_ = runLoop_.scheduleRepeating(kRefillSeconds, [this] { refill(); });
  return 0;
}

int WebAudioOutputUnit::stop() {
  if (timer_ == 0) return 0;
  runLoop_.invalidate(timer_);
  timer_ = 0;
  player_.call<void>("stop");
  return 0;
}

void WebAudioOutputUnit::refill() {
  std::uint32_t wanted = player_.call<std::uint32_t>("wanted");
  while (wanted > 0) {
    const std::uint32_t frames = std::min(wanted, kBlockFrames);
    platform::AudioBufferList buffers;
    buffers.mBuffers[0].mDataByteSize = frames * sizeof(float);
    buffers.mBuffers[0].mData = block_.data();
    platform::AudioTimeStamp time;
    time.mSampleTime = renderedFrames_;
    std::uint32_t flags = 0;
    callback_(refCon_, &flags, &time, 0, frames, &buffers);
    renderedFrames_ += frames;
    player_.call<void>("play", val(emscripten::typed_memory_view(frames, block_.data())));
    wanted -= frames;
  }
}

std::unique_ptr<platform::AudioOutputUnit> WebAudioOutputComponent::newInstance(
    const platform::AudioComponentDescription& description) {
  if (description.componentType != platform::kAudioUnitType_Output) return nullptr;
  return std::make_unique<WebAudioOutputUnit>(player_, runLoop_);
}

}  // namespace balalaika::web
