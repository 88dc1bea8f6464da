#include <gtest/gtest.h>

#include "fakes/FakeAudioOutput.h"
#include "fakes/FakeRunLoop.h"
#include "tones/ToneGenerator.h"

namespace balalaika {
namespace {

class ToneGeneratorTimersTest : public ::testing::Test {
 protected:
  fakes::FakeAudioOutputComponent output;
  fakes::FakeRunLoop runLoop;
  ToneGenerator generator{output, nullptr, runLoop};
};

// A fade's timer fires every duration / 50 seconds.
TEST_F(ToneGeneratorTimersTest, GivenAFadeRunningWhenStoppedThenTheNextStartPlaysAtFullAmplitude) {
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
TEST_F(ToneGeneratorTimersTest, GivenAFadeInRunningWhenAnotherBeginsThenOnlyOneTimerRuns) {
  generator.startWithFadeInDuration(1.0);
  EXPECT_TRUE(generator.isPlaying() && generator.amplitude() == 0.0);
  runLoop.advance(0.5);
  generator.startWithFadeInDuration(1.0);
  EXPECT_EQ(runLoop.pendingIntervals(), std::vector<double>{0.02});
  for (int i = 0; i < 50; ++i) runLoop.advance(0.02);
  EXPECT_EQ(generator.amplitude(), 1.2499999999999996);
  runLoop.advance(0.02);
  EXPECT_FALSE(runLoop.isValid(generator.fadeInTimer()));
  runLoop.advance(1.0);
  EXPECT_EQ(generator.amplitude(), 1.2749999999999995);
}

TEST_F(ToneGeneratorTimersTest, APatternRetunesOneToneAndStopsAfterItsLastSegmentOrStartsOverUntilStopped) {
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

TEST_F(ToneGeneratorTimersTest, AnEmptyPatternStopsAtOnceWithOrWithoutRepeat) {
  for (bool repeat : {false, true}) {
    generator.start();
    generator.playPattern({}, repeat);
    EXPECT_FALSE(generator.isPlaying()) << "repeat " << repeat;
    EXPECT_EQ(runLoop.pendingCount(), 0u) << "repeat " << repeat;
  }
}

}  // namespace
}  // namespace balalaika
