// balalaika-tuner: the tuner headless and the offline analysis in a process without Qt Quick or
// QML; a run that wants a window continues in balalaika-tuner-window.
#include "platform/qt/TunerMain.h"
#include "platform/qt/QtAudioExit.h"

// Everything of the tuner is closed when runTuner returns, the application object included.
int main(int argc, char** argv) {
  balalaika::qt::exitBeforeAudioTeardown(balalaika::app::runTuner(argc, argv, nullptr));
}
