#pragma once
// A time-domain pitch estimate that does not jump octaves: the normalised square difference
// (NSDF) of the buffer, n(tau) = 2 r(tau) / m(tau), where r is the autocorrelation over the lags'
// overlap and m the energy of both overlapping parts. n is 1 at a lag where the signal repeats
// exactly and near 0 where it does not, whatever its level or its decay. Of the positive
// peaks of n, the first one that reaches 0.9 of the highest is the period: a lag one period
// too long (an octave low) never comes first. A half period (an octave high) can come first
// when the odd partials are weak, so a peak at twice the chosen lag that stands clearly higher
// takes over; so does one where noise below the pitch hides the fundamental but the low odd
// partials of the longer period still stand out of the noise around them. The other way, a
// peak at a half or a third of the lag takes over when the sound has no partials between the
// harmonics of the shorter period. Mains hum under a string is periodic too, and lifts n where
// its period meets a whole number of the string's: such peaks, at a mains period, are left out
// when the string has peaks of its own. The period only says where to look for the partials: the
// pitch given is the string's fundamental (PartialPitch), fitted to the trusted partials with
// their stretch, so that the sharp upper partials of a stiff string do not pull it up.
//
// Works on the same buffers as the listener's estimate: signed 16-bit mono samples, at most
// kMaxSamples of them. Reads 30 Hz to 1500 Hz, except mains hum (within 1 % of 50, 60, 100 or
// 120 Hz), which reads 0. Not thread-safe: one estimator per thread.

#include <cstdint>
#include <memory>

#include "pitch/PartialPitch.h"

namespace balalaika {

class PreciseEstimator {
 public:
  static constexpr std::uint32_t kMaxSamples = 4096;
  static constexpr double kLowestHertz = 30.0;
  static constexpr double kHighestHertz = 1500.0;
  // Peaks of n below this say the buffer holds no periodic sound (silence, noise).
  static constexpr double kMinimumClarity = 0.5;

  explicit PreciseEstimator(double sampleRate);
  ~PreciseEstimator();
  PreciseEstimator(const PreciseEstimator&) = delete;
  PreciseEstimator& operator=(const PreciseEstimator&) = delete;

  // Pitch in hertz of count samples (count above kMaxSamples reads the first kMaxSamples);
  // 0 when the buffer holds no clear periodic sound in the range.
  double estimate(const std::int16_t* samples, std::uint32_t count);

 private:
  struct Buffers;
  // Fills the NSDF for lags 0..maxLag_ and the power spectrum; false when the buffer is silent.
  bool computeNsdf(const std::int16_t* samples, std::uint32_t count);
  // The lag of the chosen NSDF peak, or 0 when there is none.
  std::uint32_t pickPeriod();
  // Whether the buffer has partials at the odd harmonics of half the pitch of lag: without
  // them the sound does not repeat at twice the lag, however closely its n says it does.
  bool hasSubharmonics(std::uint32_t lag);
  // Whether the buffer has partials at the harmonics of the pitch of lag that are not multiples
  // of parts, beside those that are.
  bool hasPartialsBetween(double lag, std::uint32_t parts);
  // Whether the low odd harmonics of half the pitch of lag (1, 3, 5, 7) stand out of the noise
  // around them, with some power beside that of its even ones.
  bool hasLowSubharmonics(std::uint32_t lag);
  // How much higher the mains hum in the buffer stands n at lag to than at lag from: the sum of
  // its tones' shares of the buffer's power times their cosines' difference. Tones beside a
  // harmonic of half the pitch of from, which may be the string's own partials, are left out.
  double humRise(std::uint32_t from, std::uint32_t to);
  // Whether 50 or 60 Hz stands out of the noise with kHumShare of the buffer's power.
  bool humHeard();
  // The share of the buffer's power a steady tone at hertz holds, read from its spectral peak;
  // and that share for a peak of the given power.
  double toneShare(double hertz);
  double shareOfBuffer(double peakPower) const;

  double sampleRate_;
  std::uint32_t minLag_;
  std::uint32_t maxLag_;
  std::uint32_t count_ = 0;
  std::unique_ptr<Buffers> buffers_;
  PartialPitch partials_;
};

}  // namespace balalaika
