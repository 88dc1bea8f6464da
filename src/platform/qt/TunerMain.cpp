// Parses the command line, puts the platform services together (the one place that names their
// concrete classes) and runs the tuner, in a window or headless.
#include "platform/qt/TunerMain.h"

#include <QCoreApplication>
#include <QTimer>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/EstimatorSwitch.h"
#include "app/HeadlessStoryboards.h"
#include "app/ListenerPitchSource.h"
#include "app/OfflineAnalysis.h"
#include "app/PrecisePitchSource.h"
#include "pitch/PitchListener.h"
#include "platform/EmulatedDevice.h"
#include "platform/FileAudioInputQueue.h"
#include "platform/SystemClock.h"
#include "platform/qt/DataFiles.h"
#include "platform/qt/Language.h"
#include "platform/qt/QtAlertView.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtAudioInputQueueFactory.h"
#include "platform/qt/QtAudioOutputUnit.h"
#include "platform/qt/QtAudioSession.h"
#include "platform/qt/QtBundle.h"
#include "platform/qt/QtDevice.h"
#include "platform/qt/QtDispatch.h"
#include "platform/qt/QtEstimatorToggle.h"
#include "platform/qt/QtHttpProbe.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtLog.h"
#include "platform/qt/QtReachability.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtStoreProductView.h"
#include "platform/qt/QtUrlOpener.h"
#include "platform/qt/QtUserDefaults.h"
#include "platform/qt/QtWindowList.h"
#include "rating/RatingPrompt.h"
#include "tones/ToneGenerator.h"

namespace balalaika::app {
namespace {

int fail(const std::string& message) {
  std::cerr << "balalaika-tuner: " << message << "\n";
  return 2;
}

std::string unknownLanguage(const std::string& code) { return "unknown language '" + code + "' (en, es or ru)"; }

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Quits the event loop on SIGINT and SIGTERM, so that the settings and the audio devices are
// closed in order.
void quitOnSignals() {
  for (int signal : {SIGINT, SIGTERM}) {
    std::signal(signal, [](int) { QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection); });
  }
}

// The window program: installed in the package's own program folder, or beside the launcher in
// a build folder.
std::filesystem::path windowProgramPath() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  if (error) return {};
  for (const auto& candidate : {folder / BT_WINDOW_PROGRAM_FROM_BIN, folder / "balalaika-tuner-window"}) {
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// Replaces this process with the window program, same arguments; returns only when it cannot.
int startWindowProgram(char** argv) {
  const std::filesystem::path program = windowProgramPath();
  if (program.empty()) {
    std::cerr << "balalaika-tuner: the window program balalaika-tuner-window is not installed; "
                 "--headless runs without it\n";
    return 1;
  }
  std::cout.flush();
  // argv[0] stays as the user typed it: the window keeps the launcher's name (the window
  // system's class of the window comes from it), and Qt finds the program's own folder from
  // /proc/self/exe.
  ::execv(program.c_str(), argv);
  std::cerr << "balalaika-tuner: cannot start " << program.string() << ": " << std::strerror(errno) << "\n";
  return 1;
}

}  // namespace

int runTuner(int argc, char** argv, WindowFrontEnd* window) {
  const ParseResult parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok()) return fail(parsed.error);
  const Options& options = parsed.options;
  qt::installQtLog(options.verbose);
  if (options.help) {
    std::cout << usage();
    return 0;
  }
  if (options.version) {
    std::cout << "balalaika-tuner " << BT_VERSION << "\n";
    return 0;
  }
  if (options.analyzeFile) {
    return analysis::analyzeFile(
        *options.analyzeFile, options.tuning, std::cout, std::cerr,
        analysis::Settings{options.estimator.value_or(Estimator::Default),
                           options.a4.value_or(tuning::kStandardA4), options.lockedString,
                           options.unisonCheck, options.hearA});
  }

  // A window is the window program's: hand over before reading anything else.
  const bool headless = options.headless || !hasDisplay();
  if (!headless && window == nullptr) return startWindowProgram(argv);

  platform::EmulatedDevice emulated = platform::defaultEmulatedDevice();
  if (options.device) {
    const platform::DeviceOptionResult device = platform::parseDeviceOption(*options.device);
    if (!device.device) return fail(device.error);
    emulated = *device.device;
  }

  // The microphone, or a file standing in for it: a file named on the command line must be
  // readable before anything starts.
  std::shared_ptr<platform::AudioInputQueueFactory> microphone;
  double fileSeconds = 0.0;
  auto openFile = [&](const std::string& path, bool loop) -> std::string {
    auto file = std::make_shared<platform::FileAudioInputQueueFactory>(path, loop);
    std::string error = file->load(PitchListener::kCaptureSampleRate);
    if (error.empty()) {
      microphone = file;
      fileSeconds = file->durationSeconds();
    }
    return error;
  };
  if (options.inputFile) {
    if (const std::string error = openFile(*options.inputFile, options.loop); !error.empty()) return fail(error);
  }

