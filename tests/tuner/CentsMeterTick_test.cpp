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
  void setReading(const std::optional<platform::CentsReading>& r) override { reading = r; }
  void setHidden(bool) override {}
  std::optional<platform::CentsReading> reading;
};

class CentsMeterTick : public ::testing::Test {
 protected:
  CentsMeterTick() {
    screen.controller.outlets().centsMeter = &meter;
    screen.controller.outlets().tuneCue = &tuneCue;
  }
  void tick(float power, float hertz, double refined) {
    screen.pitch.refined = refined;
    screen.tick(power, hertz);
  }
  testing::ScreenHarness screen;
  FakeCentsMeter meter;
  fakes::RecordingLabel tuneCue;
};

TEST_F(CentsMeterTick, TheMeterReadsTheRefinedReadingWhileTheLampKeepsTheWindowRule) {
  // 329.2 Hz lies inside E4's window: lamp green, no cue. The refined 326.0 Hz moves the needle only.
  tick(kLoud, 329.2f, 326.0);
  EXPECT_EQ(screen.noteDisplay.text + screen.LEDDisplay.imageName(), "E4green64.png");
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(*meter.reading, (platform::CentsReading{1200.0 * std::log2(326.0 / (440.0 * std::exp2(-5.0 / 12))), 2,
                                                     Range::Near, Cue::None}));
  // Without a refined reading the meter falls back to the reading itself; 430 Hz is 39.8 c flat of A4.
  tick(kLoud, 430.0f, 0.0);
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(meter.reading->string, 1);
  EXPECT_EQ(tuneCue.text, "CentsTuneUp");
  EXPECT_EQ(screen.noteDisplay.text, "E4");  // the note stays from the earlier match
}

TEST_F(CentsMeterTick, SilenceRestsTheMeterAndSoftPlayingKeepsIt) {
  tick(kLoud, 500.0f, 500.0);
  ASSERT_TRUE(meter.reading);
  EXPECT_EQ(meter.reading->range, Range::FarSharp);
  tick(kSoft, 440.0f, 440.0);
  EXPECT_EQ(meter.reading->range, Range::FarSharp);
  tick(kSilent, 0.0f, 0.0);
  EXPECT_FALSE(meter.reading);
  tick(kLoud, 430.0f, 430.0);
  tick(kLoud, 0.0f, 0.0);  // loud, but no estimate yet
  EXPECT_FALSE(meter.reading);
  EXPECT_EQ(tuneCue.text, "");
}

}  // namespace
}  // namespace balalaika
