#pragma once
// The window front end on Qt Quick: a GUI application, the QML storyboards (QtStoryboards) and
// window pictures grabbed from the scene. Offscreen, the scene is drawn by the software renderer.

#include "platform/qt/WindowFrontEnd.h"

namespace balalaika::qt {

class QtWindowFrontEnd final : public app::WindowFrontEnd {
 public:
  std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) override;
  std::unique_ptr<platform::Storyboards> makeStoryboards(app::WindowScreenHooks hooks) override;
  std::string saveScreenshot(platform::Window* window, const std::string& file) override;
};

}  // namespace balalaika::qt
