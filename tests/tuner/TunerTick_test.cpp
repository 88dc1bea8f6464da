#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using Calls = std::vector<std::string>;
using testing::kLoud;
using testing::kSilent;
using testing::kSoft;

// What the tick shows, in the terms of the screen's three states.
struct Shown {
  std::string freq;
  std::string note;
  std::string lamp64;
  std::string lamp128;
  bool overlaysHidden;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{freq '" << s.freq << "', note '" << s.note << "', lamps " << s.lamp64 << "/" << s.lamp128
             << (s.overlaysHidden ? ", overlays hidden}" : ", overlays shown}");
}

class TunerTickTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;

  Shown shown() const {
    const bool hidden = screen.tunedString.hidden;
    // The three overlays always move together.
    EXPECT_EQ(screen.tunedString5.hidden, hidden);
    EXPECT_EQ(screen.tunedStringiPad.hidden, hidden);
    return {screen.freq_label.text, screen.noteDisplay.text, screen.LEDDisplay.imageName(),
            screen.LEDDisplay128.imageName(), hidden};
  }
  // The layout's own content before the first tick.
  void layoutContent() {
    screen.freq_label.text = "layout";
    screen.noteDisplay.text = "layout";
    screen.LEDDisplay.image = platform::Image{"layout64"};
    screen.LEDDisplay128.image = platform::Image{"layout128"};
  }
};

TEST_F(TunerTickTest, EveryTickReadsThePowerThenTheFrequencyBeforeAnythingElse) {
  const float readings[][2] = {{kSilent, 0.0f}, {kSoft, 440.0f}, {kLoud, 440.0f}, {kLoud, 300.0f}};
  for (auto [power, hertz] : readings) {
    screen.log.clear();
    screen.tick(power, hertz);
    ASSERT_GE(screen.log.calls.size(), 2u);
    EXPECT_EQ(screen.log.calls[0], "pitch.averagePower()");
    EXPECT_EQ(screen.log.calls[1], "pitch.frequency()");
  }
}

TEST_F(TunerTickTest, ASilentTickEmptiesTheTextsHidesTheOverlaysInOrderAndTurnsTheLampsYellow) {
  screen.tick(kSilent, 440.0f);
  EXPECT_EQ(screen.log.calls,
            (Calls{"pitch.averagePower()", "pitch.frequency()", "freq_label.setText()", "noteDisplay.setText()",
                   "tunedString.setHidden(true)", "tunedString5.setHidden(true)", "tunedStringiPad.setHidden(true)",
                   "images.imageNamed(yellow64.png)", "LEDDisplay.setImage(yellow64.png)",
                   "images.imageNamed(yellow128.png)", "LEDDisplay128.setImage(yellow128.png)"}));
}

TEST_F(TunerTickTest, AMatchingLoudTickShowsTheNoteHighlightAndGreenLampsInOrder) {
  screen.tick(kLoud, 440.0f);
  EXPECT_EQ(screen.log.calls,
            (Calls{"pitch.averagePower()", "pitch.frequency()", "freq_label.setText(440.0Hz)",
                   "tunedString.setHidden(false)", "tunedString5.setHidden(false)",
                   "tunedStringiPad.setHidden(false)", "noteDisplay.setText(A4)",
                   "images.imageNamed(1st_string_6plus.png)", "tunedString5.setImage(1st_string_6plus.png)",
                   "images.imageNamed(green64.png)", "LEDDisplay.setImage(green64.png)",
                   "images.imageNamed(green128.png)", "LEDDisplay128.setImage(green128.png)"}));
  EXPECT_TRUE(firstStringTuned());
}

