#include "platform/qt/QtEstimatorToggle.h"

namespace balalaika::qt {

QtEstimatorToggle::QtEstimatorToggle(std::function<bool()> read, std::function<void(bool)> write)
    : read_(std::move(read)), write_(std::move(write)) {}

void QtEstimatorToggle::setPrecise(bool precise) {
  if (precise == read_()) return;
  write_(precise);
  emit preciseChanged();
}

}  // namespace balalaika::qt
