#pragma once
// An output unit that tests pull frames from, and the component that creates it. render() stands
// in for the audio system's render thread; every other call comes from the main thread.

#include <memory>
#include <vector>

#include "platform/AudioOutputUnit.h"

namespace balalaika::fakes {

class FakeAudioOutputUnit : public platform::AudioOutputUnit {
 public:
  explicit FakeAudioOutputUnit(FakeAudioOutputUnit*& current) : current_(current) { current_ = this; }
  ~FakeAudioOutputUnit() override {
    if (current_ == this) current_ = nullptr;
  }

  int setRenderCallback(platform::AURenderCallback callback, void* refCon) override {
    callback_ = callback;
    refCon_ = refCon;
    return 0;
  }
  int setStreamFormat(const platform::AudioStreamBasicDescription&) override { return 0; }
  int initialize() override { return 0; }
  int start() override { started_ = true; return 0; }
  int stop() override { started_ = false; return 0; }
  int uninitialize() override { return 0; }

  // Asks the installed render callback for n frames, as the audio system would; returns the
  // samples, or nothing when the unit is not started or has no callback.
  std::vector<float> render(std::uint32_t frames) {
    if (!started_ || callback_ == nullptr) return {};
    std::vector<float> samples(frames, 0.0f);
    platform::AudioBufferList list{1, {{1, static_cast<std::uint32_t>(frames * sizeof(float)), samples.data()}}};
    std::uint32_t flags = 0;
    callback_(refCon_, &flags, nullptr, 0, frames, &list);
    return samples;
  }
  bool started() const { return started_; }

 private:
  FakeAudioOutputUnit*& current_;
  platform::AURenderCallback callback_ = nullptr;
  void* refCon_ = nullptr;
  bool started_ = false;
};

class FakeAudioOutputComponent : public platform::AudioOutputComponent {
 public:
  std::unique_ptr<platform::AudioOutputUnit> newInstance(const platform::AudioComponentDescription&) override {
    ++instancesCreated;
    return std::make_unique<FakeAudioOutputUnit>(current_);
  }

  // The unit alive now (created and not yet disposed of), or null.
  FakeAudioOutputUnit* unit() const { return current_; }
  // Pulls n frames from the live unit; nothing when there is none.
  std::vector<float> pull(std::uint32_t frames) { return current_ ? current_->render(frames) : std::vector<float>{}; }

  int instancesCreated = 0;

 private:
  FakeAudioOutputUnit* current_ = nullptr;
};

}  // namespace balalaika::fakes
