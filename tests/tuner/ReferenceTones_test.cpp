#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "fakes/FakeAudioOutput.h"
#include "support/ScreenHarness.h"
#include "tones/ToneGenerator.h"

namespace balalaika {
namespace {

class ReferenceTonesTest : public ::testing::Test {
 protected:
  fakes::FakeAudioOutputComponent output;  // outlives the generator the screen owns
  testing::ScreenHarness screen;
  ToneGenerator* generator = nullptr;

  void SetUp() override {
    screen.controller.setGenerator(std::make_unique<ToneGenerator>(output, nullptr, screen.runLoop));
    generator = screen.controller.generator();
  }
  void play(int stringIndex) {
    switch (stringIndex) {
      case 1:
        screen.controller.playA440Hz();
        break;
      case 2:
        screen.controller.playE329_6();
        break;
      default:
        screen.controller.playThirdFreq();
        break;
    }
  }
};

struct Expected {
  tuning::TuningIndex tuning;
  int string;
  const char* note;  // nullptr: the action does nothing
  const char* label;
  double hertz;
};

TEST_F(ReferenceTonesTest, EachActionPlaysItsStringsReferenceToneInEveryTuning) {
  const Expected cases[] = {
      {1, 1, "A4", "440Hz", 440.0},    {1, 2, "E4", "329.6Hz", 329.6},  {1, 3, nullptr, nullptr, 0},
      {2, 1, "D4", "293.6Hz", 293.6},  {2, 2, "A3", "220Hz", 220.0},    {2, 3, nullptr, nullptr, 0},
      {3, 1, "A3", "220Hz", 220.0},    {3, 2, "E3", "164.8Hz", 164.8},  {3, 3, nullptr, nullptr, 0},
      {4, 1, "D3", "146.8Hz", 146.8},  {4, 2, "A2", "110.0Hz", 110.0},  {4, 3, "E2", "82.4Hz", 82.4},
      {5, 1, "D2", "73.4Hz", 73.4},    {5, 2, "A1", "55Hz", 55.0},      {5, 3, "E1", "41.2Hz", 41.2},
  };
  for (const Expected& e : cases) {
    SCOPED_TRACE("tuning " + std::to_string(e.tuning) + " string " + std::to_string(e.string));
    screen.controller.stopFreqPlay();
    screen.tfnoteDisplay.text = "before";
    screen.tfFreqLabel.text = "before";
    screen.selectTuning(e.tuning);
    play(e.string);
    if (e.note == nullptr) {
      EXPECT_EQ(screen.tfnoteDisplay.text, "before");
      EXPECT_EQ(screen.tfFreqLabel.text, "before");
      EXPECT_FALSE(generator->isPlaying());
    } else {
      EXPECT_EQ(screen.tfnoteDisplay.text, e.note);
      EXPECT_EQ(screen.tfFreqLabel.text, e.label);
      EXPECT_EQ(generator->frequency(), e.hertz);
      EXPECT_TRUE(generator->isPlaying());
    }
  }
}

TEST_F(ReferenceTonesTest, APlayingToneMovesToTheNextStringWithoutRestartOrPhaseJump) {
  screen.controller.playA440Hz();
  output.pull(1000);
  const double theta = generator->theta();
  screen.controller.playE329_6();
  EXPECT_EQ(screen.tfnoteDisplay.text, "E4");
  EXPECT_EQ(screen.tfFreqLabel.text, "329.6Hz");
  EXPECT_EQ(output.instancesCreated, 1);
  const std::vector<float> next = output.pull(64);
  for (int i = 0; i < 64; ++i) {
    ASSERT_NEAR(next[i], 1.25 * std::sin(theta + i * 329.6 * 2.0 * std::numbers::pi / 44100.0), 1e-5);
  }
}

TEST_F(ReferenceTonesTest, TheThirdStringInTheFirstTuningsChangesNothingWhileATonePlays) {
  screen.controller.playA440Hz();
  screen.controller.playThirdFreq();
  EXPECT_EQ(screen.tfnoteDisplay.text, "A4");
  EXPECT_EQ(generator->frequency(), 440.0);
  EXPECT_TRUE(generator->isPlaying());
}

TEST_F(ReferenceTonesTest, StopEmptiesTheLabelsAndSilencesOnlyAPlayingTone) {
  screen.tfnoteDisplay.text = "kept";
  screen.controller.stopFreqPlay();
  EXPECT_EQ(screen.tfnoteDisplay.text, "kept");

  screen.controller.playA440Hz();
  screen.controller.stopFreqPlay();
  EXPECT_EQ(screen.tfnoteDisplay.text, "");
  EXPECT_EQ(screen.tfFreqLabel.text, "");
  EXPECT_FALSE(generator->isPlaying());
  EXPECT_EQ(output.unit(), nullptr);
}

TEST_F(ReferenceTonesTest, ChangingTheTuningKeepsTheToneAndALaterPlayUsesTheNewTuning) {
  screen.controller.playE329_6();
  screen.controller.showNextTuning();
  EXPECT_TRUE(generator->isPlaying());
  EXPECT_EQ(generator->frequency(), 329.6);
  EXPECT_EQ(screen.tfnoteDisplay.text, "E4");
  screen.controller.playE329_6();
  EXPECT_EQ(generator->frequency(), 220.0);
  EXPECT_EQ(screen.tfnoteDisplay.text, "A3");
}

TEST_F(ReferenceTonesTest, TheTickKeepsMeasuringWhileATonePlaysAndNeitherSideWritesTheOthersLabels) {
  screen.controller.playA440Hz();
  screen.tick(testing::kLoud, 329.6f);
  EXPECT_EQ(screen.noteDisplay.text, "E4");
  EXPECT_EQ(screen.tfnoteDisplay.text, "A4");
  screen.controller.stopFreqPlay();
  EXPECT_EQ(screen.noteDisplay.text, "E4");
}

TEST(ReferenceTonesWithoutGenerator, PlayAndStopDoNothing) {
  testing::ScreenHarness screen;
  screen.controller.playA440Hz();
  screen.controller.stopFreqPlay();
  EXPECT_TRUE(screen.log.calls.empty());
}

}  // namespace
}  // namespace balalaika
