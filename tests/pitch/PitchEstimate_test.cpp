#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pitch/PitchListener.h"

namespace balalaika {
namespace {

class PitchEstimate : public ::testing::Test {
 protected:
  PitchListener& listener = *PitchListener::sharedListener();

  // Sets the magnitude spectrum to zero except the given bins, then sums the harmonics.
  void harmonicSumOf(std::initializer_list<std::pair<std::uint32_t, double>> bins) {
    std::fill_n(listener.freq_db(), PitchListener::kSpectrumBins, 0.0);
    for (auto [bin, value] : bins) listener.freq_db()[bin] = value;
    listener.addHarmonics();
  }
  double h(std::uint32_t bin) const { return listener.freq_db_harmonic()[bin]; }
  std::vector<std::uint32_t> nonZeroBins() const {
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 0; i < PitchListener::kSpectrumBins; ++i)
      if (h(i) != 0.0) out.push_back(i);
    return out;
  }
};

TEST_F(PitchEstimate, InputLongerThanTheTransformIsCutNotOverrun) {
  // 40000 samples: only the first 32768 may reach the transform's input.
  std::vector<std::int16_t> longInput(40000, 1000);
  EXPECT_NO_FATAL_FAILURE(listener.performFFT(longInput.data(), 40000));
  EXPECT_DOUBLE_EQ(listener.freq_db()[0], 32768 * 1000.0 / 16384.0);
}

TEST(HammingWindow, FollowsTheWindowFormulaAndLeavesTooShortInputAlone) {
  EXPECT_DOUBLE_EQ(PitchListener::hamming_window(0, 5), 0.08);
  EXPECT_NEAR(PitchListener::hamming_window(2, 5), 1.0, 1e-9);
  std::vector<std::int16_t> samples{1000, 1000, 1000, 1000, 1000};
  PitchListener::performWindow(samples.data(), 5);
  // 6.283185308 is slightly above 2*pi: w(3) falls just below 0.54 and truncates to 539.
  EXPECT_EQ(samples, (std::vector<std::int16_t>{80, 540, 1000, 539, 80}));

  std::int16_t one[1] = {1234};
  PitchListener::performWindow(one, 1);  // N - 1 = 0 would divide by zero
  EXPECT_EQ(one[0], 1234);
}

TEST_F(PitchEstimate, EachBinFeedsTheGroupsItsHalfAndThirdRoundToAtBothEndsOfTheSpectrum) {
  // The groups as the harmonic sum defines them: round(i / d), halves away from zero, in double
  // precision; the group that holds the top bin is never closed. A bin adds the whole part of
  // its magnitude to its groups: below 1, nothing.
  harmonicSumOf({{1000, 0.9}});
  EXPECT_EQ(nonZeroBins(), (std::vector<std::uint32_t>{1000}));
  const auto groupOf = [](std::uint32_t bin, double d) { return static_cast<std::uint32_t>(std::round(bin / d)); };
  std::vector<std::uint32_t> bins;
  for (std::uint32_t i = 0; i < 40; ++i) bins.push_back(i);
  for (std::uint32_t i = PitchListener::kSpectrumBins - 12; i < PitchListener::kSpectrumBins; ++i) bins.push_back(i);
  for (const std::uint32_t bin : bins) {
    harmonicSumOf({{bin, 10.5}});
    std::vector<double> expected(PitchListener::kSpectrumBins, 0.0);
    expected[bin] += 10.5;
    for (const double d : {2.0, 3.0}) {
      if (groupOf(bin, d) < groupOf(PitchListener::kSpectrumBins - 1, d)) expected[groupOf(bin, d)] += 10.0;
    }
    for (std::uint32_t i = 0; i < PitchListener::kSpectrumBins; ++i) {
      if (h(i) != expected[i]) ADD_FAILURE() << "spike at " << bin << ": H[" << i << "] = " << h(i);
    }
  }
}

}  // namespace
}  // namespace balalaika
