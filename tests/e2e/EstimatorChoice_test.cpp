#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "e2e/Recordings.h"
#include "e2e/TunerProcess.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::e2e {
namespace {

constexpr int kRunLimitMs = 30000;

// A returning player who chose the precise estimate in the window, and a pure A4 (the
// tuner's own reference tone heard through the microphone), which the default estimate reads
// an octave low.
class EstimatorChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    qt::QtUserDefaults store(settings.defaultsFile());
    store.setBool("NewFirstLaunchVADovoduved", true);
    store.setBool("preciseEstimator", true);
    ASSERT_TRUE(store.synchronize());
    synth::Score score;
    score.seconds = 3.0;
    synth::Pluck sine = heldPluck(440.0, 0.5, 2.0);
    sine.partials = 1;
    score.plucks = {sine};
    file = writeRecording(audio.path(), QStringLiteral("sine.wav"), score);
    ASSERT_FALSE(file.isEmpty());
  }

  std::vector<ScreenLine> run(QStringList extra) {
    const RunResult result = runTuner(
        QStringList{QStringLiteral("--headless"), QStringLiteral("--input"), file, QStringLiteral("--quit-after"),
                    QStringLiteral("2.5")} + extra,
        tunerEnvironment(settings, Display::Headless), kRunLimitMs);
    EXPECT_TRUE(result.finished && result.normalExit && result.exitCode == 0) << result.describe();
    return parseScreenLines(result.out);
  }

  SettingsFolder settings;
  QTemporaryDir audio;
  QString file;
};

TEST_F(EstimatorChoice, GivenTheStoredChoiceThenASineReadsItsOwnPitchAndTheCommandLineCanOverrideIt) {
  const auto chosen = run({});
  const auto tuned = firstLineWith(chosen, 0.0, {{"lamp", "green"}});
  ASSERT_TRUE(tuned) << "the stored precise estimate never turned the lamp green";
  EXPECT_EQ(tuned->field("freq"), "440.0Hz");
  EXPECT_EQ(tuned->field("note"), "A4");

  const auto overridden = run({QStringLiteral("--estimator"), QStringLiteral("default")});
  EXPECT_FALSE(firstLineWith(overridden, 0.0, {{"lamp", "green"}})) << "the default estimate read the sine as A4";
  EXPECT_EQ(qt::QtUserDefaults(settings.defaultsFile()).boolForKey("preciseEstimator"), true)
      << "the command line does not change the stored choice";
}

}  // namespace
}  // namespace balalaika::e2e
