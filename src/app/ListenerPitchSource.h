#pragma once

#include "pitch/PeakRefinement.h"
#include "pitch/PitchListener.h"
#include "tuner/ViewController.h"

namespace balalaika::app {

// The tick's readings from the process-wide listener. Main thread.
class ListenerPitchSource final : public PitchSource {
 public:
  float averagePower() override { return PitchListener::sharedListener()->averagePower(); }
  float frequency() override {
    last_ = PitchListener::sharedListener()->frequency();
    return last_;
  }
  // Refines the last reading from the spectra its estimate left in the listener.
  double refinedFrequency() override {
    PitchListener& listener = *PitchListener::sharedListener();
    const double binHertz = listener.format().mSampleRate * PitchListener::kBinToHertzScale;
    return pitch::refinedPeakHertz(listener.freq_db(), listener.freq_db_harmonic(), PitchListener::kSpectrumBins,
                                   pitch::binOfEstimate(last_, binHertz), binHertz);
  }

 private:
  float last_ = 0.0f;
};

}  // namespace balalaika::app
