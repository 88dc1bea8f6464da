// Renders every layout in the states that matter into PNG files:
//   bt_screenshots [output folder, default "screenshots"] [layout name ...]
// Files are named <layout>-<state>.png. Runs on Qt's offscreen platform unless another is set.

#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "ScreenshotStates.h"
#include "TunerRig.h"
#include "app/LayoutTable.h"
#include "platform/Log.h"

int main(int argc, char** argv) {
  using namespace balalaika;
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  std::vector<std::string> layouts;
  for (int i = 2; i < argc; ++i) layouts.emplace_back(argv[i]);
  if (layouts.empty()) layouts.assign(app::kLayoutNames.begin(), app::kLayoutNames.end());

  // Every rendered state installs its layout afresh; the developer lines that installing logs
  // each time say nothing here. Failures are still shown.
  platform::setLogSink([](platform::LogCategory, platform::LogLevel level, const std::string& line) {
    if (level == platform::LogLevel::Warning) std::fprintf(stderr, "%s\n", line.c_str());
  });
  rig::ensureGuiApplication();
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "bt_screenshots: cannot create %s\n", qPrintable(folder));
    return 1;
  }
  int written = 0;
  for (const auto& layout : layouts) {
    for (const auto& state : rig::screenshotStates()) {
      rig::TunerRig tuner(rig::deviceFor(layout));
      if (!tuner.screen() || tuner.screen()->layoutName().toStdString() != layout) {
        std::fprintf(stderr, "bt_screenshots: no layout %s\n", layout.c_str());
        return 1;
      }
      state.drive(tuner);
      // The meter's needle glides to each reading within one tick: let it arrive.
      QEventLoop settling;
      QTimer::singleShot(150, &settling, &QEventLoop::quit);
      settling.exec();
      const QString path = QDir(folder).filePath(QString::fromStdString(layout + "-" + state.name + ".png"));
      if (!tuner.grab().save(path)) {
        std::fprintf(stderr, "bt_screenshots: cannot write %s\n", qPrintable(path));
        return 1;
      }
      ++written;
    }
  }
  std::printf("bt_screenshots: %d pictures in %s\n", written, qPrintable(QDir(folder).absolutePath()));
  return 0;
}
