// Tuning selection and chart display: the previous and next actions and the refresh of the
// per-tuning title, chart, string labels and buttons.

#include "tuner/ScreenMetrics.h"
#include "tuner/ScreenUpdates.h"
#include "tuner/TuningTable.h"
#include "tuner/ViewController.h"

namespace balalaika {
namespace {
constexpr const char* kAboutCongratsKey = "TunerAboutCongratsMessage";
constexpr const char* kAboutMsg2Key = "TunerAboutMsg2";
}  // namespace

void ViewController::showPreviousTuning() {
  // Unchecked: the screen hides the previous button on tuning 1.
  tuning::stepCurrentTuning(-1);
  releaseTuningAids();
  displayTunings();
}

void ViewController::showNextTuning() {
  // Unchecked: the screen hides the next button on tuning 5.
  tuning::stepCurrentTuning(+1);
  releaseTuningAids();
  displayTunings();
}

void ViewController::displayTunings() {
  screen::setText(outlets_.aboutCongratsMessage, services_.bundle.localizedString(kAboutCongratsKey));
  screen::setText(outlets_.aboutMsg2, services_.bundle.localizedString(kAboutMsg2Key));

  const screen::DeviceClass device = screen::deviceClass(services_.device);
  if (device == screen::DeviceClass::Other) return;
  const bool tabletChart = device == screen::DeviceClass::Pad ||
                           screen::isLargePhoneHeight(services_.device.screenHeight());

  displayNotes();

  const tuning::TuningIndex tuning = tuning::currentTuning();
  const std::optional<tuning::DisplayResources> resources = tuning::displayResources(tuning);
  if (!resources) return;

  screen::setImageNamed(outlets_.chartDisplay, services_.images,
                        tabletChart ? resources->padChart : resources->phoneChart);

  screen::setTitle(outlets_.firstFreqButton, tuning::noteName(tuning, 1).value_or(""));
  screen::setTitle(outlets_.secondFreqButton, tuning::noteName(tuning, 2).value_or(""));
  // The third button exists only where string 3 has a reference tone of its own.
  if (tuning::referenceTone(tuning, 3)) {
    screen::setHidden(outlets_.thirdFreqButton, false);
    screen::setTitle(outlets_.thirdFreqButton, tuning::noteName(tuning, 3).value_or(""));
  } else {
    screen::setHidden(outlets_.thirdFreqButton, true);
  }

  screen::setText(outlets_.currentTuningName, services_.bundle.localizedString(resources->titleKey));

  screen::setHidden(outlets_.showPreviousTuningButton, tuning == tuning::kFirstTuning);
  screen::setHidden(outlets_.showNextTuningButton, tuning == tuning::kLastTuning);
}

void ViewController::displayNotes() {
  const tuning::TuningIndex tuning = tuning::currentTuning();
  if (!tuning::isValidTuning(tuning)) return;
  screen::setText(outlets_.firstString, tuning::noteName(tuning, 1).value_or(""));
  screen::setText(outlets_.secondString, tuning::noteName(tuning, 2).value_or(""));
  screen::setText(outlets_.thirdString, tuning::noteName(tuning, 3).value_or(""));
}

}  // namespace balalaika
