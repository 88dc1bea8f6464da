#include "app/HeadlessStoryboards.h"

#include <algorithm>
#include <cstdio>

#include "app/LayoutTable.h"

namespace balalaika::app {
namespace {

// How often the window looks for changes: well inside one tick, so every tick's state is seen.
constexpr double kWatchIntervalSeconds = 0.02;

}  // namespace

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
  if (watcher_ != 0 && options_.runLoop != nullptr) options_.runLoop->invalidate(watcher_);
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
    watcher_ = options_.runLoop->scheduleRepeating(kWatchIntervalSeconds, [this] { printIfChanged(); });
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
