// Runs the listener on a real microphone (or a file microphone) with a tick every 0.1 s, as the
// tuner screen does, and prints one line per tick, then the process's CPU share; with --input, also
// how late each buffer reached the listener against the real-time span it covers.
//
//   capture_probe [--seconds N] [--input FILE] [--loop] [--prefer-device-format] [--quiet]
//
// Tick lines: "tick <seconds> <listening 0/1> <averagePower> <frequency>"; the session's
// interruptions: "interruption <state>".

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "pitch/PitchListener.h"
#include "platform/FileAudioInputQueue.h"
#include "platform/qt/QtAudioInputQueueFactory.h"
#include "platform/qt/QtAudioSession.h"
#include "support/ObservingQueueFactory.h"

using namespace balalaika;

namespace {

double processCpuSeconds() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  double seconds = 10.0;
  std::string input;
  bool loop = false, preferDeviceFormat = false, quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) seconds = std::stod(argv[++i]);
    else if (arg == "--input" && i + 1 < argc) input = argv[++i];
    else if (arg == "--loop") loop = true;
    else if (arg == "--prefer-device-format") preferDeviceFormat = true;
    else if (arg == "--quiet") quiet = true;
    else {
      std::fprintf(stderr, "capture_probe: unknown option %s\n", arg.c_str());
      return 2;
    }
  }

  std::shared_ptr<platform::AudioInputQueueFactory> queues;
  if (!input.empty()) {
    auto files = std::make_shared<platform::FileAudioInputQueueFactory>(input, loop);
    if (const std::string error = files->load(PitchListener::kCaptureSampleRate); !error.empty()) {
      std::fprintf(stderr, "capture_probe: %s\n", error.c_str());
      return 1;
    }
    queues = files;
  } else {
    queues = std::make_shared<qt::QtAudioInputQueueFactory>(qt::QtAudioInputQueueFactory::Options{preferDeviceFormat});
  }

  using Clock = std::chrono::steady_clock;
  std::mutex arrivalsLock;
  std::vector<Clock::time_point> arrivals;
  auto observed = std::make_shared<support::ObservingQueueFactory>(queues, [&](const platform::AudioQueueBuffer&) {
    std::lock_guard lock(arrivalsLock);
    arrivals.push_back(Clock::now());
  });
  auto session = std::make_shared<qt::QtAudioSession>();
  session->initialize([](std::uint32_t state) {
    std::printf("interruption %u\n", state);
    std::fflush(stdout);
  });
  PitchListener::installPlatform(session, observed);
  PitchListener* listener = PitchListener::sharedListener();

  const double cpuBefore = processCpuSeconds();
  QElapsedTimer wall;
  wall.start();
  const auto started = Clock::now();
  listener->listen();

  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const float power = listener->averagePower();
    const float hertz = listener->frequency();
    if (!quiet) {
      std::printf("tick %.2f %d %.6f %.4f\n", wall.elapsed() / 1000.0, listener->isListening() ? 1 : 0, power, hertz);
      std::fflush(stdout);
    }
  });
  tick.start(100);
  QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
  app.exec();

  const double cpu = processCpuSeconds() - cpuBefore;
  const double elapsed = wall.elapsed() / 1000.0;
  std::printf("cpu %.3f s over %.3f s: %.2f %% of one core\n", cpu, elapsed, 100.0 * cpu / elapsed);
  if (!input.empty()) {
    std::lock_guard lock(arrivalsLock);
    const double span = 4096.0 / PitchListener::kCaptureSampleRate;
    std::vector<double> lateMs;
    for (std::size_t k = 0; k < arrivals.size(); ++k) {
      const double at = std::chrono::duration<double>(arrivals[k] - started).count();
      lateMs.push_back((at - (k + 1) * span) * 1000.0);
    }
    if (!lateMs.empty()) {
      std::sort(lateMs.begin(), lateMs.end());
      double sum = 0;
      for (double v : lateMs) sum += v;
      std::printf("buffers %zu; lateness after the buffer's last sample: median %.3f ms, mean %.3f ms, max %.3f ms\n",
                  lateMs.size(), lateMs[lateMs.size() / 2], sum / lateMs.size(), lateMs.back());
      double drift = 0.0;
      for (std::size_t k = 1; k < arrivals.size(); ++k) {
        const double since = std::chrono::duration<double>(arrivals[k] - arrivals[0]).count();
        drift = std::max(drift, std::fabs(since - k * span) * 1000.0);
      }
      std::printf("largest deviation from the real-time grid after the first buffer: %.3f ms\n", drift);
      std::printf("delay from a sample entering to the listener: %.1f ms (last sample) to %.1f ms (first sample) + lateness\n",
                  0.0, span * 1000.0);
    }
  }
  std::fflush(stdout);
  PitchListener::destroySharedListenerForTesting();
  return 0;
}
