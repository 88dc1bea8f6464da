#include "tuner/CentsReading.h"

#include <cmath>
#include <cstdio>

namespace balalaika::cents {

double centsBetween(double hertz, double target) { return 1200.0 * std::log2(hertz / target); }

double foldOnto(double hertz, double target) {
  if (std::abs(centsBetween(hertz, target)) <= kMeterRange) return hertz;
  for (const double folded : {hertz / 2.0, hertz / 3.0, hertz * 2.0, hertz * 3.0}) {
    if (std::abs(centsBetween(folded, target)) <= kFoldToleranceCents) return folded;
  }
  return hertz;
}

std::optional<platform::CentsReading> nearestString(tuning::TuningIndex tuning, double hertz,
                                                    std::optional<tuning::StringIndex> matched, double a4,
                                                    std::optional<tuning::StringIndex> locked) {
  if (!(hertz > 0.0) || !std::isfinite(hertz)) return std::nullopt;
  std::optional<tuning::Window> lockedWindow;
  if (locked) {
    lockedWindow = tuning::windowOfString(tuning, *locked);
    if (!lockedWindow) return std::nullopt;
  }
  std::optional<platform::CentsReading> best;
  double bestDistance = 0.0;
  for (const tuning::Window& window : tuning::windows(tuning)) {
    if (lockedWindow && window.reportedAs != lockedWindow->reportedAs) continue;
    const std::optional<double> target = equalTemperedHertz(window.note, a4);
    if (!target) continue;
    if (lockedWindow) hertz = foldOnto(hertz, *target);
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
