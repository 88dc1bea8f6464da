#pragma once
// An audio session that records every call in order, answers with a configurable status from
// initialize (success otherwise), and lets the test fire the interruption listener it was given.

#include <string>
#include <vector>

#include "platform/AudioSession.h"

namespace balalaika::fakes {

class RecordingAudioSession : public platform::AudioSession {
 public:
  std::optional<platform::AudioSessionError> setCategory(platform::AudioSessionCategory category,
                                                         std::uint32_t options = 0) override {
    calls.push_back("setCategory " + std::string(category == platform::AudioSessionCategory::Playback
                                                     ? "Playback"
                                                     : "PlayAndRecord") +
                    " options " + std::to_string(options));
    return std::nullopt;
  }
  std::optional<platform::AudioSessionError> setMode(platform::AudioSessionMode mode) override {
    calls.push_back(std::string("setMode ") +
                    (mode == platform::AudioSessionMode::Measurement ? "Measurement" : "Default"));
    return std::nullopt;
  }
  std::optional<platform::AudioSessionError> setActive(bool active) override {
    calls.push_back(std::string("setActive ") + (active ? "true" : "false"));
    return std::nullopt;
  }

  int initialize(InterruptionListener listener) override {
    calls.push_back("initialize");
    interruptionListener = std::move(listener);
    return initializeStatus;
  }
  int setAudioCategoryProperty(std::uint32_t category) override {
    calls.push_back("setAudioCategoryProperty " + std::to_string(category));
    return 0;
  }
  int setActiveC(bool active) override {
    calls.push_back(std::string("setActiveC ") + (active ? "true" : "false"));
    return 0;
  }

  // Calls the listener given to initialize, if any; returns whether there was one.
  bool interrupt(std::uint32_t state = platform::kAudioSessionBeginInterruption) {
    if (!interruptionListener) return false;
    interruptionListener(state);
    return true;
  }

  std::vector<std::string> calls;
  InterruptionListener interruptionListener;
  int initializeStatus = 0;
};

}  // namespace balalaika::fakes
