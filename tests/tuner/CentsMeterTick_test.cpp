#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using testing::kLoud;
using testing::kSilent;
using testing::kSoft;
using Range = platform::CentsReading::Range;
using Cue = platform::CentsReading::Cue;

class FakeCentsMeter : public platform::CentsMeter {
 public:
  void setReading(const std::optional<platform::CentsReading>& r) override {
    reading = r;
    ++sets;
  }
  void setHidden(bool) override {}
  std::optional<platform::CentsReading> reading;
  int sets = 0;
};

class CentsMeterTick : public ::testing::Test {
 protected:
  CentsMeterTick() {
    auto& o = screen.controller.outlets();
    o.centsMeter = &meter;
    o.centsLabel = &centsLabel;
    o.tuneCue = &tuneCue;
  }
  void tick(float power, float hertz, double refined) {
    screen.pitch.refined = refined;
    screen.tick(power, hertz);
  }
  testing::ScreenHarness screen;
  FakeCentsMeter meter;
  fakes::RecordingLabel centsLabel{"centsLabel", screen.log};
  fakes::RecordingLabel tuneCue{"tuneCue", screen.log};
};

TEST_F(CentsMeterTick, TheMeterReadsTheRefinedReadingWhileTheLampKeepsTheWindowRule) {
  // 329.2 Hz lies 2.2 cents flat of E4, inside its window: lamp green, no cue. The refined
  // reading, 326.0 Hz (19.2 cents flat), moves the needle only.
  tick(kLoud, 329.2f, 326.0);
  EXPECT_EQ(screen.noteDisplay.text, "E4");
  EXPECT_EQ(screen.LEDDisplay.imageName(), "green64.png");
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(meter.reading->string, 2);
  EXPECT_NEAR(meter.reading->cents, 1200.0 * std::log2(326.0 / (440.0 * std::exp2(-5.0 / 12))), 1e-9);
  EXPECT_EQ(meter.reading->cue, Cue::None);  // matched this tick
  EXPECT_EQ(centsLabel.text, "-19.2 \u00a2");
  EXPECT_EQ(tuneCue.text, "");

  // Without a refined reading the meter falls back to the reading itself.
  tick(kLoud, 430.0f, 0.0);  // 39.8 cents flat of A4
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(meter.reading->string, 1);
  EXPECT_EQ(meter.reading->cue, Cue::TuneUp);
  EXPECT_EQ(tuneCue.text, "CentsTuneUp");
  EXPECT_EQ(screen.noteDisplay.text, "E4");  // the note stays from the earlier match
}

TEST_F(CentsMeterTick, SilenceRestsTheMeterSoftPlayingKeepsItAndFarReadingsPegIt) {
  tick(kLoud, 500.0f, 500.0);
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(meter.reading->range, Range::FarSharp);
  EXPECT_EQ(meter.reading->cents, 50.0);
  EXPECT_EQ(centsLabel.text, "CentsFarSharp");
  EXPECT_EQ(tuneCue.text, "");

  const int sets = meter.sets;
  tick(kSoft, 440.0f, 440.0);
  EXPECT_EQ(meter.sets, sets);
  EXPECT_EQ(meter.reading->range, Range::FarSharp);

  tick(kSilent, 0.0f, 0.0);
  EXPECT_FALSE(meter.reading);
  EXPECT_EQ(centsLabel.text, "");
  EXPECT_EQ(tuneCue.text, "");

  // A loud tick with no estimate yet (0 Hz) leaves the needle at rest too.
  tick(kLoud, 0.0f, 0.0);
  EXPECT_FALSE(meter.reading);
}

}  // namespace
}  // namespace balalaika
