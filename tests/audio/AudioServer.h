#pragma once
// Helpers for the tests that run against the test PulseAudio server
// (scripts/pulse-test-server.sh; its environment must be exported before the tests start).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/qt/QtAudioExit.h"

namespace balalaika::audiotest {

// The application object Qt Multimedia needs. When the tests end it is destroyed (Qt Multimedia's
// PulseAudio connection must not outlive it) and the program ends with its verdict before static
// destruction, where Qt Multimedia's PulseAudio teardown can abort the process.
inline QCoreApplication* gApplication = nullptr;

class EndBeforeAudioTeardown : public ::testing::EmptyTestEventListener {
 public:
  void OnTestProgramEnd(const ::testing::UnitTest& tests) override {
    delete gApplication;
    gApplication = nullptr;
    static const bool passed = tests.Passed();
    std::atexit([] { qt::exitBeforeAudioTeardown(passed ? 0 : 1); });
  }
};

inline const bool kEndsBeforeAudioTeardown = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new EndBeforeAudioTeardown);
  return true;
}();

// A test that needs the server: skipped, saying why, when it does not answer.
template <typename Base = ::testing::Test>
class OnTestServer : public Base {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "audio_tests";
    static char* argv[] = {name, nullptr};
    if (gApplication == nullptr) gApplication = new QCoreApplication(argc, argv);
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) GTEST_SKIP() << "PULSE_SERVER is not set: see scripts/pulse-test-server.sh";
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
      GTEST_SKIP() << "the PulseAudio server at " << qEnvironmentVariable("PULSE_SERVER").toStdString() << " does not answer";
    }
  }
};

// Runs the main thread's events until done() is true or ms pass; returns done().
inline bool pumpUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return done();
}

inline void pump(int ms) { pumpUntil([] { return false; }, ms); }

// What the virtual speaker plays while play() runs, as 44.1 kHz mono samples.
inline std::vector<float> recordSpeaker(const std::function<void()>& play) {
  QProcess recorder;
  recorder.start(QStringLiteral("parecord"), {QStringLiteral("--raw"), QStringLiteral("-d"), QStringLiteral("vmic.monitor"),
                                              QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                                              QStringLiteral("--format=float32le")});
  if (!recorder.waitForStarted(5000)) ADD_FAILURE() << "parecord did not start";
  play();
  recorder.terminate();
  EXPECT_TRUE(recorder.waitForFinished(5000));
  const QByteArray raw = recorder.readAllStandardOutput();
  std::vector<float> recorded(static_cast<std::size_t>(raw.size()) / sizeof(float));
  if (!recorded.empty()) std::memcpy(recorded.data(), raw.data(), recorded.size() * sizeof(float));
  return recorded;
}

// Hertz of a recorded sine from its interpolated rising zero crossings (not the tuner's estimator):
// the median span of ten periods, so that an underrun (a gap) does not bias it; 0 when too short.
inline double zeroCrossingHertz(const std::vector<float>& x, double sampleRate) {
  std::vector<double> crossings;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (x[i - 1] < 0.0f && x[i] >= 0.0f && std::fabs(x[i] - x[i - 1]) > 0.01f) {
      crossings.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
    }
  }
  constexpr std::size_t kPeriods = 10;
  std::vector<double> spans;
  for (std::size_t i = kPeriods; i < crossings.size(); ++i) spans.push_back(crossings[i] - crossings[i - kPeriods]);
  if (spans.size() < 100) return 0.0;
  std::nth_element(spans.begin(), spans.begin() + static_cast<std::ptrdiff_t>(spans.size() / 2), spans.end());
  return kPeriods * sampleRate / spans[spans.size() / 2];
}

}  // namespace balalaika::audiotest
