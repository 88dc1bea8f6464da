#include "tuner/UnisonCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace balalaika::unison {

Gap gapBetween(double string2Hertz, double string3Hertz) {
  const double cents = 1200.0 * std::log2(string3Hertz / string2Hertz);
  return Gap{cents, std::abs(string3Hertz - string2Hertz), std::abs(cents) <= kInUnisonCents};
}

std::string plainText(const Gap& gap) {
  char text[32];
  // A gap that rounds to zero has no sign.
  if (std::abs(gap.cents) < 0.05) return "0.0c";
  std::snprintf(text, sizeof text, "%+.1fc", gap.cents);
  return text;
}

void UnisonCheck::start(double targetHertz) {
  stage_ = Stage::String2;
  target_ = targetHertz;
  inPluck_ = false;
  readings_.clear();
  string2_.reset();
  gap_.reset();
}

void UnisonCheck::cancel() {
  stage_ = Stage::Idle;
  inPluck_ = false;
  readings_.clear();
}

void UnisonCheck::tick(float power, bool loud, double hertz) {
  const bool onset = loud && (!lastLoud_ || power > kOnsetRise * lastPower_);
  lastPower_ = power;
  lastLoud_ = loud;
  if (stage_ != Stage::String2 && stage_ != Stage::String3) return;

  if (onset) {
    // A new pluck: one still being gathered that is long enough counts first.
    if (inPluck_ && static_cast<int>(readings_.size()) >= kMinSustainTicks) settle();
    if (stage_ == Stage::Done) return;
    inPluck_ = true;
    pluckTicks_ = 0;
    readings_.clear();
  }
  if (!inPluck_) return;
  if (!loud) {
    // The pluck has died away.
    if (static_cast<int>(readings_.size()) >= kMinSustainTicks) settle();
    inPluck_ = false;
    readings_.clear();
    return;
  }
  if (++pluckTicks_ <= kSkippedTicks) return;
  if (hertz > 0.0 && std::isfinite(hertz) && std::abs(1200.0 * std::log2(hertz / target_)) <= kNearTargetCents) {
    readings_.push_back(hertz);
  }
  if (static_cast<int>(readings_.size()) >= kMaxSustainTicks) {
    settle();
    inPluck_ = false;  // the rest of this pluck is not the next string
    readings_.clear();
  }
}

void UnisonCheck::settle() {
  std::vector<double> sorted = readings_;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t n = sorted.size();
  const double median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
  if (stage_ == Stage::String2) {
    string2_ = median;
    stage_ = Stage::String3;
  } else if (stage_ == Stage::String3 && string2_) {
    gap_ = gapBetween(*string2_, median);
    stage_ = Stage::Done;
  }
}

}  // namespace balalaika::unison
