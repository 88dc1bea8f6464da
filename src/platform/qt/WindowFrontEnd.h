#pragma once
// What only the window program has: the GUI application object, the storyboards that load the
// QML layouts into windows, and saving a window as a picture. Qt Quick and QML are linked into
// the window program alone, so that a headless run or an analysis never loads them.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Storyboards.h"

class QCoreApplication;

namespace balalaika {
class ViewController;
}

namespace balalaika::app {

struct WindowScreenHooks {
  std::function<std::unique_ptr<ViewController>()> makeViewController;
  std::function<void(ViewController&)> screenDidLoad;
  std::function<void(ViewController&)> screenWillAppear;
  // Objects the layouts reach by name ("ratingAlerts", "pitchEstimator").
  std::vector<std::pair<QString, QObject*>> namedObjects;
};

class WindowFrontEnd {
 public:
  virtual ~WindowFrontEnd() = default;
  virtual std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) = 0;
  virtual std::unique_ptr<platform::Storyboards> makeStoryboards(WindowScreenHooks hooks) = 0;
  // Saves the window as a PNG picture; an error message, or empty when it was saved.
  virtual std::string saveScreenshot(platform::Window* window, const std::string& file) = 0;
};

}  // namespace balalaika::app
