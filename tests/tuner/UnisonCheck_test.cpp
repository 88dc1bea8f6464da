#include <gtest/gtest.h>

#include <cmath>

#include "tuner/UnisonCheck.h"

namespace balalaika::unison {
namespace {

constexpr double kE4 = 329.6276;
constexpr float kLoud = 0.05f;

double detuned(double cents) { return kE4 * std::exp2(cents / 1200.0); }

class UnisonCheckTest : public ::testing::Test {
 protected:
  UnisonCheck check;
  UnisonCheckTest() { check.start(kE4); }
  // A pluck: an onset whose first reading is the attack's, then the sustain decaying, then silence.
  void pluck(double hertz, int sustainTicks, double attackHertz = 0.0, bool thenSilence = true) {
    float power = kLoud;
    check.tick(power, true, attackHertz > 0.0 ? attackHertz : hertz);
    for (int i = 0; i < sustainTicks; ++i) check.tick(power *= 0.9f, true, hertz);
    if (thenSilence) check.tick(0.0f, false, 0.0);
  }
};

TEST_F(UnisonCheckTest, TwoPlucksInTurnGiveTheGapInCentsAndBeatsAndWithinOneCentInUnison) {
  EXPECT_EQ(check.stage(), UnisonCheck::Stage::String2);
  check.tick(0.0f, false, 0.0);
  pluck(detuned(0.0), 8, detuned(40.0));  // the attack's sharp reading is skipped
  ASSERT_EQ(check.stage(), UnisonCheck::Stage::String3);
  EXPECT_NEAR(*check.string2Hertz(), kE4, 1e-9);
  pluck(detuned(3.2), 8);
  ASSERT_EQ(check.stage(), UnisonCheck::Stage::Done);
  const Gap gap = *check.gap();
  EXPECT_NEAR(gap.cents, 3.2, 1e-9);
  EXPECT_NEAR(gap.beatsPerSecond, detuned(3.2) - kE4, 1e-9);
  EXPECT_FALSE(gap.inUnison);
  EXPECT_EQ(plainText(gap), "+3.2c");
  EXPECT_TRUE(gapBetween(kE4, detuned(-0.99)).inUnison);
  EXPECT_FALSE(gapBetween(kE4, detuned(-1.01)).inUnison);
  EXPECT_EQ(plainText(gapBetween(kE4, detuned(-0.04))), "0.0c");
  EXPECT_EQ(plainText(gapBetween(kE4, detuned(-12.34))), "-12.3c");
}

TEST_F(UnisonCheckTest, TheSettledPitchIsTheMedianOfTheSustainSoStrayReadingsDoNotMoveIt) {
  check.tick(kLoud, true, 0.0);  // onset; the attack is skipped
  for (const double cents : {-2.0, 1.0, 1.1, 0.9, 15.0, 1.0, 1.05, 0.0}) check.tick(kLoud * 0.9f, true, detuned(cents));
  check.tick(kLoud * 0.8f, true, detuned(700.0));  // a reading of another note is no reading
  check.tick(0.0f, false, 0.0);
  ASSERT_EQ(check.stage(), UnisonCheck::Stage::String3);
  EXPECT_NEAR(1200.0 * std::log2(*check.string2Hertz() / kE4), 1.0, 1e-9);
}

TEST_F(UnisonCheckTest, AShortPluckIsIgnoredAndALongOneThatRingsOnIsNotTakenForTheSecondString) {
  pluck(kE4, kMinSustainTicks - 1);  // the onset's reading is skipped: one reading too few
  EXPECT_EQ(check.stage(), UnisonCheck::Stage::String2);
  // String 2 rings on past the longest sustain: it settles, and its tail is not string 3.
  pluck(detuned(-4.0), kMaxSustainTicks + 20, 0.0, false);
  ASSERT_EQ(check.stage(), UnisonCheck::Stage::String3);
  EXPECT_FALSE(check.gap());
  // String 3 plucked while string 2 still sounds: the rise in power starts it.
  pluck(detuned(2.0), 8);
  ASSERT_EQ(check.stage(), UnisonCheck::Stage::Done);
  EXPECT_NEAR(check.gap()->cents, 6.0, 1e-9);
  // Starting over forgets the result; cancelling stops listening.
  check.start(kE4);
  EXPECT_FALSE(check.gap());
  check.cancel();
  pluck(kE4, 8);
  EXPECT_EQ(check.stage(), UnisonCheck::Stage::Idle);
}

}  // namespace
}  // namespace balalaika::unison
