// Runs the listener on the microphone with a tick every 0.1 s, as the tuner screen does, printing
// "tick <seconds> <listening 0/1> <averagePower> <frequency>" per tick, for the tests that disturb
// the audio server under a running process.   capture_probe [seconds]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "pitch/PitchListener.h"
#include "platform/qt/QtAudioExit.h"
#include "platform/qt/QtAudioInputQueueFactory.h"
#include "platform/qt/QtAudioSession.h"

using namespace balalaika;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  PitchListener::installPlatform(std::make_shared<qt::QtAudioSession>(),
                                 std::make_shared<qt::QtAudioInputQueueFactory>());
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();

  QElapsedTimer wall;
  wall.start();
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    std::printf("tick %.2f %d %.6f %.4f\n", wall.elapsed() / 1000.0, listener->isListening() ? 1 : 0,
                listener->averagePower(), listener->frequency());
    std::fflush(stdout);
  });
  tick.start(100);
  QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
  app.exec();
  PitchListener::destroySharedListenerForTesting();  // while the application object still exists
  qt::exitBeforeAudioTeardown(0);
}
