#include "tuner/CentsReading.h"

#include <cmath>
#include <cstdio>

namespace balalaika::cents {

std::optional<double> equalTemperedHertz(const std::string& note) {
  // Semitones of each natural note above C, from A to G.
  constexpr int kSemitonesAboveC[] = {9, 11, 0, 2, 4, 5, 7};
  if (note.size() != 2 || note[0] < 'A' || note[0] > 'G' || note[1] < '0' || note[1] > '9') return std::nullopt;
  const int octave = note[1] - '0';
  const int fromA4 = kSemitonesAboveC[note[0] - 'A'] - 9 + 12 * (octave - 4);
  return 440.0 * std::exp2(fromA4 / 12.0);
}

double centsBetween(double hertz, double target) { return 1200.0 * std::log2(hertz / target); }

std::optional<platform::CentsReading> nearestString(tuning::TuningIndex tuning, double hertz,
                                                    std::optional<tuning::StringIndex> matched) {
  if (!(hertz > 0.0) || !std::isfinite(hertz)) return std::nullopt;
  std::optional<platform::CentsReading> best;
  double bestDistance = 0.0;
  for (const tuning::Window& window : tuning::windows(tuning)) {
    const std::optional<double> target = equalTemperedHertz(window.note);
    if (!target) continue;
    const double distance = centsBetween(hertz, *target);
    if (best && std::abs(distance) >= std::abs(bestDistance)) continue;
    bestDistance = distance;
    best = platform::CentsReading{distance, window.reportedAs, platform::CentsReading::Range::Near,
                                  platform::CentsReading::Cue::None};
  }
  if (!best) return std::nullopt;
  using Range = platform::CentsReading::Range;
  using Cue = platform::CentsReading::Cue;
  if (bestDistance < -kMeterRange) {
    best->range = Range::FarFlat;
    best->cents = -kMeterRange;
  } else if (bestDistance > kMeterRange) {
    best->range = Range::FarSharp;
    best->cents = kMeterRange;
  } else if (matched != best->string) {
    // Near but outside the lamp's window: flat wants the string tightened.
    best->cue = bestDistance < 0.0 ? Cue::TuneUp : Cue::TuneDown;
  }
  return best;
}

namespace {

// The distance as it is shown to one decimal: never "-0.0", a distance that rounds to zero has
// no sign.
double shownCents(double cents) { return std::abs(cents) < 0.05 ? 0.0 : cents; }

}  // namespace

std::string plainText(const std::optional<platform::CentsReading>& reading) {
  if (!reading) return "";
  switch (reading->range) {
    case platform::CentsReading::Range::FarFlat:
      return "far-flat";
    case platform::CentsReading::Range::FarSharp:
      return "far-sharp";
    case platform::CentsReading::Range::Near:
      break;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", shownCents(reading->cents));
  return text;
}

std::string meterText(const platform::CentsReading& reading, const platform::Bundle& bundle) {
  switch (reading.range) {
    case platform::CentsReading::Range::FarFlat:
      return bundle.localizedString(kFarFlatKey);
    case platform::CentsReading::Range::FarSharp:
      return bundle.localizedString(kFarSharpKey);
    case platform::CentsReading::Range::Near:
      break;
  }
  char text[32];
  const double shown = shownCents(reading.cents);
  std::snprintf(text, sizeof text, shown == 0.0 ? "%.1f \u00a2" : "%+.1f \u00a2", shown);
  return text;
}

std::string cueText(platform::CentsReading::Cue cue, const platform::Bundle& bundle) {
  switch (cue) {
    case platform::CentsReading::Cue::TuneUp:
      return bundle.localizedString(kTuneUpKey);
    case platform::CentsReading::Cue::TuneDown:
      return bundle.localizedString(kTuneDownKey);
    case platform::CentsReading::Cue::None:
      break;
  }
  return "";
}

}  // namespace balalaika::cents
