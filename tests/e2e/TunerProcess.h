#pragma once
// Runs the real balalaika-tuner binary as a child process: a fresh settings folder
// (XDG_CONFIG_HOME), the probe on loopback, no display, and a time limit after which it is killed.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "demo_recording/Synth.h"

namespace balalaika::e2e {

// A fresh XDG_CONFIG_HOME for one test, removed afterwards.
struct SettingsFolder : QTemporaryDir {
  SettingsFolder() : QTemporaryDir(QDir::tempPath() + QStringLiteral("/bt-e2e-XXXXXX")) {}
  QString defaultsFile() const { return path() + QStringLiteral("/balalaika-tuner/defaults.ini"); }
};

enum class Display { Headless, Offscreen };

// DISPLAY and WAYLAND_DISPLAY removed; QT_QPA_PLATFORM removed (Headless) or "offscreen".
QProcessEnvironment tunerEnvironment(const SettingsFolder& settings, Display display);
bool startTuner(QProcess& process, const QStringList& arguments, const QProcessEnvironment& environment);

struct RunResult {
  bool finished = false;    // false: killed at the time limit
  bool normalExit = false;  // false: crashed or killed
  int exitCode = -1;
  QByteArray out, err;
  bool ok() const { return finished && normalExit && exitCode == 0; }
  QStringList errLines() const { return QString::fromUtf8(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
  std::string describe() const;
};

RunResult runTuner(const QStringList& arguments, const QProcessEnvironment& environment, int timeoutMs = 30000);
// Waits for a started process to end (killing it at the limit) and collects its output.
RunResult finishTuner(QProcess& process, int timeoutMs);

// A headless screen line: "5.60 tuning="Prima balalaika" freq="440.0Hz" note="A4" lamp=green ...".
struct ScreenLine {
  double seconds = 0.0;
  std::map<std::string, std::string> fields;
};

std::vector<ScreenLine> parseScreenLines(const QByteArray& out);
// The first line at or after fromSeconds whose fields hold all of want.
std::optional<ScreenLine> firstLineWith(const std::vector<ScreenLine>& lines, double fromSeconds,
                                        const std::map<std::string, std::string>& want);

// Writes score (rendered at its rate) to folder/name; returns the path, empty on failure.
inline QString writeRecording(const QString& folder, const QString& name, const synth::Score& score) {
  const QString path = folder + QLatin1Char('/') + name;
  return synth::writeAudioFile(path.toStdString(), synth::render(score), score.sampleRate) ? path : QString();
}

// A plucked string that decays slowly, so that it stays loud enough for the tuner until it is cut.
inline synth::Pluck heldPluck(double hertz, double startSeconds, double durationSeconds) {
  return {.hertz = hertz, .startSeconds = startSeconds, .durationSeconds = durationSeconds, .decaySeconds = 4.0};
}

}  // namespace balalaika::e2e
