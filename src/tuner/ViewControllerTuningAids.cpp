// The tuning aids beside the meter: concert pitch (± steps, stored, or set from a heard A), one
// string locked for the meter and cue, and the unison check of strings 2 and 3.

#include <cmath>
#include <cstdio>

#include "tones/ToneGenerator.h"
#include "tuner/ScreenUpdates.h"
#include "tuner/TickRules.h"
#include "tuner/TuningTable.h"
#include "tuner/ViewController.h"

namespace balalaika {
namespace {

constexpr const char* kConcertPitchKey = "ConcertPitchLabel";  // "A4 = %@ Hz"
constexpr const char* kLockedKey = "LockedString";             // "Locked: %@"
constexpr const char* kListeningForAKey = "ListeningForA";
constexpr const char* kNoSteadyAKey = "NoSteadyA";
constexpr const char* kHeardAKey = "HeardA";  // "A4 set to %@ Hz"
constexpr const char* kPluckString2Key = "UnisonPluckString2";
constexpr const char* kPluckString3Key = "UnisonPluckString3";
constexpr const char* kGapKey = "UnisonGap";      // "%@ ¢ apart"
constexpr const char* kBeatsKey = "UnisonBeats";  // "%@ beats/s"
constexpr const char* kInUnisonKey = "UnisonInUnison";
constexpr const char* kCheckUnisonKey = "UnisonCheck";
constexpr const char* kCancelUnisonKey = "UnisonCancel";

// The text with each "%@" replaced by the next argument, in order.
std::string filled(std::string text, std::initializer_list<std::string> arguments) {
  std::size_t from = 0;
  for (const std::string& argument : arguments) {
    const std::size_t at = text.find("%@", from);
    if (at == std::string::npos) break;
    text.replace(at, 2, argument);
    from = at + argument.size();
  }
  return text;
}

// Tunings 1-3 have a unison pair: strings 2 and 3.
bool hasUnisonPair(tuning::TuningIndex tuning) {
  return tuning::isValidTuning(tuning) && !tuning::referenceTone(tuning, 3);
}

}  // namespace

void ViewController::loadTuningAids() {
  const TuningAidOptions& options = services_.commandLine;
  std::optional<double> a4 = options.concertPitch;
  if (!a4) {
    if (const auto stored = services_.defaults.doubleForKey(concert::kSettingsKey)) a4 = concert::valid(*stored);
  }
  concertPitch_ = a4.value_or(tuning::kStandardA4);
  lockedString_ = options.lockedString;
  showTuningAids();
}

void ViewController::releaseTuningAids() {
  lockedString_.reset();
  unison_.cancel();
  // Concert pitch is the same for every tuning: a listener that is still listening goes on.
  if (heardA_.state() != concert::HeardA::State::Listening) {
    heardA_.cancel();
    aidMessageKey_.clear();
  }
  showTuningAids();
}

void ViewController::setConcertPitch(double a4, bool store) {
  concertPitch_ = a4;
  if (store) {
    services_.defaults.setDouble(concert::kSettingsKey, a4);
    services_.defaults.synchronize();
  }
  // A reference tone that is sounding moves to the new pitch.
  if (generator_ && generator_->isPlaying() && toneString_) playReferenceTone(*toneString_);
  showTuningAids();
}

void ViewController::stepConcertPitch(int steps) {
  setConcertPitch(concert::stepped(concertPitch_, steps), true);
}

void ViewController::listenForA() {
  heardA_.start(concertPitch_);
  aidMessageKey_ = kListeningForAKey;
  showTuningAids();
}

void ViewController::toggleLock(int stringIndex) {
  const tuning::TuningIndex tuning = tuning::currentTuning();
  if (!tuning::windowOfString(tuning, stringIndex)) return;
  if (lockedString_ == stringIndex) {
    lockedString_.reset();
  } else {
    lockedString_ = stringIndex;
  }
  showTuningAids();
}

void ViewController::toggleUnisonCheck() {
  const tuning::TuningIndex tuning = tuning::currentTuning();
  if (unison_.stage() == unison::UnisonCheck::Stage::String2 ||
      unison_.stage() == unison::UnisonCheck::Stage::String3 || !hasUnisonPair(tuning)) {
    unison_.cancel();
    aidMessageKey_.clear();
  } else {
    const auto note = tuning::noteName(tuning, 2);
    unison_.start(tuning::equalTemperedHertz(note.value_or(""), concertPitch_).value_or(0.0));
    aidMessageKey_ = kPluckString2Key;
  }
  showTuningAids();
}

void ViewController::tickTuningAids(float power, tick::PowerState state) {
  const bool loud = state == tick::PowerState::Loud;
  const bool heard = state != tick::PowerState::Silent;
  const bool hearing = heardA_.state() == concert::HeardA::State::Listening;
  const bool checking = unison_.stage() == unison::UnisonCheck::Stage::String2 ||
                        unison_.stage() == unison::UnisonCheck::Stage::String3;
  if (!hearing && !checking) return;
  PitchSource& precise = services_.precisePitch != nullptr ? *services_.precisePitch : services_.pitch;
  double hertz = 0.0;
  if (heard) {
    const float estimate = precise.frequency();
    const double refined = precise.refinedFrequency();
    hertz = refined > 0.0 ? refined : estimate;
  }
  if (hearing) {
    heardA_.tick(heard, hertz);
    switch (heardA_.state()) {
      case concert::HeardA::State::Accepted:
        aidMessageKey_ = kHeardAKey;
        setConcertPitch(heardA_.result(), true);
        break;
      case concert::HeardA::State::Rejected:
        aidMessageKey_ = kNoSteadyAKey;
        showTuningAids();
        break;
      default:
        break;
    }
  }
  if (checking) {
    const unison::UnisonCheck::Stage before = unison_.stage();
    unison_.tick(power, loud, loud ? hertz : 0.0);
    if (unison_.stage() != before) {
      aidMessageKey_ = unison_.stage() == unison::UnisonCheck::Stage::String3 ? kPluckString3Key : kGapKey;
      showTuningAids();
    }
  }
}

void ViewController::showTuningAids() {
  const platform::Bundle& bundle = services_.bundle;
  const tuning::TuningIndex tuning = tuning::currentTuning();
  screen::setText(outlets_.concertPitchLabel,
                  filled(bundle.localizedString(kConcertPitchKey), {concert::hertzText(concertPitch_)}));
  const std::optional<std::string> locked = lockedString_ ? tuning::noteName(tuning, *lockedString_) : std::nullopt;
  screen::setText(outlets_.lockLabel, locked ? filled(bundle.localizedString(kLockedKey), {*locked}) : "");

  std::string message;
  const std::optional<unison::Gap> gap =
      unison_.stage() == unison::UnisonCheck::Stage::Done ? unison_.gap() : std::nullopt;
  if (aidMessageKey_ == kGapKey && gap) {
    char cents[32];
    char beats[32];
    std::snprintf(cents, sizeof cents, "%+.1f", std::abs(gap->cents) < 0.05 ? 0.0 : gap->cents);
    std::snprintf(beats, sizeof beats, "%.1f", gap->beatsPerSecond);
    message = filled(bundle.localizedString(kGapKey), {cents}) + ", " +
              filled(bundle.localizedString(kBeatsKey), {beats});
    if (gap->inUnison) message += " · " + bundle.localizedString(kInUnisonKey);
  } else if (aidMessageKey_ == kHeardAKey) {
    message = filled(bundle.localizedString(kHeardAKey), {concert::hertzText(concertPitch_)});
  } else if (!aidMessageKey_.empty()) {
    message = bundle.localizedString(aidMessageKey_);
  }
  screen::setText(outlets_.aidMessage, message);
  const bool checking = unison_.stage() == unison::UnisonCheck::Stage::String2 ||
                        unison_.stage() == unison::UnisonCheck::Stage::String3;
  screen::setHidden(outlets_.unisonButton, !hasUnisonPair(tuning));
  screen::setTitle(outlets_.unisonButton, bundle.localizedString(checking ? kCancelUnisonKey : kCheckUnisonKey));
  if (outlets_.unisonGap != nullptr) {
    outlets_.unisonGap->setGap(gap ? std::optional<platform::UnisonGap>(
                                         platform::UnisonGap{gap->cents, gap->beatsPerSecond, gap->inUnison})
                                   : std::nullopt);
  }
}

}  // namespace balalaika
