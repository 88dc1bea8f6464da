#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demo_recording/Synth.h"
#include "pitch/PitchListener.h"

namespace balalaika {
namespace {

constexpr double kBinHertz = PitchListener::kCaptureSampleRate * PitchListener::kBinToHertzScale;

double centsOff(double hertz, double truth) { return 1200.0 * std::log2(hertz / truth); }

// A 4096-sample buffer from the ringing part of a pluck, stored as the newest buffer.
void storePluck(double hertz) {
  synth::Score score;
  score.seconds = 0.8;
  score.plucks = {{.hertz = hertz, .startSeconds = 0.0, .durationSeconds = 0.8, .level = 0.4}};
  const std::vector<std::int16_t> samples = synth::toInt16(synth::render(score));
  PitchListener::sharedListener()->setAudioBuffer(samples.data() + 1000, PitchListener::kMaxBufferBytes);
}

TEST(RefinedFrequency, PlucksBetweenBinsAreReadWellBelowOneBinOnEveryTargetString) {
  PitchListener& listener = *PitchListener::sharedListener();
  // Each target a third of a bin off its own bin, where the bin alone errs most; the refined
  // reading must stay within a quarter of a bin (0.43 Hz: 18 cents at E1, 1.7 at A4).
  for (double note : {440.0, 329.628, 293.665, 220.0, 164.814, 146.832, 110.0, 82.407, 73.416, 55.0, 41.203}) {
    const double hertz = (std::floor(note / kBinHertz) + 0.35) * kBinHertz;
    storePluck(hertz);
    const float estimate = listener.frequency();
    ASSERT_NEAR(estimate, hertz, kBinHertz) << note;
    const double refined = listener.refinedFrequency();
    EXPECT_LT(std::abs(centsOff(refined, hertz)), centsOff(hertz + kBinHertz / 4, hertz))
        << note << " Hz: bin " << estimate << ", refined " << refined;
    EXPECT_EQ(listener.frequency(), estimate);  // a buffer estimated again keeps its refinement
    EXPECT_EQ(listener.refinedFrequency(), refined);
  }
}

}  // namespace
}  // namespace balalaika
