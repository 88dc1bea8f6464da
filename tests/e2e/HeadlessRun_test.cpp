#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "e2e/Recordings.h"
#include "e2e/TunerProcess.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::e2e {
namespace {

constexpr int kRunLimitMs = 30000;

class HeadlessRun : public ::testing::Test {
 protected:
  std::vector<ScreenLine> run(const QString& file, const QString& quitAfter, const QStringList& extra = {}) {
    const RunResult result = runTuner(QStringList{QStringLiteral("--headless"), QStringLiteral("--input"), file,
                                                  QStringLiteral("--quit-after"), quitAfter} + extra,
                                      env, kRunLimitMs);
    EXPECT_TRUE(result.finished && result.normalExit && result.exitCode == 0) << result.describe();
    return parseScreenLines(result.out);
  }
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

  const auto lines = run(file, QStringLiteral("5.5"));

  const auto silent = firstLineWith(lines, 0.0, {{"lamp", "yellow"}});
  ASSERT_TRUE(silent);
  EXPECT_LT(silent->seconds, kOnset) << "the silent state shows before the note";

  const auto tuned = firstLineWith(lines, 0.0, {{"lamp", "green"}});
  ASSERT_TRUE(tuned);
  EXPECT_EQ(tuned->field("freq"), "440.0Hz");
  EXPECT_EQ(tuned->field("note"), "A4");
  EXPECT_EQ(tuned->field("string"), "1");
  // The recording starts with capture, a moment before the window shows: allow that moment.
  EXPECT_GE(tuned->seconds, kOnset - 0.1);
  EXPECT_LE(tuned->seconds, kOnset + 0.5);

  const auto after = firstLineWith(lines, tuned->seconds, {{"lamp", "yellow"}});
  ASSERT_TRUE(after) << "the lamp never turned back to yellow";
  EXPECT_GE(after->seconds, kEnd - 0.1);
  EXPECT_LE(after->seconds, kEnd + 0.5);
  for (const ScreenLine& line : lines) {
    if (line.seconds > after->seconds) {
      EXPECT_NE(line.field("lamp"), "green") << "green again at " << line.seconds;
    }
  }
}

// A returning player who chose the precise estimate, and a pure A4 (the tuner's own reference
// tone heard through the microphone), which the default estimate reads an octave low.
TEST_F(HeadlessRun, GivenTheStoredPreciseEstimateThenASineReadsItsOwnPitchAndTheCommandLineCanOverrideIt) {
  {
    qt::QtUserDefaults store(settings.defaultsFile());
    store.setBool("NewFirstLaunchVADovoduved", true);
    store.setBool("preciseEstimator", true);
    ASSERT_TRUE(store.synchronize());
  }
  synth::Score score;
  score.seconds = 3.0;
  synth::Pluck sine = heldPluck(440.0, 0.5, 2.0);
  sine.partials = 1;
  score.plucks = {sine};
  const QString file = writeRecording(audio.path(), QStringLiteral("sine.wav"), score);
  ASSERT_FALSE(file.isEmpty());

  const auto tuned = firstLineWith(run(file, QStringLiteral("2.5")), 0.0, {{"lamp", "green"}});
  ASSERT_TRUE(tuned) << "the stored precise estimate never turned the lamp green";
  EXPECT_EQ(tuned->field("freq"), "440.0Hz");
  EXPECT_EQ(tuned->field("note"), "A4");
  const auto overridden = run(file, QStringLiteral("2.5"), {QStringLiteral("--estimator"), QStringLiteral("default")});
  EXPECT_FALSE(firstLineWith(overridden, 0.0, {{"lamp", "green"}})) << "the default estimate read the sine as A4";
  EXPECT_EQ(qt::QtUserDefaults(settings.defaultsFile()).boolForKey("preciseEstimator"), true)
      << "the command line does not change the stored choice";
}

// Lines of a run's stderr holding a developer text, printed with a category or any other way.
int developerLinesIn(const RunResult& run) {
  const char* const texts[] = {"has a height of:", "AudioQueueSetProperty", "Sound detection started", "Ya se abrió",
                               "Me abriste"};
  int found = 0;
  for (const QString& line : run.errLines()) {
    for (const char* text : texts) found += line.contains(QString::fromUtf8(text)) ? 1 : 0;
  }
  return found;
}

// A default run is quiet, --verbose prints the developer lines with their categories, and
// QT_LOGGING_RULES has the last word over --verbose.
TEST_F(HeadlessRun, GivenADefaultRunThenStderrHoldsNoDeveloperLineAndVerbosePrintsThemUnlessTheRulesSayNo) {
  env.remove(QStringLiteral("QT_LOGGING_RULES"));
  const auto launch = [&](const QStringList& extra) {
    const RunResult result =
        runTuner(QStringList{QStringLiteral("--headless"), QStringLiteral("--quit-after"), QStringLiteral("1.5")} + extra,
                 env, kRunLimitMs);
    EXPECT_TRUE(result.finished && result.normalExit && result.exitCode == 0) << result.describe();
    return result;
  };
  const RunResult quiet = launch({});
  EXPECT_EQ(developerLinesIn(quiet), 0) << quiet.describe();

  const RunResult verbose = launch({QStringLiteral("--verbose")});
  const QStringList lines = verbose.errLines();
  for (const char* line : {"balalaika.layout: iPhone has a height of: 844.000000",
                           "balalaika.audio: Demo mode OFF, Sound detection started...", "balalaika.app: Ya se abrió antes"}) {
    EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\n" << verbose.describe();
  }

  env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("balalaika.*.debug=false"));
  const RunResult silenced = launch({QStringLiteral("--verbose")});
  EXPECT_EQ(developerLinesIn(silenced), 0) << silenced.describe();
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
