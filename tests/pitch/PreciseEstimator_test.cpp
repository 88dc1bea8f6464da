#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <tuple>
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

struct Partial {
  double hertz, amplitude, phase;
};

// 4096 samples of the partials' sum, scaled by gain.
std::vector<float> mix(const std::vector<Partial>& partials, double gain) {
  std::vector<float> out(4096);
  for (std::size_t n = 0; n < out.size(); ++n) {
    double v = 0.0;
    for (const Partial& p : partials) v += p.amplitude * std::sin(2.0 * std::numbers::pi * p.hertz * n / kRate + p.phase);
    out[n] = static_cast<float>(gain * v);
  }
  return out;
}

// The eleven target pitches of the five tunings, equal-tempered from A4 = 440 Hz.
const double kTargets[] = {440.0, 329.628, 293.665, 220.0, 164.814, 146.832, 110.0, 82.407, 73.416, 55.0, 41.203};

TEST(PreciseEstimator, GivenASineOfEveryTargetPitchThenItReadsThatPitchWithinATenthOfACent) {
  for (const double target : kTargets) {
    for (const double detune : {-4.0, 0.0, 6.0}) {
      const double hertz = synth::detuned(target, detune);
      SCOPED_TRACE(hertz);
      for (const double level : {0.3, 0.003})  // and quiet, as a reference tone heard from across the room
        EXPECT_NEAR(cents(estimateOf(synth::sine(hertz, 0.3, kRate, level)), hertz), 0.0, 0.1) << level;
    }
  }
}

// A string whose octave (second harmonic) is far the strongest partial, as on a harp's low
// strings: the fundamental and the third harmonic some 20 dB below it.
std::vector<float> strongOctave(double hertz) {
  const double amplitudes[] = {0.08, 1.0, 0.1, 0.2, 0.009, 0.0045};
  std::vector<Partial> partials;
  for (int k = 1; k <= 6; ++k) partials.push_back({hertz * k, amplitudes[k - 1], 0.7 * k});
  return mix(partials, 0.1);
}

// Adds noise low-passed at cornerHertz (a room's rumble, pink noise), 10 dB below the signal.
void addRumble(std::vector<float>& audio, double cornerHertz, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss(0.0, 1.0);
  const double smoothing = 1.0 - std::exp(-2.0 * std::numbers::pi * cornerHertz / kRate);
  std::vector<double> noise(2000 + audio.size());  // the first 2000 let the filter settle
  double y = 0.0;
  for (double& v : noise) v = y += smoothing * (gauss(random) - y);
  double noisePower = 0.0, signalPower = 0.0;
  for (std::size_t i = 0; i < audio.size(); ++i) {
    noisePower += noise[2000 + i] * noise[2000 + i];
    signalPower += static_cast<double>(audio[i]) * audio[i];
  }
  const double gain = std::sqrt(signalPower / noisePower / 10.0);
  for (std::size_t i = 0; i < audio.size(); ++i) audio[i] += static_cast<float>(gain * noise[2000 + i]);
}

// A low string through a small loudspeaker or microphone keeps little of its fundamental, and a
// harmonic sum slips an octave on it; noise below the pitch can bury what is left of it, and
// then only the weak third harmonic tells the pitch from its octave. (Odd harmonics only, a
// string plucked at the middle, are in the verdict table of the analysis.)
TEST(PreciseEstimator, GivenAStringWhoseFundamentalIsWeakThenItReadsTheFundamental) {
  for (const double target : kTargets) {
    std::vector<Partial> partials;  // harmonics 1..10, the fundamental a tenth of its usual share
    for (int k = 1; k <= 10; ++k) partials.push_back({target * k, k == 1 ? 0.07 : 1.0 / std::sqrt(k), 0.7 * k});
    EXPECT_NEAR(cents(estimateOf(mix(partials, 0.08)), target), 0.0, 1.0) << target;
  }
  for (const double target : {329.628, 220.0, 146.832, 110.0, 82.407}) {
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
      auto audio = strongOctave(target);
      addRumble(audio, 0.25 * target, seed);
      EXPECT_NEAR(cents(estimateOf(audio), target), 0.0, 5.0) << target << " Hz, noise " << seed;
    }
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
  std::vector<Partial> partials;
  for (int k = 1; k <= 8; ++k) partials.push_back({hertz * k, 1.0 / k, 0.4 * k});
  for (int k = 25; k <= 33 && hertz * k / 2.0 < 0.45 * kRate; k += 2) partials.push_back({hertz * k / 2.0, 0.06, 1.3 * k});
  return mix(partials, 0.1);
}

TEST(PreciseEstimator, GivenABuzzOrStretchedPartialsThenItReadsThePitchOfTheLowHarmonics) {
  for (const double target : {329.628, 146.832, 110.0}) {
    SCOPED_TRACE(target);
    EXPECT_NEAR(cents(estimateOf(buzzingString(target)), target), 0.0, 1.0);
  }
  // Harmonic k of amplitude k^-falloff and sharp by (k - 1) times stretch, as on a thick low string
  // or a sample played octaves below its note: the sixth 25 to 40 cents sharp. The pitch heard is
  // the mean of the partials' pitches (frequency over harmonic number), each weighing by its power.
  for (const auto& [target, stretch, falloff] :
       {std::tuple{41.203, 8.0, 0.0}, std::tuple{55.0, 5.0, 0.0}, std::tuple{110.0, 6.0, 1.0}, std::tuple{220.0, 5.0, 0.5}}) {
    SCOPED_TRACE(target);
    std::vector<Partial> partials;
    double weighted = 0.0, powers = 0.0;
    for (int k = 1; k <= 6; ++k) {
      partials.push_back({synth::detuned(target * k, stretch * (k - 1)), std::pow(k, -falloff), 0.9 * k});
      weighted += std::pow(k, -2.0 * falloff) * partials.back().hertz / k;
      powers += std::pow(k, -2.0 * falloff);
    }
    EXPECT_NEAR(cents(estimateOf(mix(partials, 0.05)), weighted / powers), 0.0, 0.3);
  }
}

}  // namespace
}  // namespace balalaika
