// How often the precise estimate reads a made string's pitch more than 50 cents off (an octave,
// a twelfth), or not at all, over strings tuned anywhere near the eleven target pitches: random
// partial counts (6-16) and falloffs, stretch, decay and noise, half of them through a phone's low
// cut. Three sets: within 30 cents of a target; within 300 cents, as a string is tuned up from far
// below; and the same with mains hum 20 dB under the string.
// Usage: bt_octave_sweep [CASES_PER_SET [SEED]]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>
#include <vector>

#include "pitch/PreciseEstimator.h"

namespace {

constexpr double kRate = 14039.0;
constexpr std::uint32_t kBuffer = 4096;
const double kTargets[] = {440.0, 329.628, 293.665, 220.0, 164.814, 146.832, 110.0, 82.407, 73.416, 55.0, 41.203};

struct Tally {
  int wrong = 0;
  int none = 0;
};

// One made string's buffer, its first partial's frequency in first.
std::vector<std::int16_t> madeString(std::mt19937& rng, double reachCents, bool hum, double* first) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const double pitch = kTargets[rng() % 11] * std::pow(2.0, (2.0 * u(rng) - 1.0) * reachCents / 1200.0);
  const int count = 6 + static_cast<int>(u(rng) * 11);
  const double falloff = 1.5 * u(rng);
  const bool cut = u(rng) < 0.5;
  const double decay = 4.0 * u(rng);
  const double noise = u(rng) < 0.5 ? 0.0 : std::pow(10.0, -(20.0 + 30.0 * u(rng)) / 20.0);
  const double stretch = u(rng) < 0.5 ? 0.0 : 3e-4 * u(rng);
  struct Tone {
    double hertz, amplitude, phase;
  };
  std::vector<Tone> tones;
  for (int k = 1; k <= count && pitch * k < 0.45 * kRate; ++k) {
    const double hertz = pitch * k * std::sqrt(1.0 + stretch * k * k);
    double amplitude = std::pow(k, -falloff) * std::pow(10.0, (12.0 * u(rng) - 6.0) / 20.0);
    if (cut) amplitude /= std::sqrt(1.0 + std::pow(100.0 / hertz, 8.0));  // 4th-order, 100 Hz
    tones.push_back({hertz, amplitude, 2.0 * std::numbers::pi * u(rng)});
  }
  *first = tones.front().hertz;
  std::vector<double> x(kBuffer);
  double power = 0.0;
  for (std::uint32_t n = 0; n < kBuffer; ++n) {
    for (const Tone& t : tones) x[n] += t.amplitude * std::sin(2.0 * std::numbers::pi * t.hertz * n / kRate + t.phase);
    x[n] *= std::exp(-decay * n / kRate);
    power += x[n] * x[n] / kBuffer;
  }
  if (hum) {
    // 50 or 60 Hz with harmonics 2-4 (amplitudes 1, 0.5, 0.3, 0.2), 20 dB under the string.
    const double mains = rng() % 2 ? 50.0 : 60.0;
    const double shares[] = {1.0, 0.5, 0.3, 0.2};
    const double level = std::sqrt(power / 100.0 / (0.5 * (1.0 + 0.25 + 0.09 + 0.04)));
    const double phase = 2.0 * std::numbers::pi * u(rng);
    for (std::uint32_t n = 0; n < kBuffer; ++n) {
      for (int k = 1; k <= 4; ++k) x[n] += level * shares[k - 1] * std::sin(2.0 * std::numbers::pi * mains * k * n / kRate + phase * k);
    }
  }
  std::normal_distribution<double> gauss(0.0, 1.0);
  for (double& v : x) v += noise * std::sqrt(power) * gauss(rng);
  const double peak = *std::max_element(x.begin(), x.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
  std::vector<std::int16_t> samples(kBuffer);
  for (std::uint32_t n = 0; n < kBuffer; ++n) samples[n] = static_cast<std::int16_t>(std::lround(10000.0 * x[n] / std::abs(peak)));
  return samples;
}

Tally sweep(int cases, std::uint32_t seed, double reachCents, bool hum) {
  std::mt19937 rng(seed);
  balalaika::PreciseEstimator estimator(kRate);
  Tally tally;
  for (int i = 0; i < cases; ++i) {
    double first = 0.0;
    const auto samples = madeString(rng, reachCents, hum, &first);
    const double reading = estimator.estimate(samples.data(), kBuffer);
    if (reading <= 0.0) {
      ++tally.none;
    } else if (std::abs(1200.0 * std::log2(reading / first)) > 50.0) {
      ++tally.wrong;
    }
  }
  return tally;
}

}  // namespace

int main(int argc, char** argv) {
  const int cases = argc > 1 ? std::atoi(argv[1]) : 3000;
  const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::atoi(argv[2]) : 1);
  const struct {
    const char* name;
    double reachCents;
    bool hum;
  } sets[] = {{"within 30 c of a target", 30.0, false},
              {"within 300 c of a target", 300.0, false},
              {"within 300 c, mains hum 20 dB under", 300.0, true}};
  for (const auto& set : sets) {
    const Tally t = sweep(cases, seed, set.reachCents, set.hum);
    std::printf("%-38s %d strings: %d read more than 50 c off (%.2f %%), %d read nothing (%.2f %%)\n", set.name, cases,
                t.wrong, 100.0 * t.wrong / cases, t.none, 100.0 * t.none / cases);
  }
  return 0;
}
