#include "fakes/FakeAudioOutput.h"

namespace balalaika::fakes {

FakeAudioOutputUnit::~FakeAudioOutputUnit() {
  if (component_.current_ == this) component_.current_ = nullptr;
}

int FakeAudioOutputUnit::setRenderCallback(platform::AURenderCallback callback, void* refCon) {
  callback_ = callback;
  refCon_ = refCon;
  return 0;
}

int FakeAudioOutputUnit::setStreamFormat(const platform::AudioStreamBasicDescription&) { return 0; }

int FakeAudioOutputUnit::initialize() { return 0; }

int FakeAudioOutputUnit::start() {
  started_ = true;
  return 0;
}

int FakeAudioOutputUnit::stop() {
  started_ = false;
  return 0;
}

int FakeAudioOutputUnit::uninitialize() { return 0; }

std::vector<float> FakeAudioOutputUnit::render(std::uint32_t frames) {
  if (!started_ || callback_ == nullptr) return {};
  std::vector<float> samples(frames, 0.0f);
  platform::AudioBufferList list;
  list.mNumberBuffers = 1;
  list.mBuffers[0].mNumberChannels = 1;
  list.mBuffers[0].mDataByteSize = static_cast<std::uint32_t>(frames * sizeof(float));
  list.mBuffers[0].mData = samples.data();
  platform::AudioTimeStamp stamp;
  stamp.mSampleTime = sampleTime_;
  std::uint32_t flags = 0;
  callback_(refCon_, &flags, &stamp, 0, frames, &list);
  sampleTime_ += frames;
  return samples;
}

std::unique_ptr<platform::AudioOutputUnit> FakeAudioOutputComponent::newInstance(
    const platform::AudioComponentDescription&) {
  if (matchesNothing) return nullptr;
  ++instancesCreated;
  auto unit = std::make_unique<FakeAudioOutputUnit>(*this);
  current_ = unit.get();
  return unit;
}

}  // namespace balalaika::fakes
