#pragma once
// A tuner screen wired to recording fakes: every outlet, image look-up and listener read goes
// into one call log. Resets the current tuning and the tuned-string marks on both ends, so
// each test starts as a fresh launch.

#include <string>

#include "fakes/FakeBundle.h"
#include "fakes/FakeDevice.h"
#include "fakes/FakeRunLoop.h"
#include "fakes/InMemoryUserDefaults.h"
#include "fakes/RecordingUrlOpener.h"
#include "fakes/RecordingViews.h"
#include "tuner/TuningTable.h"
#include "tuner/ViewController.h"

namespace balalaika::testing {

// Listener readings the test sets; each read is logged.
class FakePitchSource : public PitchSource {
 public:
  explicit FakePitchSource(fakes::ViewCallLog& log) : log_(log) {}
  float averagePower() override {
    log_.record("pitch", "averagePower", "");
    return power;
  }
  float frequency() override {
    log_.record("pitch", "frequency", "");
    return hertz;
  }
  // Not logged: the tick reads it right after frequency, for the cents meter only.
  double refinedFrequency() override { return refined; }
  float power = 0.0f;
  float hertz = 0.0f;
  double refined = 0.0;

 private:
  fakes::ViewCallLog& log_;
};

inline constexpr float kLoud = 0.01f;
inline constexpr float kSoft = 0.003f;
inline constexpr float kSilent = 0.0f;

class ScreenHarness {
 public:
  fakes::ViewCallLog log;
  fakes::RecordingLabel freq_label{"freq_label", log};
  fakes::RecordingLabel noteDisplay{"noteDisplay", log};
  fakes::RecordingImageView LEDDisplay{"LEDDisplay", log};
  fakes::RecordingImageView LEDDisplay128{"LEDDisplay128", log};
  fakes::RecordingImageView tunedString{"tunedString", log};
  fakes::RecordingImageView tunedString5{"tunedString5", log};
  fakes::RecordingImageView tunedStringiPad{"tunedStringiPad", log};
  fakes::RecordingLabel currentTuningName{"currentTuningName", log};
  fakes::RecordingImageView chartDisplay{"chartDisplay", log};
  fakes::RecordingLabel firstString{"firstString", log};
  fakes::RecordingLabel secondString{"secondString", log};
  fakes::RecordingLabel thirdString{"thirdString", log};
  fakes::RecordingButton firstFreqButton{"firstFreqButton", log};
  fakes::RecordingButton secondFreqButton{"secondFreqButton", log};
  fakes::RecordingButton thirdFreqButton{"thirdFreqButton", log};
  fakes::RecordingButton showPreviousTuningButton{"showPreviousTuningButton", log};
  fakes::RecordingButton showNextTuningButton{"showNextTuningButton", log};
  fakes::RecordingLabel aboutCongratsMessage{"aboutCongratsMessage", log};
  fakes::RecordingLabel aboutMsg2{"aboutMsg2", log};
  fakes::RecordingLabel tfnoteDisplay{"tfnoteDisplay", log};
  fakes::RecordingLabel tfFreqLabel{"tfFreqLabel", log};

  fakes::RecordingImages images{log};
  fakes::FakeDevice device;  // a phone 844 points high
  fakes::FakeBundle bundle;  // every text falls back to its key
  fakes::FakeRunLoop runLoop;
  fakes::InMemoryUserDefaults defaults;
  fakes::RecordingUrlOpener urlOpener;
  FakePitchSource pitch{log};
  int promptRequests = 0;
  ViewController controller;

  ScreenHarness()
      : controller(ViewControllerServices{device, images, bundle, runLoop, defaults, urlOpener, pitch,
                                          [this] { ++promptRequests; }}) {
    freshLaunch();
    ViewControllerOutlets& o = controller.outlets();
    o.freq_label = &freq_label;
    o.noteDisplay = &noteDisplay;
    o.LEDDisplay = &LEDDisplay;
    o.LEDDisplay128 = &LEDDisplay128;
    o.tunedString = &tunedString;
    o.tunedString5 = &tunedString5;
    o.tunedStringiPad = &tunedStringiPad;
    o.currentTuningName = &currentTuningName;
    o.chartDisplay = &chartDisplay;
    o.firstString = &firstString;
    o.secondString = &secondString;
    o.thirdString = &thirdString;
    o.firstFreqButton = &firstFreqButton;
    o.secondFreqButton = &secondFreqButton;
    o.thirdFreqButton = &thirdFreqButton;
    o.showPreviousTuningButton = &showPreviousTuningButton;
    o.showNextTuningButton = &showNextTuningButton;
    o.aboutCongratsMessage = &aboutCongratsMessage;
    o.aboutMsg2 = &aboutMsg2;
    o.tfnoteDisplay = &tfnoteDisplay;
    o.tfFreqLabel = &tfFreqLabel;
  }
  ~ScreenHarness() { freshLaunch(); }
  ScreenHarness(const ScreenHarness&) = delete;
  ScreenHarness& operator=(const ScreenHarness&) = delete;

  void freshLaunch() {
    controller.resetFirstTuning();
    tuning::resetCurrentTuningForTesting(tuning::kFirstTuning);
  }
  // One tick with these listener readings.
  void tick(float power, float hertz) {
    pitch.power = power;
    pitch.hertz = hertz;
    controller.tickFree();
  }
  void selectTuning(tuning::TuningIndex t) { tuning::resetCurrentTuningForTesting(t); }
  void phone(double height) {
    device.idiom = platform::kIdiomPhone;
    device.height = height;
  }
  void pad(double height = 1024.0) {
    device.idiom = platform::kIdiomPad;
    device.height = height;
  }
};

}  // namespace balalaika::testing
