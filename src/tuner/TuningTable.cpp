#include "tuner/TuningTable.h"

#include <array>
#include <cmath>

namespace balalaika::tuning {
namespace {

struct StringRow {
  const char* note;
  double referenceHertz;  // 0 when the string has no reference tone
  const char* referenceLabel;
};

struct TuningRow {
  std::array<Window, 3> windows;
  std::size_t windowCount;
  std::array<StringRow, 3> strings;
  double offsetAll;      // added to every loud reading
  double offsetString2;  // added instead when the reading matched string 2
  const char* titleKey;
  const char* phoneChart;
  const char* padChart;
};

// Windows run 5 cents each way from the equal-tempered pitch (6 for A1), rounded to three
// decimals. Reference tones are the pitches cut to one decimal.
constexpr std::array<TuningRow, 5> kTunings{{
    {{{{438.731, 441.273, "A4", 1}, {328.677, 330.581, "E4", 2}, {}}},
     2,
     {{{"A4", 440.0, "440Hz"}, {"E4", 329.6, "329.6Hz"}, {"E4", 0.0, nullptr}}},
     0.0, 0.1, "TuningFreeTitle", "chartiphone.png", "chartipad.png"},
    {{{{292.818, 294.514, "D4", 1}, {219.366, 220.636, "A3", 2}, {}}},
     2,
     {{{"D4", 293.6, "293.6Hz"}, {"A3", 220.0, "220Hz"}, {"A3", 0.0, nullptr}}},
     -0.3, -0.3, "TuningFreeTitle2", "chartiphone2.png", "chartipad2.png"},
    {{{{219.366, 220.636, "A3", 1}, {164.338, 165.29, "E3", 2}, {}}},
     2,
     {{{"A3", 220.0, "220Hz"}, {"E3", 164.8, "164.8Hz"}, {"E3", 0.0, nullptr}}},
     0.0, 0.0, "TuningFreeTitle3", "chartiphone3.png", "chartipad3.png"},
    {{{{146.409, 147.257, "D3", 1}, {109.683, 110.318, "A2", 2}, {82.169, 82.645, "E2", 3}}},
     3,
     {{{"D3", 146.8, "146.8Hz"}, {"A2", 110.0, "110.0Hz"}, {"E2", 82.4, "82.4Hz"}}},
     0.0, 0.0, "TuningFreeTitle4", "chartiphone4.png", "chartipad4.png"},
    {{{{73.204, 73.629, "D2", 1}, {54.81, 55.191, "A1", 2}, {41.085, 41.323, "E1", 3}}},
     3,
     {{{"D2", 73.4, "73.4Hz"}, {"A1", 55.0, "55Hz"}, {"E1", 41.2, "41.2Hz"}}},
     0.0, 0.0, "TuningFreeTitle5", "chartiphone5.png", "chartipad5.png"},
}};

const TuningRow* row(TuningIndex tuning) {
  return isValidTuning(tuning) ? &kTunings[static_cast<std::size_t>(tuning - 1)] : nullptr;
}

const StringRow* stringRow(TuningIndex tuning, StringIndex string) {
  const TuningRow* r = row(tuning);
  if (r == nullptr || string < 1 || string > 3) return nullptr;
  return &r->strings[static_cast<std::size_t>(string - 1)];
}

TuningIndex gCurrentTuning = kFirstTuning;

}  // namespace

bool isValidTuning(TuningIndex tuning) { return tuning >= kFirstTuning && tuning <= kLastTuning; }

std::span<const Window> windows(TuningIndex tuning) {
  const TuningRow* r = row(tuning);
  if (r == nullptr) return {};
  return {r->windows.data(), r->windowCount};
}

std::optional<Match> match(TuningIndex tuning, double hertz) {
  for (const Window& w : windows(tuning)) {
    if (hertz >= w.low && hertz <= w.high) return Match{w.reportedAs, w.note};
  }
  return std::nullopt;
}

std::optional<std::string> noteName(TuningIndex tuning, StringIndex string) {
  const StringRow* s = stringRow(tuning, string);
  if (s == nullptr) return std::nullopt;
  return std::string(s->note);
}

std::optional<ReferenceTone> referenceTone(TuningIndex tuning, StringIndex string) {
  const StringRow* s = stringRow(tuning, string);
  if (s == nullptr || s->referenceLabel == nullptr) return std::nullopt;
  return ReferenceTone{s->referenceHertz, s->referenceLabel};
}

double displayOffset(TuningIndex tuning, std::optional<StringIndex> matched) {
  const TuningRow* r = row(tuning);
  if (r == nullptr) return 0.0;
  return matched == 2 ? r->offsetString2 : r->offsetAll;
}

std::optional<DisplayResources> displayResources(TuningIndex tuning) {
  const TuningRow* r = row(tuning);
  if (r == nullptr) return std::nullopt;
  return DisplayResources{r->titleKey, r->phoneChart, r->padChart};
}

TuningIndex currentTuning() { return gCurrentTuning; }
void stepCurrentTuning(int delta) { gCurrentTuning += delta; }
void resetCurrentTuningForTesting(TuningIndex tuning) { gCurrentTuning = tuning; }

}  // namespace balalaika::tuning
