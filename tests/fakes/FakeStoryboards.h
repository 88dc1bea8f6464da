#pragma once
// Layouts and windows that record what is done with them, in one journal of events:
//   "instantiate <name>", "window <x> <y> <width> <height>", "root <name>", "key and visible".

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Storyboards.h"

namespace balalaika::fakes {

class FakeStoryboards : public platform::Storyboards {
 public:
  struct FakeScreen : platform::Screen {
    explicit FakeScreen(std::string name) : layoutName(std::move(name)) {}
    std::string layoutName;
  };

  struct FakeWindow : platform::Window {
    FakeWindow(std::vector<std::string>& journal, platform::Rect windowFrame) : journal_(journal), frame(windowFrame) {}
    void setRootScreen(std::unique_ptr<platform::Screen> screen) override {
      root = std::move(screen);
      auto* fake = dynamic_cast<FakeScreen*>(root.get());
      journal_.push_back("root " + (fake ? fake->layoutName : std::string("?")));
    }
    void makeKeyAndVisible() override {
      keyAndVisible = true;
      journal_.push_back("key and visible");
    }
    std::vector<std::string>& journal_;
    platform::Rect frame;
    std::unique_ptr<platform::Screen> root;
    bool keyAndVisible = false;
  };

  std::unique_ptr<platform::Screen> instantiateInitialScreen(const std::string& layoutName) override {
    journal.push_back("instantiate " + layoutName);
    if (missing.count(layoutName)) return nullptr;
    return std::make_unique<FakeScreen>(layoutName);
  }

  std::unique_ptr<platform::Window> createWindow(const platform::Rect& frame) override {
    journal.push_back("window " + std::to_string(static_cast<int>(frame.x)) + " " +
                      std::to_string(static_cast<int>(frame.y)) + " " + std::to_string(static_cast<int>(frame.width)) +
                      " " + std::to_string(static_cast<int>(frame.height)));
    ++windowsCreated;
    return std::make_unique<FakeWindow>(journal, frame);
  }

  std::vector<std::string> journal;
  std::set<std::string> missing;  // layout names that instantiate as nothing
  int windowsCreated = 0;
};

}  // namespace balalaika::fakes
