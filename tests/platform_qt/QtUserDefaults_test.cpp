#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <random>
#include <thread>

#include "QtTestChild.h"
#include "platform/qt/QtUserDefaults.h"

namespace balalaika::testing {
namespace {

using qt::QtUserDefaults;

// Every test gets a fresh, empty config home.
class QtUserDefaultsTest : public ::testing::Test {
 protected:
  QtUserDefaultsTest() {
    previousConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
  }
  ~QtUserDefaultsTest() override { qputenv("XDG_CONFIG_HOME", previousConfigHome_); }

  QString file() const { return QtUserDefaults::defaultFilePath(); }

  void writeRaw(const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(file()).absolutePath());
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }

  QTemporaryDir configHome_;
  QByteArray previousConfigHome_;
};

TEST_F(QtUserDefaultsTest, GivenValuesWrittenByAnotherProcess_WhenReadHere_ThenEachKeepsItsValueAndType) {
  ASSERT_TRUE(file().startsWith(configHome_.path() + u'/')) << file().toStdString();
  QProcess child;
  startChild(child, "write", file());
  ASSERT_TRUE(child.waitForFinished(30000));
  ASSERT_EQ(child.exitCode(), 0);

  const QtUserDefaults defaults(file());
  EXPECT_EQ(defaults.boolForKey("flag"), true);
  EXPECT_EQ(defaults.integerForKey("most"), INT64_MAX);
  EXPECT_EQ(defaults.integerForKey("least"), INT64_MIN);
  EXPECT_EQ(defaults.doubleForKey("tenth"), 0.1);
  EXPECT_EQ(defaults.doubleForKey("when"), 1700000000.25);
  EXPECT_EQ(defaults.stringForKey("text"), kTrickyText);
  EXPECT_EQ(defaults.stringForKey("gone"), std::nullopt);
  // A value of another type reads as absent.
  EXPECT_EQ(defaults.boolForKey("most"), std::nullopt);
  EXPECT_EQ(defaults.doubleForKey("most"), std::nullopt);
  EXPECT_EQ(defaults.integerForKey("tenth"), std::nullopt);
  EXPECT_EQ(defaults.stringForKey("flag"), std::nullopt);
  EXPECT_EQ(defaults.integerForKey("text"), std::nullopt);
}

TEST_F(QtUserDefaultsTest, GivenAHandEditedFile_ThenUntypedOrMalformedValuesReadAsAbsent) {
  writeRaw("[General]\ncount=42\nflag=true\nlist=a, b\nbadInt=i:12x\nbadDouble=d:abc\nbadBool=b:yes\n"
           "empty=\ngood=i:7\n");
  const QtUserDefaults defaults(file());
  EXPECT_EQ(defaults.integerForKey("count"), std::nullopt);
  EXPECT_EQ(defaults.boolForKey("flag"), std::nullopt);
  EXPECT_EQ(defaults.stringForKey("list"), std::nullopt);
  EXPECT_EQ(defaults.integerForKey("badInt"), std::nullopt);
  EXPECT_EQ(defaults.doubleForKey("badDouble"), std::nullopt);
  EXPECT_EQ(defaults.boolForKey("badBool"), std::nullopt);
  EXPECT_EQ(defaults.stringForKey("empty"), std::nullopt);
  EXPECT_EQ(defaults.integerForKey("good"), 7);
}

TEST_F(QtUserDefaultsTest, GivenACorruptFile_ThenEverythingReadsAsAbsentAndNewValuesAreStored) {
  std::mt19937 random(12345);
  QByteArray garbage;
  for (int i = 0; i < 20000; ++i) garbage.append(static_cast<char>(random() & 0xff));
  garbage.append("\n[unbalanced\ncounter=i:5\n\xff\xfe=\x00\x01", 27);
  writeRaw(garbage);

  {
    QtUserDefaults defaults(file());
    EXPECT_EQ(defaults.stringForKey("text"), std::nullopt);
    EXPECT_EQ(defaults.boolForKey("flag"), std::nullopt);
    defaults.setInteger("fresh", 3);
    EXPECT_TRUE(defaults.synchronize());
  }
  const QtUserDefaults reread(file());
  EXPECT_EQ(reread.integerForKey("fresh"), 3);
}

// What was only in the damaged file is lost; what this process changed since is kept.
TEST_F(QtUserDefaultsTest, GivenAFileDamagedWhileInUse_WhenFlushing_ThenThePendingChangesReplaceIt) {
  QtUserDefaults defaults(file());
  defaults.setInteger("numberOfRuns", 2);
  ASSERT_TRUE(defaults.synchronize());
  writeRaw(QByteArray("\xff\xfe[\x00=\x01\n", 8).repeated(500));
  defaults.setBool("flag", true);
  EXPECT_TRUE(defaults.synchronize());

  const QtUserDefaults reread(file());
  EXPECT_EQ(reread.boolForKey("flag"), true);
  EXPECT_EQ(reread.integerForKey("numberOfRuns"), std::nullopt);
  EXPECT_TRUE(QFile::exists(file() + ".corrupt"));
}

TEST_F(QtUserDefaultsTest, GivenStoredValues_WhenTheDomainIsCleared_ThenNothingRemainsOnDisk) {
  {
    QtUserDefaults defaults(file());
    defaults.setBool("NewFirstLaunchVADovoduved", true);
    defaults.setInteger("numberOfRuns", 4);
    ASSERT_TRUE(defaults.synchronize());
    defaults.clearPersistentDomain();
    defaults.setInteger("numberOfRuns", 1);
    ASSERT_TRUE(defaults.synchronize());
  }
  const QtUserDefaults reread(file());
  EXPECT_EQ(reread.boolForKey("NewFirstLaunchVADovoduved"), std::nullopt);
  EXPECT_EQ(reread.integerForKey("numberOfRuns"), 1);
}

TEST_F(QtUserDefaultsTest, GivenAWriterKilledInTheMiddleOfWriting_ThenTheFileIsAlwaysWholeAndReadable) {
  for (int delayMs : {30, 90, 170}) {
    QProcess child;
    startChild(child, "hammer", file());
    ASSERT_TRUE(child.waitForReadyRead(30000));
    QThread::msleep(static_cast<unsigned long>(delayMs));
    child.kill();  // SIGKILL
    ASSERT_TRUE(child.waitForFinished(30000));

    const QtUserDefaults defaults(file());
    const auto counter = defaults.integerForKey("counter");
    const auto payload = defaults.stringForKey("payload");
    ASSERT_TRUE(counter.has_value()) << "after " << delayMs << " ms";
    ASSERT_TRUE(payload.has_value());
    // Counter and payload come from the same flush.
    EXPECT_EQ(*payload, std::string(4096 + static_cast<std::size_t>(*counter % 977), 'x') + std::to_string(*counter));
  }
}

TEST_F(QtUserDefaultsTest, GivenManyThreads_WhenEachCountsItsOwnKey_ThenEveryOperationIsAtomicAndNothingIsLost) {
  QtUserDefaults defaults(file());
  constexpr int kThreads = 4;
  constexpr int kRounds = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&defaults, t] {
      const std::string key = "count" + std::to_string(t);
      for (int i = 0; i < kRounds; ++i) {
        defaults.setInteger(key, defaults.integerForKey(key).value_or(0) + 1);
        defaults.setString("shared", key);
      }
    });
  }
  // The main thread meanwhile flushes and lets the event loop run.
  for (int i = 0; i < 20; ++i) {
    defaults.synchronize();
    QCoreApplication::processEvents();
  }
  for (auto& th : threads) th.join();
  ASSERT_TRUE(defaults.synchronize());

  const QtUserDefaults reread(file());
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(reread.integerForKey("count" + std::to_string(t)), kRounds);
  EXPECT_TRUE(reread.stringForKey("shared").has_value());
}

}  // namespace
}  // namespace balalaika::testing
