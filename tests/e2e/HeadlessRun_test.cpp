#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "e2e/Recordings.h"
#include "e2e/TunerProcess.h"

namespace balalaika::e2e {
namespace {

constexpr int kRunLimitMs = 30000;

class HeadlessRun : public ::testing::Test {
 protected:
  SettingsFolder settings;
  QTemporaryDir audio;
  QProcessEnvironment env = tunerEnvironment(settings, Display::Headless);
};

// Silence, an A4 in tune from 1.5 s to 3.5 s, silence.
TEST_F(HeadlessRun, GivenARecordingOfOneInTuneA4ThenTheLampTurnsGreenWithinHalfASecondAndYellowAfterIt) {
  constexpr double kOnset = 1.5, kEnd = 3.5;
  synth::Score score;
  score.seconds = 6.0;
  score.plucks = {heldPluck(440.0, kOnset, kEnd - kOnset)};
  const QString file = writeRecording(audio.path(), QStringLiteral("a4.wav"), score);
  ASSERT_FALSE(file.isEmpty());

  const RunResult run = runTuner({QStringLiteral("--headless"), QStringLiteral("--input"), file,
                                  QStringLiteral("--quit-after"), QStringLiteral("5.5")},
                                 env, kRunLimitMs);
  ASSERT_TRUE(run.finished && run.normalExit && run.exitCode == 0) << run.describe();
  const auto lines = parseScreenLines(run.out);

  const auto silent = firstLineWith(lines, 0.0, {{"lamp", "yellow"}});
  ASSERT_TRUE(silent) << run.describe();
  EXPECT_LT(silent->seconds, kOnset) << "the silent state shows before the note";

  const auto tuned = firstLineWith(lines, 0.0, {{"lamp", "green"}});
  ASSERT_TRUE(tuned) << run.describe();
  EXPECT_EQ(tuned->field("freq"), "440.0Hz");
  EXPECT_EQ(tuned->field("note"), "A4");
  EXPECT_EQ(tuned->field("string"), "1");
  // The recording starts with capture, a moment before the window shows: allow that moment.
  EXPECT_GE(tuned->seconds, kOnset - 0.1) << run.describe();
  EXPECT_LE(tuned->seconds, kOnset + 0.5) << run.describe();

  const auto after = firstLineWith(lines, tuned->seconds, {{"lamp", "yellow"}});
  ASSERT_TRUE(after) << "the lamp never turned back to yellow\n" << run.describe();
  EXPECT_GE(after->seconds, kEnd - 0.1);
  EXPECT_LE(after->seconds, kEnd + 0.5);
  for (const ScreenLine& line : lines) {
    if (line.seconds > after->seconds) {
      EXPECT_NE(line.field("lamp"), "green") << "green again at " << line.seconds;
    }
  }
}

struct BadArguments {
  const char* name;
  QStringList arguments;
};

void PrintTo(const BadArguments& bad, std::ostream* out) { *out << bad.arguments.join(QLatin1Char(' ')).toStdString(); }

class RefusedCommandLine : public ::testing::TestWithParam<BadArguments> {};

TEST_P(RefusedCommandLine, GivenABadOptionThenItExitsWithStatusTwoAndOneLineOnStderrOnly) {
  SettingsFolder settings;
  QProcessEnvironment env = tunerEnvironment(settings, Display::Headless);
  env.remove(QStringLiteral("XDG_RUNTIME_DIR"));  // as in a bare session, where Qt warns about it on start-up
  const RunResult run = runTuner(GetParam().arguments, env, kRunLimitMs);
  ASSERT_TRUE(run.finished && run.normalExit) << run.describe();
  EXPECT_EQ(run.exitCode, 2) << run.describe();
  EXPECT_EQ(run.errLines().size(), 1) << run.describe();
  EXPECT_TRUE(run.out.isEmpty()) << run.describe();
  EXPECT_FALSE(QFile::exists(settings.defaultsFile())) << "nothing is written";
}

INSTANTIATE_TEST_SUITE_P(
    Options, RefusedCommandLine,
    ::testing::Values(BadArguments{"MissingInputFile", {QStringLiteral("--input"), QStringLiteral("/nonexistent.wav")}},
                      BadArguments{"UnknownDevice", {QStringLiteral("--device"), QStringLiteral("phone:123")}},
                      BadArguments{"UnknownLanguage", {QStringLiteral("--lang"), QStringLiteral("xx")}},
                      BadArguments{"UnknownOption", {QStringLiteral("--bogus")}},
                      BadArguments{"UnknownEstimator", {QStringLiteral("--estimator"), QStringLiteral("fast")}},
                      BadArguments{"EstimatorWithAnalyze",
                                   {QStringLiteral("--analyze"), QStringLiteral(BT_SOURCE_DIR "/resources/audio/demo.flac"),
                                    QStringLiteral("--estimator"), QStringLiteral("Precise")}},
                      BadArguments{"EstimatorWithoutValue", {QStringLiteral("--estimator")}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace balalaika::e2e
