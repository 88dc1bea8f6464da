#include "TunerRig.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include "app/LayoutTable.h"
#include "platform/Device.h"
#include "platform/qt/Language.h"
#include "tones/ToneGenerator.h"
#include "tuner/TuningTable.h"

namespace balalaika::rig {

void ensureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  static int argc = 1;
  static char name[] = "balalaika-tuner";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives for the rest of the process
  qt::installLanguage(QStringLiteral("en"));
}

platform::EmulatedDevice deviceFor(const std::string& layoutName) {
  for (const auto& size : platform::phoneScreenSizes()) {
    if (app::layoutFor(platform::kIdiomPhone, size.height) == layoutName) return {platform::kIdiomPhone, size};
  }
  for (const auto& size : platform::padScreenSizes()) {
    if (app::layoutFor(platform::kIdiomPad, size.height) == layoutName) return {platform::kIdiomPad, size};
  }
  return platform::defaultEmulatedDevice();
}

TunerRig::TunerRig(platform::EmulatedDevice device, platform::AudioOutputComponent* speaker)
    : speaker_(speaker != nullptr ? speaker : &output), device_(device) {
  ensureGuiApplication();
  tuning::resetCurrentTuningForTesting(tuning::kFirstTuning);

  qt::QtStoryboardsOptions options;
  options.fitToDesktop = false;
  options.makeViewController = [this] {
    auto controller = std::make_unique<ViewController>(ViewControllerServices{
        device_, images_, bundle_, runLoop, defaults_, urlOpener, pitch_, [] {}});
    controller->resetFirstTuning();
    return controller;
  };
  options.screenDidLoad = [this](ViewController& controller) {
    controller.setGenerator(std::make_unique<ToneGenerator>(*speaker_, nullptr, runLoop));
    controller.displayTunings();
  };
  storyboards_ = std::make_unique<qt::QtStoryboards>(std::move(options));
  delegate_ = std::make_unique<AppDelegate>(AppDelegateServices{device_, *storyboards_});
  delegate_->initializeStoryBoardBasedOnScreenSize();
  QCoreApplication::processEvents();
}

TunerRig::~TunerRig() {
  delegate_.reset();
  tuning::resetCurrentTuningForTesting(tuning::kFirstTuning);
}

qt::QtWindow* TunerRig::window() const { return dynamic_cast<qt::QtWindow*>(delegate_->window()); }

qt::QtTunerScreen* TunerRig::screen() const { return window() ? window()->tunerScreen() : nullptr; }

QQuickWindow* TunerRig::quickWindow() const { return window() ? window()->quickWindow() : nullptr; }

ViewController& TunerRig::controller() const { return screen()->viewController(); }

ToneGenerator& TunerRig::generator() const { return *controller().generator(); }

namespace {

// Searches the visual tree, where repeated items live (their object parent may differ).
QQuickItem* findItem(QQuickItem* item, const QString& objectName) {
  if (item->objectName() == objectName) return item;
  for (QQuickItem* child : item->childItems()) {
    if (QQuickItem* found = findItem(child, objectName)) return found;
  }
  return nullptr;
}

}  // namespace

QQuickItem* TunerRig::item(const QString& objectName) const {
  if (!screen() || !screen()->rootItem()) return nullptr;
  return findItem(screen()->rootItem(), objectName);
}

void TunerRig::tick(float power, float hertz) {
  pitch_.power = power;
  pitch_.hertz = hertz;
  controller().tickFree();
  settle();
}

QImage TunerRig::grab() {
  QCoreApplication::processEvents();
  return quickWindow() ? quickWindow()->grabWindow() : QImage();
}

}  // namespace balalaika::rig
