#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include "TunerRig.h"
#include "audio/AudioServer.h"
#include "platform/qt/QtAudioOutputUnit.h"
#include "tones/ToneGenerator.h"

namespace balalaika::e2e {
namespace {

// Runs the main thread's events and the rig's timers (the tone's fades) for about ms milliseconds.
void runFor(rig::TunerRig& tuner, int ms) {
  QElapsedTimer timer;
  timer.start();
  qint64 last = 0;
  while (timer.elapsed() < ms) {
    const qint64 now = timer.elapsed();
    tuner.runLoop.advance(static_cast<double>(now - last) / 1000.0);
    last = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

// The screen as the application builds it, with the real speaker on the test server: a tap on the
// first reference button of tuning 1 must put 440 Hz on the virtual speaker.
TEST(ReferenceTone, GivenTheFirstReferenceButtonTappedThenTheSpeakerPlays440Hz) {
  rig::ensureGuiApplication();
  if (const std::string reason = audiotest::serverUnreachableReason(); !reason.empty()) GTEST_SKIP() << reason;
  qt::QtAudioOutputComponent speaker;
  rig::TunerRig tuner(platform::defaultEmulatedDevice(), &speaker);
  ASSERT_NE(tuner.screen(), nullptr);
  tuner.settle();
  QQuickItem* button = tuner.item(QStringLiteral("firstFreqButton"));
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible());

  const std::vector<float> recorded = audiotest::recordSpeaker([&] {
    runFor(tuner, 300);
    const QPointF centre = button->mapToScene(QPointF(button->width() / 2, button->height() / 2));
    QTest::mouseClick(tuner.quickWindow(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    EXPECT_TRUE(tuner.generator().isPlaying()) << "the tap did not start a tone";
    runFor(tuner, 2500);
  });
  const float loudest = audiotest::loudestOf(recorded);
  EXPECT_GT(loudest, 0.05f) << "nothing audible reached the speaker";
  EXPECT_NEAR(audiotest::zeroCrossingHertz(recorded, 44100.0), 440.0, 0.5)
      << recorded.size() << " samples recorded, loudest " << loudest;
}

}  // namespace
}  // namespace balalaika::e2e
