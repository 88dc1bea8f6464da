#include "e2e/TunerProcess.h"

#include <QRegularExpression>

namespace balalaika::e2e {

QProcessEnvironment tunerEnvironment(const SettingsFolder& settings, Display display) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
  // Port 9 (discard) on loopback: the rating prompt's probe never leaves this machine.
  env.insert(QStringLiteral("BALALAIKA_TUNER_PROBE_URL"), QStringLiteral("http://127.0.0.1:9/"));
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  // Whole leak stacks in a sanitizer build, so that scripts/lsan.supp matches frames inside Qt.
  if (env.contains(QStringLiteral("ASAN_OPTIONS"))) {
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":fast_unwind_on_malloc=0"));
  }
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  if (display == Display::Offscreen) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return env;
}

bool startTuner(QProcess& process, const QStringList& arguments, const QProcessEnvironment& environment) {
  process.setProcessEnvironment(environment);
  process.setProgram(QStringLiteral(BT_TUNER_BINARY));
  process.setArguments(arguments);
  process.start();
  return process.waitForStarted(10000);
}

RunResult finishTuner(QProcess& process, int timeoutMs) {
  RunResult result;
  result.finished = process.waitForFinished(timeoutMs);
  if (!result.finished) {
    process.kill();
    process.waitForFinished(5000);
  }
  result.normalExit = process.exitStatus() == QProcess::NormalExit;
  result.exitCode = process.exitCode();
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

RunResult runTuner(const QStringList& arguments, const QProcessEnvironment& environment, int timeoutMs) {
  QProcess process;
  return startTuner(process, arguments, environment) ? finishTuner(process, timeoutMs) : RunResult{};
}

static QStringList linesOf(const QByteArray& text) {
  return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList RunResult::errLines() const { return linesOf(err); }

std::string RunResult::describe() const {
  return "finished=" + std::to_string(finished) + " normalExit=" + std::to_string(normalExit) + " exitCode=" +
         std::to_string(exitCode) + "\n--- stdout:\n" + out.toStdString() + "--- stderr:\n" + err.toStdString();
}

std::string ScreenLine::field(const std::string& name) const {
  return fields.contains(name) ? fields.at(name) : std::string();
}

std::vector<ScreenLine> parseScreenLines(const QByteArray& out) {
  static const QRegularExpression stamp(QStringLiteral("^(\\d+\\.\\d+) "));
  static const QRegularExpression field(QStringLiteral("(\\w+)=(?:\"([^\"]*)\"|(\\S*))"));
  std::vector<ScreenLine> lines;
  for (const QString& text : linesOf(out)) {
    const auto head = stamp.match(text);
    if (!head.hasMatch()) continue;
    ScreenLine line;
    line.seconds = head.captured(1).toDouble();
    auto it = field.globalMatch(text, head.capturedLength());
    while (it.hasNext()) {
      const auto m = it.next();
      const QString value = m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(3);
      line.fields[m.captured(1).toStdString()] = value.toStdString();
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
    for (const auto& [name, value] : want) all = all && line.field(name) == value;
    if (all) return line;
  }
  return std::nullopt;
}

}  // namespace balalaika::e2e
