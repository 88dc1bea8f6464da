#include <gtest/gtest.h>

#include "e2e/TunerProcess.h"

namespace balalaika::e2e {
namespace {

constexpr int kRunLimitMs = 30000;

// The developer lines of a start-up, as Qt prints them (category, then the line), and how many
// times each comes: the layout selection logs the phone's height once per layout group.
struct DeveloperLine {
  const char* text;
  int times;
};
const DeveloperLine kStartupLines[] = {
    {"balalaika.layout: iPhone has a height of: 844.000000", 5},
    {"balalaika.audio: AudioQueueSetProperty error: 0", 1},
    {"balalaika.audio: Demo mode OFF, Sound detection started...", 1},
};
constexpr const char* kReturningLine = "balalaika.app: Ya se abrió antes";

// Lines of the run's stderr holding a developer text, printed with a category or any other way.
int developerLinesIn(const RunResult& run) {
  const char* const texts[] = {"has a height of:", "AudioQueueSetProperty", "Sound detection started", "Ya se abrió",
                               "Me abriste"};
  int found = 0;
  for (const QString& line : run.errLines()) {
    for (const char* text : texts) found += line.contains(QString::fromUtf8(text)) ? 1 : 0;
  }
  return found;
}

class ConsoleLog : public ::testing::Test {
 protected:
  RunResult run(const QStringList& extra, const QProcessEnvironment& environment) {
    QStringList arguments{QStringLiteral("--headless"), QStringLiteral("--quit-after"), QStringLiteral("1.5")};
    arguments += extra;
    return runTuner(arguments, environment, kRunLimitMs);
  }
  SettingsFolder settings;
  QProcessEnvironment env = tunerEnvironment(settings, Display::Headless);
};

TEST_F(ConsoleLog, GivenADefaultRunThenStderrHoldsNoDeveloperLineAndVerbosePrintsThemAll) {
  env.remove(QStringLiteral("QT_LOGGING_RULES"));
  const RunResult quiet = run({}, env);
  ASSERT_TRUE(quiet.finished && quiet.normalExit && quiet.exitCode == 0) << quiet.describe();
  EXPECT_EQ(developerLinesIn(quiet), 0) << quiet.describe();

  const RunResult verbose = run({QStringLiteral("--verbose")}, env);
  ASSERT_TRUE(verbose.finished && verbose.normalExit && verbose.exitCode == 0) << verbose.describe();
  const QStringList lines = verbose.errLines();
  for (const DeveloperLine& line : kStartupLines) {
    EXPECT_EQ(lines.count(QString::fromUtf8(line.text)), line.times) << line.text << "\n" << verbose.describe();
  }
  EXPECT_EQ(lines.count(QString::fromUtf8(kReturningLine)), 1) << verbose.describe();
}

TEST_F(ConsoleLog, GivenQtLoggingRulesForOneCategoryThenOnlyThatCategorysLinesArePrinted) {
  env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("balalaika.layout.debug=true"));
  const RunResult layoutOnly = run({}, env);
  ASSERT_TRUE(layoutOnly.finished && layoutOnly.normalExit && layoutOnly.exitCode == 0) << layoutOnly.describe();
  EXPECT_EQ(layoutOnly.errLines().count(QString::fromUtf8(kStartupLines[0].text)), 5) << layoutOnly.describe();
  EXPECT_EQ(developerLinesIn(layoutOnly), 5) << layoutOnly.describe();

  // The environment has the last word, over --verbose too.
  env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("balalaika.*.debug=false"));
  const RunResult silenced = run({QStringLiteral("--verbose")}, env);
  ASSERT_TRUE(silenced.finished && silenced.normalExit && silenced.exitCode == 0) << silenced.describe();
  EXPECT_EQ(developerLinesIn(silenced), 0) << silenced.describe();
}

}  // namespace
}  // namespace balalaika::e2e
