#pragma once

#include "pitch/PitchListener.h"
#include "tuner/ViewController.h"

namespace balalaika::app {

// The tick's readings from the process-wide listener. Main thread.
class ListenerPitchSource final : public PitchSource {
 public:
  float averagePower() override { return PitchListener::sharedListener()->averagePower(); }
  float frequency() override { return PitchListener::sharedListener()->frequency(); }
  double refinedFrequency() override { return PitchListener::sharedListener()->refinedFrequency(); }
};

}  // namespace balalaika::app
