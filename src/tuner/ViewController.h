#pragma once
// The tuner screen. Its elements (outlets) come from the installed layout; a layout may lack
// some of them, and an absent element is simply not updated. Every member function runs on
// the main thread. Member functions live in the file of their concern:
//   ViewControllerTick.cpp         tickFree, the tuned-string marks, the review trigger
//   ViewControllerCents.cpp        the cents meter and flat/sharp cue
//   ViewControllerTunings.cpp      showPreviousTuning, showNextTuning, displayTunings, displayNotes
//   ViewControllerHighlight.cpp    displayTunedString
//   ViewControllerReferenceTones.cpp  playA440Hz, playE329_6, playThirdFreq, stopFreqPlay
//   ViewControllerTuningAids.cpp   concert pitch, the locked string, the unison check
//   ViewControllerLinks.cpp        the outbound link actions (addresses in OutboundLinks.cpp)
//   ViewController.cpp             construction and the generator
//   ViewControllerLifecycle.cpp    viewDidLoad, viewWillAppear

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Application.h"
#include "platform/AudioOutputUnit.h"
#include "platform/AudioSession.h"
#include "platform/Bundle.h"
#include "platform/Device.h"
#include "platform/RunLoop.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"
#include "platform/Views.h"
#include "tuner/ConcertPitch.h"
#include "tuner/OutboundLinks.h"
#include "tuner/TickRules.h"
#include "tuner/UnisonCheck.h"

namespace balalaika {

class ToneGenerator;

// What the tick reads from the listener, every tick, in this order.
class PitchSource {
 public:
  virtual ~PitchSource() = default;
  virtual float averagePower() = 0;  // linear level of channel 0
  virtual float frequency() = 0;     // estimate in hertz
  // The newest frequency() reading refined below one bin, in hertz; 0 when there is none.
  virtual double refinedFrequency() { return 0.0; }
};

struct ViewControllerOutlets {
  // Tuner tick.
  platform::Label* freq_label = nullptr;
  platform::Label* noteDisplay = nullptr;
  platform::ImageView* LEDDisplay = nullptr;
  platform::ImageView* LEDDisplay128 = nullptr;
  platform::ImageView* tunedString = nullptr;
  platform::ImageView* tunedString5 = nullptr;
  platform::ImageView* tunedStringiPad = nullptr;
  // Tuning selection and chart.
  platform::Label* currentTuningName = nullptr;
  platform::ImageView* chartDisplay = nullptr;
  platform::Label* firstString = nullptr;
  platform::Label* secondString = nullptr;
  platform::Label* thirdString = nullptr;
  platform::Button* firstFreqButton = nullptr;
  platform::Button* secondFreqButton = nullptr;
  platform::Button* thirdFreqButton = nullptr;
  platform::Button* showPreviousTuningButton = nullptr;
  platform::Button* showNextTuningButton = nullptr;
  platform::Label* aboutCongratsMessage = nullptr;
  platform::Label* aboutMsg2 = nullptr;
  // Reference tones.
  platform::Label* tfnoteDisplay = nullptr;
  platform::Label* tfFreqLabel = nullptr;
  // Cents meter: the needle and arrow, its number or "far" text, and the "tune up/down" words.
  platform::CentsMeter* centsMeter = nullptr;
  platform::Label* centsLabel = nullptr;
  platform::Label* tuneCue = nullptr;
  // Tuning aids: "A4 = 443 Hz", the locked string ("Locked: E1"), the aids' prompts and
  // verdicts ("Pluck string 2", "no steady A heard"), the unison check's button and its gap.
  platform::Label* concertPitchLabel = nullptr;
  platform::Label* lockLabel = nullptr;
  platform::Label* aidMessage = nullptr;
  platform::Button* unisonButton = nullptr;
  platform::UnisonView* unisonGap = nullptr;
};

// Choices made on the command line: they win for the run and are not stored.
struct TuningAidOptions {
  std::optional<double> concertPitch;  // hertz, already checked against the range
  std::optional<int> lockedString;     // 1..3
};

struct ViewControllerServices {
  platform::Device& device;
  platform::Images& images;
  platform::Bundle& bundle;
  platform::RunLoop& runLoop;
  platform::UserDefaults& defaults;
  platform::UrlOpener& urlOpener;
  PitchSource& pitch;
  // Asks the rating prompt to show its alert if appropriate (RatingPrompt::tryToShowPrompt).
  std::function<void()> tryToShowPrompt;
  // Used by the load step only: the idle timer, the speaker for reference tones, and the shared
  // audio session (null when the platform offers none).
  platform::Application* application = nullptr;
  platform::AudioOutputComponent* audioOutput = nullptr;
  platform::AudioSession* audioSession = nullptr;
  // The precise estimate, read by the concert-pitch listener and the unison check whatever the
  // tick's estimate; null: the tick's own refined reading.
  PitchSource* precisePitch = nullptr;
  TuningAidOptions commandLine = {};
};

class ViewController {
 public:
  explicit ViewController(ViewControllerServices services);
  ~ViewController();
  ViewController(const ViewController&) = delete;
  ViewController& operator=(const ViewController&) = delete;

