#include <gtest/gtest.h>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using Calls = std::vector<std::string>;

class TuningDisplayTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;
};

struct TuningView {
  tuning::TuningIndex tuning;
  const char* strings[3];
  const char* buttons[2];
  const char* thirdButton;  // nullptr when hidden
  bool previousHidden;
  bool nextHidden;
  const char* title;
  const char* padChart;
};

const TuningView kViews[] = {
    {1, {"A4", "E4", "E4"}, {"A4", "E4"}, nullptr, true, false, "TuningFreeTitle", "chartipad.png"},
    {2, {"D4", "A3", "A3"}, {"D4", "A3"}, nullptr, false, false, "TuningFreeTitle2", "chartipad2.png"},
    {3, {"A3", "E3", "E3"}, {"A3", "E3"}, nullptr, false, false, "TuningFreeTitle3", "chartipad3.png"},
    {4, {"D3", "A2", "E2"}, {"D3", "A2"}, "E2", false, false, "TuningFreeTitle4", "chartipad4.png"},
    {5, {"D2", "A1", "E1"}, {"D2", "A1"}, "E1", false, true, "TuningFreeTitle5", "chartipad5.png"},
};

void expectShows(const testing::ScreenHarness& s, const TuningView& v) {
  SCOPED_TRACE("tuning " + std::to_string(v.tuning));
  EXPECT_EQ(tuning::currentTuning(), v.tuning);
  EXPECT_EQ(s.firstString.text, v.strings[0]);
  EXPECT_EQ(s.secondString.text, v.strings[1]);
  EXPECT_EQ(s.thirdString.text, v.strings[2]);
  EXPECT_EQ(s.firstFreqButton.title, v.buttons[0]);
  EXPECT_EQ(s.secondFreqButton.title, v.buttons[1]);
  EXPECT_EQ(s.thirdFreqButton.hidden, v.thirdButton == nullptr);
  if (v.thirdButton != nullptr) {
    EXPECT_EQ(s.thirdFreqButton.title, v.thirdButton);
  }
  EXPECT_EQ(s.showPreviousTuningButton.hidden, v.previousHidden);
  EXPECT_EQ(s.showNextTuningButton.hidden, v.nextHidden);
  EXPECT_EQ(s.currentTuningName.text, v.title);
  EXPECT_EQ(s.chartDisplay.imageName(), v.padChart);  // an 844-point phone uses the tablet chart
}

TEST_F(TuningDisplayTest, SteppingThroughAllFiveTuningsAndBackShowsEachTuningsControls) {
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
}

TEST_F(TuningDisplayTest, ADisplayFollowsAFixedOrderWithTheThirdButtonShownBeforeItsTitle) {
  screen.bundle.texts[{"", "TuningFreeTitle4"}] = "Bass";
  screen.selectTuning(4);
  screen.controller.displayTunings();
  EXPECT_EQ(screen.log.calls,
            (Calls{"aboutCongratsMessage.setText(TunerAboutCongratsMessage)", "aboutMsg2.setText(TunerAboutMsg2)",
                   "firstString.setText(D3)", "secondString.setText(A2)", "thirdString.setText(E2)",
                   "images.imageNamed(chartipad4.png)", "chartDisplay.setImage(chartipad4.png)",
                   "firstFreqButton.setTitle(D3)", "secondFreqButton.setTitle(A2)",
                   "thirdFreqButton.setHidden(false)", "thirdFreqButton.setTitle(E2)",
                   "currentTuningName.setText(Bass)", "showPreviousTuningButton.setHidden(false)",
                   "showNextTuningButton.setHidden(false)"}));
}

TEST_F(TuningDisplayTest, ThePhoneChartDependsOnTheExactScreenHeightReadOncePerDisplay) {
  const double tabletChartHeights[] = {667, 736, 812, 844, 852, 874, 896, 926, 932, 956};
  const double phoneChartHeights[] = {480, 568, 693, 667.5, 666.9999, 1024, 0};
  screen.selectTuning(3);
  for (double h : tabletChartHeights) {
    screen.phone(h);
    const int readsBefore = screen.device.heightReads;
    screen.controller.displayTunings();
    EXPECT_EQ(screen.chartDisplay.imageName(), "chartipad3.png") << h;
    EXPECT_EQ(screen.device.heightReads, readsBefore + 1) << "the height is read once per display";
  }
  for (double h : phoneChartHeights) {
    screen.phone(h);
    screen.controller.displayTunings();
    EXPECT_EQ(screen.chartDisplay.imageName(), "chartiphone3.png") << h;
  }
}

TEST_F(TuningDisplayTest, APadUsesTheTabletChartWhateverItsHeightAndNeverReadsIt) {
  screen.selectTuning(5);
  for (double h : {1024.0, 1366.0, 480.0}) {
    screen.pad(h);
    screen.controller.displayTunings();
    EXPECT_EQ(screen.chartDisplay.imageName(), "chartipad5.png");
  }
  EXPECT_EQ(screen.device.heightReads, 0);
}

TEST_F(TuningDisplayTest, ADeviceReportingNoIdiomIsTreatedAsAPhone) {
  screen.device.idiom.reset();
  screen.device.height = 568;
  screen.controller.displayTunings();
  EXPECT_EQ(screen.chartDisplay.imageName(), "chartiphone.png");
  EXPECT_EQ(screen.firstFreqButton.title, "A4");
}

TEST_F(TuningDisplayTest, AnotherKindOfDeviceGetsOnlyTheTwoAboutTexts) {
  screen.device.idiom = 2;
  screen.bundle.texts[{"", "TunerAboutMsg2"}] = "Tune by ear, too.";
  screen.controller.displayTunings();
  EXPECT_EQ(screen.log.calls, (Calls{"aboutCongratsMessage.setText(TunerAboutCongratsMessage)",
                                     "aboutMsg2.setText(Tune by ear, too.)"}));
  EXPECT_EQ(screen.device.heightReads, 0);
}

TEST_F(TuningDisplayTest, SteppingBelowTuning1ChangesOnlyTheAboutTextsUntilSteppedBack) {
  screen.controller.displayTunings();
  screen.controller.showPreviousTuning();
  EXPECT_EQ(tuning::currentTuning(), 0);
  screen.log.clear();
  screen.controller.displayTunings();
  EXPECT_EQ(screen.log.calls, (Calls{"aboutCongratsMessage.setText(TunerAboutCongratsMessage)",
                                     "aboutMsg2.setText(TunerAboutMsg2)"}));
  screen.controller.displayNotes();
  EXPECT_EQ(screen.log.calls.size(), 2u);

  screen.controller.showNextTuning();
  expectShows(screen, kViews[0]);
}

TEST_F(TuningDisplayTest, SteppingLeavesTheTickDisplayAndTheMarksAlone) {
  screen.tick(testing::kLoud, 440.0f);
  screen.log.clear();
  screen.controller.showNextTuning();
  for (const std::string& call : screen.log.calls) {
    EXPECT_EQ(call.find("freq_label"), std::string::npos) << call;
    EXPECT_EQ(call.find("noteDisplay"), std::string::npos) << call;
    EXPECT_EQ(call.find("LEDDisplay"), std::string::npos) << call;
    EXPECT_EQ(call.find("tunedString"), std::string::npos) << call;
  }
  EXPECT_EQ(screen.noteDisplay.text, "A4");
  EXPECT_TRUE(firstStringTuned());
}

}  // namespace
}  // namespace balalaika
