// The tuner in a browser page: puts the web platform services together (the one place that names
// their concrete classes) and offers the page one object, WebTuner. The page draws what the
// screen's elements hold (WebTuner.elements()), forwards taps, and feeds the microphone's
// samples; every decision is made here and in the shared core.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/EstimatorSwitch.h"
#include "app/HeadlessScreen.h"
#include "app/LayoutTable.h"
#include "app/ListenerPitchSource.h"
#include "app/PrecisePitchSource.h"
#include "app/RatingLaunch.h"
#include "pitch/PitchListener.h"
#include "platform/SystemClock.h"
#include "platform/web/WebAudioInputQueue.h"
#include "platform/web/WebAudioOutput.h"
#include "platform/web/WebDispatch.h"
#include "platform/web/WebRatingServices.h"
#include "platform/web/WebRunLoop.h"
#include "platform/web/WebServices.h"
#include "platform/web/WebUserDefaults.h"
#include "rating/RatingPrompt.h"
#include "tones/ToneGenerator.h"
#include "tuner/CentsReading.h"
#include "tuner/OutboundLinks.h"
#include "tuner/ViewController.h"

namespace balalaika::web {
namespace {

using emscripten::val;

template <typename T>
std::vector<T> vectorOf(const val& array) {
  return emscripten::vecFromJSArray<T>(array);
}

std::map<std::string, std::string> textsOf(const val& object) {
  std::map<std::string, std::string> texts;
  const val keys = val::global("Object").call<val>("keys", object);
  for (const std::string& key : vectorOf<std::string>(keys)) texts[key] = object[key].as<std::string>();
  return texts;
}

const char* cueName(platform::CentsReading::Cue cue) {
  switch (cue) {
    case platform::CentsReading::Cue::TuneUp: return "up";
    case platform::CentsReading::Cue::TuneDown: return "down";
    case platform::CentsReading::Cue::None: break;
  }
  return "none";
}

}  // namespace

// The page's tuner. config: { screenWidth, screenHeight (CSS pixels), idiom (optional: a device
// forced for testing; otherwise the browser's screen decides), systemVersion (as the browser
// reports it), storeSchemeHandled (whether the system opens "itms-apps:" addresses),
// pictures: [names], texts: { translation id: text }, storage: the page's store (see
// WebUserDefaults), tonePlayer: the page's player of the reference tones (see
// WebAudioOutputUnit), network and alerts: the rating prompt's side of the page, probeUrl: the
// probe's address when the page was built with one (see WebRatingServices) }.
// One per page, never destroyed: the rating prompt keeps its services for the page's life.
class WebTuner {
 public:
  explicit WebTuner(const val& config)
      : defaults_(config["storage"]),
        device_(config["idiom"].isNumber()
                    ? config["idiom"].as<int>()
                    : app::browserIdiom(config["screenWidth"].as<double>(), config["screenHeight"].as<double>()),
                config["screenWidth"].as<double>(), config["screenHeight"].as<double>(),
                config["systemVersion"].as<std::string>()),
        bundle_(textsOf(config["texts"])),
        images_([&] {
          const auto names = vectorOf<std::string>(config["pictures"]);
          return std::set<std::string>(names.begin(), names.end());
        }()),
        urlOpener_(config["storeSchemeHandled"].isTrue()),
        dispatch_(runLoop_),
        reachability_(config["network"]),
        probe_(config["network"], config["probeUrl"].as<std::string>()),
        alerts_(config["alerts"]),
        pitch_(defaults_, listenerPitch_, precisePitch_, std::nullopt),
        speaker_(config["tonePlayer"], runLoop_) {
    layout_ = app::layoutOrNearestFor(*device_.userInterfaceIdiom(), device_.screenHeight());
    microphone_ = std::make_shared<WebAudioInputQueueFactory>();
    RatingPrompt::installPlatform(RatingPromptPlatform{defaults_, bundle_, nullptr, clock_, device_, reachability_,
                                                       probe_, alerts_, urlOpener_, dispatch_, application_,
                                                       storeViews_, windows_});
    PitchListener::installPlatform(nullptr, microphone_);
    // Counted as the desktop counts a launch: before the screen loads, on a later turn.
    app::launchRatingPrompt();
    ViewControllerServices services{device_, images_, bundle_, runLoop_, defaults_, urlOpener_, pitch_,
                                    [] { RatingPrompt::tryToShowPrompt(); }};
    services.audioOutput = &speaker_;
    // The heard-A listener and the unison check read the precise estimate whichever one the
    // tick uses, as on the desktop.
    services.precisePitch = &precisePitch_;
    controller_ = std::make_unique<ViewController>(services);
    screen_.connect(controller_->outlets());
    screen_.setOnChange([this] { changed(); });
    controller_->viewDidLoad();
    controller_->viewWillAppear();
  }

