#include "pitch/PartialPitch.h"

#include <kissfft/kiss_fftr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "pitch/MainsTones.h"
#include "pitch/ParabolaPeak.h"

namespace balalaika {
namespace {

// Twice the longest buffer: the transform samples the continuous spectrum every half bin.
constexpr std::uint32_t kTransformLength = 2 * PartialPitch::kMaxSamples;
constexpr std::uint32_t kTransformBins = kTransformLength / 2 + 1;
// How far from its harmonic of the given pitch a partial is sought.
constexpr double kSearchCents = 60.0;
// Spacing, in bins of the transform, of the three exact evaluations around each partial's peak
// as the transform's coarse parabola places it: so close together, the parabola through them
// places the peak to some thousandths of a cent.
constexpr double kRefineStep = 0.1;
// How far from its place a partial's peak is sought, as a share of its frequency (real strings
// stretch their upper partials by a few cents).
constexpr double kStandingReach = 0.015;
// The noise around a partial is judged over at least this many bins each side.
constexpr double kNoiseSpan = 16.0;
// The lower quartile of noise's power, as a share of its mean (power of a bin of noise is
// spread exponentially), and how many times the mean a peak must exceed to stand out of it.
constexpr double kQuartileOfMean = 0.288;
constexpr double kNoiseMargin = 8.0;
constexpr std::uint32_t kMaxEvaluations = 3 * PartialPitch::kHarmonics;
// A partial is trusted when its power reaches this share of the strongest partial's.
constexpr double kTrustedShare = 1e-3;
// Trusted partials needed to fit the stretch of a string's partials.
constexpr std::uint32_t kFitPartials = 3;
// How far a partial's peak strays, in cents squared of f0, times its power over the noise around
// it, its harmonic number squared and f0 squared in bins: a third of a bin over the square root
// of the partial's power over the noise, in cents. Checked on sampled strings: a tenth of it, or
// ten times it, read worse.
constexpr double kPeakScatter = 2.7e5;
// How far, in cents squared per (h^2 - 1)^2, the partials of sampled strings stray from the
// stretch model: some 3 cents at the eighth.
constexpr double kModelScatter = 0.0023;
// And how far every partial above the first strays at least, in cents squared: the second partial
// of a sampled steel string can lie 10 cents off twice its first. Checked on sampled strings: 0.1
// or 1 read worse, with a microphone's noise and hum.
constexpr double kModelFloor = 0.3;
// No partial is surer than this (cents squared), so that a noiseless one keeps a finite weight.
constexpr double kLeastScatter = 1e-12;
// Mains hum is taken out beside a partial from this many bins of the unpadded buffer away to this
// many. Nearer, the fit cannot tell the two apart (A1, 5 Hz from both 50 and 60 Hz, read worse
// with them taken out); farther, the window's skirt pulls the partial little.
constexpr double kMainsNearest = 2.0;
constexpr double kMainsFarthest = 3.5;
// Nearer than kMainsNearest, down to kMainsInLobe bins, the hum is fitted with the partial only to
// learn how loud it is beside it. Nearer still it merges with the partial and hardly moves its peak.
constexpr double kMainsInLobe = 0.25;
// Hum is heard in the buffer when a mains tone at least this many bins from every harmonic of the
// pitch stands out of the noise with kHumShare of the strongest partial's power: its neighbours
// beside the partials are then hum too, not the string's own sound.
constexpr double kHumClear = 3.0;
constexpr double kHumShare = 3e-4;
constexpr double kCentsPerRatio = 1200.0 / std::numbers::ln2;

// The peak of three powers at equal spacing, through their logarithms: near its top a windowed
// partial's log power is close to a parabola. The height is the log of the peak's power.
ParabolaPeak logPeak(double left, double centre, double right) {
  constexpr double kFloor = 1e-30;
  return parabolaPeak(std::log(left + kFloor), std::log(centre + kFloor), std::log(right + kFloor), 1.0);
}

}  // namespace

struct PartialPitch::Buffers {
  kiss_fftr_cfg forward = kiss_fftr_alloc(static_cast<int>(kTransformLength), 0, nullptr, nullptr);
  std::vector<float> windowed = std::vector<float>(kTransformLength);
  std::vector<double> window = std::vector<double>(PartialPitch::kMaxSamples);
  std::uint32_t windowLength = 0;  // the length window holds the Hann window of
  std::vector<kiss_fft_cpx> spectrum = std::vector<kiss_fft_cpx>(kTransformBins);
  std::vector<double> power = std::vector<double>(kTransformBins);
  std::vector<double> scratch = std::vector<double>(kTransformBins);  // sized up front: no allocation later

