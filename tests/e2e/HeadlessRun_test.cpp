#include <gtest/gtest.h>

#include <QFile>

#include "e2e/TunerProcess.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::e2e {
namespace {

class HeadlessRun : public ::testing::Test {
 protected:
  RunResult launch(const QStringList& arguments) {
    const RunResult result = runTuner(QStringList{QStringLiteral("--headless")} + arguments, env);
    EXPECT_TRUE(result.ok()) << result.describe();
    return result;
  }
  std::vector<ScreenLine> run(const QString& file, const QString& quitAfter, const QStringList& extra = {}) {
    return parseScreenLines(
        launch(QStringList{QStringLiteral("--input"), file, QStringLiteral("--quit-after"), quitAfter} + extra).out);
  }
  QString recording(const char* name, std::vector<synth::Pluck> plucks, double seconds) {
    const QString file =
        writeRecording(audio.path(), QString::fromLatin1(name), {.seconds = seconds, .plucks = std::move(plucks)});
    EXPECT_FALSE(file.isEmpty());
    return file;
  }
  SettingsFolder settings;
  QTemporaryDir audio;
  QProcessEnvironment env = tunerEnvironment(settings, Display::Headless);
};

// Silence, an A4 in tune from 1.5 s to 3.5 s, silence: green within half a second, yellow after.
TEST_F(HeadlessRun, GivenARecordingOfOneInTuneA4ThenTheLampTurnsGreenWithinHalfASecondAndYellowAfterIt) {
  constexpr double kOnset = 1.5, kEnd = 3.5;
  const auto lines = run(recording("a4.wav", {heldPluck(440.0, kOnset, kEnd - kOnset)}, 6.0), QStringLiteral("5.5"));

  const auto silent = firstLineWith(lines, 0.0, {{"lamp", "yellow"}});
  ASSERT_TRUE(silent);
  EXPECT_LT(silent->seconds, kOnset);
  const auto tuned = firstLineWith(lines, 0.0, {{"lamp", "green"}, {"freq", "440.0Hz"}, {"note", "A4"}, {"string", "1"}});
  ASSERT_TRUE(tuned);
  // Capture starts a moment before the window shows: allow that moment.
  EXPECT_GE(tuned->seconds, kOnset - 0.1);
  EXPECT_LE(tuned->seconds, kOnset + 0.5);
  const auto after = firstLineWith(lines, tuned->seconds, {{"lamp", "yellow"}});
  ASSERT_TRUE(after) << "never yellow again";
  EXPECT_GE(after->seconds, kEnd - 0.1);
  EXPECT_LE(after->seconds, kEnd + 0.5);
  EXPECT_FALSE(firstLineWith(lines, after->seconds + 0.01, {{"lamp", "green"}})) << "green again";
}

// A returning player who chose the precise estimate hears a pure A4 (which the default estimate
// reads an octave low) as A4; --estimator overrides the stored choice without changing it.
TEST_F(HeadlessRun, GivenTheStoredPreciseEstimateThenASineReadsItsOwnPitchAndTheCommandLineCanOverrideIt) {
  {
    qt::QtUserDefaults store(settings.defaultsFile());
    store.setBool("NewFirstLaunchVADovoduved", true);
    store.setBool("preciseEstimator", true);
    ASSERT_TRUE(store.synchronize());
  }
  const QString file = recording(
      "sine.wav", {{.hertz = 440.0, .startSeconds = 0.5, .durationSeconds = 2.0, .partials = 1, .decaySeconds = 4.0}}, 3.0);
  EXPECT_TRUE(firstLineWith(run(file, QStringLiteral("2.5")), 0.0, {{"lamp", "green"}, {"note", "A4"}}));
  const QStringList byDefault{QStringLiteral("--estimator"), QStringLiteral("default")};
  EXPECT_FALSE(firstLineWith(run(file, QStringLiteral("2.5"), byDefault), 0.0, {{"lamp", "green"}}));
  EXPECT_EQ(qt::QtUserDefaults(settings.defaultsFile()).boolForKey("preciseEstimator"), true);
}

// A default run is quiet; --verbose prints the developer lines with their categories.
TEST_F(HeadlessRun, GivenADefaultRunThenStderrHoldsNoDeveloperLineAndVerbosePrintsThem) {
  env.remove(QStringLiteral("QT_LOGGING_RULES"));
  const QStringList shortRun{QStringLiteral("--quit-after"), QStringLiteral("1.5")};
  const RunResult quiet = launch(shortRun);
  for (const char* text : {"has a height of:", "AudioQueueSetProperty", "Sound detection started", "Me abriste"}) {
    EXPECT_FALSE(quiet.err.contains(text)) << quiet.describe();
  }
  const RunResult verbose = launch(shortRun + QStringList{QStringLiteral("--verbose")});
  for (const char* line : {"balalaika.layout: iPhone has a height of: 844.000000",
                           "balalaika.audio: Demo mode OFF, Sound detection started...", "balalaika.app: Ya se abrió antes"}) {
    EXPECT_TRUE(verbose.errLines().contains(QString::fromUtf8(line))) << line << "\n" << verbose.describe();
  }
}

// With no audio server at all, a run on a recording prints nothing on stderr, and a run that
// wanted the microphone prints only the tuner's own line about the demo recording.
TEST_F(HeadlessRun, GivenNoAudioServerThenStderrHoldsOnlyTheTunersOwnLine) {
  env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + audio.path() + QStringLiteral("/no-server"));
  const QStringList shortRun{QStringLiteral("--quit-after"), QStringLiteral("0.5")};
  const RunResult onFile = launch(shortRun + QStringList{QStringLiteral("--input"),
                                                         recording("a4.wav", {heldPluck(440.0, 0.1, 0.5)}, 1.0)});
  EXPECT_EQ(onFile.err, QByteArray()) << onFile.describe();
  const RunResult onDemo = launch(shortRun);
  ASSERT_EQ(onDemo.errLines().size(), 1) << onDemo.describe();
  EXPECT_TRUE(onDemo.errLines().front().startsWith(QStringLiteral("No microphone found: listening to the bundled demo")))
      << onDemo.describe();
}

