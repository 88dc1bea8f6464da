#include <gtest/gtest.h>

#include <QFile>
#include <QThread>
#include <csignal>

#include "e2e/TunerProcess.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::e2e {
namespace {

constexpr const char* kFirstLaunch = "balalaika.app: Me abriste por primera vez";
constexpr const char* kReturning = "balalaika.app: Ya se abrió antes";

// A short verbose headless run on the microphone (or the bundled demo recording).
RunResult launch(const SettingsFolder& settings) {
  const RunResult run = runTuner({QStringLiteral("--headless"), QStringLiteral("--quit-after"), QStringLiteral("1.5"),
                                  QStringLiteral("--verbose")},
                                 tunerEnvironment(settings, Display::Headless));
  EXPECT_TRUE(run.ok()) << run.describe();
  return run;
}

// The store's run count (-1 when absent), checking that the first launch is done and the rating
// prompt's keys come together: a tracked version with a counted use and a first-use date.
std::int64_t checkedRuns(const SettingsFolder& settings) {
  qt::QtUserDefaults store(settings.defaultsFile());
  EXPECT_EQ(store.boolForKey("NewFirstLaunchVADovoduved"), true);
  const auto version = store.stringForKey("kRatingPromptCurrentVersion");
  const auto uses = store.integerForKey("kRatingPromptUseCount");
  EXPECT_EQ(version.has_value(), uses.has_value());
  EXPECT_TRUE(!version || (!version->empty() && uses.value_or(0) >= 1 &&
                           store.doubleForKey("kRatingPromptFirstUseDate").value_or(0.0) > 1.0e9));
  return store.integerForKey("numberOfRuns").value_or(-1);
}

// An unreadable store counts as a first launch. Runs killed with SIGKILL from before the window
// shows to well into the run, while the rating prompt counts and writes, leave the store readable
// and complete; the next launch finds it and counts on.
TEST(SettingsLifecycle, GivenAGarbageStoreAndRunsKilledAtDifferentMomentsThenTheStoreStaysReadableAndComplete) {
  SettingsFolder settings;
  QFile garbage(settings.defaultsFile());
  ASSERT_TRUE(QDir().mkpath(QFileInfo(garbage).path()) && garbage.open(QIODevice::WriteOnly));
  QByteArray bytes(4096, '\0');
  for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7919 + 13) % 256);
  garbage.write(bytes.insert(100, "[General]\nnumberOfRuns=i:\xff\xfe\n[[[\n=\n"));
  garbage.close();

  const RunResult first = launch(settings);
  EXPECT_TRUE(first.err.contains(kFirstLaunch) && !first.err.contains(kReturning)) << first.describe();
  std::int64_t runs = checkedRuns(settings);
  ASSERT_EQ(runs, 1);
  for (int delayMs : {30, 120, 250, 400, 600, 900, 1300}) {
    SCOPED_TRACE("killed after " + std::to_string(delayMs) + " ms");
    QProcess process;
    ASSERT_TRUE(startTuner(process, {QStringLiteral("--headless")}, tunerEnvironment(settings, Display::Headless)));
    QThread::msleep(static_cast<unsigned long>(delayMs));
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    ASSERT_FALSE(finishTuner(process, 10000).normalExit);
    const std::int64_t now = checkedRuns(settings);
    ASSERT_TRUE(now == runs || now == runs + 1) << now << " after " << runs << " (-1: numberOfRuns lost)";
    runs = now;
  }
  const RunResult last = launch(settings);
  EXPECT_TRUE(last.err.contains(kReturning) && !last.err.contains(kFirstLaunch)) << last.describe();
  EXPECT_EQ(checkedRuns(settings), runs + 1);
}

}  // namespace
}  // namespace balalaika::e2e
