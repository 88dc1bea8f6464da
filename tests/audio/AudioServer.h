#pragma once
// Helpers for the tests that run against the test PulseAudio server
// (scripts/pulse-test-server.sh; its environment must be exported before the tests start).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/qt/QtAudioExit.h"

namespace balalaika::audiotest {

// The application object Qt Multimedia needs; made once per process on first use and destroyed
// when the tests end, before static destruction: Qt Multimedia's PulseAudio connection must not
// outlive it (the process would crash on exit).
inline QCoreApplication*& applicationSlot() {
  static QCoreApplication* app = nullptr;
  return app;
}

inline QCoreApplication& application() {
  static int argc = 1;
  static char name[] = "audio_tests";
  static char* argv[] = {name, nullptr};
  if (applicationSlot() == nullptr) applicationSlot() = new QCoreApplication(argc, argv);
  return *applicationSlot();
}

class ApplicationEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    delete applicationSlot();
    applicationSlot() = nullptr;
  }
};

inline ::testing::Environment* const kApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

// A test program that used the audio server ends, with its tests' verdict, before static
// destruction, where Qt Multimedia's PulseAudio teardown can abort the process.
class EndBeforeAudioTeardown : public ::testing::EmptyTestEventListener {
 public:
  void OnTestProgramEnd(const ::testing::UnitTest& tests) override {
    static bool passed = false;
    passed = tests.Passed();
    std::atexit([] { qt::exitBeforeAudioTeardown(passed ? 0 : 1); });
  }
};

inline const bool kEndsBeforeAudioTeardown = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new EndBeforeAudioTeardown);
  return true;
}();

// Empty when the server answers; otherwise why not (for GTEST_SKIP).
inline std::string serverUnreachableReason() {
  if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
    return "PULSE_SERVER is not set: start the test server with "
           "eval \"$(scripts/pulse-test-server.sh start)\"";
  }
  QProcess pactl;
  pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
  if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
    return "the PulseAudio server at " + qEnvironmentVariable("PULSE_SERVER").toStdString() + " does not answer";
  }
  return {};
}

// Runs the main thread's events for about ms milliseconds.
inline void pump(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

// Runs events until done() is true or ms pass; returns done().
inline bool pumpUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return done();
}

}  // namespace balalaika::audiotest
