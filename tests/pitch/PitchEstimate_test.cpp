#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "pitch/PitchListener.h"

namespace balalaika {
namespace {

constexpr std::uint32_t kBins = PitchListener::kSpectrumBins;

TEST(PitchEstimate, InputLongerThanTheTransformIsCutNotOverrun) {
  PitchListener& listener = *PitchListener::sharedListener();
  // 40000 samples: only the first 32768 may reach the transform's input.
  std::vector<std::int16_t> longInput(40000, 1000);
  EXPECT_NO_FATAL_FAILURE(listener.performFFT(longInput.data(), 40000));
  EXPECT_DOUBLE_EQ(listener.freq_db()[0], 32768 * 1000.0 / 16384.0);
}

TEST(HammingWindow, FollowsTheWindowFormulaAndLeavesTooShortInputAlone) {
  std::vector<std::int16_t> samples{1000, 1000, 1000, 1000, 1000};
  PitchListener::performWindow(samples.data(), 5);
  // 6.283185308 is slightly above 2*pi: w(3) falls just below 0.54 and truncates to 539.
  EXPECT_EQ(samples, (std::vector<std::int16_t>{80, 540, 1000, 539, 80}));

  std::int16_t one[1] = {1234};
  PitchListener::performWindow(one, 1);  // N - 1 = 0 would divide by zero
  EXPECT_EQ(one[0], 1234);
}

TEST(PitchEstimate, EachBinFeedsTheGroupsItsHalfAndThirdRoundToAtBothEndsOfTheSpectrum) {
  // The groups as the harmonic sum defines them: round(i / d), halves away from zero, in double
  // precision; the group that holds the top bin is never closed. A bin adds the whole part of
  // its magnitude to its groups: below 1, nothing.
  PitchListener& listener = *PitchListener::sharedListener();
  const auto groupOf = [](std::uint32_t bin, double d) { return static_cast<std::uint32_t>(std::round(bin / d)); };
  std::vector<std::pair<std::uint32_t, double>> spikes{{1000, 0.9}};
  for (std::uint32_t i = 0; i < 40; ++i) spikes.emplace_back(i, 10.5);
  for (std::uint32_t i = kBins - 12; i < kBins; ++i) spikes.emplace_back(i, 10.5);
  for (const auto& [bin, magnitude] : spikes) {
    std::fill_n(listener.freq_db(), kBins, 0.0);
    listener.freq_db()[bin] = magnitude;
    listener.addHarmonics();
    std::vector<double> expected(kBins, 0.0);
    expected[bin] += magnitude;
    for (const double d : {2.0, 3.0}) {
      if (groupOf(bin, d) < groupOf(kBins - 1, d)) expected[groupOf(bin, d)] += std::floor(magnitude);
    }
    for (std::uint32_t i = 0; i < kBins; ++i) {
      const double h = listener.freq_db_harmonic()[i];
      if (h != expected[i]) ADD_FAILURE() << "spike at " << bin << ": H[" << i << "] = " << h;
    }
  }
}

}  // namespace
}  // namespace balalaika
