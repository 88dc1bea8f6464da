#include "ScreenshotStates.h"

#include "TunerRig.h"

#include <QQuickItem>

namespace balalaika::rig {
namespace {

struct Reading {
  int tuning;
  int string;
  float hertz;  // the string's target pitch
};

constexpr Reading kTunedReadings[] = {
    {1, 1, 440.0f}, {1, 2, 329.6f}, {4, 1, 146.8f}, {4, 2, 110.0f}, {4, 3, 82.4f},
};

// Strings near but not in tune, and one far from every string: the cents meter and its cue.
struct Detuned {
  const char* name;
  int tuning;
  float hertz;
};

constexpr Detuned kDetunedReadings[] = {
    {"tuning1-flat", 1, 324.9f},        // E4 25 cents flat: tune up
    {"tuning4-sharp", 4, 111.2f},       // A2 19 cents sharp: tune down
    {"tuning1-far-sharp", 1, 380.0f},   // beyond E4's half of the scale
};

}  // namespace

void stepToTuning(TunerRig& rig, int tuning) {
  for (int t = 1; t < tuning; ++t) rig.controller().showNextTuning();
}

const std::vector<ScreenshotState>& screenshotStates() {
  static const std::vector<ScreenshotState> states = [] {
    std::vector<ScreenshotState> list;
    list.push_back({"silent", [](TunerRig& rig) { rig.tick(0.0f, 0.0f); }});
    for (const auto& reading : kTunedReadings) {
      list.push_back({"tuning" + std::to_string(reading.tuning) + "-string" + std::to_string(reading.string),
                      [reading](TunerRig& rig) {
                        stepToTuning(rig, reading.tuning);
                        rig.tick(kLoudPower, reading.hertz);
                      }});
    }
    for (const auto& reading : kDetunedReadings) {
      list.push_back({reading.name, [reading](TunerRig& rig) {
                        stepToTuning(rig, reading.tuning);
                        rig.tick(0.0f, 0.0f);
                        rig.tick(kLoudPower, reading.hertz);
                      }});
    }
    list.push_back({"tuning5", [](TunerRig& rig) {
                      stepToTuning(rig, 5);
                      rig.tick(0.0f, 0.0f);
                    }});
    list.push_back({"reference-tone", [](TunerRig& rig) {
                      rig.tick(0.0f, 0.0f);
                      rig.controller().playA440Hz();
                    }});
    // The aids: A4 = 443 from six + taps, string 2 locked, and a unison check finished 1.6 c apart.
    list.push_back({"aids-unison", [](TunerRig& rig) {
                      for (int i = 0; i < 6; ++i) rig.controller().stepConcertPitch(1);
                      rig.screen()->toggleLock(2);
                      rig.controller().toggleUnisonCheck();
                      for (const float hertz : {332.24f, 332.55f}) {
                        for (int i = 0; i < 8; ++i) rig.tick(kLoudPower, hertz);
                        rig.tick(0.0f, 0.0f);
                      }
                      rig.tick(kLoudPower, 332.55f);
                    }});
    // Contrabass with E1 locked: the default estimate's twelfth (B2) read as E1 itself.
    list.push_back({"aids-lock", [](TunerRig& rig) {
                      stepToTuning(rig, 5);
                      rig.screen()->toggleLock(3);
                      rig.tick(kLoudPower, 3.0f * 41.05f);
                    }});
    list.push_back({"more-apps", [](TunerRig& rig) {
                      rig.tick(0.0f, 0.0f);
                      if (QQuickItem* panel = rig.item(QStringLiteral("linksPanel"))) panel->setVisible(true);
                    }});
    return list;
  }();
  return states;
}

}  // namespace balalaika::rig
