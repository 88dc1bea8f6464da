#include <gtest/gtest.h>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

struct TuningView {
  tuning::TuningIndex tuning;
  const char* strings[3];
  bool thirdButton;  // string 3 has a reference tone of its own
  bool previousHidden;
  bool nextHidden;
  const char* title;
};

const TuningView kViews[] = {
    {1, {"A4", "E4", "E4"}, false, true, false, "TuningFreeTitle"},
    {2, {"D4", "A3", "A3"}, false, false, false, "TuningFreeTitle2"},
    {3, {"A3", "E3", "E3"}, false, false, false, "TuningFreeTitle3"},
    {4, {"D3", "A2", "E2"}, true, false, false, "TuningFreeTitle4"},
    {5, {"D2", "A1", "E1"}, true, false, true, "TuningFreeTitle5"},
};

void expectShows(const testing::ScreenHarness& s, const TuningView& v) {
  SCOPED_TRACE("tuning " + std::to_string(v.tuning));
  EXPECT_EQ(tuning::currentTuning(), v.tuning);
  EXPECT_EQ(s.firstString.text + s.secondString.text + s.thirdString.text,
            std::string(v.strings[0]) + v.strings[1] + v.strings[2]);
  EXPECT_EQ(s.firstFreqButton.title, v.strings[0]);
  EXPECT_EQ(s.secondFreqButton.title, v.strings[1]);
  EXPECT_EQ(s.thirdFreqButton.hidden, !v.thirdButton);
  if (v.thirdButton) {
    EXPECT_EQ(s.thirdFreqButton.title, v.strings[2]);
  }
  EXPECT_EQ(s.showPreviousTuningButton.hidden, v.previousHidden);
  EXPECT_EQ(s.showNextTuningButton.hidden, v.nextHidden);
  EXPECT_EQ(s.currentTuningName.text, v.title);
}

TEST(TuningDisplay, SteppingThroughAllFiveTuningsAndBackShowsEachTuningsNotesButtonsAndTitle) {
  testing::ScreenHarness screen;
  screen.controller.displayTunings();
  expectShows(screen, kViews[0]);
  for (int i = 1; i < 5; ++i) {
    screen.controller.showNextTuning();
    expectShows(screen, kViews[i]);
  }
  for (int i = 3; i >= 0; --i) {
    screen.controller.showPreviousTuning();
    expectShows(screen, kViews[i]);
  }

  // Below tuning 1 (the screen hides that way out) only the about texts are set.
  screen.controller.showPreviousTuning();
  screen.log.clear();
  screen.controller.displayTunings();
  screen.controller.displayNotes();
  EXPECT_EQ(screen.log.calls, (std::vector<std::string>{"aboutCongratsMessage.setText(TunerAboutCongratsMessage)",
                                                        "aboutMsg2.setText(TunerAboutMsg2)"}));
  screen.controller.showNextTuning();
  expectShows(screen, kViews[0]);
}

}  // namespace
}  // namespace balalaika
