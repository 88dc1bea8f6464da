#include "tuner/ConcertPitch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace balalaika::concert {
namespace {

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double roundedToTenth(double hertz) { return std::round(hertz * 10.0) / 10.0; }

}  // namespace

double stepped(double a4, int steps) {
  // Off the grid (a pitch set from a heard A) the first step lands on the grid point next to it.
  const double moved = (a4 + steps * kStepHertz) / kStepHertz;
  const double snapped = (steps > 0 ? std::floor(moved + 1e-9) : std::ceil(moved - 1e-9)) * kStepHertz;
  return std::clamp(snapped, kLowestA4, kHighestA4);
}

std::optional<double> valid(double a4) {
  if (!std::isfinite(a4) || a4 < kLowestA4 || a4 > kHighestA4) return std::nullopt;
  if (std::abs(a4 * 10.0 - std::round(a4 * 10.0)) > 1e-6) return std::nullopt;
  return roundedToTenth(a4);
}

std::optional<double> parse(const std::string& text) {
  // Digits and one point only: no sign, spaces, exponent or words.
  if (text.empty() || text.size() > 16 || text.find_first_not_of("0123456789.") != std::string::npos) {
    return std::nullopt;
  }
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return valid(value);
}

std::string hertzText(double a4) {
  char text[32];
  const double tenth = roundedToTenth(a4);
  std::snprintf(text, sizeof text, tenth == std::round(tenth) ? "%.0f" : "%.1f", tenth);
  return text;
}

void HeardA::start(double presentA4) {
  state_ = State::Listening;
  presentA4_ = presentA4;
  ticks_ = 0;
  folded_.clear();
  result_ = 0.0;
}

void HeardA::tick(bool heard, double hertz) {
  if (state_ != State::Listening) return;
  ++ticks_;
  const bool counted = heard && hertz > 0.0 && std::isfinite(hertz);
  const double cents = counted ? 1200.0 * std::log2(hertz / presentA4_) : 0.0;
  const double octaves = std::round(cents / 1200.0);
  if (counted && std::abs(cents - 1200.0 * octaves) <= kNearCents) {
    folded_.push_back(hertz / std::exp2(octaves));
    if (folded_.size() > static_cast<std::size_t>(kReadingsNeeded)) folded_.erase(folded_.begin());
  } else {
    folded_.clear();  // the run of readings must be unbroken
  }
  if (folded_.size() == static_cast<std::size_t>(kReadingsNeeded)) {
    const auto [low, high] = std::minmax_element(folded_.begin(), folded_.end());
    if (1200.0 * std::log2(*high / *low) <= kSteadyCents) {
      const std::optional<double> a4 = valid(roundedToTenth(median(folded_)));
      if (a4) {
        result_ = *a4;
        state_ = State::Accepted;
        return;
      }
    }
  }
  if (ticks_ >= kListenTicks) state_ = State::Rejected;
}

}  // namespace balalaika::concert
