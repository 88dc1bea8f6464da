#include "pitch/PitchListener.h"
#include "platform/Log.h"
#include "tones/ToneGenerator.h"
#include "tuner/ReviewTrigger.h"
#include "tuner/TickRules.h"
#include "tuner/ViewController.h"

namespace balalaika {
namespace {

constexpr const char* kFirstLaunchKey = "NewFirstLaunchVADovoduved";

}  // namespace

void ViewController::viewDidLoad() {
  if (services_.application != nullptr) services_.application->setIdleTimerDisabled(true);

  if (services_.audioOutput != nullptr) {
    setGenerator(std::make_unique<ToneGenerator>(*services_.audioOutput, services_.audioSession, services_.runLoop));
  }

  // Play and record at once, in measurement mode (no input processing), before the listener
  // applies its own settings on creation.
  if (platform::AudioSession* session = services_.audioSession) {
    session->setCategory(platform::AudioSessionCategory::PlayAndRecord);
    session->setMode(platform::AudioSessionMode::Measurement);
    session->setActive(true);
  } else {
    platform::warn(platform::LogCategory::Audio, "Error creating session: %@", "(null)");
  }

  PitchListener::sharedListener()->listen();

  timer_ = services_.runLoop.scheduleRepeating(tick::kIntervalSeconds, [this] { tickFree(); });
  displayTunings();
  loadTuningAids();
  platform::log(platform::LogCategory::Audio, "Demo mode OFF, Sound detection started...");
}

void ViewController::viewWillAppear() {
  platform::UserDefaults& defaults = services_.defaults;
  if (defaults.boolForKey(kFirstLaunchKey).value_or(false)) {
    platform::log(platform::LogCategory::App, "Ya se abrió antes");
    defaults.setInteger(review::kNumberOfRunsKey, defaults.integerForKey(review::kNumberOfRunsKey).value_or(0) + 1);
    defaults.synchronize();
    return;
  }
  platform::log(
      platform::LogCategory::App,
      "Me abriste por primera vez, voy a borrar los defaults y guardar 440 en NSDictionary y como valores de a4InHz y "
      "globalFrequency");
  defaults.clearPersistentDomain();
  defaults.setInteger(review::kNumberOfRunsKey, 1);
  defaults.synchronize();
  defaults.setBool(kFirstLaunchKey, true);
  defaults.synchronize();
}

}  // namespace balalaika
