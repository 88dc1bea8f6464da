// The tuner tick: ten times a second the listener's level and pitch become the frequency
// text, note name, lamps and tuned-string highlight; plus the tuned-string marks and the
// review trigger that builds on them.

#include <optional>

#include "tuner/CentsReading.h"
#include "tuner/ReviewTrigger.h"
#include "tuner/ScreenUpdates.h"
#include "tuner/TickRules.h"
#include "tuner/TuningTable.h"
#include "tuner/ViewController.h"

namespace balalaika {
namespace {

// Process-wide: set when a string is matched in any tuning, kept across tunings. Main thread.
bool gFirstStringTuned = false;
bool gSecondStringTuned = false;
bool gThirdStringTuned = false;

constexpr const char* kYellow64 = "yellow64.png";
constexpr const char* kYellow128 = "yellow128.png";
constexpr const char* kGreen64 = "green64.png";
constexpr const char* kGreen128 = "green128.png";

}  // namespace

bool firstStringTuned() { return gFirstStringTuned; }
bool secondStringTuned() { return gSecondStringTuned; }
bool thirdStringTuned() { return gThirdStringTuned; }

void ViewController::play1stSoundOnce() { gFirstStringTuned = true; }
void ViewController::play2ndSoundOnce() { gSecondStringTuned = true; }
void ViewController::play3rdSoundOnce() { gThirdStringTuned = true; }

void ViewController::resetFirstTuning() {
  gFirstStringTuned = false;
  gSecondStringTuned = false;
  gThirdStringTuned = false;
}

void ViewController::tickFree() {
  // Both readings are taken on every tick, before anything else.
  const float power = services_.pitch.averagePower();
  const float reading = services_.pitch.frequency();
  const double refined = services_.pitch.refinedFrequency();

  const tuning::TuningIndex tuning = tuning::currentTuning();
  if (!tuning::isValidTuning(tuning)) return;

  const tick::PowerState state = tick::classifyPower(power);
  tickTuningAids(power, state);
  switch (state) {
    case tick::PowerState::Silent:
      showSilence();
      showCents(std::nullopt);
      return;
    case tick::PowerState::Soft:  // the screen keeps what earlier ticks left on it
      return;
    case tick::PowerState::Loud:
      break;
  }

  // The offset changes only the text; the windows see the reading itself.
  const double hertz = reading;
  screen::setText(outlets_.freq_label, tick::frequencyText(hertz + tuning::displayOffset(tuning, std::nullopt)));

  const std::optional<tuning::Match> matched = tuning::match(tuning, hertz, concertPitch_);
  if (!matched) {
    armReviewTrigger();
  } else {
    showTunedString(tuning, hertz, matched->string, matched->note);
  }
  // The meter reads the refined reading; the windows above keep the reading itself.
  showCents(cents::nearestString(tuning, refined > 0.0 ? refined : hertz,
                                 matched ? std::optional<tuning::StringIndex>(matched->string) : std::nullopt,
                                 concertPitch_, lockedString_));
}

void ViewController::showSilence() {
  screen::setText(outlets_.freq_label, "");
  screen::setText(outlets_.noteDisplay, "");
  screen::setHidden(outlets_.tunedString, true);
  screen::setHidden(outlets_.tunedString5, true);
  screen::setHidden(outlets_.tunedStringiPad, true);
  setLamps(kYellow64, kYellow128);
}

void ViewController::showTunedString(std::int64_t tuning, double hertz, int stringIndex, const std::string& note) {
  screen::setHidden(outlets_.tunedString, false);
  screen::setHidden(outlets_.tunedString5, false);
  screen::setHidden(outlets_.tunedStringiPad, false);
  screen::setText(outlets_.noteDisplay, note);
  displayTunedString(stringIndex);
  setLamps(kGreen64, kGreen128);
  // A matched string may carry an offset of its own (string 2 of tuning 1).
  const double matchedOffset = tuning::displayOffset(tuning, stringIndex);
  if (matchedOffset != tuning::displayOffset(tuning, std::nullopt)) {
    screen::setText(outlets_.freq_label, tick::frequencyText(hertz + matchedOffset));
  }
  switch (stringIndex) {
    case 1:
      play1stSoundOnce();
      break;
    case 2:
      play2ndSoundOnce();
      break;
    case 3:
      play3rdSoundOnce();
      break;
    default:
      break;
  }
}

void ViewController::setLamps(const char* lamp64, const char* lamp128) {
  screen::setImageNamed(outlets_.LEDDisplay, services_.images, lamp64);
  screen::setImageNamed(outlets_.LEDDisplay128, services_.images, lamp128);
}

void ViewController::armReviewTrigger() {
  if (!(gFirstStringTuned && gSecondStringTuned)) return;
  // One review call pending at a time: a stream of unmatched notes asks once, not ten times a second.
  if (reviewTimer_ != 0 && services_.runLoop.isValid(reviewTimer_)) return;
  reviewTimer_ = services_.runLoop.scheduleOnce(review::kDelaySeconds, [this] { promptToReview(); });
}

void ViewController::promptToReview() {
  const std::int64_t runs = services_.defaults.integerForKey(review::kNumberOfRunsKey).value_or(0);
  for (std::int64_t threshold : review::kRunThresholds) {
    if (runs >= threshold && services_.tryToShowPrompt) services_.tryToShowPrompt();
  }
}

}  // namespace balalaika
