#pragma once
// The tuner's whole run, from the command line to the closed application, shared by the two
// programs. With a window front end it can open a window; without one (the launcher,
// balalaika-tuner) it runs headless and analyses, and hands a run that wants a window to the
// window program, which replaces the launcher's process with the same arguments.

#include "platform/qt/WindowFrontEnd.h"

namespace balalaika::app {

// The process's exit status. window may be nullptr.
int runTuner(int argc, char** argv, WindowFrontEnd* window);

}  // namespace balalaika::app
