#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demo_recording/Synth.h"
#include "pitch/PeakRefinement.h"
#include "pitch/PitchListener.h"

namespace balalaika::pitch {
namespace {

constexpr double kBinHertz = PitchListener::kCaptureSampleRate * PitchListener::kBinToHertzScale;

double centsOff(double hertz, double truth) { return 1200.0 * std::log2(hertz / truth); }

// One 4096-sample buffer from the ringing part of a pluck, estimated by the listener; returns
// the estimate and leaves its spectra in the listener.
float estimatePluck(double hertz) {
  synth::Score score;
  score.seconds = 0.8;
  score.plucks = {{.hertz = hertz, .startSeconds = 0.0, .durationSeconds = 0.8, .level = 0.4}};
  const std::vector<std::int16_t> samples = synth::toInt16(synth::render(score));
  return PitchListener::sharedListener()->getFreqFromBuffer(samples.data() + 1000, PitchListener::kMaxBufferBytes);
}

double refine(float estimate, Refinement method = kDefaultRefinement) {
  const PitchListener& listener = *PitchListener::sharedListener();
  return refinedPeakHertz(listener.freq_db(), listener.freq_db_harmonic(), PitchListener::kSpectrumBins,
                          binOfEstimate(estimate, kBinHertz), kBinHertz, method);
}

TEST(PeakRefinement, PlucksBetweenBinsAreReadWellBelowOneBinOnEveryTargetString) {
  // The eleven target notes, each a third of a bin off its own bin, where the bin alone errs most.
  for (double note : {440.0, 329.628, 293.665, 220.0, 164.814, 146.832, 110.0, 82.407, 73.416, 55.0, 41.203}) {
    const double hertz = (std::floor(note / kBinHertz) + 0.35) * kBinHertz;
    const float estimate = estimatePluck(hertz);
    ASSERT_NEAR(estimate, hertz, kBinHertz) << note;
    // A bin is 0.43 Hz, 18 cents at E1 and 1.7 at A4: the bin alone errs by 0.35 of it here, a
    // vertex on the wrong side by more. The refined reading stays within a quarter of a bin.
    const double quarterBinCents = centsOff(hertz + kBinHertz / 4, hertz);
    const double refined = refine(estimate);
    EXPECT_LT(std::abs(centsOff(refined, hertz)), quarterBinCents)
        << note << " Hz: bin " << estimate << " (" << centsOff(estimate, hertz) << " c), refined " << refined << " ("
        << centsOff(refined, hertz) << " c)";
  }
}

TEST(PeakRefinement, NoPeakOrAPeakAtTheEdgeOfTheSpectrumGivesNothing) {
  std::vector<double> m(PitchListener::kSpectrumBins, 0.0), h(PitchListener::kSpectrumBins, 0.0);
  EXPECT_EQ(refinedPeakHertz(m.data(), h.data(), PitchListener::kSpectrumBins, 0, kBinHertz), 0.0);
  EXPECT_EQ(refinedPeakHertz(m.data(), h.data(), PitchListener::kSpectrumBins, PitchListener::kSpectrumBins - 1,
                             kBinHertz),
            0.0);
  // A flat spectrum has no vertex to move to: the bin itself.
  EXPECT_DOUBLE_EQ(refinedPeakHertz(m.data(), h.data(), PitchListener::kSpectrumBins, 1027, kBinHertz),
                   1027 * kBinHertz);
  EXPECT_EQ(binOfEstimate(0.0, kBinHertz), 0u);
  EXPECT_EQ(binOfEstimate(std::nan(""), kBinHertz), 0u);
}

}  // namespace
}  // namespace balalaika::pitch
