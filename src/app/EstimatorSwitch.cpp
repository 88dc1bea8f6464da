#include "app/EstimatorSwitch.h"

namespace balalaika::app {

EstimatorSwitch::EstimatorSwitch(platform::UserDefaults& defaults, PitchSource& defaultSource,
                                 PitchSource& preciseSource, std::optional<Estimator> commandLine)
    : defaults_(defaults),
      defaultSource_(defaultSource),
      preciseSource_(preciseSource),
      precise_(commandLine ? *commandLine == Estimator::Precise
                           : defaults.boolForKey(kPreciseEstimatorKey).value_or(false)) {}

void EstimatorSwitch::setPrecise(bool precise) {
  precise_ = precise;
  defaults_.setBool(kPreciseEstimatorKey, precise);
  defaults_.synchronize();
}

}  // namespace balalaika::app
