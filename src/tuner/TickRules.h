#pragma once
// How one tick reads the listener: the power thresholds and the frequency text.

#include <string>

namespace balalaika::tick {

inline constexpr double kIntervalSeconds = 0.1;
inline constexpr double kSilenceThreshold = 0.002;  // average power below it: silent
inline constexpr double kSignalThreshold = 0.0045;  // average power above it: a note

enum class PowerState { Silent, Soft, Loud };

// Classifies the listener's single-precision average power, compared in double precision.
// NaN is Soft: it changes nothing on screen.
PowerState classifyPower(float averagePower);

// "%.1fHz" of a frequency in hertz ("440.0Hz").
std::string frequencyText(double hertz);

}  // namespace balalaika::tick
