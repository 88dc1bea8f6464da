#pragma once
// Helpers of the Qt platform tests: the settings tests' helper process and an event loop that
// runs until a condition holds.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <string>

#include "platform/qt/QtUserDefaults.h"

namespace balalaika::testing {

inline const std::string kTrickyText = "comma, \"quotes\" = ; # [group] \\ back\nnew line  @Variant(x) Ёё ♪ ";

// The helper process: stores one value of each type and exits.
inline int runChild(const QString& file) {
  qt::QtUserDefaults defaults(file);
  defaults.setBool("flag", true);
  defaults.setInteger("most", INT64_MAX);
  defaults.setInteger("least", INT64_MIN);
  defaults.setDouble("tenth", 0.1);
  defaults.setString("text", kTrickyText);
  return defaults.synchronize() ? 0 : 1;
}

// Starts this test binary as the helper writing the given settings file.
inline void startChild(QProcess& process, const QString& file) {
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), file});
}

// Lets the event loop run until done() is true or the time is up; false when the time ran out.
template <typename Done>
bool processEventsUntil(Done done, int timeoutMs = 10000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Debian's Qt is not built with ThreadSanitizer, which then reports races inside Qt's own threads
// (network access, GLib's event notification); tests that start those threads skip themselves.
#ifdef __SANITIZE_THREAD__
#define BT_SKIP_UNDER_THREAD_SANITIZER() GTEST_SKIP() << "starts uninstrumented Qt threads"
#else
#define BT_SKIP_UNDER_THREAD_SANITIZER() (void)0
#endif

}  // namespace balalaika::testing
