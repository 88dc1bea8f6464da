#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tuner/CentsReading.h"
#include "tuner/ConcertPitch.h"
#include "tuner/TuningTable.h"

namespace balalaika::concert {
namespace {

using tuning::windowAt;
using tuning::windows;

// The literal bounds of the table, as the tick has always compared them.
TEST(ConcertPitch, At440TheMovedWindowsAreTheTablesBoundsToTheLastBitAndElsewhereTheyFollowA4) {
  int compared = 0;
  for (tuning::TuningIndex t = 1; t <= 5; ++t) {
    for (const tuning::Window& w : windows(t)) {
      const tuning::Window at440 = windowAt(w, 440.0);
      EXPECT_EQ(at440.low, w.low) << w.note;
      EXPECT_EQ(at440.high, w.high) << w.note;
      // Half a hertz away the window moves by the ratio of the two pitches, to the table's rounding.
      const tuning::Window at443 = windowAt(w, 443.0);
      EXPECT_NEAR(at443.low, w.low * 443.0 / 440.0, 0.0011) << w.note;
      EXPECT_NEAR(at443.high, w.high * 443.0 / 440.0, 0.0011) << w.note;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 12);
  EXPECT_EQ(tuning::match(1, 440.0, 443.0), std::nullopt) << "440 is 12 c flat of A4 = 443";
  EXPECT_EQ(tuning::match(1, 443.0, 443.0), (tuning::Match{1, "A4"}));
  EXPECT_EQ(tuning::match(5, 54.18, 432.0), (tuning::Match{2, "A1"})) << "A1 = 54.0 at 432, 6 c wide";
  EXPECT_EQ(tuning::match(5, 54.2, 432.0), std::nullopt);
  EXPECT_NEAR(cents::nearestString(1, 443.0, 1, 443.0)->cents, 0.0, 1e-9);
  EXPECT_NEAR(cents::nearestString(4, 82.4 * 432.0 / 440.0, std::nullopt, 432.0)->cents, -0.145, 0.001);
}

TEST(ConcertPitch, ReferenceTonesKeepTheirTextAt440AndFollowA4CutToOneDecimalElsewhere) {
  EXPECT_EQ(tuning::referenceTone(1, 1, 440.0)->label, "440Hz");
  EXPECT_EQ(tuning::referenceTone(1, 2, 440.0)->hertz, 329.6);
  const auto a = tuning::referenceTone(1, 1, 443.0);
  EXPECT_EQ(a->label, "443.0Hz");
  EXPECT_EQ(a->hertz, 443.0);
  const auto e = tuning::referenceTone(1, 2, 443.0);  // 331.848... Hz
  EXPECT_EQ(e->label, "331.8Hz");
  EXPECT_EQ(e->hertz, 331.8);
  EXPECT_EQ(tuning::referenceTone(5, 3, 415.0)->label, "38.8Hz");  // 38.89 cut, not rounded up
  EXPECT_FALSE(tuning::referenceTone(1, 3, 443.0));
}

TEST(ConcertPitch, StepsStayOnTheHalfHertzGridAndInRangeAndTypedValuesAreCheckedToATenth) {
  EXPECT_EQ(stepped(440.0, 1), 440.5);
  EXPECT_EQ(stepped(440.0, -6), 437.0);
  EXPECT_EQ(stepped(441.3, 1), 441.5);
  EXPECT_EQ(stepped(441.3, -1), 441.0);
  EXPECT_EQ(stepped(465.8, 1), 466.0);
  EXPECT_EQ(stepped(466.0, 1), 466.0);
  EXPECT_EQ(stepped(415.0, -1), 415.0);
  for (const char* good : {"443", "443.5", "441.3", "415", "466.0", "432.10"}) EXPECT_TRUE(parse(good)) << good;
  EXPECT_EQ(parse("441.3"), 441.3);
  for (const char* bad : {"", "414.9", "466.1", "443.25", "abc", "443hz", " 443", "nan", "inf", "-440", "4e2"}) {
    EXPECT_FALSE(parse(bad)) << bad;
  }
  EXPECT_FALSE(valid(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ(hertzText(443.0), "443");
  EXPECT_EQ(hertzText(443.5), "443.5");
  EXPECT_EQ(hertzText(441.30000000001), "441.3");
}

class HeardATest : public ::testing::Test {
 protected:
  HeardA heard;
  void feed(int ticks, double hertz, bool loud = true) {
    for (int i = 0; i < ticks && heard.state() == HeardA::State::Listening; ++i) heard.tick(loud, hertz);
  }
};

TEST_F(HeardATest, ASteadyAInAnyOctaveAfterSilenceSetsA4ToItsPitchRoundedToATenth) {
  for (const double a : {221.52, 443.04, 886.08, 110.76}) {
    heard.start(440.0);
    feed(5, 0.0, false);
    feed(HeardA::kReadingsNeeded, a);
    ASSERT_EQ(heard.state(), HeardA::State::Accepted) << a;
    EXPECT_EQ(heard.result(), 443.0) << a;
  }
  // The median of the run, not its first reading.
  heard.start(440.0);
  for (const double a : {438.0, 437.5, 437.6, 437.8, 437.4, 437.6, 437.7, 437.6, 437.55, 437.65}) heard.tick(true, a);
  ASSERT_EQ(heard.state(), HeardA::State::Accepted);
  EXPECT_EQ(heard.result(), 437.6);
}

TEST_F(HeardATest, AWavering_AnOtherNoteOrAnAOutOfRangeLeavesA4AndSaysNoneWasHeard) {
  heard.start(440.0);
  for (int i = 0; i < HeardA::kListenTicks; ++i) heard.tick(true, 440.0 * std::exp2((i % 2 ? 7.0 : -7.0) / 1200.0));
  EXPECT_EQ(heard.state(), HeardA::State::Rejected) << "14 c of vibrato is not steady";

  heard.start(440.0);
  feed(HeardA::kListenTicks, 466.16);  // B flat: 100 c away
  EXPECT_EQ(heard.state(), HeardA::State::Rejected);

  heard.start(464.0);
  feed(HeardA::kListenTicks, 470.0);  // within 50 c of the present A but beyond the range
  EXPECT_EQ(heard.state(), HeardA::State::Rejected);

  heard.start(440.0);
  feed(HeardA::kListenTicks, 0.0, false);  // nothing played
  EXPECT_EQ(heard.state(), HeardA::State::Rejected);
}

TEST_F(HeardATest, AnInterruptedRunStartsOverAndCanStillSucceedWithinTheListeningTime) {
  heard.start(440.0);
  feed(HeardA::kReadingsNeeded - 1, 442.0);
  heard.tick(true, 330.0);  // one stray reading
  EXPECT_EQ(heard.state(), HeardA::State::Listening);
  feed(HeardA::kReadingsNeeded - 1, 442.0);
  EXPECT_EQ(heard.state(), HeardA::State::Listening) << "the run was broken";
  feed(1, 442.0);
  ASSERT_EQ(heard.state(), HeardA::State::Accepted);
  EXPECT_EQ(heard.result(), 442.0);
}

}  // namespace
}  // namespace balalaika::concert
