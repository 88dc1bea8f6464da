#pragma once
// The fundamental of a string, from its partials. The partials of a real string do not line up
// exactly: its stiffness stretches them (f_h = h f0 sqrt(1 + B h^2), the upper ones run sharp),
// so an average of each partial's frequency over its harmonic number reads sharp of the string's
// fundamental. The stretch B is fitted to the partials that can be trusted, and each of them,
// unstretched, says where the fundamental lies; so the fundamental is still found when a small
// microphone has lost it.
//
// Each partial is the peak of the Hann-windowed buffer's spectrum within 60 cents of where the
// partial below it puts it, found on a zero-padded transform and then refined on the continuous
// spectrum, evaluated exactly at a few frequencies around it, once mains hum a few hertz beside
// it has been fitted and taken out. Hum nearer than that, within two bins, cannot be taken out:
// where hum is heard, the partial weighs less the louder that hum beside it. Not thread-safe.

#include <cstdint>
#include <memory>

namespace balalaika {

class PartialPitch {
 public:
  static constexpr std::uint32_t kMaxSamples = 4096;
  // Partials measured: harmonics 1..kHarmonics, none above kHighestPartialHertz.
  static constexpr std::uint32_t kHarmonics = 8;
  static constexpr double kHighestPartialHertz = 4000.0;
  // The largest stretch coefficient B of f_h = h f0 sqrt(1 + B h^2) taken: the eighth partial some
  // 40 cents sharp.
  static constexpr double kMaxStretch = 7e-4;

  explicit PartialPitch(double sampleRate);
  ~PartialPitch();
  PartialPitch(const PartialPitch&) = delete;
  PartialPitch& operator=(const PartialPitch&) = delete;

  // Takes count samples (mean removed; at most kMaxSamples of them) for the calls below.
  void transform(const float* samples, std::uint32_t count);
  // Fundamental in hertz of the samples taken, whose pitch lies within some 30 cents of hertz;
  // hertz itself when no partial can be trusted. Takes the mains hum beside the partials out of
  // the samples taken (a second call finds none left to take).
  double measure(double hertz);
  // Power by which the samples' spectrum within 1.5 % of hertz stands above the noise around it
  // (the strongest point there, less a margin times the noise), 0 when it does not. spacing is
  // the distance in hertz to the neighbouring partials, whose peaks the noise leaves out. noise,
  // when given, receives the noise's mean power per bin there; peakHertz, where the peak lies.
  double standingPower(double hertz, double spacing, double* noise = nullptr, double* peakHertz = nullptr);

 private:
  struct Buffers;
  // Whether a mains tone clear of the harmonics of hertz stands out of the spectrum, with at least
  // a small share of loudest, the power of the strongest partial.
  bool humHeard(double hertz, double loudest);
  // Power of the windowed buffer, with the mains hum beside the partials taken out, at each of
  // count frequencies (in bins of the zero-padded transform, fractional), in one pass.
  void powersAt(const double* bins, double* powers, std::uint32_t count) const;

  double sampleRate_;
  std::uint32_t length_ = 0;
  std::unique_ptr<Buffers> buffers_;
};

}  // namespace balalaika