  ViewControllerOutlets& outlets() { return outlets_; }
  const ViewControllerOutlets& outlets() const { return outlets_; }

  // Load: keeps the display awake, creates the tone generator, sets the audio session up for
  // measuring, starts capture, schedules the tick every 0.1 s and shows the current tuning.
  void viewDidLoad();
  // Each time the screen is about to appear: detects the first launch and counts runs.
  void viewWillAppear();
  platform::RunLoop::TimerId timer() const { return timer_; }

  ToneGenerator* generator() const { return generator_.get(); }
  void setGenerator(std::unique_ptr<ToneGenerator> generator);

  // Tuner tick: one reading of the listener, every 0.1 s.
  void tickFree();
  void play1stSoundOnce();
  void play2ndSoundOnce();
  void play3rdSoundOnce();
  void resetFirstTuning();
  // Delayed by the review trigger; asks for the rating alert according to the run count.
  void promptToReview();

  // Tuning selection and chart display.
  void showPreviousTuning();
  void showNextTuning();
  void displayTunings();
  void displayNotes();

  // Tuned-string highlight for string 1..3 of the current tuning.
  void displayTunedString(int stringIndex);

  // Reference tones.
  void playA440Hz();
  void playE329_6();
  void playThirdFreq();
  void stopFreqPlay();

  // Tuning aids. Their state from the command line, else the store (viewDidLoad calls it).
  void loadTuningAids();
  // Concert pitch: one step of ±0.5 Hz, stored; listening for a heard A.
  double concertPitch() const { return concertPitch_; }
  void stepConcertPitch(int steps);
  void listenForA();
  // Locks the meter to string 1..3, or releases it when that string is already locked.
  void toggleLock(int stringIndex);
  std::optional<int> lockedString() const { return lockedString_; }
  // Starts the unison check in tunings 1-3, or cancels a running one.
  void toggleUnisonCheck();
  unison::UnisonCheck::Stage unisonStage() const { return unison_.stage(); }

  // Outbound links.
  void redirectToMakerSite();
  void reviewThisApp();
  void reviewSiblingApp();
  void purchaseSiblingApp1();
  void purchaseSiblingApp2();
  void purchaseSiblingApp3();
  void purchaseSiblingApp4();
  void purchaseSiblingApp5();
  void purchaseSiblingApp6();
  void purchaseSiblingApp7();
  void purchaseSiblingApp8();
  void purchaseSiblingApp9();
  void purchaseSiblingApp10();
  void purchaseSiblingApp11();
  // The action above that opens a link.
  using Action = void (ViewController::*)();
  static Action actionForLink(links::LinkAction link);
  // Runs the link action of that name ("reviewThisApp"); false when no link action has it.
  bool openLinkNamed(const std::string& actionName);

 private:
  // Tick paths.
  void showSilence();
  void showTunedString(std::int64_t tuning, double hertz, int stringIndex, const std::string& note);
  // The cents meter and cue: at rest when nothing is given.
  void showCents(const std::optional<platform::CentsReading>& reading);
  void armReviewTrigger();
  void setLamps(const char* lamp64, const char* lamp128);
  // Reference tone of string 1..3 of the current tuning.
  void playReferenceTone(int stringIndex);
  // Tuning aids: released on a change of tuning, their texts, and one tick.
  void releaseTuningAids();
  void setConcertPitch(double a4, bool store);
  void showTuningAids();
  void tickTuningAids(float power, tick::PowerState state);

  ViewControllerServices services_;
  ViewControllerOutlets outlets_;
  std::unique_ptr<ToneGenerator> generator_;
  platform::RunLoop::TimerId reviewTimer_ = 0;  // the pending promptToReview, if any
  platform::RunLoop::TimerId timer_ = 0;        // the tick, for the life of the screen
  double concertPitch_ = tuning::kStandardA4;
  std::optional<int> lockedString_;
  concert::HeardA heardA_;
  unison::UnisonCheck unison_;
  std::string aidMessageKey_;  // the aids' last prompt or verdict, as a text key
  std::optional<int> toneString_;  // the string whose reference tone was started last
};

// The tuned-string marks: false at launch, set when a string is matched in any tuning.
// Main thread only.
bool firstStringTuned();
bool secondStringTuned();
bool thirdStringTuned();

}  // namespace balalaika
