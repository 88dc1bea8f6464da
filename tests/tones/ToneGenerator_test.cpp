#include "tones/ToneGenerator.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <thread>

#include "fakes/FakeAudioOutput.h"
#include "fakes/FakeRunLoop.h"
#include "platform/AudioSession.h"

namespace balalaika {
namespace {

constexpr double kPi2 = ToneGenerator::kTwoPi;

// An audio session that accepts everything and lets the test fire the interruption listener it
// was given.
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

class ToneGeneratorTest : public ::testing::Test {
 protected:
  fakes::FakeAudioOutputComponent output;
  fakes::FakeRunLoop runLoop;
  ToneGenerator generator{output, nullptr, runLoop};

  // Expects the next samples to continue an ideal sine from phase theta0.
  void expectSine(const std::vector<float>& samples, double amplitude, double theta0, double hertz) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
      ASSERT_NEAR(samples[i], amplitude * std::sin(theta0 + i * hertz * kPi2 / 44100.0), 1e-5) << "frame " << i;
    }
  }
};

TEST_F(ToneGeneratorTest, WhenStartedThenOneUnitPlays5000HzAtPeak1_25RetunesWithoutAPhaseJumpAndRestartsInPhase) {
  generator.start();
  generator.start();  // already playing: nothing more
  EXPECT_TRUE(generator.isPlaying());
  expectSine(output.pull(200), 1.25, 0.0, 5000.0);
  double theta = generator.theta();
  generator.setFrequency(440.0);
  generator.setAmplitude(0.5);
  expectSine(output.pull(300), 0.5, theta, 440.0);
  EXPECT_EQ(output.instancesCreated, 1);

  theta = generator.theta();
  generator.stop();
  generator.stop();  // already stopped: nothing more
  EXPECT_EQ(output.unit(), nullptr);
  EXPECT_FALSE(generator.isPlaying());
  EXPECT_EQ(generator.amplitude(), 1.25) << "the amplitude is restored";
  generator.start();
  expectSine(output.pull(50), 1.25, theta, 440.0);
}

TEST_F(ToneGeneratorTest, ARenderRequestLargerThanItsBufferWritesOnlyWhatFits) {
  std::array<float, 8> samples;
  samples.fill(9.0f);
  platform::AudioBufferList list{1, {{1, 4 * sizeof(float), samples.data()}}};  // room for 4 of the 8 frames
  std::uint32_t flags = 0;
  EXPECT_EQ(toneRenderCallback(&generator, &flags, nullptr, 0, 8, &list), 0);
  EXPECT_NE(samples[3], 9.0f);
  EXPECT_EQ(samples[4], 9.0f);
  EXPECT_EQ(toneRenderCallback(&generator, &flags, nullptr, 0, 8, nullptr), 0);  // no buffers at all
}

// A fade's timer fires every duration / 50 seconds.
TEST_F(ToneGeneratorTest, GivenAFadeRunningWhenStoppedThenTheNextStartPlaysAtFullAmplitude) {
  for (bool fadeIn : {true, false}) {
    generator.start();
    fadeIn ? generator.startWithFadeInDuration(1.0) : generator.stopWithFadeOutDuration(1.0);
    runLoop.advance(0.5);
    generator.stop();
    EXPECT_EQ(runLoop.pendingCount(), 0u);
    generator.start();
    runLoop.advance(2.0);  // a fade left running would keep changing the new tone
    EXPECT_TRUE(generator.isPlaying()) << "fade in " << fadeIn;
    EXPECT_EQ(generator.amplitude(), 1.25) << "fade in " << fadeIn;
    generator.stop();
  }
}

// A fade-in from silence ends on the 51st firing, just above full amplitude.
TEST_F(ToneGeneratorTest, GivenAFadeInRunningWhenAnotherBeginsThenOnlyOneTimerRuns) {
  generator.startWithFadeInDuration(1.0);
  EXPECT_TRUE(generator.isPlaying() && generator.amplitude() == 0.0);
  runLoop.advance(0.5);
  generator.startWithFadeInDuration(1.0);
  EXPECT_EQ(runLoop.pendingCount(), 1u);
  for (int i = 0; i < 50; ++i) runLoop.advance(0.02);
  EXPECT_EQ(generator.amplitude(), 1.2499999999999996);
  runLoop.advance(0.02);
  EXPECT_FALSE(runLoop.isValid(generator.fadeInTimer()));
  runLoop.advance(1.0);
  EXPECT_EQ(generator.amplitude(), 1.2749999999999995);
}

