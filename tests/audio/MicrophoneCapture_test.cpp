#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "audio/AudioServer.h"
#include "demo_recording/Synth.h"
#include "pitch/PitchListener.h"
#include "platform/qt/QtAudioInputQueue.h"
#include "platform/qt/QtAudioInputQueueFactory.h"
#include "platform/qt/QtAudioSession.h"

namespace balalaika {
namespace {

constexpr float kA4Estimate = 440.0040588378906f;

// A plucked A4 at 44.1 kHz from startSeconds for durationSeconds, as a file in dir.
QString writeA4(const QTemporaryDir& dir, double startSeconds, double durationSeconds) {
  const synth::Score score{.sampleRate = 44100.0, .seconds = startSeconds + durationSeconds + 0.3,
                           .plucks = {{.hertz = 440.0, .startSeconds = startSeconds, .durationSeconds = durationSeconds,
                                       .decaySeconds = 4.0}}};
  const QString file = dir.filePath(QStringLiteral("a4.wav"));
  EXPECT_TRUE(synth::writeAudioFile(file.toStdString(), synth::render(score), score.sampleRate));
  return file;
}

// Param: record the device's own format and convert (true) or ask for 14039 Hz directly (false).
class MicrophoneCapture : public audiotest::OnTestServer<::testing::TestWithParam<bool>> {
 protected:
  void SetUp() override {
    OnTestServer::SetUp();
    PitchListener::destroySharedListenerForTesting();
  }
  void TearDown() override { PitchListener::destroySharedListenerForTesting(); }
};

// A buffer holds 0.29 s and is read by about three ticks: the ticks over the note's onset and its
// end may read something else, every other loud tick reads A4 exactly.
TEST_P(MicrophoneCapture, GivenAPluckedA4PlayedIntoTheMicrophoneThenTheTicksInsideTheNoteReadA4) {
  QTemporaryDir dir;
  const QString file = writeA4(dir, 0.3, 2.4);
  ASSERT_TRUE(PitchListener::installPlatform(
      std::make_shared<qt::QtAudioSession>(),
      std::make_shared<qt::QtAudioInputQueueFactory>(qt::QtAudioInputQueueFactory::Options{GetParam()})));
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  audiotest::pump(700);
  ASSERT_TRUE(listener->isListening()) << "the microphone did not start";
  EXPECT_EQ(static_cast<qt::QtAudioInputQueue*>(listener->queue())->converting(), GetParam());
  EXPECT_EQ(listener->averagePower(), 0.0f);  // the keep-alive stream is digital silence

  QProcess player;
  player.start(QStringLiteral("paplay"), {QStringLiteral("-d"), QStringLiteral("vmic"), file});
  ASSERT_TRUE(player.waitForStarted(5000));
  int a4Ticks = 0, otherLoudTicks = 0;
  for (int tick = 0; tick < 40; ++tick) {  // the note and a second after
    audiotest::pump(100);
    if (listener->averagePower() <= 0.0045f) continue;
    ++(listener->frequency() == kA4Estimate ? a4Ticks : otherLoudTicks);
  }
  player.waitForFinished(5000);
  EXPECT_GE(a4Ticks, 14);
  EXPECT_LE(otherLoudTicks, 6);
}

INSTANTIATE_TEST_SUITE_P(DirectAndConverted, MicrophoneCapture, ::testing::Bool());

using AudioServerLoss = audiotest::OnTestServer<>;

TEST_F(AudioServerLoss, GivenTheServerKilledWhileCapturingThenTheProcessKeepsTickingInSilence) {
  // A server of its own, so that killing it disturbs no other test.
  QTemporaryDir dir;
  const QString serverDir = dir.filePath(QStringLiteral("pulse"));
  const QString script = QStringLiteral(BT_SOURCE_DIR "/scripts/pulse-test-server.sh");
  ASSERT_EQ(QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("start"), serverDir}), 0);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + serverDir + QStringLiteral("/native"));
  env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), serverDir);
  const QString file = writeA4(dir, 0.0, 5.0);

  QProcess probe, player;
  for (QProcess* process : {&probe, &player}) process->setProcessEnvironment(env);
  probe.setProcessChannelMode(QProcess::MergedChannels);
  probe.start(QStringLiteral(BT_BINARY_DIR "/tests/capture_probe"), {QStringLiteral("6")});
  ASSERT_TRUE(probe.waitForStarted(5000));
  QElapsedTimer clock;
  clock.start();
  audiotest::pump(1000);
  player.start(QStringLiteral("paplay"), {QStringLiteral("-d"), QStringLiteral("vmic"), file});
  audiotest::pump(1500);
  const double killedAt = clock.elapsed() / 1000.0;
  QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("stop"), serverDir});
  ASSERT_TRUE(probe.waitForFinished(20000));
  player.waitForFinished(5000);
  EXPECT_TRUE(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0);

  // Tick lines: "tick <seconds> <listening 0/1> <averagePower> <frequency>".
  const QString output = QString::fromUtf8(probe.readAll());
  int loudBefore = 0, after = 0, silentAfter = 0;
  for (const QString& line : output.split('\n')) {
    const QStringList f = line.split(' ');
    if (f.size() != 5 || f[0] != QStringLiteral("tick")) continue;
    const double at = f[1].toDouble(), power = f[3].toDouble();
    loudBefore += at < killedAt && power > 0.0045;
    after += at > killedAt + 1.5;
    silentAfter += at > killedAt + 1.5 && (f[2] != QStringLiteral("1") || power == 0.0);
  }
  SCOPED_TRACE(output.toStdString());
  EXPECT_GT(loudBefore, 0);
  EXPECT_GE(after, 10) << "the process stopped ticking after the server went away";
  EXPECT_EQ(silentAfter, after);
  EXPECT_TRUE(output.contains(QStringLiteral("Audio capture is off")));
}

}  // namespace
}  // namespace balalaika
