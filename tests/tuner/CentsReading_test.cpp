#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes/FakeBundle.h"
#include "tuner/CentsReading.h"

namespace balalaika::cents {
namespace {

using Range = platform::CentsReading::Range;
using Cue = platform::CentsReading::Cue;

TEST(CentsReading, GivenAReadingThenTheNearestStringItsSignedDistanceAndTheCueFollow) {
  const struct {
    tuning::TuningIndex tuning;
    double cents;  // from the string's pitch below
    const char* from;
    std::optional<tuning::StringIndex> matched;  // what the lamp's windows matched
    int string;
    Range range;
    Cue cue;
  } cases[] = {
      {1, -25.0, "E4", std::nullopt, 2, Range::Near, Cue::TuneUp},   // flat: tighten
      {1, 12.0, "A4", std::nullopt, 1, Range::Near, Cue::TuneDown},  // sharp: slacken
      {1, -3.0, "A4", 1, 1, Range::Near, Cue::None},                 // in its window: no cue
      {5, -2.0, "E1", std::nullopt, 3, Range::Near, Cue::TuneUp},    // the lamp rules: unmatched, a cue
      {5, 5.8, "A1", 2, 2, Range::Near, Cue::None},
      // Between two strings of one tuning the nearer one in cents wins (A2 and D3 lie 500 c apart).
      {4, 240.0, "A2", std::nullopt, 2, Range::FarSharp, Cue::None},
      {4, 260.0, "A2", std::nullopt, 1, Range::FarFlat, Cue::None},
      {4, 49.9, "A2", std::nullopt, 2, Range::Near, Cue::TuneDown},
      {4, 50.1, "A2", std::nullopt, 2, Range::FarSharp, Cue::None},
      {4, -50.1, "E2", std::nullopt, 3, Range::FarFlat, Cue::None},
      {4, -800.0, "E2", std::nullopt, 3, Range::FarFlat, Cue::None},  // below the lowest string
      {1, 900.0, "A4", std::nullopt, 1, Range::FarSharp, Cue::None},   // above the highest
      // Strings 2 and 3 of tunings 1-3 share a window reported as string 2.
      {3, -10.0, "E3", std::nullopt, 2, Range::Near, Cue::TuneUp},
  };
  for (const auto& c : cases) {
    const double hertz = *equalTemperedHertz(c.from) * std::exp2(c.cents / 1200.0);
    SCOPED_TRACE(testing::Message() << "tuning " << c.tuning << ", " << c.cents << " c from " << c.from);
    const auto reading = nearestString(c.tuning, hertz, c.matched);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->string, c.string);
    EXPECT_EQ(reading->range, c.range);
    EXPECT_EQ(reading->cue, c.cue);
    const double shown = c.range == Range::FarFlat ? -50.0 : c.range == Range::FarSharp ? 50.0 : c.cents;
    EXPECT_NEAR(reading->cents, shown, 1e-9);
  }
}

TEST(CentsReading, NotesNameTheirEqualTemperedPitchAndSilenceNonsenseOrNoTuningGiveNoReading) {
  EXPECT_DOUBLE_EQ(*equalTemperedHertz("A4"), 440.0);
  EXPECT_NEAR(*equalTemperedHertz("E1"), 41.2034, 1e-4);
  for (const char* bad : {"", "H4", "A", "A44", "a4", "E#"}) EXPECT_FALSE(equalTemperedHertz(bad)) << bad;
  for (double hertz : {0.0, -440.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(nearestString(1, hertz, std::nullopt)) << hertz;
  }
  EXPECT_FALSE(nearestString(0, 440.0, std::nullopt));
  EXPECT_FALSE(nearestString(6, 440.0, std::nullopt));
}

TEST(CentsReading, TheMeterTextShowsTheSignedDistanceOrTheLocalizedFarWords) {
  fakes::FakeBundle bundle;
  bundle.texts[{"", kFarFlatKey}] = "muy grave";
  const auto text = [&](double cents, Range range) {
    return meterText(platform::CentsReading{cents, 1, range, Cue::None}, bundle);
  };
  EXPECT_EQ(text(-12.44, Range::Near), "-12.4 \u00a2");
  EXPECT_EQ(text(3.0, Range::Near), "+3.0 \u00a2");
  EXPECT_EQ(text(-0.04, Range::Near), "0.0 \u00a2");  // never "-0.0"
  EXPECT_EQ(text(-50.0, Range::FarFlat), "muy grave");
  EXPECT_EQ(text(50.0, Range::FarSharp), kFarSharpKey);  // no entry: the key
  EXPECT_EQ(cueText(Cue::None, bundle), "");
}

}  // namespace
}  // namespace balalaika::cents

namespace balalaika::cents {
namespace {

// A string locked: the distance is from it alone, and octave or twelfth slips fold onto it.
TEST(CentsReading, ALockedStringReadsItsHarmonicsAndSubharmonicsAsItselfAndNothingElse) {
  const double e1 = *equalTemperedHertz("E1");
  const double flat = std::exp2(-7.0 / 1200.0);  // 7 c flat
  const struct {
    tuning::TuningIndex tuning;
    int locked;
    double hertz;
    int string;
    Range range;
    double cents;
  } cases[] = {
      {5, 3, e1 * flat, 3, Range::Near, -7.0},
      {5, 3, 2.0 * e1 * flat, 3, Range::Near, -7.0},  // the octave above
      {5, 3, 3.0 * e1 * flat, 3, Range::Near, -7.0},  // B2, the twelfth the default estimate hears
      {5, 3, e1 / 2.0 * flat, 3, Range::Near, -7.0},
      {5, 3, e1 / 3.0 * flat, 3, Range::Near, -7.0},
      {5, 2, 3.0 * e1, 2, Range::FarSharp, 50.0},  // B2 is 7 semitones over A1 ×2: not a harmonic of A1
      {5, 3, e1 * std::exp2(60.0 / 1200.0), 3, Range::FarSharp, 50.0},  // near nothing: not folded
      {1, 3, 329.0, 2, Range::Near, 1200.0 * std::log2(329.0 / *equalTemperedHertz("E4"))},  // the unison pair
      {1, 1, 329.63, 1, Range::FarFlat, -50.0},  // E4 played, A4 locked: far, never string 2
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "tuning " << c.tuning << " lock " << c.locked << " at " << c.hertz);
    const auto reading = nearestString(c.tuning, c.hertz, std::nullopt, 440.0, c.locked);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->string, c.string);
    EXPECT_EQ(reading->range, c.range);
    EXPECT_NEAR(reading->cents, c.cents, 1e-6);
  }
  // Unlocked, the twelfth is D2's far-sharp reading: what the lock guards against.
  EXPECT_EQ(nearestString(5, 3.0 * e1, std::nullopt)->range, Range::FarSharp);
  // The lock follows concert pitch; a lock on no string of the tuning gives nothing.
  EXPECT_NEAR(nearestString(5, 2.0 * e1 * 443.0 / 440.0, std::nullopt, 443.0, 3)->cents, 0.0, 1e-9);
  EXPECT_FALSE(nearestString(5, e1, std::nullopt, 440.0, 4));
  EXPECT_FALSE(nearestString(5, e1, std::nullopt, 440.0, 0));
}

}  // namespace
}  // namespace balalaika::cents
