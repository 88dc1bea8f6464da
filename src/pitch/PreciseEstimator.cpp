#include "pitch/PreciseEstimator.h"

#include <kissfft/kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "pitch/MainsTones.h"
#include "pitch/ParabolaPeak.h"

namespace balalaika {
namespace {

// Twice the longest buffer: the circular autocorrelation of the zero-padded buffer is then
// the linear one at every lag.
constexpr std::uint32_t kTransformLength = 2 * PreciseEstimator::kMaxSamples;
constexpr std::uint32_t kTransformBins = kTransformLength / 2 + 1;
// Of the NSDF's peaks, the first that reaches this share of the highest is the period.
constexpr double kPeakShare = 0.9;
// How much higher n must stand at twice the period to take that lag instead.
constexpr double kSubharmonicRise = 0.015;
// Power at the odd harmonics of half the pitch, as a share of the power at the pitch's own
// harmonics, below which the sound has no partials an octave lower to move to.
constexpr double kSubharmonicShare = 0.01;
// Below the pitch, noise can hide the fundamental of a sound whose octave is much stronger and
// lift n at the shorter lag: where its low odd partials stand clearly out of the noise around
// them, twice the lag takes over even when n there lies this much lower. The odd harmonics of
// half the pitch up to kLowSubharmonics count, and must reach kLowSubharmonicShare of the power
// of the even ones (the harmonics of the pitch itself) up to twice as high.
constexpr double kNoisySubharmonicSlack = 0.05;
constexpr double kLowSubharmonicShare = 0.005;
constexpr std::uint32_t kLowSubharmonics = 7;
// How high, as a share of the highest, a peak at half the period must stand to take over.
constexpr double kHalfPeriodShare = 0.5;
// How many times the spectrum's median a partial must exceed to count as a partial.
constexpr double kNoiseMargin = 6.0;
// Partials compared in the octave check: up to this many harmonics of half the pitch.
constexpr std::uint32_t kSubharmonicPartials = 16;
// How far from where it should lie a partial may be found, as a share of its frequency, besides
// its stretch: the pitch the check starts from is known to a few cents.
constexpr double kPlacement = 0.01;
constexpr double kWidestReach = 0.08;  // of the spacing of the partials
// Mains hum and its octave (50, 60, 100, 120 Hz): no string of the tunings lies within a
// semitone and a half of them, and a buffer that reads one of them within kMainsShare holds
// hum, not a string. The tuner shows no reading for it rather than a frequency no string has.
constexpr double kMains[] = {50.0, 60.0, 100.0, 120.0};
constexpr double kMainsShare = 0.01;
// Hum under a string lifts n where its period meets a whole number of the string's periods (D3's
// third, D4's sixth, 2 % from 50 Hz); that peak can stand above the string's own and read as
// hum. Where hum is heard, a peak within this share of a mains period is hum's, not the string's:
// it neither sets the height the others are judged by nor is taken, when any other peak is there.
// Where none is heard, the peak is the string's own: a string tuned up from below passes 100 Hz.
constexpr double kMainsPeriodShare = 0.05;
// Hum is heard when 50 or 60 Hz stands out of the noise with this share of the string's power (of
// the buffer's, before the period is chosen).
constexpr double kHumShare = 1e-4;
// Hum's tones nearer than this share to a string's partial are not measured: the peak may be the
// string's.
constexpr double kHumApart = 0.03;

// n's peak at the whole lag, placed between whole lags. Its height lets peaks at different lags
// be compared fairly, however far each lies from a whole lag.
ParabolaPeak peakAt(const std::vector<double>& n, std::uint32_t lag) {
  return parabolaPeak(n[lag - 1], n[lag], n[lag + 1], 0.5);
}
double peakHeight(const std::vector<double>& n, std::uint32_t lag) { return peakAt(n, lag).height; }

}  // namespace

struct PreciseEstimator::Buffers {
  kiss_fftr_cfg forward = kiss_fftr_alloc(static_cast<int>(kTransformLength), 0, nullptr, nullptr);
  kiss_fftr_cfg inverse = kiss_fftr_alloc(static_cast<int>(kTransformLength), 1, nullptr, nullptr);
  std::vector<float> signal = std::vector<float>(kTransformLength);
  std::vector<kiss_fft_cpx> spectrum = std::vector<kiss_fft_cpx>(kTransformBins);
  std::vector<double> power = std::vector<double>(kTransformBins);  // of the buffer, for the octave check
  std::vector<double> scratch = std::vector<double>(kTransformBins);

