// Reference tones: each string's target pitch of the current tuning played as a sine, with
// its note name and frequency text in labels of their own.

#include "tones/ToneGenerator.h"
#include "tuner/ScreenUpdates.h"
#include "tuner/TuningTable.h"
#include "tuner/ViewController.h"

namespace balalaika {

void ViewController::playA440Hz() { playReferenceTone(1); }
void ViewController::playE329_6() { playReferenceTone(2); }
void ViewController::playThirdFreq() { playReferenceTone(3); }

void ViewController::playReferenceTone(int stringIndex) {
  const tuning::TuningIndex tuning = tuning::currentTuning();
  const std::optional<tuning::ReferenceTone> tone = tuning::referenceTone(tuning, stringIndex, concertPitch_);
  // No tone for this string (string 3 of tunings 1-3), or no generator yet: nothing changes.
  if (!tone || !generator_) return;
  screen::setText(outlets_.tfnoteDisplay, tuning::noteName(tuning, stringIndex).value_or(""));
  screen::setText(outlets_.tfFreqLabel, tone->label);
  generator_->setFrequency(tone->hertz);
  toneString_ = stringIndex;
  // A tone already playing keeps its unit and phase and moves to the new frequency.
  generator_->start();
}

void ViewController::stopFreqPlay() {
  if (!generator_ || !generator_->isPlaying()) return;
  screen::setText(outlets_.tfnoteDisplay, "");
  screen::setText(outlets_.tfFreqLabel, "");
  generator_->stop();
  toneString_.reset();
}

}  // namespace balalaika
