#pragma once

#include <optional>

#include "app/Estimator.h"
#include "platform/UserDefaults.h"
#include "tuner/ViewController.h"

namespace balalaika::app {

// The tick's pitch source: the default estimate or the precise one, as the player chose. The
// choice is kept in the defaults store under kPreciseEstimatorKey, so that it survives
// restarts; a choice made on the command line wins for that run without being stored.
// Main thread.
class EstimatorSwitch final : public PitchSource {
 public:
  static constexpr const char* kPreciseEstimatorKey = "preciseEstimator";

  EstimatorSwitch(platform::UserDefaults& defaults, PitchSource& defaultSource, PitchSource& preciseSource,
                  std::optional<Estimator> commandLine);

  bool precise() const { return precise_; }
  // Switches from the next reading on and stores the choice.
  void setPrecise(bool precise);

  float averagePower() override { return current().averagePower(); }
  float frequency() override { return current().frequency(); }
  double refinedFrequency() override { return current().refinedFrequency(); }

 private:
  PitchSource& current() { return precise_ ? preciseSource_ : defaultSource_; }

  platform::UserDefaults& defaults_;
  PitchSource& defaultSource_;
  PitchSource& preciseSource_;
  bool precise_;
};

}  // namespace balalaika::app
