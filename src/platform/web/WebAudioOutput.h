#pragma once
// The speaker of a page, for the tone generator: an output unit whose render callback runs on the
// page's main thread (there is no other), from a timer that keeps the page's player a little ahead
// of what the audio context has played. The player (web/src/tone-player.ts) owns the audio
// context at the unit's stream rate and a small AudioWorklet that plays the posted blocks in
// order; it answers how many frames it wants and takes blocks of samples.
//
// Threads: the page has one; the render callback is called on it, between the page's other work.

#include <emscripten/val.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/AudioOutputUnit.h"
#include "platform/RunLoop.h"

namespace balalaika::web {

class WebAudioOutputUnit final : public platform::AudioOutputUnit {
 public:
  // How often the player is topped up, and the largest block rendered at once.
  static constexpr double kRefillSeconds = 0.05;
  static constexpr std::uint32_t kBlockFrames = 4096;

  WebAudioOutputUnit(emscripten::val player, platform::RunLoop& runLoop) : player_(std::move(player)), runLoop_(runLoop) {}
  ~WebAudioOutputUnit() override { stop(); }

  int setRenderCallback(platform::AURenderCallback callback, void* refCon) override;
  int setStreamFormat(const platform::AudioStreamBasicDescription& format) override;
  int initialize() override { return 0; }
  int start() override;
  int stop() override;
  int uninitialize() override { return 0; }

  // Renders what the player wants now, in blocks; the timer calls it.
  void refill();

 private:
  emscripten::val player_;
  platform::RunLoop& runLoop_;
  platform::AURenderCallback callback_ = nullptr;
  void* refCon_ = nullptr;
  double sampleRate_ = 44100.0;
  double renderedFrames_ = 0.0;
  platform::RunLoop::TimerId timer_ = 0;
  std::vector<float> block_ = std::vector<float>(kBlockFrames);
};

class WebAudioOutputComponent final : public platform::AudioOutputComponent {
 public:
  WebAudioOutputComponent(emscripten::val player, platform::RunLoop& runLoop) : player_(std::move(player)), runLoop_(runLoop) {}
  // An output unit for an output description; nullptr for anything else.
  std::unique_ptr<platform::AudioOutputUnit> newInstance(const platform::AudioComponentDescription& description) override;

 private:
  emscripten::val player_;
  platform::RunLoop& runLoop_;
};

}  // namespace balalaika::web
