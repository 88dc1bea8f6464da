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
RunResult launch(const SettingsFolder& settings) {
  return runTuner(kShortRun, tunerEnvironment(settings, Display::Headless), kRunLimitMs);
}

// The store as the application reads it after a run: its run count (-1 when absent), with the
// first launch done and the rating prompt's keys written together (a tracked version comes with a
// counted use and a first-use date; without one there is no count either).
std::int64_t checkedRuns(const SettingsFolder& settings) {
  qt::QtUserDefaults store(settings.defaultsFile());
  EXPECT_EQ(store.boolForKey(kFirstLaunchKey), true);
  const auto version = store.stringForKey("kRatingPromptCurrentVersion");
  const auto uses = store.integerForKey("kRatingPromptUseCount");
  EXPECT_EQ(version.has_value(), uses.has_value()) << "a tracked version without a use count or the reverse";
  if (version) {
    EXPECT_FALSE(version->empty());
    EXPECT_GE(uses.value_or(0), 1);
    EXPECT_GT(store.doubleForKey("kRatingPromptFirstUseDate").value_or(0.0), 1.0e9) << "no first-use date";
  }
  return store.integerForKey(kRunsKey).value_or(-1);
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
  EXPECT_EQ(checkedRuns(settings), 1);

  const RunResult second = launch(settings);
  ASSERT_TRUE(second.finished && second.normalExit && second.exitCode == 0) << second.describe();
  EXPECT_TRUE(second.errLines().contains(QString::fromUtf8(kReturningLine))) << second.describe();
  EXPECT_FALSE(second.errLines().contains(QString::fromUtf8(kFirstLaunchLine))) << second.describe();
  EXPECT_EQ(checkedRuns(settings), 2);
}

TEST(SettingsLifecycle, GivenRunsKilledAtDifferentMomentsThenTheStoreStaysReadableAndComplete) {
  SettingsFolder settings;
  const RunResult first = launch(settings);
  ASSERT_TRUE(first.finished && first.normalExit && first.exitCode == 0) << first.describe();
  std::int64_t runs = checkedRuns(settings);
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

    const std::int64_t now = checkedRuns(settings);
    ASSERT_TRUE(now == runs || now == runs + 1) << now << " after " << runs << " (-1: numberOfRuns lost)";
    runs = now;
  }
  const RunResult last = launch(settings);
  ASSERT_TRUE(last.finished && last.normalExit && last.exitCode == 0) << last.describe();
  EXPECT_EQ(checkedRuns(settings), runs + 1);
}

}  // namespace
}  // namespace balalaika::e2e
