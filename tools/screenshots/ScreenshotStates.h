#pragma once
// The screen states worth looking at, each reached through the controller's own actions and
// ticks of the scripted listener: silence; each string tuned in tunings 1 and 4; strings flat,
// sharp and far off (the cents meter and cue); tuning 5;
// a reference tone playing; the tuning aids in use (concert pitch, a locked string, the unison
// check); the list of outbound links open.

#include <functional>
#include <string>
#include <vector>

namespace balalaika::rig {

class TunerRig;

struct ScreenshotState {
  std::string name;  // part of the file name: "silent", "tuning4-string3", ...
  std::function<void(TunerRig&)> drive;
};

const std::vector<ScreenshotState>& screenshotStates();

// Steps with the next button's action from tuning 1 to the given tuning.
void stepToTuning(TunerRig& rig, int tuning);

}  // namespace balalaika::rig
