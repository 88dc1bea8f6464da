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
    list.push_back({"tuning5", [](TunerRig& rig) {
                      stepToTuning(rig, 5);
                      rig.tick(0.0f, 0.0f);
                    }});
    list.push_back({"reference-tone", [](TunerRig& rig) {
                      rig.tick(0.0f, 0.0f);
                      rig.controller().playA440Hz();
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
