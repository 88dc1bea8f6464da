#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::testing {
namespace {

using qt::QtUserDefaults;

// Every test gets a fresh, empty config home.
class QtUserDefaultsTest : public ::testing::Test {
 protected:
  QtUserDefaultsTest() { qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit()); }
  ~QtUserDefaultsTest() override { qputenv("XDG_CONFIG_HOME", previousConfigHome_); }

  QString file() const { return QtUserDefaults::defaultFilePath(); }
  void writeRaw(const QByteArray& bytes, const QString& suffix = {}) const {
    QFile f(file() + suffix);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(f).absolutePath()) && f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }

  QTemporaryDir configHome_;
  QByteArray previousConfigHome_ = qgetenv("XDG_CONFIG_HOME");
};

TEST_F(QtUserDefaultsTest, GivenValuesWrittenByAnotherProcess_ThenEachKeepsItsValueAndAnotherTypeReadsAsAbsent) {
  ASSERT_TRUE(file().startsWith(configHome_.path() + u'/')) << file().toStdString();
  QProcess child;
  startChild(child, file());
  ASSERT_TRUE(child.waitForFinished(30000) && child.exitCode() == 0);

  const QtUserDefaults d(file());
  EXPECT_TRUE(d.boolForKey("flag") == true && d.integerForKey("most") == INT64_MAX &&
              d.integerForKey("least") == INT64_MIN && d.doubleForKey("tenth") == 0.1);
  EXPECT_EQ(d.stringForKey("text"), kTrickyText);
  EXPECT_FALSE(d.boolForKey("most") || d.integerForKey("tenth") || d.stringForKey("flag")) << "another type";
}

// Damaged while in use: what was only in the damaged file is lost, the file is set aside, and
// what this process stores since is kept.
TEST_F(QtUserDefaultsTest, GivenAHandEditedOrCorruptFile_ThenItReadsAsAbsentIsSetAsideAndNewValuesAreStored) {
  QtUserDefaults defaults(file());
  defaults.setInteger("numberOfRuns", 2);
  ASSERT_TRUE(defaults.synchronize());
  static const char raw[] = "\xff\xfe[\x00=\x01\n[unbalanced\ncounter=i:5\n";
  writeRaw(QByteArray(raw, sizeof raw - 1).repeated(500));
  defaults.setBool("flag", true);
  EXPECT_TRUE(defaults.synchronize());
  EXPECT_TRUE(QFile::exists(file() + ".corrupt"));
  const QtUserDefaults reread(file());
  EXPECT_EQ(reread.boolForKey("flag"), true);
  EXPECT_FALSE(reread.integerForKey("numberOfRuns") || reread.integerForKey("counter"));

  writeRaw("[General]\ncount=42\nlist=a, b\n");  // hand-edited: untyped values and lists read as absent
  const QtUserDefaults edited(file());
  EXPECT_FALSE(edited.integerForKey("count") || edited.stringForKey("list"));
}

// A writer killed between creating the settings lock and writing its name into it leaves an
// empty lock; QSettings alone would wait until the lock is 30 s old before taking it for stale.
TEST_F(QtUserDefaultsTest, GivenAnEmptyLockLeftByAKilledWriter_ThenTheNextWriteDoesNotWaitForIt) {
  writeRaw("", QStringLiteral(".lock"));
  QtUserDefaults defaults(file());
  defaults.setInteger("numberOfRuns", 3);
  auto written = std::async(std::launch::async, [&] { return defaults.synchronize(); });
  ASSERT_EQ(written.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the write waits for the lock";
  EXPECT_TRUE(written.get());
  EXPECT_EQ(QtUserDefaults(file()).integerForKey("numberOfRuns"), 3);
}

TEST_F(QtUserDefaultsTest, GivenThreadsCountingWhileTheMainThreadFlushesAndRunsEvents_ThenNothingIsLost) {
  QtUserDefaults defaults(file());
  constexpr int kThreads = 4, kRounds = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&defaults, key = "count" + std::to_string(t)] {
      for (int i = 0; i < kRounds; ++i) defaults.setInteger(key, defaults.integerForKey(key).value_or(0) + 1);
    });
  }
  for (int i = 0; i < 20; ++i) {
    defaults.synchronize();
    QCoreApplication::processEvents();
  }
  for (auto& th : threads) th.join();
  ASSERT_TRUE(defaults.synchronize());
  const QtUserDefaults reread(file());
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(reread.integerForKey("count" + std::to_string(t)), kRounds);
}

}  // namespace
}  // namespace balalaika::testing
