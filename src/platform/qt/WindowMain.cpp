// balalaika-tuner-window: the tuner in a window (and everything the launcher does as well).
#include "platform/qt/TunerMain.h"
#include "platform/qt/QtAudioExit.h"
#include "platform/qt/QtWindowFrontEnd.h"

int main(int argc, char** argv) {
  balalaika::qt::QtWindowFrontEnd window;
  balalaika::qt::exitBeforeAudioTeardown(balalaika::app::runTuner(argc, argv, &window));
}
