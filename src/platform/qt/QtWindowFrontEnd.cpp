#include "platform/qt/QtWindowFrontEnd.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include "platform/qt/QtStoryboards.h"

namespace balalaika::qt {

std::unique_ptr<QCoreApplication> QtWindowFrontEnd::makeApplication(int& argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen") QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::unique_ptr<platform::Storyboards> QtWindowFrontEnd::makeStoryboards(app::WindowScreenHooks hooks) {
  QtStoryboardsOptions options;
  options.makeViewController = std::move(hooks.makeViewController);
  options.screenDidLoad = std::move(hooks.screenDidLoad);
  options.screenWillAppear = std::move(hooks.screenWillAppear);
  options.prepareEngine = [objects = std::move(hooks.namedObjects)](QQmlEngine& engine) {
    for (const auto& [name, object] : objects) engine.rootContext()->setContextProperty(name, object);
  };
  return std::make_unique<QtStoryboards>(std::move(options));
}

std::string QtWindowFrontEnd::saveScreenshot(platform::Window* window, const std::string& file) {
  auto* quick = dynamic_cast<QtWindow*>(window);
  if (quick == nullptr || quick->quickWindow() == nullptr) return "no window to save as " + file;
  if (!quick->quickWindow()->grabWindow().save(QString::fromStdString(file))) return "cannot write " + file;
  return {};
}

}  // namespace balalaika::qt
