#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/OfflineAnalysis.h"
#include "demo_recording/Synth.h"

namespace balalaika {
namespace {

constexpr double kRate = 14039.0;

// A pluck from 0.3 s to 2.3 s; the loud ticks whose buffer lies wholly inside its first 1.5 s.
std::vector<analysis::Tick> ticksInsideNote(const synth::Score& score, tuning::TuningIndex tuning,
                                            app::Estimator estimator) {
  const auto ticks = analysis::analyzeSamples(synth::toInt16(synth::render(score)), tuning, estimator);
  std::vector<analysis::Tick> inside;
  for (const auto& t : ticks) {
    const double bufferEnd = std::floor(t.seconds * kRate / 4096.0) * 4096.0 / kRate;
    if (bufferEnd - 4096.0 / kRate >= 0.3 && bufferEnd <= 1.8 && t.state == tick::PowerState::Loud) {
      inside.push_back(t);
    }
  }
  return inside;
}

TEST(PreciseAnalysis, GivenPlucksInAndOutOfTuneThenEveryLoudTickGivesTheVerdictOfTheTruePitch) {
  // One note per string family, lowest and highest included; two cents inside and outside every
  // window and far out; a plain pluck, one at the middle (odd harmonics only) and one in noise.
  const std::tuple<const char*, double, tuning::TuningIndex> notes[] = {
      {"A4", 440.0, 1}, {"D4", 293.665, 2}, {"E3", 164.814, 3}, {"A2", 110.0, 4},
      {"E2", 82.407, 4}, {"A1", 55.0, 5},   {"E1", 41.203, 5}};
  for (const auto& [name, hertz, tuning] : notes) {
    for (const double detune : {0.0, 3.0, -3.0, 8.0, -8.0, 25.0}) {
      for (const auto& [pluckPosition, noise] : {std::pair{0.18, 0.0}, {0.5, 0.0}, {0.18, 0.01}}) {
        synth::Score score;
        score.seconds = 2.5;
        score.noiseLevel = noise;
        score.plucks = {{.hertz = hertz, .startSeconds = 0.3, .durationSeconds = 2.0, .level = 0.5,
                         .detuneCents = detune, .decaySeconds = 1.0, .pluckPosition = pluckPosition}};
        const auto truth = tuning::match(tuning, synth::detuned(hertz, detune));
        SCOPED_TRACE(::testing::Message() << name << " " << detune << " c, pluck " << pluckPosition << ", noise " << noise);
        const auto ticks = ticksInsideNote(score, tuning, app::Estimator::Precise);
        ASSERT_GE(ticks.size(), 8u);
        for (const auto& t : ticks)
          EXPECT_EQ(t.string, truth ? std::optional(truth->string) : std::nullopt) << t.seconds << " s: " << t.frequency;
      }
    }
  }
}

}  // namespace
}  // namespace balalaika
