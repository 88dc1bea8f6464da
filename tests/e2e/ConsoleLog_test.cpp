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

// Every line of the run's stderr that holds one of the developer texts, with or without its
// category: a line printed some other way counts too.
int developerLinesIn(const RunResult& run) {
  int found = 0;
  for (const QString& line : run.errLines()) {
    for (const DeveloperLine& developer : kStartupLines) {
      const QString text = QString::fromUtf8(developer.text).section(QStringLiteral(": "), 1);
      if (line.contains(text)) ++found;
    }
    if (line.contains(QStringLiteral("Ya se abrió antes")) || line.contains(QStringLiteral("Me abriste"))) ++found;
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