  std::string layout() const { return layout_; }
  int idiom() const { return *device_.userInterfaceIdiom(); }

  // A new audio source at this rate (the audio context's, read at every start). False when the
  // queue is missing or the rate is refused.
  bool startInput(double sampleRate) {
    WebAudioInputQueue* queue = microphone_->current();
    return queue != nullptr && queue->setInputRate(sampleRate);
  }

  // Mono float samples at the rate given to startInput (a Float32Array).
  void deliver(const val& samples) {
    WebAudioInputQueue* queue = microphone_->current();
    if (queue == nullptr) return;
    block_ = emscripten::convertJSArrayToNumberVector<float>(samples);
    queue->deliver(block_.data(), block_.size());
  }

  void inputLost() {
    if (WebAudioInputQueue* queue = microphone_->current()) queue->sourceLost();
  }

  void showPreviousTuning() { controller_->showPreviousTuning(); }
  void showNextTuning() { controller_->showNextTuning(); }
  // The reference tone of string 1..3 of the current tuning, and its stop; whether one plays.
  void playReferenceTone(int stringIndex) {
    if (stringIndex == 1) controller_->playA440Hz();
    if (stringIndex == 2) controller_->playE329_6();
    if (stringIndex == 3) controller_->playThirdFreq();
  }
  void stopTone() { controller_->stopFreqPlay(); }
  bool tonePlaying() const { return controller_->generator() != nullptr && controller_->generator()->isPlaying(); }

  bool precise() const { return pitch_.precise(); }
  void setPrecise(bool precise) { pitch_.setPrecise(precise); }

  // The tuning aids: A4 one step (±0.5 Hz) down or up, stored; A4 from a heard A; a string's
  // name tapped (1..3) locks the meter to it or releases it; the unison check started or stopped.
  void stepConcertPitch(int steps) { controller_->stepConcertPitch(steps); }
  void listenForA() { controller_->listenForA(); }
  void toggleLock(int stringIndex) { controller_->toggleLock(stringIndex); }
  void toggleUnisonCheck() { controller_->toggleUnisonCheck(); }
  // The string the meter is locked to, 1..3; 0 when none is.
  int lockedString() const { return controller_->lockedString().value_or(0); }

  // The rating alert's dialog id closed by its button index (-1: without a button).
  void alertChosen(int id, int buttonIndex) { alerts_.choose(id, buttonIndex); }
  // The page went out of sight.
  void resignActive() { application_.resignActive(); }

  // The outbound links: [{ action, label }], and the action's link opened.
  val links() const {
    val out = val::array();
    for (const auto& link : links::outboundLinks()) {
      val entry = val::object();
      entry.set("action", link.actionName);
      entry.set("label", link.label);
      out.call<void>("push", entry);
    }
    return out;
  }
  bool openLink(const std::string& action) { return controller_->openLinkNamed(action); }

  // The texts the page shows around the tuner (its buttons and messages), by translation id.
  std::string text(const std::string& id) const { return bundle_.localizedString(id, ""); }

  // Called (once per turn of the event loop at most) after what the screen shows has changed.
  void setOnChange(const val& callback) { onChange_ = callback; }

  // The desktop's headless line of what the screen shows now, without the time.
  std::string summary() const { return screen_.summary(); }

  // Every element: { name: { hidden, text | image | title | cents reading | unison gap } }.
  val elements() const {
    val out = val::object();
    screen_.forEachElement([&out](const char* name, const auto& element) { out.set(name, describe(element)); });
    return out;
  }

