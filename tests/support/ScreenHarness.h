#pragma once
// A tuner screen whose reading, note, lamps and highlights remember what they show (other outlets
// left out). Resets the tuning and the tuned-string marks on both ends: each test is a fresh launch.

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

// Listener readings the test sets.
class FakePitchSource : public PitchSource {
 public:
  float averagePower() override { return power; }
  float frequency() override { return hertz; }
  double refinedFrequency() override { return refined; }
  float power = 0.0f, hertz = 0.0f;
  double refined = 0.0;
};

inline constexpr float kLoud = 0.01f, kSoft = 0.003f, kSilent = 0.0f;

class ScreenHarness {
 public:
  fakes::RecordingLabel freq_label, noteDisplay;
  fakes::RecordingImageView LEDDisplay, LEDDisplay128, tunedString, tunedString5, tunedStringiPad;

  fakes::RecordingImages images;
  fakes::FakeDevice device;  // a phone 844 points high
  fakes::FakeBundle bundle;  // every text falls back to its key
  fakes::FakeRunLoop runLoop;
  fakes::InMemoryUserDefaults defaults;
  fakes::RecordingUrlOpener urlOpener;
  FakePitchSource pitch;
  int promptRequests = 0;
  ViewController controller;

  ScreenHarness()
      : controller(ViewControllerServices{device, images, bundle, runLoop, defaults, urlOpener, pitch,
                                          [this] { ++promptRequests; }}) {
    freshLaunch();
    controller.outlets() = {.freq_label = &freq_label, .noteDisplay = &noteDisplay, .LEDDisplay = &LEDDisplay,
                            .LEDDisplay128 = &LEDDisplay128, .tunedString = &tunedString, .tunedString5 = &tunedString5,
                            .tunedStringiPad = &tunedStringiPad};
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
};

}  // namespace balalaika::testing