// A bad option: status 2, one line on stderr, nothing on stdout, nothing written.
TEST(RefusedCommandLine, GivenABadOptionThenItExitsWithStatusTwoAndOneLineOnStderrOnly) {
  const QString demo = QStringLiteral(BT_SOURCE_DIR "/resources/audio/demo.flac");
  for (const QString& bad : {QStringLiteral("--input /nonexistent.wav"), QStringLiteral("--device phone:123"),
                             QStringLiteral("--lang xx"), QStringLiteral("--bogus"), QStringLiteral("--estimator fast"),
                             QStringLiteral("--analyze ") + demo + QStringLiteral(" --estimator Precise"),
                             QStringLiteral("--estimator")}) {
    SCOPED_TRACE(bad.toStdString());
    SettingsFolder settings;
    QProcessEnvironment env = tunerEnvironment(settings, Display::Headless);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));  // as in a bare session, where Qt warns on start-up
    const RunResult run = runTuner(bad.split(QLatin1Char(' ')), env);
    EXPECT_TRUE(run.finished && run.normalExit && run.exitCode == 2) << run.describe();
    EXPECT_TRUE(run.errLines().size() == 1 && run.out.isEmpty()) << run.describe();
    EXPECT_FALSE(QFile::exists(settings.defaultsFile()));
  }
}

// The launcher copied away from its window program: a run that wants a window ends with one line
// and status 1 instead of starting anything else (or itself again).
TEST(WindowHandOver, GivenNoWindowProgramBesideTheLauncherThenAWindowRunSaysSoAndExitsWithStatusOne) {
  QTemporaryDir folder;
  const QString launcher = folder.path() + QStringLiteral("/balalaika-tuner");
  ASSERT_TRUE(QFile::copy(QStringLiteral(BT_TUNER_BINARY), launcher));
  SettingsFolder settings;
  QProcess process;
  process.setProcessEnvironment(tunerEnvironment(settings, Display::Offscreen));
  process.start(launcher, {QStringLiteral("--quit-after"), QStringLiteral("2")});
  const RunResult run = finishTuner(process, 30000);
  EXPECT_TRUE(run.finished && run.normalExit && run.exitCode == 1) << run.describe();
  ASSERT_EQ(run.errLines().size(), 1) << run.describe();
  EXPECT_TRUE(run.errLines().front().contains(QStringLiteral("balalaika-tuner-window"))) << run.describe();
}

}  // namespace
}  // namespace balalaika::e2e
