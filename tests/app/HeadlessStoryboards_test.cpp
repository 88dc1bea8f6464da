#include <gtest/gtest.h>

#include <sstream>

#include "app/HeadlessStoryboards.h"
#include "support/ScreenHarness.h"

namespace balalaika::app {
namespace {

// A headless window over a controller that reads a scripted listener.
class Headless : public ::testing::Test {
 protected:
  testing::ScreenHarness fakes;  // device, images, bundle, run loop, store and listener
  std::ostringstream out;
  int loads = 0;
  int appearances = 0;
  HeadlessStoryboards storyboards{HeadlessStoryboardsOptions{
      [this] {
        return std::make_unique<ViewController>(ViewControllerServices{fakes.device, fakes.images, fakes.bundle,
                                                                       fakes.runLoop, fakes.defaults, fakes.urlOpener,
                                                                       fakes.pitch, [] {}});
      },
      [this](ViewController& c) {
        ++loads;
        c.displayTunings();
        timer = fakes.runLoop.scheduleRepeating(0.1, [&c] { c.tickFree(); });
      },
      [this](ViewController&) { ++appearances; }, &fakes.runLoop, &out}};
  platform::RunLoop::TimerId timer = 0;

  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
};

TEST_F(Headless, PrintsOneStampedLineForEachChangeOfTheScreen) {
  auto window = storyboards.createWindow({0, 0, 390, 844});
  window->setRootScreen(storyboards.instantiateInitialScreen("Main_iPhone12Pro"));
  window->makeKeyAndVisible();
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(appearances, 1);
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0],
            "0.00 tuning=\"TuningFreeTitle\" freq=\"\" note=\"\" lamp=none string=none tone=\"\" cents=none nearest=none");

  fakes.runLoop.advance(1.0);  // silence: yellow lamps
  fakes.pitch.power = testing::kLoud;
  fakes.pitch.hertz = 440.0040588378906f;
  fakes.runLoop.advance(1.0);  // a tuned A4: one change, however many ticks repeat it
  fakes.pitch.refined = 441.0;  // the same bin refined higher: only the meter moves
  fakes.runLoop.advance(0.1);
  fakes.pitch.refined = 0.0;
  fakes.pitch.hertz = 326.0f;  // E4 19 cents flat: the lit string stays 1, the nearest is 2
  fakes.runLoop.advance(0.1);
  fakes.pitch.hertz = 380.0f;  // beyond the meter's range
  fakes.runLoop.advance(0.1);
  fakes.pitch.power = testing::kSilent;
  fakes.runLoop.advance(0.5);

  const auto printed = lines();
  ASSERT_EQ(printed.size(), 7u) << out.str();
  EXPECT_EQ(printed[1], "0.10 tuning=\"TuningFreeTitle\" freq=\"\" note=\"\" lamp=yellow string=none tone=\"\" "
                        "cents=none nearest=none");
  EXPECT_EQ(printed[2], "1.10 tuning=\"TuningFreeTitle\" freq=\"440.0Hz\" note=\"A4\" lamp=green string=1 tone=\"\" "
                        "cents=0.0 nearest=1");
  EXPECT_EQ(printed[3], "2.10 tuning=\"TuningFreeTitle\" freq=\"440.0Hz\" note=\"A4\" lamp=green string=1 tone=\"\" "
                        "cents=3.9 nearest=1");
  EXPECT_EQ(printed[4], "2.20 tuning=\"TuningFreeTitle\" freq=\"326.0Hz\" note=\"A4\" lamp=green string=1 tone=\"\" "
                        "cents=-19.2 nearest=2");
  EXPECT_EQ(printed[5].substr(0, 5), "2.30 ");
  EXPECT_NE(printed[5].find("string=1 tone=\"\" cents=far-sharp nearest=2"), std::string::npos) << printed[5];
  EXPECT_EQ(printed[6].substr(0, 5), "2.40 ");
  EXPECT_NE(printed[6].find("lamp=yellow string=none tone=\"\" cents=none nearest=none"), std::string::npos);
}

TEST_F(Headless, OnlyTheThirteenLayoutsInstantiate) {
  EXPECT_NE(storyboards.instantiateInitialScreen("Main_iPad_Pro"), nullptr);
  EXPECT_EQ(storyboards.instantiateInitialScreen("TunerScreen"), nullptr);
  EXPECT_EQ(storyboards.instantiateInitialScreen(""), nullptr);
}

}  // namespace
}  // namespace balalaika::app
