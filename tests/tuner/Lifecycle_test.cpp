#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakeApplication.h"
#include "fakes/FakeAudioOutput.h"
#include "fakes/LogCapture.h"
#include "fakes/RecordingAudioSession.h"
#include "support/ScreenHarness.h"
#include "tones/ToneGenerator.h"

namespace balalaika {
namespace {

const char* const kFirstLaunchLine =
    "Me abriste por primera vez, voy a borrar los defaults y guardar 440 en NSDictionary y como valores de a4InHz y "
    "globalFrequency";

// A screen whose load step has an application, a speaker and (optionally) an audio session.
class Lifecycle : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;
  fakes::FakeApplication application;
  fakes::FakeAudioOutputComponent speaker;
  fakes::RecordingAudioSession session;
  fakes::LogCapture log;

  long ticks() const { return std::count(screen.log.calls.begin(), screen.log.calls.end(), "pitch.averagePower()"); }

  std::unique_ptr<ViewController> makeController(platform::AudioSession* audioSession) {
    ViewControllerServices services{screen.device, screen.images, screen.bundle, screen.runLoop, screen.defaults,
                                    screen.urlOpener, screen.pitch, [] {}};
    services.application = &application;
    services.audioOutput = &speaker;
    services.audioSession = audioSession;
    auto controller = std::make_unique<ViewController>(services);
    controller->outlets() = screen.controller.outlets();
    return controller;
  }
};

TEST_F(Lifecycle, LoadKeepsTheScreenAwakeSetsTheSessionUpAndShowsTuningOneBeforeTheFirstTick) {
  auto controller = makeController(&session);
  controller->viewDidLoad();

  EXPECT_EQ(application.idleTimerCalls, std::vector<bool>{true});
  ASSERT_NE(controller->generator(), nullptr);
  // The generator's own set-up comes first; the measuring session is set up after it.
  EXPECT_EQ(session.calls, (std::vector<std::string>{"initialize", "setAudioCategoryProperty 1835361385",
                                                      "setActiveC true", "setCategory PlayAndRecord options 0",
                                                      "setMode Measurement", "setActive true"}));
  EXPECT_EQ(screen.currentTuningName.text, "TuningFreeTitle");
  EXPECT_EQ(ticks(), 0) << "no tick before the timer fires";
  EXPECT_EQ(log.lines().back(), "Demo mode OFF, Sound detection started...");

  screen.runLoop.advance(0.1);
  EXPECT_EQ(ticks(), 1);
  screen.runLoop.advance(0.95);
  EXPECT_EQ(ticks(), 10) << "ten ticks a second";
}

TEST_F(Lifecycle, WithoutAnAudioSessionTheLoadSaysSoAndStillStarts) {
  auto controller = makeController(nullptr);
  controller->viewDidLoad();
  EXPECT_EQ(log.count("Error creating session: (null)"), 1);
  EXPECT_TRUE(screen.runLoop.isValid(controller->timer()));
  EXPECT_EQ(log.lines().back(), "Demo mode OFF, Sound detection started...");
}

TEST_F(Lifecycle, TheFirstAppearanceClearsTheStoreAndCountsOneRunThenEachLaterOneAddsOne) {
  screen.defaults.setString("kRatingPromptCurrentVersion", "0.9");
  screen.defaults.setBool("NewFirstLaunchVADovoduved", false);
  auto controller = makeController(&session);

  controller->viewWillAppear();
  EXPECT_EQ(screen.defaults.snapshot().size(), 2u) << "everything stored before is gone";
  EXPECT_EQ(screen.defaults.integerForKey("numberOfRuns"), 1);
  EXPECT_EQ(screen.defaults.boolForKey("NewFirstLaunchVADovoduved"), true);
  EXPECT_EQ(screen.defaults.synchronizeCount(), 2);
  EXPECT_EQ(log.count(kFirstLaunchLine), 1);

  controller->viewWillAppear();
  controller->viewWillAppear();
  EXPECT_EQ(screen.defaults.integerForKey("numberOfRuns"), 3);
  EXPECT_EQ(log.count("Ya se abrió antes"), 2);
  EXPECT_EQ(screen.defaults.synchronizeCount(), 4);

  // A returning user whose run count is gone starts counting from zero.
  screen.defaults.removeObjectForKey("numberOfRuns");
  controller->viewWillAppear();
  EXPECT_EQ(screen.defaults.integerForKey("numberOfRuns"), 1);
  EXPECT_EQ(log.count(kFirstLaunchLine), 1);
}

}  // namespace
}  // namespace balalaika
