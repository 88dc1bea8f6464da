#pragma once
// Frequency of a recorded sine from its zero crossings, independent of the tuner's estimator:
// used to check what reached a (virtual) speaker.

#include <vector>

namespace balalaika::measure {

// Hertz of a sine in x (mono samples at sampleRate Hz) from its rising zero crossings, linearly
// interpolated: the median span of ten periods over the loud stretch, so that an underrun on a busy
// machine (a gap in the recording) does not bias it. Crossings with a step below 0.01 (silence,
// noise) are ignored. Returns 0 with less than about 110 periods of tone.
double zeroCrossingHertz(const std::vector<float>& x, double sampleRate);

}  // namespace balalaika::measure
