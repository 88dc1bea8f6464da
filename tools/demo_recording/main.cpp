// Writes the bundled demo recording: a player tuning a prima balalaika (A4, E4, E4), first out
// of tune, then in tune, with some silence and room hiss. Usage: make_demo_recording FILE
#include <cstdio>

#include "demo_recording/Synth.h"

int main(int argc, char** argv) {
  using balalaika::synth::Pluck;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  constexpr double kA4 = 440.0;
  constexpr double kE4 = 329.6276;
  balalaika::synth::Score score;
  score.seconds = 22.0;
  score.noiseLevel = 0.0004;
  score.plucks = {
      {.hertz = kA4, .startSeconds = 1.0, .durationSeconds = 2.0, .level = 0.35, .detuneCents = -40},
      {.hertz = kA4, .startSeconds = 3.2, .durationSeconds = 2.0, .level = 0.35, .detuneCents = -15},
      {.hertz = kA4, .startSeconds = 5.4, .durationSeconds = 2.6, .level = 0.4},
      {.hertz = kE4, .startSeconds = 9.0, .durationSeconds = 2.0, .level = 0.35, .detuneCents = 35},
      {.hertz = kE4, .startSeconds = 11.2, .durationSeconds = 2.6, .level = 0.4},
      {.hertz = kE4, .startSeconds = 14.2, .durationSeconds = 2.0, .level = 0.3, .detuneCents = -20, .pluckPosition = 0.22},
      // The two E strings together, in unison.
      {.hertz = kE4, .startSeconds = 16.4, .durationSeconds = 2.6, .level = 0.3},
      {.hertz = kE4, .startSeconds = 16.42, .durationSeconds = 2.6, .level = 0.3, .detuneCents = 1, .pluckPosition = 0.22},
      // A soft final touch of the A string.
      {.hertz = kA4, .startSeconds = 19.6, .durationSeconds = 1.8, .level = 0.02, .decaySeconds = 0.8},
  };
  if (!balalaika::synth::writeAudioFile(argv[1], balalaika::synth::render(score), score.sampleRate)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
