#include <gtest/gtest.h>

#include <limits>

#include "tuner/TuningTable.h"

namespace balalaika::tuning {
namespace {

TEST(TuningTable, UnisonStringsOfTheUpperTuningsAreReportedAsString2) {
  for (TuningIndex t = 1; t <= 3; ++t) {
    ASSERT_EQ(windows(t).size(), 2u);
    for (double hz = 30.0; hz < 500.0; hz += 0.01) {
      const auto m = match(t, hz);
      ASSERT_TRUE(!m || m->string != 3) << t << " " << hz;
    }
  }
  EXPECT_EQ(match(1, 329.6), (Match{2, "E4"}));
  EXPECT_EQ(match(5, 41.2), (Match{3, "E1"}));
}

TEST(TuningTable, ATuningOutsideTheTableHasNothing) {
  for (TuningIndex t : {TuningIndex{0}, TuningIndex{6}, TuningIndex{-1}, std::numeric_limits<TuningIndex>::max()}) {
    EXPECT_TRUE(windows(t).empty());
    EXPECT_FALSE(match(t, 440.0));
    EXPECT_FALSE(noteName(t, 1));
    EXPECT_FALSE(referenceTone(t, 1));
    EXPECT_FALSE(displayResources(t));
    EXPECT_EQ(displayOffset(t, 2), 0.0);
  }
  EXPECT_FALSE(referenceTone(4, 0));
  EXPECT_FALSE(referenceTone(4, 4));
}

}  // namespace
}  // namespace balalaika::tuning
