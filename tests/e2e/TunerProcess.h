#pragma once
// Runs the real balalaika-tuner binary as a child process for the end-to-end tests: each run gets
// the settings folder the test gives it (a fresh temporary XDG_CONFIG_HOME), a probe address on
// loopback, no display, and a time limit after which it is killed.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace balalaika::e2e {

// The application's settings folder for one test: a fresh XDG_CONFIG_HOME, removed afterwards.
class SettingsFolder {
 public:
  SettingsFolder();
  QString configHome() const { return dir_.path(); }
  // The user-defaults file the application writes:
  // <config home>/balalaika-tuner/defaults.ini.
  QString defaultsFile() const;

 private:
  QTemporaryDir dir_;
};

enum class Display { Headless, Offscreen };

// The environment of a run: XDG_CONFIG_HOME set, DISPLAY and WAYLAND_DISPLAY removed, the network
// probe on a closed loopback port; QT_QPA_PLATFORM removed (Headless) or "offscreen" (Offscreen).
// The PulseAudio variables of the test server pass through.
QProcessEnvironment tunerEnvironment(const SettingsFolder& settings, Display display);

// Starts the binary with arguments; false when it did not start.
bool startTuner(QProcess& process, const QStringList& arguments, const QProcessEnvironment& environment);

struct RunResult {
  bool finished = false;    // false: killed at the time limit
  bool normalExit = false;  // false: crashed or killed
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
  QStringList errLines() const;
  // Everything for a failure message.
  std::string describe() const;
};

// Runs the binary to its end, at most timeoutMs milliseconds.
RunResult runTuner(const QStringList& arguments, const QProcessEnvironment& environment, int timeoutMs);
// Waits for a started process to end (killing it at the limit) and collects its output.
RunResult finishTuner(QProcess& process, int timeoutMs);

// One line of the headless screen: "5.60 tuning="Prima balalaika" freq="440.0Hz" note="A4"
// lamp=green string=1 tone=""", seconds since the window was shown and its fields.
struct ScreenLine {
  double seconds = 0.0;
  std::map<std::string, std::string> fields;
  std::string field(const std::string& name) const;
};

std::vector<ScreenLine> parseScreenLines(const QByteArray& out);

// The first line at or after fromSeconds whose fields hold all of want; none when there is none.
std::optional<ScreenLine> firstLineWith(const std::vector<ScreenLine>& lines, double fromSeconds,
                                        const std::map<std::string, std::string>& want);

}  // namespace balalaika::e2e
