#include "tones/ToneGenerator.h"

#include "platform/OutputStreamFormat.h"

#include <algorithm>
#include <cmath>

namespace balalaika {

using platform::AudioBufferList;
using platform::AudioTimeStamp;

ToneGenerator::ToneGenerator(platform::AudioOutputComponent& component, platform::AudioSession* session,
                             platform::RunLoop& runLoop)
    : component_(component), session_(session), runLoop_(runLoop), self_(std::make_shared<ToneGenerator*>(this)) {
  if (session_ == nullptr) return;
  // The session may hold its listener longer than this generator lives.
  std::weak_ptr<ToneGenerator*> weakSelf = self_;
  const int status = session_->initialize([weakSelf](std::uint32_t state) {
    if (auto self = weakSelf.lock()) toneInterruptionListener(*self, state);
  });
  if (status == 0) session_->setAudioCategoryProperty(platform::kAudioSessionCategory_MediaPlayback);
  session_->setActiveC(true);
}

ToneGenerator::~ToneGenerator() {
  self_.reset();
  stop();
}

void ToneGenerator::cancelTimer(TimerId& timer) {
  if (timer != 0) runLoop_.invalidate(timer);
}

platform::AudioStreamBasicDescription ToneGenerator::streamFormat(double sampleRate) {
  return platform::floatMonoFormat(sampleRate);
}

platform::AudioComponentDescription ToneGenerator::outputUnitDescription() {
  platform::AudioComponentDescription description;
  description.componentType = platform::kAudioUnitType_Output;
  description.componentSubType = platform::kAudioUnitSubType_RemoteIO;
  description.componentManufacturer = platform::kAudioUnitManufacturer_Apple;
  description.componentFlags = 0;
  description.componentFlagsMask = 0;
  return description;
}

void ToneGenerator::createToneUnit() {
  toneUnit_ = component_.newInstance(outputUnitDescription());
  if (!toneUnit_) return;
  toneUnit_->setRenderCallback(&toneRenderCallback, this);
  toneUnit_->setStreamFormat(streamFormat(sampleRate()));
}

void ToneGenerator::start() {
  if (toneUnit_) return;
  createToneUnit();
  if (toneUnit_) {
    toneUnit_->initialize();
    toneUnit_->start();
  }
  // Set even when no unit could be created: nothing examines the platform's answers.
  isPlaying_ = true;
}

void ToneGenerator::stop() {
  // The timer properties keep their ids; invalidating a fired timer is harmless.
  cancelTimer(patternTimer_);
  cancelTimer(patternRestartTimer_);
  // A fade still running would otherwise keep changing the amplitude of the next tone.
  cancelTimer(fadeInTimer_);
  cancelTimer(fadeOutTimer_);
  if (!toneUnit_) return;
  toneUnit_->stop();
  toneUnit_->uninitialize();
  toneUnit_.reset();  // disposes of the unit: the render callback is not called any more
  setAmplitude(kFullAmplitude);
  isPlaying_ = false;
}

void ToneGenerator::startWithFadeInDuration(double seconds) {
  if (seconds == 0.0) {
    start();
    return;
  }
  cancelTimer(fadeInTimer_);
  cancelTimer(fadeOutTimer_);
  setAmplitude(0.0);
  start();
  const double step = kFadeInStep;
  fadeInTimer_ = runLoop_.scheduleRepeating(seconds / kFadeSteps, [this, step] { increaseAmplitude(step); });
}

void ToneGenerator::increaseAmplitude(double step) {
  setAmplitude(amplitude() + step);
  // Fifty steps of 0.025 add up to just under 1.25 in double arithmetic: the fade ends on
  // the 51st firing, slightly above full amplitude.
  if (amplitude() >= kFullAmplitude) cancelTimer(fadeInTimer_);
}

void ToneGenerator::stopWithFadeOutDuration(double seconds) {
  if (seconds == 0.0) {
    stop();
    return;
  }
  cancelTimer(fadeInTimer_);
  cancelTimer(fadeOutTimer_);
  const double step = amplitude() / kFadeSteps;
  fadeOutTimer_ = runLoop_.scheduleRepeating(seconds / kFadeSteps, [this, step] { reduceAmplitude(step); });
}

void ToneGenerator::reduceAmplitude(double step) {
  setAmplitude(amplitude() - step);
  if (amplitude() <= 0.0) {
    cancelTimer(fadeOutTimer_);
    stop();
  }
}

void ToneGenerator::playPattern(std::vector<TGPatternSegment> segments, bool repeat) {
  // Only one pattern plays at a time: the timers of an earlier one would advance this one.
  cancelTimer(patternTimer_);
  cancelTimer(patternRestartTimer_);
  pattern_ = std::move(segments);
  patternIndex_ = 0;
  patternShouldRepeat_ = repeat;
  playPatternSegment();
}

void ToneGenerator::playPatternSegment() {
  if (patternIndex_ < pattern_.size()) {
    const TGPatternSegment segment = pattern_[patternIndex_];
    setFrequency(segment.frequency());
    if (!isPlaying_) start();
    ++patternIndex_;
    patternTimer_ = runLoop_.scheduleOnce(segment.duration(), [this] { playPatternSegment(); });
    return;
  }
  // An empty pattern has nothing to repeat: restarting it would reschedule itself forever.
  if (patternShouldRepeat_ && !pattern_.empty()) {
    patternIndex_ = 0;
    patternRestartTimer_ = runLoop_.scheduleOnce(0.0, [this] { playPatternSegment(); });
  } else {
    stop();
  }
}

void ToneGenerator::cleanup() {
  if (session_ != nullptr) session_->setActiveC(false);
}

int toneRenderCallback(void* inRefCon, std::uint32_t* /*ioActionFlags*/, const AudioTimeStamp* /*inTimeStamp*/,
                       std::uint32_t /*inBusNumber*/, std::uint32_t inNumberFrames, AudioBufferList* ioData) {
  auto* generator = static_cast<ToneGenerator*>(inRefCon);
  constexpr auto relaxed = std::memory_order_relaxed;
  const double amplitude = generator->amplitude_.load(relaxed);
  double theta = generator->theta_.load(relaxed);
  const double frequency = generator->frequency_.load(relaxed);
  const double sampleRate = generator->sampleRate_.load(relaxed);

  if (inNumberFrames > 0) {
    const double delta = frequency * ToneGenerator::kTwoPi / sampleRate;
    // Mono, non-interleaved: only the first buffer is written, and never past its end.
    float* out = nullptr;
    std::uint32_t frames = 0;
    if (ioData != nullptr && ioData->mNumberBuffers > 0 && ioData->mBuffers[0].mData != nullptr) {
      out = static_cast<float*>(ioData->mBuffers[0].mData);
      frames = std::min<std::uint32_t>(inNumberFrames, ioData->mBuffers[0].mDataByteSize / sizeof(float));
    }
    for (std::uint32_t i = 0; i < frames; ++i) {
      out[i] = static_cast<float>(amplitude * std::sin(theta));
      theta += delta;
      if (theta > ToneGenerator::kTwoPi) theta -= ToneGenerator::kTwoPi;
    }
  }
  generator->theta_.store(theta, relaxed);
  return 0;
}

void toneInterruptionListener(void* inClientData, std::uint32_t /*inInterruptionState*/) {
  static_cast<ToneGenerator*>(inClientData)->stop();
}

}  // namespace balalaika
