#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tuner/TuningTable.h"

namespace balalaika::tuning {
namespace {

TEST(TuningTable, BoundsAreInclusiveAndComparedExactlyAsWritten) {
  EXPECT_EQ(match(1, 438.731), (Match{1, "A4"}));
  EXPECT_EQ(match(1, 441.273), (Match{1, "A4"}));
  EXPECT_FALSE(match(1, 438.7309));
  EXPECT_FALSE(match(1, 441.2731));
  EXPECT_EQ(match(5, 54.81), (Match{2, "A1"}));
  EXPECT_EQ(match(5, 55.191), (Match{2, "A1"}));
  // A single-precision reading widened to double never equals a decimal bound.
  EXPECT_FALSE(match(1, static_cast<double>(438.731f)));
  EXPECT_FALSE(match(1, static_cast<double>(441.273f)));
  EXPECT_FALSE(match(5, static_cast<double>(55.191f)));
  EXPECT_EQ(match(5, static_cast<double>(54.81f)), (Match{2, "A1"}));
}

TEST(TuningTable, UnisonStringsOfTheUpperTuningsAreReportedAsString2) {
  for (TuningIndex t = 1; t <= 3; ++t) {
    ASSERT_EQ(windows(t).size(), 2u);
    for (double hz = 30.0; hz < 500.0; hz += 0.01) {
      const auto m = match(t, hz);
      ASSERT_TRUE(!m || m->string != 3) << t << " " << hz;
    }
  }
  EXPECT_EQ(match(1, 329.6), (Match{2, "E4"}));
  EXPECT_EQ(match(3, 220.0), (Match{1, "A3"}));
  EXPECT_EQ(match(2, 220.0), (Match{2, "A3"}));
  EXPECT_EQ(match(4, 82.4), (Match{3, "E2"}));
  EXPECT_EQ(match(5, 41.2), (Match{3, "E1"}));
}

TEST(TuningTable, WindowsSpanFiveCentsEachWayAndSixForA1) {
  for (TuningIndex t = 1; t <= 5; ++t) {
    const auto ws = windows(t);
    for (std::size_t i = 0; i < ws.size(); ++i) {
      const double centre = std::sqrt(ws[i].low * ws[i].high);
      const double cents = 1200.0 * std::log2(ws[i].high / centre);
      const double expected = std::string(ws[i].note) == "A1" ? 6.0 : 5.0;
      EXPECT_NEAR(cents, expected, 0.05) << ws[i].note;
      for (std::size_t j = i + 1; j < ws.size(); ++j) EXPECT_LT(ws[j].high, ws[i].low) << "windows overlap";
    }
  }
}

TEST(TuningTable, NothingMatchesNaNOrATuningOutsideTheTable) {
  EXPECT_FALSE(match(1, std::numeric_limits<double>::quiet_NaN()));
  for (TuningIndex t : {TuningIndex{0}, TuningIndex{6}, TuningIndex{-1}, std::numeric_limits<TuningIndex>::max()}) {
    EXPECT_TRUE(windows(t).empty());
    EXPECT_FALSE(match(t, 440.0));
    EXPECT_FALSE(noteName(t, 1));
    EXPECT_FALSE(referenceTone(t, 1));
    EXPECT_FALSE(displayResources(t));
    EXPECT_EQ(displayOffset(t, 2), 0.0);
  }
}

TEST(TuningTable, ReferenceTonesAreCutPitchesWithFixedLabels) {
  struct Row {
    TuningIndex t;
    StringIndex s;
    double hz;
    const char* label;
  };
  for (const Row& r : {Row{1, 1, 440.0, "440Hz"}, Row{1, 2, 329.6, "329.6Hz"}, Row{2, 1, 293.6, "293.6Hz"},
                       Row{2, 2, 220.0, "220Hz"}, Row{3, 2, 164.8, "164.8Hz"}, Row{4, 1, 146.8, "146.8Hz"},
                       Row{4, 2, 110.0, "110.0Hz"}, Row{4, 3, 82.4, "82.4Hz"}, Row{5, 1, 73.4, "73.4Hz"},
                       Row{5, 2, 55.0, "55Hz"}, Row{5, 3, 41.2, "41.2Hz"}}) {
    const auto tone = referenceTone(r.t, r.s);
    ASSERT_TRUE(tone) << r.t << "/" << r.s;
    EXPECT_EQ(tone->hertz, r.hz);
    EXPECT_EQ(tone->label, r.label);
  }
  for (TuningIndex t = 1; t <= 3; ++t) EXPECT_FALSE(referenceTone(t, 3)) << t;
  EXPECT_FALSE(referenceTone(4, 0));
  EXPECT_FALSE(referenceTone(4, 4));
}

TEST(TuningTable, StringLabelsOffsetsAndResources) {
  const char* notes[5][3] = {{"A4", "E4", "E4"}, {"D4", "A3", "A3"}, {"A3", "E3", "E3"}, {"D3", "A2", "E2"}, {"D2", "A1", "E1"}};
  for (TuningIndex t = 1; t <= 5; ++t)
    for (StringIndex s = 1; s <= 3; ++s) EXPECT_EQ(noteName(t, s), notes[t - 1][s - 1]);

  EXPECT_EQ(displayOffset(1, std::nullopt), 0.0);
  EXPECT_EQ(displayOffset(1, 1), 0.0);
  EXPECT_EQ(displayOffset(1, 2), 0.1);
  EXPECT_EQ(displayOffset(2, std::nullopt), -0.3);
  EXPECT_EQ(displayOffset(2, 1), -0.3);
  EXPECT_EQ(displayOffset(4, 2), 0.0);

  EXPECT_EQ(displayResources(1)->titleKey, "TuningFreeTitle");
  EXPECT_EQ(displayResources(1)->phoneChart, "chartiphone.png");
  EXPECT_EQ(displayResources(5)->titleKey, "TuningFreeTitle5");
  EXPECT_EQ(displayResources(5)->padChart, "chartipad5.png");
}

TEST(TuningTable, CurrentTuningStartsAtOneAndStepsByOne) {
  resetCurrentTuningForTesting();
  EXPECT_EQ(currentTuning(), 1);
  stepCurrentTuning(-1);
  EXPECT_EQ(currentTuning(), 0);
  stepCurrentTuning(+1);
  stepCurrentTuning(+1);
  EXPECT_EQ(currentTuning(), 2);
  resetCurrentTuningForTesting();
}

}  // namespace
}  // namespace balalaika::tuning
