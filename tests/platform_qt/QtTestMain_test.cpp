// Entry point of the Qt platform tests: an offscreen QGuiApplication around GoogleTest. Started
// with "--child <file>" the binary is instead a helper process for the settings tests.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "QtTestChild.h"

#ifdef __SANITIZE_THREAD__
// The settings tests fork helper processes from a process that already runs threads.
extern "C" const char* __tsan_default_options() { return "die_after_fork=0"; }
// Qt's thread-pool shutdown and its posted-event list synchronise inside the uninstrumented Qt
// library; the reports name Qt's own internals only.
extern "C" const char* __tsan_default_suppressions() {
  return "race:QWaitCondition::~QWaitCondition\nrace:QArrayData::reallocateUnaligned\n";
}
#endif

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::string(argv[1]) == "--child") {
    QCoreApplication app(argc, argv);
    return balalaika::testing::runChild(QString::fromLocal8Bit(argv[2]));
  }
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
