#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using testing::kLoud;
using testing::kSilent;
using testing::kSoft;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class TunerTickTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;

  // Frequency text, note, 64-point lamp and whether the highlight overlays are hidden.
  std::string shown() const {
    EXPECT_EQ(screen.tunedString5.hidden, screen.tunedString.hidden);  // the overlays move together
    EXPECT_EQ(screen.tunedStringiPad.hidden, screen.tunedString.hidden);
    EXPECT_EQ(screen.LEDDisplay128.imageName().substr(0, 5), screen.LEDDisplay.imageName().substr(0, 5));
    return screen.freq_label.text + "|" + screen.noteDisplay.text + "|" + screen.LEDDisplay.imageName() + "|" +
           (screen.tunedString.hidden ? "hidden" : "shown");
  }
};

TEST_F(TunerTickTest, TheScreenMovesBetweenSilentListeningAndTunedAsTheTicksCome) {
  screen.freq_label.text = "layout";
  screen.noteDisplay.text = "layout";
  screen.LEDDisplay.image = screen.LEDDisplay128.image = platform::Image{"layout"};
  const std::string silent = "||yellow64.png|hidden";
  const struct {
    const char* what;
    float power;
    float hertz;
    std::string expected;
  } steps[] = {
      {"soft before any note keeps the layout", kSoft, 440.0f, "layout|layout|layout|shown"},
      {"unmatched loud note changes only the reading", kLoud, 300.0f, "300.0Hz|layout|layout|shown"},
      {"silence", kSilent, 300.0f, silent},
      {"unmatched note after silence", kLoud, 300.0f, "300.0Hz||yellow64.png|hidden"},
      {"A4 in tune", kLoud, 440.0f, "440.0Hz|A4|green64.png|shown"},
      {"soft playing holds the tuned display", kSoft, 300.0f, "440.0Hz|A4|green64.png|shown"},
      {"a power that is not a number holds it too", kNaN, 300.0f, "440.0Hz|A4|green64.png|shown"},
      {"a frequency that is not a number matches nothing", kLoud, kNaN, "nanHz|A4|green64.png|shown"},
      {"E4 in tune with its offset", kLoud, 329.6f, "329.7Hz|E4|green64.png|shown"},
      // The single-precision power is compared with the thresholds in double.
      {"power exactly at the silence threshold holds", 0.002f, 0.0f, "329.7Hz|E4|green64.png|shown"},
      {"power exactly at the signal threshold holds", 0.0045f, 0.0f, "329.7Hz|E4|green64.png|shown"},
      {"power just above the signal threshold is loud", std::nextafter(0.0045f, 1.0f), 440.0f,
       "440.0Hz|A4|green64.png|shown"},
      {"power just below the silence threshold is silent", std::nextafter(0.002f, 0.0f), 440.0f, silent},
  };
  for (const auto& step : steps) {
    screen.tick(step.power, step.hertz);
    EXPECT_EQ(shown(), step.expected) << step.what;
  }
}

// The listener's single-precision reading is compared with the window bounds in double, and the
// offset changes only the displayed text.
TEST_F(TunerTickTest, ReadingsMatchOnlyInsideTheWindowsAndTheDisplayCarriesTheTuningsOffset) {
  const struct {
    tuning::TuningIndex tuning;
    float hertz;
    const char* freqText;
    const char* note;  // "" when nothing matched
  } cases[] = {
      {1, 438.731f, "438.7Hz", ""},  // the nearest single lies just below the bound
      {1, std::nextafter(438.731f, 1000.0f), "438.7Hz", "A4"},
      {1, 441.273f, "441.3Hz", ""},  // the nearest single lies just above
      {1, std::nextafter(441.273f, 0.0f), "441.3Hz", "A4"},
      {5, 55.191f, "55.2Hz", ""},
      {5, 54.81f, "54.8Hz", "A1"},
      {1, 329.6f, "329.7Hz", "E4"},  // string 2 of tuning 1: +0.1 once matched
      {1, 300.0f, "300.0Hz", ""},
      {2, 293.6f, "293.3Hz", "D4"},  // tuning 2: -0.3 on every loud reading
      {2, 220.0f, "219.7Hz", "A3"},
      {2, 0.0f, "-0.3Hz", ""},
      {4, 110.0f, "110.0Hz", "A2"},
  };
  for (const auto& c : cases) {
    screen.selectTuning(c.tuning);
    screen.tick(kSilent, 0.0f);
    screen.tick(kLoud, c.hertz);
    EXPECT_EQ(screen.freq_label.text + "|" + screen.noteDisplay.text, std::string(c.freqText) + "|" + c.note)
        << "tuning " << c.tuning << ", " << c.hertz << " Hz";
  }
}

TEST_F(TunerTickTest, MarksAreSetByMatchesInAnyTuningAndClearedOnlyByReset) {
  EXPECT_FALSE(firstStringTuned() || secondStringTuned() || thirdStringTuned());
  screen.tick(kLoud, 440.0f);  // tuning 1, string 1
  screen.selectTuning(4);
  screen.tick(kLoud, 110.0f);  // tuning 4, string 2
  EXPECT_TRUE(firstStringTuned() && secondStringTuned());
  EXPECT_FALSE(thirdStringTuned());
  screen.tick(kLoud, 82.4f);
  screen.controller.showNextTuning();  // changing the tuning keeps them
  screen.tick(kSilent, 0.0f);
  EXPECT_TRUE(firstStringTuned() && secondStringTuned() && thirdStringTuned());

  screen.controller.resetFirstTuning();
  EXPECT_FALSE(firstStringTuned() || secondStringTuned() || thirdStringTuned());
}

class FakeCentsMeter : public platform::CentsMeter {
 public:
  void setReading(const std::optional<platform::CentsReading>& r) override { reading = r; }
  void setHidden(bool) override {}
  std::optional<platform::CentsReading> reading;
};

// The refined reading moving the needle alone is checked on the headless screen's lines.
TEST_F(TunerTickTest, SilenceRestsTheMeterSoftPlayingKeepsItAndAFlatStringAsksToTuneUp) {
  FakeCentsMeter meter;
  fakes::RecordingLabel tuneCue;
  screen.controller.outlets().centsMeter = &meter;
  screen.controller.outlets().tuneCue = &tuneCue;
  const auto range = [&] { return meter.reading ? int(meter.reading->range) : -1; };
  screen.tick(kLoud, 500.0f);  // no refined reading: the plain one stands in
  EXPECT_EQ(range(), int(platform::CentsReading::Range::FarSharp));
  screen.tick(kSoft, 440.0f);
  EXPECT_EQ(range(), int(platform::CentsReading::Range::FarSharp));
  screen.tick(kSilent, 0.0f);
  EXPECT_EQ(range(), -1);
  screen.tick(kLoud, 430.0f);  // 39.8 c flat of A4
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(meter.reading->string, 1);
  EXPECT_EQ(tuneCue.text, "CentsTuneUp");
  screen.tick(kLoud, 0.0f);  // loud, but no estimate yet
  EXPECT_FALSE(meter.reading);
  EXPECT_EQ(tuneCue.text, "");
}

}  // namespace
}  // namespace balalaika
