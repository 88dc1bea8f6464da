// The cents meter and the flat/sharp cue that the tick sets beside the lamps.

#include "tuner/CentsReading.h"
#include "tuner/ScreenUpdates.h"
#include "tuner/ViewController.h"

namespace balalaika {

void ViewController::showCents(const std::optional<platform::CentsReading>& reading) {
  if (outlets_.centsMeter != nullptr) outlets_.centsMeter->setReading(reading);
  screen::setText(outlets_.centsLabel, reading ? cents::meterText(*reading, services_.bundle) : "");
  screen::setText(outlets_.tuneCue, reading ? cents::cueText(reading->cue, services_.bundle) : "");
}

}  // namespace balalaika
