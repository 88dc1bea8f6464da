#include "tones/ToneGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "fakes/FakeAudioOutput.h"
#include "fakes/FakeRunLoop.h"
#include "fakes/RecordingAudioSession.h"

namespace balalaika {
namespace {

using Calls = std::vector<std::string>;
constexpr double kPi2 = 2.0 * 3.14159265358979323846;

class ToneGeneratorTest : public ::testing::Test {
 protected:
  fakes::FakeAudioOutputComponent output;
  fakes::RecordingAudioSession session;
  fakes::FakeRunLoop runLoop;
  ToneGenerator generator{output, &session, runLoop};

  // Samples of an ideal sine continuing from phase theta0, for comparison.
  static float ideal(double amplitude, double theta0, double hertz, int frame) {
    return static_cast<float>(amplitude * std::sin(theta0 + frame * hertz * kPi2 / 44100.0));
  }
  static float peak(const std::vector<float>& samples) {
    float p = 0.0f;
    for (float s : samples) p = std::max(p, std::fabs(s));
    return p;
  }
  static int risingZeroCrossings(const std::vector<float>& samples) {
    int n = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) n += (samples[i - 1] < 0.0f && samples[i] >= 0.0f) ? 1 : 0;
    return n;
  }
};

TEST_F(ToneGeneratorTest, GivenANewGeneratorWhenStartedThenItPlays5000HzAtPeak1_25) {
  generator.start();
  ASSERT_TRUE(generator.isPlaying());
  const std::vector<float> second = output.pull(44100);
  ASSERT_EQ(second.size(), 44100u);
  EXPECT_NEAR(peak(second), 1.25f, 1e-3f);
  EXPECT_NEAR(risingZeroCrossings(second), 5000, 1);
  for (int i = 0; i < 200; ++i) ASSERT_NEAR(second[i], ideal(1.25, 0.0, 5000.0, i), 1e-5f) << "frame " << i;
  EXPECT_EQ(output.unit()->lastRenderStatus(), 0);
}

TEST_F(ToneGeneratorTest, WhenStartedThenItAsksForOneRemoteIoUnitWithMonoFloatAt44100) {
  generator.start();
  generator.start();  // already playing: nothing more
  EXPECT_EQ(output.calls, (Calls{"new", "setRenderCallback", "setStreamFormat", "initialize", "start"}));
  ASSERT_EQ(output.descriptions.size(), 1u);
  const auto& d = output.descriptions[0];
  EXPECT_EQ((std::array{d.componentType, d.componentSubType, d.componentManufacturer, d.componentFlags,
                        d.componentFlagsMask}),
            (std::array{platform::kAudioUnitType_Output, platform::kAudioUnitSubType_RemoteIO,
                        platform::kAudioUnitManufacturer_Apple, 0u, 0u}));
  const platform::AudioStreamBasicDescription monoFloat{44100.0, platform::kAudioFormatLinearPCM, 41, 4, 1, 4, 1, 32, 0};
  EXPECT_EQ(output.unit()->streamFormat(), monoFloat);
  EXPECT_EQ(output.unit()->refCon(), &generator);
}

TEST_F(ToneGeneratorTest, GivenAPlayingToneWhenFrequencyOrAmplitudeChangeThenThePhaseContinuesOnTheSameUnit) {
  generator.start();
  output.pull(100);
  const double theta = generator.theta();
  const Calls before = output.calls;
  generator.setFrequency(440.0);
  const std::vector<float> next = output.pull(300);
  EXPECT_EQ(output.calls, before);  // no restart
  for (int i = 0; i < 300; ++i) ASSERT_NEAR(next[i], ideal(1.25, theta, 440.0, i), 1e-5f) << "frame " << i;
  generator.setAmplitude(0.5);
  EXPECT_NEAR(peak(output.pull(4410)), 0.5f, 1e-3f);
}

TEST_F(ToneGeneratorTest, ThePhaseStaysWithinOneTurnAndAnEmptyRequestKeepsIt) {
  generator.start();
  generator.setTheta(6.283);
  output.pull(1);
  EXPECT_NEAR(generator.theta(), 6.283 + 5000.0 * kPi2 / 44100.0 - kPi2, 1e-12);
  const double theta = generator.theta();
  output.pull(0);
  EXPECT_EQ(generator.theta(), theta);
  output.pull(44100);
  EXPECT_GE(generator.theta(), 0.0);
  EXPECT_LE(generator.theta(), kPi2);
}

TEST_F(ToneGeneratorTest, GivenAPlayingToneWhenStoppedThenTheAmplitudeIsRestoredAndTheNextStartContinuesThePhase) {
  generator.setFrequency(440.0);
  generator.start();
  generator.setAmplitude(0.3);
  output.pull(123);
  const double theta = generator.theta();
  output.calls.clear();

  generator.stop();
  generator.stop();  // already stopped: nothing more
  EXPECT_EQ(output.calls, (Calls{"stop", "uninitialize", "dispose"}));
  EXPECT_FALSE(generator.isPlaying());
  EXPECT_EQ(generator.toneUnit(), nullptr);
  EXPECT_EQ(generator.amplitude(), 1.25);
  EXPECT_EQ(generator.frequency(), 440.0);
  EXPECT_EQ(generator.theta(), theta);

  generator.start();
  EXPECT_EQ(output.instancesCreated, 2);
  const std::vector<float> resumed = output.pull(50);
  for (int i = 0; i < 50; ++i) ASSERT_NEAR(resumed[i], ideal(1.25, theta, 440.0, i), 1e-5f);
}

TEST_F(ToneGeneratorTest, GivenNoMatchingComponentWhenStartedThenItCountsAsPlayingWithoutAUnit) {
  output.matchesNothing = true;
  generator.start();
  EXPECT_TRUE(generator.isPlaying());
  EXPECT_EQ(generator.toneUnit(), nullptr);
  EXPECT_TRUE(output.calls.empty());
}

TEST_F(ToneGeneratorTest, GivenAGeneratorBeingDestroyedWhilePlayingThenItsUnitAndTimersAreGone) {
  {
    ToneGenerator local(output, nullptr, runLoop);
    local.playPattern({{440.0, 1.0}}, true);
    local.startWithFadeInDuration(1.0);
  }
  EXPECT_EQ(output.unit(), nullptr);
  EXPECT_EQ(output.calls.back(), "dispose");
  EXPECT_EQ(runLoop.pendingCount(), 0u);
}

// --- Audio session ---

TEST(ToneGeneratorSession, WhenCreatedThenTheSessionIsInitialisedSetToMediaPlaybackOnlyOnSuccessAndActivated) {
  for (int status : {0, -50}) {
    fakes::FakeAudioOutputComponent output;
    fakes::RecordingAudioSession session;
    session.initializeStatus = status;
    fakes::FakeRunLoop runLoop;
    ToneGenerator generator(output, &session, runLoop);
    const Calls expected = status == 0 ? Calls{"initialize", "setAudioCategoryProperty 1835361385", "setActiveC true"}
                                       : Calls{"initialize", "setActiveC true"};
    EXPECT_EQ(session.calls, expected);
    EXPECT_EQ((std::array{generator.frequency(), generator.amplitude(), generator.sampleRate(), generator.theta()}),
              (std::array{5000.0, 1.25, 44100.0, 0.0}));
    EXPECT_FALSE(generator.isPlaying());
  }
}

TEST(ToneGeneratorSession, WhenAnInterruptionBeginsOrEndsThenTheToneStops) {
  fakes::FakeAudioOutputComponent output;
  fakes::RecordingAudioSession session;
  fakes::FakeRunLoop runLoop;
  ToneGenerator generator(output, &session, runLoop);
  for (std::uint32_t state : {platform::kAudioSessionBeginInterruption, platform::kAudioSessionEndInterruption}) {
    generator.start();
    ASSERT_TRUE(session.interrupt(state));
    EXPECT_FALSE(generator.isPlaying());
    EXPECT_EQ(output.unit(), nullptr);
  }
}

TEST(ToneGeneratorSession, GivenTheGeneratorIsGoneWhenTheSessionIsInterruptedThenNothingHappens) {
  fakes::FakeAudioOutputComponent output;
  fakes::RecordingAudioSession session;
  fakes::FakeRunLoop runLoop;
  { ToneGenerator generator(output, &session, runLoop); }
  EXPECT_TRUE(session.interrupt());
}

TEST(ToneGeneratorSession, WhenCleanedUpThenTheSessionIsDeactivated) {
  fakes::FakeAudioOutputComponent output;
  fakes::RecordingAudioSession session;
  fakes::FakeRunLoop runLoop;
  ToneGenerator generator(output, &session, runLoop);
  generator.cleanup();
  EXPECT_EQ(session.calls.back(), "setActiveC false");
  ToneGenerator withoutSession(output, nullptr, runLoop);
  withoutSession.cleanup();  // nothing to deactivate
}

}  // namespace
}  // namespace balalaika
