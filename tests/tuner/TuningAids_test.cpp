#include <gtest/gtest.h>

#include <cmath>

#include "fakes/FakeAudioOutput.h"
#include "support/ScreenHarness.h"
#include "tones/ToneGenerator.h"
#include "tuner/ConcertPitch.h"

namespace balalaika {
namespace {

using testing::kLoud;
using testing::kSilent;

// The tuner screen with the aids' elements, in English texts that carry their values.
class TuningAidsTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;
  fakes::RecordingLabel concertPitchLabel, lockLabel, aidMessage, centsLabel;
  fakes::RecordingButton unisonButton;
  fakes::RecordingUnisonView unisonGap;
  ViewController& controller = screen.controller;

  TuningAidsTest() {
    ViewControllerOutlets& o = controller.outlets();
    o.concertPitchLabel = &concertPitchLabel;
    o.lockLabel = &lockLabel;
    o.aidMessage = &aidMessage;
    o.unisonButton = &unisonButton;
    o.unisonGap = &unisonGap;
    o.centsLabel = &centsLabel;
    for (const auto& [key, text] : std::initializer_list<std::pair<const char*, const char*>>{
             {"ConcertPitchLabel", "A4 = %@ Hz"}, {"LockedString", "Locked: %@"}, {"HeardA", "A4 set to %@ Hz"},
             {"UnisonGap", "%@ c apart"}, {"UnisonBeats", "%@ beats/s"}, {"UnisonInUnison", "in unison"}}) {
      screen.bundle.texts[{"", key}] = text;
    }
  }
  // A tick whose precise reading (the refined one) is hertz.
  void tick(float power, double hertz) {
    screen.pitch.refined = hertz;
    screen.tick(power, static_cast<float>(hertz));
  }
};

TEST_F(TuningAidsTest, ConcertPitchStepsAreShownStoredAndReadBackAndMoveTheWindows) {
  controller.loadTuningAids();
  EXPECT_EQ(concertPitchLabel.text, "A4 = 440 Hz");
  for (int i = 0; i < 6; ++i) controller.stepConcertPitch(+1);
  EXPECT_EQ(concertPitchLabel.text, "A4 = 443 Hz");
  EXPECT_EQ(screen.defaults.doubleForKey(concert::kSettingsKey), 443.0);
  tick(kLoud, 440.0);
  EXPECT_EQ(screen.noteDisplay.text, "") << "440 Hz is 12 c flat of A4 = 443";
  tick(kLoud, 443.0);
  EXPECT_EQ(screen.noteDisplay.text, "A4");

  // A sounding reference tone moves with it; its text too.
  fakes::FakeAudioOutputComponent speaker;
  fakes::RecordingLabel toneText;
  controller.outlets().tfFreqLabel = &toneText;
  controller.setGenerator(std::make_unique<ToneGenerator>(speaker, nullptr, screen.runLoop));
  controller.playE329_6();
  EXPECT_EQ(toneText.text, "331.8Hz");
  controller.stepConcertPitch(-6);
  EXPECT_EQ(toneText.text, "329.6Hz");
  EXPECT_EQ(controller.generator()->frequency(), 329.6);
  controller.stopFreqPlay();
  controller.stepConcertPitch(+1);
  EXPECT_FALSE(controller.generator()->isPlaying()) << "a stopped tone stays stopped";

  // The next launch reads the stored pitch; a hand-edited value out of range reads as 440.
  screen.defaults.setDouble(concert::kSettingsKey, 443.5);
  controller.loadTuningAids();
  EXPECT_EQ(controller.concertPitch(), 443.5);
  screen.defaults.setDouble(concert::kSettingsKey, 1e9);
  controller.loadTuningAids();
  EXPECT_EQ(controller.concertPitch(), 440.0);
}

TEST_F(TuningAidsTest, AHeardSteadyASetsAndStoresConcertPitchAndAnythingElseLeavesItSayingWhy) {
  controller.listenForA();
  controller.showNextTuning();  // concert pitch is every tuning's: listening goes on
  EXPECT_EQ(aidMessage.text, "ListeningForA");
  tick(kSilent, 0.0);
  for (int i = 0; i < concert::HeardA::kReadingsNeeded; ++i) tick(kLoud, 221.52);  // A3 at 443.04
  EXPECT_EQ(controller.concertPitch(), 443.0);
  EXPECT_EQ(screen.defaults.doubleForKey(concert::kSettingsKey), 443.0);
  EXPECT_EQ(aidMessage.text, "A4 set to 443 Hz");
  EXPECT_EQ(concertPitchLabel.text, "A4 = 443 Hz");

  controller.listenForA();
  for (int i = 0; i < concert::HeardA::kListenTicks; ++i) tick(kLoud, 329.6);  // an E
  EXPECT_EQ(aidMessage.text, "NoSteadyA");
  EXPECT_EQ(controller.concertPitch(), 443.0);
}

TEST_F(TuningAidsTest, ATapLocksTheMeterToAStringASecondTapOrAnotherTuningReleasesIt) {
  screen.selectTuning(5);
  controller.toggleLock(3);
  EXPECT_EQ(lockLabel.text, "Locked: E1");
  const double b2 = 3.0 * 41.2034;  // the default estimate's reading of a low E1
  tick(kLoud, b2);
  EXPECT_EQ(screen.noteDisplay.text, "") << "the note text keeps its own rule";
  EXPECT_NE(screen.LEDDisplay.imageName(), "green64.png");
  EXPECT_EQ(centsLabel.text, "0.0 \u00a2") << "the meter reads the twelfth as E1 itself";
  controller.toggleLock(3);
  tick(kLoud, b2);
  EXPECT_EQ(centsLabel.text, "CentsFarSharp");
  EXPECT_EQ(lockLabel.text, "");
  controller.toggleLock(2);
  EXPECT_EQ(lockLabel.text, "Locked: A1");
  controller.showPreviousTuning();
  EXPECT_EQ(controller.lockedString(), std::nullopt);
  EXPECT_EQ(lockLabel.text, "");
  controller.toggleLock(4);  // no such string
  EXPECT_EQ(controller.lockedString(), std::nullopt);
}

TEST_F(TuningAidsTest, TheUnisonCheckAsksForString2ThenString3AndShowsTheGap) {
  controller.loadTuningAids();
  EXPECT_FALSE(unisonButton.hidden);
  EXPECT_EQ(unisonButton.title, "UnisonCheck");
  controller.toggleUnisonCheck();
  EXPECT_EQ(aidMessage.text, "UnisonPluckString2");
  EXPECT_EQ(unisonButton.title, "UnisonCancel");
  const auto pluck = [&](double hertz) {
    for (int i = 0; i < 8; ++i) tick(kLoud, hertz);
    tick(kSilent, 0.0);
  };
  pluck(329.63);
  EXPECT_EQ(aidMessage.text, "UnisonPluckString3");
  pluck(329.63 * std::exp2(0.5 / 1200.0));
  EXPECT_EQ(aidMessage.text, "+0.5 c apart, 0.1 beats/s · in unison");
  ASSERT_TRUE(unisonGap.gap);
  EXPECT_NEAR(unisonGap.gap->cents, 0.5, 1e-9);
  EXPECT_EQ(unisonButton.title, "UnisonCheck");

  // The bass has no unison pair: no button, and the action does nothing.
  screen.selectTuning(3);
  controller.showNextTuning();
  EXPECT_TRUE(unisonButton.hidden);
  EXPECT_FALSE(unisonGap.gap) << "a change of tuning clears the result";
  controller.toggleUnisonCheck();
  EXPECT_EQ(controller.unisonStage(), unison::UnisonCheck::Stage::Idle);
}

}  // namespace
}  // namespace balalaika