TEST_F(TunerTickTest, TheScreenMovesBetweenSilentListeningAndTunedAsTheTicksCome) {
  layoutContent();
  const Shown layout{"layout", "layout", "layout64", "layout128", false};
  const Shown silent{"", "", "yellow64.png", "yellow128.png", true};
  struct Step {
    const char* what;
    float power;
    float hertz;
    Shown expected;
  };
  const Step steps[] = {
      {"soft before any note keeps the layout", kSoft, 440.0f, layout},
      {"unmatched loud note before any match", kLoud, 300.0f, {"300.0Hz", "layout", "layout64", "layout128", false}},
      {"silence", kSilent, 300.0f, silent},
      {"unmatched note after silence", kLoud, 300.0f, {"300.0Hz", "", "yellow64.png", "yellow128.png", true}},
      {"A4 in tune", kLoud, 440.0f, {"440.0Hz", "A4", "green64.png", "green128.png", false}},
      {"soft playing holds the tuned display", kSoft, 300.0f, {"440.0Hz", "A4", "green64.png", "green128.png", false}},
      {"an unmatched note changes only the reading", kLoud, 300.0f,
       {"300.0Hz", "A4", "green64.png", "green128.png", false}},
      {"E4 in tune with its offset", kLoud, 329.6f, {"329.7Hz", "E4", "green64.png", "green128.png", false}},
      {"power exactly at the silence threshold holds", 0.002f, 0.0f,
       {"329.7Hz", "E4", "green64.png", "green128.png", false}},
      {"silence clears it", kSilent, 440.0f, silent},
      {"silence again", kSilent, 0.0f, silent},
  };
  for (const Step& step : steps) {
    screen.tick(step.power, step.hertz);
    EXPECT_EQ(shown(), step.expected) << step.what;
  }
}

TEST_F(TunerTickTest, ARepeatedTickSetsEverythingAgainEvenWhenNothingChanged) {
  for (float power : {kSilent, kLoud}) {
    screen.tick(power, 440.0f);
    const Calls first = screen.log.calls;
    screen.log.clear();
    screen.tick(power, 440.0f);
    EXPECT_EQ(screen.log.calls, first);
    screen.log.clear();
  }
}

TEST_F(TunerTickTest, GivenNoTuningSelectedEveryTickOnlyReadsTheListener) {
  for (tuning::TuningIndex t : {0, 6, -1}) {
    screen.selectTuning(t);
    for (float power : {kSilent, kSoft, kLoud}) {
      screen.log.clear();
      screen.tick(power, 440.0f);
      EXPECT_EQ(screen.log.calls, (Calls{"pitch.averagePower()", "pitch.frequency()"})) << "tuning " << t;
    }
  }
}

TEST_F(TunerTickTest, APowerThatIsNotANumberChangesNothing) {
  screen.tick(std::numeric_limits<float>::quiet_NaN(), 440.0f);
  EXPECT_EQ(screen.log.calls, (Calls{"pitch.averagePower()", "pitch.frequency()"}));
}

