#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "fakes/FakeDevice.h"
#include "fakes/FakeStoryboards.h"
#include "fakes/LogCapture.h"
#include "platform/Log.h"

namespace balalaika {
namespace {

using platform::kIdiomPad;
using platform::kIdiomPhone;

struct Listed {
  int idiom;
  double width;
  double height;
  const char* layout;
};

// Written out from the device tables, independently of the application's own table.
const Listed kListed[] = {
    {kIdiomPhone, 320, 480, "Main_iPhone4s"},      {kIdiomPhone, 320, 568, "Main_iPhone"},
    {kIdiomPhone, 375, 667, "Main_iPhone6"},       {kIdiomPhone, 414, 736, "Main_iPhone6Plus"},
    {kIdiomPhone, 375, 812, "Main_iPhoneX"},       {kIdiomPhone, 390, 844, "Main_iPhone12Pro"},
    {kIdiomPhone, 393, 852, "Main_iPhone12Pro"},   {kIdiomPhone, 402, 874, "Main_iPhone12Pro"},
    {kIdiomPhone, 414, 896, "Main_iPhoneXSMax"},   {kIdiomPhone, 428, 926, "Main_iPhone12ProMax"},
    {kIdiomPhone, 430, 932, "Main_iPhone12ProMax"}, {kIdiomPhone, 440, 956, "Main_iPhone12ProMax"},
    {kIdiomPad, 768, 1024, "Main_iPad"},           {kIdiomPad, 810, 1080, "Main_iPad_Pro_10_5"},
    {kIdiomPad, 834, 1112, "Main_iPad_Pro_10_5"},  {kIdiomPad, 744, 1133, "Main_iPad_Mini6"},
    {kIdiomPad, 820, 1180, "Main_iPad_Pro_10_5"},  {kIdiomPad, 834, 1194, "Main_iPad_Pro_11"},
    {kIdiomPad, 834, 1210, "Main_iPad_Pro_11"},    {kIdiomPad, 1024, 1366, "Main_iPad_Pro"},
    {kIdiomPad, 1032, 1376, "Main_iPad_Pro"},
};

// Runs the selection on a device and returns the storyboards' journal with the log lines
// woven in ("log: ...") in the order they happened.
class LayoutSelection : public ::testing::Test {
 protected:
  std::vector<std::string> select(std::optional<int> idiom, double width, double height) {
    device.idiom = idiom;
    device.width = width;
    device.height = height;
    auto previous = platform::setLogSink([this](platform::LogCategory, platform::LogLevel, const std::string& line) {
      storyboards.journal.push_back("log: " + line);
    });
    delegate.initializeStoryBoardBasedOnScreenSize();
    platform::setLogSink(std::move(previous));
    return storyboards.journal;
  }

  static long countOf(const std::vector<std::string>& journal, const std::string& entry) {
    return std::count(journal.begin(), journal.end(), entry);
  }

  fakes::FakeDevice device;
  fakes::FakeStoryboards storyboards;
  AppDelegate delegate{{device, storyboards}};
};

TEST_F(LayoutSelection, GivenEveryListedScreenWhenLaunchedThenItsLayoutFillsOneKeyWindow) {
  for (const auto& listed : kListed) {
    SCOPED_TRACE(std::string(listed.layout) + " at " + std::to_string(listed.height));
    storyboards = fakes::FakeStoryboards{};
    delegate.setWindow(nullptr);
    const auto journal = select(listed.idiom, listed.width, listed.height);

    std::vector<std::string> installs;
    for (const auto& entry : journal) {
      if (entry.rfind("instantiate ", 0) == 0) installs.push_back(entry);
    }
    EXPECT_EQ(installs, std::vector<std::string>{std::string("instantiate ") + listed.layout});
    EXPECT_EQ(storyboards.windowsCreated, 1);
    auto* window = dynamic_cast<fakes::FakeStoryboards::FakeWindow*>(delegate.window());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->frame, (platform::Rect{0, 0, listed.width, listed.height}));
    EXPECT_TRUE(window->keyAndVisible);
    auto* root = dynamic_cast<fakes::FakeStoryboards::FakeScreen*>(window->root.get());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->layoutName, listed.layout);

    char heightText[64];
    std::snprintf(heightText, sizeof heightText, "%f", listed.height);
    const bool phone = listed.idiom == kIdiomPhone;
    EXPECT_EQ(countOf(journal, std::string("log: iPhone has a height of: ") + heightText), phone ? 5 : 0);
    EXPECT_EQ(countOf(journal, std::string("log: iPad has a height of: ") + heightText), phone ? 0 : 1);
    EXPECT_EQ(journal.size(), installs.size() + 3 + (phone ? 5 : 1)) << "only the install steps and height lines";
  }
}