  // Checked before the application object exists: Qt may print warnings of its own on start-up,
  // and a refused option gets exactly one line.
  if (options.language && !qt::supportedLanguages().contains(QString::fromStdString(*options.language))) {
    return fail(unknownLanguage(*options.language));
  }

  // Headless, nothing is drawn: a core application loads no platform plugin, fonts or graphics.
  std::unique_ptr<QCoreApplication> application;
  if (headless) {
    application = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    application = window->makeApplication(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("balalaika-tuner"));
  QCoreApplication::setApplicationVersion(QStringLiteral(BT_VERSION));
  if (!qt::installLanguage(options.language ? QString::fromStdString(*options.language) : QString())) {
    return fail(unknownLanguage(options.language.value_or("")));
  }
  quitOnSignals();

  // Without a microphone the tuner listens to its demo recording: over and over in a window;
  // once, then quits, when nobody can see it.
  std::optional<double> quitAfterSeconds = options.quitAfterSeconds;
  if (!microphone) {
    if (qt::QtAudioInputQueueFactory::chooseDevice().isNull()) {
      const std::string demo = qt::demoRecordingPath().toStdString();
      std::cerr << "No microphone found: listening to the bundled demo recording " << demo << "\n";
      if (const std::string error = openFile(demo, !headless); !error.empty()) return fail(error);
      if (headless && !quitAfterSeconds) quitAfterSeconds = fileSeconds + 1.0;
    } else {
      microphone = std::make_shared<qt::QtAudioInputQueueFactory>();
    }
  }
  if (headless && !options.headless) std::cerr << "No display: running headless, one line per change of the screen\n";

  // Platform services.
  qt::QtRunLoop runLoop;
  qt::QtDispatch dispatch;
  qt::QtApplication platformApplication;
  qt::QtUserDefaults defaults(qt::QtUserDefaults::defaultFilePath());
  qt::QtBundle bundle;
  platform::SystemClock clock;
  qt::QtDevice device(emulated);
  qt::QtImages images;
  qt::QtReachability reachability;
  qt::QtHttpProbe probe;
  qt::QtAlertViewFactory alerts;
  qt::QtUrlOpener urlOpener;
  qt::QtStoreProductViewFactory storeViews;
  qt::QtWindowList windows;
  auto session = std::make_shared<qt::QtAudioSession>();
  qt::QtAudioOutputComponent speaker;
  ListenerPitchSource listenerPitch;
  PrecisePitchSource precisePitch;
  EstimatorSwitch pitch(defaults, listenerPitch, precisePitch, options.estimator);
  qt::QtEstimatorToggle estimatorToggle([&pitch] { return pitch.precise(); },
                                        [&pitch](bool precise) { pitch.setPrecise(precise); });

  RatingPrompt::installPlatform(RatingPromptPlatform{defaults, bundle, nullptr, clock, device, reachability, probe,
                                                     alerts, urlOpener, dispatch, platformApplication, storeViews,
                                                     windows});
  PitchListener::installPlatform(session, microphone);

  auto makeViewController = [&] {
    ViewControllerServices services{device, images, bundle, runLoop, defaults, urlOpener, pitch,
                                    [] { RatingPrompt::tryToShowPrompt(); }};
    services.application = &platformApplication;
    services.audioOutput = &speaker;
    services.audioSession = session.get();
    services.precisePitch = &precisePitch;
    services.commandLine = TuningAidOptions{options.a4, options.lockedString};
    return std::make_unique<ViewController>(services);
  };
  auto load = [&options](ViewController& controller) {
    controller.viewDidLoad();
    if (options.unisonCheck) controller.toggleUnisonCheck();
    if (options.hearA) controller.listenForA();
  };
  auto appear = [](ViewController& controller) { controller.viewWillAppear(); };

  std::unique_ptr<platform::Storyboards> storyboards;
  if (headless) {
    storyboards = std::make_unique<HeadlessStoryboards>(
        HeadlessStoryboardsOptions{makeViewController, load, appear, &runLoop, &std::cout});
  } else {
    storyboards = window->makeStoryboards(WindowScreenHooks{
        makeViewController,
        load,
        appear,
        {{QStringLiteral("ratingAlerts"), &alerts}, {QStringLiteral("pitchEstimator"), &estimatorToggle}}});
  }

  auto delegate = std::make_unique<AppDelegate>(AppDelegateServices{device, *storyboards, &platformApplication});
  delegate->didFinishLaunchingWithOptions();
  if (quitAfterSeconds) {
    QTimer::singleShot(static_cast<int>(*quitAfterSeconds * 1000.0), application.get(), &QCoreApplication::quit);
  }

  const int status = QCoreApplication::exec();

  if (options.screenshotFile) {
    const std::string error = headless ? "no window to save as " + *options.screenshotFile
                                       : window->saveScreenshot(delegate->window(), *options.screenshotFile);
    if (!error.empty()) std::cerr << "balalaika-tuner: " << error << "\n";
  }

  // Close the screen, the tone and the microphone while the application object still exists.
  delegate.reset();
  storyboards.reset();
  PitchListener::sharedListener()->stop();
  defaults.synchronize();
  return status;
}

}  // namespace balalaika::app