 private:
  static val describe(const app::HeadlessLabel& label) {
    val v = val::object();
    v.set("hidden", label.hidden());
    v.set("text", label.text());
    return v;
  }
  static val describe(const app::HeadlessImageView& view) {
    val v = val::object();
    v.set("hidden", view.hidden());
    v.set("image", view.image() ? val(view.image()->name) : val::null());
    return v;
  }
  static val describe(const app::HeadlessButton& button) {
    val v = val::object();
    v.set("hidden", button.hidden());
    v.set("title", button.title());
    return v;
  }
  static val describe(const app::HeadlessCentsMeter& meter) {
    val v = val::object();
    if (const auto& reading = meter.reading()) {
      v.set("cents", reading->cents);
      v.set("string", reading->string);
      v.set("far", reading->range != platform::CentsReading::Range::Near);
      v.set("cue", std::string(cueName(reading->cue)));
    }
    return v;
  }

  static val describe(const app::HeadlessUnisonView& view) {
    val v = val::object();
    v.set("hidden", view.hidden());
    if (const auto& gap = view.gap()) {
      v.set("gapCents", gap->cents);
      v.set("beatsPerSecond", gap->beatsPerSecond);
      v.set("inUnison", gap->inUnison);
    }
    return v;
  }

  void changed() {
    if (pendingChange_ != 0) return;
    pendingChange_ = runLoop_.scheduleOnce(0.0, [this] {
      pendingChange_ = 0;
      if (!onChange_.isUndefined() && !onChange_.isNull()) onChange_();
    });
  }

  WebRunLoop runLoop_;
  WebUserDefaults defaults_;
  WebDevice device_;
  WebBundle bundle_;
  WebImages images_;
  WebUrlOpener urlOpener_;
  platform::SystemClock clock_;
  WebDispatch dispatch_;
  WebReachability reachability_;
  WebHttpProbe probe_;
  WebAlertViewFactory alerts_;
  WebApplication application_;
  WebStoreProductViewFactory storeViews_;
  WebWindowList windows_;
  app::ListenerPitchSource listenerPitch_;
  app::PrecisePitchSource precisePitch_;
  app::EstimatorSwitch pitch_;
  WebAudioOutputComponent speaker_;
  std::shared_ptr<WebAudioInputQueueFactory> microphone_;
  app::HeadlessScreen screen_;
  std::unique_ptr<ViewController> controller_;
  std::string layout_;
  std::vector<float> block_;
  val onChange_ = val::undefined();
  platform::RunLoop::TimerId pendingChange_ = 0;
};

EMSCRIPTEN_BINDINGS(balalaika_tuner) {
  emscripten::class_<WebTuner>("WebTuner")
      .constructor<const val&>()
      .function("layout", &WebTuner::layout)
      .function("idiom", &WebTuner::idiom)
      .function("startInput", &WebTuner::startInput)
      .function("deliver", &WebTuner::deliver)
      .function("inputLost", &WebTuner::inputLost)
      .function("showPreviousTuning", &WebTuner::showPreviousTuning)
      .function("showNextTuning", &WebTuner::showNextTuning)
      .function("playReferenceTone", &WebTuner::playReferenceTone)
      .function("stopTone", &WebTuner::stopTone)
      .function("tonePlaying", &WebTuner::tonePlaying)
      .function("precise", &WebTuner::precise)
      .function("setPrecise", &WebTuner::setPrecise)
      .function("stepConcertPitch", &WebTuner::stepConcertPitch)
      .function("listenForA", &WebTuner::listenForA)
      .function("toggleLock", &WebTuner::toggleLock)
      .function("toggleUnisonCheck", &WebTuner::toggleUnisonCheck)
      .function("lockedString", &WebTuner::lockedString)
      .function("alertChosen", &WebTuner::alertChosen)
      .function("resignActive", &WebTuner::resignActive)
      .function("links", &WebTuner::links)
      .function("openLink", &WebTuner::openLink)
      .function("text", &WebTuner::text)
      .function("setOnChange", &WebTuner::setOnChange)
      .function("summary", &WebTuner::summary)
      .function("elements", &WebTuner::elements);
}

}  // namespace balalaika::web
