#pragma once
// The application delegate: owns the application's window and installs the layout that fits
// the device at launch. Every member function runs on the main thread.
//   AppDelegate.cpp                 construction, window accessors, lifecycle callbacks
//   AppDelegateLaunch.cpp           application:didFinishLaunchingWithOptions:
//   AppDelegateLayoutSelection.cpp  initializeStoryBoardBasedOnScreenSize

#include <memory>
#include <string>

#include "platform/Application.h"
#include "platform/Device.h"
#include "platform/Storyboards.h"

namespace balalaika {

struct AppDelegateServices {
  platform::Device& device;
  platform::Storyboards& storyboards;
  platform::Application* application = nullptr;  // status bar; needed by the launch steps
};

class AppDelegate {
 public:
  explicit AppDelegate(AppDelegateServices services);
  ~AppDelegate();
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  // Launch: configures and notifies the rating prompt, installs the layout, hides the status
  // bar. Always answers true, also when no layout fits the device.
  bool didFinishLaunchingWithOptions();

  // Lifecycle callbacks of the application: nothing to do; capture and the tick keep running.
  void applicationWillResignActive() {}
  void applicationDidEnterBackground() {}
  void applicationWillEnterForeground() {}
  void applicationDidBecomeActive() {}
  void applicationWillTerminate() {}
  bool prefersStatusBarHidden() const { return true; }

  // Chooses the layout by the device's idiom and main-screen height and shows its initial
  // screen in a new window over the whole main screen. A device without a layout gets no window.
  void initializeStoryBoardBasedOnScreenSize();

  // The application's window; null until a layout has been installed.
  platform::Window* window() const { return window_.get(); }
  void setWindow(std::unique_ptr<platform::Window> window);

 private:
  // Loads the named layout and makes its initial screen the root of a new key window.
  void installStoryboard(const std::string& layoutName);

  AppDelegateServices services_;
  std::unique_ptr<platform::Window> window_;
};

}  // namespace balalaika
