#pragma once
// How far a played pitch lies from the nearest string of a tuning, in cents, and which way to
// turn the peg. Pure computation, beside the lamp's window rule, which it never changes.

#include <optional>
#include <string>

#include "platform/Bundle.h"
#include "platform/Views.h"
#include "tuner/TuningTable.h"

namespace balalaika::cents {

inline constexpr double kMeterRange = 50.0;  // the meter's scale runs ±50 cents

// Equal-tempered pitch of a note name such as "A4" or "E1" (A4 = 440 Hz); nothing for a name
// that is not a natural note with one octave digit.
std::optional<double> equalTemperedHertz(const std::string& note);

// Signed distance in cents from target to hertz: negative when flat.
double centsBetween(double hertz, double target);

// The string of the tuning whose target pitch lies nearest to hertz in cents, the signed distance
// clamped to ±50 (far flat / far sharp beyond), and the cue: tune up or down while the string is
// near but its window (matched by the tick from the same note) does not hold it. Nothing for a
// tuning outside 1..5 or a reading that is not a positive number.
std::optional<platform::CentsReading> nearestString(tuning::TuningIndex tuning, double hertz,
                                                    std::optional<tuning::StringIndex> matched);

// Localized-text keys of the words the meter shows.
inline constexpr const char* kFarFlatKey = "CentsFarFlat";
inline constexpr const char* kFarSharpKey = "CentsFarSharp";
inline constexpr const char* kTuneUpKey = "CentsTuneUp";
inline constexpr const char* kTuneDownKey = "CentsTuneDown";

// The reading as the headless line and the offline CSV write it: "-12.4", "far-flat",
// "far-sharp"; "" for no reading.
std::string plainText(const std::optional<platform::CentsReading>& reading);
// The meter's text: the distance ("-12.4 ¢", "+3.0 ¢", "0.0 ¢"), or the localized "far flat" /
// "far sharp".
std::string meterText(const platform::CentsReading& reading, const platform::Bundle& bundle);
// The localized "tune up" / "tune down", or "" when there is no cue.
std::string cueText(platform::CentsReading::Cue cue, const platform::Bundle& bundle);

}  // namespace balalaika::cents
