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

using tuning::equalTemperedHertz;

// Signed distance in cents from target to hertz: negative when flat.
double centsBetween(double hertz, double target);

// A reading this close in cents to twice, three times, a half or a third of a locked string's
// target is taken as that string heard an octave or a twelfth off.
inline constexpr double kFoldToleranceCents = 50.0;

// The string of the tuning whose target pitch (at concert pitch a4) lies nearest to hertz in
// cents, the signed distance clamped to ±50 (far flat / far sharp beyond), and the cue: tune up
// or down while the string is near but its window (matched by the tick from the same note) does
// not hold it. With a locked string 1..3 the distance is from that string alone, and a reading
// near 2×, 3×, ½ or ⅓ of its target is first folded onto it. Nothing for a tuning outside 1..5,
// a lock outside the tuning's strings, or a reading that is not a positive number.
std::optional<platform::CentsReading> nearestString(tuning::TuningIndex tuning, double hertz,
                                                    std::optional<tuning::StringIndex> matched,
                                                    double a4 = tuning::kStandardA4,
                                                    std::optional<tuning::StringIndex> locked = std::nullopt);

// The reading folded onto target: hertz itself when within the meter's range of it, else the
// first of hertz/2, hertz/3, hertz*2, hertz*3 within kFoldToleranceCents of it, else hertz.
double foldOnto(double hertz, double target);

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
