#pragma once
// A continuous sine tone on the audio output, with timer-driven fades and timed patterns.
//
// Threads: every member function runs on the main thread, the timers included. The render
// callback (toneRenderCallback) runs on the output unit's real-time thread; it reads
// frequency, amplitude, sampleRate and theta and writes theta. Those four are relaxed
// atomics: a render request uses the values it read at its start, and a change made on the
// main thread takes effect at the next request without a phase jump.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/AudioOutputUnit.h"
#include "platform/AudioSession.h"
#include "platform/RunLoop.h"
#include "tones/TGPatternSegment.h"

namespace balalaika {

class ToneGenerator {
 public:
  using TimerId = platform::RunLoop::TimerId;

  static constexpr double kInitialFrequency = 5000.0;  // hertz
  static constexpr double kFullAmplitude = 1.25;       // peak of the written sine
  static constexpr double kInitialSampleRate = 44100.0;
  static constexpr int kFadeSteps = 50;        // a fade timer fires every duration / 50
  static constexpr double kFadeInStep = 0.025;  // amplitude added per fade-in firing
  static constexpr double kTwoPi = 6.283185307179586;

  // Sets up the audio session (when there is one): initialise it with an interruption
  // listener that stops the tone, ask for media playback only if that succeeded, activate it.
  ToneGenerator(platform::AudioOutputComponent& component, platform::AudioSession* session,
                platform::RunLoop& runLoop);
  // Tears down a playing unit and cancels every timer of this generator.
  ~ToneGenerator();
  ToneGenerator(const ToneGenerator&) = delete;
  ToneGenerator& operator=(const ToneGenerator&) = delete;

  // Creates, initialises and starts an output unit unless one exists; isPlaying is then true.
  void start();
  // Cancels the pattern and fade timers; tears down the unit if there is one, restoring the
  // full amplitude. Frequency and phase are kept.
  void stop();
  // Creates the output unit into toneUnit, installs the render callback and the stream format.
  void createToneUnit();

  // Fades: d = 0.0 is a plain start or stop. Otherwise a timer fires every d / 50 seconds.
  // A new fade cancels one still running.
  void startWithFadeInDuration(double seconds);
  void increaseAmplitude(double step);  // one fade-in firing; step is the number its timer carries
  void stopWithFadeOutDuration(double seconds);
  void reduceAmplitude(double step);  // one fade-out firing

  // Plays the segments one after the other as one continuous tone, starting over after the
  // last one when repeat is set. A new pattern replaces one still playing.
  void playPattern(std::vector<TGPatternSegment> segments, bool repeat);
  void playPatternSegment();

  // Deactivates the audio session.
  void cleanup();

  // Properties. Plain stores; the four doubles are shared with the render thread.
  platform::AudioOutputUnit* toneUnit() const { return toneUnit_.get(); }
  bool isPlaying() const { return isPlaying_; }
  bool patternShouldRepeat() const { return patternShouldRepeat_; }
  void setPatternShouldRepeat(bool repeat) { patternShouldRepeat_ = repeat; }
  double frequency() const { return frequency_.load(std::memory_order_relaxed); }  // hertz
  void setFrequency(double hertz) { frequency_.store(hertz, std::memory_order_relaxed); }
  double amplitude() const { return amplitude_.load(std::memory_order_relaxed); }
  void setAmplitude(double amplitude) { amplitude_.store(amplitude, std::memory_order_relaxed); }
  double sampleRate() const { return sampleRate_.load(std::memory_order_relaxed); }  // hertz
  void setSampleRate(double hertz) { sampleRate_.store(hertz, std::memory_order_relaxed); }
  double theta() const { return theta_.load(std::memory_order_relaxed); }  // radians
  void setTheta(double radians) { theta_.store(radians, std::memory_order_relaxed); }
  TimerId fadeInTimer() const { return fadeInTimer_; }
  void setFadeInTimer(TimerId timer) { fadeInTimer_ = timer; }
  TimerId fadeOutTimer() const { return fadeOutTimer_; }
  void setFadeOutTimer(TimerId timer) { fadeOutTimer_ = timer; }
  const std::vector<TGPatternSegment>& pattern() const { return pattern_; }
  void setPattern(std::vector<TGPatternSegment> pattern) { pattern_ = std::move(pattern); }
  std::uint64_t patternIndex() const { return patternIndex_; }
  void setPatternIndex(std::uint64_t index) { patternIndex_ = index; }
  TimerId patternTimer() const { return patternTimer_; }
  void setPatternTimer(TimerId timer) { patternTimer_ = timer; }

  // The output stream format and unit description the generator asks for.
  static platform::AudioStreamBasicDescription streamFormat(double sampleRate);
  static platform::AudioComponentDescription outputUnitDescription();

 private:
  friend int toneRenderCallback(void*, std::uint32_t*, const platform::AudioTimeStamp*, std::uint32_t,
                                std::uint32_t, platform::AudioBufferList*);
  void cancelTimer(TimerId& timer);

  platform::AudioOutputComponent& component_;
  platform::AudioSession* session_;
  platform::RunLoop& runLoop_;

  std::unique_ptr<platform::AudioOutputUnit> toneUnit_;
  bool isPlaying_ = false;
  bool patternShouldRepeat_ = false;
  std::atomic<double> frequency_{kInitialFrequency};
  std::atomic<double> amplitude_{kFullAmplitude};
  std::atomic<double> sampleRate_{kInitialSampleRate};
  std::atomic<double> theta_{0.0};
  TimerId fadeInTimer_ = 0;
  TimerId fadeOutTimer_ = 0;
  std::vector<TGPatternSegment> pattern_;
  std::uint64_t patternIndex_ = 0;
  TimerId patternTimer_ = 0;
  TimerId patternRestartTimer_ = 0;  // the zero-delay restart of a repeating pattern
  // Lets the session's interruption listener outlive the generator harmlessly.
  std::shared_ptr<ToneGenerator*> self_;
};

static_assert(std::atomic<double>::is_always_lock_free, "the render thread must not take a lock");

// Render thread: writes frameCount samples of amplitude * sin(theta) into the first buffer of
// ioData, advancing theta by frequency * 2pi / sampleRate per sample and wrapping it once past
// 2pi. Never blocks, allocates or logs. Returns 0.
int toneRenderCallback(void* inRefCon, std::uint32_t* ioActionFlags, const platform::AudioTimeStamp* inTimeStamp,
                       std::uint32_t inBusNumber, std::uint32_t inNumberFrames, platform::AudioBufferList* ioData);

// The audio session's interruption listener: stops the generator given as client data, at the
// start and at the end of an interruption alike. Main thread (the session delivers it there).
void toneInterruptionListener(void* inClientData, std::uint32_t inInterruptionState);

}  // namespace balalaika
