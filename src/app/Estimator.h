#pragma once
// The pitch estimates the tuner can read: the spectral one it has always used, and the precise
// time-domain one (no octave jumps on low or harmonic-rich strings) that the player may choose.

#include <optional>
#include <string>

namespace balalaika::app {

enum class Estimator { Default, Precise };

// "default" or "precise"; anything else is nothing.
std::optional<Estimator> parseEstimator(const std::string& name);

}  // namespace balalaika::app