TEST_F(TunerTickTest, AFrequencyThatIsNotANumberMatchesNothing) {
  screen.tick(kLoud, 440.0f);
  screen.tick(kLoud, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(shown(), (Shown{"nanHz", "A4", "green64.png", "green128.png", false}));
}

TEST_F(TunerTickTest, AReadingOfZeroOnALoudTickShowsZeroWithTheTuningsOffsetAndMatchesNothing) {
  screen.tick(kLoud, 0.0f);
  EXPECT_EQ(screen.freq_label.text, "0.0Hz");
  screen.selectTuning(2);
  screen.tick(kLoud, 0.0f);
  EXPECT_EQ(screen.freq_label.text, "-0.3Hz");
  EXPECT_EQ(screen.noteDisplay.text, "");
}

TEST_F(TunerTickTest, AnAbsentElementIsNotUpdatedAndTheRestAre) {
  screen.controller.outlets().noteDisplay = nullptr;
  screen.controller.outlets().tunedStringiPad = nullptr;
  screen.tick(kLoud, 440.0f);
  EXPECT_EQ(screen.LEDDisplay.imageName(), "green64.png");
  EXPECT_FALSE(screen.tunedString.hidden);
  screen.tick(kSilent, 0.0f);
  EXPECT_EQ(screen.LEDDisplay128.imageName(), "yellow128.png");
}

// --- Boundaries: single-precision readings compared in double precision ---

TEST_F(TunerTickTest, PowerThresholdsAreComparedAfterWideningTheSinglePrecisionLevel) {
  struct Case {
    float power;
    const char* expectedFreq;  // "layout" when the tick changed nothing
  };
  const Case cases[] = {
      {std::nextafter(0.002f, 0.0f), ""},  // just below: silent
      {0.002f, "layout"},
      {0.0045f, "layout"},
      {std::nextafter(0.0045f, 1.0f), "440.0Hz"},  // just above: loud
  };
  for (const Case& c : cases) {
    screen.freq_label.text = "layout";
    screen.tick(c.power, 440.0f);
    EXPECT_EQ(screen.freq_label.text, c.expectedFreq) << "power " << c.power;
  }
}

TEST_F(TunerTickTest, ReadingsNearestTheWindowBoundsMatchOnlyWhenTheyFallInside) {
  struct Case {
    tuning::TuningIndex tuning;
    float hertz;
    const char* expectedNote;  // "" when nothing matched
  };
  const Case cases[] = {
      {1, 438.731f, ""},  // nearest single lies just below the bound
      {1, std::nextafter(438.731f, 1000.0f), "A4"},
      {1, 441.273f, ""},  // nearest single lies just above
      {1, std::nextafter(441.273f, 0.0f), "A4"},
      {5, 55.191f, ""},
      {5, 54.81f, "A1"},
      {3, 220.0f, "A3"},
      {2, 220.0f, "A3"},
      {4, 82.4f, "E2"},
  };
  for (const Case& c : cases) {
    screen.selectTuning(c.tuning);
    screen.tick(kSilent, 0.0f);
    screen.tick(kLoud, c.hertz);
    EXPECT_EQ(screen.noteDisplay.text, c.expectedNote) << "tuning " << c.tuning << ", " << c.hertz << " Hz";
  }
}

TEST_F(TunerTickTest, TheDisplayedFrequencyCarriesTheTuningsOffsetButTheMatchUsesTheReading) {
  struct Case {
    tuning::TuningIndex tuning;
    float hertz;
    Calls freqTexts;  // every text the tick gave freq_label, in order
    const char* note;
  };
  const Case cases[] = {
      {1, 440.0f, {"440.0Hz"}, "A4"},
      {1, 329.6f, {"329.6Hz", "329.7Hz"}, "E4"},
      {1, 300.0f, {"300.0Hz"}, ""},
      {2, 293.6f, {"293.3Hz"}, "D4"},
      {2, 220.0f, {"219.7Hz"}, "A3"},
      {2, 250.0f, {"249.7Hz"}, ""},
      {3, 164.8f, {"164.8Hz"}, "E3"},
      {4, 110.0f, {"110.0Hz"}, "A2"},
      {5, 41.2f, {"41.2Hz"}, "E1"},
  };
  for (const Case& c : cases) {
    screen.selectTuning(c.tuning);
    screen.tick(kSilent, 0.0f);
    screen.log.clear();
    screen.tick(kLoud, c.hertz);
    Calls texts;
    for (const std::string& call : screen.log.calls) {
      if (call.rfind("freq_label.setText(", 0) == 0) texts.push_back(call.substr(19, call.size() - 20));
    }
    EXPECT_EQ(texts, c.freqTexts) << "tuning " << c.tuning << ", " << c.hertz << " Hz";
    EXPECT_EQ(screen.noteDisplay.text, c.note) << "tuning " << c.tuning << ", " << c.hertz << " Hz";
  }
}

// --- Tuned-string marks ---

TEST_F(TunerTickTest, MarksAreSetByMatchesInAnyTuningAndClearedOnlyByReset) {
  EXPECT_FALSE(firstStringTuned() || secondStringTuned() || thirdStringTuned());
  screen.tick(kLoud, 440.0f);  // tuning 1, string 1
  screen.selectTuning(4);
  screen.tick(kLoud, 110.0f);  // tuning 4, string 2
  EXPECT_TRUE(firstStringTuned());
  EXPECT_TRUE(secondStringTuned());
  EXPECT_FALSE(thirdStringTuned());
  screen.tick(kLoud, 82.4f);
  EXPECT_TRUE(thirdStringTuned());
  screen.controller.showNextTuning();  // changing the tuning keeps them
  screen.tick(kSilent, 0.0f);
  EXPECT_TRUE(firstStringTuned() && secondStringTuned() && thirdStringTuned());

  screen.controller.resetFirstTuning();
  EXPECT_FALSE(firstStringTuned() || secondStringTuned() || thirdStringTuned());
}

TEST_F(TunerTickTest, InTheFirstThreeTuningsNoReadingReportsString3) {
  for (tuning::TuningIndex t : {1, 2, 3}) {
    screen.selectTuning(t);
    for (float hertz = 40.0f; hertz < 450.0f; hertz += 0.05f) screen.tick(kLoud, hertz);
  }
  EXPECT_TRUE(firstStringTuned());
  EXPECT_TRUE(secondStringTuned());
  EXPECT_FALSE(thirdStringTuned());
}

}  // namespace
}  // namespace balalaika
