#pragma once
// The tuner screen as the QML sees it: one view object per ViewController outlet, connected to
// the controller when the layout has that element, and the controller's actions as invokable
// functions for the layout's controls. The layout is instantiated from its QML file with this
// object as its "tuner" property and declares the outlets it has in its "outlets" property.
// Main thread only.

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QStringList>
#include <QVariantList>
#include <memory>

#include "platform/Storyboards.h"
#include "platform/qt/QtViews.h"

class QQmlComponent;
class QQmlEngine;

namespace balalaika {
class ViewController;
}

namespace balalaika::qt {

class QtTunerScreen : public QObject, public platform::Screen {
  Q_OBJECT
  Q_PROPERTY(QString layoutName READ layoutName CONSTANT)
  // The outbound links the layout can list: maps with "action" (the ViewController action
  // name, for openLink) and "label".
  Q_PROPERTY(QVariantList links READ links CONSTANT)
  Q_PROPERTY(QObject* freq_label READ freqLabel CONSTANT)
  Q_PROPERTY(QObject* noteDisplay READ noteDisplay CONSTANT)
  Q_PROPERTY(QObject* LEDDisplay READ ledDisplay CONSTANT)
  Q_PROPERTY(QObject* LEDDisplay128 READ ledDisplay128 CONSTANT)
  Q_PROPERTY(QObject* tunedString READ tunedString CONSTANT)
  Q_PROPERTY(QObject* tunedString5 READ tunedString5 CONSTANT)
  Q_PROPERTY(QObject* tunedStringiPad READ tunedStringiPad CONSTANT)
  Q_PROPERTY(QObject* currentTuningName READ currentTuningName CONSTANT)
  Q_PROPERTY(QObject* chartDisplay READ chartDisplay CONSTANT)
  Q_PROPERTY(QObject* firstString READ firstString CONSTANT)
  Q_PROPERTY(QObject* secondString READ secondString CONSTANT)
  Q_PROPERTY(QObject* thirdString READ thirdString CONSTANT)
  Q_PROPERTY(QObject* firstFreqButton READ firstFreqButton CONSTANT)
  Q_PROPERTY(QObject* secondFreqButton READ secondFreqButton CONSTANT)
  Q_PROPERTY(QObject* thirdFreqButton READ thirdFreqButton CONSTANT)
  Q_PROPERTY(QObject* showPreviousTuningButton READ showPreviousTuningButton CONSTANT)
  Q_PROPERTY(QObject* showNextTuningButton READ showNextTuningButton CONSTANT)
  Q_PROPERTY(QObject* aboutCongratsMessage READ aboutCongratsMessage CONSTANT)
  Q_PROPERTY(QObject* aboutMsg2 READ aboutMsg2 CONSTANT)
  Q_PROPERTY(QObject* tfnoteDisplay READ tfnoteDisplay CONSTANT)
  Q_PROPERTY(QObject* tfFreqLabel READ tfFreqLabel CONSTANT)
  Q_PROPERTY(QObject* centsMeter READ centsMeter CONSTANT)
  Q_PROPERTY(QObject* centsLabel READ centsLabel CONSTANT)
  Q_PROPERTY(QObject* tuneCue READ tuneCue CONSTANT)
  Q_PROPERTY(QObject* concertPitchLabel READ concertPitchLabel CONSTANT)
  Q_PROPERTY(QObject* lockLabel READ lockLabel CONSTANT)
  Q_PROPERTY(QObject* aidMessage READ aidMessage CONSTANT)
  Q_PROPERTY(QObject* unisonButton READ unisonButton CONSTANT)
  Q_PROPERTY(QObject* unisonGap READ unisonGap CONSTANT)
  // The string 1..3 the meter is locked to, 0 for none.
  Q_PROPERTY(int lockedString READ lockedString NOTIFY lockedStringChanged)

 public:
  // component: the layout, already compiled by engine. The screen owns the controller.
  QtTunerScreen(QString layoutName, std::shared_ptr<QQmlEngine> engine, std::unique_ptr<QQmlComponent> component,
                std::unique_ptr<ViewController> controller);
  ~QtTunerScreen() override;

  ViewController& viewController() { return *controller_; }
  QString layoutName() const { return layoutName_; }
  QVariantList links() const;

