#pragma once
// The player's choice of pitch estimate as the QML sees it: one boolean property, read from
// and written to the application's pitch source. Main thread only.

#include <QObject>
#include <functional>

namespace balalaika::qt {

class QtEstimatorToggle : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool precise READ precise WRITE setPrecise NOTIFY preciseChanged)

 public:
  QtEstimatorToggle(std::function<bool()> read, std::function<void(bool)> write);

  bool precise() const { return read_(); }
  // Stores the choice; notifies only when it changes.
  void setPrecise(bool precise);

 signals:
  void preciseChanged();

 private:
  std::function<bool()> read_;
  std::function<void(bool)> write_;
};

}  // namespace balalaika::qt
