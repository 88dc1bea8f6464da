#include "e2e/TunerProcess.h"

#include <QRegularExpression>

namespace balalaika::e2e {

QProcessEnvironment tunerEnvironment(const SettingsFolder& settings, Display display) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
  // Port 9 (discard) on loopback: the rating prompt's probe never leaves this machine.
  env.insert(QStringLiteral("BALALAIKA_TUNER_PROBE_URL"), QStringLiteral("http://127.0.0.1:9/"));
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
  // Whole leak stacks in a sanitizer build, so that scripts/lsan.supp matches frames inside Qt.
  if (env.contains(QStringLiteral("ASAN_OPTIONS"))) {
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":fast_unwind_on_malloc=0"));
  }
  if (display == Display::Offscreen) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return env;
}

bool startTuner(QProcess& process, const QStringList& arguments, const QProcessEnvironment& environment) {
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(BT_TUNER_BINARY), arguments);
  return process.waitForStarted(10000);
}

RunResult finishTuner(QProcess& process, int timeoutMs) {
  const bool finished = process.waitForFinished(timeoutMs);
  if (!finished) {
    process.kill();
    process.waitForFinished(5000);
  }
  return {finished, process.exitStatus() == QProcess::NormalExit, process.exitCode(), process.readAllStandardOutput(),
          process.readAllStandardError()};
}

RunResult runTuner(const QStringList& arguments, const QProcessEnvironment& environment, int timeoutMs) {
  QProcess process;
  return startTuner(process, arguments, environment) ? finishTuner(process, timeoutMs) : RunResult{};
}

std::string RunResult::describe() const {
  return "finished=" + std::to_string(finished) + " normalExit=" + std::to_string(normalExit) + " exitCode=" +
         std::to_string(exitCode) + "\n--- stdout:\n" + out.toStdString() + "--- stderr:\n" + err.toStdString();
}

std::vector<ScreenLine> parseScreenLines(const QByteArray& out) {
  static const QRegularExpression stamp(QStringLiteral("^(\\d+\\.\\d+) "));
  static const QRegularExpression field(QStringLiteral("(\\w+)=(?:\"([^\"]*)\"|(\\S*))"));
  std::vector<ScreenLine> lines;
  for (const QString& text : QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    const auto head = stamp.match(text);
    if (!head.hasMatch()) continue;
    ScreenLine line;
    line.seconds = head.captured(1).toDouble();
    auto it = field.globalMatch(text, head.capturedLength());
    while (it.hasNext()) {
      const auto m = it.next();
      line.fields[m.captured(1).toStdString()] = (m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(3)).toStdString();
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::optional<ScreenLine> firstLineWith(const std::vector<ScreenLine>& lines, double fromSeconds,
                                        const std::map<std::string, std::string>& want) {
  for (const ScreenLine& line : lines) {
    if (line.seconds < fromSeconds) continue;
    bool all = true;
    for (const auto& [name, value] : want) all = all && line.fields.contains(name) && line.fields.at(name) == value;
    if (all) return line;
  }
  return std::nullopt;
}

}  // namespace balalaika::e2e
