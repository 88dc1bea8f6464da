#include "platform/qt/QtStoryboards.h"

#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/Log.h"
#include "platform/qt/QtTunerScreen.h"
#include "tuner/ViewController.h"

namespace balalaika::qt {
namespace {

#if defined(Q_OS_ANDROID) || defined(Q_OS_IOS)
constexpr bool kFullScreenPlatform = true;
#else
constexpr bool kFullScreenPlatform = false;
#endif

// Room left around a scaled-down window for the desktop's title bar and panels, in pixels.
constexpr double kDesktopMargin = 80.0;

double fitScale(const platform::Rect& frame) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || frame.width <= 0 || frame.height <= 0) return 1.0;
  const QRect available = screen->availableGeometry();
  const double scale = std::min((available.width() - kDesktopMargin) / frame.width,
                                (available.height() - kDesktopMargin) / frame.height);
  return std::clamp(scale, 0.1, 1.0);
}

}  // namespace

QtStoryboards::QtStoryboards(QtStoryboardsOptions options)
    : options_(std::move(options)), engine_(std::make_shared<QQmlEngine>()) {
  if (options_.prepareEngine) options_.prepareEngine(*engine_);
}

QtStoryboards::~QtStoryboards() = default;

QString QtStoryboards::layoutUrl(const QString& layoutName) {
  return QStringLiteral("qrc:/layouts/") + layoutName + QStringLiteral(".qml");
}

std::unique_ptr<platform::Screen> QtStoryboards::instantiateInitialScreen(const std::string& layoutName) {
  const auto name = QString::fromStdString(layoutName);
  // Only layout names ("Main_iPhone12Pro"): never a path into other resources, nor one of the
  // components the layouts share.
  if (!name.startsWith(QLatin1String("Main_")) || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('.'))) {
    return nullptr;
  }
  if (!QFile::exists(QStringLiteral(":/layouts/") + name + QStringLiteral(".qml"))) return nullptr;
  auto component = std::make_unique<QQmlComponent>(engine_.get(), QUrl(layoutUrl(name)));
  if (component->isError()) {
    for (const auto& error : component->errors()) {
      platform::warn(platform::LogCategory::Layout, "Layout %@: %@", layoutName, error.toString().toStdString());
    }
    return nullptr;
  }
  auto controller = options_.makeViewController ? options_.makeViewController() : nullptr;
  if (!controller) return nullptr;
  return std::make_unique<QtTunerScreen>(name, engine_, std::move(component), std::move(controller));
}

std::unique_ptr<platform::Window> QtStoryboards::createWindow(const platform::Rect& frame) {
  return std::make_unique<QtWindow>(frame, options_);
}

QtWindow::QtWindow(const platform::Rect& frame, const QtStoryboardsOptions& options)
    : options_(options), frame_(frame), window_(std::make_unique<QQuickWindow>()) {
  window_->setColor(Qt::black);
  stage_ = new QQuickItem(window_->contentItem());
  stage_->setSize(QSizeF(frame.width, frame.height));
  stage_->setTransformOrigin(QQuickItem::TopLeft);
  if (!kFullScreenPlatform && options_.fitToDesktop) scale_ = fitScale(frame);
  stage_->setScale(scale_);
  window_->setGeometry(static_cast<int>(frame.x), static_cast<int>(frame.y),
                       static_cast<int>(std::ceil(frame.width * scale_)),
                       static_cast<int>(std::ceil(frame.height * scale_)));
}

QtWindow::~QtWindow() = default;

void QtWindow::setRootScreen(std::unique_ptr<platform::Screen> screen) {
  screen_.reset();
  auto* tuner = dynamic_cast<QtTunerScreen*>(screen.get());
  if (!tuner) return;
  screen.release();
  screen_.reset(tuner);
  if (!screen_->load(stage_)) return;
  window_->setTitle(QStringLiteral("Balalaika Tuner — %1 (%2×%3)")
                        .arg(screen_->layoutName())
                        .arg(frame_.width)
                        .arg(frame_.height));
  if (options_.screenDidLoad) options_.screenDidLoad(screen_->viewController());
}

void QtWindow::makeKeyAndVisible() {
  if (screen_ && screen_->rootItem() && options_.screenWillAppear) {
    options_.screenWillAppear(screen_->viewController());
  }
  if (kFullScreenPlatform) {
    window_->showFullScreen();
  } else {
    window_->show();
  }
  window_->requestActivate();
}

}  // namespace balalaika::qt
