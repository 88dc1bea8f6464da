#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/HeadlessStoryboards.h"
#include "support/ScreenHarness.h"

namespace balalaika::app {
namespace {

// A headless window over a controller that reads a scripted listener.
class Headless : public ::testing::Test {
 protected:
  testing::ScreenHarness fakes;
  std::ostringstream out;
  int loads = 0, appearances = 0;
  bool checkUnison = false;  // the load step starts the unison check, as --unison does
  platform::RunLoop::TimerId timer = 0;
  HeadlessStoryboards storyboards{HeadlessStoryboardsOptions{
      [this] {
        return std::make_unique<ViewController>(ViewControllerServices{fakes.device, fakes.images, fakes.bundle,
                                                                       fakes.runLoop, fakes.defaults, fakes.urlOpener,
                                                                       fakes.pitch, [] {}});
      },
      [this](ViewController& c) {
        ++loads;
        c.displayTunings();
        if (checkUnison) c.toggleUnisonCheck();
        timer = fakes.runLoop.scheduleRepeating(0.1, [&c] { c.tickFree(); });
      },
      [this](ViewController&) { ++appearances; }, &fakes.runLoop, &out}};
};

TEST_F(Headless, PrintsOneStampedLineForEachChangeOfTheScreen) {
  EXPECT_EQ(storyboards.instantiateInitialScreen("TunerScreen"), nullptr);
  auto window = storyboards.createWindow({0, 0, 390, 844});
  window->setRootScreen(storyboards.instantiateInitialScreen("Main_iPhone12Pro"));
  window->makeKeyAndVisible();
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(appearances, 1);

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

  const std::string a4 = "tuning=\"TuningFreeTitle\" freq=\"440.0Hz\" note=\"A4\" lamp=green string=1 tone=\"\" cents=";
  const std::string silent = "lamp=yellow string=none tone=\"\" cents=none nearest=none";
  EXPECT_EQ(out.str(),
            "0.00 tuning=\"TuningFreeTitle\" freq=\"\" note=\"\" lamp=none string=none tone=\"\" cents=none nearest=none\n"
            "0.10 tuning=\"TuningFreeTitle\" freq=\"\" note=\"\" " + silent + "\n"
            "1.10 " + a4 + "0.0 nearest=1\n"
            "2.10 " + a4 + "3.9 nearest=1\n"
            "2.20 tuning=\"TuningFreeTitle\" freq=\"326.0Hz\" note=\"A4\" lamp=green string=1 tone=\"\" "
            "cents=-19.2 nearest=2\n"
            "2.30 tuning=\"TuningFreeTitle\" freq=\"380.0Hz\" note=\"A4\" lamp=green string=1 tone=\"\" "
            "cents=far-sharp nearest=2\n"
            "2.40 tuning=\"TuningFreeTitle\" freq=\"\" note=\"\" " + silent + "\n");
}

// The line carries the unison check's result once it has one, and only then.
TEST_F(Headless, AFinishedUnisonCheckEndsTheLineWithTheGap) {
  checkUnison = true;
  auto window = storyboards.createWindow({0, 0, 390, 844});
  window->setRootScreen(storyboards.instantiateInitialScreen("Main_iPhone12Pro"));
  window->makeKeyAndVisible();
  for (const double hertz : {329.63, 329.63 * std::exp2(3.2 / 1200.0)}) {
    fakes.pitch.power = testing::kLoud;
    fakes.pitch.hertz = static_cast<float>(hertz);
    fakes.pitch.refined = hertz;
    fakes.runLoop.advance(1.0);
    fakes.pitch.power = testing::kSilent;
    fakes.runLoop.advance(0.3);
  }
  const std::string lines = out.str();
  const std::size_t last = lines.rfind('\n', lines.size() - 2);
  EXPECT_EQ(lines.substr(0, last).find("unison="), std::string::npos) << lines;
  EXPECT_EQ(lines.substr(last + 1), "2.40 tuning=\"TuningFreeTitle\" freq=\"\" note=\"\" lamp=yellow string=none "
                                    "tone=\"\" cents=none nearest=none unison=+3.2c\n");
}

}  // namespace
}  // namespace balalaika::app
