#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "demo_recording/Synth.h"
#include "pitch/PreciseEstimator.h"

namespace balalaika {
namespace {

constexpr double kRate = 14039.0;

double cents(double measured, double expected) { return 1200.0 * std::log2(measured / expected); }

double estimateOf(const std::vector<float>& audio) {
  PreciseEstimator estimator(kRate);
  const auto samples = synth::toInt16(audio);
  return estimator.estimate(samples.data(), 4096);
}

// The eleven target pitches of the five tunings, equal-tempered from A4 = 440 Hz.
const double kTargets[] = {440.0, 329.628, 293.665, 220.0, 164.814, 146.832, 110.0, 82.407, 73.416, 55.0, 41.203};

TEST(PreciseEstimator, GivenASineOfEveryTargetPitchThenItReadsThatPitchWithinATenthOfACent) {
  for (const double target : kTargets) {
    for (const double detune : {-4.0, 0.0, 6.0}) {
      const double hertz = synth::detuned(target, detune);
      SCOPED_TRACE(hertz);
      EXPECT_NEAR(cents(estimateOf(synth::sine(hertz, 0.3, kRate, 0.3)), hertz), 0.0, 0.1);
      // Quiet, as a reference tone heard from across the room.
      EXPECT_NEAR(cents(estimateOf(synth::sine(hertz, 0.3, kRate, 0.003)), hertz), 0.0, 0.1);
    }
  }
}

// Harmonics 1..10 of hertz; the fundamental at fundamentalShare of the second harmonic.
std::vector<float> weakFundamental(double hertz, double fundamentalShare) {
  std::vector<float> out(4096);
  for (std::size_t n = 0; n < out.size(); ++n) {
    double v = 0.0;
    for (int k = 1; k <= 10; ++k) {
      const double amplitude = k == 1 ? fundamentalShare * 0.7 : 1.0 / std::sqrt(k);
      v += amplitude * std::sin(2.0 * std::numbers::pi * hertz * k * n / kRate + 0.7 * k);
    }
    out[n] = static_cast<float>(0.08 * v);
  }
  return out;
}

// A low string through a small loudspeaker or microphone keeps little of its fundamental, and a
// harmonic sum slips an octave on it. (Odd harmonics only, a string plucked at the middle, are in
// the verdict table of the analysis.)
TEST(PreciseEstimator, GivenAStringWhoseFundamentalIsWeakThenItReadsTheFundamental) {
  for (const double target : kTargets) {
    EXPECT_NEAR(cents(estimateOf(weakFundamental(target, 0.1)), target), 0.0, 1.0) << target;
  }
}

TEST(PreciseEstimator, GivenSilenceNoiseOrNoSamplesThenThereIsNoReading) {
  PreciseEstimator estimator(kRate);
  std::vector<std::int16_t> samples(4096, 0);
  EXPECT_EQ(estimator.estimate(samples.data(), 4096), 0.0);
  samples.assign(4096, 1200);  // a constant offset is silence too
  EXPECT_EQ(estimator.estimate(samples.data(), 4096), 0.0);
  std::mt19937 random(7);
  std::normal_distribution<double> gauss(0.0, 6000.0);
  for (auto& s : samples) s = static_cast<std::int16_t>(std::clamp(gauss(random), -32768.0, 32767.0));
  EXPECT_EQ(estimator.estimate(samples.data(), 4096), 0.0);
  EXPECT_EQ(estimator.estimate(samples.data(), 0), 0.0);
}

// A string's eight lowest harmonics, and a buzz high above that repeats only every second
// period (odd multiples of half the pitch, as a sitar's bridge adds). Such a buzz makes the
// signal repeat better at twice the period, but the pitch heard is that of the harmonics.
std::vector<float> buzzingString(double hertz) {
  std::vector<float> out(4096);
  for (std::size_t n = 0; n < out.size(); ++n) {
    double v = 0.0;
    for (int k = 1; k <= 8; ++k) v += std::sin(2.0 * std::numbers::pi * hertz * k * n / kRate + 0.4 * k) / k;
    for (int k = 2 * 12 + 1; k <= 2 * 16 + 1 && hertz * k / 2.0 < 0.45 * kRate; k += 2) {
      v += 0.06 * std::sin(std::numbers::pi * hertz * k * n / kRate + 1.3 * k);
    }
    out[n] = static_cast<float>(0.1 * v);
  }
  return out;
}

// Harmonics 1..6 of equal strength, harmonic h sharp by (h - 1) times centsPerHarmonic, as on a
// thick low string, or a sample played octaves below the note it was recorded at.
std::vector<float> stretchedString(double hertz, double centsPerHarmonic) {
  std::vector<float> out(4096);
  for (std::size_t n = 0; n < out.size(); ++n) {
    double v = 0.0;
    for (int k = 1; k <= 6; ++k) {
      const double partial = synth::detuned(hertz * k, centsPerHarmonic * (k - 1));
      v += std::sin(2.0 * std::numbers::pi * partial * n / kRate + 0.9 * k);
    }
    out[n] = static_cast<float>(0.05 * v);
  }
  return out;
}

TEST(PreciseEstimator, GivenABuzzOrStretchedPartialsThenItReadsThePitchOfTheLowHarmonics) {
  for (const double target : {329.628, 146.832, 110.0}) {
    SCOPED_TRACE(target);
    EXPECT_NEAR(cents(estimateOf(buzzingString(target)), target), 0.0, 1.0);
  }
  // Partials of equal strength, the sixth 25 or 40 cents sharp: the pitch lies near the middle
  // of their pitches, where the refinement must find the peak, not on a whole lag beside it.
  for (const auto& [target, stretch] : {std::pair{41.203, 8.0}, std::pair{55.0, 5.0}}) {
    SCOPED_TRACE(target);
    const double hertz = estimateOf(stretchedString(target, stretch));
    EXPECT_NEAR(cents(hertz, target), 2.5 * stretch, 4.0);
    EXPECT_GT(std::abs(kRate / hertz - std::round(kRate / hertz)), 1e-3) << "a whole lag: " << kRate / hertz;
  }
}

}  // namespace
}  // namespace balalaika
