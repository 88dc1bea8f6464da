// Runs the listener on the microphone with a tick every 0.1 s, as the tuner screen does, and
// prints one line per tick, for the tests that disturb the audio server under a running process.
//
//   capture_probe [--seconds N]
//
// Tick lines: "tick <seconds> <listening 0/1> <averagePower> <frequency>".

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <string>

#include "pitch/PitchListener.h"
#include "platform/qt/QtAudioExit.h"
#include "platform/qt/QtAudioInputQueueFactory.h"
#include "platform/qt/QtAudioSession.h"

using namespace balalaika;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  double seconds = 10.0;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--seconds" && i + 1 < argc) {
      seconds = std::stod(argv[++i]);
    } else {
      std::fprintf(stderr, "capture_probe: unknown option %s\n", argv[i]);
      return 2;
    }
  }
  PitchListener::installPlatform(std::make_shared<qt::QtAudioSession>(),
                                 std::make_shared<qt::QtAudioInputQueueFactory>());
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();

  QElapsedTimer wall;
  wall.start();
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const float power = listener->averagePower();
    const float hertz = listener->frequency();
    std::printf("tick %.2f %d %.6f %.4f\n", wall.elapsed() / 1000.0, listener->isListening() ? 1 : 0, power, hertz);
    std::fflush(stdout);
  });
  tick.start(100);
  QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
  app.exec();
  // The microphone closes while the application object still exists.
  PitchListener::destroySharedListenerForTesting();
  qt::exitBeforeAudioTeardown(0);
}
