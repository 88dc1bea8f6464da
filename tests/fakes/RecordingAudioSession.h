#pragma once
// An audio session that accepts everything and lets the test fire the interruption listener it
// was given.

#include "platform/AudioSession.h"

namespace balalaika::fakes {

class RecordingAudioSession : public platform::AudioSession {
 public:
  std::optional<platform::AudioSessionError> setCategory(platform::AudioSessionCategory, std::uint32_t = 0) override {
    return std::nullopt;
  }
  std::optional<platform::AudioSessionError> setMode(platform::AudioSessionMode) override { return std::nullopt; }
  std::optional<platform::AudioSessionError> setActive(bool) override { return std::nullopt; }
  int initialize(InterruptionListener listener) override {
    interruptionListener = std::move(listener);
    return 0;
  }
  int setAudioCategoryProperty(std::uint32_t) override { return 0; }
  int setActiveC(bool) override { return 0; }

  // Calls the listener given to initialize, if any; returns whether there was one.
  bool interrupt(std::uint32_t state = platform::kAudioSessionBeginInterruption) {
    if (!interruptionListener) return false;
    interruptionListener(state);
    return true;
  }

  InterruptionListener interruptionListener;
};

}  // namespace balalaika::fakes
