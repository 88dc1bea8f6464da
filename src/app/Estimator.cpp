#include "app/Estimator.h"

namespace balalaika::app {

std::optional<Estimator> parseEstimator(const std::string& name) {
  if (name == "default") return Estimator::Default;
  if (name == "precise") return Estimator::Precise;
  return std::nullopt;
}

}  // namespace balalaika::app