  // Instantiates the layout under parent and connects the outlets it declares. Returns the
  // layout's root item (owned by this screen), or nullptr when the layout fails to load.
  QQuickItem* load(QQuickItem* parent);
  QQuickItem* rootItem() const { return root_; }
  // The outlet names connected by load, in the layout's order.
  QStringList connectedOutlets() const { return connected_; }

  // Taps, forwarded to the controller.
  Q_INVOKABLE void showPreviousTuning();
  Q_INVOKABLE void showNextTuning();
  Q_INVOKABLE void playA440Hz();
  Q_INVOKABLE void playE329_6();
  Q_INVOKABLE void playThirdFreq();
  Q_INVOKABLE void stopFreqPlay();
  // Tuning aids: concert pitch by ±0.5 Hz steps, from a heard A; a tap on a string's note
  // label locks or releases it; the unison check starts or stops.
  Q_INVOKABLE void stepConcertPitch(int steps);
  Q_INVOKABLE void listenForA();
  Q_INVOKABLE void toggleLock(int stringIndex);
  Q_INVOKABLE void toggleUnisonCheck();
  int lockedString() const;
  // Opens one outbound link by its action name ("reviewThisApp", "purchaseSiblingApp7", ...);
  // an unknown name does nothing and returns false.
  Q_INVOKABLE bool openLink(const QString& action);

  QObject* freqLabel() { return &freqLabel_; }
  QObject* noteDisplay() { return &noteDisplay_; }
  QObject* ledDisplay() { return &ledDisplay_; }
  QObject* ledDisplay128() { return &ledDisplay128_; }
  QObject* tunedString() { return &tunedString_; }
  QObject* tunedString5() { return &tunedString5_; }
  QObject* tunedStringiPad() { return &tunedStringiPad_; }
  QObject* currentTuningName() { return &currentTuningName_; }
  QObject* chartDisplay() { return &chartDisplay_; }
  QObject* firstString() { return &firstString_; }
  QObject* secondString() { return &secondString_; }
  QObject* thirdString() { return &thirdString_; }
  QObject* firstFreqButton() { return &firstFreqButton_; }
  QObject* secondFreqButton() { return &secondFreqButton_; }
  QObject* thirdFreqButton() { return &thirdFreqButton_; }
  QObject* showPreviousTuningButton() { return &showPreviousTuningButton_; }
  QObject* showNextTuningButton() { return &showNextTuningButton_; }
  QObject* aboutCongratsMessage() { return &aboutCongratsMessage_; }
  QObject* aboutMsg2() { return &aboutMsg2_; }
  QObject* tfnoteDisplay() { return &tfnoteDisplay_; }
  QObject* tfFreqLabel() { return &tfFreqLabel_; }
  QObject* centsMeter() { return &centsMeter_; }
  QObject* centsLabel() { return &centsLabel_; }
  QObject* tuneCue() { return &tuneCue_; }
  QObject* concertPitchLabel() { return &concertPitchLabel_; }
  QObject* lockLabel() { return &lockLabel_; }
  QObject* aidMessage() { return &aidMessage_; }
  QObject* unisonButton() { return &unisonButton_; }
  QObject* unisonGap() { return &unisonGap_; }

 signals:
  void lockedStringChanged();

 private:
  // Sets the controller's outlet of that name to its view object; false for an unknown name.
  bool connectOutlet(const QString& name);

  QString layoutName_;
  QtLabel freqLabel_, noteDisplay_, currentTuningName_, firstString_, secondString_, thirdString_,
      aboutCongratsMessage_, aboutMsg2_, tfnoteDisplay_, tfFreqLabel_, centsLabel_, tuneCue_, concertPitchLabel_,
      lockLabel_, aidMessage_;
  QtCentsMeter centsMeter_;
  QtUnisonView unisonGap_;
  QtImageView ledDisplay_, ledDisplay128_, tunedString_, tunedString5_, tunedStringiPad_, chartDisplay_;
  QtButton firstFreqButton_, secondFreqButton_, thirdFreqButton_, showPreviousTuningButton_,
      showNextTuningButton_, unisonButton_;
  std::shared_ptr<QQmlEngine> engine_;
  std::unique_ptr<QQmlComponent> component_;
  // Declared after the view objects: destroyed first, so it never points at a dead one.
  std::unique_ptr<ViewController> controller_;
  QPointer<QQuickItem> root_;
  QStringList connected_;
};

}  // namespace balalaika::qt
