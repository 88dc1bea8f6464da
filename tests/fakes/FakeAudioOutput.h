#pragma once
// An output unit that tests pull frames from, and the component that creates it.
//
// Threads: every call but render() comes from the main thread. render() stands in for the audio
// system's render thread and may be called from another thread while the unit is started.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/AudioOutputUnit.h"

namespace balalaika::fakes {

class FakeAudioOutputComponent;

class FakeAudioOutputUnit : public platform::AudioOutputUnit {
 public:
  explicit FakeAudioOutputUnit(FakeAudioOutputComponent& component) : component_(component) {}
  ~FakeAudioOutputUnit() override;

  int setRenderCallback(platform::AURenderCallback callback, void* refCon) override;
  int setStreamFormat(const platform::AudioStreamBasicDescription& format) override;
  int initialize() override;
  int start() override;
  int stop() override;
  int uninitialize() override;

  // Asks the installed render callback for n frames, as the audio system would; returns the
  // samples, or nothing when the unit is not started or has no callback.
  std::vector<float> render(std::uint32_t frames);
  bool started() const { return started_; }


 private:
  FakeAudioOutputComponent& component_;
  platform::AURenderCallback callback_ = nullptr;
  void* refCon_ = nullptr;
  bool started_ = false;
  double sampleTime_ = 0.0;
};

class FakeAudioOutputComponent : public platform::AudioOutputComponent {
 public:
  std::unique_ptr<platform::AudioOutputUnit> newInstance(const platform::AudioComponentDescription& description) override;

  // The unit alive now (created and not yet disposed of), or null.
  FakeAudioOutputUnit* unit() const { return current_; }
  // Pulls n frames from the live unit; nothing when there is none.
  std::vector<float> pull(std::uint32_t frames) { return current_ ? current_->render(frames) : std::vector<float>{}; }

  bool matchesNothing = false;  // newInstance finds no component
  int instancesCreated = 0;

 private:
  friend class FakeAudioOutputUnit;
  FakeAudioOutputUnit* current_ = nullptr;
};

}  // namespace balalaika::fakes
