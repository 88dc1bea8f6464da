#pragma once
// A running tuner screen for one emulated device, shown in an offscreen window: the layout is
// chosen and installed by the application delegate, the screen's controller is the real
// ViewController, and the listener is a script the caller sets (power and frequency per tick).
// Tones go to a silent output, links to a recorder, timers to a manual loop. For screenshots
// and screen tests. Main thread only; needs a QGuiApplication (see ensureGuiApplication).

#include <QImage>
#include <memory>
#include <string>

#include "app/AppDelegate.h"
#include "fakes/FakeAudioOutput.h"
#include "fakes/FakeRunLoop.h"
#include "fakes/InMemoryUserDefaults.h"
#include "fakes/RecordingUrlOpener.h"
#include "platform/EmulatedDevice.h"
#include "platform/qt/QtBundle.h"
#include "platform/qt/QtDevice.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtStoryboards.h"
#include "platform/qt/QtTunerScreen.h"
#include "tuner/ViewController.h"

class QQuickItem;
class QQuickWindow;

namespace balalaika::rig {

// Creates the application object once, on the offscreen platform unless another is set, with
// Qt Quick's software renderer, and installs the English texts.
void ensureGuiApplication();

// The first listed device size of each layout.
platform::EmulatedDevice deviceFor(const std::string& layoutName);

// Listener readings the test or script sets before each tick.
class ScriptedPitch : public PitchSource {
 public:
  float averagePower() override { return power; }
  float frequency() override { return hertz; }
  float power = 0.0f;
  float hertz = 0.0f;
};

inline constexpr float kLoudPower = 0.02f;

class TunerRig {
 public:
  // Starts at tuning 1 with no string marked tuned, as a fresh launch. Tones go to speaker when
  // one is given (it must outlive the rig), otherwise to the silent `output`.
  explicit TunerRig(platform::EmulatedDevice device, platform::AudioOutputComponent* speaker = nullptr);
  ~TunerRig();
  TunerRig(const TunerRig&) = delete;
  TunerRig& operator=(const TunerRig&) = delete;

  // Null when the device got no layout.
  qt::QtWindow* window() const;
  qt::QtTunerScreen* screen() const;
  QQuickWindow* quickWindow() const;
  ViewController& controller() const;
  ToneGenerator& generator() const;
  // The layout item with this objectName, or null.
  QQuickItem* item(const QString& objectName) const;

  // One tick with these listener readings, then settle.
  void tick(float power, float hertz);
  // Renders the window as it stands.
  QImage grab();
  // Lays out and renders what changed, as the screen would before the next touch.
  void settle() { grab(); }

  fakes::RecordingUrlOpener urlOpener;
  fakes::FakeAudioOutputComponent output;
  fakes::FakeRunLoop runLoop;

 private:
  ScriptedPitch pitch_;
  platform::AudioOutputComponent* speaker_;
  qt::QtDevice device_;
  qt::QtImages images_;
  qt::QtBundle bundle_;
  fakes::InMemoryUserDefaults defaults_;
  std::unique_ptr<qt::QtStoryboards> storyboards_;
  std::unique_ptr<AppDelegate> delegate_;
};

}  // namespace balalaika::rig
