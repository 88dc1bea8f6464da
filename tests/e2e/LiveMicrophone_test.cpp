#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QThread>

#include "audio/AudioServer.h"
#include "e2e/Recordings.h"
#include "e2e/TunerProcess.h"

namespace balalaika::e2e {
namespace {

// The tuner records from the test server's default source while an E4 is played into its sink.
TEST(LiveMicrophone, GivenAnE4PlayedIntoTheMicrophoneThenTheHeadlessScreenShowsE4At329Point6Hz) {
  if (const std::string reason = audiotest::serverUnreachableReason(); !reason.empty()) GTEST_SKIP() << reason;
  QTemporaryDir audio;
  synth::Score score;
  score.sampleRate = 44100.0;
  score.seconds = 3.0;
  score.plucks = {heldPluck(329.63, 0.2, 2.6)};
  const QString file = writeRecording(audio.path(), QStringLiteral("e4.wav"), score);
  ASSERT_FALSE(file.isEmpty());

  SettingsFolder settings;
  QProcess tuner;
  ASSERT_TRUE(startTuner(tuner, {QStringLiteral("--headless"), QStringLiteral("--quit-after"), QStringLiteral("8")},
                         tunerEnvironment(settings, Display::Headless)));
  QThread::msleep(2500);  // the capture stream needs a moment before it delivers
  QProcess player;
  player.start(QStringLiteral("paplay"), {QStringLiteral("-d"), QStringLiteral("vmic"), file});
  ASSERT_TRUE(player.waitForStarted(5000));
  EXPECT_TRUE(player.waitForFinished(15000));
  const RunResult run = finishTuner(tuner, 20000);
  ASSERT_TRUE(run.finished && run.normalExit && run.exitCode == 0) << run.describe();
  EXPECT_FALSE(run.err.contains("No microphone")) << run.describe();

  const auto lines = parseScreenLines(run.out);
  const auto heard = firstLineWith(lines, 0.0, {{"note", "E4"}});
  ASSERT_TRUE(heard) << run.describe();
  EXPECT_EQ(heard->field("lamp"), "green");
  EXPECT_EQ(heard->field("string"), "2");
  // The buffer that holds the onset (partly silence) may peak one bin higher (330.0Hz, still in
  // tune); the held note reads bin 769 plus tuning 1's offset, 329.6Hz, for most of its length.
  double steadySeconds = 0.0;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].field("note") == "E4" && lines[i].field("freq") == "329.6Hz") {
      steadySeconds += lines[i + 1].seconds - lines[i].seconds;
    }
  }
  EXPECT_GT(steadySeconds, 1.2) << run.describe();
}

}  // namespace
}  // namespace balalaika::e2e
