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
};

TEST_F(ReferenceTonesTest, EachActionPlaysItsStringsReferenceToneInEveryTuning) {
  using Action = void (ViewController::*)();
  const Action actions[] = {&ViewController::playA440Hz, &ViewController::playE329_6, &ViewController::playThirdFreq};
  const struct {
    const char* note;  // nullptr: the action does nothing
    const char* label;
    double hertz;
  } tones[5][3] = {
      {{"A4", "440Hz", 440.0}, {"E4", "329.6Hz", 329.6}, {}},
      {{"D4", "293.6Hz", 293.6}, {"A3", "220Hz", 220.0}, {}},
      {{"A3", "220Hz", 220.0}, {"E3", "164.8Hz", 164.8}, {}},
      {{"D3", "146.8Hz", 146.8}, {"A2", "110.0Hz", 110.0}, {"E2", "82.4Hz", 82.4}},
      {{"D2", "73.4Hz", 73.4}, {"A1", "55Hz", 55.0}, {"E1", "41.2Hz", 41.2}},
  };
  for (int t = 1; t <= 5; ++t) {
    screen.selectTuning(t);
    for (int s = 1; s <= 3; ++s) {
      SCOPED_TRACE("tuning " + std::to_string(t) + " string " + std::to_string(s));
      const auto& e = tones[t - 1][s - 1];
      screen.controller.playA440Hz();  // a tone already playing
      (screen.controller.*actions[s - 1])();
      const bool plays = e.note != nullptr;
      EXPECT_EQ(screen.tfnoteDisplay.text, plays ? e.note : tuning::noteName(t, 1)->c_str());
      EXPECT_EQ(generator->frequency(), plays ? e.hertz : tuning::referenceTone(t, 1)->hertz);
      EXPECT_EQ(screen.tfFreqLabel.text, plays ? e.label : tuning::referenceTone(t, 1)->label);
      EXPECT_TRUE(generator->isPlaying());
    }
  }
  EXPECT_EQ(output.instancesCreated, 1);
}

TEST_F(ReferenceTonesTest, APlayingToneMovesToTheNextStringWithoutRestartOrPhaseJump) {
  screen.controller.playA440Hz();
  output.pull(1000);
  const double theta = generator->theta();
  screen.controller.playE329_6();
  EXPECT_EQ(output.instancesCreated, 1);
  const std::vector<float> next = output.pull(64);
  for (int i = 0; i < 64; ++i) {
    ASSERT_NEAR(next[i], 1.25 * std::sin(theta + i * 329.6 * 2.0 * std::numbers::pi / 44100.0), 1e-5);
  }
}

TEST_F(ReferenceTonesTest, StopEmptiesTheLabelsAndTearsDownOnlyAPlayingTone) {
  screen.tfnoteDisplay.text = "kept";
  screen.controller.stopFreqPlay();
  EXPECT_EQ(screen.tfnoteDisplay.text, "kept");

  screen.controller.playA440Hz();
  screen.controller.stopFreqPlay();
  EXPECT_EQ(screen.tfnoteDisplay.text + screen.tfFreqLabel.text, "");
  EXPECT_FALSE(generator->isPlaying());
  EXPECT_EQ(output.unit(), nullptr);
}

TEST(ReferenceTonesWithoutGenerator, PlayAndStopDoNothing) {
  testing::ScreenHarness screen;
  screen.controller.playA440Hz();
  screen.controller.stopFreqPlay();
  EXPECT_TRUE(screen.log.calls.empty());
}

}  // namespace
}  // namespace balalaika