TEST_F(LayoutSelection, GivenA844PointPhoneThenTwoHeightLinesPrecedeTheInstallAndThreeFollowIt) {
  const std::string line = "log: iPhone has a height of: 844.000000";
  EXPECT_EQ(select(kIdiomPhone, 390, 844),
            (std::vector<std::string>{line, line, "instantiate Main_iPhone12Pro", "window 0 0 390 844",
                                      "root Main_iPhone12Pro", "key and visible", line, line, line}));
}

TEST_F(LayoutSelection, GivenA480PointPhoneThenTheLayoutIsInstalledBeforeAnyHeightLine) {
  const auto journal = select(kIdiomPhone, 320, 480);
  ASSERT_EQ(journal.size(), 9u);
  EXPECT_EQ(journal[0], "instantiate Main_iPhone4s");
  EXPECT_EQ(journal[4], "log: iPhone has a height of: 480.000000");
}

TEST_F(LayoutSelection, GivenA1024PointPadThenTheHeightLineFollowsTheInstall) {
  EXPECT_EQ(select(kIdiomPad, 768, 1024),
            (std::vector<std::string>{"instantiate Main_iPad", "window 0 0 768 1024", "root Main_iPad",
                                      "key and visible", "log: iPad has a height of: 1024.000000"}));
}

TEST_F(LayoutSelection, GivenA1180PointPadThenTheHeightLinePrecedesTheInstall) {
  EXPECT_EQ(select(kIdiomPad, 820, 1180),
            (std::vector<std::string>{"log: iPad has a height of: 1180.000000", "instantiate Main_iPad_Pro_10_5",
                                      "window 0 0 820 1180", "root Main_iPad_Pro_10_5", "key and visible"}));
}

TEST_F(LayoutSelection, GivenAnUnlistedPhoneHeightThenNothingIsInstalledButFiveHeightLinesAreLogged) {
  for (const double height : {693.0, 667.5, 1024.0, 0.0}) {
    SCOPED_TRACE(height);
    storyboards = fakes::FakeStoryboards{};
    const auto journal = select(kIdiomPhone, 375, height);
    char line[96];
    std::snprintf(line, sizeof line, "log: iPhone has a height of: %f", height);
    EXPECT_EQ(journal, std::vector<std::string>(5, line));
    EXPECT_EQ(delegate.window(), nullptr);
  }
}

TEST_F(LayoutSelection, GivenAnUnlistedPadHeightThenNothingIsInstalledAndOneHeightLineIsLogged) {
  for (const double height : {844.0, 1366.5, 1100.0}) {
    SCOPED_TRACE(height);
    storyboards = fakes::FakeStoryboards{};
    const auto journal = select(kIdiomPad, 800, height);
    char line[96];
    std::snprintf(line, sizeof line, "log: iPad has a height of: %f", height);
    EXPECT_EQ(journal, std::vector<std::string>{line});
    EXPECT_EQ(delegate.window(), nullptr);
  }
}

TEST_F(LayoutSelection, GivenAnotherIdiomThenNothingIsInstalledAndNothingLogged) {
  EXPECT_TRUE(select(2, 390, 844).empty());
  EXPECT_TRUE(select(-1, 768, 1024).empty());
  EXPECT_EQ(delegate.window(), nullptr);
}

TEST_F(LayoutSelection, GivenADeviceWithoutAnIdiomThenItIsTreatedAsAPhone) {
  const auto journal = select(std::nullopt, 375, 667);
  EXPECT_EQ(countOf(journal, "instantiate Main_iPhone6"), 1);
  EXPECT_EQ(countOf(journal, "log: iPhone has a height of: 667.000000"), 5);
}

TEST_F(LayoutSelection, GivenAMissingLayoutThenNoWindowIsShownAndTheLogSaysWhich) {
  storyboards.missing.insert("Main_iPhoneX");
  const auto journal = select(kIdiomPhone, 375, 812);
  EXPECT_EQ(countOf(journal, "log: Layout Main_iPhoneX is missing"), 1);
  EXPECT_EQ(storyboards.windowsCreated, 0);
  EXPECT_EQ(delegate.window(), nullptr);
}

}  // namespace
}  // namespace balalaika