TEST_F(ToneGeneratorTest, APatternRetunesOneToneAndStopsAfterItsLastSegmentOrStartsOverUntilStopped) {
  generator.playPattern({{440.0, 0.5}, {880.0, 0.25}}, false);
  EXPECT_EQ(generator.frequency(), 440.0);
  runLoop.advance(0.5);
  EXPECT_EQ(generator.frequency(), 880.0);
  EXPECT_TRUE(generator.isPlaying());
  runLoop.advance(0.25);
  EXPECT_FALSE(generator.isPlaying());
  EXPECT_EQ(runLoop.pendingCount(), 0u);

  generator.playPattern({{440.0, 0.5}, {880.0, 0.25}}, true);
  runLoop.advance(0.75);
  EXPECT_EQ(generator.frequency(), 440.0);
  runLoop.advance(0.5);
  EXPECT_EQ(generator.frequency(), 880.0);
  EXPECT_EQ(output.instancesCreated, 2) << "one continuous tone per pattern";

  generator.playPattern({{440.0, 0.5}}, true);
  generator.playPatternSegment();  // the last segment has ended: the restart is scheduled
  generator.stop();
  runLoop.advance(5.0);
  EXPECT_FALSE(generator.isPlaying());
  EXPECT_EQ(runLoop.pendingCount(), 0u);
}

TEST_F(ToneGeneratorTest, AnEmptyPatternStopsAtOnceWithOrWithoutRepeat) {
  for (bool repeat : {false, true}) {
    generator.start();
    generator.playPattern({}, repeat);
    EXPECT_FALSE(generator.isPlaying()) << "repeat " << repeat;
    EXPECT_EQ(runLoop.pendingCount(), 0u) << "repeat " << repeat;
  }
}

TEST(ToneGeneratorLifetime, AnInterruptionStopsTheToneAndADestroyedGeneratorLeavesNoUnitTimerOrListener) {
  fakes::FakeAudioOutputComponent output;
  RecordingAudioSession session;
  fakes::FakeRunLoop runLoop;
  {
    ToneGenerator generator(output, &session, runLoop);
    for (std::uint32_t state : {platform::kAudioSessionBeginInterruption, platform::kAudioSessionEndInterruption}) {
      generator.start();
      ASSERT_TRUE(session.interrupt(state));
      EXPECT_FALSE(generator.isPlaying());
    }
    generator.playPattern({{440.0, 1.0}}, true);
    generator.startWithFadeInDuration(1.0);
  }
  EXPECT_EQ(output.unit(), nullptr);
  EXPECT_EQ(runLoop.pendingCount(), 0u);
  EXPECT_TRUE(session.interrupt());  // reaches no generator
}

// The render thread pulls frames while the main thread retunes the tone: every sample stays
// within the largest amplitude ever set and the phase within one turn.
TEST_F(ToneGeneratorTest, GivenARenderThreadPullingWhenTheMainThreadRetunesThenSamplesStayBounded) {
  generator.start();
  fakes::FakeAudioOutputUnit* unit = output.unit();
  std::atomic<bool> done{false};
  std::atomic<long> requests{0};
  std::atomic<bool> outOfBounds{false};
  std::thread render([&] {
    while (!done.load()) {
      for (float s : unit->render(256)) {
        if (!(std::fabs(s) <= 1.25f)) outOfBounds = true;
      }
      ++requests;
    }
  });
  for (int i = 0; i < 20000; ++i) {
    generator.setFrequency(40.0 + (i % 100) * 10.0);
    generator.setAmplitude((i % 2 == 0) ? 1.25 : 0.25);
  }
  while (requests.load() < 100) std::this_thread::yield();
  done = true;
  render.join();
  EXPECT_FALSE(outOfBounds.load());
  EXPECT_GE(generator.theta(), 0.0);
  EXPECT_LE(generator.theta(), kPi2);
}

}  // namespace
}  // namespace balalaika
