#pragma once
// One application object for the whole test run: translators can only be installed while one
// exists. Created on first use, never destroyed.

#include <QCoreApplication>

namespace balalaika::testing {

inline QCoreApplication& qtApp() {
  static int argc = 1;
  static char name[] = "resources_tests";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

}  // namespace balalaika::testing