  ~Buffers() { kiss_fftr_free(forward); }
};

PartialPitch::PartialPitch(double sampleRate) : sampleRate_(sampleRate), buffers_(std::make_unique<Buffers>()) {}

PartialPitch::~PartialPitch() = default;

void PartialPitch::transform(const float* samples, std::uint32_t count) {
  Buffers& b = *buffers_;
  length_ = std::min(count, kMaxSamples);
  if (b.forward == nullptr || length_ < 4) {
    length_ = 0;
    return;
  }

  // The Hann window keeps each partial's skirt from reaching its neighbours. Buffers keep one
  // length, so it is made again only when the length changes.
  if (b.windowLength != length_) {
    const double turn = 2.0 * std::numbers::pi / (length_ - 1);
    for (std::uint32_t i = 0; i < length_; ++i) b.window[i] = 0.5 - 0.5 * std::cos(turn * i);
    b.windowLength = length_;
  }
  for (std::uint32_t i = 0; i < length_; ++i) b.windowed[i] = static_cast<float>(samples[i] * b.window[i]);
  std::fill(b.windowed.begin() + length_, b.windowed.end(), 0.0f);
  kiss_fftr(b.forward, b.windowed.data(), b.spectrum.data());
  for (std::uint32_t k = 0; k < kTransformBins; ++k) {
    b.power[k] = static_cast<double>(b.spectrum[k].r) * b.spectrum[k].r +
                 static_cast<double>(b.spectrum[k].i) * b.spectrum[k].i;
  }
}

double PartialPitch::standingPower(double hertz, double spacing, double* noise, double* peakHertz) {
  Buffers& b = *buffers_;
  if (length_ == 0) return 0.0;
  const double binHertz = sampleRate_ / kTransformLength;
  const double centre = hertz / binHertz;
  const auto middle = static_cast<std::int64_t>(std::lround(centre));
  const auto reach = static_cast<std::int64_t>(std::max(2.0, kStandingReach * centre));
  const auto around = static_cast<std::int64_t>(std::max(kNoiseSpan, spacing / binHertz));
  const auto first = std::max<std::int64_t>(middle - around, 1);
  const auto last = std::min<std::int64_t>(middle + around, kTransformBins - 1);
  if (middle - reach <= first || middle + reach >= last) return 0.0;
  std::int64_t top = middle - reach;
  for (std::int64_t k = middle - reach; k <= middle + reach; ++k) {
    if (b.power[k] > b.power[top]) top = k;
  }
  const double peak = b.power[top];
  // The skirt of something beside it rises towards the edge and beyond: no peak of its own. Nor
  // is it when the highest bin is the near flank of a peak whose top lies beyond the reach
  // (mains hum a few hertz away, between two bins).
  if (b.power[middle - reach - 1] >= peak || b.power[middle + reach + 1] >= peak) return 0.0;
  const double vertex = top + logPeak(b.power[top - 1], peak, b.power[top + 1]).offset;
  if (std::abs(vertex - centre) > reach) return 0.0;
  if (peakHertz != nullptr) *peakHertz = vertex * binHertz;
  // The noise: the lower quartile of the bins around, which falls between the partials.
  b.scratch.assign(b.power.begin() + first, b.power.begin() + last + 1);
  const auto quartile = b.scratch.begin() + static_cast<std::ptrdiff_t>(b.scratch.size() / 4);
  std::nth_element(b.scratch.begin(), quartile, b.scratch.end());
  if (noise != nullptr) *noise = *quartile / kQuartileOfMean;
  return std::max(0.0, peak - kNoiseMargin * *quartile / kQuartileOfMean);
}

double PartialPitch::measure(double hertz) {
  Buffers& b = *buffers_;
  if (length_ == 0 || !(hertz > 0.0)) return hertz;

  struct Partial {
    std::uint32_t harmonic;
    double bin, place, low, high;  // the peak, where it was sought and the bounds of the search, in bins
    double power;
    double noise;
    bool trusted;
    double hum;  // the loudest mains tone inside the partial's main lobe, as a share of it
  };
  std::array<Partial, kHarmonics> partials{};
  std::uint32_t found = 0;
  const double binHertz = sampleRate_ / kTransformLength;
  const double reach = std::exp2(kSearchCents / 1200.0);
  // Where the next partial is sought: its harmonic number times the frequency per harmonic of the
  // partial below it, so that the search follows a string whose upper partials run sharp.
  double perHarmonic = hertz / binHertz;
  for (std::uint32_t h = 1; h <= kHarmonics; ++h) {
    const double centre = h * perHarmonic;
    const double low = centre / reach;
    const double high = centre * reach;
    if (centre * binHertz > kHighestPartialHertz || high >= kTransformBins - 2) break;
    // The highest bin in the search; the nearest bin when the search falls between two.
    const auto first = std::max<std::uint32_t>(static_cast<std::uint32_t>(std::ceil(low)), 1);
    const auto last = static_cast<std::uint32_t>(std::floor(high));
    std::uint32_t k = std::max<std::uint32_t>(static_cast<std::uint32_t>(std::lround(centre)), 1);
    if (first <= last) {
      k = static_cast<std::uint32_t>(std::max_element(b.power.begin() + first, b.power.begin() + last + 1) -
                                     b.power.begin());
    }
    const ParabolaPeak top = logPeak(b.power[k - 1], b.power[k], b.power[k + 1]);
    const double bin = std::clamp(k + top.offset, low, high);
    partials[found++] = {h, bin, centre, low, high, std::exp(top.height), 0.0, false, 0.0};
    // A peak at the edge of its search is no partial of this string, and says nothing of the next.
    if (bin > low && bin < high && k > first && k < last) perHarmonic = bin / h;
  }
  if (found == 0) return hertz;

  // Mains hum a few hertz beside a partial pulls its peak: taken out of the windowed samples,
  // fitted with the partial, before the peaks are refined on them. (The coarse spectrum, from
  // which partials are found and trusted, was taken before.)
  const double resolution = sampleRate_ / length_;
  for (std::uint32_t j = 0; j < found; ++j) {
    const double partialHertz = partials[j].bin * binHertz;
    std::array<double, kMaxMainsTones> tones{};
    const int count = mainsTonesBeside(partialHertz, kMainsNearest * resolution, kMainsFarthest * resolution, tones.data());
    removeMainsTones(b.windowed.data(), b.window.data(), length_, sampleRate_, partialHertz, tones.data(), count);
  }
  // Hum nearer a partial than kMainsNearest cannot be taken out; it is taken to pull the partial's
  // peak by as much as a bin times the hum's share of it, and the partial is trusted only so far. Judged only where hum is heard
  // elsewhere in the buffer: fitted to a clean string, the tones take up some of its own sound.
  double loudest = 0.0;
  for (std::uint32_t j = 0; j < found; ++j) loudest = std::max(loudest, partials[j].power);
  const bool hum = humHeard(hertz, loudest);
  if (hum) {
    for (std::uint32_t j = 0; j < found; ++j) {
      Partial& p = partials[j];
      const double partialHertz = p.bin * binHertz;
      std::array<double, kMaxMainsTones> tones{};
      const int count = mainsTonesBeside(partialHertz, kMainsInLobe * resolution, kMainsNearest * resolution, tones.data());
      if (count > 0) {
        p.hum = mainsToneShare(b.windowed.data(), b.window.data(), length_, sampleRate_, partialHertz, tones.data(), count);
      }
    }
  }
  std::array<double, kMaxEvaluations> bins{};
  std::array<double, kMaxEvaluations> powers{};
  for (std::uint32_t j = 0; j < found; ++j) {
    bins[3 * j] = partials[j].bin - kRefineStep;
    bins[3 * j + 1] = partials[j].bin;
    bins[3 * j + 2] = partials[j].bin + kRefineStep;
  }
  powersAt(bins.data(), powers.data(), 3 * found);
  double strongest = 0.0;
  for (std::uint32_t j = 0; j < found; ++j) {
    const ParabolaPeak top = logPeak(powers[3 * j], powers[3 * j + 1], powers[3 * j + 2]);
    Partial& p = partials[j];
    p.bin = std::clamp(p.bin + kRefineStep * top.offset, p.low, p.high);
    p.power = std::exp(top.height);
    strongest = std::max(strongest, p.power);
  }
  if (!(strongest > 0.0)) return hertz;

  // Trusted: strong enough beside the strongest, standing out of the noise around it, a peak
  // inside its search rather than the slope of something beyond it, and, where hum is heard, not
  // nearer one of its tones than where the partial was sought (a string's weak first partial
  // beside 150 Hz leaves the hum the highest peak of its search).
  std::uint32_t trusted = 0;
  for (std::uint32_t j = 0; j < found; ++j) {
    Partial& p = partials[j];
    // The noise is judged between this partial and its neighbours, a pitch away either side.
    p.trusted = p.power >= kTrustedShare * strongest && p.bin > p.low && p.bin < p.high &&
                !(hum && nearerMainsTone(p.bin * binHertz, p.place * binHertz)) &&
                standingPower(p.bin * binHertz, hertz, &p.noise) > 0.0;
    trusted += p.trusted;
  }
  if (trusted == 0) return hertz;

  // The string's stiffness stretches its partials: f_h = h f0 sqrt(1 + B h^2), so (f_h / h)^2 is
  // a straight line in h^2 whose intercept is f0^2 and whose slope is f0^2 B. Fitted by weighted
  // least squares when at least kFitPartials partials are trusted; B stays 0 otherwise, and is
  // kept within what strings show.
  double stretch = 0.0;
  if (trusted >= kFitPartials) {
    double sw = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    for (std::uint32_t j = 0; j < found; ++j) {
      const Partial& p = partials[j];
      if (!p.trusted) continue;
      const double x = static_cast<double>(p.harmonic) * p.harmonic;
      const double y = (p.bin / p.harmonic) * (p.bin / p.harmonic);
      sw += p.power;
      sx += p.power * x;
      sy += p.power * y;
      sxx += p.power * x * x;
      sxy += p.power * x * y;
    }
    const double det = sw * sxx - sx * sx;
    if (det > 0.0) {
      const double slope = (sw * sxy - sx * sy) / det;
      const double intercept = (sy - slope * sx) / sw;
      if (intercept > 0.0) stretch = std::clamp(slope / intercept, 0.0, kMaxStretch);
    }
  }
  // Each trusted partial, unstretched, says where f0 lies, and weighs by the inverse of how far
  // it may stray, in cents squared: its own measurement, which scatters as the noise around it
  // over its power, and less the higher the partial (an error in its frequency, over h); and
  // the stretch model, which real strings follow only so far (sampled strings stray from it
  // unevenly, by about as much as they stretch, which grows as h^2 - 1 and is nothing at the
  // first partial). So the first partial all but decides when it stands clear of the noise, and
  // the upper partials place f0 when it is weak, cut or buried.
  // The string's fundamental, its first partial, lies at f0 sqrt(1 + B).
  const double f0Bins = hertz / binHertz;
  double weights = 0.0;
  double sum = 0.0;
  for (std::uint32_t j = 0; j < found; ++j) {
    const Partial& p = partials[j];
    if (!p.trusted) continue;
    const double h = p.harmonic;
    const double h2 = h * h;
    const double measured = kPeakScatter * p.noise / (p.power * h2 * f0Bins * f0Bins);
    const double modelled = p.harmonic > 1 ? kModelFloor + kModelScatter * (h2 - 1.0) * (h2 - 1.0) : 0.0;
    const double pull = kCentsPerRatio * p.hum * resolution / (h * hertz);
    const double weight = 1.0 / std::max(measured + modelled + pull * pull, kLeastScatter);
    weights += weight;
    sum += weight * p.bin * binHertz / (h * std::sqrt(1.0 + stretch * h * h));
  }
  return sum / weights * std::sqrt(1.0 + stretch);
}

bool PartialPitch::humHeard(double hertz, double loudest) {
  const double resolution = sampleRate_ / length_;
  for (const double mains : kMainsHertz) {
    // The harmonics of the pitch on either side of the mains tone.
    const double below = std::floor(mains / hertz);
    const bool clear = (below < 1.0 || mains - below * hertz >= kHumClear * resolution) &&
                       (below + 1.0) * hertz - mains >= kHumClear * resolution;
    if (clear && standingPower(mains, std::min(hertz, kMainsHertz[0])) > kHumShare * loudest) return true;
  }
  return false;
}

void PartialPitch::powersAt(const double* bins, double* powers, std::uint32_t count) const {
  // Goertzel's recursion, one per frequency, run side by side over the samples.
  std::array<double, kMaxEvaluations> coefficient{};
  std::array<double, kMaxEvaluations> s1{};
  std::array<double, kMaxEvaluations> s2{};
  for (std::uint32_t j = 0; j < count; ++j) {
    coefficient[j] = 2.0 * std::cos(2.0 * std::numbers::pi * bins[j] / kTransformLength);
  }
  // All kMaxEvaluations recursions run, a fixed count the compiler vectorises; the unused ones
  // have a zero coefficient and stay bounded.
  const float* x = buffers_->windowed.data();
  for (std::uint32_t n = 0; n < length_; ++n) {
    const double sample = x[n];
    for (std::uint32_t j = 0; j < kMaxEvaluations; ++j) {
      const double s = sample + coefficient[j] * s1[j] - s2[j];
      s2[j] = s1[j];
      s1[j] = s;
    }
  }
  for (std::uint32_t j = 0; j < count; ++j) {
    powers[j] = s1[j] * s1[j] + s2[j] * s2[j] - coefficient[j] * s1[j] * s2[j];
  }
}

}  // namespace balalaika