  std::vector<float> autocorrelation = std::vector<float>(kTransformLength);  // times kTransformLength
  std::vector<double> energyPrefix = std::vector<double>(kMaxSamples + 1);  // sums of x^2
  std::vector<double> nsdf;           // n(tau)

  ~Buffers() {
    kiss_fftr_free(forward);
    kiss_fftr_free(inverse);
  }
};

PreciseEstimator::PreciseEstimator(double sampleRate)
    : sampleRate_(sampleRate),
      minLag_(static_cast<std::uint32_t>(std::floor(sampleRate / kHighestHertz))),
      maxLag_(static_cast<std::uint32_t>(std::ceil(sampleRate / kLowestHertz))),
      buffers_(std::make_unique<Buffers>()),
      partials_(sampleRate) {
  minLag_ = std::max<std::uint32_t>(minLag_, 2);
  maxLag_ = std::min(maxLag_, kMaxSamples / 2);
  buffers_->nsdf.resize(maxLag_ + 2);
}

PreciseEstimator::~PreciseEstimator() = default;

double PreciseEstimator::estimate(const std::int16_t* samples, std::uint32_t count) {
  if (buffers_->forward == nullptr || buffers_->inverse == nullptr) return 0.0;
  if (!computeNsdf(samples, count)) return 0.0;
  partials_.transform(buffers_->signal.data(), count_);
  const std::uint32_t lag = pickPeriod();
  if (lag == 0) return 0.0;
  // The vertex of n's peak says where the partials lie, within a few cents.
  const double hertz = partials_.measure(sampleRate_ / (lag + peakAt(buffers_->nsdf, lag).offset));
  for (const double mains : kMains) {
    if (std::abs(hertz - mains) <= kMainsShare * mains) return 0.0;
  }
  return hertz;
}

bool PreciseEstimator::computeNsdf(const std::int16_t* samples, std::uint32_t count) {
  Buffers& b = *buffers_;
  count_ = std::min(count, kMaxSamples);
  // At least two periods of the lowest pitch read must fit.
  if (count_ < 2 * maxLag_) return false;

  double mean = 0.0;
  for (std::uint32_t i = 0; i < count_; ++i) mean += samples[i];
  mean /= count_;
  b.energyPrefix[0] = 0.0;
  for (std::uint32_t i = 0; i < count_; ++i) {
    const double x = samples[i] - mean;
    b.signal[i] = static_cast<float>(x);
    b.energyPrefix[i + 1] = b.energyPrefix[i] + x * x;
  }
  std::fill(b.signal.begin() + count_, b.signal.end(), 0.0f);
  const double total = b.energyPrefix[count_];
  if (!(total > 0.0)) return false;

  kiss_fftr(b.forward, b.signal.data(), b.spectrum.data());
  for (std::uint32_t k = 0; k < kTransformBins; ++k) {
    const double re = b.spectrum[k].r;
    const double im = b.spectrum[k].i;
    b.power[k] = re * re + im * im;
    b.spectrum[k] = kiss_fft_cpx{static_cast<float>(b.power[k]), 0.0f};
  }
  kiss_fftri(b.inverse, b.spectrum.data(), b.autocorrelation.data());

  for (std::uint32_t lag = 0; lag <= maxLag_ + 1; ++lag) {
    // Energy of the first count - lag samples and of the last count - lag samples.
    const double m = b.energyPrefix[count_ - lag] + (total - b.energyPrefix[lag]);
    const double r = static_cast<double>(b.autocorrelation[lag]) / kTransformLength;
    b.nsdf[lag] = m > 0.0 ? 2.0 * r / m : 0.0;
  }
  return true;
}

std::uint32_t PreciseEstimator::pickPeriod() {
  const std::vector<double>& n = buffers_->nsdf;
  // Skip the lobe around lag 0: the signal always resembles itself shifted by a few samples.
  std::uint32_t lag = 1;
  while (lag <= maxLag_ && n[lag] > 0.0) ++lag;

  // The highest point of each positive stretch of n (its key maximum).
  std::vector<std::uint32_t> peaks;
  peaks.reserve(64);
  double highest = 0.0;
  while (lag <= maxLag_) {
    while (lag <= maxLag_ && n[lag] <= 0.0) ++lag;
    std::uint32_t best = 0;
    while (lag <= maxLag_ && n[lag] > 0.0) {
      if (best == 0 || n[lag] > n[best]) best = lag;
      ++lag;
    }
    // A stretch still rising at the last lag has its peak outside the range.
    if (best == 0 || best >= maxLag_ || best < minLag_) continue;
    peaks.push_back(best);
  }
  // Where hum is heard, its peaks drop out, unless they are all there is (then the reading is
  // hum, and none). Hum repeats at two of its periods too (30 Hz, within reach for 60 Hz hum). A
  // peak whose pitch has partials above hum's highest tone, two neighbouring harmonics, is a
  // string's all the same: a string tuned up past 100 Hz with hum around. (The peak hum lifts
  // at three of D3's periods has only every third harmonic there.) Each is judged once, and hum
  // is looked for only when a peak lies at a mains period.
  const auto atMainsPeriod = [this](std::uint32_t peak) {
    const double hertz = sampleRate_ / peak;
    return std::any_of(std::begin(kMains), std::end(kMains), [hertz](double mains) {
      return std::abs(hertz - mains) <= kMainsPeriodShare * mains ||
             std::abs(2.0 * hertz - mains) <= kMainsPeriodShare * mains;
    });
  };
  if (std::any_of(peaks.begin(), peaks.end(), atMainsPeriod) && humHeard()) {
    const double highestTone = *std::max_element(std::begin(kMainsHertz), std::end(kMainsHertz));
    const auto stringsOwn = [&](std::uint32_t peak) {
      // The first partial, where it stands and is not hum's own tone, places the harmonics better
      // than n's vertex, which a stiff string's sharp upper partials pull up.
      double pitch = sampleRate_ / (peak + peakAt(n, peak).offset);
      double first = 0.0;
      if (partials_.standingPower(pitch, pitch, nullptr, &first) > 0.0 && !nearerMainsTone(first, pitch)) pitch = first;
      const double above = std::floor(highestTone / pitch) + 1.0;
      return shareOfBuffer(partials_.standingPower(above * pitch, pitch)) >= kHumShare &&
             shareOfBuffer(partials_.standingPower((above + 1.0) * pitch, pitch)) >= kHumShare;
    };
    std::vector<std::uint32_t> kept;
    kept.reserve(peaks.size());
    for (const std::uint32_t peak : peaks) {
      if (!atMainsPeriod(peak) || stringsOwn(peak)) kept.push_back(peak);
    }
    if (!kept.empty()) peaks = std::move(kept);
  }
  for (const std::uint32_t peak : peaks) highest = std::max(highest, peakHeight(n, peak));
  if (highest < kMinimumClarity) return 0;
  std::uint32_t chosen = peaks.front();
  for (const std::uint32_t peak : peaks) {
    if (peakHeight(n, peak) >= kPeakShare * highest) {
      chosen = peak;
      break;
    }
  }
  // The other way: a peak at half the chosen lag, short of the share above but still clear,
  // is the period when the sound has no partials between its harmonics. Then the signal
  // repeats better at the longer lag only because its partials drift a little apart
  // (a sitar's buzzing bridge).
  // So is a peak at a third of the lag when the sound has no partials but every third harmonic
  // of the longer period: hum under a decaying string can lift n there.
  for (bool moved = true; moved;) {
    moved = false;
    for (const std::uint32_t parts : {2u, 3u}) {
      const double target = static_cast<double>(chosen) / parts;
      for (const std::uint32_t peak : peaks) {
        const bool there = std::abs(peak - target) <= 0.03 * target + 1.0;
        if (there && peakHeight(n, peak) >= kHalfPeriodShare * highest &&
            !hasPartialsBetween(chosen + peakAt(n, chosen).offset, parts)) {
          chosen = peak;
          moved = true;
          break;
        }
      }
      if (moved) break;
    }
  }
  // Octave check: a peak at twice the chosen lag that stands clearly higher means the signal
  // only nearly repeats at the chosen lag (its odd partials are weak) and truly repeats at the
  // longer one. (The same check at three times the lag misread strings with sympathetic drones.)
  for (bool moved = true; moved;) {
    moved = false;
    const double target = 2.0 * chosen;
    for (const std::uint32_t peak : peaks) {
      if (std::abs(peak - target) > 0.03 * target + 1.0) continue;
      const double rise = peakHeight(n, peak) - peakHeight(n, chosen);
      // Low odd partials let the longer lag take over even a little lower than the chosen one;
      // hum can hold it down below the string's own height, so that comparison takes hum's share
      // of n out of both heights (weighed only when the first test fails).
      if ((rise >= kSubharmonicRise && hasSubharmonics(chosen)) ||
          (rise - humRise(chosen, peak) >= -kNoisySubharmonicSlack && hasLowSubharmonics(chosen))) {
        chosen = peak;
        moved = true;
        break;
      }
    }
  }
  return chosen;
}

double PreciseEstimator::shareOfBuffer(double peakPower) const {
  // The Hann-windowed spectrum's peak of a sinusoid of amplitude A is P = (A N / 4)^2, and its
  // power is A^2 / 2.
  const double meanPower = buffers_->energyPrefix[count_] / count_;
  return 8.0 * peakPower / (static_cast<double>(count_) * count_ * meanPower);
}

double PreciseEstimator::toneShare(double hertz) { return shareOfBuffer(partials_.standingPower(hertz, kMains[0])); }

bool PreciseEstimator::humHeard() {
  // A peak counts as hum only where it lies: within a spectral bin or two of 50 Hz also lies a
  // string tuned a few per cent away from it.
  for (const double mains : {kMains[0], kMains[1]}) {
    double peak = 0.0;
    const double power = partials_.standingPower(mains, kMains[0], nullptr, &peak);
    if (std::abs(peak - mains) <= kMainsShare * mains && shareOfBuffer(power) >= kHumShare) return true;
  }
  return false;
}

double PreciseEstimator::humRise(std::uint32_t from, std::uint32_t to) {
  // A steady tone holding share s of the buffer's power adds s cos(2 pi f tau) to n at lag tau. A
  // tone beside a harmonic of half the pitch of from is left alone: the peak there may be the
  // string's.
  const double turn = 2.0 * std::numbers::pi / sampleRate_;
  const double fromLag = from + peakAt(buffers_->nsdf, from).offset;
  const double toLag = to + peakAt(buffers_->nsdf, to).offset;
  const double half = 0.5 * sampleRate_ / fromLag;
  double rise = 0.0;
  for (const double tone : kMainsHertz) {
    const double nearest = std::max(1.0, std::round(tone / half)) * half;
    if (std::abs(tone - nearest) < kHumApart * tone) continue;
    rise += toneShare(tone) * (std::cos(turn * tone * toLag) - std::cos(turn * tone * fromLag));
  }
  return rise;
}

bool PreciseEstimator::hasSubharmonics(std::uint32_t lag) {
  return hasPartialsBetween(2.0 * (lag + peakAt(buffers_->nsdf, lag).offset), 2);
}

bool PreciseEstimator::hasPartialsBetween(double lag, std::uint32_t parts) {
  const std::vector<double>& power = buffers_->power;
  // The pitch of lag, in bins of the power spectrum. The lag is the vertex of n's peak: a whole
  // lag misplaces the higher partials by more than their reach (A4 25 c sharp lies half a lag
  // from a whole one, which puts its eighth partial a quarter of a spacing off), and the skirts
  // of the partials then fill the places between them.
  const double half = static_cast<double>(kTransformLength) / lag;
  // Each partial is the highest bin near where it should lie: real strings stretch their upper
  // partials, the more the higher (by up to PartialPitch::kMaxStretch), so the reach grows with
  // the harmonic number, up to a share of the spacing that keeps a partial's own skirt from
  // counting for its neighbour. A low partial's reach stays narrow, so that mains hum a few hertz
  // beside it is not taken for it.
  const auto reachOf = [half](std::uint32_t h) {
    const double share = kPlacement + 0.5 * PartialPitch::kMaxStretch * h * h;
    return static_cast<std::int64_t>(std::max(1.0, std::min(kWidestReach, share * h) * half));
  };
  const auto top = std::min(static_cast<std::int64_t>(std::lround(kSubharmonicPartials * half)) +
                                reachOf(kSubharmonicPartials),
                            static_cast<std::int64_t>(kTransformBins) - 1);
  // Noise fills every bin: a partial counts by how far it stands above the spectrum's floor.
  // The median over the bins compared is that floor; the highest of a few bins of noise alone
  // lies a few times above it.
  std::vector<double>& floor = buffers_->scratch;
  floor.assign(power.begin() + 1, power.begin() + top + 1);
  std::nth_element(floor.begin(), floor.begin() + floor.size() / 2, floor.end());
  const double noise = kNoiseMargin * floor[floor.size() / 2];
  double between = 0.0;
  double on = 0.0;
  for (std::uint32_t h = 1; h <= kSubharmonicPartials; ++h) {
    const auto centre = static_cast<std::int64_t>(std::lround(h * half));
    const std::int64_t reach = reachOf(h);
    if (centre + reach + 1 > top) break;
    if (centre - reach < 2) continue;
    double highest = 0.0;
    for (std::int64_t k = centre - reach; k <= centre + reach; ++k) {
      highest = std::max(highest, power[static_cast<std::size_t>(k)]);
    }
    // A partial is a peak of its own: where a bin just beyond the reach stands as high, what lies
    // within is the skirt of something beside it (mains hum a few hertz away).
    if (power[static_cast<std::size_t>(centre - reach - 1)] >= highest ||
        power[static_cast<std::size_t>(centre + reach + 1)] >= highest) {
      continue;
    }
    (h % parts != 0 ? between : on) += std::max(0.0, highest - noise);
  }
  return between >= kSubharmonicShare * on;
}

bool PreciseEstimator::hasLowSubharmonics(std::uint32_t lag) {
  // Placed from the vertex of n's peak: a whole lag misplaces the seventh harmonic by several bins.
  const double half = 0.5 * sampleRate_ / (lag + peakAt(buffers_->nsdf, lag).offset);
  double even = 0.0;
  for (std::uint32_t h = 2; h <= 2 * kLowSubharmonics; h += 2) even += partials_.standingPower(h * half, half);
  if (!(even > 0.0)) return false;
  // Where hum is heard, a peak nearer one of its tones than the partial's place is the hum's: hum's
  // 150 Hz, beside half of D4, would pass for D3.
  const bool hum = partials_.standingPower(kMains[0], kMains[0]) >= kHumShare * even ||
                   partials_.standingPower(kMains[1], kMains[0]) >= kHumShare * even;
  double odd = 0.0;
  for (std::uint32_t h = 1; h <= kLowSubharmonics; h += 2) {
    double peak = 0.0;
    const double power = partials_.standingPower(h * half, half, nullptr, &peak);
    if (power > 0.0 && !(hum && nearerMainsTone(peak, h * half))) odd += power;
  }
  return odd >= kLowSubharmonicShare * even;
}

}  // namespace balalaika
