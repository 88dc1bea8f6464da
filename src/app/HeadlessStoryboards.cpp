#include "app/HeadlessStoryboards.h"

#include <algorithm>
#include <cstdio>

#include "app/LayoutTable.h"

namespace balalaika::app {
HeadlessStoryboards::HeadlessStoryboards(HeadlessStoryboardsOptions options) : options_(std::move(options)) {}

std::unique_ptr<platform::Screen> HeadlessStoryboards::instantiateInitialScreen(const std::string& layoutName) {
  const bool known = std::find(kLayoutNames.begin(), kLayoutNames.end(), layoutName) != kLayoutNames.end();
  if (!known || !options_.makeViewController) return nullptr;
  return std::make_unique<HeadlessTunerScreen>(options_.makeViewController());
}

std::unique_ptr<platform::Window> HeadlessStoryboards::createWindow(const platform::Rect&) {
  return std::make_unique<HeadlessWindow>(options_);
}

HeadlessTunerScreen::HeadlessTunerScreen(std::unique_ptr<ViewController> controller)
    : controller_(std::move(controller)) {
  views_.connect(controller_->outlets());
}

HeadlessWindow::HeadlessWindow(const HeadlessStoryboardsOptions& options) : options_(options) {}

HeadlessWindow::~HeadlessWindow() {
  if (root_) root_->views().setOnChange(nullptr);
  if (pendingPrint_ != 0 && options_.runLoop != nullptr) options_.runLoop->invalidate(pendingPrint_);
}

void HeadlessWindow::setRootScreen(std::unique_ptr<platform::Screen> screen) {
  root_.reset(dynamic_cast<HeadlessTunerScreen*>(screen.release()));
  if (root_ && options_.screenDidLoad) options_.screenDidLoad(root_->controller());
}

void HeadlessWindow::makeKeyAndVisible() {
  if (!root_) return;
  if (options_.screenWillAppear) options_.screenWillAppear(root_->controller());
  if (options_.runLoop != nullptr) {
    shownAt_ = options_.runLoop->now();
    // Nothing wakes the window while the screen stays the same. A change is printed once the
    // code that made it (a tick, an action) has returned, so a tick's changes make one line.
    root_->views().setOnChange([this] {
      if (pendingPrint_ != 0) return;
      pendingPrint_ = options_.runLoop->scheduleOnce(0.0, [this] {
        pendingPrint_ = 0;
        printIfChanged();
      });
    });
  }
  printIfChanged();
}

void HeadlessWindow::printIfChanged() {
  if (!root_ || options_.out == nullptr) return;
  const auto line = root_->views().changedSummary();
  if (!line) return;
  const double seconds = options_.runLoop != nullptr ? options_.runLoop->now() - shownAt_ : 0.0;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%.2f ", seconds);
  *options_.out << stamp << *line << std::endl;
}

}  // namespace balalaika::app
