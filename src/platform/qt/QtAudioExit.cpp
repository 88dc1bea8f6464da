#include "platform/qt/QtAudioExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace balalaika::qt {

void exitBeforeAudioTeardown(int status) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
  // The check exit would have made; it ends the process when something leaked.
  __lsan_do_leak_check();
#endif
  std::_Exit(status);
}

}  // namespace balalaika::qt
