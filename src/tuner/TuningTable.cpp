#include "tuner/TuningTable.h"

#include <array>
#include <string_view>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// The nearest double to hertz written with `decimals` decimals, as a literal in the table is.
double roundedTo(double hertz, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, hertz);
  return std::strtod(text, nullptr);
}

// A1's window is a cent wider each way than the others.
double windowHalfWidthCents(const char* note) { return std::string_view(note) == "A1" ? 6.0 : 5.0; }

}  // namespace

bool isValidTuning(TuningIndex tuning) { return tuning >= kFirstTuning && tuning <= kLastTuning; }

std::span<const Window> windows(TuningIndex tuning) {
  const TuningRow* r = row(tuning);
  if (r == nullptr) return {};
  return {r->windows.data(), r->windowCount};
}

Window windowAt(const Window& window, double a4) {
  const std::optional<double> centre = equalTemperedHertz(window.note, a4);
  if (!centre) return window;
  const double halfWidth = windowHalfWidthCents(window.note);
  return Window{roundedTo(*centre * std::exp2(-halfWidth / 1200.0), 3),
                roundedTo(*centre * std::exp2(halfWidth / 1200.0), 3), window.note, window.reportedAs};
}

std::optional<Match> match(TuningIndex tuning, double hertz, double a4) {
  for (const Window& table : windows(tuning)) {
    const Window w = windowAt(table, a4);
    if (hertz >= w.low && hertz <= w.high) return Match{w.reportedAs, w.note};
  }
  return std::nullopt;
}

std::optional<double> equalTemperedHertz(const std::string& note, double a4) {
  // Semitones of each natural note above C, from A to G.
  constexpr int kSemitonesAboveC[] = {9, 11, 0, 2, 4, 5, 7};
  if (note.size() != 2 || note[0] < 'A' || note[0] > 'G' || note[1] < '0' || note[1] > '9') return std::nullopt;
  const int octave = note[1] - '0';
  const int fromA4 = kSemitonesAboveC[note[0] - 'A'] - 9 + 12 * (octave - 4);
  return a4 * std::exp2(fromA4 / 12.0);
}

std::optional<Window> windowOfString(TuningIndex tuning, StringIndex string) {
  const StringRow* s = stringRow(tuning, string);
  if (s == nullptr) return std::nullopt;
  for (const Window& w : windows(tuning)) {
    if (std::string_view(w.note) == s->note) return w;
  }
  return std::nullopt;
}

std::optional<std::string> noteName(TuningIndex tuning, StringIndex string) {
  const StringRow* s = stringRow(tuning, string);
  if (s == nullptr) return std::nullopt;
  return std::string(s->note);
}

std::optional<ReferenceTone> referenceTone(TuningIndex tuning, StringIndex string, double a4) {
  const StringRow* s = stringRow(tuning, string);
  if (s == nullptr || s->referenceLabel == nullptr) return std::nullopt;
  if (a4 == kStandardA4) return ReferenceTone{s->referenceHertz, s->referenceLabel};
  // Cut (not rounded) to one decimal, as the table's tones are.
  const double hertz = std::floor(equalTemperedHertz(s->note, a4).value_or(0.0) * 10.0) / 10.0;
  char label[32];
  std::snprintf(label, sizeof label, "%.1fHz", hertz);
  return ReferenceTone{roundedTo(hertz, 1), label};
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
