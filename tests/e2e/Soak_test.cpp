#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QThread>
#include <algorithm>

#include "e2e/Recordings.h"
#include "e2e/TunerProcess.h"

namespace balalaika::e2e {
namespace {

// A minute of looping input: the resident memory of the last third of the run stays within a few
// megabytes of the first third's, so nothing accumulates per tick or per loop of the file.
TEST(Soak, GivenAMinuteOfLoopingInputThenResidentMemoryDoesNotKeepGrowing) {
#ifdef BT_TUNER_SANITIZED
  GTEST_SKIP() << "built with sanitizers: their quarantine of freed memory grows the resident memory";
#endif
  QTemporaryDir audio;
  synth::Score score;
  score.seconds = 6.0;
  score.plucks = {heldPluck(440.0, 0.5, 1.5), heldPluck(329.63, 2.5, 1.5), heldPluck(452.0, 4.2, 1.2)};
  const QString file = writeRecording(audio.path(), QStringLiteral("loop.wav"), score);
  ASSERT_FALSE(file.isEmpty());

  constexpr int kSeconds = 60, kSampleEveryMs = 3000;
  SettingsFolder settings;
  QProcess tuner;
  ASSERT_TRUE(startTuner(tuner,
                         {QStringLiteral("--headless"), QStringLiteral("--input"), file, QStringLiteral("--loop"),
                          QStringLiteral("--quit-after"), QString::number(kSeconds)},
                         tunerEnvironment(settings, Display::Headless)));
  std::vector<long> samples;
  while (tuner.state() == QProcess::Running && samples.size() < kSeconds * 1000 / kSampleEveryMs - 1) {
    QThread::msleep(kSampleEveryMs);
    if (const long kb = residentKilobytes(tuner.processId()); kb > 0) samples.push_back(kb);
  }
  const RunResult run = finishTuner(tuner, 30000);
  ASSERT_TRUE(run.finished && run.normalExit && run.exitCode == 0) << run.describe();
  ASSERT_GE(samples.size(), 15u);

  const std::size_t third = samples.size() / 3;
  const long firstMax = *std::max_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(third));
  const long lastMax = *std::max_element(samples.end() - static_cast<std::ptrdiff_t>(third), samples.end());
  std::string trace;
  for (long kb : samples) trace += std::to_string(kb) + " ";
  EXPECT_LE(lastMax, firstMax + 4096) << "VmRSS in kB every 3 s: " << trace;
  // The run kept ticking to the end: the file's notes were shown over and over.
  const auto lines = parseScreenLines(run.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_GT(lines.back().seconds, kSeconds - 10);
}

}  // namespace
}  // namespace balalaika::e2e
