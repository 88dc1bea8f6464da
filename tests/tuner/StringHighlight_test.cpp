#include <gtest/gtest.h>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using Calls = std::vector<std::string>;

class StringHighlightTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;

  // The calls one displayTunedString makes, with the image look-up left out.
  Calls highlight(int stringIndex) {
    screen.log.clear();
    screen.controller.displayTunedString(stringIndex);
    Calls sets;
    for (const std::string& call : screen.log.calls) {
      if (call.rfind("images.", 0) != 0) sets.push_back(call);
    }
    return sets;
  }
};

struct PhoneRow {
  double height;
  const char* view;
  const char* suffix;
};

TEST_F(StringHighlightTest, EachListedPhoneHeightGetsItsOwnViewAndPictures) {
  const PhoneRow rows[] = {
      {480, "tunedString", ""},       {568, "tunedString5", "_5"},     {667, "tunedString5", "_6"},
      {736, "tunedString5", "_6plus"}, {812, "tunedString5", "_6plus"}, {844, "tunedString5", "_6plus"},
      {852, "tunedString5", "_6plus"}, {874, "tunedString5", "_6plus"}, {896, "tunedString5", "_6plus"},
      {926, "tunedString5", "_6plus"}, {932, "tunedString5", "_6plus"}, {956, "tunedString5", "_6plus"},
  };
  for (const PhoneRow& row : rows) {
    SCOPED_TRACE(row.height);
    screen.phone(row.height);
    const std::string view(row.view);
    const std::string s(row.suffix);
    screen.selectTuning(3);
    EXPECT_EQ(highlight(1), Calls{view + ".setImage(1st_string" + s + ".png)"});
    EXPECT_EQ(highlight(2), Calls{view + ".setImage(2nd_string" + s + ".png)"});
    EXPECT_EQ(highlight(3), Calls{view + ".setImage(3rd_string" + s + ".png)"});
    screen.selectTuning(4);
    EXPECT_EQ(highlight(1), Calls{view + ".setImage(1st_string" + s + ".png)"});
    EXPECT_EQ(highlight(2), Calls{view + ".setImage(2nd_string" + s + "_b.png)"});
    EXPECT_EQ(highlight(3), Calls{view + ".setImage(3rd_string" + s + ".png)"});
  }
}

TEST_F(StringHighlightTest, String2UsesTheAlternatePictureOnlyInTunings4And5) {
  screen.pad();
  const std::pair<tuning::TuningIndex, const char*> cases[] = {{1, "2nd_string_iPad.png"},
                                                               {2, "2nd_string_iPad.png"},
                                                               {3, "2nd_string_iPad.png"},
                                                               {4, "2nd_string_iPad_b.png"},
                                                               {5, "2nd_string_iPad_b.png"}};
  for (auto [t, picture] : cases) {
    screen.selectTuning(t);
    EXPECT_EQ(highlight(2), Calls{std::string("tunedStringiPad.setImage(") + picture + ")"}) << "tuning " << t;
  }
}

TEST_F(StringHighlightTest, APadUsesItsOwnViewWhateverTheHeightAndNeverReadsIt) {
  for (double h : {1024.0, 1366.0, 480.0, 693.0}) {
    screen.pad(h);
    EXPECT_EQ(highlight(1), Calls{"tunedStringiPad.setImage(1st_string_iPad.png)"});
    EXPECT_EQ(highlight(3), Calls{"tunedStringiPad.setImage(3rd_string_iPad.png)"});
  }
  EXPECT_EQ(screen.device.heightReads, 0);
}

TEST_F(StringHighlightTest, UnlistedHeightsOtherDevicesAndOtherIndexesChangeNothing) {
  for (double h : {693.0, 667.5, 1024.0, 320.0}) {
    screen.phone(h);
    EXPECT_TRUE(highlight(1).empty()) << h;
  }
  screen.device.idiom = 5;
  EXPECT_TRUE(highlight(2).empty());
  screen.phone(844);
  for (int n : {0, 4, -1}) {
    EXPECT_TRUE(highlight(n).empty()) << n;
  }
}

TEST_F(StringHighlightTest, ADeviceReportingNoIdiomIsTreatedAsAPhone) {
  screen.device.idiom.reset();
  screen.device.height = 480;
  EXPECT_EQ(highlight(1), Calls{"tunedString.setImage(1st_string.png)"});
}

TEST_F(StringHighlightTest, ALayoutWithoutTheChosenViewIsLeftAlone) {
  screen.controller.outlets().tunedString5 = nullptr;
  screen.phone(844);
  screen.controller.displayTunedString(1);
  EXPECT_TRUE(screen.log.calls.empty());
  EXPECT_EQ(screen.tunedString.imageName(), "");
}

TEST_F(StringHighlightTest, TheTickHighlightsTheReportedStringOfTheCurrentTuning) {
  screen.pad();
  screen.selectTuning(4);
  screen.tick(testing::kLoud, 82.4f);
  EXPECT_EQ(screen.tunedStringiPad.imageName(), "3rd_string_iPad.png");
  screen.selectTuning(1);
  screen.tick(testing::kLoud, 329.6f);  // strings 2 and 3 share this pitch: reported as 2
  EXPECT_EQ(screen.tunedStringiPad.imageName(), "2nd_string_iPad.png");
}

}  // namespace
}  // namespace balalaika
