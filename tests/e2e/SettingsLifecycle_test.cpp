#include <gtest/gtest.h>

#include <QFile>
#include <QThread>
#include <csignal>

#include "e2e/TunerProcess.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::e2e {
namespace {

constexpr int kRunLimitMs = 30000;
constexpr const char* kRunsKey = "numberOfRuns";
constexpr const char* kFirstLaunchKey = "NewFirstLaunchVADovoduved";
// Developer lines, as Qt prints them with their category; the runs turn them on with --verbose.
constexpr const char* kFirstLaunchLine =
    "balalaika.app: Me abriste por primera vez, voy a borrar los defaults y guardar 440 en NSDictionary y como "
    "valores de a4InHz y globalFrequency";
constexpr const char* kReturningLine = "balalaika.app: Ya se abrió antes";

const QStringList kShortRun{QStringLiteral("--headless"), QStringLiteral("--quit-after"), QStringLiteral("1.5"),
                            QStringLiteral("--verbose")};

// A short headless run on the microphone (or the bundled demo recording when there is none).
RunResult launch(const SettingsFolder& settings, int limitMs = kRunLimitMs) {
  return runTuner(kShortRun, tunerEnvironment(settings, Display::Headless), limitMs);
}

// What a store holds after a run, read as the application reads it.
struct StoredState {
  std::optional<std::int64_t> runs;
  std::optional<bool> firstLaunchDone;
  std::optional<std::string> trackedVersion;
  std::optional<std::int64_t> useCount;
  std::optional<double> firstUseDate;
};

StoredState readStore(const SettingsFolder& settings) {
  qt::QtUserDefaults store(settings.defaultsFile());
  return {store.integerForKey(kRunsKey), store.boolForKey(kFirstLaunchKey),
          store.stringForKey("kRatingPromptCurrentVersion"), store.integerForKey("kRatingPromptUseCount"),
          store.doubleForKey("kRatingPromptFirstUseDate")};
}

// The rating prompt's keys are written together: a tracked version comes with a counted use and
// a first-use date; without a tracked version there is no count either.
void expectConsistentRatingKeys(const StoredState& state) {
  if (state.trackedVersion) {
    EXPECT_FALSE(state.trackedVersion->empty());
    ASSERT_TRUE(state.useCount.has_value()) << "a tracked version without a use count";
    EXPECT_GE(*state.useCount, 1);
    ASSERT_TRUE(state.firstUseDate.has_value()) << "a tracked version without a first-use date";
    EXPECT_GT(*state.firstUseDate, 1.0e9);
  } else {
    EXPECT_FALSE(state.useCount.has_value()) << "a use count without a tracked version";
  }
}

// An unreadable store counts as a first launch; the next launch finds the store it left.
TEST(SettingsLifecycle, GivenASettingsFileOfGarbageBytesWhenLaunchedTwiceThenRunsCountOneThenTwoWithTheirLogLines) {
  SettingsFolder settings;
  ASSERT_TRUE(QDir().mkpath(QFileInfo(settings.defaultsFile()).path()));
  QFile garbage(settings.defaultsFile());
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  QByteArray bytes;
  for (int i = 0; i < 4096; ++i) bytes.append(static_cast<char>((i * 7919 + 13) % 256));
  bytes.insert(100, "[General]\nnumberOfRuns=i:\xff\xfe\n[[[\n=\n");
  garbage.write(bytes);
  garbage.close();

  const RunResult first = launch(settings);
  ASSERT_TRUE(first.finished && first.normalExit && first.exitCode == 0) << first.describe();
  EXPECT_TRUE(first.errLines().contains(QString::fromUtf8(kFirstLaunchLine))) << first.describe();
  EXPECT_FALSE(first.errLines().contains(QString::fromUtf8(kReturningLine))) << first.describe();
  StoredState state = readStore(settings);
  EXPECT_EQ(state.runs, 1);
  EXPECT_EQ(state.firstLaunchDone, true);

  const RunResult second = launch(settings);
  ASSERT_TRUE(second.finished && second.normalExit && second.exitCode == 0) << second.describe();
  EXPECT_TRUE(second.errLines().contains(QString::fromUtf8(kReturningLine))) << second.describe();
  EXPECT_FALSE(second.errLines().contains(QString::fromUtf8(kFirstLaunchLine))) << second.describe();
  state = readStore(settings);
  EXPECT_EQ(state.runs, 2);
  expectConsistentRatingKeys(state);
}

TEST(SettingsLifecycle, GivenRunsKilledAtDifferentMomentsThenTheStoreStaysReadableAndComplete) {
  SettingsFolder settings;
  const RunResult first = launch(settings);
  ASSERT_TRUE(first.finished && first.normalExit && first.exitCode == 0) << first.describe();
  std::int64_t runs = readStore(settings).runs.value_or(0);
  ASSERT_EQ(runs, 1);

  // From before the window shows to well into the run, while the rating prompt counts and writes.
  for (int delayMs : {30, 120, 250, 400, 600, 900, 1300}) {
    SCOPED_TRACE("killed after " + std::to_string(delayMs) + " ms");
    QProcess process;
    ASSERT_TRUE(startTuner(process, {QStringLiteral("--headless")}, tunerEnvironment(settings, Display::Headless)));
    QThread::msleep(static_cast<unsigned long>(delayMs));
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    const RunResult killed = finishTuner(process, 10000);
    ASSERT_FALSE(killed.normalExit) << killed.describe();

    const StoredState state = readStore(settings);
    ASSERT_TRUE(state.runs.has_value()) << "numberOfRuns lost";
    EXPECT_TRUE(*state.runs == runs || *state.runs == runs + 1) << *state.runs << " after " << runs;
    runs = *state.runs;
    EXPECT_EQ(state.firstLaunchDone, true);
    expectConsistentRatingKeys(state);
  }
  const RunResult last = launch(settings);
  ASSERT_TRUE(last.finished && last.normalExit && last.exitCode == 0) << last.describe();
  EXPECT_EQ(readStore(settings).runs, runs + 1);
}

}  // namespace
}  // namespace balalaika::e2e
