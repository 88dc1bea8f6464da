#include "pitch/PeakRefinement.h"

#include <algorithm>
#include <cmath>

namespace balalaika::pitch {
namespace {

// The transform pads 4096 samples to 32768: the spectrum of one sinusoid is a lobe 8 bins
// either side of its peak. Half a lobe, 4 bins, is how far a peak is looked for.
constexpr std::int64_t kSearchBins = 4;
constexpr int kHarmonics = 3;

// Offset of the vertex of the parabola through (-1, left), (0, centre), (1, right), within
// ±0.5; 0 when centre is not a peak.
double parabolaVertex(double left, double centre, double right) {
  const double curvature = left - 2.0 * centre + right;
  if (!(centre >= left && centre >= right) || !(curvature < 0.0)) return 0.0;
  const double offset = 0.5 * (left - right) / curvature;
  return std::fmax(-0.5, std::fmin(0.5, offset));
}

struct Peak {
  double bin = 0.0;  // fractional bin
  double magnitude = 0.0;
};

// The largest magnitude within kSearchBins of around, refined between its neighbours.
Peak refinedLocalPeak(const double* m, std::uint32_t bins, double around) {
  const auto centre = static_cast<std::int64_t>(std::lround(around));
  const std::int64_t first = std::max<std::int64_t>(1, centre - kSearchBins);
  const std::int64_t last = std::min<std::int64_t>(static_cast<std::int64_t>(bins) - 2, centre + kSearchBins);
  if (first > last) return {};
  std::int64_t best = first;
  for (std::int64_t i = first + 1; i <= last; ++i) {
    if (m[i] > m[best]) best = i;
  }
  return {static_cast<double>(best) + parabolaVertex(m[best - 1], m[best], m[best + 1]), m[best]};
}

}  // namespace

std::uint32_t binOfEstimate(double hertz, double binHertz) {
  if (!(hertz > 0.0) || !(binHertz > 0.0) || !std::isfinite(hertz)) return 0;
  return static_cast<std::uint32_t>(std::lround(hertz / binHertz));
}

double refinedPeakHertz(const double* magnitudes, const double* harmonicSum, std::uint32_t bins,
                        std::uint32_t peakBin, double binHertz, Refinement method) {
  if (peakBin == 0 || bins < 3 || peakBin > bins - 2) return 0.0;
  const double k = peakBin;
  switch (method) {
    case Refinement::HarmonicSumParabola:
      return (k + parabolaVertex(harmonicSum[peakBin - 1], harmonicSum[peakBin], harmonicSum[peakBin + 1])) *
             binHertz;
    case Refinement::FundamentalParabola:
      return refinedLocalPeak(magnitudes, bins, k).bin * binHertz;
    case Refinement::HarmonicsParabola: {
      const Peak fundamental = refinedLocalPeak(magnitudes, bins, k);
      double weighted = fundamental.bin * fundamental.magnitude;
      double weights = fundamental.magnitude;
      for (int h = 2; h <= kHarmonics; ++h) {
        const Peak harmonic = refinedLocalPeak(magnitudes, bins, fundamental.bin * h);
        weighted += harmonic.bin / h * harmonic.magnitude;
        weights += harmonic.magnitude;
      }
      return weights > 0.0 ? weighted / weights * binHertz : k * binHertz;
    }
  }
  return k * binHertz;
}

}  // namespace balalaika::pitch
