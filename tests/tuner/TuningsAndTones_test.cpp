#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "fakes/FakeAudioOutput.h"
#include "support/ScreenHarness.h"
#include "tones/ToneGenerator.h"

namespace balalaika {
namespace {

// A screen with a tone generator on a fake speaker.
class TuningsAndTonesTest : public ::testing::Test {
 protected:
  fakes::FakeAudioOutputComponent output;  // outlives the generator the screen owns
  testing::ScreenHarness screen;
  ToneGenerator* generator = nullptr;

  void SetUp() override {
    screen.controller.setGenerator(std::make_unique<ToneGenerator>(output, nullptr, screen.runLoop));
    generator = screen.controller.generator();
  }
};

struct Tone {
  const char* label;  // nullptr: string 3 shares string 2's pitch and has no button or tone
  double hertz;
};

struct TuningView {
  const char* title;
  const char* notes[3];
  Tone tones[3];
};

const TuningView kViews[] = {
    {"TuningFreeTitle", {"A4", "E4", "E4"}, {{"440Hz", 440.0}, {"329.6Hz", 329.6}, {}}},
    {"TuningFreeTitle2", {"D4", "A3", "A3"}, {{"293.6Hz", 293.6}, {"220Hz", 220.0}, {}}},
    {"TuningFreeTitle3", {"A3", "E3", "E3"}, {{"220Hz", 220.0}, {"164.8Hz", 164.8}, {}}},
    {"TuningFreeTitle4", {"D3", "A2", "E2"}, {{"146.8Hz", 146.8}, {"110.0Hz", 110.0}, {"82.4Hz", 82.4}}},
    {"TuningFreeTitle5", {"D2", "A1", "E1"}, {{"73.4Hz", 73.4}, {"55Hz", 55.0}, {"41.2Hz", 41.2}}},
};

// The screen shows tuning t's notes, buttons and title, and each action plays its string's tone
// on the tone already playing; string 3 of tunings 1-3 changes nothing.
void expectTuning(testing::ScreenHarness& s, ToneGenerator& generator, int t) {
  SCOPED_TRACE("tuning " + std::to_string(t));
  const TuningView& v = kViews[t - 1];
  EXPECT_EQ(tuning::currentTuning(), t);
  EXPECT_EQ(s.currentTuningName.text, v.title);
  EXPECT_EQ(s.firstString.text + s.secondString.text + s.thirdString.text,
            std::string(v.notes[0]) + v.notes[1] + v.notes[2]);
  EXPECT_EQ(s.firstFreqButton.title + s.secondFreqButton.title, std::string(v.notes[0]) + v.notes[1]);
  EXPECT_EQ(s.thirdFreqButton.hidden, v.tones[2].label == nullptr);
  if (v.tones[2].label != nullptr) {
    EXPECT_EQ(s.thirdFreqButton.title, v.notes[2]);
  }
  EXPECT_EQ(s.showPreviousTuningButton.hidden, t == 1);
  EXPECT_EQ(s.showNextTuningButton.hidden, t == 5);

  using Action = void (ViewController::*)();
  const Action actions[] = {&ViewController::playA440Hz, &ViewController::playE329_6, &ViewController::playThirdFreq};
  for (int i = 0; i < 3; ++i) {
    s.controller.playA440Hz();
    (s.controller.*actions[i])();
    const int played = v.tones[i].label != nullptr ? i : 0;
    EXPECT_EQ(s.tfnoteDisplay.text, v.notes[played]) << "string " << i + 1;
    EXPECT_EQ(s.tfFreqLabel.text, v.tones[played].label) << "string " << i + 1;
    EXPECT_EQ(generator.frequency(), v.tones[played].hertz) << "string " << i + 1;
    EXPECT_TRUE(generator.isPlaying());
  }
}

TEST_F(TuningsAndTonesTest, SteppingThroughAllFiveTuningsAndBackShowsEachTuningAndPlaysItsReferenceTones) {
  screen.controller.displayTunings();
  expectTuning(screen, *generator, 1);
  for (int t = 2; t <= 5; ++t) {
    screen.controller.showNextTuning();
    expectTuning(screen, *generator, t);
  }
  for (int t = 4; t >= 1; --t) {
    screen.controller.showPreviousTuning();
    expectTuning(screen, *generator, t);
  }
  EXPECT_EQ(output.instancesCreated, 1) << "one tone throughout, retuned";

  // Below tuning 1 (the screen hides that way out) only the about texts are set.
  screen.controller.showPreviousTuning();
  screen.log.clear();
  screen.controller.displayTunings();
  screen.controller.displayNotes();
  EXPECT_EQ(screen.log.calls, (std::vector<std::string>{"aboutCongratsMessage.setText(TunerAboutCongratsMessage)",
                                                        "aboutMsg2.setText(TunerAboutMsg2)"}));
  screen.controller.showNextTuning();
  expectTuning(screen, *generator, 1);
}

TEST_F(TuningsAndTonesTest, APlayingToneMovesToTheNextStringWithoutRestartOrPhaseJump) {
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

TEST_F(TuningsAndTonesTest, StopEmptiesTheToneLabelsAndTearsDownOnlyAPlayingTone) {
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
