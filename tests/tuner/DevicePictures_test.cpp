#include <gtest/gtest.h>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using Calls = std::vector<std::string>;

// The chart and the tuned-string highlight chosen by idiom and exact screen height.
class DevicePicturesTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;

  // The calls one displayTunedString makes, without the image look-ups.
  Calls highlight(int stringIndex) {
    screen.log.clear();
    screen.controller.displayTunedString(stringIndex);
    Calls sets;
    for (const std::string& call : screen.log.calls) {
      if (call.rfind("images.", 0) != 0) sets.push_back(call);
    }
    return sets;
  }
  std::string chart() {
    screen.controller.displayTunings();
    return screen.chartDisplay.imageName();
  }
};

TEST_F(DevicePicturesTest, EachListedPhoneHeightGetsItsChartAndItsHighlightViewAndPictures) {
  for (double height : {480, 568, 667, 736, 812, 844, 852, 874, 896, 926, 932, 956}) {
    SCOPED_TRACE(height);
    screen.phone(height);
    const std::string set = height == 480 ? "tunedString.setImage(" : "tunedString5.setImage(";
    const std::string s = height == 480 ? "" : height == 568 ? "_5" : height == 667 ? "_6" : "_6plus";
    screen.selectTuning(3);
    EXPECT_EQ(chart(), height > 568 ? "chartipad3.png" : "chartiphone3.png");
    EXPECT_EQ(highlight(1), Calls{set + "1st_string" + s + ".png)"});
    EXPECT_EQ(highlight(2), Calls{set + "2nd_string" + s + ".png)"});
    EXPECT_EQ(highlight(3), Calls{set + "3rd_string" + s + ".png)"});
    screen.selectTuning(4);
    EXPECT_EQ(highlight(2), Calls{set + "2nd_string" + s + "_b.png)"});
  }
}

TEST_F(DevicePicturesTest, UnlistedPhoneHeightsGetThePhoneChartAndNoHighlight) {
  for (double h : {693.0, 667.5, 1024.0}) {
    screen.phone(h);
    EXPECT_EQ(chart(), "chartiphone.png") << h;
    EXPECT_TRUE(highlight(1).empty()) << h;
  }
  screen.phone(844);
  for (int n : {0, 4}) EXPECT_TRUE(highlight(n).empty()) << "string " << n;
}

TEST_F(DevicePicturesTest, APadUsesTheTabletChartAndItsOwnHighlightWhateverTheHeightAndNeverReadsIt) {
  for (double h : {1024.0, 480.0}) {
    screen.pad(h);
    for (tuning::TuningIndex t = 1; t <= 5; ++t) {
      screen.selectTuning(t);
      EXPECT_EQ(chart(), t == 1 ? "chartipad.png" : "chartipad" + std::to_string(t) + ".png");
      EXPECT_EQ(highlight(1), Calls{"tunedStringiPad.setImage(1st_string_iPad.png)"});
      EXPECT_EQ(highlight(2), Calls{std::string("tunedStringiPad.setImage(2nd_string_iPad") + (t >= 4 ? "_b" : "") +
                                    ".png)"})
          << "tuning " << t;
    }
  }
  EXPECT_EQ(screen.device.heightReads, 0);
}

TEST_F(DevicePicturesTest, ADeviceWithoutAnIdiomIsAPhoneAndAnotherKindGetsOnlyTheAboutTexts) {
  screen.device.idiom.reset();
  screen.device.height = 480;
  EXPECT_EQ(chart(), "chartiphone.png");
  EXPECT_EQ(highlight(1), Calls{"tunedString.setImage(1st_string.png)"});

  screen.device.idiom = 2;
  screen.log.clear();
  screen.controller.displayTunings();
  EXPECT_EQ(screen.log.calls, (Calls{"aboutCongratsMessage.setText(TunerAboutCongratsMessage)",
                                     "aboutMsg2.setText(TunerAboutMsg2)"}));
  EXPECT_TRUE(highlight(2).empty());
}

}  // namespace
}  // namespace balalaika
