#pragma once
// Synthesised recordings for the end-to-end runs, written as files into a test's folder.

#include <QString>
#include <string>
#include <vector>

#include "demo_recording/Synth.h"

namespace balalaika::e2e {

// Writes score (rendered at its rate) to folder/name; returns the path, empty on failure.
inline QString writeRecording(const QString& folder, const QString& name, const synth::Score& score) {
  const QString path = folder + QLatin1Char('/') + name;
  return synth::writeAudioFile(path.toStdString(), synth::render(score), score.sampleRate) ? path : QString();
}

// A plucked string held at a steady level for durationSeconds: slow decay, so that it stays loud
// enough for the tuner until it is cut.
inline synth::Pluck heldPluck(double hertz, double startSeconds, double durationSeconds) {
  return {.hertz = hertz, .startSeconds = startSeconds, .durationSeconds = durationSeconds, .level = 0.5,
          .decaySeconds = 4.0};
}

}  // namespace balalaika::e2e
