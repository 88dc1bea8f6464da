#include "platform/qt/QtTunerScreen.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>

#include "platform/Log.h"
#include "tuner/OutboundLinks.h"
#include "tuner/ViewController.h"

namespace balalaika::qt {

QtTunerScreen::QtTunerScreen(QString layoutName, std::shared_ptr<QQmlEngine> engine,
                             std::unique_ptr<QQmlComponent> component, std::unique_ptr<ViewController> controller)
    : layoutName_(std::move(layoutName)),
      engine_(std::move(engine)),
      component_(std::move(component)),
      controller_(std::move(controller)) {
  // The lock may also be set by the controller itself (from the command line, when it loads):
  // its label changes with it.
  connect(&lockLabel_, &QtLabel::textChanged, this, &QtTunerScreen::lockedStringChanged);
}

QtTunerScreen::~QtTunerScreen() {
  // The layout's bindings read the view objects: the items go first.
  delete root_.data();
}

QVariantList QtTunerScreen::links() const {
  QVariantList list;
  for (const auto& link : links::outboundLinks()) {
    list.append(QVariantMap{{QStringLiteral("action"), QString::fromStdString(link.actionName)},
                            {QStringLiteral("label"), QString::fromStdString(link.label)}});
  }
  return list;
}

QQuickItem* QtTunerScreen::load(QQuickItem* parent) {
  if (root_) return root_;
  const QVariantMap initial{{QStringLiteral("tuner"), QVariant::fromValue<QObject*>(this)}};
  QObject* object = component_->createWithInitialProperties(initial, engine_->rootContext());
  auto* item = qobject_cast<QQuickItem*>(object);
  if (!item) {
    delete object;
    for (const auto& error : component_->errors()) {
      platform::warn(platform::LogCategory::Layout, "Layout %@: %@", layoutName_.toStdString(),
                     error.toString().toStdString());
    }
    return nullptr;
  }
  QQmlEngine::setObjectOwnership(item, QQmlEngine::CppOwnership);
  item->setParentItem(parent);
  root_ = item;
  for (const auto& name : item->property("outlets").toStringList()) {
    if (connectOutlet(name)) {
      connected_.append(name);
    } else {
      platform::warn(platform::LogCategory::Layout, "Layout %@ names an unknown outlet %@", layoutName_.toStdString(),
                     name.toStdString());
    }
  }
  return item;
}

bool QtTunerScreen::connectOutlet(const QString& name) {
  auto& o = controller_->outlets();
  const auto is = [&name](const char* outlet) { return name == QLatin1String(outlet); };
  if (is("freq_label")) o.freq_label = &freqLabel_;
  else if (is("noteDisplay")) o.noteDisplay = &noteDisplay_;
  else if (is("LEDDisplay")) o.LEDDisplay = &ledDisplay_;
  else if (is("LEDDisplay128")) o.LEDDisplay128 = &ledDisplay128_;
  else if (is("tunedString")) o.tunedString = &tunedString_;
  else if (is("tunedString5")) o.tunedString5 = &tunedString5_;
  else if (is("tunedStringiPad")) o.tunedStringiPad = &tunedStringiPad_;
  else if (is("currentTuningName")) o.currentTuningName = &currentTuningName_;
  else if (is("chartDisplay")) o.chartDisplay = &chartDisplay_;
  else if (is("firstString")) o.firstString = &firstString_;
  else if (is("secondString")) o.secondString = &secondString_;
  else if (is("thirdString")) o.thirdString = &thirdString_;
  else if (is("firstFreqButton")) o.firstFreqButton = &firstFreqButton_;
  else if (is("secondFreqButton")) o.secondFreqButton = &secondFreqButton_;
  else if (is("thirdFreqButton")) o.thirdFreqButton = &thirdFreqButton_;
  else if (is("showPreviousTuningButton")) o.showPreviousTuningButton = &showPreviousTuningButton_;
  else if (is("showNextTuningButton")) o.showNextTuningButton = &showNextTuningButton_;
  else if (is("aboutCongratsMessage")) o.aboutCongratsMessage = &aboutCongratsMessage_;
  else if (is("aboutMsg2")) o.aboutMsg2 = &aboutMsg2_;
  else if (is("tfnoteDisplay")) o.tfnoteDisplay = &tfnoteDisplay_;
  else if (is("tfFreqLabel")) o.tfFreqLabel = &tfFreqLabel_;
  else if (is("centsMeter")) o.centsMeter = &centsMeter_;
  else if (is("centsLabel")) o.centsLabel = &centsLabel_;
  else if (is("tuneCue")) o.tuneCue = &tuneCue_;
  else if (is("concertPitchLabel")) o.concertPitchLabel = &concertPitchLabel_;
  else if (is("lockLabel")) o.lockLabel = &lockLabel_;
  else if (is("aidMessage")) o.aidMessage = &aidMessage_;
  else if (is("unisonButton")) o.unisonButton = &unisonButton_;
  else if (is("unisonGap")) o.unisonGap = &unisonGap_;
  else return false;
  return true;
}

// A change of tuning releases the lock.
void QtTunerScreen::showPreviousTuning() {
  controller_->showPreviousTuning();
  emit lockedStringChanged();
}
void QtTunerScreen::showNextTuning() {
  controller_->showNextTuning();
  emit lockedStringChanged();
}
void QtTunerScreen::playA440Hz() { controller_->playA440Hz(); }
void QtTunerScreen::playE329_6() { controller_->playE329_6(); }
void QtTunerScreen::playThirdFreq() { controller_->playThirdFreq(); }
void QtTunerScreen::stopFreqPlay() { controller_->stopFreqPlay(); }
void QtTunerScreen::stepConcertPitch(int steps) { controller_->stepConcertPitch(steps); }
void QtTunerScreen::listenForA() { controller_->listenForA(); }
void QtTunerScreen::toggleLock(int stringIndex) {
  controller_->toggleLock(stringIndex);
  emit lockedStringChanged();
}
void QtTunerScreen::toggleUnisonCheck() { controller_->toggleUnisonCheck(); }
int QtTunerScreen::lockedString() const { return controller_->lockedString().value_or(0); }

bool QtTunerScreen::openLink(const QString& action) { return controller_->openLinkNamed(action.toStdString()); }

}  // namespace balalaika::qt
