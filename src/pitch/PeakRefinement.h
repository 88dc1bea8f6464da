#pragma once
// The pitch estimate below one bin. The estimate picks the largest bin of the harmonic sum;
// with 32768 bins at 14039 Hz one bin is 0.43 Hz, 18 cents at 41 Hz. These functions refine
// that peak from the spectra the estimate leaves behind (PitchListener::freq_db and
// freq_db_harmonic, kSpectrumBins values each). Any thread; no allocation.

#include <cstdint>

namespace balalaika::pitch {

enum class Refinement {
  // A parabola through the harmonic-sum peak and its two neighbours.
  HarmonicSumParabola,
  // The fundamental's own peak in the magnitude spectrum (largest magnitude within half a
  // transform bin of the harmonic-sum peak), refined by a parabola through it and its neighbours.
  FundamentalParabola,
  // The fundamental and its second and third harmonics refined as above, each divided by its
  // order, averaged with their magnitudes as weights.
  HarmonicsParabola,
};

// The method the tuner uses, chosen by measuring sampled plucked strings on the eleven target
// notes (scripts/measure-cents-accuracy.py): median |error| 0.8 cents from A4 to A2 and 1.8 from
// E2 to E1, against 1.6 and 6.9 for FundamentalParabola and 1.2 and 2.8 for HarmonicsParabola.
// The harmonic sum gathers the partials that leak into the fundamental's lobe at low notes.
inline constexpr Refinement kDefaultRefinement = Refinement::HarmonicSumParabola;

// The refined frequency in hertz of the peak at peakBin (the estimate's bin, 1..bins-2), given
// magnitudes M and harmonic sum H of `bins` values and the width of one bin in hertz; 0 when
// peakBin is 0 or out of range.
double refinedPeakHertz(const double* magnitudes, const double* harmonicSum, std::uint32_t bins,
                        std::uint32_t peakBin, double binHertz, Refinement method = kDefaultRefinement);

// The bin of an estimate in hertz (the inverse of bin * binHertz), 0 for none.
std::uint32_t binOfEstimate(double hertz, double binHertz);

}  // namespace balalaika::pitch
