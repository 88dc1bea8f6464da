#pragma once
// The pitch a listener tunes a string to, from its partials: each strong partial's frequency
// divided by its harmonic number, weighted by its power. The partials of a real string do not
// line up exactly (the upper ones run sharp, each drifts a little as it decays), so a pitch
// read from the period of the whole waveform can sit a cent or more away from this one.
//
// Each partial is the peak of the Hann-windowed buffer's spectrum within 60 cents of its
// harmonic of a pitch already known about, found on a zero-padded transform and then refined on
// the continuous spectrum, evaluated exactly at a few frequencies around it. Not thread-safe.

#include <cstdint>
#include <memory>

namespace balalaika {

class PartialPitch {
 public:
  static constexpr std::uint32_t kMaxSamples = 4096;
  // Partials measured: harmonics 1..kHarmonics, none above kHighestPartialHertz.
  static constexpr std::uint32_t kHarmonics = 8;
  static constexpr double kHighestPartialHertz = 4000.0;
  // A partial counts when its amplitude reaches this share of the strongest partial's.
  static constexpr double kStrongShare = 0.1;

  explicit PartialPitch(double sampleRate);
  ~PartialPitch();
  PartialPitch(const PartialPitch&) = delete;
  PartialPitch& operator=(const PartialPitch&) = delete;

  // Takes count samples (mean removed; at most kMaxSamples of them) for the calls below.
  void transform(const float* samples, std::uint32_t count);
  // Pitch in hertz of the samples taken, whose pitch lies within some 30 cents of hertz;
  // hertz itself when no partial can be measured.
  double measure(double hertz);
  // Power by which the samples' spectrum within 1.5 % of hertz stands above the noise around it
  // (the strongest point there, less a margin times the noise), 0 when it does not. spacing is
  // the distance in hertz to the neighbouring partials, whose peaks the noise leaves out.
  double standingPower(double hertz, double spacing);

 private:
  struct Buffers;
  // Power of the windowed buffer at each of count frequencies (in bins of the zero-padded
  // transform, fractional), all in one pass over the samples.
  void powersAt(const double* bins, double* powers, std::uint32_t count) const;

  double sampleRate_;
  std::uint32_t length_ = 0;
  std::unique_ptr<Buffers> buffers_;
};

}  // namespace balalaika
