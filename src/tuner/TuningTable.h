#pragma once
// The five tunings of the three-string balalaika family: per string the note, the window in
// hertz within which it counts as in tune, and the reference tone; per tuning the screen's
// texts and charts. Pure data and lookups.
//
// Tuning 1 is the highest-pitched set of strings (prima), tuning 5 the lowest (contrabass).
// String 1 is the highest string of a tuning. In tunings 1-3 strings 2 and 3 share a pitch
// and have one window, reported as string 2.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace balalaika::tuning {

using TuningIndex = std::int64_t;  // 1..5; anything else is no tuning
using StringIndex = int;           // 1..3

inline constexpr TuningIndex kFirstTuning = 1;
inline constexpr TuningIndex kLastTuning = 5;

// Concert pitch: the frequency of A4 in hertz that every target, window and reference tone is
// relative to. 440 gives the table's own values exactly.
inline constexpr double kStandardA4 = 440.0;

bool isValidTuning(TuningIndex tuning);

// An inclusive frequency window in hertz, compared exactly as written.
struct Window {
  double low;
  double high;
  const char* note;
  StringIndex reportedAs;
};

struct Match {
  StringIndex string;
  std::string note;
  bool operator==(const Match&) const = default;
};

struct ReferenceTone {
  double hertz;
  std::string label;  // fixed text shown beside the tone ("440Hz", "110.0Hz", ...)
};

struct DisplayResources {
  std::string titleKey;    // localized title
  std::string phoneChart;  // chart for small phone screens
  std::string padChart;    // chart for tablets and large phone screens
};

// The tuning's windows in string order; empty outside 1..5.
std::span<const Window> windows(TuningIndex tuning);

// The window moved to concert pitch a4: its note's equal-tempered pitch ±5 cents (±6 for A1),
// rounded to three decimals; at 440 exactly the table's bounds (which follow the same rule).
Window windowAt(const Window& window, double a4);

// The first window at concert pitch a4, in string order, with low <= hertz <= high. NaN
// matches nothing.
std::optional<Match> match(TuningIndex tuning, double hertz, double a4 = kStandardA4);

// Equal-tempered pitch in hertz of a note name such as "A4" or "E1" at concert pitch a4;
// nothing for a name that is not a natural note with one octave digit.
std::optional<double> equalTemperedHertz(const std::string& note, double a4 = kStandardA4);

// The window (string order) of the note that string 1..3 plays: in tunings 1-3 strings 2 and 3
// share one. Nothing outside the table.
std::optional<Window> windowOfString(TuningIndex tuning, StringIndex string);

// Note name of a string ("A4"); nothing outside the table.
std::optional<std::string> noteName(TuningIndex tuning, StringIndex string);

// Reference tone of a string at concert pitch a4; nothing for string 3 of tunings 1-3 or outside
// the table. Away from 440 the tone is the moved pitch cut to one decimal ("331.8Hz").
std::optional<ReferenceTone> referenceTone(TuningIndex tuning, StringIndex string, double a4 = kStandardA4);

// Offset in hertz added to the displayed frequency (never to the compared one), given the
// string the reading matched, if any: +0.1 in tuning 1 for string 2, -0.3 in tuning 2, else 0.
double displayOffset(TuningIndex tuning, std::optional<StringIndex> matched);

std::optional<DisplayResources> displayResources(TuningIndex tuning);

// The tuning on screen: 1 at every launch, never persisted, stepped only by the previous and
// next actions. Main thread only.
TuningIndex currentTuning();
void stepCurrentTuning(int delta);  // by -1 or +1, unchecked: the screen hides the way out
void resetCurrentTuningForTesting(TuningIndex tuning = kFirstTuning);

}  // namespace balalaika::tuning
