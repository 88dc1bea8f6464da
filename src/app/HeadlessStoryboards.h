#pragma once
// Layouts without a window: every layout's screen is the same set of plain view objects
// (HeadlessScreen) driven by its own ViewController. Whenever what the screen shows changes,
// one line goes to the output, stamped with the seconds since the window was shown:
//   12.30 tuning="Prima balalaika" freq="440.0Hz" note="A4" lamp=green string=1 tone=""
// Main thread only.

#include <functional>
#include <memory>
#include <ostream>

#include "app/HeadlessScreen.h"
#include "platform/RunLoop.h"
#include "platform/Storyboards.h"
#include "tuner/ViewController.h"

namespace balalaika::app {

struct HeadlessStoryboardsOptions {
  std::function<std::unique_ptr<ViewController>()> makeViewController;
  std::function<void(ViewController&)> screenDidLoad;
  std::function<void(ViewController&)> screenWillAppear;
  platform::RunLoop* runLoop = nullptr;  // for the time stamps and to batch the changes of one turn
  std::ostream* out = nullptr;
};

class HeadlessStoryboards : public platform::Storyboards {
 public:
  explicit HeadlessStoryboards(HeadlessStoryboardsOptions options);

  // Only the thirteen layout names instantiate.
  std::unique_ptr<platform::Screen> instantiateInitialScreen(const std::string& layoutName) override;
  std::unique_ptr<platform::Window> createWindow(const platform::Rect& frame) override;

 private:
  HeadlessStoryboardsOptions options_;
};

// The screen of a headless layout: its controller and the view objects it drives.
class HeadlessTunerScreen : public platform::Screen {
 public:
  explicit HeadlessTunerScreen(std::unique_ptr<ViewController> controller);
  ViewController& controller() { return *controller_; }
  HeadlessScreen& views() { return views_; }

 private:
  HeadlessScreen views_;
  std::unique_ptr<ViewController> controller_;
};

class HeadlessWindow : public platform::Window {
 public:
  explicit HeadlessWindow(const HeadlessStoryboardsOptions& options);
  ~HeadlessWindow() override;
  void setRootScreen(std::unique_ptr<platform::Screen> screen) override;
  void makeKeyAndVisible() override;
  HeadlessTunerScreen* root() const { return root_.get(); }

 private:
  void printIfChanged();

  const HeadlessStoryboardsOptions& options_;
  std::unique_ptr<HeadlessTunerScreen> root_;
  platform::RunLoop::TimerId pendingPrint_ = 0;  // the print of changes not yet printed
  double shownAt_ = 0.0;
};

}  // namespace balalaika::app
